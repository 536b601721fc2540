#include "ResourceFormatPrivate.h"

#include "XError.h"

#include <algorithm>
#include <iterator>
#include <unordered_map>
#include <unordered_set>

namespace {

const EMMessage kMessages[] = {
    {"RSRC_CORRUPT", "The resource file is damaged: {what} (at offset {offset}).", nullptr},
    {"RSRC_TOO_LARGE", "The resources do not fit in one resource file: {what}.", nullptr},
    {"RSRC_DUPLICATE", "The resource '{type}' {id} appears twice.", nullptr},
};

struct RegisterMessages {
    RegisterMessages() { EMRegisterMessages(kMessages, int(std::size(kMessages))); }
} gRegisterMessages;

[[noreturn]] void Corrupt(const char* what, std::uint64_t offset) {
    xraisexerror("RSRC_CORRUPT", "str what", what, "long offset", std::int64_t(offset));
}

UInt32 Get32(const UInt8* p) {
    return (UInt32(p[0]) << 24) | (UInt32(p[1]) << 16) | (UInt32(p[2]) << 8) | UInt32(p[3]);
}
UInt16 Get16(const UInt8* p) {
    return UInt16((p[0] << 8) | p[1]);
}
UInt32 Get24(const UInt8* p) {
    return (UInt32(p[0]) << 16) | (UInt32(p[1]) << 8) | UInt32(p[2]);
}

void Put32(UInt8* p, UInt32 v) {
    p[0] = UInt8(v >> 24);
    p[1] = UInt8(v >> 16);
    p[2] = UInt8(v >> 8);
    p[3] = UInt8(v);
}
void Put16(UInt8* p, UInt16 v) {
    p[0] = UInt8(v >> 8);
    p[1] = UInt8(v);
}
void Put24(UInt8* p, UInt32 v) {
    p[0] = UInt8(v >> 16);
    p[1] = UInt8(v >> 8);
    p[2] = UInt8(v);
}

constexpr std::size_t kHeaderSize = 16;
constexpr std::size_t kMapHeaderSize = 28; // header copy, reserved, ref, attrs, two offsets
constexpr std::size_t kTypeEntrySize = 8;
constexpr std::size_t kRefEntrySize = 12;

std::uint64_t Key(ResType type, SInt16 id) {
    return (std::uint64_t(type) << 16) | UInt16(id);
}

} // namespace

std::string KsResTypeText(ResType type) {
    std::string s;
    for (int shift = 24; shift >= 0; shift -= 8) {
        char c = char((type >> shift) & 0xFF);
        s += (c >= 0x20 && c < 0x7F) ? c : '?';
    }
    return s;
}

