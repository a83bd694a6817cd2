// Runs a fuzz target once over every file given, or every file of the directories given, without
// libFuzzer: the committed corpus becomes a regression test that any compiler can build.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(std::uint8_t const* data, std::size_t size);

int main(int argc, char** argv) {
    std::size_t runs = 0;
    for (int i = 1; i < argc; ++i) {
        std::vector<std::filesystem::path> inputs{argv[i]};
        if (std::filesystem::is_directory(argv[i])) {
            inputs.assign(std::filesystem::directory_iterator(argv[i]), {});
            std::sort(inputs.begin(), inputs.end());
        }
        for (auto const& input : inputs) {
            std::ifstream in(input, std::ios::binary);
            std::vector<std::uint8_t> const bytes{std::istreambuf_iterator<char>(in), {}};
            LLVMFuzzerTestOneInput(bytes.data(), bytes.size());
            ++runs;
        }
    }
    // An empty corpus would pass without testing anything.
    if (runs == 0) {
        std::fprintf(stderr, "usage: %s corpus-directory-or-file...; no input found\n", argv[0]);
        return 1;
    }
    std::printf("%zu inputs replayed\n", runs);
    return 0;
}
