#include "DemoViewer.h"

#include "ABartender.h"
#include "AColorWheel.h"
#include "AGadget.h"
#include "AModMenu.h"
#include "ATCEntry.h"
#include "AWindow.h"
#include "PosBarPane.h"
#include "QuickDraw.h"
#include "Timecode.h"
#include "Windows.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>

namespace {

constexpr SInt16 S = kPaneDontCare;
enum : short { kClipsMenuID = 262, kClipActionsMenuID = 263 };
constexpr int kClipItems = 200;
constexpr int kActionsEvery = 20; // every 20th clip opens the actions submenu
enum : long {
    kNickViewer = 2009,
    kNickClips = 2399,
    kNickClip1 = 2400,  // .. 2599
    kNickAction1 = 2600 // .. 2603
};
constexpr int kActions = 4;
// Clip n lasts n x 7 seconds at 30 frames a second.
long ClipFrames(int n) {
    return long(n) * 7 * 30;
}

// The viewer area: a dark frame with the position written across it.
class ViewerArea : public APane {
public:
    long frame = 0;
    long frames = 1;

    void DrawDetail(const KsRect& rect, const KsRGBColor& bkgd, void* data) override {
        APane::DrawDetail(rect, bkgd, data);
        const KsRect in = GetInterior();
        // A bar across the picture stands in for the frame shown.
        const SInt32 x = in.left + SInt32(double(frame) / double(frames) * in.Width());
        const RGBColor band{0x2000, 0x4000, 0x6000};
        Rect r{SInt16(in.top + in.Height() / 3), SInt16(in.left),
               SInt16(in.bottom - in.Height() / 3), SInt16(x)};
        RGBForeColor(&band);
        PaintRect(&r);
    }
};

struct Viewer {
    ViewerArea* area = nullptr;
    PosBarPane* bar = nullptr;
    ATCEntry* timecode = nullptr;
    AGadget* grading = nullptr;
};

class ViewerWindow : public AWindow {
public:
    Viewer viewer;
};

void ShowFrame(Viewer* v, SInt32 frame) {
    v->area->frame = frame;
    v->area->InvalInterior();
}

void PositionChanged(SInt32 pos, void* data) {
    auto* v = static_cast<Viewer*>(data);
    ShowFrame(v, pos);
    v->timecode->SetTCFrames(pos);
}

// A timecode typed into the field moves the position there.
bool TimecodeEntered(ATextEntry*, void* data, bool final) {
    if (!final) return true;
    auto* v = static_cast<Viewer*>(data);
    const SInt32 frame = std::clamp<SInt32>(v->timecode->GetTCFrames(), 0, v->bar->GetLength());
    v->bar->UpdatePos(frame);
    ShowFrame(v, frame);
    return true;
}

void GradingChanged(AColorWheel* wheel, CWchange_t) {
    auto* w = dynamic_cast<ViewerWindow*>(wheel->GetEnclWindow());
    if (!w) return;
    Viewer* v = &w->viewer;
    static const char* const names[] = {"Lift", "Gamma", "Gain"};
    CWPoint p;
    if (!wheel->GetCWPoint(wheel->GetActivePoint(), &p)) return;
    char text[64];
    std::snprintf(text, sizeof text, "%s: hue %.0f, amount %.0f",
                  names[wheel->GetActivePoint() % 3], p.angle, p.radius);
    v->grading->SetText(text);
    v->grading->Inval();
}

} // namespace

