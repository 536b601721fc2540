#include "DemoApp.h"
#include "DemoCanvas.h"

#include "AApplication.h"
#include "AApplicationPrivate.h"
#include "ABartender.h"
#include "AFileLocator.h"
#include "APane.h"
#include "AWindow.h"
#include "CoreAttrList.h"
#include "DemoBin.h"
#include "DemoClipBins.h"
#include "DemoCommands.h"
#include "DemoConsole.h"
#include "DemoDialogs.h"
#include "DemoFields.h"
#include "DemoGadgets.h"
#include "DemoInspector.h"
#include "DemoLayout.h"
#include "DemoMediaBin.h"
#include "DemoMediaTool.h"
#include "DemoMessages.h"
#include "DemoNote.h"
#include "DemoPanes.h"
#include "DemoScene.h"
#include "DemoViewer.h"
#include "Events.h"
#include "KsBackend.h"
#include "KsColor.h"
#include "KsDesktop.h"
#include "KsDrawUtils.h"
#include "KsHelpFiles.h"
#include "KsPortSavers.h"
#include "KsTavik20Version.h"
#include "Menus.h"
#include "PaneStream.h"
#include "QuickDraw.h"
#include "Stx.h"
#include "Windows.h"
#include "XError.h"

#include <cstdio>
#include <cstring>
#include <initializer_list>
#include <string>

namespace {

enum : short { kViewMenuID = 259, kRatesMenuID = 260 };
enum : long {
    kNickNewTimecode = 2001,
    kNickBringAll = 2002,
    kNickNewCanvas = 2003,
    kNickGadgets = 2004,
    kNickImport = 2005,
    kNickLayout = 2006,
    kNickInspector = 2007,
    kNickClipBins = 2950,
    kNickMediaBin = 2008,
    kNickSamples = 2010,
    kNickThemeSlate = 2011, // .. 2013
    kNickRate1 = 2101,      // .. 2160
};
constexpr int kThemes = 3;
// Clips in the media bin's window.
constexpr long kMediaBinClips = 100000;
constexpr int kRates = 60;

const RGBColor kThemeColors[kThemes] = {
    {0x3C00, 0x4A00, 0x6000}, {0x1E00, 0x5000, 0x7800}, {0x2A00, 0x5000, 0x3400}};

// Repaints the desktop around the windows in the given colour.
void PaintDesktop(const RGBColor& color) {
    KsSetDesktopColor(color);
    StPortSaver port(KsGetDesktopPort());
    RGBBackColor(&color);
    Rect all = KsDesktopBounds();
    all.top = kKsMenuBarHeight;
    RgnHandle desk = NewRgn();
    RectRgn(desk, &all);
    for (WindowPtr w = KsGetWindowList(); w; w = GetNextWindow(w))
        if (IsWindowVisible(w)) DiffRgn(desk, w->strucRgn, desk);
    EraseRgn(desk);
    DisposeRgn(desk);
    DrawDesktopHeading(KsGetDesktopPort(), KsDesktopBounds());
}

// What a drawing pane shows.
enum class Scene { shapes, text, timecode, bin };

void DrawScene(APane* pane, const KsRect*, void*) {
    const KsRect in = pane->GetInterior();
    Rect r{SInt16(in.top + 8), SInt16(in.left + 8), SInt16(in.bottom - 8), SInt16(in.right - 8)};
    switch (Scene(reinterpret_cast<intptr_t>(pane->GetDataHandle()))) {
    case Scene::shapes:
        DrawShapesDemo(r);
        break;
    case Scene::text:
        DrawTextDemo(r);
        break;
    case Scene::timecode:
        DrawTimecodeDemo(r);
        break;
    case Scene::bin:
        TheDemoBin().Draw(r);
        break;
    }
}

// A pane that takes clicks and the Tab focus: the focus shows as a ring,
// a click shows in its colour, and the text counts the clicks. Its layout
// comes from the pane files; only its behaviour is here.
class DemoButton : public APane {
public:
    int clicks = 0;

