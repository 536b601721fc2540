// The resource manager: the search chain, handles, names, IDs, changes that
// survive closing and reopening, and atomic updates under simulated failures.
#include "KsRaisedError.h"
#include "KsToolboxVersion.h"
#include "ResourceTestSupport.h"
#include "Resources.h"
#include "ResourcesPrivate.h"
#include "XError.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

constexpr ResType kTest = FourCharCode("TEST");

const unsigned char* P(const char* s) {
    static unsigned char buf[4][256];
    static int next = 0;
    unsigned char* b = buf[next++ % 4];
    b[0] = UInt8(std::strlen(s));
    std::memcpy(b + 1, s, b[0]);
    return b;
}

class ResourceManagerTest : public ::testing::Test {
protected:
    // Writes a file and opens it; the file becomes current.
    SInt16 Open(const std::string& name, const std::vector<RsrcSpec>& specs,
                SInt8 permission = fsRdWrPerm) {
        WriteBytes(dir / name, MakeResourceImage(specs));
        SInt16 ref = KsOpenResFile((dir / name).c_str(), permission);
        EXPECT_GT(ref, 0) << name;
        opened.push_back(ref);
        return ref;
    }
    void TearDown() override {
        KsResSetWriteFault({});
        for (SInt16 ref : opened)
            CloseResFile(ref);
    }
    ScratchDir dir;
    std::vector<SInt16> opened;
};

} // namespace

TEST_F(ResourceManagerTest, FrameworkResourcesSitAtTheBottomOfTheChain) {
    Handle strings = GetResource(FourCharCode("STR#"), 9000);
    ASSERT_NE(strings, nullptr);
    EXPECT_EQ(HomeResFile(strings), kKsFrameworkResFile);
    // A string list: count, then Pascal strings: name and version.
    std::string list = HandleText(strings);
    ASSERT_GE(list.size(), 3u);
    EXPECT_EQ(UInt8(list[1]), 2);
    std::string name = list.substr(3, UInt8(list[2]));
    std::size_t at = 3 + name.size();
    EXPECT_EQ(name, "KsTavik20");
    EXPECT_EQ(list.substr(at + 1, UInt8(list[at])), KsToolboxVersion());

    Handle icon = GetNamedResource(FourCharCode("SICN"), P("Check mark"));
    ASSERT_NE(icon, nullptr);
    EXPECT_EQ(KsGetHandleSize(icon), 32);

    // Reachable from an opened file too, but not with the one-file lookup.
    Open("a.rsrc", {{"TEST", 1, "A"}});
    EXPECT_EQ(GetResource(FourCharCode("STR#"), 9000), strings);
    EXPECT_EQ(Get1Resource(FourCharCode("STR#"), 9000), nullptr);
    EXPECT_EQ(ResError(), resNotFound);
    // The compiled-in file cannot be changed.
    ChangedResource(strings);
    EXPECT_EQ(ResError(), wrPermErr);
    ReleaseResource(strings);
    ReleaseResource(icon);
}

