// Background resources of panes: a 'PICT' belongs to the resource chain and
// outlives every pane that shows it; a 'ppat' is the pane's own and goes when
// it is replaced, cleared or its pane disposed (the sanitizers see the rest).
#include "KsDrawUtils.h"
#include "PaneTestSupport.h"
#include "Pictures.h"
#include "ResourceFormatPrivate.h"
#include "Resources.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include <unistd.h>

namespace {

constexpr OSType kPICT = 0x50494354, kPpat = 0x70706174;
constexpr SInt16 kPictID = 200, kPatID = 201;

struct Bytes {
    std::vector<UInt8> b;
    Bytes& u16(unsigned v) {
        b.push_back(UInt8(v >> 8));
        b.push_back(UInt8(v));
        return *this;
    }
};

// A 10x10 picture painted red.
std::vector<UInt8> RedSquarePict() {
    Bytes o;
    o.u16(0).u16(0).u16(0).u16(10).u16(10).u16(0x0011).u16(0x02FF).u16(0x0C00);
    o.b.insert(o.b.end(), 24, 0);
    o.u16(0x001A).u16(0xFFFF).u16(0).u16(0);                 // red
    o.u16(0x0031).u16(0).u16(0).u16(10).u16(10).u16(0x00FF); // paint the frame; end
    return o.b;
}

// A one-bit pattern of black rows over white rows.
std::vector<UInt8> StripesPpat() {
    std::vector<UInt8> p(2 + 4 + 4 + 4 + 2 + 4, 0);
    for (int row = 0; row < 8; ++row)
        p.push_back(row % 2 ? 0x00 : 0xFF);
    return p;
}

// The two resources in a file of their own, on top of the chain while the
// test runs.
class PaneBkgdRsrc : public PaneTest {
protected:
    void SetUp() override {
        PaneTest::SetUp();
        const std::vector<UInt8> pict = RedSquarePict(), ppat = StripesPpat();
        KsResMap map;
        map.records.push_back({kPICT, kPictID, 0, false, {}, pict.data(), UInt32(pict.size())});
        map.records.push_back({kPpat, kPatID, 0, false, {}, ppat.data(), UInt32(ppat.size())});
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
    Rect frame{};
    EXPECT_TRUE(QDGetPictureBounds(pic, &frame));
    EXPECT_EQ(frame.right, 10);
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
        if (c.around == 0xFFFFFFFF) {
            EXPECT_NE(Px(30, 10), 0xB0B0B0u);
            EXPECT_NE(Px(30, 10), 0xFF0000u);
        } else {
            EXPECT_EQ(Px(30, 10), c.around);
        }
        p->Dispose();
    }
}

} // namespace
