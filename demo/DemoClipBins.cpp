#include "DemoClipBins.h"

#include "APane.h"
#include "AWindow.h"
#include "DragList.h"
#include "KsPortSavers.h"
#include "QuickDraw.h"
#include "SystemDrag.h"
#include "Windows.h"

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

constexpr SInt16 S = kPaneDontCare;
constexpr SInt16 kRow = 14;

void DrawLine(const std::string& text, SInt16 h, SInt16 v) {
    MoveTo(h, v);
    DrawText(text.c_str(), 0, SInt16(std::min<std::size_t>(text.size(), 200)));
}

// A clip: its name, and the path of its media where it has one.
struct Clip {
    std::string name;
    std::string path;
    bool operator==(const std::string& n) const { return name == n; }
};

// Where the demo's own clips say their media are.
std::string DemoMediaPath(const std::string& name) {
    const char* home = std::getenv("HOME");
    return std::string(home && *home ? home : "/tmp") + "/Videos/" + name + ".mov";
}

// What a drop offers as a clip name: a file's last path part, or the first
// line of a text.
std::string ClipName(const DragThing* t) {
    std::string data;
    if (t->GetDragData(kDragDataFile, &data)) return data.substr(data.find_last_of('/') + 1);
    if (t->GetDragData(kDragDataText, &data)) return data.substr(0, data.find_first_of("\r\n"));
    return {};
}

class ClipBinPane : public APane {
    KS_DECLARE_CLASS(ClipBinPane, APane)

    std::vector<Clip> clips;

    void DrawInterior(const KsRect* clip, void* data) override {
        APane::DrawInterior(clip, data);
        const KsRect in = GetInterior();
        TextFont(1);
        TextSize(10);
        for (std::size_t i = 0; i < clips.size(); ++i)
            DrawLine(clips[i].name, SInt16(in.left + 4), SInt16(in.top + kRow * SInt16(i + 1) - 3));
    }

    // A press on a clip drags it; where it lands decides what happens. Other
    // applications get its media's path and its name.
    void DoClick(KsPoint pt, SInt16, SInt32, void*) override {
        const KsRect in = GetInterior();
        const long row = (pt.v - in.top) / kRow;
        if (row < 0 || row >= long(clips.size())) return;
        DragList* list = DragList::New(kDragSrcMayLeave, {});
        const Clip& c = clips[std::size_t(row)];
        DragThing* thing = DragThing::NewPlain();
        thing->AddDragData(kDragDataText, c.name);
        if (!c.path.empty()) thing->AddDragData(kDragDataFile, c.path);
        thing->SetCanDragToSystem(true);
        list->AddDragThing(thing);
        list->AddDragObject(this);
        KsRect r{in.left, SInt32(in.top + row * kRow), in.right, SInt32(in.top + (row + 1) * kRow)};
        Point tl{SInt16(r.top), SInt16(r.left)};
        {
            StPortSaver port;
            SetPortWindowPort(GetEnclWindow()->GetWindowPtr());
            LocalToGlobal(&tl);
        }
        list->SetDragRgn(KsRgn(r.Offsetted(tl.h - r.left, tl.v - r.top)));
        struct Release {
            DragList* l;
            ~Release() { l->Dispose(); }
        } release{list};
        DoDrag(&pt, list, true);
    }

    bool AcceptDrop(DragList* list) override {
        return list->ContainsDragData(kDragDataText) || list->ContainsDragData(kDragDataFile);
    }

    // A clip from the other bin moves here.
    void DropHandler(DragList* list, KsPoint, SInt16) override {
        auto* from = static_cast<ClipBinPane*>(list->GetDragObject("ClipBinPane"));
        if (!from || from == this || !list->AnyHandled()) return;
        std::string name;
        list->GetDragData(kDragDataText, &name);
        auto it = std::find(from->clips.begin(), from->clips.end(), name);
        if (it == from->clips.end()) return;
        clips.push_back(*it);
        from->clips.erase(it);
        from->InvalInterior();
        InvalInterior();
    }

    // Files and text from other applications become clips.
    void HandleDropFromSystem(DragList* list, KsPoint, SInt16) override {
        for (SInt32 i = 1; i <= list->CountDragThings(); ++i) {
            const DragThing* thing = list->GetDragThing(i);
            std::string path;
            thing->GetDragData(kDragDataFile, &path);
            const std::string name = ClipName(thing);
            if (!name.empty()) clips.push_back({name, path});
        }
        InvalInterior();
    }
};

class ViewerPane : public APane {
public:
    std::string showing = "Drop a clip here";

    void DrawInterior(const KsRect* clip, void* data) override {
        APane::DrawInterior(clip, data);
        const KsRect in = GetInterior();
        TextFont(1);
        TextSize(12);
        DrawLine(showing, SInt16(in.left + 8), SInt16((in.top + in.bottom) / 2));
    }
    bool AcceptDrop(DragList* list) override {
        return list->ContainsDragData(kDragDataText) || list->ContainsDragData(kDragDataFile);
    }
    void Show(DragList* list) {
        if (list->CountDragThings() > 0) showing = "Viewing " + ClipName(list->GetDragThing(1));
        InvalInterior();
    }
    void DropHandler(DragList* list, KsPoint, SInt16) override {
        if (list->AnyHandled()) Show(list);
    }
    void HandleDropFromSystem(DragList* list, KsPoint, SInt16) override { Show(list); }
};

template <class P> P* Place(AWindow* w, SInt16 left, SInt16 top, SInt16 wid, SInt16 hei) {
    auto* p = new P;
    p->IPane(w->GetMainPane(), left, S, wid, top, S, hei, RGBwhite, 1);
    p->SetStdHandleOver(true);
    return p;
}

} // namespace

AWindow* OpenClipBinsWindow() {
    auto* w = new AWindow;
    w->IWindow("Clip Bins", nullptr, WindowPtr(-1), 1, 0, 1, 0, 0, 0);
    ::MoveWindow(w->GetWindowPtr(), 120, 120, false);
    ::SizeWindow(w->GetWindowPtr(), 520, 240, false);
    auto* a = Place<ClipBinPane>(w, 10, 10, 150, 220);
    auto* b = Place<ClipBinPane>(w, 170, 10, 150, 220);
    for (const char* name : {"Beach A1", "Beach A2", "Harbour B1", "Market C4"})
        a->clips.push_back({name, DemoMediaPath(name)});
    for (const char* name : {"Interview 1", "Interview 2"})
        b->clips.push_back({name, DemoMediaPath(name)});
    Place<ViewerPane>(w, 330, 10, 180, 220)->SetBkndColor(RGBgray9);
    RegisterForDrop(w);
    EnableDrops(true);
    w->SelectAndShow();
    return w;
}
