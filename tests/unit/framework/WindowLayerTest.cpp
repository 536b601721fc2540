// Layers, z-order, selection, activation, showing and hiding; the native
// helpers (centring, minimising, the floating table, styles) on the desktop;
// the modal stack and layer, and the menu and undo/redo stacks of modal runs.
#include "KsModalAppState.h"
#include "KsNativeWindow.h"
#include "WindowLayerTestSupport.h"

using Order = std::vector<WindowPtr>;

TEST_F(WindowLayerTest, KindAndLayerShareTheWordWithoutDisturbingEachOther) {
    WindowPtr w = Make(7, 64);
    KsSetWindowLayer(w, 5);
    EXPECT_EQ(KsGetWindowKind(w), 64);
    KsSetWindowKind(w, 128);
    EXPECT_EQ(KsGetWindowLayer(w), 5);
    EXPECT_EQ(KsGetWindowKind(w), 128);
    EXPECT_EQ(GetWindowKind(w), SInt16(0x5000 | 128));

    // Bit 15 goes whenever the layer is set.
    SetWindowKind(w, SInt16(0x8000 | 0x5000 | 128));
    KsSetWindowLayer(w, 3);
    EXPECT_EQ(GetWindowKind(w), SInt16(0x3000 | 128));
}

TEST_F(WindowLayerTest, MisusedKindOrLayerIsFatalAndChangesNothing) {
    WindowPtr w = Make(7, 64);
    KsSetWindowKind(w, SInt16(0x1000 | 64));
    KsSetWindowLayer(w, 8);
    KsSetWindowLayer(w, -1);
    ASSERT_EQ(gFatal.size(), 3u);
    EXPECT_NE(gFatal[0].find("WindowManShell uses bits 12-14"), std::string::npos);
    EXPECT_NE(gFatal[1].find("layer >= 0 && layer <= 7"), std::string::npos);
    EXPECT_EQ(GetWindowKind(w), SInt16(0x7000 | 64));
}

TEST_F(WindowLayerTest, VisibleOrderFollowsLayersWhateverTheShowingOrder) {
    WindowPtr doc = Shown(7);
    WindowPtr popup = Shown(4);
    WindowPtr five = Shown(5);
    EXPECT_EQ(VisibleOrder(), (Order{popup, five, doc}));

    WindowPtr doc2 = Shown(7);
    KsSelectWindow(doc);
    // Only the front of the layer-7 windows changes.
    EXPECT_EQ(VisibleOrder(), (Order{popup, five, doc, doc2}));
    EXPECT_EQ(KsGetActiveWindow(), doc);
    EXPECT_EQ(KsGetWindowLevel(doc), 0);
    EXPECT_EQ(KsGetWindowLevel(doc2), 1);
    EXPECT_EQ(KsGetWindowLevel(popup), 0);
}

TEST_F(WindowLayerTest, BringToFrontInLayerIgnoresHiddenWindows) {
    WindowPtr hidden3 = Make(3);
    WindowPtr a = Shown(7);
    WindowPtr b = Shown(7);
    ASSERT_EQ(VisibleOrder(), (Order{b, a}));
    KsBringToFrontInLayer(a);
    EXPECT_EQ(VisibleOrder(), (Order{a, b}));
    EXPECT_EQ(KsGetWindowLevel(hidden3), 1000);
    EXPECT_EQ(KsGetWindowLevel(nullptr), 1000);
    // A window already at the front of its layer stays, and keeps activation.
    KsSelectWindow(a);
    KsBringToFrontInLayer(a);
    EXPECT_EQ(KsGetActiveWindow(), a);
}

TEST_F(WindowLayerTest, SelectingActivatesOnlyInActivatableLayers) {
    WindowPtr doc = Shown(7);
    WindowPtr doc2 = Shown(7);
    EXPECT_EQ(KsGetActiveWindow(), doc2);
    TakeActivates();

    KsSelectWindow(doc);
    EXPECT_EQ(KsGetActiveWindow(), doc);
    EXPECT_FALSE(doc2->hilited);
    EXPECT_EQ(KsGetLastDeactivatedLayer(), 7);
    EXPECT_EQ(TakeActivates(),
              (std::vector<std::pair<WindowPtr, bool>>{{doc2, false}, {doc, true}}));

    for (SInt16 layer : {2, 4, 6}) {
        WindowPtr x = Shown(layer);
        KsSelectWindow(x);
        EXPECT_FALSE(x->hilited) << "layer " << layer;
        EXPECT_EQ(KsGetWindowLevel(x), 0) << "layer " << layer;
        EXPECT_EQ(KsGetActiveWindow(), doc) << "layer " << layer;
    }
    EXPECT_EQ(KsGetNextWindow(doc), doc2);
}

