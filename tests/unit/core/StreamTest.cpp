// Object model, class registry and binary streams.
#include "AMemStream.h"
#include "AObjDoc.h"
#include "APortable.h"
#include "KsHandle.h"
#include "KsRaisedError.h"
#include "XError.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <string>
#include <vector>

namespace {

// A node of a tree: owns its children, refers back to its parent. Version 2
// adds extension 1 (a colour); the test knobs below let it write as a newer
// or older writer would.
int gLiveNodes = 0;
SInt16 gWriteVersion = 2;
bool gWriteUnknownExtension = false;
bool gWriteTrailingItem = false;

class TNode : public APortable {
    KS_DECLARE_CLASS(TNode, APortable)
    static constexpr OSType kID = FourCharCode("TNod");

    TNode() { ++gLiveNodes; }
    ~TNode() override { --gLiveNodes; }
    static APortable* Make() { return new TNode; }

    void Dispose() override {
        for (TNode* c : children)
            c->Dispose();
        children.clear();
        KsDisposeHandle(data);
        data = nullptr;
        APortable::Dispose();
    }
    OSType GetClassID() const override { return kID; }
    SInt16 GetVersionWritten() const override { return 2; }
    const char* GetExtensionDescription() const override {
        return PCLASS_EXTENSIONS1(PCLASS_EXT(RGBColor, 1));
    }

    TNode* Add(TNode* child) {
        child->parent = this;
        children.push_back(child);
        return child;
    }

    void Put(AStream& s) override {
        APortable::Put(s);
        s.PutClassMark(kID, gWriteVersion);
        s.PutLong("value", value);
        s.PutCString("name", name.c_str());
        s.PutHandle("data", data);
        s.PutObjectRef("parent", parent);
        s.PutLong("count", SInt32(children.size()));
        for (TNode* c : children)
            s.PutObject("child", c);
        if (gWriteVersion >= 2) {
            if (gWriteUnknownExtension) {
                s.BeginExtension(9);
                s.PutDouble("future", 1.5);
                s.PutCString("more", "from a newer writer");
                s.EndExtension();
            }
            s.BeginExtension(1);
            s.PutColor("color", color[0], color[1], color[2]);
            if (gWriteTrailingItem) s.PutLong("extra", 77);
            s.EndExtension();
            s.PutExtensionsEnd();
        }
        // Only the end of the whole record may grow; a base's record is
        // followed by its subclass's.
        if (gWriteTrailingItem && GetClassID() == kID)
            s.PutCString("appended", "by a newer writer");
    }

    void Get(AStream& s) override {
        APortable::Get(s);
        SInt16 version = s.GetClassMark(kID, 1, 2);
        value = s.GetLong("value");
        name = s.GetString("name");
        data = s.GetHandle("data");
        APortable* p = s.GetObjectRef("parent");
        parent = p && p->IsInstanceOf("TNode") ? static_cast<TNode*>(p) : nullptr;
        SInt32 count = s.GetLong("count");
        for (SInt32 i = 0; i < count; ++i) {
            APortable* o = s.GetObject("child");
            if (!o) continue;
            if (!o->IsInstanceOf("TNode")) {
                o->Dispose();
                continue;
            }
            children.push_back(static_cast<TNode*>(o)); // adopted at once
        }
        SInt16 n;
        if (version >= 2)
            while (s.GetNextExtension(&n))
                if (n == 1) s.GetColor("color", &color[0], &color[1], &color[2]);
    }

    SInt32 value = 0;
    std::string name;
    Handle data = nullptr;
    TNode* parent = nullptr;
    std::vector<TNode*> children;
    UInt16 color[3] = {0, 0, 0};
};

class TLeaf : public TNode {
    KS_DECLARE_CLASS(TLeaf, TNode)
    static constexpr OSType kLeafID = FourCharCode("TLef");
    static APortable* Make() { return new TLeaf; }
    OSType GetClassID() const override { return kLeafID; }
    void Put(AStream& s) override {
        TNode::Put(s);
        s.PutClassMark(kLeafID, 1);
        s.PutDouble("weight", weight);
    }
    void Get(AStream& s) override {
        TNode::Get(s);
        s.GetClassMark(kLeafID, 1, 1);
        weight = s.GetDouble("weight");
    }
    double weight = 0;
};

// Streamable, but not a node: a node reading it as a child drops it.
class TOther : public APortable {
    KS_DECLARE_CLASS(TOther, APortable)
    static APortable* Make() { return new TOther; }
    OSType GetClassID() const override { return FourCharCode("TOth"); }
};

class TUnregistered : public APortable {
    KS_DECLARE_CLASS(TUnregistered, APortable)
    OSType GetClassID() const override { return FourCharCode("TUnr"); }
};

class TNoID : public APortable {
    KS_DECLARE_CLASS(TNoID, APortable)
};

class Stream : public ::testing::Test {
protected:
    void SetUp() override {
        PClassAdd(TNode::kID, "TNode", &TNode::Make);
        PClassAdd(TLeaf::kLeafID, "TLeaf", &TLeaf::Make);
        PClassAdd(FourCharCode("TOth"), "TOther", &TOther::Make);
        gWriteVersion = 2;
        gWriteUnknownExtension = false;
        gWriteTrailingItem = false;
    }
    void TearDown() override { EXPECT_EQ(gLiveNodes, 0) << "nodes leaked or freed twice"; }