TEST_F(ResourceManagerTest, ChainSearchesFromTheCurrentFileDown) {
    SInt16 a = Open("a.rsrc", {{"TEST", 1, "A1"}, {"TEST", 2, "A2"}});
    SInt16 app = KsOpenApplicationResFile((dir / "app.rsrc").c_str(), fsRdPerm);
    EXPECT_EQ(app, -1);
    EXPECT_EQ(ResError(), fnfErr);
    WriteBytes(dir / "app.rsrc", MakeResourceImage({{"TEST", 1, "P1"}, {"TEST", 3, "P3"}}));
    app = KsOpenApplicationResFile((dir / "app.rsrc").c_str(), fsRdPerm);
    ASSERT_GT(app, 0);
    opened.push_back(app);
    SInt16 b = Open("b.rsrc", {{"TEST", 1, "B1"}, {"TEST", 4, "B4"}});
    EXPECT_EQ(CurResFile(), b);

    // From the top: B, then A, then the application file (below every opened file).
    EXPECT_EQ(HandleText(GetResource(kTest, 1)), "B1");
    EXPECT_EQ(HandleText(GetResource(kTest, 2)), "A2");
    EXPECT_EQ(HandleText(GetResource(kTest, 3)), "P3");
    EXPECT_EQ(Get1Resource(kTest, 2), nullptr);
    EXPECT_EQ(ResError(), resNotFound);
    EXPECT_EQ(HandleText(Get1Resource(kTest, 4)), "B4");
    EXPECT_EQ(CountResources(kTest), 4);
    EXPECT_EQ(Count1Resources(kTest), 2);
    // Indexed: nearest file first, shadowed IDs once.
    std::string order;
    for (SInt16 i = 1; i <= CountResources(kTest); ++i)
        order += HandleText(GetIndResource(kTest, i)) + " ";
    EXPECT_EQ(order, "B1 B4 A2 P3 ");
    EXPECT_EQ(GetIndResource(kTest, 5), nullptr);

    // From A: B is above and not searched.
    UseResFile(a);
    EXPECT_EQ(HandleText(GetResource(kTest, 1)), "A1");
    EXPECT_EQ(GetResource(kTest, 4), nullptr);
    EXPECT_EQ(HandleText(GetResource(kTest, 3)), "P3");
    UseResFile(app);
    EXPECT_EQ(HandleText(GetResource(kTest, 1)), "P1");
    UseResFile(777);
    EXPECT_EQ(ResError(), resFNotFound);
    EXPECT_EQ(CurResFile(), app);

    // Closing the current file makes the top of the chain current.
    UseResFile(b);
    CloseResFile(b);
    EXPECT_EQ(CurResFile(), a);
    EXPECT_EQ(HandleText(GetResource(kTest, 1)), "A1");
    CloseResFile(a);
    EXPECT_EQ(CurResFile(), app);
    EXPECT_EQ(HandleText(GetResource(kTest, 1)), "P1");
}

TEST_F(ResourceManagerTest, OneHandlePerLoadedResource) {
    SInt16 a = Open("a.rsrc", {{"TEST", 1, "one"}});
    Handle h = Get1Resource(kTest, 1);
    ASSERT_NE(h, nullptr);
    EXPECT_EQ(GetResource(kTest, 1), h);
    EXPECT_EQ(GetIndResource(kTest, 1), h);
    EXPECT_EQ(HomeResFile(h), a);

    ReleaseResource(h);
    EXPECT_EQ(ResError(), noErr);
    EXPECT_EQ(HomeResFile(nullptr), -1);
    Handle again = Get1Resource(kTest, 1);
    EXPECT_EQ(HandleText(again), "one");

    // A detached block is the caller's; the manager loads a new one.
    DetachResource(again);
    EXPECT_EQ(HomeResFile(again), -1);
    Handle third = Get1Resource(kTest, 1);
    EXPECT_NE(third, nullptr);
    (*third)[0] = 'X';
    EXPECT_EQ(HandleText(again), "one");
    KsDisposeHandle(again);

    // A changed resource is neither released nor detached: its bytes would be lost.
    ChangedResource(third);
    ReleaseResource(third);
    EXPECT_EQ(ResError(), resAttrErr);
    DetachResource(third);
    EXPECT_EQ(ResError(), resAttrErr);
    EXPECT_EQ(Get1Resource(kTest, 1), third);
    EXPECT_EQ(GetResAttrs(third) & resChanged, resChanged);
}

TEST_F(ResourceManagerTest, NamesAndInfo) {
    // 0x8E is e-acute in Mac OS Roman; names compare byte for byte.
    SInt16 a = Open("a.rsrc", {{"TEST", 1, "x", "Alpha"}, {"TEST", 2, "y", "caf\x8E"}});
    Open("b.rsrc", {{"TEST", 9, "z", "Alpha"}});
    EXPECT_EQ(HandleText(GetNamedResource(kTest, P("Alpha"))), "z");
    EXPECT_EQ(HandleText(GetNamedResource(kTest, P("caf\x8E"))), "y");
    EXPECT_EQ(GetNamedResource(kTest, P("alpha")), nullptr);
    EXPECT_EQ(Get1NamedResource(kTest, P("caf\x8E")), nullptr);
    UseResFile(a);
    Handle h = Get1NamedResource(kTest, P("Alpha"));
    ASSERT_NE(h, nullptr);

    SInt16 id = 0;
    ResType type = 0;
    Str255 name;
    GetResInfo(h, &id, &type, name);
    EXPECT_EQ(id, 1);
    EXPECT_EQ(type, kTest);
    EXPECT_EQ(std::string(reinterpret_cast<char*>(name + 1), name[0]), "Alpha");

    // Renumbering onto an existing ID is refused; a free one is taken.
    SetResInfo(h, 2, nullptr);
    EXPECT_EQ(ResError(), resAttrErr);
    SetResInfo(h, 300, P("Beta"));
    EXPECT_EQ(ResError(), noErr);
    EXPECT_EQ(Get1Resource(kTest, 300), h);
    EXPECT_EQ(Get1Resource(kTest, 1), nullptr);
    EXPECT_EQ(Get1NamedResource(kTest, P("Beta")), h);
    SetResInfo(h, 300, P(""));
    GetResInfo(h, nullptr, nullptr, name);
    EXPECT_EQ(name[0], 0);
    EXPECT_EQ(Get1NamedResource(kTest, P("Beta")), nullptr);

    // Renames and renumbers reach the disk.
    SetResInfo(h, 300, P("Gamma"));
    UpdateResFile(a);
    EXPECT_EQ(ResError(), noErr);
    KsResMap map;
    std::vector<UInt8> disk = ReadBytes(dir / "a.rsrc");
    map = KsReadResourceMap(disk.data(), disk.size());
    ASSERT_EQ(map.records.size(), 2u);
    EXPECT_EQ(map.records[0].id, 300);
    EXPECT_EQ(map.records[0].name, "Gamma");
}

