#pragma once

#include <string>

// A fresh folder under the system's temporary folder, removed with everything in it at the end.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::string& path() const { return path_; }
    std::string file(const std::string& relative) const { return path_ + "/" + relative; }
    // Writes `bytes` to a file (creating folders on the way) and returns its path.
    std::string write(const std::string& relative, const std::string& bytes = "") const;
    std::string mkdir(const std::string& relative) const;

private:
    std::string path_;
};