    // root -> a (leaf), b -> c; every child refers to its parent; a also
    // holds a handle.
    static TNode* MakeTree() {
        auto* root = new TNode;
        root->value = 1;
        root->name = "root";
        root->color[0] = 0xFFFF;
        auto* a = static_cast<TLeaf*>(root->Add(new TLeaf));
        a->value = 2;
        a->weight = 0.25;
        a->data = KsNewHandleFrom("\x01\x02\x03", 3);
        TNode* b = root->Add(new TNode);
        b->value = 3;
        b->name = "b";
        TNode* c = b->Add(new TNode);
        c->value = 4;
        c->color[2] = 0x1234;
        return root;
    }

    static std::vector<UInt8> Bytes(AMemStream& s) {
        Handle h = s.GetDataHandle();
        return std::vector<UInt8>(*h, *h + KsGetHandleSize(h));
    }

    static Handle HandleOf(const std::vector<UInt8>& bytes, std::size_t length) {
        return KsNewHandleFrom(bytes.data(), Size(length));
    }

    static std::vector<UInt8> WriteDoc(TNode* root, KsByteOrder order = KsByteOrder::bigEndian) {
        AMemStream s(order);
        AObjDoc(s).Write(root);
        return Bytes(s);
    }

    // The code of the XError that f raises, or "" when it raises none; *text
    // gets the error's text.
    template <class F> static std::string Raised(F f, std::string* text = nullptr) {
        const XError e = ErrorOf(f);
        if (text && e.IsError()) *text = e.GetText();
        return e.IsError() ? e.GetCode() : "";
    }

    // Reads a document; answers the error code, or "" with *out set.
    static std::string ReadDoc(const std::vector<UInt8>& bytes, std::size_t length,
                               TNode** out = nullptr) {
        Handle h = HandleOf(bytes, length);
        std::string code = Raised([&] {
            AMemStream s(h);
            AObjDoc doc(s);
            doc.Read();
            if (out) *out = static_cast<TNode*>(doc.TakeObject());
        });
        KsDisposeHandle(h);
        return code;
    }

    template <class F>
    static std::string CodeOf(F fn, const std::vector<UInt8>& bytes, std::string* text = nullptr) {
        Handle h = HandleOf(bytes, bytes.size());
        std::string code = Raised(
            [&] {
                AMemStream s(h);
                fn(s);
            },
            text);
        KsDisposeHandle(h);
        return code;
    }
};

void ExpectSameTree(const TNode* a, const TNode* b, const TNode* bParent) {
    ASSERT_NE(b, nullptr);
    EXPECT_STREQ(a->ClassName(), b->ClassName());
    EXPECT_EQ(a->value, b->value);
    EXPECT_EQ(a->name, b->name);
    EXPECT_EQ(b->parent, bParent);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(a->color[i], b->color[i]);
    ASSERT_EQ(a->data == nullptr, b->data == nullptr);
    if (a->data) {
        ASSERT_EQ(KsGetHandleSize(a->data), KsGetHandleSize(b->data));
        EXPECT_EQ(0, std::memcmp(*a->data, *b->data, std::size_t(KsGetHandleSize(a->data))));
    }
    if (a->IsInstanceOf("TLeaf")) {
        EXPECT_EQ(static_cast<const TLeaf*>(a)->weight, static_cast<const TLeaf*>(b)->weight);
    }
    ASSERT_EQ(a->children.size(), b->children.size());
    for (std::size_t i = 0; i < a->children.size(); ++i)
        ExpectSameTree(a->children[i], b->children[i], b);
}

// ---------------------------------------------------------------------------

TEST_F(Stream, ClassIdentityFollowsTheHierarchy) {
    TLeaf leaf;
    const AObject& o = leaf;
    EXPECT_STREQ(o.ClassName(), "TLeaf");
    for (const char* name : {"TLeaf", "TNode", "APortable", "AObject"})
        EXPECT_TRUE(o.IsInstanceOf(name)) << name;
    for (const char* name : {"tleaf", "TOther", "AStream", "", "TLeafX"})
        EXPECT_FALSE(o.IsInstanceOf(name)) << name;
    EXPECT_FALSE(o.IsInstanceOf(nullptr));
    TNode node;
    EXPECT_FALSE(node.IsInstanceOf("TLeaf"));
    AMemStream s;
    EXPECT_TRUE(s.IsInstanceOf("AStream"));
    EXPECT_STREQ(s.ClassName(), "AMemStream");
}

TEST_F(Stream, MisuseStopsThroughOnePath) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    TNoID noID;
    EXPECT_DEATH(noID.GetClassID(), "TNoID.*GetClassID must be supplied by a subclass");
    AMemStream s;
    AObject* plain = &s;
    EXPECT_DEATH(plain->Copy(), "AMemStream.*Copy is not implemented");
    EXPECT_DEATH(s.EndExtension(), "EndExtension without BeginExtension");
    EXPECT_DEATH(s.SkipExtension(), "SkipExtension with no extension open");
    EXPECT_DEATH(s.PutLong(std::string(256, 'x').c_str(), 0), "longer than 255");
    EXPECT_DEATH(PClassAdd(TNode::kID, "NotTNode", &TOther::Make), "another class");
    EXPECT_DEATH(PClassAdd(FourCharCode("Zzzz"), "TNode", &TOther::Make), "another class");
    TNode n;
    EXPECT_DEATH(
        {
            s.PutObject("a", &n);
            s.PutObject("b", &n);
        },
        "already in the stream");
}