KsResMap KsReadResourceMap(const UInt8* bytes, std::size_t size) {
    if (size < kHeaderSize) Corrupt("the file is shorter than its header", size);
    const std::uint64_t dataOff = Get32(bytes), mapOff = Get32(bytes + 4);
    const std::uint64_t dataLen = Get32(bytes + 8), mapLen = Get32(bytes + 12);
    if (dataOff < kHeaderSize || dataOff + dataLen > size)
        Corrupt("the data area lies outside the file", 0);
    if (mapOff < kHeaderSize || mapOff + mapLen > size) Corrupt("the map lies outside the file", 4);
    if (mapLen < kMapHeaderSize) Corrupt("the map is shorter than its header", 12);

    const UInt8* map = bytes + mapOff;
    KsResMap result;
    result.fileAttrs = Get16(map + 22);
    const std::uint64_t typeListOff = Get16(map + 24), nameListOff = Get16(map + 26);
    if (typeListOff + 2 > mapLen) Corrupt("the type list lies outside the map", mapOff + 24);
    if (nameListOff > mapLen) Corrupt("the name list lies outside the map", mapOff + 26);

    const UInt8* typeList = map + typeListOff;
    // The count is stored minus one; 0xFFFF is the empty map.
    const std::uint64_t typeCount = UInt16(Get16(typeList) + 1);
    if (typeListOff + 2 + typeCount * kTypeEntrySize > mapLen)
        Corrupt("the type list runs past the map", mapOff + typeListOff);

    // Reference lists may not overlap in a sound file, so together they fit in
    // the map; bounding the total first keeps a crafted map from claiming
    // billions of records through lists that share bytes.
    std::uint64_t total = 0;
    for (std::uint64_t t = 0; t < typeCount; ++t)
        total += std::uint64_t(Get16(typeList + 2 + t * kTypeEntrySize + 4)) + 1;
    if (total * kRefEntrySize > mapLen)
        Corrupt("the reference lists claim more entries than the map holds", mapOff + typeListOff);
    result.records.reserve(std::size_t(total));

    std::unordered_set<ResType> types;
    std::unordered_set<std::uint64_t> keys;
    keys.reserve(std::size_t(total));
    for (std::uint64_t t = 0; t < typeCount; ++t) {
        const UInt8* entry = typeList + 2 + t * kTypeEntrySize;
        const std::uint64_t entryOff = mapOff + typeListOff + 2 + t * kTypeEntrySize;
        const ResType type = Get32(entry);
        const std::uint64_t count = std::uint64_t(Get16(entry + 4)) + 1;
        const std::uint64_t refOff = typeListOff + Get16(entry + 6);
        if (!types.insert(type).second) Corrupt("a type appears twice in the type list", entryOff);
        if (refOff + count * kRefEntrySize > mapLen)
            Corrupt("a reference list runs past the map", entryOff + 6);
        for (std::uint64_t r = 0; r < count; ++r) {
            const UInt8* ref = map + refOff + r * kRefEntrySize;
            const std::uint64_t refFileOff = mapOff + refOff + r * kRefEntrySize;
            KsResRecord rec;
            rec.type = type;
            rec.id = SInt16(Get16(ref));
            if (!keys.insert(Key(type, rec.id)).second)
                xraisexerror(XError("RSRC_CORRUPT", "str what", "a resource appears twice",
                                    "long offset", std::int64_t(refFileOff))
                                 .AddParam("str type", KsResTypeText(type))
                                 .AddParam("short id", rec.id));
            const SInt16 nameOff = SInt16(Get16(ref + 2));
            rec.attrs = ref[4];
            const std::uint64_t blockOff = Get24(ref + 5);
            if (nameOff != -1) {
                const std::uint64_t at = nameListOff + UInt16(nameOff);
                if (at + 1 > mapLen) Corrupt("a name lies outside the map", refFileOff + 2);
                const std::uint64_t len = map[at];
                if (at + 1 + len > mapLen) Corrupt("a name runs past the map", refFileOff + 2);
                rec.hasName = true;
                rec.name.assign(reinterpret_cast<const char*>(map + at + 1), std::size_t(len));
            }
            if (blockOff + 4 > dataLen)
                Corrupt("a data block lies outside the data area", refFileOff + 5);
            const UInt8* block = bytes + dataOff + blockOff;
            const std::uint64_t len = Get32(block);
            if (blockOff + 4 + len > dataLen)
                Corrupt("a data block runs past the data area", dataOff + blockOff);
            rec.data = block + 4;
            rec.length = UInt32(len);
            result.records.push_back(std::move(rec));
        }
    }
    return result;
}