TEST_F(WindowLayerTest, AModalWindowBlocksOrdinaryWindowsButNotPopups) {
    WindowPtr doc = Shown(7);
    WindowPtr doc2 = Shown(7);
    WindowPtr modal = ShowModal();
    ASSERT_EQ(KsGetActiveWindow(), modal);
    EXPECT_FALSE(KsCanSelectWindow(doc));
    EXPECT_TRUE(KsCanSelectWindow(modal));

    KsSelectWindow(doc);
    EXPECT_EQ(VisibleOrder(), (Order{modal, doc2, doc}));
    EXPECT_EQ(KsGetActiveWindow(), modal);

    WindowPtr popup = Shown(4);
    WindowPtr popup2 = Shown(4);
    KsSelectWindow(popup);
    EXPECT_EQ(VisibleOrder().front(), popup);
    EXPECT_EQ(VisibleOrder()[1], popup2);
    EXPECT_EQ(KsGetActiveWindow(), modal);
    EXPECT_FALSE(popup->hilited);
}

TEST_F(WindowLayerTest, TopActivatableCountsLayerFiveOnlyForModalWindows) {
    WindowPtr doc = Shown(7);
    WindowPtr about = Shown(3);
    WindowPtr plain5 = Shown(5, 64);
    EXPECT_EQ(KsGetTopActivatableWindow(), about);
    KsHideWindow(about);
    EXPECT_EQ(KsGetTopActivatableWindow(), doc);
    EXPECT_EQ(KsGetAnyTopActivatableWindow(-1), plain5);
    EXPECT_EQ(KsGetAnyTopActivatableWindow(7), doc);
    // No visible window in layer 1: the front of any activatable layer.
    EXPECT_EQ(KsGetAnyTopActivatableWindow(1), plain5);
    KsSetWindowKind(plain5, 128);
    EXPECT_EQ(KsGetTopActivatableWindow(), plain5);
}

TEST_F(WindowLayerTest, ShowingCallsTheHookAndSelectsOnlyTheTopActivatableWindow) {
    static std::vector<std::pair<SInt32, WindowPtr>> calls;
    calls.clear();
    KsSetShowWindowHook([](SInt32 msg, WindowPtr w) { calls.emplace_back(msg, w); });

    WindowPtr about = Shown(3);
    EXPECT_EQ(KsGetActiveWindow(), about);
    WindowPtr doc = Shown(7);
    EXPECT_TRUE(doc->visible);
    EXPECT_FALSE(doc->hilited);
    EXPECT_EQ(KsGetActiveWindow(), about);
    KsShowWindow(doc); // already visible: nothing
    ASSERT_EQ(calls.size(), 2u);
    EXPECT_EQ(calls[0], std::make_pair(SInt32(134), about));
    EXPECT_EQ(calls[1], std::make_pair(SInt32(134), doc));
}

TEST_F(WindowLayerTest, HidingSelectsTheTopWindowOfTheLayerLastDeactivated) {
    WindowPtr tool = Shown(3);
    WindowPtr a = Shown(7);
    WindowPtr b = Shown(7);
    ASSERT_EQ(KsGetActiveWindow(), tool); // shown behind a layer-3 window: not selected
    KsSelectWindow(a);
    KsSelectWindow(b);
    ASSERT_EQ(KsGetLastDeactivatedLayer(), 7);

    // The layer-3 window is in front, but layer 7 lost activation last.
    KsHideWindow(b);
    EXPECT_FALSE(b->visible);
    EXPECT_EQ(KsGetActiveWindow(), a);
    EXPECT_FALSE(tool->hilited);
}

TEST_F(WindowLayerTest, HidingInTheBackgroundSelectsNothing) {
    WindowPtr a = Shown(7);
    WindowPtr b = Shown(7);
    backend->ScriptFocus(KsGetTicks(), false);
    EventRecord e;
    while (GetNextEvent(everyEvent & ~updateMask, &e)) {
    }
    ASSERT_FALSE(KsIsInForeground());
    KsHideWindow(b);
    EXPECT_FALSE(a->hilited);
    EXPECT_EQ(KsGetActiveWindow(), nullptr);
}