TEST_F(Stream, RegistryFindsByIDAndName) {
    const PClassEntry* byID = PClassFindByID(TLeaf::kLeafID);
    ASSERT_NE(byID, nullptr);
    EXPECT_STREQ(byID->name, "TLeaf");
    EXPECT_EQ(PClassFindByName("TLeaf"), byID);
    EXPECT_EQ(PClassFindByName("tleaf"), nullptr);
    EXPECT_EQ(PClassFindByID(FourCharCode("none")), nullptr);
    EXPECT_EQ(PClassNew(FourCharCode("none")), nullptr);
    APortable* made = PClassNew(TLeaf::kLeafID);
    ASSERT_NE(made, nullptr);
    EXPECT_STREQ(made->ClassName(), "TLeaf");
    made->Dispose();
    // Registering the same class again is harmless.
    PClassAdd(TLeaf::kLeafID, "TLeaf", &TLeaf::Make);
    EXPECT_EQ(PClassFindByID(TLeaf::kLeafID), byID);
}

TEST_F(Stream, ExtensionDescriptionsReadAsWritten) {
    TNode n;
    TOther o;
    EXPECT_STREQ(n.GetExtensionDescription(), "PCLASS_EXTENSIONS1( PCLASS_EXT(RGBColor, 1) )");
    EXPECT_STREQ(o.GetExtensionDescription(), "NO_EXTENSIONS");
    EXPECT_EQ(n.GetMaxVersionRead(), 2);
    EXPECT_EQ(n.GetMinVersionRead(), 1);
}

