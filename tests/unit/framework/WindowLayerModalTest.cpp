// The modal stack, the modal layer, and the menu and undo/redo stacks of
// modal runs.
#include "KsModalAppState.h"
#include "KsNativeWindow.h"
#include "WindowLayerTestSupport.h"

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