TEST_F(WindowLayerTest, FlushActivatesForgetsOnlyThatWindowsEvents) {
    WindowPtr a = Shown(7);
    WindowPtr b = Shown(7);
    TakeActivates();
    KsSelectWindow(a);
    KsFlushActivates(a);
    auto events = TakeActivates();
    for (const auto& [w, on] : events)
        EXPECT_NE(w, a);
    EXPECT_FALSE(events.empty());
    EXPECT_EQ(events.back(), std::make_pair(b, false));
}

TEST_F(WindowLayerTest, PortsOfLiveWindowsAreWindows) {
    WindowPtr w = Make(7);
    EXPECT_TRUE(KsIsPortAWindow(w));
    EXPECT_FALSE(KsIsPortAWindow(KsGetDesktopPort()));
    EXPECT_FALSE(KsIsPortAWindow(nullptr));
}

TEST_F(WindowLayerTest, MovingWithFrontObeysTheModalRule) {
    WindowPtr doc = Shown(7);
    WindowPtr modal = ShowModal();
    KsMoveWindow(doc, 300, 300, true);
    Rect r;
    KsGetWindowContentRect(doc, &r);
    EXPECT_EQ(r.left, 300);
    EXPECT_EQ(r.top, 300);
    EXPECT_EQ(KsGetActiveWindow(), modal);
}

namespace {

TEST_F(WindowLayerTest, CentringKeepsTheWindowInsideTheAreaBelowTheMenuBar) {
    WindowPtr w = Shown(7, 64, 40, 60);
    SInt32 l = 0, t = 0, r = 0, b = 0;
    GetMainWndSize(&l, &t, &r, &b);
    EXPECT_EQ((KsRect{l, t, r, b}), (KsRect{0, 20, 640, 480}));

    CenterWindowInWindow(w, nullptr);
    ASSERT_TRUE(GetWindowWRect(w, &l, &t, &r, &b));
    EXPECT_NEAR(l - 0, 640 - r, 1); // an odd leftover goes below or right
    EXPECT_NEAR(t - 20, 480 - b, 1);

    // Over a parent near the top-left corner: pulled back inside.
    WindowPtr parent = Shown(7, 64, 2, 22);
    SizeWindow(parent, 10, 10, false);
    CenterWindowInWindow(w, parent);
    ASSERT_TRUE(GetWindowWRect(w, &l, &t, &r, &b));
    EXPECT_EQ(l, 0);
    EXPECT_EQ(t, 20);
    EXPECT_FALSE(GetWindowWRect(reinterpret_cast<void*>(&l), &l, &t, &r, &b));
    EXPECT_EQ(l, 0); // left as it was
}

TEST_F(WindowLayerTest, MinimisingHidesAndRestoringShowsInTheSamePlace) {
    WindowPtr a = Shown(7, 64, 40, 60);
    WindowPtr b = Shown(7, 64, 300, 60);
    SInt32 l0, t0, r0, b0, l, t, r, bt;
    GetWindowWRect(b, &l0, &t0, &r0, &b0);
    MinimizeWindow(b);
    EXPECT_TRUE(KsIsIconic(b));
    EXPECT_FALSE(b->visible);
    EXPECT_EQ(KsGetActiveWindow(), a);
    GetWindowWRect(b, &l, &t, &r, &bt);
    EXPECT_EQ((KsRect{l, t, r, bt}), (KsRect{l0, t0, r0, b0}));
    RestoreMinimizedWindows();
    EXPECT_FALSE(KsIsIconic(b));
    EXPECT_TRUE(b->visible);
    EXPECT_EQ(KsGetActiveWindow(), b);
}

TEST_F(WindowLayerTest, FloatingTableHoldsNineAndForgetsDisposedWindows) {
    std::vector<WindowPtr> ws;
    for (int i = 0; i < kKsFloatingWindowSlots; ++i) {
        ws.push_back(Shown(3, 64, SInt16(10 + 20 * i), 100));
        EXPECT_EQ(KsAddFloatingWindow(ws.back()), i + 1);
    }
    WindowPtr extra = Shown(3);
    EXPECT_EQ(KsAddFloatingWindow(extra), 0);
    EXPECT_EQ(IsFloatingWindow(ws[4]), 5);
    EXPECT_TRUE(IsActivatableFWVisible());
    EXPECT_TRUE(IntersectWithAnyFloatingWindow(KsRect{95, 110, 96, 111}));
    Forget(ws[4]);
    EXPECT_EQ(KsAddFloatingWindow(extra), 5);
    for (WindowPtr w : ws)
        if (w != ws[4]) ChangeWindowToToolbar(w);
    ChangeWindowToToolbar(extra);
    EXPECT_FALSE(IsActivatableFWVisible());
}

TEST_F(WindowLayerTest, StylesAreKeptPerWindowAndTopmostWindowsObstruct) {
    WindowPtr w = Shown(2, 64, 100, 100);
    EXPECT_EQ(KsGetWindowStyles(w), UInt32(kKsStyleDefault));
    RemoveWindowStyles(w, true, true, false, false, false);
    EXPECT_EQ(KsGetWindowStyles(w),
              UInt32(kKsStyleSystemMenu | kKsStyleCaption | kKsStyleResizeFrame));
    EXPECT_FALSE(KsWinIsRectObstructedByTopmost(KsRect{120, 120, 130, 130}));
    SetWindowAlwaysOnTop(w, true);
    EXPECT_TRUE(KsWinIsRectObstructedByTopmost(KsRect{120, 120, 130, 130}));
    EXPECT_FALSE(KsWinIsRectObstructedByTopmost(KsRect{500, 400, 510, 410}));
    KsHideWindow(w);
    EXPECT_FALSE(KsWinIsRectObstructedByTopmost(KsRect{120, 120, 130, 130}));
}

} // namespace

