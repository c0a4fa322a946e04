#pragma once

#include <string>

namespace qcore {

// Whether a property list (XML or binary) nests its arrays and dictionaries at most
// `maxDepth` deep. The parser recurses per level, so a file from elsewhere is checked with this
// before it is parsed. Bytes in neither form answer true (the parser refuses them itself); a
// binary list that is malformed or refers to more objects than it could hold answers false.
class PlistNesting {
public:
    static bool isWithin(const std::string& bytes, int maxDepth);

private:
    static bool xmlWithin(const std::string& bytes, int maxDepth);
    static bool binaryWithin(const std::string& bytes, int maxDepth);
};

} // namespace qcore
