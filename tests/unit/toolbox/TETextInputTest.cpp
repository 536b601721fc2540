// The active text record and the outside world: an input method's composition
// shown in place and its commit inserted as one edit, the candidate window at
// the caret, and styled copy and paste through the scrap.
#include "EventTestSupport.h"
#include "KsTERecord.h"
#include "KsTextInput.h"
#include "Scrap.h"
#include "TEPrivate.h"

#include <string>
#include <vector>

namespace {

class TETextInputTest : public EventTest {
protected:
    void TearDown() override {
        ZeroScrap();
        EventTest::TearDown();
    }
};

} // namespace

TEST_F(TETextInputTest, CompositionShowsInPlaceAndCommitIsOneEdit) {
    ScopedTE rec;
    rec.Set("ab");
    TESetSelect(1, 1, rec.te);
    KsTEActivate(rec.te, nullptr);
    const KsRect caret = KsTEGetCaretRect(rec.te);
    EXPECT_EQ(backend->TextInputRect(), caret) << "the candidate window starts at the caret";

    backend->ScriptComposition(t0, "na\xC3\xAF", 3);
    KsPumpEvents();
    EXPECT_EQ(rec.Text(), "ab") << "a composition is not text";
    EXPECT_EQ(rec.Rec().priv->composition, "na\x95");
    EXPECT_GT(backend->TextInputRect().left, caret.left) << "it follows the input caret";

    backend->ScriptText(t0, "na\xC3\xAFve");
    KsPumpEvents();
    EXPECT_EQ(rec.Text(), "ana\x95veb");
    EXPECT_TRUE(rec.Rec().priv->composition.empty());
    EXPECT_EQ(rec.Rec().selStart, 6);
    KsTEUndo(rec.te);
    EXPECT_EQ(rec.Text(), "ab") << "one commit, one undo step";
    KsTEDeactivate(rec.te);
    EXPECT_EQ(KsGetTextInputClient(), nullptr) << "only the active record takes commits";
}

TEST_F(TETextInputTest, StyledCopyAndPasteKeepRunsAndUndoAsOne) {
    ScopedTE from({4, 4, 196, 116}, {4, 4, 196, 116}, TEBreaks::kReturnOnly, true);
    from.Set("plain bold");
    TETextStyle bold = KsTEGetStyle(0, from.te);
    bold.tsFace = ::bold;
    bold.tsColor = {0xFFFF, 0, 0};
    TESetSelect(6, 10, from.te);
    KsTESetStyle(doFace | doColor, bold, false, from.te);
    TESetSelect(3, 10, from.te);
    TECopy(from.te);
    EXPECT_EQ(backend->GetClipboardText(), "in bold") << "plain text for other programs";

    ScopedTE to({4, 4, 196, 116}, {4, 4, 196, 116}, TEBreaks::kReturnOnly, true);
    to.Set("[]");
    TESetSelect(1, 1, to.te);
    TEPaste(to.te);
    EXPECT_EQ(to.Text(), "[in bold]");
    KsTEUndo(to.te);
    EXPECT_EQ(to.Text(), "[]");
    KsTERedo(to.te); // brings the runs back too
    const std::vector<TEStyleRun> pasted = KsTEGetStyleRuns(to.te);
    ASSERT_EQ(pasted.size(), 3u);
    EXPECT_EQ(pasted[1].startChar, 4);
    EXPECT_EQ(pasted[1].style, bold);
    EXPECT_EQ(pasted[2].startChar, 8);
}
