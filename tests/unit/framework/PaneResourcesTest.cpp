// NewPaneFromRsrc: the property text ('KsP3') of the same name or ID comes
// first, the binary form ('KsPn') second; bad text is an error that leaves
// no pane behind; the pictures and patterns panes take as backgrounds from
// resources, shared and freed as they should be.
#include "AWindowTestSupport.h"
#include "PaneTextTestSupport.h"

#include "AMemStream.h"
#include "AObjDoc.h"
#include "APane.h"
#include "KsDrawUtils.h"
#include "KsHandle.h"
#include "KsScratchResFile.h"
#include "PaneStream.h"
#include "PaneTestSupport.h"
#include "Pictures.h"
#include "ResourceFormatPrivate.h"
#include "Resources.h"
#include "XError.h"

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <tuple>

#include <unistd.h>

using namespace panetext_test;

namespace {

const ResType kText = 0x4B735033;   // 'KsP3'
const ResType kBinary = 0x4B73506E; // 'KsPn'

// A root with one sub-pane, as property text.
std::string TextTree(const char* rootID) {
    return std::string("version l\t1\rClass s\tAPane\r\tpaneID s\t") + rootID +
           "\r\tbr.bot l\t50\r\tbr.rit l\t100\r\tEndProps s\t\r\tSubs l\t1\r"
           "\t\tClass s\tAPane\r\t\t\tpaneID s\tsub\r\t\tEndProps s\t\r\t\tSubs l\t0\r"
           "\t\tEndClass s\tAPane\r\tEndSubs l\t1\rEndClass s\tAPane\r";
}

// Panes need the desktop for their texts.
class PaneRsrcTest : public AWindowTest {
protected:
    void SetUp() override {
        AWindowTest::SetUp();
        APane::PCRegister();
        file_ = std::make_unique<ScratchResFile>();
        win_ = ProbeWindow::Make("Panes");
        encl_ = win_->GetMainPane();
    }
    void TearDown() override {
        file_.reset();
        AWindowTest::TearDown();
    }
    void Add(ResType type, SInt16 id, const char* name, const std::string& bytes) {
        file_->Add(type, id, bytes, name);
    }
    // The binary form of a one-pane tree with this ID.
    std::string Binary(const char* id) {
        APane* p = APane::New(encl_, 0, kPaneDontCare, 80, 0, kPaneDontCare, 40, RGBgray4, 0);
        p->SetPaneID(id);
        PaneTree hold(p);
        AMemStream stream(KsByteOrder::littleEndian);
        AObjDoc doc(stream);
        doc.Write(p);
        Handle h = stream.GetDataHandle();
        return std::string(*h, std::size_t(KsGetHandleSize(h)));
    }
    static std::string IDOf(APane* p) {
        char id[64] = {};
        p->GetPaneID(id, sizeof id);
        return id;
    }
    std::unique_ptr<ScratchResFile> file_;
    ProbeWindow* win_ = nullptr;
    APane* encl_ = nullptr;
};

TEST_F(PaneRsrcTest, TextComesBeforeBinaryByNameAndByID) {
    Add(kBinary, 200, "layout", Binary("from-binary"));
    Add(kText, 201, "layout", TextTree("from-text"));
    Add(kBinary, 300, "other", Binary("binary-300"));
    Add(kText, 300, "third", TextTree("text-300"));

    APane* byName = APane::NewPaneFromRsrc(encl_, "layout", 0);
    EXPECT_EQ(IDOf(byName), "from-text");
    EXPECT_EQ(byName->GetEnclPane(), encl_);
    ASSERT_EQ(byName->GetNumSubPanes(), 1);
    EXPECT_EQ(IDOf(byName->GetSubPane(1)), "sub");

    APane* byID = APane::NewPaneFromRsrc(encl_, nullptr, 300);
    EXPECT_EQ(IDOf(byID), "text-300") << "the text of the same ID wins";
    EXPECT_EQ(encl_->GetNumSubPanes(), 2);
}

TEST_F(PaneRsrcTest, BinaryIsReadWhenThereIsNoText) {
    Add(kBinary, 210, "bin", Binary("only-binary"));
    APane* byName = APane::NewPaneFromRsrc(encl_, "bin", 0);
    EXPECT_EQ(IDOf(byName), "only-binary");
    APane* byID = APane::NewPaneFromRsrc(encl_, "", 210);
    EXPECT_EQ(IDOf(byID), "only-binary");
    EXPECT_EQ(encl_->GetNumSubPanes(), 2);
}

TEST_F(PaneRsrcTest, MissingOrBadResourcesRaiseAndLeaveNothing) {
    const long live = APane::GetLivePaneCount();
    XError none = ErrorOf([&] { APane::NewPaneFromRsrc(encl_, "nothing", 0); });
    EXPECT_EQ(std::string(none.GetCode()), "UIS_PANE_RSRC_NOT_FOUND");
    none = ErrorOf([&] { APane::NewPaneFromRsrc(encl_, nullptr, 999); });
    EXPECT_EQ(std::string(none.GetCode()), "UIS_PANE_RSRC_NOT_FOUND");

    std::string bad = TextTree("broken");
    bad.resize(bad.size() / 2); // cut inside the sub-pane
    Add(kText, 220, "broken", bad);
    Add(kBinary, 220, "broken", Binary("not-used"));
    XError e = ErrorOf([&] { APane::NewPaneFromRsrc(encl_, "broken", 0); });
    EXPECT_EQ(std::string(e.GetCode()), kPaneTextErrorCode)
        << "a broken text is an error, not a reason to read the binary";
    EXPECT_EQ(APane::GetLivePaneCount(), live);
    EXPECT_EQ(encl_->GetNumSubPanes(), 0);
}

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
