#include "AboutBoxWindow.h"

#include <cstring>

#include "AApplication.h"
#include "APane.h"
#include "AScreenManOS.h"
#include "AWindowPrivate.h"
#include "Icons.h"
#include "KsAppInfo.h"
#include "KsPortSavers.h"
#include "KsWindowShell.h"

namespace {
constexpr SInt16 kAboutLayer = 3;
constexpr int kExpandSteps = 20;

void DrawLine(const char* text, SInt16 h, SInt16 v) {
    Str255 p{};
    KsCToPStr(text, p);
    MoveTo(h, v);
    DrawString(p);
}

// Icon at the top, then the application's name, a blank line, "Written By"
// and the author, each line centred.
void DrawAbout(APane* pane, const KsRect*, void*) {
    const KsRect r = pane->GetInterior();
    const SInt16 cx = SInt16((r.left + r.right) / 2);
    Rect icon{SInt16(r.top + 16), SInt16(cx - 16), SInt16(r.top + 48), SInt16(cx + 16)};
    KsPlotIconID(AboutBoxWindow::kAppIconID, &icon);
    // "\r\rWritten By\r" followed by the author: the name, an empty line, then
    // the two lines below.
    const char* lines[] = {KSGetApplName(), "", "Written By",
                           gApplication ? gApplication->GetAuthorName() : ""};
    FontInfo fi{};
    GetFontInfo(&fi);
    const SInt16 lineHeight = SInt16(fi.ascent + fi.descent + fi.leading);
    SInt16 v = SInt16(r.top + 72 + fi.ascent);
    for (const char* line : lines) {
        Str255 p{};
        KsCToPStr(line, p);
        DrawLine(line, SInt16(cx - StringWidth(p) / 2), v);
        v = SInt16(v + lineHeight);
    }
}

// A frame growing from a small box in the middle to r in `steps` steps,
// each drawn and taken away again with the XOR pen.
void ExpandBox(const Rect& r, int steps) {
    StColorPenSaver saver;
    PenMode(patXor);
    const SInt16 cx = SInt16((r.left + r.right) / 2), cy = SInt16((r.top + r.bottom) / 2);
    for (int i = 1; i <= steps; ++i) {
        Rect f{SInt16(cy - (cy - r.top) * i / steps), SInt16(cx - (cx - r.left) * i / steps),
               SInt16(cy + (r.bottom - cy) * i / steps), SInt16(cx + (r.right - cx) * i / steps)};
        FrameRect(&f);
        FrameRect(&f);
    }
}
} // namespace

void AboutBoxWindow::IAboutBoxWindow() {
    IWindow("About Box", nullptr, nullptr, 1, 0, 0, 0, 0, 0);
    // One window serves every use: closing it must not dispose of it.
    SetCloseDisposes(false);
    KsSetWindowLayer(windowPort, kAboutLayer);
    SizeWindow(windowPort, kWidth, kHeight, true);
    Resize();
    SetPortWindowPort(windowPort);
    TextFont(0);
    TextSize(12);
    if (mainPane) mainPane->SetDrawProc(DrawAbout);
}

bool AboutBoxWindow::Click(void*, EventRecord*, long, long) {
    SendMsg(wmClose, nullptr, 1, 0);
    return false;
}

bool AboutBoxWindow::Deactivate(void*, EventRecord*, long, long) {
    return false;
}

void AboutBoxWindow::SelectAndShow() {
    const KsRect screen = AScreenManOS::New()->GetMainScreenBounds();
    const KsRect r = GetWindowRect(kKsNoScreen);
    SetWindowTopLeft(kKsNoScreen, screen.left + (screen.Width() - r.Width()) / 2,
                     screen.top + (screen.Height() - r.Height()) / 2);
    AWindow::SelectAndShow();
    StPortSaver saver;
    SetPortWindowPort(windowPort);
    ExpandBox(windowPort->portRect, kExpandSteps);
}
