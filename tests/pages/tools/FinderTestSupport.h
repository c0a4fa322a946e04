#pragma once

#include <string>

namespace finders {

// Gives the file the one modification time every fixture copy shares. The duplicates search only
// compares files of equal size and modification second, so copies written on either side of a
// second boundary (likely on a loaded machine) would otherwise never meet.
void setFixtureTime(const std::string& path);

// The bytes of a file, or "<missing>".
std::string readFile(const std::string& path);

// The duplicates search of `folder` with no size minimum and the usual excluded folders; and
// those settings taken away again.
void useDuplicatesSettings(const std::string& folder);
void forgetDuplicatesSettings();

} // namespace finders
