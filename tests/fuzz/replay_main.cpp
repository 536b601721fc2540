// Runs a fuzz target without libFuzzer: every corpus file once, then a number
// of seeded mutations of them, so each run of the test suite both replays the
// known inputs (crash inputs included) and probes a little further.
//
// usage: <target> [--mutations=N] [--seed=S] [--max-len=L] corpus-dir-or-file ...
#include "KsSplitMix.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace {
using Bytes = std::vector<std::uint8_t>;

void Collect(const std::filesystem::path& p, std::vector<Bytes>& out) {
    if (std::filesystem::is_directory(p)) {
        std::vector<std::filesystem::path> files;
        for (const auto& e : std::filesystem::recursive_directory_iterator(p))
            if (e.is_regular_file()) files.push_back(e.path());
        std::sort(files.begin(), files.end()); // the same order on every machine
        for (const auto& f : files)
            Collect(f, out);
        return;
    }
    std::ifstream in(p, std::ios::binary);
    if (!in) {
        std::fprintf(stderr, "cannot read %s\n", p.c_str());
        std::exit(2);
    }
    out.emplace_back(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void Mutate(Bytes& b, const std::vector<Bytes>& corpus, KsSplitMix& rng, std::size_t maxLen) {
    static const std::uint8_t kInteresting[] = {0,   1,   0x7F, 0x80, 0xFF, 0xFE, '0', '9',
                                                ':', ';', '\\', '"',  '\n', '\r', ' ', '-'};
    int steps = 1 + int(rng.Below(4));
    for (int s = 0; s < steps; ++s) {
        switch (rng.Below(7)) {
        case 0: // flip a bit
            if (!b.empty()) b[rng.Below(b.size())] ^= std::uint8_t(1u << rng.Below(8));
            break;
        case 1: // an interesting byte
            if (!b.empty()) b[rng.Below(b.size())] = kInteresting[rng.Below(sizeof kInteresting)];
            break;
        case 2: { // delete a range
            if (b.empty()) break;
            std::size_t at = rng.Below(b.size());
            std::size_t n = 1 + rng.Below(std::min<std::size_t>(b.size() - at, 16));
            b.erase(b.begin() + long(at), b.begin() + long(at + n));
            break;
        }
        case 3: { // insert random bytes
            std::size_t at = rng.Below(b.size() + 1);
            std::size_t n = 1 + rng.Below(8);
            for (std::size_t i = 0; i < n; ++i)
                b.insert(b.begin() + long(at), std::uint8_t(rng.Next()));
            break;
        }
        case 4: // truncate
            b.resize(rng.Below(b.size() + 1));
            break;
        case 5: { // duplicate a range
            if (b.empty()) break;
            std::size_t at = rng.Below(b.size());
            std::size_t n = 1 + rng.Below(std::min<std::size_t>(b.size() - at, 32));
            Bytes piece(b.begin() + long(at), b.begin() + long(at + n));
            b.insert(b.begin() + long(rng.Below(b.size() + 1)), piece.begin(), piece.end());
            break;
        }
        default: { // splice with another input
            const Bytes& other = corpus[rng.Below(corpus.size())];
            std::size_t cut = rng.Below(b.size() + 1);
            std::size_t from = rng.Below(other.size() + 1);
            b.resize(cut);
            b.insert(b.end(), other.begin() + long(from), other.end());
            break;
        }
        }
    }
    if (b.size() > maxLen) b.resize(maxLen);
}
} // namespace

int main(int argc, char** argv) {
    long mutations = 0;
    std::uint64_t seed = 1;
    std::size_t maxLen = 4096;
    std::vector<Bytes> corpus;
    for (int i = 1; i < argc; ++i) {
        if (std::strncmp(argv[i], "--mutations=", 12) == 0)
            mutations = std::atol(argv[i] + 12);
        else if (std::strncmp(argv[i], "--seed=", 7) == 0)
            seed = std::strtoull(argv[i] + 7, nullptr, 10);
        else if (std::strncmp(argv[i], "--max-len=", 10) == 0)
            maxLen = std::size_t(std::atol(argv[i] + 10));
        else
            Collect(argv[i], corpus);
    }
    if (corpus.empty()) {
        std::fprintf(stderr, "no corpus inputs\n");
        return 2;
    }
    for (const Bytes& b : corpus)
        LLVMFuzzerTestOneInput(b.data(), b.size());
    KsSplitMix rng{seed};
    for (long i = 0; i < mutations; ++i) {
        Bytes b = corpus[rng.Below(corpus.size())];
        Mutate(b, corpus, rng, maxLen);
        // A heap copy of exactly the input's size, so reading past it is caught.
        std::unique_ptr<std::uint8_t[]> exact(new std::uint8_t[b.size() ? b.size() : 1]);
        if (!b.empty()) std::memcpy(exact.get(), b.data(), b.size());
        LLVMFuzzerTestOneInput(exact.get(), b.size());
    }
    std::printf("replayed %zu corpus inputs and %ld mutations\n", corpus.size(), mutations);
    return 0;
}
