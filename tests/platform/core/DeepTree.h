#pragma once

#include <string>

// Folders nested `depth` levels below `root` (made relative to each other, so the path may be
// longer than the system takes at once), with `bytes` in a file named `fileName` at the
// bottom. Returns the file's full path.
std::string makeDeepTree(const std::string& root, int depth, const std::string& fileName,
                         const std::string& bytes, const std::string& folderName = "level");

// Lowers the limit of open descriptors for as long as it lives.
class DescriptorLimit {
public:
    explicit DescriptorLimit(unsigned long limit);
    ~DescriptorLimit();
    DescriptorLimit(const DescriptorLimit&) = delete;
    DescriptorLimit& operator=(const DescriptorLimit&) = delete;

private:
    unsigned long previous_;
};
