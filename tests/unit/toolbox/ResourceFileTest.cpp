// The resource-file codec: what it writes reads back, and damaged files of
// every kind raise XError without reading outside the input.
#include "KsRaisedError.h"
#include "ResourceTestSupport.h"
#include "XError.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

UInt16 Get16(const std::vector<UInt8>& b, std::size_t at) {
    return UInt16(b[at] << 8 | b[at + 1]);
}
UInt32 Get32(const std::vector<UInt8>& b, std::size_t at) {
    return UInt32(b[at]) << 24 | UInt32(b[at + 1]) << 16 | UInt32(b[at + 2]) << 8 | b[at + 3];
}
void Put16(std::vector<UInt8>& b, std::size_t at, UInt16 v) {
    b[at] = UInt8(v >> 8);
    b[at + 1] = UInt8(v);
}
void Put32(std::vector<UInt8>& b, std::size_t at, UInt32 v) {
    Put16(b, at, UInt16(v >> 16));
    Put16(b, at + 2, UInt16(v));
}

std::vector<UInt8> Sample() {
    return MakeResourceImage({{"TEXT", 128, "hello", "Greeting", 0x20},
                              {"TEXT", -5, "", nullptr},
                              {"ICON", 1, std::string(128, '\xAA'), ""},
                              {"TEXT", 129, "world", "Other"}},
                             0x0080);
}

// Where the fields of Sample() lie.
struct Layout {
    std::size_t map, typeList, nameList, firstRef;
    explicit Layout(const std::vector<UInt8>& b) {
        map = Get32(b, 4);
        typeList = map + Get16(b, map + 24);
        nameList = map + Get16(b, map + 26);
        firstRef = typeList + Get16(b, typeList + 2 + 6);
    }
};

std::string CorruptWhat(const std::vector<UInt8>& bytes) {
    const XError e = ErrorOf([&] { KsReadResourceMap(bytes.data(), bytes.size()); });
    if (!e.IsError()) return "accepted";
    EXPECT_STREQ(e.GetCode(), "RSRC_CORRUPT");
    const XErrorParam* what = e.FindParam("what");
    return what ? what->value : "?";
}

} // namespace

TEST(ResourceFileTest, WrittenFilesReadBackInGroupedOrder) {
    std::vector<UInt8> bytes = Sample();
    EXPECT_EQ(Get32(bytes, 0), kKsResDataStart);
    KsResMap map = KsReadResourceMap(bytes.data(), bytes.size());
    EXPECT_EQ(map.fileAttrs, 0x0080);
    ASSERT_EQ(map.records.size(), 4u);
    // Grouped by type in order of first appearance, order within a type kept.
    const SInt16 ids[] = {128, -5, 129, 1};
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(map.records[std::size_t(i)].id, ids[i]);
    const KsResRecord& first = map.records[0];
    EXPECT_EQ(first.type, FourCharCode("TEXT"));
    EXPECT_EQ(first.attrs, 0x20);
    EXPECT_TRUE(first.hasName);
    EXPECT_EQ(first.name, "Greeting");
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(first.data), first.length), "hello");
    EXPECT_FALSE(map.records[1].hasName);
    EXPECT_EQ(map.records[1].length, 0u);
    EXPECT_TRUE(map.records[3].hasName); // an empty name is still a name
    EXPECT_EQ(map.records[3].name, "");
    EXPECT_EQ(map.records[3].length, 128u);

    // Writing what was read gives the same bytes.
    EXPECT_EQ(KsWriteResourceMap(map), bytes);
}

TEST(ResourceFileTest, EmptyMapAndLimits) {
    std::vector<UInt8> empty = KsWriteResourceMap(KsResMap{});
    EXPECT_TRUE(KsReadResourceMap(empty.data(), empty.size()).records.empty());

    KsResMap dup;
    KsResRecord rec;
    rec.type = FourCharCode("DUPE");
    dup.records = {rec, rec};
    EXPECT_EQ(ErrorCode([&] { KsWriteResourceMap(dup); }), "RSRC_DUPLICATE");

    KsResMap longName;
    rec.hasName = true;
    rec.name.assign(256, 'x');
    longName.records = {rec};
    EXPECT_THROW(KsWriteResourceMap(longName), XError);

    // 6000 resources overflow the 16-bit offsets of the map.
    KsResMap many;
    rec.hasName = false;
    for (int i = 0; i < 6000; ++i) {
        rec.id = SInt16(i);
        many.records.push_back(rec);
    }
    EXPECT_EQ(ErrorCode([&] { KsWriteResourceMap(many); }), "RSRC_TOO_LARGE");
}