TEST_F(ResourceManagerTest, UniqueIDsSkipUsedAndReservedIDs) {
    Open("a.rsrc", {{"TEST", 128, ""}, {"TEST", 129, ""}, {"TEST", 131, ""}});
    Open("b.rsrc", {{"TEST", 130, ""}});
    EXPECT_EQ(Unique1ID(kTest), 128);
    EXPECT_EQ(UniqueID(kTest), 132);
    EXPECT_EQ(Unique1ID(FourCharCode("NONE")), 128);
}

TEST_F(ResourceManagerTest, ChangesSurviveUpdateCloseAndReopen) {
    std::string path = (dir / "new.rsrc").string();
    KsCreateResFile(path.c_str());
    EXPECT_EQ(ResError(), noErr);
    KsCreateResFile(path.c_str());
    EXPECT_EQ(ResError(), dupFNErr);
    SInt16 ref = KsOpenResFile(path.c_str(), fsRdWrPerm);
    ASSERT_GT(ref, 0);
    EXPECT_EQ(KsOpenResFile(path.c_str(), fsRdWrPerm), ref); // already open

    Handle one = KsNewHandleFrom("first", 5);
    AddResource(one, kTest, 1, P("One"));
    EXPECT_EQ(ResError(), noErr);
    EXPECT_EQ(GetResAttrs(one) & resChanged, resChanged);
    Handle dup = KsNewHandleFrom("dup", 3);
    AddResource(dup, kTest, 1, nullptr);
    EXPECT_EQ(ResError(), addResFailed);
    AddResource(one, kTest, 2, nullptr); // already a resource
    EXPECT_EQ(ResError(), addResFailed);
    AddResource(dup, kTest, 2, nullptr);
    Handle three = KsNewHandleFrom("third", 5);
    AddResource(three, FourCharCode("OTHR"), 3, nullptr);
    SetResAttrs(three, resPurgeable | resPreload);
    UpdateResFile(ref);
    EXPECT_EQ(ResError(), noErr);
    EXPECT_EQ(GetResAttrs(one) & resChanged, 0);

    // Change one, remove one, grow one.
    KsSetHandleSize(one, 12);
    std::memcpy(*one, "first, again", 12);
    ChangedResource(one);
    RemoveResource(dup);
    EXPECT_EQ(ResError(), noErr);
    EXPECT_EQ(HomeResFile(dup), -1);
    KsDisposeHandle(dup);
    // Bytes edited without ChangedResource are not written.
    (*three)[0] = 'T';
    CloseResFile(ref);
    EXPECT_EQ(ResError(), noErr);

    ref = KsOpenResFile(path.c_str(), fsRdPerm);
    ASSERT_GT(ref, 0);
    opened.push_back(ref);
    EXPECT_EQ(HandleText(Get1Resource(kTest, 1)), "first, again");
    EXPECT_EQ(Get1Resource(kTest, 2), nullptr);
    Handle other = Get1Resource(FourCharCode("OTHR"), 3);
    EXPECT_EQ(HandleText(other), "third");
    EXPECT_EQ(GetResAttrs(other), resPurgeable | resPreload);
    EXPECT_EQ(Count1Types(), 2);

    // Read-only: nothing may change.
    Handle refused = KsNewHandle(1);
    AddResource(refused, kTest, 5, nullptr);
    EXPECT_EQ(ResError(), wrPermErr);
    KsDisposeHandle(refused);
    RemoveResource(other);
    EXPECT_EQ(ResError(), wrPermErr);
}

