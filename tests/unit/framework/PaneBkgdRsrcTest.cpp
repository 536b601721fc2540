// Background resources of panes: a 'PICT' belongs to the resource chain and
// outlives every pane that shows it; a 'ppat' is the pane's own and goes when
// it is replaced, cleared or its pane disposed (the sanitizers see the rest).
#include "KsDrawUtils.h"
#include "PaneTestSupport.h"
#include "Pictures.h"
#include "ResourceFormatPrivate.h"
#include "Resources.h"

#include <filesystem>
#include <fstream>
#include <tuple>

#include <unistd.h>

namespace {

constexpr OSType kPICT = 0x50494354, kPpat = 0x70706174;
constexpr SInt16 kPictID = 200, kPatID = 201;

// Big-endian words.
std::vector<UInt8> Words(std::initializer_list<unsigned> words) {
    std::vector<UInt8> out;
    for (unsigned w : words)
        out.insert(out.end(), {UInt8(w >> 8), UInt8(w)});
    return out;
}

// A 10x10 picture (version 2) painted red.
const std::vector<UInt8> kRedSquare =
    Words({0, 0, 0, 10, 10, 0x0011, 0x02FF, 0x0C00, 0, 0,      0, 0, 0,  0,  0,
           0, 0, 0, 0,  0,  0x001A, 0xFFFF, 0,      0, 0x0031, 0, 0, 10, 10, 0x00FF});
// A one-bit pattern (type 0) of black rows over white rows.
const std::vector<UInt8> kStripes =
    Words({0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0xFF00, 0xFF00, 0xFF00, 0xFF00});

// The two resources in a file of their own, on top of the chain while the
// test runs.
class PaneBkgdRsrc : public PaneTest {
protected:
    void SetUp() override {
        PaneTest::SetUp();
        KsResMap map;
        for (const auto& [type, id, data] :
             {std::tuple(kPICT, kPictID, &kRedSquare), std::tuple(kPpat, kPatID, &kStripes)})
            map.records.push_back({type, id, 0, false, {}, data->data(), UInt32(data->size())});
        const std::vector<UInt8> image = KsWriteResourceMap(map);
        std::ofstream(path, std::ios::binary)
            .write(reinterpret_cast<const char*>(image.data()), std::streamsize(image.size()));
        ref = KsOpenResFile(path.c_str(), fsRdPerm);
        ASSERT_GT(ref, 0);
    }
    void TearDown() override {
        CloseResFile(ref);
        std::filesystem::remove(path);
        PaneTest::TearDown();
    }
    void DrawPane(APane* p) {
        SetPortWindowPort(win->GetWindowPtr());
        p->Draw(nullptr, nullptr);
    }
    std::filesystem::path path =
        std::filesystem::temp_directory_path() / ("ksbkgd." + std::to_string(::getpid()) + ".rsrc");
    SInt16 ref = 0;
};

TEST_F(PaneBkgdRsrc, PanesSharingAPictureNeverFreeIt) {
    APane* a = Add(main, 0, S, 60, 0, S, 60, 0, RGBwhite);
    APane* b = Add(main, 100, S, 60, 0, S, 60, 0, RGBwhite);
    APane* inner = Add(a, 5, S, 20, 5, S, 20, 0, RGBwhite);
    inner->SetInheritsBkgd(true, 0);
    a->SetBkgdRsrc(kPictID, kPICT);
    b->SetBkgdRsrc(kPictID, kPICT);
    const PicHandle pic = GetPicture(kPictID);
    ASSERT_NE(pic, nullptr);
    a->SetBkgdRsrc(0, 0); // the inheriting sub-pane forgets it too
    a->Dispose();
    DrawPane(b);
    EXPECT_EQ(Px(130, 30), 0xFF0000u); // the picture, centred
    EXPECT_EQ(Px(101, 1), 0xFFFFFFu);  // the plain colour around it
    b->Dispose();
    EXPECT_EQ(GetPicture(kPictID), pic);
    EXPECT_EQ((*pic)->header[0], 0); // still readable
}

TEST_F(PaneBkgdRsrc, PatternsGoWhenReplacedClearedOrDisposed) {
    APane* p = Add(main, 0, S, 40, 0, S, 40, 0, RGBwhite);
    APane* inner = Add(p, 0, S, 10, 0, S, 10, 0, RGBwhite);
    inner->SetInheritsBkgd(true, 0);
    p->SetBkgdRsrc(kPatID, kPpat);
    DrawPane(p);
    EXPECT_NE(Px(20, 20), Px(20, 21)); // stripes
    p->SetBkgdRsrc(kPatID, kPpat);
    p->SetBkgdRsrc(kPictID, kPICT);
    p->SetBkgdRsrc(kPatID, kPpat);
    p->SetBkgdRsrc(0, 0);
    p->SetBkgdRsrc(kPatID, kPpat);
    DrawPane(p);
    EXPECT_NE(Px(20, 20), Px(20, 21));
    p->Dispose();
}

TEST_F(PaneBkgdRsrc, AroundAPictureTheNextSourcePaints) {
    const auto green = [](APane*, const KsRect* r, void*) {
        const Rect rr = ToRect(*r);
        const RGBColor c{0, 0xFFFF, 0};
        PaintRGBRect(&rr, &c);
    };
    const struct {
        const char* name;
        APaneDrawProc proc;
        SInt32 border;
        UInt32 around; // 0xFFFFFFFF: anything but the plain colour and red
    } cases[] = {
        {"background function", green, 0, 0x00FF00},
        {"gradient", nullptr, kBorderGradient, 0xFFFFFFFF},
        {"plain colour", nullptr, 0, 0xB0B0B0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        APane* p = Add(main, 0, S, 60, 0, S, 60, c.border, RGBgray11);
        p->SetBkgdProc(c.proc);
        p->SetBkgdRsrc(kPictID, kPICT);
        DrawPane(p);
        EXPECT_EQ(Px(30, 30), 0xFF0000u);
        if (c.around != 0xFFFFFFFF)
            EXPECT_EQ(Px(30, 10), c.around);
        else
            EXPECT_TRUE(Px(30, 10) != 0xB0B0B0u && Px(30, 10) != 0xFF0000u);
        p->Dispose();
    }
}

} // namespace
