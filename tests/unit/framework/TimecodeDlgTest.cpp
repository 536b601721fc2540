// TimecodeDlg and StdTimecodeDialog: the layout, and a timecode typed and
// confirmed or cancelled with scripted keys.
#include "TimecodeDlg.h"
#include "ATCEntry.h"
#include "DialogTestSupport.h"
#include "MacText.h"
#include "Stx.h"

namespace {

constexpr UInt8 kReturn = 0x24, kEscape = 0x35;

using TimecodeDlgTest = DialogTest;

TEST_F(TimecodeDlgTest, OneLabelledTimecodeFieldAboveOKAndCancel) {
    TimecodeDlg* d = TimecodeDlg::New("Duration");
    dlg = d;
    APane* entry = d->FindPaneByID("TCEntry");
    ASSERT_NE(entry, nullptr);
    EXPECT_TRUE(entry->IsInstanceOf("ATCEntry"));
    const KsRect in = d->GetMainPane()->GetInterior();
    const KsRect f = entry->GetFrame();
    EXPECT_EQ(f.left - in.left, 38);
    EXPECT_EQ(f.top - in.top, 25);
    EXPECT_EQ(f.Width(), 104);
    EXPECT_EQ(f.Height(), 17);
    ASSERT_NE(entry->GetLabel(), nullptr);
    EXPECT_TRUE(entry->GetLabel()->Equals(stx("Duration://Timecode Entry Prompt")));
    EXPECT_EQ(d->GetOKGad(), d->FindPaneByID("OKBut"));
    EXPECT_EQ(d->GetAbortGad(), d->FindPaneByID("CancelBut"));
}

TEST_F(TimecodeDlgTest, TypedTimecodeComesBackOnlyOnOK) {
    struct Case {
        const char* name;
        const char* typed;
        UInt8 endKey;
        bool answer;
        SInt32 frames; // of *tc afterwards
    } cases[] = {
        {"typed and confirmed", "1015", kReturn, true, 10 * 30 + 15},
        {"typed and cancelled", "1015", kEscape, false, 45},
        {"confirmed as it was", "", kReturn, true, 45},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const long t = KsGetTicks();
        if (*c.typed) backend->ScriptText(t + 5, c.typed);
        backend->ScriptKeyDown(t + 10, c.endKey);
        backend->ScriptKeyUp(t + 11, c.endKey);
        timecode_t tc = TCMake(kTCRate30, 45);
        const long giveUp = KsGetTicks() + 600;
        EXPECT_EQ(StdTimecodeDialog("Go to", &tc, "Position:"), c.answer);
        EXPECT_LT(KsGetTicks(), giveUp);
        EXPECT_EQ(tc.frames, c.frames);
        EXPECT_EQ(tc.rate, kTCRate30);
        FlushEvents(everyEvent, 0);
    }
}

} // namespace