TEST_F(ResourceManagerTest, FailedUpdatesLeaveTheOldFileIntact) {
    std::string big(3000, 'b');
    SInt16 ref = Open("a.rsrc", {{"TEST", 1, "old"}, {"TEST", 2, big}});
    const std::vector<UInt8> before = ReadBytes(dir / "a.rsrc");
    Handle h = Get1Resource(kTest, 1);
    KsSetHandleSize(h, 5000);
    ChangedResource(h);

    auto onlyTheFile = [&] {
        int n = 0;
        for (auto& e : std::filesystem::directory_iterator(dir.path()))
            n += e.is_regular_file();
        return n == 1;
    };
    const long budgets[] = {0, 1, 16, 255, 256, 4000, 8000, 8300};
    for (long budget : budgets) {
        KsResSetWriteFault({budget, KsResWriteFault::kNone});
        UpdateResFile(ref);
        EXPECT_EQ(ResError(), -34) << budget; // disk full
        EXPECT_EQ(ReadBytes(dir / "a.rsrc"), before) << budget;
        EXPECT_TRUE(onlyTheFile()) << budget;
    }
    for (auto step : {KsResWriteFault::kSync, KsResWriteFault::kRename}) {
        KsResSetWriteFault({-1, step});
        UpdateResFile(ref);
        EXPECT_EQ(ResError(), ioErr);
        EXPECT_EQ(ReadBytes(dir / "a.rsrc"), before);
        EXPECT_TRUE(onlyTheFile());
    }
    // The change is still pending, and goes through once the disk behaves.
    EXPECT_EQ(GetResAttrs(h) & resChanged, resChanged);
    KsResSetWriteFault({});
    UpdateResFile(ref);
    EXPECT_EQ(ResError(), noErr);
    std::vector<UInt8> after = ReadBytes(dir / "a.rsrc");
    KsResMap map = KsReadResourceMap(after.data(), after.size());
    ASSERT_EQ(map.records.size(), 2u);
    EXPECT_EQ(map.records[0].length, 5000u);
    EXPECT_EQ(
        std::string(reinterpret_cast<const char*>(map.records[1].data), map.records[1].length),
        big);
    EXPECT_TRUE(onlyTheFile());
}

TEST_F(ResourceManagerTest, MissingAndDamagedFiles) {
    EXPECT_EQ(KsOpenResFile((dir / "missing").c_str(), fsRdPerm), -1);
    EXPECT_EQ(ResError(), fnfErr);
    EXPECT_EQ(OpenResFile(P("/no/such/file")), -1);
    EXPECT_EQ(ResError(), fnfErr);

    std::vector<UInt8> bytes = MakeResourceImage({{"TEST", 1, "x"}});
    bytes[bytes.size() - 1] = 0xEE; // past the end of the (empty) name list: harmless
    bytes[4] = 0x7F;                // map offset far outside the file
    WriteBytes(dir / "bad.rsrc", bytes);
    const SInt16 current = CurResFile();
    const XError e = ErrorOf([&] { KsOpenResFile((dir / "bad.rsrc").c_str(), fsRdPerm); });
    EXPECT_STREQ(e.GetCode(), "RSRC_OPEN_FAILED");
    EXPECT_TRUE(e.FindCode("RSRC_CORRUPT"));
    EXPECT_NE(e.GetText().find("bad.rsrc"), std::string::npos);
    EXPECT_EQ(ResError(), mapReadErr);
    EXPECT_EQ(CurResFile(), current);
}

TEST_F(ResourceManagerTest, LargeFileLookupsUseTheIndex) {
    std::vector<RsrcSpec> specs;
    for (int i = 0; i < 5000; ++i)
        specs.push_back({i % 2 ? "ODD " : "EVEN", SInt16(i - 2500), std::to_string(i)});
    Open("big.rsrc", specs);
    EXPECT_EQ(Count1Resources(FourCharCode("EVEN")), 2500);
    for (int i = 0; i < 5000; i += 7)
        EXPECT_EQ(HandleText(Get1Resource(FourCharCode(i % 2 ? "ODD " : "EVEN"), SInt16(i - 2500))),
                  std::to_string(i));
    EXPECT_EQ(Get1Resource(FourCharCode("ODD "), -2500), nullptr);
}
