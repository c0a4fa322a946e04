// Runs a fuzz target's entry point over every file of the folders (or files) given, as the
// ordinary build's regression test of inputs that once failed and of the seed corpus.

#include "targets/FuzzInput.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <vector>

namespace fs = std::filesystem;

namespace {

void runOne(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    const std::vector<char> bytes((std::istreambuf_iterator<char>(in)),
                                  std::istreambuf_iterator<char>());
    std::cout << "input " << file.filename().string() << " (" << bytes.size() << " bytes)\n";
    LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
}

} // namespace

int main(int argc, char** argv) {
    int inputs = 0;
    for (int i = 1; i < argc; ++i) {
        const fs::path root(argv[i]);
        if (fs::is_regular_file(root)) {
            runOne(root);
            ++inputs;
            continue;
        }
        if (!fs::is_directory(root)) continue;
        std::vector<fs::path> files;
        for (const auto& entry : fs::directory_iterator(root))
            if (entry.is_regular_file()) files.push_back(entry.path());
        std::sort(files.begin(), files.end());
        for (const auto& file : files) {
            runOne(file);
            ++inputs;
        }
    }
    std::cout << inputs << " inputs passed\n";
    return inputs > 0 ? 0 : 1;
}
