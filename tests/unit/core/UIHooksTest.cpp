#include "KsCapturedOutput.h"
#include "KsOutput.h"
#include "KsThreads.h"
#include "KsUIHooks.h"

#include <gtest/gtest.h>
#include <string>
#include <thread>

namespace {
struct DialogCall {
    std::string text, buttons, tag, source;
    short defaultButton = 0;
    UIicon_t icon = 0;
    bool flag = false;
    int calls = 0;
} gCall;

short RecordingDialog(const char* text, const char* buttons, short defaultButton, UIicon_t icon,
                      const char* tag, bool flag, const char* source) {
    gCall.text = text;
    gCall.buttons = buttons;
    gCall.tag = tag ? tag : "(null)";
    gCall.source = source ? source : "(null)";
    gCall.defaultButton = defaultButton;
    gCall.icon = icon;
    gCall.flag = flag;
    ++gCall.calls;
    return 5; // a hidden choice, as a batch run may answer
}

struct StatCalls {
    int spin = 0, update = 0, reset = 0, close = 0;
    bool cancelAllowed = false;
    long delay = 0, current = 0, total = 0;
    std::string message;
} gStat;
} // namespace

TEST(UIHooksDialog, WithoutADialogWritesTheMessageAndAnswersTheDefault) {
    ASSERT_EQ(InstallUIdialog(nullptr), nullptr);
    StCaptureOutput out;
    EXPECT_EQ(UIdialog("Abort this operation?", "Abort|Continue", 2, 3), 2);
    EXPECT_EQ(out.text, "\n[UIdialog] Abort this operation?\n[UIdialog] [Continue]\n");
    out.text.clear();
    EXPECT_EQ(UIdialog(nullptr, nullptr, 1, 0), 1);
    EXPECT_EQ(out.text, "\n[UIdialog] \n[UIdialog] []\n");
}

TEST(UIHooksDialog, AnInstalledDialogReceivesTheRequest) {
    ASSERT_EQ(InstallUIdialog(RecordingDialog), nullptr);
    gCall = {};
    short answer = UIdialog("A serious program error has occurred.",
                            "Restart|Exit To Finder|Dump State|Debugger|#x|#c", 1, 2, "FATAL", true,
                            "CoreClasses/AApplication");
    EXPECT_EQ(answer, 5);
    EXPECT_EQ(gCall.calls, 1);
    EXPECT_EQ(gCall.text, "A serious program error has occurred.");
    EXPECT_EQ(gCall.buttons, "Restart|Exit To Finder|Dump State|Debugger|#x|#c");
    EXPECT_EQ(gCall.defaultButton, 1);
    EXPECT_EQ(gCall.icon, 2);
    EXPECT_EQ(gCall.tag, "FATAL");
    EXPECT_TRUE(gCall.flag);
    EXPECT_EQ(gCall.source, "CoreClasses/AApplication");
    // Null text and buttons reach the dialog as empty strings, never null.
    UIdialog(nullptr, nullptr, 1, 0);
    EXPECT_EQ(gCall.text, "");
    EXPECT_EQ(gCall.tag, "(null)");
    EXPECT_EQ(InstallUIdialog(nullptr), RecordingDialog);
}

TEST(UIHooksDialog, ButtonLists) {
    EXPECT_EQ(UIdialogButtonCount(""), 0);
    EXPECT_EQ(UIdialogButtonCount(nullptr), 0);
    EXPECT_EQ(UIdialogButtonCount("OK"), 1);
    EXPECT_EQ(UIdialogButtonCount("Restart|Exit|#x|#c"), 4);
    EXPECT_EQ(UIdialogButtonCount("1|2|3|4|5|6|7|8|9"), 8);
    EXPECT_EQ(UIdialogButtonLabel("Yes|No", 2), "No");
    EXPECT_EQ(UIdialogButtonLabel("Yes|No", 1), "Yes");
    EXPECT_EQ(UIdialogButtonLabel("Yes|No", 7), "No"); // past the end: the last one
    EXPECT_EQ(UIdialogButtonLabel("Yes|No", 0), "");
    EXPECT_EQ(UIdialogButtonLabel("Yes|No", -1), "");
    EXPECT_EQ(UIdialogButtonLabel("Restart|Exit|#x|#c", 3), "#x");
    EXPECT_EQ(UIdialogButtonLabel("1|2|3|4|5|6|7|8|9", 9), "8");
    EXPECT_EQ(UIdialogButtonLabel("a||b", 2), "");
    EXPECT_EQ(UIdialogButtonLabel(std::string(60, 'L').c_str(), 1), std::string(47, 'L'));
}

TEST(UIHooksStat, RoutinesRunOnTheMainThreadOnly) {
    // Nothing installed: the calls do nothing.
    InstallUIrtns(nullptr, nullptr, nullptr, nullptr);
    UIstatSpinCursor();
    EXPECT_FALSE(UIstatUpdate("m", 1, 2));
    UIstatReset();
    UIstatClose();

    gStat = {};
    InstallUIrtns(
        [](bool cancelAllowed, long delay) {
            ++gStat.spin;
            gStat.cancelAllowed = cancelAllowed;
            gStat.delay = delay;
        },
        [](const char* message, long current, long total, bool) {
            ++gStat.update;
            gStat.message = message;
            gStat.current = current;
            gStat.total = total;
            return true;
        },
        [] { ++gStat.reset; }, [] { ++gStat.close; });
    UIstatSpinCursor(true, -1);
    EXPECT_EQ(gStat.spin, 1);
    EXPECT_TRUE(gStat.cancelAllowed);
    EXPECT_EQ(gStat.delay, -1);
    EXPECT_TRUE(UIstatUpdate(nullptr, 3, 10));
    EXPECT_EQ(gStat.message, "");
    EXPECT_EQ(gStat.current, 3);
    EXPECT_EQ(gStat.total, 10);
    UIstatReset();
    UIstatClose();
    EXPECT_EQ(gStat.reset, 1);
    EXPECT_EQ(gStat.close, 1);

    std::thread([] {
        UIstatSpinCursor();
        EXPECT_FALSE(UIstatUpdate("worker", 1, 2));
        UIstatReset();
        UIstatClose();
    }).join();
    EXPECT_EQ(gStat.spin, 1);
    EXPECT_EQ(gStat.update, 1);
    EXPECT_EQ(gStat.reset, 1);
    EXPECT_EQ(gStat.close, 1);
    InstallUIrtns(nullptr, nullptr, nullptr, nullptr);
}
