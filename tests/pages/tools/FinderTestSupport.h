#pragma once

#include <string>

namespace finders {

// The bytes of a file, or "<missing>".
std::string readFile(const std::string& path);

// The duplicates search of `folder` with no size minimum and the usual excluded folders; and
// those settings taken away again.
void useDuplicatesSettings(const std::string& folder);
void forgetDuplicatesSettings();

} // namespace finders