// Every item kind, at its extremes, in both byte orders.
TEST_F(Stream, ItemsRoundTrip) {
    for (KsByteOrder order : {KsByteOrder::bigEndian, KsByteOrder::littleEndian}) {
        unsigned char pstr[256];
        pstr[0] = 255;
        for (int i = 1; i <= 255; ++i)
            pstr[i] = UInt8(i);
        Handle h = KsNewHandleFrom("abc\0def", 7);
        Handle empty = KsNewHandle(0);
        AMemStream s(order);
        s.PutChar("c", char(-128));
        s.PutBool("t", true);
        s.PutBool("f", false);
        s.PutShort("s", -32768);
        s.PutLong("l", std::numeric_limits<SInt32>::min());
        s.PutLong("l2", 0x7FFFFFFF);
        s.PutDouble("d", -0.0);
        s.PutDouble("inf", std::numeric_limits<double>::infinity());
        s.PutDouble("pi", 3.141592653589793);
        s.PutHandle("h", h);
        s.PutHandle("empty", empty);
        s.PutHandle("null", nullptr);
        s.PutRect("r", -1, std::numeric_limits<SInt32>::min(), 0x7FFFFFFF, 42);
        s.PutColor("rgb", 0xFFFF, 0, 0x8001);
        s.PutCString("cs", "hello");
        s.PutCString("nullcs", nullptr);
        s.PutPString("ps", pstr);
        s.PutPString(nullptr, nullptr);
        s.PutBytes("b", "\xff\x00\x7f", 3);
        s.Rewind();

        EXPECT_EQ(s.GetChar("c"), char(-128));
        EXPECT_TRUE(s.GetBool("t"));
        EXPECT_FALSE(s.GetBool("f"));
        EXPECT_EQ(s.GetShort("s"), -32768);
        EXPECT_EQ(s.GetLong("l"), std::numeric_limits<SInt32>::min());
        EXPECT_EQ(s.GetLong(nullptr), 0x7FFFFFFF); // a null label accepts any
        double d = s.GetDouble("d");
        EXPECT_TRUE(d == 0 && std::signbit(d));
        EXPECT_TRUE(std::isinf(s.GetDouble("inf")));
        EXPECT_EQ(s.GetDouble("pi"), 3.141592653589793);
        Handle h2 = s.GetHandle("h");
        ASSERT_NE(h2, nullptr);
        ASSERT_EQ(KsGetHandleSize(h2), 7);
        EXPECT_EQ(0, std::memcmp(*h2, "abc\0def", 7));
        Handle e2 = s.GetHandle("empty");
        ASSERT_NE(e2, nullptr);
        EXPECT_EQ(KsGetHandleSize(e2), 0);
        EXPECT_EQ(s.GetHandle("null"), nullptr);
        SInt32 l, t, r, b;
        s.GetRect("r", &l, &t, &r, &b);
        EXPECT_EQ(l, -1);
        EXPECT_EQ(t, std::numeric_limits<SInt32>::min());
        EXPECT_EQ(r, 0x7FFFFFFF);
        EXPECT_EQ(b, 42);
        UInt16 red, green, blue;
        s.GetColor("rgb", &red, &green, &blue);
        EXPECT_EQ(red, 0xFFFF);
        EXPECT_EQ(green, 0);
        EXPECT_EQ(blue, 0x8001);
        char buf[6];
        EXPECT_EQ(s.GetCString("cs", buf, sizeof buf), 5);
        EXPECT_STREQ(buf, "hello");
        EXPECT_EQ(s.GetString("nullcs"), "");
        unsigned char p2[256];
        s.GetPString("ps", p2);
        EXPECT_EQ(0, std::memcmp(pstr, p2, 256));
        s.GetPString("", p2);
        EXPECT_EQ(p2[0], 0);
        char bytes[3];
        EXPECT_EQ(s.GetBytes("b", bytes, 3), 3);
        EXPECT_EQ(0, std::memcmp(bytes, "\xff\x00\x7f", 3));
        EXPECT_EQ(s.PeekItemType(), KsItemType::none);
        EXPECT_EQ(s.GetPosition(), s.GetLength());
        KsDisposeHandle(h);
        KsDisposeHandle(empty);
        KsDisposeHandle(h2);
        KsDisposeHandle(e2);
    }
}

// The byte layout is a file format: pin it down.
TEST_F(Stream, LayoutIsExplicitPerByteOrder) {
    AMemStream big;
    big.PutLong("v", 0x01020304);
    big.PutColor(nullptr, 0x0102, 0x0304, 0x0506);
    big.PutClassMark(FourCharCode("PANE"), 3);
    EXPECT_EQ(Bytes(big), (std::vector<UInt8>{0x04, 1, 'v', 1,    2, 3,   4,   0x09, 0,   1, 2, 3,
                                              4,    5, 6,   0x13, 0, 'P', 'A', 'N',  'E', 0, 3}));
    AMemStream little(KsByteOrder::littleEndian);
    little.PutLong("v", 0x01020304);
    little.PutColor(nullptr, 0x0102, 0x0304, 0x0506);
    little.PutClassMark(FourCharCode("PANE"), 3);
    EXPECT_EQ(Bytes(little),
              (std::vector<UInt8>{0x04, 1, 'v', 4,    3, 2,   1,   0x09, 0,   2, 1, 4,
                                  3,    6, 5,   0x13, 0, 'E', 'N', 'A',  'P', 3, 0}));
    // Bytes written swapped read back wrong unless the stream is told.
    Handle h = KsNewHandleFrom(*little.GetDataHandle(), KsGetHandleSize(little.GetDataHandle()));
    {
        AMemStream wrong(h);
        EXPECT_EQ(wrong.GetLong("v"), 0x04030201);
        AMemStream right(h, KsByteOrder::littleEndian);
        EXPECT_EQ(right.GetLong("v"), 0x01020304);
    }
    KsDisposeHandle(h);
}