    void TabTo() override {
        SetActive(true);
        Inval();
        APane::TabTo();
    }
    void TabFrom() override {
        SetActive(false);
        Inval();
        APane::TabFrom();
    }
    void DrawBorder() override {
        APane::DrawBorder();
        if (!IsActive()) return;
        const KsRect f = GetFrame();
        Rect r{SInt16(f.top), SInt16(f.left), SInt16(f.bottom), SInt16(f.right)};
        const RGBColor ring{0x1C00, 0x6400, 0xD800};
        RGBForeColor(&ring);
        PenSize(2, 2);
        FrameRoundRect(&r, 10, 10);
        PenSize(1, 1);
        const RGBColor black{0, 0, 0};
        RGBForeColor(&black);
    }
    void DoClick(KsPoint, SInt16, SInt32, void*) override {
        // A click also takes the focus, as Tab would.
        if (AWindow* w = GetEnclWindow()) {
            if (APane* was = w->GetTargetPane(); was && was != this && was->IsActive())
                was->TabFrom();
            if (!IsActive()) TabTo();
            w->SetTargetPane(this);
        }
        ++clicks;
        char caption[64] = {};
        if (clicks == 1) GetText(caption, sizeof caption);
        if (caption[0]) base = caption;
        char text[96];
        std::snprintf(text, sizeof text, "%s (%d)", base.c_str(), clicks);
        SetText(text);
        SetBkndColor(clicks % 2 ? KsRGBColor{0xF500, 0xC000, 0x1800} : RGBgray11);
        Inval();
    }

    static APane* Make() { return new DemoButton; }

private:
    std::string base;
};

// The layout every demo window reads: its panes' places, colours, borders,
// texts and sizing, drawn for a 400x300 content area.
constexpr SInt16 kLayoutWidth = 400, kLayoutHeight = 300;
constexpr const char* kLayoutFile = "scene.ksp3";
std::string gLayout;

void RegisterDemoPanes() {
    PaneTextClass row;
    row.name = "DemoButton";
    row.make = DemoButton::Make;
    row.addProps = {[](APane* p, CoreAttrList* l) { p->AddPropsToList(l); }};
    row.getProps = {[](APane* p, CoreAttrList* l) { p->GetPropsFromList(l); }};
    row.subs = PaneTextSubs::subs;
    PaneTextRegisterClass(row);
}

// A window of the demo: its pane tree from the layout, a drawing in the
// framed pane, the title as the frame's label, and the grow box.
class DemoWindow : public AWindow {
public:
    bool SaveDoc(AFileLocator*, bool) override {
        // Nothing here is kept on disk: saving only makes the window clean.
        SetIsDirtyDoc(false);
        return true;
    }

    void Build(const char* title, Scene scene, SInt16 left, SInt16 top, SInt16 w, SInt16 h) {
        IWindow(title, nullptr, WindowPtr(-1), 1, 1, 1, 0, 0, 0);
        // On a small screen the windows move in so that they stay whole.
        const Rect screen = KsDesktopBounds();
        const SInt16 room = SInt16(screen.right - w - 64);
        if (left > room) left = room < 8 ? SInt16(8) : room;
        ::MoveWindow(GetWindowPtr(), left, top, false);
        // The tree is read at the size it was laid out for; the sizing
        // attributes then carry it to the window's own size.
        ::SizeWindow(GetWindowPtr(), kLayoutWidth, kLayoutHeight, false);
        Resize(nullptr, nullptr, 0, 0);
        APane* main = GetMainPane();
        main->SetBkndColor(RGBgray9);
        ReadPaneText(gLayout.data(), long(gLayout.size()), main, this);
        if (APane* frame = FindPaneByID("frame")) frame->SetLabelText(title);
        if (APane* art = FindPaneByID("art")) {
            art->SetDrawProc(DrawScene);
            art->SetDataHandle(reinterpret_cast<void*>(intptr_t(scene)));
            if (scene == Scene::timecode) AddValueFields(art);
        }
        ::SizeWindow(GetWindowPtr(), w, h, false);
        Resize(nullptr, nullptr, 0, 0);
        AddGrowBoxPane();
        ShowWindow(GetWindowPtr());
        SelectWindow(GetWindowPtr());
    }
};

class DemoApp : public AApplication {
public:
    int made = 0;
    std::string screenshot;
    int status = 0;

    void FinishInit() override {
        AApplication::FinishInit();
        RGBColor slate = kThemeColors[0];
        PaintDesktop(slate);
        tool = OpenMediaTool(kMediaBinClips);
        DrawMenuBar();
        const Rect all = KsDesktopBounds();
        std::printf("KsTavik20 %s demo on the %s back end, desktop %dx%d\n", KsTavik20Version(),
                    KsGetBackend()->Name(), int(all.right - all.left), int(all.bottom - all.top));
        std::fflush(stdout);
    }