std::vector<UInt8> KsWriteResourceMap(const KsResMap& map, std::vector<UInt32>* dataOffsets) {
    // Group by type in order of first appearance, keeping order within a type.
    std::vector<ResType> typeOrder;
    std::unordered_map<ResType, std::vector<std::size_t>> byType;
    std::unordered_set<std::uint64_t> keys;
    for (std::size_t i = 0; i < map.records.size(); ++i) {
        const KsResRecord& rec = map.records[i];
        if (!keys.insert(Key(rec.type, rec.id)).second)
            xraisexerror("RSRC_DUPLICATE", "str type", KsResTypeText(rec.type), "short id", rec.id);
        auto [it, fresh] = byType.try_emplace(rec.type);
        if (fresh) typeOrder.push_back(rec.type);
        it->second.push_back(i);
    }
    if (typeOrder.size() > 65536) xraisexerror("RSRC_TOO_LARGE", "str what", "too many types");

    // Data area, in record order of the grouped layout.
    std::vector<std::size_t> order;
    order.reserve(map.records.size());
    for (ResType t : typeOrder)
        for (std::size_t i : byType[t])
            order.push_back(i);

    std::uint64_t dataLen = 0, nameLen = 0;
    for (std::size_t i : order) {
        const KsResRecord& rec = map.records[i];
        if (dataLen > 0xFFFFFF)
            xraisexerror("RSRC_TOO_LARGE", "str what", "the data area exceeds 16 MB");
        dataLen += 4 + std::uint64_t(rec.length);
        if (rec.hasName) {
            if (rec.name.size() > 255)
                xraisexerror("RSRC_TOO_LARGE", "str what", "a name is longer than 255 bytes");
            nameLen += 1 + rec.name.size();
        }
    }
    const std::uint64_t typeListOff = kMapHeaderSize;
    const std::uint64_t refListsOff = 2 + typeOrder.size() * kTypeEntrySize; // from type list
    const std::uint64_t nameListOff = typeListOff + refListsOff + order.size() * kRefEntrySize;
    if (nameListOff > 0xFFFF)
        xraisexerror("RSRC_TOO_LARGE", "str what", "the reference lists exceed the map's reach");
    const std::uint64_t mapLen = nameListOff + nameLen;
    const std::uint64_t mapOff = kKsResDataStart + dataLen;
    if (mapOff + mapLen > 0xFFFFFFFFull)
        xraisexerror("RSRC_TOO_LARGE", "str what", "the file exceeds 4 GB");

    std::vector<UInt8> out(std::size_t(mapOff + mapLen), 0);
    UInt8* header = out.data();
    Put32(header, kKsResDataStart);
    Put32(header + 4, UInt32(mapOff));
    Put32(header + 8, UInt32(dataLen));
    Put32(header + 12, UInt32(mapLen));
    UInt8* m = out.data() + mapOff;
    std::copy(header, header + kHeaderSize, m);
    Put16(m + 22, map.fileAttrs);
    Put16(m + 24, UInt16(typeListOff));
    Put16(m + 26, UInt16(nameListOff));

    if (dataOffsets) dataOffsets->assign(map.records.size(), 0);
    UInt8* typeList = m + typeListOff;
    Put16(typeList, UInt16(typeOrder.size() - 1)); // 0xFFFF for an empty map
    std::uint64_t data = 0, names = 0, refOff = refListsOff;
    for (std::size_t t = 0; t < typeOrder.size(); ++t) {
        const std::vector<std::size_t>& members = byType[typeOrder[t]];
        if (members.size() > 65536)
            xraisexerror("RSRC_TOO_LARGE", "str what", "too many resources of one type");
        UInt8* entry = typeList + 2 + t * kTypeEntrySize;
        Put32(entry, typeOrder[t]);
        Put16(entry + 4, UInt16(members.size() - 1));
        Put16(entry + 6, UInt16(refOff));
        for (std::size_t i : members) {
            const KsResRecord& rec = map.records[i];
            UInt8* ref = typeList + refOff;
            Put16(ref, UInt16(rec.id));
            if (rec.hasName) {
                if (names > 0x7FFF)
                    xraisexerror("RSRC_TOO_LARGE", "str what", "the names exceed the map's reach");
                Put16(ref + 2, UInt16(names));
                UInt8* n = m + nameListOff + names;
                n[0] = UInt8(rec.name.size());
                std::copy(rec.name.begin(), rec.name.end(), n + 1);
                names += 1 + rec.name.size();
            } else {
                Put16(ref + 2, 0xFFFF);
            }
            ref[4] = rec.attrs;
            Put24(ref + 5, UInt32(data));
            UInt8* block = out.data() + kKsResDataStart + data;
            Put32(block, rec.length);
            if (rec.length) std::copy(rec.data, rec.data + rec.length, block + 4);
            if (dataOffsets) (*dataOffsets)[i] = UInt32(kKsResDataStart + data + 4);
            data += 4 + std::uint64_t(rec.length);
            refOff += kRefEntrySize;
        }
    }
    return out;
}
