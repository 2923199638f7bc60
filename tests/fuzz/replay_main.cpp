// Runs a harness over saved inputs without libFuzzer, so that every corpus file is an
// ordinary test with any compiler. Arguments: files, or folders whose files are all run.

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <vector>

#include "fuzz_check.h"

// Harnesses that need no set-up leave this out.
extern "C" __attribute__((weak)) int LLVMFuzzerInitialize(int* argc, char*** argv);

namespace {

bool Replay(const std::filesystem::path& path)
{
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        std::cerr << "cannot read " << path << '\n';
        return false;
    }
    const std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    std::cout << "replaying " << path << " (" << bytes.size() << " bytes)" << std::endl;
    LLVMFuzzerTestOneInput(bytes.data(), bytes.size());
    return true;
}

}  // namespace

int main(int argc, char** argv)
{
    if (LLVMFuzzerInitialize)
        LLVMFuzzerInitialize(&argc, &argv);
    std::vector<std::filesystem::path> inputs;
    for (int i = 1; i < argc; ++i) {
        const std::filesystem::path path(argv[i]);
        if (std::filesystem::is_directory(path)) {
            for (const auto& entry : std::filesystem::directory_iterator(path))
                inputs.push_back(entry.path());
        } else {
            inputs.push_back(path);
        }
    }
    if (inputs.empty()) {
        std::cerr << "usage: " << argv[0] << " FILE|FOLDER...\n";
        return 2;
    }
    std::sort(inputs.begin(), inputs.end());
    for (const auto& input : inputs) {
        if (!Replay(input))
            return 1;
    }
    return 0;
}