    void Run() override {
        if (screenshot.empty()) {
            AApplication::Run();
            return;
        }
        RunScript();
        QuitCompleted = 1;
    }

    // Serves what is pending without waiting.
    void Settle() {
        for (int i = 0; i < 200; ++i) {
            EventRecord e;
            if (!GetNextEvent(everyEvent, &e)) break;
            HandleEvent(&e);
        }
    }

    void Post(EventKind what, UInt32 message, Point where, EventModifiers mods = 0) {
        EventRecord e{};
        e.what = what;
        e.message = message;
        e.where = where;
        e.modifiers = mods;
        e.when = TickCount();
        // The toolbox queue, as real input arrives: Settle serves it.
        KsPostEventRecord(e);
    }

    // The global point at the middle of a pane of window w.
    static Point MiddleOf(AWindow* w, APane* pane) {
        const KsRect b = pane->GetBounds();
        Point pt{SInt16((b.top + b.bottom) / 2), SInt16((b.left + b.right) / 2)};
        StPortSaver saver;
        SetPortWindowPort(w->GetWindowPtr());
        LocalToGlobal(&pt);
        return pt;
    }

    // Keys typed into the front window, as the back end delivers them.
    void Type(std::initializer_list<UInt32> keys) {
        for (UInt32 key : keys) {
            Post(keyDown, key, Point{0, 0});
            Settle();
        }
    }

    // The headless steps, as a user would start: in the bin the first folder
    // opens and its third clip is chosen (the inspector follows), the viewer
    // is moved along the clip, and the console is asked for its commands.
    void RunScript() {
        // Each scripted turn of the loop takes a tick at most, not the sleep
        // of an application left alone.
        gl_sleepTime = 1;
        Settle();
        ProcessEvent(-1);
        constexpr UInt32 kDown = 0x7D << 8, kRight = 0x7C << 8, kReturn = 0x24 << 8 | '\r';
        if (tool.bin && KsIsLiveWindow(tool.bin)) {
            SelectWindow(tool.bin->GetWindowPtr());
            Settle();
            Type({kDown, kRight, kDown, kDown, kDown});
        }
        if (tool.viewer && KsIsLiveWindow(tool.viewer)) {
            if (APane* bar = tool.viewer->FindPaneByID("posbar")) {
                const KsRect b = bar->GetBounds();
                Point at = MiddleOf(tool.viewer, bar);
                at.h = SInt16(at.h - b.Width() / 2 + b.Width() * 3 / 10);
                Post(mouseDown, 0, at);
                Post(mouseUp, 0, at);
                Settle();
            }
        }
        if (tool.console && KsIsLiveWindow(tool.console)) {
            SelectWindow(tool.console->GetWindowPtr());
            Settle();
            Type({'h', 'e', 'l', 'p', kReturn});
        }
        ProcessEvent(-1);
        Settle();
        KsPresentDesktop();
        const OSErr err = KsWritePortPNG(KsGetDesktopPort(), nullptr, screenshot.c_str());
        if (err != noErr) {
            std::fprintf(stderr, "ksdemo: could not write %s (error %d)\n", screenshot.c_str(),
                         err);
            status = 1;
            return;
        }
        const bool headless = std::strcmp(KsGetBackend()->Name(), "headless") == 0;
        std::printf("%s: wrote the desktop to %s\n", headless ? "headless" : "screenshot",
                    screenshot.c_str());
    }

protected:
    void CreateTheFileMenu() override {
        MenuHandle m = gBartender->CreateMenu(stx("File"), kFileMenuID, 1);
        gBartender->AppendMenuItem(m, kNickNew, stx("&New"), 'N', 0, 0);
        gBartender->AppendMenuItem(m, kNickOpen, stx("&Open..."), 'O', 0, 0);
        AppendNoteItems(m);
        gBartender->AppendMenuItem(m, kNickImport, stx("&Import..."), 'I', 0, 0);
        gBartender->AppendMenuItem(m, kNickMediaBin, stx("Media &Bin"), 'B', 0, 0);
        AppendMessageItems(m);
        gBartender->AppendSeparator(m);
        gBartender->AppendMenuItem(m, kNickClose, stx("&Close"), 'W', 0, 0);
        gBartender->AppendMenuItem(m, kNickSave, stx("&Save"), 'S', 0, 0);
        gBartender->AppendMenuItem(m, kNickSaveAs, stx("Save &As..."), 0, 0, 0);
        gBartender->AppendSeparator(m);
        gBartender->AppendMenuItem(m, kNickPageSetup, stx("Page Set&up..."), 0, 0, 0);
        gBartender->AppendMenuItem(m, kNickPrint, stx("&Print..."), 'P', 0, 0);
        gBartender->AppendSeparator(m);
        gBartender->AppendMenuItem(m, kNickQuit, stx("E&xit"), 'Q', 0, 0);
    }

