// The end-to-end application for drags with other X11 applications: one
// window with a bin that takes drops, one that refuses them and a clip that
// can be dragged out, on the sdl back end.
//
//   ks_e2e_drop_driver [--time-limit SECONDS]
//
// Standard output, one line each, flushed as written:
//   bin NAME L,T,R,B            (desktop coordinates; the clip is "clip")
//   ready
//   drop NAME file:PATH | text:TEXT | textsize:BYTES (above 200 bytes)
//   dragout handled=0|1         (a drag of the clip ended)
//   end quit|timeout
#include "APane.h"
#include "AWindow.h"
#include "DragList.h"
#include "KsBackend.h"
#include "KsDesktop.h"
#include "KsE2ERun.h"
#include "QuickDraw.h"
#include "SystemDrag.h"
#include "Windows.h"
#include "XError.h"

#include <cstdio>
#include <string>

namespace {

bool gQuit = false;

class Bin : public APane {
public:
    const char* name = "";
    bool takes = true;
    KsRect global{};
    // The clip goes out as its media's path and its name.
    DragList* GetMyDragList(KsPoint pt) override {
        DragList* list = APane::GetMyDragList(pt);
        list->GetDragThing(1)->AddDragData(kDragDataFile, "/tmp/clip one.mov");
        list->GetDragThing(1)->AddDragData(kDragDataText, "Caf\x8E");
        list->GetDragThing(1)->SetCanDragToSystem(true);
        return list;
    }
    bool AcceptDrop(DragList*) override { return takes; }
    void HandleDropFromSystem(DragList* list, KsPoint, SInt16) override {
        std::string data;
        for (SInt32 i = 1; i <= list->CountDragThings(); ++i) {
            if (list->GetDragThing(i)->GetDragData(kDragDataFile, &data))
                std::printf("drop %s file:%s\n", name, data.c_str());
            if (!list->GetDragThing(i)->GetDragData(kDragDataText, &data)) continue;
            if (data.size() > 200)
                std::printf("drop %s textsize:%zu\n", name, data.size());
            else
                std::printf("drop %s text:%s\n", name, data.c_str());
        }
    }
};

Bin* gClip = nullptr;

Bin* MakeBin(AWindow* w, const char* name, SInt16 left, bool takes) {
    auto* b = new Bin;
    b->IPane(w->GetMainPane(), left, kPaneDontCare, 120, 20, kPaneDontCare, 120, RGBgray9, 1);
    b->SetStdHandleOver(true);
    b->name = name;
    b->takes = takes;
    KsRect r = b->GetBounds();
    Point tl{SInt16(r.top), SInt16(r.left)};
    SetPortWindowPort(w->GetWindowPtr());
    LocalToGlobal(&tl);
    std::printf("bin %s %d,%d,%d,%d\n", name, tl.h, tl.v, tl.h + r.Width(), tl.v + r.Height());
    b->global = {tl.h, tl.v, tl.h + r.Width(), tl.v + r.Height()};
    return b;
}

void HandleEvent(EventRecord& e) {
    if (e.what == keyDown && (e.modifiers & cmdKey) && (e.message & charCodeMask) == 'q')
        gQuit = true;
    if (e.what == updateEvt) DoWindowUpdate(KsEventWindow(e));
    if (e.what == mouseDown && gClip && gClip->global.Contains(KsPoint{e.where.h, e.where.v}))
        std::printf("dragout handled=%d\n", gClip->DoDrag(nullptr, nullptr, true) ? 1 : 0);
}

} // namespace

int main(int argc, char** argv) {
    if (!StartOnSDL("ks_e2e_drop_driver")) return 1;
    int status = 0;
    try {
        KsGetBackend()->SetTitle("ks_e2e_driver");
        if (!KsDesktopInit()) return 1;
        InitWindows();
        AWindow* w = AWindow::New("Bins", nullptr, nullptr, 1, 1, 1, 0, 0, 0);
        w->SetWindowToRect(kKsNoScreen, 100, 100, 560, 260);
        w->SelectAndShow();
        MakeBin(w, "takes", 20, true);
        MakeBin(w, "refuses", 160, false);
        gClip = MakeBin(w, "clip", 300, true);
        RegisterForDrop(w);
        EnableDrops(true);
        KsSetQuitRequestHook({[](void*) { gQuit = true; }, nullptr});
        EventRecord e;
        for (int i = 0; i < 1000 && GetNextEvent(everyEvent, &e); ++i)
            HandleEvent(e);
        KsPresentDesktop();
        std::printf("ready\n");
        const bool timedOut = RunTurns(
            TimeLimitArg(argc, argv), [] { return gQuit; },
            [&] {
                if (WaitNextEvent(everyEvent, &e, 6, nullptr)) HandleEvent(e);
            });
        std::printf("end %s\n", timedOut ? "timeout" : "quit");
        EnableDrops(false);
        w->Dispose();
    } catch (...) {
        ReportException("ks_e2e_drop_driver");
        status = 1;
    }
    KsDesktopDispose();
    return status;
}
