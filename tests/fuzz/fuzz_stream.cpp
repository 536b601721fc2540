// Reads arbitrary bytes as an object document of two registered classes, or
// as loose typed items. The first byte picks the mode and the byte order.
#include "AMemStream.h"
#include "AObjDoc.h"
#include "APortable.h"
#include "KsHandle.h"
#include "XError.h"

#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

int gLive = 0;

// A node: owns its children, refers to its parent, colour in extension 1.
class FNode : public APortable {
    KS_DECLARE_CLASS(FNode, APortable)
    static constexpr OSType kID = FourCharCode("FNod");
    FNode() { ++gLive; }
    ~FNode() override { --gLive; }
    static APortable* Make() { return new FNode; }
    OSType GetClassID() const override { return kID; }
    SInt16 GetVersionWritten() const override { return 2; }
    void Dispose() override {
        for (APortable* c : children)
            c->Dispose();
        children.clear();
        KsDisposeHandle(data);
        data = nullptr;
        APortable::Dispose();
    }
    void Get(AStream& s) override {
        SInt16 version = s.GetClassMark(kID, 1, 2);
        value = s.GetLong("value");
        char name[32];
        s.GetCString("name", name, sizeof name);
        data = s.GetHandle("data");
        parent = s.GetObjectRef("parent");
        SInt32 count = s.GetLong("count");
        for (SInt32 i = 0; i < count; ++i)
            if (APortable* o = s.GetObject("child")) children.push_back(o);
        SInt16 n;
        if (version >= 2)
            while (s.GetNextExtension(&n))
                if (n == 1) s.GetColor("color", &color[0], &color[1], &color[2]);
    }
    SInt32 value = 0;
    Handle data = nullptr;
    APortable* parent = nullptr;
    std::vector<APortable*> children;
    UInt16 color[3] = {};
};

class FLeaf : public FNode {
    KS_DECLARE_CLASS(FLeaf, FNode)
    static constexpr OSType kLeafID = FourCharCode("FLef");
    static APortable* Make() { return new FLeaf; }
    OSType GetClassID() const override { return kLeafID; }
    void Get(AStream& s) override {
        FNode::Get(s);
        s.GetClassMark(kLeafID, 1, 1);
        weight = s.GetDouble("weight");
        Str255 note;
        s.GetPString("note", note);
    }
    double weight = 0;
};

const bool gRegistered = [] {
    PClassAdd(FNode::kID, "FNode", &FNode::Make);
    PClassAdd(FLeaf::kLeafID, "FLeaf", &FLeaf::Make);
    return true;
}();

void ReadLooseItems(AStream& s) {
    char buf[64];
    Str255 pstr;
    SInt32 l, t, r, b;
    UInt16 red, green, blue;
    SInt16 number;
    for (int n = 0;; ++n) {
        switch (s.PeekItemType()) {
        case KsItemType::none:
            return;
        case KsItemType::charItem:
            s.GetChar(nullptr);
            break;
        case KsItemType::boolItem:
            s.GetBool(nullptr);
            break;
        case KsItemType::shortItem:
            s.GetShort(nullptr);
            break;
        case KsItemType::longItem:
            s.GetLong(nullptr);
            break;
        case KsItemType::doubleItem:
            s.GetDouble(nullptr);
            break;
        case KsItemType::handleItem:
        case KsItemType::nullHandle:
            KsDisposeHandle(s.GetHandle(nullptr));
            break;
        case KsItemType::rectItem:
            s.GetRect(nullptr, &l, &t, &r, &b);
            break;
        case KsItemType::colorItem:
            s.GetColor(nullptr, &red, &green, &blue);
            break;
        case KsItemType::cString:
            if (n & 1)
                s.GetString(nullptr);
            else
                s.GetCString(nullptr, buf, sizeof buf);
            break;
        case KsItemType::pString:
            s.GetPString(nullptr, pstr);
            break;
        case KsItemType::bytesItem:
            s.GetBytes(nullptr, buf, sizeof buf);
            break;
        case KsItemType::object:
            if (APortable* o = s.GetObject(nullptr)) o->Dispose();
            break;
        case KsItemType::objectRef:
        case KsItemType::nullObject:
            s.GetObjectRef(nullptr);
            break;
        case KsItemType::classMark:
            s.GetClassMark(FNode::kID, 1, 2);
            break;
        case KsItemType::extension:
        case KsItemType::extensionsEnd:
            s.GetNextExtension(&number);
            break;
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    (void)gRegistered;
    if (size == 0) return 0;
    const KsByteOrder order = data[0] & 2 ? KsByteOrder::littleEndian : KsByteOrder::bigEndian;
    Handle h = KsNewHandleFrom(data + 1, Size(size - 1));
    if (!h) return 0;
    try {
        AMemStream s(h, order);
        if (data[0] & 1) {
            ReadLooseItems(s);
        } else {
            AObjDoc doc(s);
            doc.Read();
        }
    } catch (const XError&) {
        // Bad data is expected to raise.
    }
    KsDisposeHandle(h);
    if (gLive != 0) std::abort(); // a half-built tree was left behind
    return 0;
}
