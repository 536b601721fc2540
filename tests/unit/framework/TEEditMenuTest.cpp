// The application's Edit menu and caret blink act on the active text record.
#include "AllocationCount.h"
#include "ApplicationTestSupport.h"
#include "KsTERecord.h"

namespace {

TEST_F(AppTest, EditMenuCommandsActOnTheActiveRecord) {
    ScopedTE rec;
    rec.Set("hello world");
    EXPECT_FALSE(app->HandleStdMenus(kEditMenuID, kNickSelectAll)); // none active yet
    KsTEActivate(rec.te, nullptr);

    const struct {
        long nick;
        SInt32 selStart, selEnd; // chosen before the command (-1: keep)
        const char* text;        // afterwards
    } script[] = {
        {kNickSelectAll, -1, -1, "hello world"},
        {kNickCopy, 0, 5, "hello world"},
        {kNickPaste, 11, 11, "hello worldhello"},
        {kNickUndo, -1, -1, "hello world"},
        {kNickRedo, -1, -1, "hello worldhello"},
        {kNickCut, 0, 6, "worldhello"},
        {kNickClear, 0, 5, "hello"},
        {kNickUndo, -1, -1, "worldhello"},
    };
    for (const auto& step : script) {
        if (step.selStart >= 0) TESetSelect(step.selStart, step.selEnd, rec.te);
        EXPECT_TRUE(app->HandleStdMenus(kEditMenuID, short(step.nick))) << step.nick;
        EXPECT_EQ(rec.Text(), step.text) << step.nick;
    }
    TESetSelect(0, 32767, rec.te);
    app->UpdateMenus();
    for (long nick :
         {kNickUndo, kNickRedo, kNickCut, kNickCopy, kNickPaste, kNickClear, kNickSelectAll})
        EXPECT_TRUE(gBartender->IsItemEnabled(nick)) << nick;
    TESetSelect(0, 0, rec.te);
    app->UpdateMenus();
    for (long nick : {kNickCut, kNickCopy, kNickClear})
        EXPECT_FALSE(gBartender->IsItemEnabled(nick)) << nick;

    KsTEDeactivate(rec.te);
    EXPECT_FALSE(app->HandleStdMenus(kEditMenuID, kNickCut));
}

TEST_F(AppTest, IdleBlinksTheActiveCaret) {
    ScopedTE rec;
    KsTEActivate(rec.te, nullptr);
    const UInt32 saved = GetCaretTime();
    KsSetCaretTime(0);
    app->NullEvent(EventRecord{}, nullptr, 0, kNullEventFromRun); // warm
    AllocationsSoFar();
    const Boolean before = rec.Rec().caretState;
    const long allocations = AllocationsSoFar();
    KsTEIdle();
    EXPECT_EQ(AllocationsSoFar(), allocations); // a blink allocates nothing
    EXPECT_NE(rec.Rec().caretState, before);
    app->NullEvent(EventRecord{}, nullptr, 0, kNullEventFromRun);
    EXPECT_EQ(rec.Rec().caretState, before);
    KsSetCaretTime(saved);
    KsTEDeactivate(rec.te);
}

} // namespace