    void BuildMenus() override {
        AApplication::BuildMenus();
        MenuHandle view = gBartender->CreateMenu(stx("View"), kViewMenuID, 1);
        gBartender->AppendMenuItem(view, kNickNewTimecode, stx("New &Timecode Window"), 'T', 0, 0);
        gBartender->AppendMenuItem(view, kNickNewCanvas, stx("New &Canvas Window"), 0, 0, 0);
        gBartender->AppendMenuItem(view, kNickBringAll, stx("&Bring All to Front"), 0, 0, 0);
        gBartender->AppendMenuItem(view, kNickSamples, stx("&Sample Windows"), 0, 0, 0);
        gBartender->AppendMenuItem(view, kNickGadgets, stx("&Gadgets"), 0, 0, 0);
        gBartender->AppendMenuItem(view, kNickLayout, stx("&Layout"), 'L', 0, 0);
        gBartender->AppendMenuItem(view, kNickInspector, stx("&Inspector"), 0, 0, 0);
        gBartender->AppendMenuItem(view, kNickClipBins, stx("Clip Bi&ns (drag and drop)"), 0, 0, 0);
        gBartender->AppendSeparator(view);
        static const char* themes[kThemes] = {"Slate", "Ocean", "Forest"};
        for (int i = 0; i < kThemes; ++i)
            gBartender->AppendMenuItem(view, kNickThemeSlate + i, themes[i], 0, 0, 0);
        gBartender->AppendSeparator(view);
        gBartender->AppendMenuItem(view, kNickAbout, stx("&About the demo..."), 0, 0, 0);
        BuildViewerMenus(view);
        AppendDialogItems(view);
        BuildConsoleMenus(view);
        MenuHandle rates = gBartender->CreateMenu(stx("Rates"), kRatesMenuID, 1);
        for (int i = 0; i < kRates; ++i) {
            char item[32];
            std::snprintf(item, sizeof item, "Frame rate preset %d", i + 1);
            gBartender->AppendMenuItem(rates, kNickRate1 + i, item, 0, 0, 0);
        }
        BuildButtonsMenu();
    }

public:
    void UpdateMenus() override {
        AApplication::UpdateMenus();
        if (!gBartender) return;
        for (long n :
             {long(kNickNewTimecode), long(kNickNewCanvas), long(kNickBringAll), long(kNickGadgets),
              long(kNickAbout), long(kNickImport), long(kNickLayout), long(kNickInspector),
              long(kNickMediaBin), long(kNickClipBins), long(kNickSamples)})
            gBartender->MacEnableMenuItem(n);
        for (int i = 0; i < kThemes; ++i) {
            gBartender->MacEnableMenuItem(kNickThemeSlate + i);
            gBartender->CheckMenuItemByNickNum(kNickThemeSlate + i, i == theme);
        }
        for (int i = 0; i < kRates; ++i) {
            gBartender->MacEnableMenuItem(kNickRate1 + i);
            gBartender->CheckMenuItemByNickNum(kNickRate1 + i, i == rate);
        }
        UpdateButtonsMenu();
        UpdateViewerMenus();
        UpdateConsoleMenus();
        EnableMessageItems();
        EnableDialogItems();
        EnableNoteItems();
    }

    // New names a note file first; Open opens one.
    void NewFile(AFileLocator* file) override { NewNoteWindow(*file); }
    void OpenFile(AFileLocator* file) override { OpenNoteWindow(*file); }

