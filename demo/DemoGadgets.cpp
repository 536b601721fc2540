// The gadget window: its layout comes from the pane files (the gadgets, and
// below them a clip name and notes to edit); here are only the menu of its
// pop-up button and what its buttons and fields do, which they report in the
// status line.
#include "DemoGadgets.h"
#include "DemoPanes.h"

#include "ABasicButtons.h"
#include "ADialogButtonGad.h"
#include "AMillSliders.h"
#include "APopupMenuGad.h"
#include "ARadioCheckGads.h"
#include "ATextEntry.h"
#include "AWindow.h"
#include "KsDesktop.h"
#include "MacText.h"
#include "PaneStream.h"
#include "Windows.h"
#include "XError.h"

#include <cmath>
#include <cstdio>
#include <string>

namespace {

constexpr const char* kGadgetFile = "gadgets.ksp3";
constexpr const char* kEntriesFile = "entries.ksp3";
constexpr short kWidth = 460, kHeight = 488;
constexpr int kLEDs = 8;
std::string gGadgetLayout;
std::string gEntriesLayout;

class GadgetWindow : public AWindow {
public:
    int lit = -1;

    void Build(short left, short top) {
        IWindow("Gadgets", nullptr, WindowPtr(-1), 1, 0, 1, 0, 0, 0);
        const Rect screen = KsDesktopBounds();
        if (left > screen.right - kWidth - 8) left = short(screen.right - kWidth - 8);
        if (top > screen.bottom - kHeight - 8) top = short(screen.bottom - kHeight - 8);
        if (left < 8) left = 8;
        if (top < 40) top = 40;
        ::MoveWindow(GetWindowPtr(), left, top, false);
        ::SizeWindow(GetWindowPtr(), kWidth, kHeight, false);
        Resize(nullptr, nullptr, 0, 0);
        GetMainPane()->SetBkndColor(RGBgray9);
        ReadPaneText(gGadgetLayout.data(), long(gGadgetLayout.size()), GetMainPane(), this);
        ReadPaneText(gEntriesLayout.data(), long(gEntriesLayout.size()), GetMainPane(), this);
        Wire();
        ShowWindow(GetWindowPtr());
        SelectWindow(GetWindowPtr());
    }

    void Status(const char* text) {
        if (APane* s = FindPaneByID("status")) s->SetText(text);
    }

    void Chase(int index) {
        lit = index % kLEDs;
        for (int i = 0; i < kLEDs; ++i)
            if (ALED* led = Led(i)) led->SetLight(i == lit);
    }

private:
    ALED* Led(int i) {
        char id[16];
        std::snprintf(id, sizeof id, "led%d", i + 1);
        APane* p = FindPaneByID(id);
        return p && p->IsInstanceOf("ALED") ? static_cast<ALED*>(p) : nullptr;
    }

    static GadgetWindow* Of(AGadget* g) { return static_cast<GadgetWindow*>(g->GetEnclWindow()); }

    // What a button says when it is used: its text, or its label's.
    static std::string NameOf(AGadget* g) {
        char text[64] = {};
        g->GetText(text, sizeof text);
        if (!text[0] && g->GetLabel()) return g->GetLabel()->GetText();
        return text;
    }

    static void Report(AGadget* g, void*, SInt16, SInt32) {
        std::string line = NameOf(g);
        if (g->GetIsBistate()) line += g->GetState() ? ": on" : ": off";
        Of(g)->Status(line.c_str());
    }
    static void Step(AGadget* g, void*, SInt16, SInt32) {
        GadgetWindow* w = Of(g);
        w->Chase(w->lit + 1);
        char line[48];
        std::snprintf(line, sizeof line, "Step: LED %d of %d", w->lit + 1, kLEDs);
        w->Status(line);
    }
    static void Render(AGadget* g, void*, SInt16, SInt32) {
        GadgetWindow* w = Of(g);
        for (int i = 0; i < kLEDs; ++i)
            if (ALED* led = w->Led(i)) led->SetLight(true);
        w->lit = kLEDs - 1;
        w->Status("Render: every LED lit");
    }
    // A state button lights when its owner says so, not by itself.
    static void Solo(AGadget* g, void* refCon, SInt16 menuID, SInt32 value) {
        g->SetState(!g->GetState(), true);
        Report(g, refCon, menuID, value);
    }
    static void Format(AGadget* g, void*, SInt16, SInt32) {
        char text[64] = {};
        g->GetText(text, sizeof text);
        Of(g)->Status((std::string("Format: ") + text).c_str());
    }

