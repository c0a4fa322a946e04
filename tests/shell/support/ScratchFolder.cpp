#include "tests/shell/support/ScratchFolder.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <vector>

namespace fs = std::filesystem;

ScratchFolder::ScratchFolder() {
    std::string pattern = (fs::temp_directory_path() / "quendrix-shell-XXXXXX").string();
    std::vector<char> buffer(pattern.begin(), pattern.end());
    buffer.push_back('\0');
    if (!::mkdtemp(buffer.data())) throw std::runtime_error("mkdtemp failed");
    // Canonical, so paths compare equal to what the code resolves.
    path_ = fs::canonical(buffer.data()).string();
}

ScratchFolder::~ScratchFolder() {
    std::error_code ec;
    fs::remove_all(path_, ec);
}

std::string ScratchFolder::folder(const std::string& relative) const {
    const fs::path p = fs::path(path_) / relative;
    fs::create_directories(p);
    return p.string();
}

std::string ScratchFolder::file(const std::string& relative, const std::string& text) const {
    const fs::path p = fs::path(path_) / relative;
    fs::create_directories(p.parent_path());
    std::ofstream(p, std::ios::binary) << text;
    return p.string();
}
