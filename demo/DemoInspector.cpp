// The inspector: sections of a clip's settings in a pane stack. The first
// shows the clip selected in a media bin (name, duration, rate, status) and
// writes edits back to it; check boxes keep their state in the window. Each
// section refreshes its gadgets through their value-update procedures, and
// the status line says what changed.
#include "DemoInspector.h"
#include "DemoMediaBin.h"

#include "AMacPopupMenu.h"
#include "APaneStack.h"
#include "ASlider.h"
#include "AStackPane.h"
#include "ATableScape.h"
#include "ATextEntry.h"
#include "AWindow.h"
#include "KsDesktop.h"
#include "Windows.h"

#include <cmath>

#include <array>
#include <cstdio>
#include <initializer_list>
#include <string>
#include <utility>

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
// The selected clip's gadgets, by refcon.
enum : SInt32 { kClipName = 100, kClipDuration, kClipRate, kClipStatus };
constexpr int kMaxRate = 120;

class InspectorWindow : public AWindow {
public:
    std::array<bool, kSettings> values{};
    APaneStack* stack = nullptr;
    // The bin whose selected clip shows; its window tells whether the table
    // is still there.
    ATableScape* source = nullptr;
    AWindow* sourceWindow = nullptr;
    DemoClipInfo clip;
    bool hasClip = false;

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
        ClipSection();
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

    // Shows the clip the table has selected (or none).
    void ShowClip(ATableScape* table) {
        source = table;
        sourceWindow = table ? table->GetEnclWindow() : nullptr;
        hasClip = table && GetBinClip(table, &clip);
        stack->UpdateValues(0, this);
        Status(hasClip ? "Clip: " + clip.name : std::string("No clip selected"));
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

    // Name and duration fields, a rate slider and a status menu.
    void ClipSection() {
        stack->AddPaneType(0, 0, "Selected clip", 6, kStackPaneAlwaysOpen);
        for (const auto& f : {std::pair{kClipName, "Name"}, std::pair{kClipDuration, "Duration"}}) {
            const SInt16 top = stack->GetCurTopOffset();
            stack->AddLabelGad(f.first, f.second, nullptr, 6, SInt16(top + 3));
            ATextEntry* field =
                stack->AddTextEntryGad(f.first, f.second, ShowClipField, FieldEdited, 60,
                                       SInt16(kStackWidth - 66), top, 16);
            field->SetFontSizeFace(1, 10, 0);
            stack->SetCurTopOffset(SInt16(top + 18));
        }
        stack->AddSliderGad(kClipRate, "Rate", ShowClipLevel, ClipLevelMoved, 1, kMaxRate);
        AMacPopupMenu* status =
            stack->AddMacPopupMenuGad(kClipStatus, "Status", ShowStatus, StatusChosen, nullptr);
        for (int i = 0; *BinStatusName(i); ++i)
            status->AppendItem(BinStatusName(i));
        // The longest status name needs more than the builder's width.
        status->Resize(SInt16(kStackWidth - 40), status->GetHeight());
    }

    // Edits go to the bin only while its window lives and a clip shows.
    void ApplyClip(const char* what) {
        if (!hasClip || !KsIsLiveWindow(sourceWindow) || !SetBinClip(source, clip)) return;
        stack->UpdateValues(0, this);
        Status(std::string(what) + " changed");
    }

    static void ShowClipField(SInt32, APane* pane, void*) {
        InspectorWindow* w = Of(pane);
        if (!pane->IsInstanceOf("ATextEntry")) return;
        std::string text;
        if (w->hasClip)
            text = static_cast<ATextEntry*>(pane)->GetValueRefCon() == kClipName
                       ? w->clip.name
                       : ClipTimecode(w->clip.frames, w->clip.rate);
        pane->SetText(text.c_str());
    }

    static bool FieldEdited(ATextEntry* field, void* data, bool final) {
        InspectorWindow* w = Of(field);
        if (!final || !w->hasClip) return true;
        char text[256];
        field->GetText(text, sizeof text);
        if (SInt32(reinterpret_cast<std::intptr_t>(data)) == kClipName) {
            w->clip.name = text;
            w->ApplyClip("Name");
        } else if (long frames = 0; ParseClipTimecode(text, w->clip.rate, &frames)) {
            w->clip.frames = frames;
            w->ApplyClip("Duration");
        } else {
            w->stack->UpdateValues(0, w);
            w->Status("Duration: not a timecode");
        }
        return true;
    }

    static void ShowClipLevel(SInt32, APane* pane, void*) {
        InspectorWindow* w = Of(pane);
        if (pane->IsInstanceOf("ASlider"))
            static_cast<ASlider*>(pane)->SetValueNoTrackHook2(w->hasClip ? w->clip.rate : 0, true);
    }

    static void ClipLevelMoved(double value, ASlider* slider, void*) {
        InspectorWindow* w = Of(slider);
        const int v = int(std::lround(value));
        if (!w->hasClip || v == w->clip.rate) return;
        w->clip.rate = v;
        w->ApplyClip("Rate");
    }

    // The pop-up menu's items are the status names; item n is status n - 1.
    static void ShowStatus(SInt32, APane* pane, void*) {
        InspectorWindow* w = Of(pane);
        if (pane->IsInstanceOf("AMacPopupMenu"))
            static_cast<AMacPopupMenu*>(pane)->SetVal(w->hasClip ? w->clip.status + 1 : 0);
    }

    static void StatusChosen(AGadget* g, void*, SInt16, SInt32) {
        InspectorWindow* w = Of(g);
        if (!w->hasClip || !g->IsInstanceOf("AMacPopupMenu")) return;
        w->clip.status = int(static_cast<AMacPopupMenu*>(g)->GetVal()) - 1;
        w->ApplyClip("Status");
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

    // The procedures read their gadget's own refcon: the one they are
    // handed is the caller's.
    static void ShowValue(SInt32, APane* pane, void*) {
        if (!pane->IsInstanceOf("AGadget")) return;
        auto* g = static_cast<AGadget*>(pane);
        const SInt32 refCon = g->GetValueRefCon();
        if (refCon >= 0 && refCon < kSettings)
            g->SetState(Of(pane)->values[std::size_t(refCon)], true);
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

void InspectBinClip(ATableScape* table) {
    for (WindowPtr wp = KsGetWindowList(); wp; wp = GetNextWindow(wp))
        if (auto* w = dynamic_cast<InspectorWindow*>(GetWindowObj(wp))) w->ShowClip(table);
}
