#pragma once

#include <string>

// A fresh folder under the system's temporary folder, removed with everything in it at the end.
class ScratchFolder {
public:
    ScratchFolder();
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    const std::string& path() const { return path_; }
    // Creates the folder `relative` (and its parents) and returns its path.
    std::string folder(const std::string& relative) const;
    // Writes `text` into the file `relative` (parents created) and returns its path.
    std::string file(const std::string& relative, const std::string& text = "") const;

private:
    std::string path_;
};
