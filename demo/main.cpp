// The demo host application. Until the windowing layers are in place it
// starts the core services and shows, on standard output, what they do.
#include "AMemStream.h"
#include "CoreAttrList.h"
#include "KsAppInfo.h"
#include "KsRgn.h"
#include "KsTavik20Version.h"
#include "Stx.h"
#include "Timecode.h"
#include "XError.h"

#include <cstdio>

namespace {

void ShowTimecode() {
    timecode_t tc{};
    timecode_t rate = TCMake(kTCRate29_97DF, 0);
    char text[32];
    for (const char* typed : {"00:10:00;00", "01:00:00;00", "00:01:00;00", "1234"}) {
        if (TCStrToTC(&tc, typed, kTCFormatValid, &rate) &&
            TCToStr(tc, text, sizeof text, kTCFormatValid))
            std::printf("  29.97 drop-frame \"%s\" is frame %d, shown as %s\n", typed,
                        int(tc.frames), text);
    }
}

void ShowRegions() {
    KsRgn a(KsRect{0, 0, 100, 100});
    KsRgn b(KsRect{50, 50, 150, 150});
    KsRgn both = a | b;
    KsRgn either = a ^ b;
    KsRect box = both.Bounds();
    std::printf("  two overlapping squares: union of %d rectangles in (%d,%d)-(%d,%d), "
                "exclusive-or of %d rectangles\n",
                int(both.RectCount()), int(box.left), int(box.top), int(box.right), int(box.bottom),
                int(either.RectCount()));
}

void ShowStream() {
    AMemStream out;
    out.PutCString("title", "Untitled Sequence");
    out.PutLong("frames", 107892);
    out.Rewind();
    char title[64];
    out.GetCString("title", title, sizeof title);
    std::printf("  stream round trip: \"%s\", %d frames\n", title, int(out.GetLong("frames")));
}

void ShowAttributes() {
    CoreAttrList scheme;
    scheme.SetText("CS_Font", "Geneva");
    scheme.SetSInt32("CS_Size", 12);
    std::printf("  attribute list: %d entries, font %s at %d points\n", int(scheme.GetCount()),
                scheme.GetText("CS_Font"), int(scheme.GetSInt32("CS_Size")));
}

void ShowErrors() {
    try {
        xraisexerror("SYS_ERROR", "short OSErr", -108);
    } catch (...) {
        XError e = XErrorFromCurrentException();
        StSetCurrentException current(e);
        char text[256];
        EMGetErrorMsg(text, sizeof text);
        std::printf("  raised and caught %s: \"%s\"\n", e.GetCode(), text);
    }
}

} // namespace

int main() {
    std::printf("%s, KsTavik20 %s demo\n", KSGetApplName(), KsTavik20Version());
    ESInit();
    InitTranslationTable("Default", false);
    std::printf("core services:\n");
    ShowErrors();
    ShowTimecode();
    ShowRegions();
    ShowStream();
    ShowAttributes();
    std::printf("  \"%s\" is shown as \"%s\"\n", "Console//window title",
                stx("Console//window title"));
    return 0;
}
