// SPDX-License-Identifier: GPL-3.0-or-later
// A fuzz target without libFuzzer: every file of the folders given goes to
// LLVMFuzzerTestOneInput once, in the order of their names. A broken invariant aborts and the
// sanitizers stop at what they find, so a reader that starts failing on a known input fails
// its test.

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size);

int main(int argc, char *argv[])
{
    std::vector<std::filesystem::path> inputs;
    for (int i = 1; i < argc; ++i) {
        for (const auto &entry : std::filesystem::directory_iterator(argv[i]))
            inputs.push_back(entry.path());
    }
    std::sort(inputs.begin(), inputs.end());
    for (const std::filesystem::path &input : inputs) {
        std::ifstream file(input, std::ios::binary);
        // libFuzzer passes a pointer to a byte even with an empty input.
        std::vector<std::uint8_t> bytes {std::istreambuf_iterator<char>(file),
                                         std::istreambuf_iterator<char>()};
        const std::size_t size = bytes.size();
        bytes.push_back(0);
        LLVMFuzzerTestOneInput(bytes.data(), size);
    }
    std::printf("%zu inputs replayed\n", inputs.size());
    return inputs.empty() ? 1 : 0;
}
