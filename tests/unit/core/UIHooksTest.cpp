#include "KsCapturedOutput.h"
#include "KsOutput.h"
#include "KsThreads.h"
#include "KsUIHooks.h"

#include <gtest/gtest.h>
#include <string>
#include <thread>

namespace {
// Each call a hook received, one line each.
std::string gCalls;

short RecordingDialog(const char* text, const char* buttons, short defaultButton, UIicon_t icon,
                      const char* tag, bool flag, const char* source) {
    gCalls += std::string(text) + "|" + buttons + "|" + std::to_string(defaultButton) + " " +
              std::to_string(icon) + " " + (tag ? tag : "(null)") + " " + (flag ? "on" : "off") +
              " " + (source ? source : "(null)") + "\n";
    return 5; // a hidden choice, as a batch run may answer
}
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
    gCalls.clear();
    EXPECT_EQ(UIdialog("A serious program error has occurred.",
                       "Restart|Exit To Finder|Dump State|Debugger|#x|#c", 1, 2, "FATAL", true,
                       "CoreClasses/AApplication"),
              5);
    // Null text and buttons reach the dialog as empty strings, never null.
    UIdialog(nullptr, nullptr, 1, 0);
    EXPECT_EQ(gCalls, "A serious program error has occurred.|Restart|Exit To Finder|Dump "
                      "State|Debugger|#x|#c|1 2 FATAL on CoreClasses/AApplication\n"
                      "||1 0 (null) off (null)\n");
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

    gCalls.clear();
    InstallUIrtns(
        [](bool cancelAllowed, long delay) {
            gCalls += "spin " + std::to_string(cancelAllowed) + " " + std::to_string(delay) + "\n";
        },
        [](const char* message, long current, long total, bool) {
            gCalls += "update " + std::string(message) + "|" + std::to_string(current) + "/" +
                      std::to_string(total) + "\n";
            return true;
        },
        [] { gCalls += "reset\n"; }, [] { gCalls += "close\n"; });
    UIstatSpinCursor(true, -1);
    EXPECT_TRUE(UIstatUpdate(nullptr, 3, 10));
    UIstatReset();
    UIstatClose();
    std::thread([] {
        UIstatSpinCursor();
        EXPECT_FALSE(UIstatUpdate("worker", 1, 2));
        UIstatReset();
        UIstatClose();
    }).join();
    EXPECT_EQ(gCalls, "spin 1 -1\nupdate |3/10\nreset\nclose\n") << "nothing from the worker";
    InstallUIrtns(nullptr, nullptr, nullptr, nullptr);
}