TEST_F(Stream, MismatchesAndBadValuesRaise) {
    auto one = [](void (*put)(AStream&)) {
        AMemStream s;
        put(s);
        return Bytes(s);
    };
    std::vector<UInt8> aLong = one([](AStream& s) { s.PutLong("width", 5); });
    EXPECT_EQ(CodeOf([](AStream& s) { s.GetShort("width"); }, aLong), "STRM_TYPE_MISMATCH");
    EXPECT_EQ(CodeOf([](AStream& s) { s.GetLong("height"); }, aLong), "STRM_LABEL_MISMATCH");
    EXPECT_EQ(CodeOf([](AStream& s) { s.GetLong("widt"); }, aLong), "STRM_LABEL_MISMATCH");
    EXPECT_EQ(CodeOf([](AStream& s) { s.GetObject("width"); }, aLong), "STRM_TYPE_MISMATCH");
    EXPECT_EQ(CodeOf([](AStream& s) { s.GetLong("width"); }, aLong), "");

    std::vector<UInt8> aBool = one([](AStream& s) { s.PutBool("b", true); });
    aBool.back() = 2;
    EXPECT_EQ(CodeOf([](AStream& s) { s.GetBool("b"); }, aBool), "STRM_CORRUPT");
    EXPECT_EQ(CodeOf([](AStream& s) { s.GetLong("x"); }, {0x0D, 0}), "STRM_CORRUPT");
    EXPECT_EQ(CodeOf([](AStream& s) { s.PeekItemType(); }, {0xFF}), "STRM_CORRUPT");

    std::vector<UInt8> aString = one([](AStream& s) { s.PutCString("s", "12345"); });
    char buf[5];
    EXPECT_EQ(CodeOf([&](AStream& s) { s.GetCString("s", buf, 5); }, aString), "STRM_TOO_LONG");
    EXPECT_EQ(CodeOf([&](AStream& s) { s.GetBytes("s", buf, 4); }, aString), "STRM_TYPE_MISMATCH");
    // A null buffer skips the value and the next item is read.
    std::vector<UInt8> twoItems = one([](AStream& s) {
        s.PutCString("s", "skip me");
        s.PutShort("n", 9);
    });
    EXPECT_EQ(CodeOf(
                  [](AStream& s) {
                      EXPECT_EQ(s.GetCString("s", nullptr, 0), 7);
                      EXPECT_EQ(s.GetShort("n"), 9);
                  },
                  twoItems),
              "");
}

TEST_F(Stream, TruncatedItemsAndLengthsAreCheckedBeforeAllocating) {
    std::string text;
    EXPECT_EQ(CodeOf([](AStream& s) { s.GetLong("width"); },
                     {0x04, 5, 'w', 'i', 'd', 't', 'h', 0, 0}, &text),
              "STRM_TRUNCATED");
    EXPECT_EQ(text, "The data ends before the item 'width' at offset 0 is complete.");
    // A handle claiming 2 GB in a 10-byte stream.
    std::vector<UInt8> bytes{0x06, 1, 'h', 0x7F, 0xFF, 0xFF, 0xFF, 1, 2, 3};
    EXPECT_EQ(CodeOf([](AStream& s) { KsDisposeHandle(s.GetHandle("h")); }, bytes),
              "STRM_TRUNCATED");
    bytes[0] = 0x0A; // a C string
    EXPECT_EQ(CodeOf([](AStream& s) { s.GetString("h"); }, bytes), "STRM_TRUNCATED");
    EXPECT_EQ(CodeOf([](AStream& s) { s.GetCString("h", nullptr, 0); }, bytes), "STRM_TRUNCATED");
}

TEST_F(Stream, TreeRoundTripsWithBackReferences) {
    for (KsByteOrder order : {KsByteOrder::bigEndian, KsByteOrder::littleEndian}) {
        TNode* tree = MakeTree();
        std::vector<UInt8> doc = WriteDoc(tree, order);
        EXPECT_EQ(doc[4], order == KsByteOrder::bigEndian ? 'B' : 'L');
        TNode* back = nullptr;
        // The header says how the document was written.
        ASSERT_EQ(ReadDoc(doc, doc.size(), &back), "");
        ExpectSameTree(tree, back, nullptr);
        back->Dispose();
        tree->Dispose();
    }
}

