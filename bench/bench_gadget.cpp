// A gadget's good click, from the release that ends tracking to the handler
// of its nick number, with 20 menus of 40 items in the menu bar: the menus
// are updated, the window enables the command, and the command reaches the
// pane that handles it. The nick is the last item's, whose record the
// bartender's lookups find last.
#include "AApplication.h"
#include "AApplicationPrivate.h"
#include "ABartender.h"
#include "AGadget.h"
#include "AWindow.h"
#include "KsBackend.h"
#include "KsTime.h"
#include "Menus.h"
#include "Windows.h"

#include <benchmark/benchmark.h>

#include <string>

namespace {

constexpr long kFirstNick = 2000;
constexpr long kLastNick = kFirstNick + 20 * 40 - 1;

class CommandPane : public APane {
public:
    long handled = 0;
    void UpdateMenus(void*, EventRecord*) override { gBartender->MacEnableMenuItem(kLastNick); }
    bool DoMenuSelect(SInt32, SInt32 nick, void*) override {
        if (nick == kLastNick) ++handled;
        return nick == kLastNick;
    }
};

struct World {
    AApplication* app = nullptr;
    AWindow* win = nullptr;
    CommandPane* commands = nullptr;
    AGadget* gadget = nullptr;
    World() {
        KsUseVirtualClock(true);
        KsInstallBackend(KsNewHeadlessBackend(1280, 800));
        KsAppSetExitProc([](int) {});
        app = new AApplication;
        app->IApplication();
        long nick = kFirstNick;
        for (short m = 0; m < 20; ++m) {
            MenuHandle menu = gBartender->CreateMenu("M", short(300 + m), ABartender::kMenuInBar);
            for (int i = 0; i < 40; ++i)
                gBartender->AppendMenuItem(menu, ("Item " + std::to_string(i)).c_str(), nick++);
        }
        win = AWindow::New("Gadget", nullptr, WindowPtr(-1), 1, 0, 1, 0, 0, 0);
        ShowWindow(win->GetWindowPtr());
        SelectWindow(win->GetWindowPtr());
        win->CreateMainPane();
        commands = new CommandPane;
        commands->IPane(win->GetMainPane(), 0, kPaneDontCare, 1, 0, kPaneDontCare, 1, RGBwhite, 0);
        commands->SetHandlesMenus(true);
        commands->SetUpdatesMenus(true);
        gadget = AGadget::New(win->GetMainPane(), 10, kPaneDontCare, 80, 10, kPaneDontCare, 20,
                              RGBgray12, 1);
        gadget->SetCmdNum(kLastNick);
        EventRecord e;
        while (GetNextEvent(everyEvent, &e))
            app->HandleEvent(&e);
    }
    ~World() {
        win->Dispose();
        delete app;
        if (gBartender) gBartender->Dispose();
        ClearMenuBar();
    }
};

void BM_GoodClickToNickHandler(benchmark::State& state) {
    World world;
    const KsPoint pt{50, 20};
    world.gadget->DoGoodClick(pt, 0, 0, nullptr);
    if (world.commands->handled != 1) state.SkipWithError("the command did not arrive");
    for (auto _ : state)
        world.gadget->DoGoodClick(pt, 0, 0, nullptr);
    if (world.commands->handled != long(state.iterations()) + 1)
        state.SkipWithError("a command went missing");
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_GoodClickToNickHandler)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