TEST(ResourceFileTest, EveryDamagedFieldIsNamed) {
    const std::vector<UInt8> good = Sample();
    const Layout at(good);
    struct Case {
        const char* label;
        void (*damage)(std::vector<UInt8>&, const Layout&);
        const char* what;
    };
    const Case cases[] = {
        {"data offset", [](auto& b, auto&) { Put32(b, 0, 0xFFFFFF00); },
         "the data area lies outside the file"},
        {"data offset inside header", [](auto& b, auto&) { Put32(b, 0, 4); },
         "the data area lies outside the file"},
        {"data length", [](auto& b, auto&) { Put32(b, 8, Get32(b, 8) + 0x10000); },
         "the data area lies outside the file"},
        {"map offset", [](auto& b, auto&) { Put32(b, 4, Get32(b, 4) + 1); },
         "the map lies outside the file"},
        {"map length", [](auto& b, auto&) { Put32(b, 12, 0xFFFFFFFF); },
         "the map lies outside the file"},
        {"short map", [](auto& b, auto&) { Put32(b, 12, 27); },
         "the map is shorter than its header"},
        {"type list offset", [](auto& b, auto& l) { Put16(b, l.map + 24, 0xFFF0); },
         "the type list lies outside the map"},
        {"name list offset", [](auto& b, auto& l) { Put16(b, l.map + 26, 0xFFF0); },
         "the name list lies outside the map"},
        {"type count", [](auto& b, auto& l) { Put16(b, l.typeList, 0x7FFF); },
         "the type list runs past the map"},
        {"reference count", [](auto& b, auto& l) { Put16(b, l.typeList + 2 + 4, 0x0FFF); },
         "the reference lists claim more entries than the map holds"},
        {"reference list offset", [](auto& b, auto& l) { Put16(b, l.typeList + 2 + 6, 0xFF00); },
         "a reference list runs past the map"},
        {"duplicate type",
         [](auto& b, auto& l) { std::memcpy(&b[l.typeList + 10], &b[l.typeList + 2], 4); },
         "a type appears twice in the type list"},
        {"duplicate ID", [](auto& b, auto& l) { Put16(b, l.firstRef + 12, 128); },
         "a resource appears twice"},
        {"name offset", [](auto& b, auto& l) { Put16(b, l.firstRef + 2, 0x7000); },
         "a name lies outside the map"},
        {"name length", [](auto& b, auto& l) { b[l.nameList] = 0xFF; }, "a name runs past the map"},
        {"data block offset", [](auto& b, auto& l) { b[l.firstRef + 5] = 0x7F; },
         "a data block lies outside the data area"},
        {"data block length", [](auto& b, auto&) { Put32(b, kKsResDataStart, 0x00FFFFFF); },
         "a data block runs past the data area"},
    };
    for (const Case& c : cases) {
        std::vector<UInt8> bytes = good;
        c.damage(bytes, at);
        EXPECT_EQ(CorruptWhat(bytes), c.what) << c.label;
    }
    EXPECT_EQ(CorruptWhat(std::vector<UInt8>(good.begin(), good.begin() + 15)),
              "the file is shorter than its header");
}

TEST(ResourceFileTest, RefListsSharingBytesCannotInflateTheCount) {
    // 200 types all point at one list of 65536 distinct IDs: under a megabyte
    // of map claiming 13 million records. Refused before anything is sized.
    const std::size_t types = 200, refs = 65536;
    const std::size_t mapLen = 28 + 2 + 8 * types + 12 * refs;
    std::vector<UInt8> b(256 + 4 + mapLen, 0);
    const std::size_t map = 260;
    Put32(b, 0, 256);
    Put32(b, 4, UInt32(map));
    Put32(b, 8, 4);
    Put32(b, 12, UInt32(mapLen));
    Put16(b, map + 24, 28);
    Put16(b, map + 26, 28); // no names are used
    const std::size_t typeList = map + 28;
    Put16(b, typeList, UInt16(types - 1));
    for (std::size_t t = 0; t < types; ++t) {
        Put32(b, typeList + 2 + 8 * t, UInt32(0x41410000 + t));
        Put16(b, typeList + 2 + 8 * t + 4, UInt16(refs - 1));
        Put16(b, typeList + 2 + 8 * t + 6, UInt16(2 + 8 * types));
    }
    for (std::size_t r = 0; r < refs; ++r) {
        const std::size_t ref = typeList + 2 + 8 * types + 12 * r;
        Put16(b, ref, UInt16(r));
        Put16(b, ref + 2, 0xFFFF);
    }
    EXPECT_EQ(CorruptWhat(b), "the reference lists claim more entries than the map holds");
}

TEST(ResourceFileTest, TruncationsAndByteFlipsNeverEscapeAsAnythingButXError) {
    const std::vector<UInt8> good = Sample();
    for (std::size_t len = 0; len < good.size(); ++len) {
        std::vector<UInt8> cut(good.begin(), good.begin() + std::ptrdiff_t(len));
        EXPECT_NE(CorruptWhat(cut), "accepted") << "length " << len;
    }
    const UInt8 values[] = {0x00, 0x7F, 0x80, 0xFF};
    for (std::size_t i = 0; i < good.size(); ++i)
        for (UInt8 v : values) {
            std::vector<UInt8> bytes = good;
            bytes[i] = v;
            const std::string code = ErrorCode([&] {
                const KsResMap map = KsReadResourceMap(bytes.data(), bytes.size());
                for (const KsResRecord& r : map.records) {
                    ASSERT_GE(r.data, bytes.data());
                    ASSERT_LE(r.data + r.length, bytes.data() + bytes.size());
                }
            });
            EXPECT_TRUE(code.empty() || code == "RSRC_CORRUPT") << code;
        }
}
