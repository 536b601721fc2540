// Message boxes: layout from text and labels, answers by click, key and
// close, batch mode and scripted answers with their record, and requests
// from other threads; the lines a box showed and its redraw hook; the text
// layout (breaks, tags, wrapping, button lists).
#include "AScrollablePane.h"
#include "AutoRequestDlg.h"
#include "DialogTestSupport.h"
#include "KsARText.h"
#include "KsCapturedOutput.h"
#include "KsLog.h"

#include <atomic>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

namespace {

class MessageBoxTest : public DialogTest {
protected:
    void TearDown() override {
        AutoRequestDlg::InstallNullEventHandler(nullptr, nullptr);
        KsSDlogSetBatchMode(false);
        if (box && KsIsLiveWindow(box)) box->Dispose();
        DialogTest::TearDown();
    }
    AutoRequestDlg* Box(const char* text, const char* buttons, short def) {
        box = AutoRequestDlg::New(true, "apptest");
        box->IAutoRequestDlg(text, buttons, def, 3, false);
        return box;
    }
    static std::string LogText() {
        std::ifstream in(LogFile::GetPath());
        std::stringstream s;
        s << in.rdbuf();
        return s.str();
    }
    AutoRequestDlg* box = nullptr;
};

TEST_F(MessageBoxTest, LabelsBecomeButtonsWithRolesAndHiddenChoicesTakeNoRoom) {
    struct Case {
        const char* buttons;
        short def;
        std::vector<int> shown; // numbers of the buttons made
        short ok, cancel;
    } cases[] = {
        {"OK|Cancel", 1, {1, 2}, 1, 2},
        {"Restart|Exit|#x|#c", 1, {1, 2}, 0, 0},
        {"1|2|3|4|5|6|7|8|9", 3, {1, 2, 3, 4, 5, 6, 7, 8}, 0, 0},
        {"", 1, {}, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.buttons);
        Box("Message", c.buttons, c.def);
        std::vector<int> shown;
        for (int i = 1; i <= 9; ++i) {
            const std::string id = "ARbut" + std::to_string(i) + "_But";
            if (APane* b = box->FindPaneByID(id.c_str())) {
                shown.push_back(i);
                EXPECT_EQ(static_cast<AGadget*>(b)->GetValueRefCon(), i);
                EXPECT_GE(b->GetFrame().Width(), AutoRequestDlg::kMinButtonWidth);
            }
        }
        EXPECT_EQ(shown, c.shown);
        EXPECT_EQ(box->GetOKButton(), c.ok);
        EXPECT_EQ(box->GetCancelButton(), c.cancel);
        if (!c.shown.empty()) {
            EXPECT_EQ(box->GetDefaultGad()->GetValueRefCon(), c.def);
        }
        box->Dispose();
        box = nullptr;
    }
}

TEST_F(MessageBoxTest, TheIconSitsLowerForSeveralLinesAndALongTextScrolls) {
    Box("one line", "OK", 1);
    EXPECT_EQ(box->FindPaneByID("Icon_Pane")->GetFrame().top, 11);
    EXPECT_FALSE(box->GetTextScrolls());
    box->Dispose();
    Box("a\\nb", "OK", 1);
    EXPECT_EQ(box->GetParsed().lines.size(), 2u);
    EXPECT_EQ(box->FindPaneByID("Icon_Pane")->GetFrame().top, 15);
    box->Dispose();

    std::string tall;
    for (int i = 0; i < 300; ++i)
        tall += "A line of a long report\n";
    Box(tall.c_str(), "OK", 1);
    EXPECT_TRUE(box->GetTextScrolls());
    EXPECT_NE(box->FindPaneByID("Message_Scroll"), nullptr);
    const KsRect content = KsContentRect(box->GetWindowPtr());
    EXPECT_LE(content.Height(), 600 - kKsMenuBarHeight);
    SInt32 min = 0, max = 0;
    box->GetMessagePane()->GetYScrollInfo(&min, &max, nullptr);
    EXPECT_GT(max, 0); // the rest of the text is reachable
}

// The box as the user meets it: shown by the hook, answered by a click on a
// button, a key, or the close box.
TEST_F(MessageBoxTest, AClickAKeyOrTheCloseBoxAnswers) {
    enum class How { clickSecond, escape, ret, closeBox };
    struct Case {
        const char* name;
        How how;
        short answer;
    } cases[] = {
        {"click", How::clickSecond, 2},
        {"escape presses Cancel", How::escape, 2},
        {"return presses the default", How::ret, 1},
        {"close box", How::closeBox, AutoRequestDlg::kClosedAnswer},
    };
    static How how;
    static MessageBoxTest* self;
    self = this;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        how = c.how;
        AutoRequestDlg::InstallNullEventHandler(
            [](AutoRequestDlg* d, EventRecord*, void*) {
                if (!self->ScriptDone()) return;
                EventRecord ev{};
                switch (how) {
                case How::clickSecond:
                    self->ScriptClick(d, d->FindPaneByID("ARbut2_But"));
                    break;
                case How::escape:
                    d->SendMsg(wmKeyDown, &ev, 27, 0x35);
                    break;
                case How::ret:
                    d->SendMsg(wmKeyDown, &ev, 13, 0x24);
                    break;
                case How::closeBox:
                    d->SendMsg(wmClose, &ev, 0, 0);
                    break;
                }
            },
            nullptr);
        const long giveUp = KsGetTicks() + 600;
        EXPECT_EQ(UIdialog("Replace the clip?", "OK|Cancel", 1, 3), c.answer);
        EXPECT_LT(KsGetTicks(), giveUp);
    }
}