using Flags = std::vector<bool>;

TEST_F(WindowLayerTest, HidingTheLastModalWindowSelectsTheOneActiveBefore) {
    WindowPtr doc = Shown(7);
    WindowPtr other = Shown(7);
    KsSelectWindow(doc);
    WindowPtr modal = ShowModal();
    EXPECT_EQ(NumModalWindows(), 1);
    EXPECT_EQ(KsGetActiveWindow(), modal);
    EXPECT_EQ(Enabled({doc, other, modal}), (Flags{false, false, true}));

    KsHideWindow(modal);
    EXPECT_EQ(NumModalWindows(), 0);
    EXPECT_EQ(KsGetActiveWindow(), doc);
    EXPECT_EQ(Enabled({doc, other, modal}), (Flags{true, true, true}));
}

TEST_F(WindowLayerTest, NestedModalWindowsHandTheApplicationBack) {
    WindowPtr doc = Shown(7);
    WindowPtr first = ShowModal(100, 100);
    WindowPtr second = ShowModal(300, 150);
    EXPECT_EQ(NumModalWindows(), 2);
    EXPECT_EQ(KsTopModalWindow(), second);
    EXPECT_EQ(Enabled({doc, first, second}), (Flags{false, false, true}));

    KsHideWindow(second);
    EXPECT_EQ(NumModalWindows(), 1);
    EXPECT_EQ(KsGetActiveWindow(), first);
    EXPECT_EQ(Enabled({doc, first, second}), (Flags{false, true, false}));

    KsHideWindow(first);
    EXPECT_EQ(NumModalWindows(), 0);
    EXPECT_EQ(KsGetActiveWindow(), doc);
    EXPECT_TRUE(KsIsWindowEnabled(doc));
}

// Either of two nested modal windows disposed while shown leaves the stack;
// the other one holds the application until it goes too.
TEST_F(WindowLayerTest, AModalWindowDisposedWhileShownLeavesTheStack) {
    for (bool outerFirst : {true, false}) {
        SCOPED_TRACE(outerFirst ? "outer first" : "inner first");
        WindowPtr doc = Shown(7);
        WindowPtr first = ShowModal(100, 100);
        WindowPtr second = ShowModal(300, 150);
        WindowPtr gone = outerFirst ? first : second, left = outerFirst ? second : first;
        Forget(gone);
        EXPECT_EQ(NumModalWindows(), 1);
        EXPECT_EQ(KsGetActiveWindow(), left);
        EXPECT_EQ(Enabled({doc, left}), (Flags{false, true}));
        if (outerFirst)
            KsHideWindow(left);
        else
            Forget(left);
        EXPECT_EQ(NumModalWindows(), 0);
        EXPECT_EQ(KsGetActiveWindow(), doc);
        EXPECT_TRUE(KsIsWindowEnabled(doc));
        Forget(doc);
        if (outerFirst) Forget(left);
    }
}