AWindow* OpenViewerWindow(const char* title, long frames) {
    auto* w = new ViewerWindow;
    w->IWindow(title, nullptr, WindowPtr(-1), 1, 0, 1, 0, 0, 0);
    ::MoveWindow(w->GetWindowPtr(), 80, 70, false);
    ::SizeWindow(w->GetWindowPtr(), 800, 380, false);
    w->Resize(nullptr, nullptr, 0, 0);
    SetPortWindowPort(w->GetWindowPtr());
    w->CreateMainPane();
    APane* main = w->GetMainPane();
    Viewer& v = w->viewer;

    v.area = new ViewerArea;
    v.area->IPane(main, 10, S, 520, 10, S, 292, KsRGBColor{0x1000, 0x1000, 0x1400}, 1);
    v.area->frames = frames > 0 ? frames : 1;
    auto* bar = PosBarPane::New(main, 10, S, 520, 306, S, 30, RGBgray12, 1);
    bar->SetLength(SInt32(frames));
    bar->SetMark(0, PosBarPane::kInMark);
    bar->SetMark(SInt32(frames), PosBarPane::kOutMark);
    bar->SetVisRange(0, SInt32(frames / 4));
    bar->SetPosCallback(PositionChanged, &v);
    bar->SetPaneID("posbar");
    v.bar = bar;
    const timecode_t start = TCMake(kTCRate30, 0);
    v.timecode = ATCEntry::New(main, 10, S, 120, 344, S, 20, 0, &start);
    v.timecode->SetPaneID("timecode");
    v.timecode->SetValChangedHookRtn(TimecodeEntered, &v);
    bar->UpdatePos(0);

    auto* wheel = AColorWheel::New(main, 550, S, 236, 10, S, 236, RGBgray10, 1);
    wheel->SetPaneID("wheel");
    wheel->AddPoint(40, 60);   // lift
    wheel->AddPoint(128, 90);  // gamma
    wheel->AddPoint(210, 120); // gain
    wheel->SetValChangedProc(GradingChanged);
    v.grading = AGadget::NewLabel(main, "Drag a point to grade", 550, 256, 4, 12, 0, 0);
    v.grading->SetPaneID("grading");
    ShowWindow(w->GetWindowPtr());
    SelectWindow(w->GetWindowPtr());
    return w;
}

void BuildViewerMenus(MenuHandle view) {
    if (!gBartender || !view) return;
    gBartender->AppendSeparator(view);
    gBartender->AppendMenuItem(view, kNickViewer, "Viewer Strip", 'V', 1, 0);
    MenuHandle actions =
        gBartender->CreateMenu("Clip Actions", kClipActionsMenuID, ABartender::kMenuHierarchical);
    static const char* const names[kActions] = {"Play", "Mark In", "Mark Out", "Reveal in Bin"};
    for (int i = 0; i < kActions; ++i)
        gBartender->AppendMenuItem(actions, kNickAction1 + i, names[i], 0, 0, 0);
    MenuHandle clips = gBartender->CreateMenu("Clips", kClipsMenuID, ABartender::kMenuHierarchical);
    for (int i = 1; i <= kClipItems; ++i) {
        char text[48];
        std::snprintf(text, sizeof text, "Clip %03d", i);
        gBartender->AppendMenuItem(clips, kNickClip1 + i - 1, text, 0, 0, 0);
        if (i % kActionsEvery == 0) {
            SetItemCmd(clips, MenuItemIndex(i), hMenuCmd);
            SetItemMark(clips, MenuItemIndex(i), CharParameter(kClipActionsMenuID));
        }
    }
    SetIsModMenu(clips);
    SetIsModMenu(actions);
    gBartender->AppendMenuItem(view, kNickClips, "Clips", 0, 0, 0);
    const MenuItemIndex last = MenuItemIndex(CountMItems(view));
    SetItemCmd(view, last, hMenuCmd);
    SetItemMark(view, last, CharParameter(kClipsMenuID));
}

void UpdateViewerMenus() {
    if (!gBartender) return;
    gBartender->MacEnableMenuItem(kNickViewer);
    gBartender->MacEnableMenuItem(kNickClips);
    for (int i = 0; i < kClipItems; ++i)
        gBartender->MacEnableMenuItem(kNickClip1 + i);
    for (int i = 0; i < kActions; ++i)
        gBartender->MacEnableMenuItem(kNickAction1 + i);
}

bool HandleViewerMenus(long nick) {
    if (nick == kNickViewer) {
        OpenViewerWindow("Viewer", ClipFrames(20));
        return true;
    }
    if (nick >= kNickClip1 && nick < kNickClip1 + kClipItems) {
        const int n = int(nick - kNickClip1) + 1;
        char title[32];
        std::snprintf(title, sizeof title, "Clip %03d", n);
        OpenViewerWindow(title, ClipFrames(n));
        return true;
    }
    return nick >= kNickAction1 && nick < kNickAction1 + kActions;
}