TEST_F(Stream, CopyGoesThroughTheStream) {
    TNode* tree = MakeTree();
    AObject* copy = tree->children[1]->Copy();
    ASSERT_NE(copy, nullptr);
    ASSERT_TRUE(copy->IsInstanceOf("TNode"));
    // The parent was not in the copy's stream, so the copy has none.
    ExpectSameTree(tree->children[1], static_cast<TNode*>(copy), nullptr);
    copy->Dispose();
    tree->Dispose();

    TUnregistered u;
    std::string text;
    EXPECT_EQ(Raised([&] { u.Copy(); }, &text), "STRM_UNKNOWN_CLASS");
    EXPECT_NE(text.find("'TUnr'"), std::string::npos);
}

TEST_F(Stream, NullObjectsReferencesAndStrangers) {
    TNode root;
    TOther other;
    AMemStream s;
    s.PutObject("none", nullptr);
    s.PutObjectRef("dangling", &root); // not in the stream yet: written as null
    s.PutLong("count", 2);
    s.PutObject("child", &other); // not a node: dropped by the reader below
    s.PutObject("child", nullptr);
    s.PutObject("root", &root);
    s.PutObjectRef("again", &root);
    s.PutObjectRef("stranger", &other);
    s.Rewind();
    EXPECT_EQ(s.GetObject("none"), nullptr);
    EXPECT_EQ(s.GetObjectRef("dangling"), nullptr);
    EXPECT_EQ(s.GetLong("count"), 2);
    APortable* o = s.GetObject("child");
    ASSERT_NE(o, nullptr);
    EXPECT_STREQ(o->ClassName(), "TOther");
    o->Dispose();
    EXPECT_EQ(s.GetObject("child"), nullptr);
    APortable* r = s.GetObject("root");
    ASSERT_NE(r, nullptr);
    EXPECT_EQ(s.GetObjectRef("again"), r);
    // The stranger was disposed after reading: a reference to it is null,
    // never the freed object.
    EXPECT_EQ(s.GetObjectRef("stranger"), nullptr);
    r->Dispose();

    // An owning slot does not take a reference.
    s.Rewind();
    for (const char* label : {"none", "dangling"})
        EXPECT_EQ(s.GetObjectRef(label), nullptr);
    s.GetLong("count");
    s.GetObject("child")->Dispose();
    s.GetObject("child");
    s.GetObject("root")->Dispose();
    EXPECT_EQ(Raised([&] { s.GetObject("again"); }), "STRM_TYPE_MISMATCH");
}

TEST_F(Stream, BadReferencesAndUnknownClassesRaise) {
    // A reference to object 0 before any object.
    std::vector<UInt8> ref{0x11, 0, 0, 0, 0, 0};
    EXPECT_EQ(CodeOf([](AStream& s) { s.GetObjectRef(nullptr); }, ref), "STRM_BAD_REFERENCE");
    EXPECT_EQ(CodeOf([](AStream& s) { s.GetObject(nullptr); }, ref), "STRM_TYPE_MISMATCH");
    std::vector<UInt8> unknown{0x10, 0, 'N', 'o', 'p', 'e', 0, 0, 0, 0};
    EXPECT_EQ(CodeOf([](AStream& s) { s.GetObject(nullptr); }, unknown), "STRM_UNKNOWN_CLASS");
}

TEST_F(Stream, NestingIsLimited) {
    // Build a chain of objects by hand, each the only child of the one above.
    auto chain = [](int depth) {
        auto item = [](std::vector<UInt8>& out, UInt8 tag, const char* label,
                       std::initializer_list<UInt8> payload) {
            out.push_back(tag);
            out.push_back(UInt8(std::strlen(label)));
            out.insert(out.end(), label, label + std::strlen(label));
            out.insert(out.end(), payload);
        };
        std::vector<UInt8> body; // innermost first
        for (int i = 0; i < depth; ++i) {
            std::vector<UInt8> rec;
            item(rec, 0x13, "", {'T', 'N', 'o', 'd', 0, 1});
            item(rec, 0x04, "value", {0, 0, 0, 0});
            item(rec, 0x0A, "name", {0, 0, 0, 0});
            item(rec, 0x07, "data", {});
            item(rec, 0x12, "parent", {});
            item(rec, 0x04, "count", {0, 0, 0, UInt8(i ? 1 : 0)});
            rec.insert(rec.end(), body.begin(), body.end());
            UInt32 n = UInt32(rec.size());
            body.clear();
            item(body, 0x10, "child",
                 {'T', 'N', 'o', 'd', UInt8(n >> 24), UInt8(n >> 16), UInt8(n >> 8), UInt8(n)});
            body.insert(body.end(), rec.begin(), rec.end());
        }
        return body;
    };
    auto read = [](AStream& s) {
        APortable* o = s.GetObject(nullptr);
        if (o) o->Dispose();
    };
    EXPECT_EQ(CodeOf(read, chain(AStream::kMaxObjectDepth)), "");
    EXPECT_EQ(CodeOf(read, chain(AStream::kMaxObjectDepth + 1)), "STRM_TOO_DEEP");

    // And the writer refuses to write what could not be read.
    std::vector<TNode*> nodes{new TNode};
    for (int i = 0; i < AStream::kMaxObjectDepth; ++i)
        nodes.push_back(nodes.back()->Add(new TNode));
    AMemStream s;
    EXPECT_EQ(Raised([&] { s.PutObject(nullptr, nodes[0]); }), "STRM_TOO_DEEP");
    nodes[0]->Dispose();
}