TEST_F(WindowLayerTest, AModalWindowNeverReselectsAWindowDisposedMeanwhile) {
    WindowPtr keep = Shown(7, 64, 10, 30);
    WindowPtr doc = Shown(7);
    ASSERT_EQ(KsGetActiveWindow(), doc);
    WindowPtr modal = ShowModal();
    Forget(doc); // the window the modal one would come back to
    KsHideWindow(modal);
    EXPECT_EQ(KsGetActiveWindow(), keep);
    EXPECT_EQ(NumModalWindows(), 0);
}

TEST_F(WindowLayerTest, TheModalLayerIsLeftForTheLayerTheWindowHad) {
    WindowPtr w = Make(3);
    KsEnterModalLayer(w);
    EXPECT_EQ(KsGetWindowKind(w), 128);
    EXPECT_EQ(KsGetWindowLayer(w), 5);
    KsEnterModalLayer(w); // again: the first layer stays remembered
    KsLeaveModalLayer(w);
    EXPECT_EQ(KsGetWindowKind(w), 64);
    EXPECT_EQ(KsGetWindowLayer(w), 3);

    // Over an active window of a lower layer, the modal one joins that layer.
    WindowPtr about = Shown(1);
    WindowPtr dlg = Make(7);
    KsEnterModalLayer(dlg);
    EXPECT_EQ(KsGetWindowLayer(dlg), 1);
    KsLeaveModalLayer(dlg);
    EXPECT_EQ(KsGetWindowLayer(dlg), 7);
    EXPECT_EQ(KsGetActiveWindow(), about);

    // Never made modal: the ordinary layer.
    WindowPtr plain = Make(4);
    KsLeaveModalLayer(plain);
    EXPECT_EQ(KsGetWindowLayer(plain), 7);
}

TEST_F(WindowLayerTest, ANativeModalDialogIsEnabledAgainInsteadOfTheApplication) {
    WindowPtr doc = Shown(7);
    WindowPtr native = Shown(1);
    EXPECT_EQ(KsSetNativeModalDialog(native), nullptr);
    EXPECT_TRUE(KsInNativeModalDialog());
    WindowPtr modal = Make(7);
    KsEnterModalLayer(modal);
    KsShowWindow(modal);
    KsEnableNativeModalDialog(false); // what showing a modal window does meanwhile
    EXPECT_FALSE(KsIsNativeModalDialogEnabled());
    KsHideWindow(modal);
    EXPECT_TRUE(KsIsNativeModalDialogEnabled());
    EXPECT_EQ(NumModalWindows(), 0);
    Forget(native);
    EXPECT_FALSE(KsInNativeModalDialog());
    EXPECT_TRUE(KsIsWindowEnabled(doc));
}

// ---- Menu state -----------------------------------------------------------------------

class WindowLayerMenuTest : public WindowLayerTest {
protected:
    void SetUp() override {
        WindowLayerTest::SetUp();
        for (MenuID id : {256, 257, 258, 300}) {
            MenuHandle m = NewMenu(id, reinterpret_cast<ConstStr255Param>("\x01M"));
            AppendMenu(m, reinterpret_cast<ConstStr255Param>("\x03One"));
            InsertMenu(m, 0);
            menus.push_back(m);
        }
        DisableMenuItem(menus[1], 0); // 257 is off on purpose
    }
    void TearDown() override {
        ClearMenuBar();
        for (MenuHandle m : menus)
            DisposeMenu(m);
        WindowLayerTest::TearDown();
    }
    Flags State() const {
        Flags v;
        for (MenuHandle m : menus)
            v.push_back(IsMenuItemEnabled(m, 0));
        return v;
    }
    std::vector<MenuHandle> menus;
};

