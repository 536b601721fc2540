#include "DemoMessages.h"

#include "ABartender.h"
#include "KsUIHooks.h"
#include "Stx.h"
#include "XError.h"

#include <cstdio>
#include <string>

namespace {
enum : long { kNickShowMessage = 2014, kNickImportMissing = 2015 };
const char* gMissingClip = "/nonexistent/Reel 4 take 2.mov";
} // namespace

void AppendMessageItems(MenuHandle menu) {
    gBartender->AppendMenuItem(menu, kNickShowMessage, stx("Show a &Message..."), 0, 0, 0);
    gBartender->AppendMenuItem(menu, kNickImportMissing, stx("Import a &Missing Clip"), 0, 0, 0);
}

void EnableMessageItems() {
    gBartender->MacEnableMenuItem(kNickShowMessage);
    gBartender->MacEnableMenuItem(kNickImportMissing);
}

bool HandleMessageItems(long nick) {
    if (nick == kNickShowMessage) {
        const short answer =
            UIdialog(stx("The render of <b>Reel 4</b> finished.\nFrames: 2,160\nDropped: 0\n"
                         "Time taken: 1 min 12 s\nThe output is in the project folder."),
                     stx("Show Folder|Play|OK"), 3, 1);
        const std::string text =
            std::string(stx("You chose button")) + " " + std::to_string(answer) + ".";
        UIdialog(text.c_str(), stx("OK"), 1, 0);
        return true;
    }
    if (nick == kNickImportMissing) {
        std::FILE* f = std::fopen(gMissingClip, "rb");
        if (!f) xraisexerror("DEMO_CLIP_NOT_FOUND", "str path", gMissingClip);
        std::fclose(f);
        return true;
    }
    return false;
}