    unsigned char HandleStdMenus(short menuID, short nick) override {
        DemoLogCommand(menuID, nick);
        if (HandleConsoleMenus(nick)) return true;
        if (HandleNoteItems(nick)) return true;
        if (nick == kNickNewTimecode) {
            NewTimecodeWindow();
            return true;
        }
        if (nick == kNickNewCanvas) {
            OpenCanvasWindow(stx("Canvas"));
            return true;
        }
        if (nick == kNickGadgets) {
            ++gadgetWindows;
            OpenGadgetWindow(short(60 + 24 * (gadgetWindows % 8)),
                             short(80 + 24 * (gadgetWindows % 8)));
            return true;
        }
        if (nick == kNickSamples) {
            OpenDemoWindows();
            return true;
        }
        if (nick == kNickLayout) {
            OpenLayoutWindow();
            return true;
        }
        if (nick == kNickClipBins) {
            OpenClipBinsWindow();
            return true;
        }
        if (nick == kNickInspector) {
            OpenInspectorWindow(420, 80);
            return true;
        }
        if (nick == kNickImport) {
            // The thermometer closes by itself at the end of this event.
            TheDemoBin().Import();
            if (binWindow && KsIsLiveWindow(binWindow))
                if (APane* art = binWindow->FindPaneByID("art")) art->Inval();
            return true;
        }
        if (nick == kNickMediaBin) {
            OpenMediaBinWindow(kMediaBinClips, InspectBinClip);
            return true;
        }
        if (nick == kNickBringAll) {
            for (WindowPtr w = KsGetWindowList(); w; w = GetNextWindow(w))
                ShowWindow(w);
            return true;
        }
        if (nick >= kNickThemeSlate && nick < kNickThemeSlate + kThemes) {
            theme = nick - kNickThemeSlate;
            PaintDesktop(kThemeColors[theme]);
            return true;
        }
        if (HandleButtonsMenu(nick)) return true;
        if (HandleViewerMenus(nick)) return true;
        if (HandleMessageItems(nick)) return true;
        if (HandleDialogItems(nick)) return true;
        if (nick >= kNickRate1 && nick < kNickRate1 + kRates) {
            rate = nick - kNickRate1;
            return true;
        }
        return AApplication::HandleStdMenus(menuID, nick);
    }

    void NewTimecodeWindow() {
        ++made;
        char title[32];
        std::snprintf(title, sizeof title, "Timecode %d", made + 1);
        auto* w = new DemoWindow;
        w->Build(title, Scene::timecode, SInt16(500 + 24 * (made % 10)),
                 SInt16(260 + 24 * (made % 10)), 300, 300);
    }

    // The sample windows: shapes, text, timecodes and the import bin.
    void OpenDemoWindows() {
        if (binWindow && KsIsLiveWindow(binWindow)) {
            SelectWindow(binWindow->GetWindowPtr());
            return;
        }
        // The bin first, so that it opens behind the others.
        binWindow = new DemoWindow;
        binWindow->Build("Bin", Scene::bin, 40, 440, 340, 240);
        auto* shapes = new DemoWindow;
        shapes->Build("Shapes and regions", Scene::shapes, 40, 70, 400, 340);
        auto* text = new DemoWindow;
        text->Build("Text (unsaved)", Scene::text, 380, 150, 480, 360);
        // The document of the demo: closing it asks to save.
        text->SetIsDirtyDoc(true);
        auto* tc = new DemoWindow;
        tc->Build("Timecode", Scene::timecode, 760, 110, 300, 300);
    }

    DemoMediaTool tool;
    int theme = 0;
    int rate = 0;
    int gadgetWindows = 0;
    DemoWindow* binWindow = nullptr;
};

bool LoadLayout() {
    return LoadPaneFile(kLayoutFile, gLayout);
}

} // namespace

int RunDemo(const std::string& screenshot) {
    if (!KsDesktopInit()) {
        std::fprintf(stderr, "ksdemo: the desktop could not be made\n");
        return 1;
    }
    RegisterDemoPanes();
    if (!LoadLayout() || !LoadGadgetLayout()) {
        KsDesktopDispose();
        return 1;
    }
    // Go returns here instead of ending the process, so that everything is
    // put away and a checked build sees no leak.
    KsAppSetExitProc([](int) {});
    int status = 0;
    {
        auto* app = new DemoApp;
        app->screenshot = screenshot;
        app->SetShortAppName("ksdemo");
        app->SetLongAppName("KsTavik20 demo");
        UseWinHelpFiles("KsTavik20 demo", ":help:index.htm");
        app->Go();
        status = app->status;
        while (WindowPtr w = KsGetWindowList()) {
            if (AWindow* obj = GetWindowObj(w))
                obj->Dispose();
            else
                DisposeWindow(w);
        }
        delete app;
    }
    if (gBartender) gBartender->Dispose();
    ClearMenuBar();
    KsDesktopDispose();
    return status;
}