TEST_F(Stream, ExtensionsAndAdditionsOfNewerWritersAreSkipped) {
    TNode* tree = MakeTree();
    gWriteUnknownExtension = true;
    gWriteTrailingItem = true;
    std::vector<UInt8> doc = WriteDoc(tree);
    TNode* back = nullptr;
    ASSERT_EQ(ReadDoc(doc, doc.size(), &back), "");
    ExpectSameTree(tree, back, nullptr); // the colours came through extension 1
    back->Dispose();

    // A version-1 record has no extensions: the colour stays at its default.
    gWriteUnknownExtension = false;
    gWriteTrailingItem = false;
    gWriteVersion = 1;
    doc = WriteDoc(tree);
    ASSERT_EQ(ReadDoc(doc, doc.size(), &back), "");
    EXPECT_EQ(back->color[0], 0);
    EXPECT_EQ(back->children[1]->children[0]->value, 4);
    back->Dispose();
    tree->Dispose();
}

TEST_F(Stream, ExtensionReadingIsBoundedByTheExtension) {
    AMemStream s;
    s.BeginExtension(3);
    s.PutShort("in", 1);
    s.EndExtension();
    s.PutShort("after", 2);
    s.Rewind();
    SInt16 n = 0;
    ASSERT_TRUE(s.GetNextExtension(&n));
    EXPECT_EQ(n, 3);
    EXPECT_EQ(s.GetShort("in"), 1);
    EXPECT_EQ(s.PeekItemType(), KsItemType::none); // the extension's end
    EXPECT_THROW(s.GetShort("after"), XError);
    s.SkipExtension();
    EXPECT_FALSE(s.GetNextExtension(&n)); // not an extension: nothing consumed
    EXPECT_EQ(s.GetShort("after"), 2);
}

TEST_F(Stream, VersionsOutsideTheReadRangeRaise) {
    TNode* tree = MakeTree();
    for (auto [version, code] : {std::pair<SInt16, const char*>{3, "STRM_VERSION_TOO_NEW"},
                                 {0, "STRM_VERSION_TOO_OLD"},
                                 {-5, "STRM_VERSION_TOO_OLD"},
                                 {1, ""},
                                 {2, ""}}) {
        gWriteVersion = version;
        std::vector<UInt8> doc = WriteDoc(tree);
        TNode* back = nullptr;
        EXPECT_EQ(ReadDoc(doc, doc.size(), &back), code) << version;
        if (back) back->Dispose();
    }
    tree->Dispose();

    AMemStream s;
    s.PutClassMark(FourCharCode("Gadg"), 4);
    s.Rewind();
    std::string text;
    EXPECT_EQ(Raised([&] { s.GetClassMark(FourCharCode("PANE"), 1, 3); }, &text),
              "STRM_CLASS_MISMATCH");
    EXPECT_EQ(text, "The data holds a record of class 'Gadg' where 'PANE' was expected.");
}

// Every prefix of a document fails cleanly and leaves no node behind.
TEST_F(Stream, TruncationAtEveryCutRaisesWithoutLeaks) {
    TNode* tree = MakeTree();
    gWriteUnknownExtension = true;
    std::vector<UInt8> doc = WriteDoc(tree);
    tree->Dispose();
    for (std::size_t cut = 0; cut < doc.size(); ++cut) {
        std::string code = ReadDoc(doc, cut);
        EXPECT_TRUE(code == "STRM_TRUNCATED" || code == "STRM_NOT_A_DOCUMENT") << cut << code;
        ASSERT_EQ(gLiveNodes, 0) << "cut at " << cut;
    }
}

// Damaged bytes either read or raise; either way nothing is left behind.
TEST_F(Stream, CorruptionAnywhereRaisesOrReadsWithoutLeaks) {
    TNode* tree = MakeTree();
    std::vector<UInt8> doc = WriteDoc(tree);
    tree->Dispose();
    int raised = 0;
    for (std::size_t at = 0; at < doc.size(); ++at)
        for (UInt8 flip : {UInt8(0xFF), UInt8(0x01), UInt8(0x80)}) {
            std::vector<UInt8> bad = doc;
            bad[at] ^= flip;
            TNode* back = nullptr;
            std::string code = ReadDoc(bad, bad.size(), &back);
            if (back) back->Dispose();
            if (!code.empty()) ++raised;
            ASSERT_EQ(gLiveNodes, 0) << at;
        }
    EXPECT_GT(raised, int(doc.size()));
}