TEST_F(MessageBoxTest, BatchModeAndScriptedAnswersLeaveARecord) {
    struct Case {
        const char* text;
        const char* buttons;
        short def;
        short scripted; // 0: none, batch mode answers
        const char* label;
        short answer;
    } cases[] = {
        {"Delete the bin?", "Yes|No", 2, 0, "No", 2},
        {"Fatal", "Restart|Exit|#x|#c", 4, 0, "#c", 4},
        {"Nothing", "OK", 0, 0, "", 0},
        {"Keep going?", "Yes|No", 2, 1, "Yes", 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        KsSDlogSetBatchMode(c.scripted == 0);
        if (c.scripted) KsSDlogPushScriptedAnswer(c.scripted);
        StCaptureOutput out(KsOutputChannel::debug);
        EXPECT_EQ(UIdialog(c.text, c.buttons, c.def, 0), c.answer);
        const std::string how = c.scripted ? "Scripted answer" : "Batch mode";
        EXPECT_EQ(out.text, "\n[" + how + "] " + c.text + "\n[" + how + "] [" + c.label + "]\n");
        EXPECT_NE(LogText().find(std::string(c.text) + " -> [" + c.label + "]"), std::string::npos);
        EXPECT_EQ(KsSDlogScriptedAnswersLeft(), 0);
    }
}

TEST_F(MessageBoxTest, OtherThreadsAreServedByTheMainThreadOrGetTheDefault) {
    KsSDlogPushScriptedAnswer(2);
    std::atomic<short> answer{0};
    std::atomic<bool> done{false};
    std::string warning;
    {
        StCaptureOutput out;
        std::thread worker([&] {
            KsSDlogSetBatchMode(true); // refused: not the main thread
            answer = KsSimpleDlg("From a worker", "OK|Cancel", 1, 0, nullptr, false, nullptr);
            done = true;
        });
        const long giveUp = KsGetTicks() + 600;
        while (!done && KsGetTicks() < giveUp)
            app->ProcessEvent(everyEvent);
        worker.join();
        warning = out.text;
    }
    EXPECT_EQ(answer, 2); // the scripted answer, taken on the main thread
    EXPECT_FALSE(KsSDlogGetBatchMode());
    EXPECT_NE(warning.find("WARNING: Attempt to SetARBatchMode from non-main thread!"),
              std::string::npos);

    // Nobody serves: the default, logged.
    const long was = KsSDlogSetPickupTimeout(20);
    StCaptureOutput out(KsOutputChannel::debug);
    short unserved = 0;
    std::thread([&] {
        unserved = KsSimpleDlg("Unserved", "Yes|No", 2, 0, nullptr, false, nullptr);
    }).join();
    KsSDlogSetPickupTimeout(was);
    EXPECT_EQ(unserved, 2);
    EXPECT_NE(out.text.find("Unserved"), std::string::npos);
    EXPECT_NE(out.text.find("[No]"), std::string::npos);
}

class MessageBoxLinesTest : public DialogTest {
protected:
    void TearDown() override {
        AutoRequestDlg::InstallNullEventHandler(nullptr, nullptr);
        DialogTest::TearDown();
    }
};

TEST_F(MessageBoxLinesTest, TheShownLinesStayReadableAndTheBoxRedrawsOnRequest) {
    // No box showing: the redraw fails its assertion and does nothing.
    KsSDlogUpdate(nullptr);
    ASSERT_EQ(FatalMessages().size(), 1u);
    EXPECT_NE(FatalMessages()[0].find("arWindow"), std::string::npos);

    static int redrawn;
    redrawn = 0;
    AutoRequestDlg::InstallNullEventHandler(
        [](AutoRequestDlg* d, EventRecord*, void*) {
            d->GetMainPane()->Inval();
            KsSDlogUpdate(nullptr);
            // Drawn: nothing of it is left to update.
            if (EmptyRgn(reinterpret_cast<WindowPeek>(d->GetWindowPtr())->updateRgn)) ++redrawn;
            EventRecord ev{};
            d->SendMsg(wmKeyDown, &ev, 13, 0x24);
        },
        nullptr);
    EXPECT_EQ(KsSimpleDlg("First line\\nSecond <b>line</b>", "OK", 1, 0, nullptr, false, nullptr),
              1);
    EXPECT_EQ(redrawn, 1);
    EXPECT_EQ(FatalMessages().size(), 1u);
    struct Case {
        long n;
        const char* line;
    } cases[] = {{0, ""}, {1, "First line"}, {2, "Second line"}, {3, ""}};
    EXPECT_EQ(GetARnumLines(), 2);
    for (const Case& c : cases)
        EXPECT_STREQ(GetARnthLine(c.n), c.line) << c.n;
}

std::vector<std::string> Lines(const KsARText& t) {
    std::vector<std::string> out;
    for (const KsARLine& l : t.lines)
        out.push_back(l.text);
    return out;
}

TEST(MessageTextTest, LinesEndAtRealAndEscapedBreaks) {
    using V = std::vector<std::string>;
    struct Case {
        const char* text;
        V lines;
    } cases[] = {
        {nullptr, {""}},
        {"", {""}},
        {"one", {"one"}},
        {"a\nb", {"a", "b"}},
        {"a\rb", {"a", "b"}},
        {"a\\nb", {"a", "b"}},
        {"a\\rb", {"a", "b"}},
        {"a\r\nb", {"a", "b"}},
        {"a\\r\\nb", {"a", "b"}},
        {"a\n\nb", {"a", "", "b"}},
        {"a\\", {"a\\"}},
        {"a\\x", {"a\\x"}},
        {"<b>Bold</b> and <I>it</I>", {"Bold and it"}},
        {"<x>kept</b", {"<x>kept</b"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text ? c.text : "(null)");
        const KsARText t = KsARParseText(c.text);
        EXPECT_EQ(Lines(t), c.lines);
        EXPECT_FALSE(t.cut);
    }
}

TEST(MessageTextTest, TagsSetFacesOfTheTextTheyEnclose) {
    const KsARText t = KsARParseText("a<b>b<u>c</b>d</u>e");
    ASSERT_EQ(t.lines.size(), 1u);
    EXPECT_EQ(t.lines[0].text, "abcde");
    const std::string want{char(0), char(kKsARBold), char(kKsARBold | kKsARUnderline),
                           char(kKsARUnderline), char(0)};
    EXPECT_EQ(t.lines[0].faces, want);
}

TEST(MessageTextTest, LongLinesWrapAndLongTextsAreCut) {
    const std::string line(600, 'x');
    const KsARText wrapped = KsARParseText(line.c_str());
    ASSERT_EQ(wrapped.lines.size(), 3u);
    EXPECT_EQ(wrapped.lines[0].text.size(), kKsARLineMax);
    EXPECT_EQ(wrapped.lines[2].text.size(), 600 - 2 * kKsARLineMax);

    std::string many;
    for (int i = 0; i < 2000; ++i)
        many += "line\n";
    const KsARText cut = KsARParseText(many.c_str());
    EXPECT_TRUE(cut.cut);
    EXPECT_LE(cut.Joined().size(), kKsARTextMax);
    EXPECT_GT(cut.Joined().size(), kKsARTextMax - 6);
}

TEST(MessageTextTest, ButtonListsKeepEightLabelsAndMarkHiddenChoices) {
    struct Case {
        const char* list;
        std::vector<std::pair<std::string, bool>> labels;
    } cases[] = {
        {nullptr, {}},
        {"", {}},
        {"OK", {{"OK", false}}},
        {"Restart|Exit|#x|#c", {{"Restart", false}, {"Exit", false}, {"#x", true}, {"#c", true}}},
        {"1|2|3|4|5|6|7|8|9",
         {{"1", false},
          {"2", false},
          {"3", false},
          {"4", false},
          {"5", false},
          {"6", false},
          {"7", false},
          {"8", false}}},
        {"a||b", {{"a", false}, {"", false}, {"b", false}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.list ? c.list : "(null)");
        std::vector<std::pair<std::string, bool>> got;
        for (const KsARButton& b : KsARParseButtons(c.list))
            got.emplace_back(b.label, b.hidden);
        EXPECT_EQ(got, c.labels);
    }
    const std::string longLabel(100, 'L');
    EXPECT_EQ(KsARParseButtons(longLabel.c_str())[0].label.size(), kKsARLabelMax);
}

} // namespace
