// NewPaneFromRsrc: the property text ('KsP3') of the same name or ID comes
// first, the binary form ('KsPn') second; bad text is an error that leaves
// no pane behind.
#include "AWindowTestSupport.h"
#include "PaneTextTestSupport.h"

#include "AMemStream.h"
#include "AObjDoc.h"
#include "APane.h"
#include "KsHandle.h"
#include "KsScratchResFile.h"
#include "PaneStream.h"
#include "Resources.h"
#include "XError.h"

#include <cstdlib>
#include <cstring>
#include <string>
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

} // namespace