    // Every slider reports its value in the status line while it moves.
    static void SliderMoved(double value, ASlider* s, void*) {
        char id[32] = {};
        s->GetPaneID(id, sizeof id);
        char line[64];
        if (s->GetFloatingPoint())
            std::snprintf(line, sizeof line, "%s: %.2f", id, value);
        else
            std::snprintf(line, sizeof line, "%s: %ld", id, std::lround(value));
        if (auto* w = static_cast<GadgetWindow*>(s->GetEnclWindow())) w->Status(line);
    }

    void On(const char* id, AGadgetUpClickProc proc) {
        APane* p = FindPaneByID(id);
        if (!p || !p->IsInstanceOf("AGadget")) return;
        auto* g = static_cast<AGadget*>(p);
        g->SetUpClickProc(proc);
        if (g->IsInstanceOf("APushButton") && !g->GetLabel()) g->EnableSpotlight(true);
    }

    void Wire() {
        On("play", Step);
        On("step", Step);
        On("render", Render);
        On("mark", Report);
        On("solo", Solo);
        On("undo", Report);
        On("apply", Report);
        On("reset", Report);
        for (const char* id : {"rate1", "rate2", "rate3", "opt1", "opt2", "opt3"})
            On(id, Report);
        if (APane* p = FindPaneByID("format"); p && p->IsInstanceOf("AGadget")) {
            auto* pop = static_cast<AGadget*>(p);
            pop->MakePopupMenu("Format");
            for (const char* item : {"DV", "HD 720", "HD 1080"})
                pop->AppendPopupMenuItem(item, 0, 0);
            pop->AppendPopupMenuDivider();
            pop->AppendPopupMenuItem("UHD", 0, 0);
            pop->SetMenuItem(3, false);
            pop->SetUpClickProc(Format);
        }
        for (const char* id : {"slider", "thin", "tread", "wind"})
            if (APane* p = FindPaneByID(id); p && p->IsInstanceOf("ASlider"))
                static_cast<ASlider*>(p)->SetTrackHook(SliderMoved);
        if (ATextEntry* name = Field("name")) name->SetValChangedHookRtn(NameEntered, nullptr);
        if (ATextEntry* notes = Field("notes")) notes->SetValChangedHookRtn(NotesChanged, nullptr);
        // Tips for the controls whose titles say least.
        static const struct {
            const char* id;
            const char* tip;
        } tips[] = {
            {"play", "Play the clip from the position"},
            {"render", "Render the effects of the clip"},
            {"export", "Export the clip to a file..."},
            {"mark", "Mark the position"},
            {"solo", "Hear this track alone"},
            {"undo", "Undo the last change"},
            {"format", "The picture format of new clips"},
            {"wind", "Pan: drag around the knob"},
            {"tread", "Jog: drag the belt to step frames"},
        };
        for (const auto& t : tips)
            if (APane* p = FindPaneByID(t.id)) p->SetHelpText(t.tip);
        Chase(0);
    }

    ATextEntry* Field(const char* id) {
        APane* p = FindPaneByID(id);
        return p && p->IsInstanceOf("ATextEntry") ? static_cast<ATextEntry*>(p) : nullptr;
    }
    static GadgetWindow* Of(ATextEntry* f) {
        return static_cast<GadgetWindow*>(f->GetEnclWindow());
    }
    // The name is reported once it is entered, not at every key.
    static bool NameEntered(ATextEntry* f, void*, bool final) {
        if (final) Of(f)->Status(("Clip name: " + f->GetString()).c_str());
        return true;
    }
    static bool NotesChanged(ATextEntry* f, void*, bool final) {
        char line[64];
        std::snprintf(line, sizeof line, "Notes: %ld characters, %ld lines%s",
                      long(f->GetTextLen()), long(f->GetNumLines()), final ? " (entered)" : "");
        Of(f)->Status(line);
        return true;
    }
};

} // namespace

bool LoadGadgetLayout() {
    return LoadPaneFile(kGadgetFile, gGadgetLayout) && LoadPaneFile(kEntriesFile, gEntriesLayout);
}

AWindow* OpenGadgetWindow(short left, short top) {
    if (gGadgetLayout.empty()) return nullptr;
    auto* w = new GadgetWindow;
    w->Build(left, top);
    return w;
}
