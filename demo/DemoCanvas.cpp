#include "DemoCanvas.h"

#include "ABartender.h"
#include "AScrollBar.h"
#include "AScrollPane.h"
#include "AScrollablePane.h"
#include "AWindow.h"
#include "QuickDraw.h"
#include "Stx.h"
#include "Windows.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr SInt16 S = kPaneDontCare;
// The drawing at zoom 1: a field of tiles, each with a disc.
constexpr SInt32 kTile = 100;
constexpr SInt32 kTilesAcross = 60, kTilesDown = 40;
// The scale handles set s in [kMinScale, 1]; the zoom is kZoomAtOne / s, so
// a longer thumb shows more of the drawing.
constexpr double kMinScale = 0.1, kStartScale = 0.5, kZoomAtOne = 0.5;
// The context menu's own commands.
constexpr long kNickZoomIn = 2021, kNickZoomOut = 2022;

class CanvasPane : public AScrollablePane {
public:
    double zoom = 1.0;

    void ApplyZoom(double z) {
        // The point in the middle of the view stays in the middle.
        const KsRect in = GetInterior();
        LongPoint mid{};
        WindowToLandscapePt({(in.left + in.right) / 2, (in.top + in.bottom) / 2}, &mid);
        const double f = z / zoom;
        zoom = z;
        SetXmax(SInt32(std::lround(kTile * kTilesAcross * zoom)));
        SetYmax(SInt32(std::lround(kTile * kTilesDown * zoom)));
        SetXincr(std::max<SInt32>(1, SInt32(kTile * zoom / 4)));
        SetYincr(std::max<SInt32>(1, SInt32(kTile * zoom / 4)));
        SInt32 x = 0, y = 0;
        GetXinfo(&x, nullptr, nullptr);
        GetYinfo(&y, nullptr, nullptr);
        const SInt32 nx = SInt32(std::lround(mid.h * f)) - in.Width() / 2;
        const SInt32 ny = SInt32(std::lround(mid.v * f)) - in.Height() / 2;
        // The new scale redraws everything: no pixels to move.
        SetUpdate(false);
        Scroll(nx - x, ny - y);
        SetUpdate(true);
        InvalInterior();
    }

    // The right-click menu: zoom by the same steps the scale handles take.
    SInt16 BuildContextPopup(MenuInfo** menu, EventRecord) override {
        if (!gBartender) return 0;
        gBartender->AppendMenuItem(menu, kNickZoomIn, stx("Zoom In"));
        gBartender->AppendMenuItem(menu, kNickZoomOut, stx("Zoom Out"));
        return 2;
    }
    bool HandleContextPopup(MenuInfo**, EventRecord, long nick, short) override {
        if (nick != kNickZoomIn && nick != kNickZoomOut) return false;
        const double scale =
            std::clamp(kZoomAtOne / zoom * (nick == kNickZoomIn ? 0.5 : 2.0), kMinScale, 1.0);
        ApplyZoom(kZoomAtOne / scale);
        if (auto* sp = dynamic_cast<AScrollPane*>(GetEnclPane()))
            for (AScrollBar* bar : {sp->GetHScroll(), sp->GetVScroll()})
                if (bar) bar->DoScale(scale, false);
        return true;
    }

    void DrawDetail(const KsRect& rect, const KsRGBColor&, void*) override {
        LongRect l{};
        WindowToLandscapeRect(rect, &l);
        const double t = kTile * zoom;
        const SInt32 i0 = std::max<SInt32>(0, SInt32(l.left / t));
        const SInt32 j0 = std::max<SInt32>(0, SInt32(l.top / t));
        const SInt32 i1 = std::min<SInt32>(kTilesAcross - 1, SInt32(l.right / t));
        const SInt32 j1 = std::min<SInt32>(kTilesDown - 1, SInt32(l.bottom / t));
        for (SInt32 j = j0; j <= j1; ++j) {
            for (SInt32 i = i0; i <= i1; ++i) {
                const LongRect tile{SInt32(i * t), SInt32(j * t), SInt32((i + 1) * t),
                                    SInt32((j + 1) * t)};
                KsRect w{};
                LandscapeRectToWindowRect(tile, &w);
                const RGBColor fill{UInt16(0x3000 + (i * 0x0900) % 0x9000),
                                    UInt16(0x4000 + (j * 0x0B00) % 0x8000), UInt16(0xC000)};
                RGBForeColor(&fill);
                Rect r = ToRect(w);
                PaintRect(&r);
                const RGBColor disc{0xFFFF, UInt16(0xE000 - (i * j * 0x0300) % 0x8000), 0x4000};
                RGBForeColor(&disc);
                InsetRect(&r, SInt16(t / 5), SInt16(t / 5));
                PaintOval(&r);
                const RGBColor edge{0x1000, 0x1000, 0x2000};
                RGBForeColor(&edge);
                r = ToRect(w);
                FrameRect(&r);
            }
        }
    }
};

void Zoom(double scale, AScrollBar* bar, void*) {
    auto* canvas = static_cast<CanvasPane*>(bar->GetControlledPane());
    if (!canvas) return;
    canvas->ApplyZoom(kZoomAtOne / scale);
    // Both bars show the same scale.
    APane* sp = canvas->GetEnclPane();
    for (const char* id : {"hScroll", "vScroll"}) {
        APane* other = sp ? sp->FindPaneByID(id) : nullptr;
        if (other && other != bar) static_cast<AScrollBar*>(other)->DoScale(scale, false);
    }
}

class CanvasWindow : public AWindow {};

} // namespace

AWindow* OpenCanvasWindow(const char* title) {
    auto* w = new CanvasWindow;
    w->IWindow(title, nullptr, WindowPtr(-1), 1, 1, 1, 0, 0, 0);
    ::MoveWindow(w->GetWindowPtr(), 120, 90, false);
    ::SizeWindow(w->GetWindowPtr(), 480, 360, false);
    w->Resize(nullptr, nullptr, 0, 0);
    SetPortWindowPort(w->GetWindowPtr());
    w->CreateMainPane();
    APane* main = w->GetMainPane();
    auto* sp = AScrollPane::New(main, 0, 0, S, 0, 0, S, RGBwhite, 0, true, true, true, RGBgray11);
    auto* canvas = new CanvasPane;
    canvas->IScrollablePane(nullptr, 0, S, 100, 0, S, 100, RGBwhite, 0);
    // The help key over the canvas opens its page; a right click, its menu.
    canvas->SetWinHelpTopic("canvas");
    canvas->SetHelpText("Drag the scale handles, turn the wheel or right-click to zoom");
    sp->InstallPane(canvas);
    canvas->ApplyZoom(kZoomAtOne / kStartScale);
    for (AScrollBar* bar : {sp->GetHScroll(), sp->GetVScroll()}) {
        bar->SetScale(kStartScale, kMinScale, 1.0);
        bar->SetScaleCB(Zoom, nullptr);
    }
    sp->AdjustScrollBars();
    ShowWindow(w->GetWindowPtr());
    SelectWindow(w->GetWindowPtr());
    return w;
}