TEST_F(WindowLayerMenuTest, NestedRunsGiveBackEachMenusOwnState) {
    const int outer = KsPushMenuState(258);
    EXPECT_EQ(State(), (Flags{false, false, true, false}));
    MacEnableMenuItem(menus[3], 0); // the outer run turns one on for itself
    const int inner = KsPushMenuState(258);
    EXPECT_EQ(KsMenuStateDepth(), 2);
    EXPECT_EQ(State(), (Flags{false, false, true, false}));

    KsPopMenuState(inner);
    EXPECT_EQ(State(), (Flags{false, false, true, true}));
    KsPopMenuState(outer);
    EXPECT_EQ(State(), (Flags{true, false, true, true}));
    EXPECT_EQ(KsMenuStateDepth(), 0);
    KsPopMenuState(outer); // gone: nothing
    EXPECT_EQ(State(), (Flags{true, false, true, true}));
}

TEST_F(WindowLayerMenuTest, PoppingAnOuterRunAlsoUndoesOneLeftByAnError) {
    const int outer = KsPushMenuState(258);
    {
        StKsModalMenus inner(0);
        EXPECT_EQ(State(), (Flags{false, false, false, false}));
    }
    KsPushMenuState(0); // never popped
    KsPopMenuState(outer);
    EXPECT_EQ(State(), (Flags{true, false, true, true}));
    EXPECT_EQ(KsMenuStateDepth(), 0);
}

TEST_F(WindowLayerMenuTest, MenusLeavingTheBarDuringARunAreLeftAlone) {
    const int token = KsPushMenuState(258);
    DeleteMenu(256);
    KsPopMenuState(token);
    EXPECT_FALSE(IsMenuItemEnabled(menus[0], 0));
    EXPECT_TRUE(IsMenuItemEnabled(menus[3], 0));
    EXPECT_EQ(KsMenuStateDepth(), 0);
}

TEST_F(WindowLayerMenuTest, EnableMenuBarTakesAndGivesBackEveryMenu) {
    EnableMenuBar(false);
    EnableMenuBar(false);
    EXPECT_EQ(KsMenuStateDepth(), 1);
    EXPECT_EQ(State(), (Flags{false, false, false, false}));
    EnableMenuBar(true);
    EXPECT_EQ(State(), (Flags{true, false, true, true}));
    EXPECT_EQ(KsMenuStateDepth(), 0);
}

// ---- Undo and redo ---------------------------------------------------------------------

namespace {
struct UndoApp {
    int undo = 1; // the "procedures": non-zero when set
    std::vector<int> given;
};
void* TakeUndo(void* data) {
    auto* app = static_cast<UndoApp*>(data);
    auto* saved = new int(app->undo);
    app->undo = 0;
    return saved;
}
void GiveUndo(void* saved, void* data) {
    auto* app = static_cast<UndoApp*>(data);
    auto* value = static_cast<int*>(saved);
    app->undo = *value;
    app->given.push_back(*value);
    delete value;
}
} // namespace

TEST_F(WindowLayerTest, UndoAndRedoComeBackAfterNestedModalDialogs) {
    UndoApp app;
    KsSetUndoRedoHooks({TakeUndo, GiveUndo, &app});
    const int outer = KsPushUndoRedo();
    EXPECT_EQ(app.undo, 0);
    app.undo = 2; // the outer dialog's own
    const int inner = KsPushUndoRedo();
    EXPECT_EQ(app.undo, 0);
    KsPopUndoRedo(inner);
    EXPECT_EQ(app.undo, 2);
    KsPopUndoRedo(outer);
    EXPECT_EQ(app.undo, 1);
    EXPECT_EQ(app.given, (std::vector<int>{2, 1}));
    EXPECT_EQ(KsUndoRedoDepth(), 0);
}

TEST_F(WindowLayerTest, UndoStatesGoBackThroughTheHooksThatTookThem) {
    UndoApp first, second;
    KsSetUndoRedoHooks({TakeUndo, GiveUndo, &first});
    const int token = KsPushUndoRedo();
    KsSetUndoRedoHooks({TakeUndo, GiveUndo, &second});
    const int left = KsPushUndoRedo(); // an error skips its pop
    (void)left;
    KsPopUndoRedo(token);
    EXPECT_EQ(first.undo, 1);
    EXPECT_EQ(second.undo, 1);
    EXPECT_EQ(KsUndoRedoDepth(), 0);

    // Without hooks the stack still balances.
    KsSetUndoRedoHooks({});
    KsPopUndoRedo(KsPushUndoRedo());
    EXPECT_EQ(KsUndoRedoDepth(), 0);
}
