// Translation tables inside the library (and for its tests and fuzz target).
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

// An immutable table: all texts in one block, indexed by an open-addressing
// hash so that a lookup neither allocates nor locks.
class StxTable {
public:
    StxTable(const StxTable&) = delete;
    StxTable& operator=(const StxTable&) = delete;

    // Parses a table file's contents; raises "STX_TABLE_CORRUPT" naming the
    // file and line.
    static std::unique_ptr<StxTable> Parse(std::string_view data, const char* fileName);

    // The translation of a source text of `length` bytes whose hash is `hash`
    // (StxHash); null when the table has none.
    const char* Find(const char* text, std::size_t length, std::uint64_t hash) const;
    const char* Find(std::string_view text) const;

    std::size_t Count() const { return count_; }

private:
    StxTable() = default;
    struct Slot {
        std::uint32_t hash = 0;
        std::uint32_t keyOffset = kEmpty;
        std::uint32_t keyLength = 0;
        std::uint32_t valueOffset = 0;
    };
    static constexpr std::uint32_t kEmpty = 0xFFFFFFFF;

    std::string texts_; // keys and values, each followed by a zero byte
    std::vector<Slot> slots_;
    std::size_t count_ = 0;
};

// FNV-1a, 64 bits. Incremental: StxHashByte(h, c) for each byte from kStxHashSeed.
constexpr std::uint64_t kStxHashSeed = 0xCBF29CE484222325ull;
inline std::uint64_t StxHashByte(std::uint64_t h, unsigned char c) {
    return (h ^ c) * 0x100000001B3ull;
}
std::uint64_t StxHash(std::string_view text);

// Largest table file read; a bigger one is refused, not read in part.
constexpr std::size_t kStxMaxFileSize = 8u << 20;

// Makes `table` (may be null) the current one; it is kept for the life of the
// process, since stx answers point into it.
void StxInstallTable(std::unique_ptr<StxTable> table);
