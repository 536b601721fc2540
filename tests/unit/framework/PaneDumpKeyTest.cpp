// The pane-dump key on live headless windows: the window's key handling and
// the application's key routing both reach AWindow::DumpPaneID, which prints
// what the dump settings choose; DumpWindow of a live window.
#include "AWindowTestSupport.h"
#include "ApplicationTestSupport.h"
#include "KsCapturedOutput.h"
#include "KsPaneDump.h"

#include "APane.h"

#include <regex>
#include <string>

namespace {

constexpr short kDumpKey = 0x60;

// Captures the diagnostic output and restores the dump settings and key.
class DumpCapture : public StCaptureOutput {
public:
    DumpCapture() : StCaptureOutput(KsOutputChannel::debug), settings_(TavikGetDumpSettings()) {
        AWindow::iPaneDumpKey = kDumpKey;
    }
    ~DumpCapture() {
        TavikGetDumpSettings() = settings_;
        AWindow::iPaneDumpKey = 0;
    }

    // Pointers vary from run to run; line ends are unified.
    std::string Masked() const {
        std::string s = std::regex_replace(text, std::regex("0x[0-9a-fA-F]+"), "PTR");
        for (char& c : s)
            if (c == '\r') c = '\n';
        return s;
    }

private:
    TavikDumpSettings settings_;
};

// A window at a known place holding "outer" with "inner" inside it.
class DumpKeyTest : public AWindowTest {
protected:
    void SetUp() override {
        AWindowTest::SetUp();
        w = ProbeWindow::Make("Dumped");
        w->SetWindowToRect(kKsNoScreen, 100, 100, 400, 300);
        w->SelectAndShow();
        Rect c{};
        KsGetWindowContentRect(w->GetWindowPtr(), &c);
        origin = KsPoint{c.left, c.top};
        outer = APane::New(w->GetMainPane(), 10, kPaneDontCare, 120, 10, kPaneDontCare, 80,
                           RGBgray11, 1);
        outer->SetPaneID("outer");
        inner = APane::New(outer, 20, kPaneDontCare, 40, 20, kPaneDontCare, 30, RGBwhite, 0);
        inner->SetPaneID("inner");
    }
    EventRecord KeyAt(SInt32 h, SInt32 v) {
        EventRecord e{};
        e.what = keyDown;
        e.where = P(SInt16(origin.h + h), SInt16(origin.v + v));
        return e;
    }
    ProbeWindow* w = nullptr;
    APane *outer = nullptr, *inner = nullptr;
    KsPoint origin;
};

TEST_F(DumpKeyTest, KeyOverAPanePrintsTheWindowAndThePaneByTheSettings) {
    DumpCapture cap;
    TavikDumpSettings& s = TavikGetDumpSettings();
    s.windowOptions = kDumpWindowPointers;
    s.paneOptions = kDumpPaneParentage | kDumpPaneIDs | kDumpPaneRects;
    s.dumpsCompoundID = true;
    EventRecord e = KeyAt(45, 45);
    EXPECT_TRUE(w->SendMsg(wmKeyDown, &e, 0, kDumpKey));
    EXPECT_EQ(cap.Masked(), "Window under cursor is:\n"
                            "AWindow PTR \"Dumped\"\n"
                            "Pane under cursor is:\n"
                            "APane \"\xC7Pane #?\xC8\"; bounds [0,0;298,177]\n"
                            "    APane \"outer\"; bounds [10,10;130,90]\n"
                            // inside outer's 1-pixel border
                            "--------APane \"inner\"; bounds [31,31;71,61]\n"
                            "Compound Pane ID = \"outer:inner\"\n");
    EXPECT_EQ(e.where.h, origin.h + 45) << "the event keeps its global point";
}

TEST_F(DumpKeyTest, SwitchesChooseWhatIsPrintedAndWhetherTheKeyIsUsed) {
    DumpCapture cap;
    TavikDumpSettings& s = TavikGetDumpSettings();
    s.dumpsWindow = false;
    s.paneOptions = kDumpPaneIDs;
    EventRecord e = KeyAt(15, 15);
    EXPECT_TRUE(w->SendMsg(wmKeyDown, &e, 0, kDumpKey));
    // At indent 0 the marker has no room for dashes.
    EXPECT_EQ(cap.Masked(), "Pane under cursor is:\nAPane \"outer\"\n");

    // Nothing chosen: nothing printed and the key is not used.
    cap.text.clear();
    s.dumpsPane = false;
    EXPECT_FALSE(w->SendMsg(wmKeyDown, &e, 0, kDumpKey));
    EXPECT_EQ(cap.text, "");

    // Another key goes to the pane tree, never to the dump.
    s.dumpsPane = true;
    EXPECT_FALSE(w->SendMsg(wmKeyDown, &e, 0, kDumpKey + 1));
    AWindow::iPaneDumpKey = 0;
    EXPECT_FALSE(w->SendMsg(wmKeyDown, &e, 0, 0)) << "key code 0 with the dump key off";
    EXPECT_EQ(cap.text, "");
}

TEST_F(DumpKeyTest, DumpPaneIDTakesAGlobalPointAndValidatesTheTree) {
    DumpCapture cap;
    TavikDumpSettings& s = TavikGetDumpSettings();
    s.dumpsWindow = false;
    s.dumpsPane = false;
    s.validatesPane = true;
    s.dumpsCursor = true;
    EXPECT_TRUE(w->DumpPaneID(KsPoint{origin.h + 31, origin.v + 32}));
    EXPECT_EQ(fatalReports, 0) << lastFatal;
    EXPECT_EQ(cap.Masked(), "Cursor: global " + std::to_string(origin.h + 31) + ", " +
                                std::to_string(origin.v + 32) +
                                "; in active win 31, 32; in win under cursor 31, 32\n");
}

TEST_F(DumpKeyTest, DumpWindowOfALiveWindowShowsFlagsRecordAndPanes) {
    DumpCapture cap;
    TavikGetDumpSettings().paneOptions = kDumpPaneSubPanes | kDumpPaneIDs;
    w->SetIsDirtyDoc(true);
    DumpWindow(w, kDumpWindowPanes | kDumpWindowFlags | kDumpWindowMacData | kDumpWindowRects,
               dprintf, 0);
    EXPECT_EQ(cap.Masked(), "AWindow \"Dumped\"\n"
                            "    Booleans:  closeDisp hascloseBox canDrag\n"
                            "    iFlags: 00000001 dirty\n"
                            // The port is the content: 300x200 less the
                            // border and the 22-row title bar.
                            "    Window : kind 7040; portRect 0,0,298,177; pnLoc 0,0\n"
                            "    APane \"\xC7Pane #?\xC8\"\n"
                            "        APane \"outer\"\n"
                            "            APane \"inner\"\n");
}

// The application's routing: the dump key over a window of the list reaches
// its DumpPaneID before any window sees the key; elsewhere it is not used.
class DumpKeyAppTest : public AppTest {};

TEST_F(DumpKeyAppTest, ApplicationRoutesTheKeyToTheWindowUnderThePoint) {
    RecWindow* w = Win("Routed", 40, 60);
    Settle();
    APane* p =
        APane::New(w->GetMainPane(), 5, kPaneDontCare, 50, 5, kPaneDontCare, 50, RGBwhite, 0);
    p->SetPaneID("target");
    DumpCapture cap;
    TavikGetDumpSettings().dumpsWindow = false;
    TavikGetDumpSettings().paneOptions = kDumpPaneIDs;
    EventRecord e{};
    e.what = keyDown;
    e.where = Point{SInt16(60 + 10), SInt16(40 + 10)};
    EXPECT_TRUE(app->HandleStdKeyDown(&e, 0, kDumpKey));
    EXPECT_EQ(cap.Masked(), "Pane under cursor is:\nAPane \"target\"\n");
    for (const AppMsg& m : AppLog())
        EXPECT_NE(m.msg, wmKeyDown) << "the window does not see the dump key";

    cap.text.clear();
    e.where = Point{590, 790};
    EXPECT_FALSE(app->HandleStdKeyDown(&e, 0, kDumpKey)) << "no window under the point";
    EXPECT_EQ(cap.text, "");
}

} // namespace
