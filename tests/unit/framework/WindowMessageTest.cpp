// Window messages: the dispatch table, delivery guards, liveness, and finding
// the AWindow of a toolbox window; the flags of the short IWindowFromRsrc.
#include "AWindowTestSupport.h"
#include "XError.h"

namespace {

TEST_F(AWindowTest, EveryMessageReachesItsHandlerWithItsArguments) {
    ProbeWindow* w = ProbeWindow::Make();
    w->SetCloseDisposes(false);
    w->Take();
    struct Row {
        windowMsgID_t msg;
        const char* call;
    } rows[] = {
        {wmQuit, "Close 1 5"},
        {wmKeyDown, "KeyDown 4 5"},
        {wmUpdateMenus, "UpdateMenus 4 5"},
        {wmMenuSelect, "MenuSelect 4 5"},
        {wmIdle, "Idle 4 5"},
        {wmDeactivate, "Deactivate 4 5"},
        {wmActivate, "Activate 4 5"},
        {wmDrag, "Drag 4 5"},
        {wmGrow, "Grow 4 5"},
        {wmZoomIn, "Zoom 4 5"},
        {wmZoomOut, "Zoom 4 5"},
        {wmClick, "Click 4 5"},
        {wmResize, "Resize 4 5"},
        {wmVTREEvent, "VTREEvent 4 5"},
    };
    EventRecord ev{};
    for (const Row& r : rows) {
        w->SendMsg(r.msg, &ev, 4, 5);
        const auto calls = w->Take();
        ASSERT_FALSE(calls.empty()) << r.msg;
        EXPECT_EQ(calls.front(), r.call) << "message " << r.msg;
        w->SetVisible(true); // wmQuit hid it
    }
    // 15 and 16 have no handler; only a few handlers' results pass through.
    EXPECT_FALSE(w->SendMsg(windowMsgID_t(15), &ev, 0, 0));
    EXPECT_FALSE(w->SendMsg(windowMsgID_t(16), &ev, 0, 0));
    EXPECT_TRUE(w->Take().empty());
    EXPECT_TRUE(w->SendMsg(wmMenuSelect, &ev, 7, 1));
    EXPECT_FALSE(w->SendMsg(wmMenuSelect, &ev, 8, 1));
}

TEST_F(AWindowTest, HelpKeyBeepsThreeTimesAndIsUnused) {
    ProbeWindow* w = ProbeWindow::Make();
    const int before = backend->BeepCount();
    EventRecord ev{};
    EXPECT_FALSE(w->SendMsg(wmKeyDown, &ev, 0, 0x72));
    EXPECT_EQ(backend->BeepCount() - before, 3);
}

TEST_F(AWindowTest, ClosedWindowIsDisposedByItsNextMessageWhichIsNotHandled) {
    ProbeWindow* w = ProbeWindow::Make();
    w->SelectAndShow();
    WindowPtr port = w->GetWindowPtr();
    EXPECT_FALSE(w->SendMsg(wmClose, nullptr, 1, 0));
    EXPECT_TRUE(KsIsLiveWindow(w)) << "never disposed inside the close handler";
    EXPECT_TRUE(w->IsDisposePending());
    EXPECT_FALSE(w->IsVisible());
    w->Take();
    EventRecord ev{};
    EXPECT_FALSE(w->SendMsg(wmMenuSelect, &ev, 7, 1)); // would answer true if handled
    EXPECT_FALSE(KsIsLiveWindow(w));
    for (WindowPtr x = KsGetWindowList(); x; x = GetNextWindow(x))
        EXPECT_NE(x, port) << "the toolbox window is gone too";
}

TEST_F(AWindowTest, HandlerThatDisposesItsWindowLeavesNothingTouched) {
    // Under the address sanitizer any read of the freed window fails here.
    ProbeWindow* w = ProbeWindow::Make();
    ProbeWindow* other = ProbeWindow::Make();
    SetPortWindowPort(other->GetWindowPtr());
    w->disposeOnClick = true;
    EventRecord ev{};
    EXPECT_FALSE(w->SendMsg(wmClick, &ev, 0, 0));
    EXPECT_EQ(KsGetPort(), GrafPtr(other->GetWindowPtr())) << "the previous port comes back";
}

TEST_F(AWindowTest, ErrorsInAHandlerAreRaisedAgainAfterThePortIsRestored) {
    struct Thrower : ProbeWindow {
        int kind = 0;
        bool Zoom(void*, EventRecord*, long, long) override {
            if (kind == 0) throw std::runtime_error("boom");
            if (kind == 1) xraisexerror("UIS_TEST_ERROR");
            throw 42;
        }
    };
    auto* w = new Thrower;
    w->IWindow("T", nullptr, nullptr, 1, 1, 1, 0, 0, 0);
    ProbeWindow* other = ProbeWindow::Make();
    for (int kind : {0, 1, 2}) {
        w->kind = kind;
        SetPortWindowPort(other->GetWindowPtr());
        try {
            w->SendMsg(wmZoomIn, nullptr, 0, 0);
            ADD_FAILURE() << "no error raised";
        } catch (const XError& e) {
            if (kind == 0) {
                EXPECT_STREQ(e.GetCode(), "std::exception");
                ASSERT_NE(e.FindParam("what"), nullptr);
                EXPECT_EQ(e.FindParam("what")->value, "boom");
            } else if (kind == 1) {
                EXPECT_STREQ(e.GetCode(), "UIS_TEST_ERROR");
            } else {
                EXPECT_STREQ(e.GetCode(), kXErrorSeriousCode);
            }
        }
        EXPECT_EQ(KsGetPort(), GrafPtr(other->GetWindowPtr()));
    }
}

TEST_F(AWindowTest, GetWindowObjAnswersOnlyLiveWindows) {
    ProbeWindow* w = ProbeWindow::Make();
    EXPECT_EQ(GetWindowObj(w->GetWindowPtr()), w);
    EXPECT_EQ(GetWindowObj(nullptr), nullptr);

    // A toolbox window of a framework kind whose reference constant is no
    // registered window: reported, and answered as no window.
    Rect r{100, 100, 200, 200};
    WindowPtr stray = NewCWindow(nullptr, &r, reinterpret_cast<const unsigned char*>("\x05Stray"),
                                 false, 0, nullptr, false, 0x1234);
    SetWindowKind(stray, 64);
    EXPECT_EQ(GetWindowObj(stray), nullptr);
    EXPECT_EQ(fatalReports, 1);
    EXPECT_NE(lastFatal.find("Refcon is not an AWindow*: "), std::string::npos) << lastFatal;
    EXPECT_NE(lastFatal.find("Stray 1234"), std::string::npos) << lastFatal;

    // Another window's number is no good either: the number must own this window.
    SetWRefCon(stray, GetWRefCon(w->GetWindowPtr()));
    EXPECT_EQ(GetWindowObj(stray), nullptr);
    EXPECT_EQ(fatalReports, 2);

    SetWRefCon(stray, -1);
    EXPECT_EQ(GetWindowObj(stray), nullptr);
    EXPECT_EQ(lastFatal, "Trying to access the AWindow that was already disposed of.");

    // Kind 8 marks windows that are never taken for an AWindow.
    SetWindowKind(stray, kKsWindowKindNotAWindow);
    SetWRefCon(stray, 0x1234);
    EXPECT_EQ(GetWindowObj(stray), nullptr);
    EXPECT_EQ(fatalReports, 3);
    EXPECT_FALSE(SendWindowMsg(wmUpdate, stray, nullptr, 0, 0));
    DisposeWindow(stray);
}

TEST_F(AWindowTest, FreeFunctionsReachTheWindow) {
    ProbeWindow* w = ProbeWindow::Make();
    w->SetCloseDisposes(false);
    w->Take();
    EXPECT_FALSE(DoWindowCloseParam(w->GetWindowPtr(), 9));
    EXPECT_EQ(w->Take(), std::vector<std::string>{"Close 1 9"});
    EXPECT_EQ(GetWindowDataHdl(w->GetWindowPtr()), nullptr);
    w->SelectAndShow();
    w->draws = 0;
    ForceWindowUpdate(w->GetWindowPtr());
    EXPECT_EQ(w->draws, 1);
}

TEST_F(AWindowTest, CheckForUserClickTakesOnlyAClickInsideTheRectangle) {
    backend->ScriptPress(t + 1, 50, 60);
    backend->ScriptRelease(t + 2, 50, 60);
    KsAdvanceVirtualClockToTick(t + 3);
    EXPECT_FALSE(AWindow::CheckForUserClick(KsRect{0, 0, 49, 59}));
    EXPECT_TRUE(AWindow::CheckForUserClick(KsRect{0, 0, 50, 60})) << "bounds are inclusive";
    EXPECT_FALSE(AWindow::CheckForUserClick(KsRect{0, 0, 50, 60})) << "the click was taken";
}

class FlagWindow : public AWindow {
public:
    using AWindow::IWindowFromRsrc;
    void IWindowFromRsrc(const char* title, void* data, WindowPtr behind, unsigned char closeBox,
                         unsigned char zoom, unsigned char grow, unsigned char flag7,
                         unsigned char flag8, short procID, long type, char* name,
                         short id) override {
        flags = {closeBox, zoom, grow, flag7, flag8};
        AWindow::IWindowFromRsrc(title, data, behind, closeBox, zoom, grow, flag7, flag8, procID,
                                 type, name, id);
    }
    std::vector<int> flags;
};

TEST_F(AWindowTest, ShortFromRsrcFlagsReachTheLongFormsPlaces) {
    auto* w = new FlagWindow;
    w->IWindowFromRsrc("Flags", nullptr, 11, 22, 33, 44, 55, 0);
    // The second is not used; the close box is always there.
    EXPECT_EQ(w->flags, (std::vector<int>{1, 44, 33, 11, 55}));
    w->Dispose();
}

} // namespace