TEST_F(Stream, DocumentHeaderIsChecked) {
    TNode* tree = MakeTree();
    std::vector<UInt8> doc = WriteDoc(tree);
    tree->Dispose();
    for (std::size_t at : {0, 3, 4, 5}) {
        std::vector<UInt8> bad = doc;
        bad[at] = 'X';
        EXPECT_EQ(ReadDoc(bad, bad.size()), "STRM_NOT_A_DOCUMENT") << at;
    }
    // A document whose root is null reads as null.
    AMemStream s;
    AObjDoc(s).Write(nullptr);
    s.Rewind();
    AObjDoc d(s);
    EXPECT_EQ(d.Read(), nullptr);
}

TEST_F(Stream, DescribedRecordsRoundTrip) {
    struct Record {
        char c = 'x';
        bool b = true;
        SInt16 s = -7;
        SInt32 l = 123456;
        double d = 2.5;
        Handle h = nullptr;
        SInt32 r[4] = {1, 2, 3, 4};
        UInt16 rgb[3] = {5, 6, 7};
        char cs[16] = "text";
        Str255 ps = {3, 'a', 'b', 'c'};
        APortable* obj = nullptr;
        APortable* ref = nullptr;
    };
    auto describe = [](Record& x) {
        return std::vector<AIODesc>{
            {KsItemType::charItem, "c", &x.c},     {KsItemType::boolItem, "b", &x.b},
            {KsItemType::shortItem, "s", &x.s},    {KsItemType::longItem, "l", &x.l},
            {KsItemType::doubleItem, "d", &x.d},   {KsItemType::handleItem, "h", &x.h},
            {KsItemType::rectItem, "r", x.r},      {KsItemType::colorItem, "rgb", x.rgb},
            {KsItemType::cString, "cs", x.cs, 16}, {KsItemType::pString, "ps", x.ps},
            {KsItemType::object, "obj", &x.obj},   {KsItemType::objectRef, "ref", &x.ref},
        };
    };
    Record out;
    out.h = KsNewHandleFrom("hh", 2);
    auto* node = new TNode;
    node->value = 99;
    out.obj = node;
    out.ref = node;
    AMemStream s;
    std::vector<AIODesc> d = describe(out);
    s.PutItems(d.data(), int(d.size()));
    s.Rewind();
    Record in{};
    in.c = 0;
    in.cs[0] = 0;
    std::vector<AIODesc> e = describe(in);
    s.GetItems(e.data(), int(e.size()));
    EXPECT_EQ(in.c, 'x');
    EXPECT_EQ(in.l, 123456);
    EXPECT_EQ(in.r[3], 4);
    EXPECT_EQ(in.rgb[2], 7);
    EXPECT_STREQ(in.cs, "text");
    EXPECT_EQ(in.ps[0], 3);
    ASSERT_NE(in.h, nullptr);
    EXPECT_EQ(KsGetHandleSize(in.h), 2);
    ASSERT_NE(in.obj, nullptr);
    EXPECT_EQ(static_cast<TNode*>(in.obj)->value, 99);
    EXPECT_EQ(in.ref, in.obj);
    KsDisposeHandle(out.h);
    KsDisposeHandle(in.h);
    node->Dispose();
    in.obj->Dispose();
}

TEST_F(Stream, MemStreamOverACallersHandle) {
    Handle h = KsNewHandle(0);
    {
        AMemStream s(h);
        s.PutLong("a", 1);
        s.PutLong("b", 2);
    } // the handle is cut to the stream's bytes
    EXPECT_EQ(KsGetHandleSize(h), 14);
    {
        AMemStream s(h);
        EXPECT_EQ(s.GetLength(), 14);
        EXPECT_EQ(s.GetLong("a"), 1);
        EXPECT_EQ(s.GetLong("b"), 2);
        EXPECT_THROW(s.GetLong("c"), XError);
    }
    KsDisposeHandle(h);

    AMemStream own;
    own.PutCString("x", "y");
    Handle taken = own.DetachDataHandle();
    EXPECT_EQ(KsGetHandleSize(taken), 8);
    EXPECT_EQ(own.GetLength(), 0);
    KsDisposeHandle(taken);
}

} // namespace
