// The inspector: sections of a clip's settings in a pane stack. Check boxes
// keep their state in the window; each section refreshes them through its
// value-update procedures, and the status line says what changed.
#include "DemoInspector.h"

#include "APaneStack.h"
#include "AStackPane.h"
#include "AWindow.h"
#include "KsDesktop.h"
#include "Windows.h"

#include <array>
#include <cstdio>
#include <string>

namespace {
constexpr short kWidth = 240, kHeight = 320;
constexpr SInt16 kRow = 14;
constexpr SInt16 kStackWidth = 200;
constexpr SInt16 kStatusHeight = 16;
constexpr SInt16 S = kPaneDontCare;

// The settings the check boxes show, by refcon.
enum : SInt32 { kLoop, kMute, kSolo, kLock, kLinkAudio, kReverse, kFreeze, kSettings };
const char* const kNames[kSettings] = {"Loop",       "Mute",    "Solo",  "Lock",
                                       "Link audio", "Reverse", "Freeze"};

class InspectorWindow : public AWindow {
public:
    std::array<bool, kSettings> values{};
    APaneStack* stack = nullptr;

    void Build(short left, short top) {
        IWindow("Inspector", nullptr, WindowPtr(-1), 1, 0, 1, 0, 0, 0);
        const Rect screen = KsDesktopBounds();
        if (left > screen.right - kWidth - 8) left = short(screen.right - kWidth - 8);
        if (top > screen.bottom - kHeight - 8) top = short(screen.bottom - kHeight - 8);
        ::MoveWindow(GetWindowPtr(), left < 8 ? 8 : left, top < 40 ? 40 : top, false);
        ::SizeWindow(GetWindowPtr(), kWidth, kHeight, false);
        AWindow::Resize(nullptr, nullptr, 0, 0);
        APane* main = GetMainPane();
        main->SetBkndColor(RGBgray9);
        stack = APaneStack::New(main, 4, 4, kStackWidth, kRow, 10, 0, RGBgray11);
        stack->SetPaneID("inspector");
        Section("Clip", 4, {kLoop, kLock});
        Section("Audio", 4, {kMute, kSolo, kLinkAudio});
        Section("Motion", 3, {kReverse, kFreeze});
        stack->AddPane(0, 0, "Levels", 3, 0);
        stack->AddSliderGad(0, "Gain", nullptr, LevelMoved, 0, 100);
        stack->AddFPSliderGad(1, "Mix", nullptr, LevelMoved, 0, 1, 0.05);
        stack->AddPaneType(0, 0, "Summary", 2, kStackPaneAlwaysOpen);
        stack->AddLabelGad(0, "Summary_text", ShowSummary, 16, kRow);
        APane* status = APane::New(main, 4, 4, S, S, 2, kStatusHeight, RGBgray9, 0);
        status->SetPaneID("status");
        status->SetFontSizeFace(1, 9, 0);
        FitStack();
        stack->UpdateValues(0, this);
        ShowWindow(GetWindowPtr());
        SelectWindow(GetWindowPtr());
    }

    bool Resize(void* data, EventRecord* ev, long a, long b) override {
        const bool done = AWindow::Resize(data, ev, a, b);
        FitStack();
        return done;
    }

private:
    // The stack takes the window's height above the status line in whole
    // rows.
    void FitStack() {
        if (!stack) return;
        const KsRect in = GetMainPane()->GetInterior();
        const SInt32 h = in.Height() - 8 - kStatusHeight - 4;
        stack->Resize(S, SInt16(h < kRow + APaneStack::kFrameExtra ? kRow + 2 : h));
    }

    void Section(const char* name, SInt16 rows, std::initializer_list<SInt32> settings) {
        stack->AddPane(0, 0, name, rows, 0);
        for (SInt32 s : settings)
            stack->AddCheckBoxGad(s, kNames[s], ShowValue, nullptr, Toggle);
    }

    static InspectorWindow* Of(APane* p) {
        return static_cast<InspectorWindow*>(p->GetEnclWindow());
    }

    void Status(const std::string& text) {
        if (APane* s = FindPaneByID("status")) s->SetText(text.c_str());
    }

    static void ShowValue(SInt32 refCon, APane* pane, void*) {
        if (refCon < 0 || refCon >= kSettings || !pane->IsInstanceOf("AGadget")) return;
        static_cast<AGadget*>(pane)->SetState(Of(pane)->values[std::size_t(refCon)], true);
    }

    static void ShowSummary(SInt32, APane* pane, void*) {
        int on = 0;
        for (bool v : Of(pane)->values)
            on += v;
        char text[48];
        std::snprintf(text, sizeof text, "%d of %d settings on", on, int(kSettings));
        pane->SetText(text);
        pane->SetToTextWidth(4);
    }

    static void LevelMoved(double value, ASlider* slider, void*) {
        char text[48];
        std::snprintf(text, sizeof text, "%s: %.2f", slider->GetValueRefCon() ? "Mix" : "Gain",
                      value);
        Of(slider)->Status(text);
    }

    static void Toggle(AGadget* g, void*, SInt16, SInt32) {
        const SInt32 refCon = g->GetValueRefCon();
        if (refCon < 0 || refCon >= kSettings) return;
        InspectorWindow* w = Of(g);
        bool& v = w->values[std::size_t(refCon)];
        v = !v;
        w->stack->UpdateValues(0, w);
        w->Status(std::string(kNames[refCon]) + (v ? ": on" : ": off"));
    }
};
} // namespace

AWindow* OpenInspectorWindow(short left, short top) {
    auto* w = new InspectorWindow;
    w->Build(left, top);
    return w;
}
