#include "SystemDrag.h"

#include "APane.h"
#include "AWindow.h"
#include "CDataObject.h"
#include "CDropTarget.h"
#include "DragList.h"
#include "DragMessages.h"
#include "DragTrackPrivate.h"
#include "Events.h"
#include "KsLog.h"
#include "KsMacRoman.h"
#include "KsPortSavers.h"
#include "KsUIHooks.h"
#include "QuickDraw.h"
#include "Stx.h"
#include "Windows.h"

#include <memory>

namespace {

DragThing* NewThing(const KsDragItem& item) {
    DragThing* thing = DragThing::New();
    if (item.kind == KsDragItem::Kind::file)
        thing->AddDragData(kDragDataFile, item.utf8);
    else
        thing->AddDragData(kDragDataText, KsUTF8ToMacRoman(item.utf8));
    return thing;
}

// Turns the back end's reports of another application's drag into the
// panes' drag messages. The list lives from the drag's entry to its end.
class FrameworkDrops final : public KsDropSink {
public:
    // Errors cannot be raised through the back end's pump: they end the
    // drag and are reported.
    bool DropTrack(KsDropPhase phase, SInt32 h, SInt32 v, UInt16 modifiers,
                   const std::vector<KsDragItem::Kind>& kinds) override {
        try {
            return Track(phase, h, v, SInt16(modifiers), kinds);
        } catch (...) {
            Fail();
            return false;
        }
    }

    bool DropDeliver(SInt32 h, SInt32 v, bool hasPoint, UInt16 modifiers,
                     const std::vector<KsDragItem>& items) override {
        try {
            return Deliver(h, v, hasPoint, SInt16(modifiers), items);
        } catch (...) {
            Fail();
            return false;
        }
    }

    void Finish() {
        if (!list_) return;
        APane::EndDrag();
        list_->Dispose();
        list_ = nullptr;
    }

    bool enabled = false;

private:
    void Fail() {
        RecordDragException(XErrorFromCurrentException());
        Finish();
        ReportDeferred();
    }

    bool Track(KsDropPhase phase, SInt32 h, SInt32 v, SInt16 modifiers,
               const std::vector<KsDragItem::Kind>& kinds) {
        if (phase == KsDropPhase::leave) {
            if (list_) APane::SendDragMsg({h, v}, modifiers, kDragLeave);
            Finish();
            return false;
        }
        if (!list_ || phase == KsDropPhase::enter) Start(kinds, {h, v});
        last_ = {h, v};
        if (!Registered({h, v})) {
            APane::SendDragMsg({h, v}, modifiers, kDragLeave);
            return false;
        }
        APane::SendDragMsg({h, v}, modifiers, kDragWithin);
        return Welcomed({h, v}, modifiers);
    }

    bool Deliver(SInt32 h, SInt32 v, bool hasPoint, SInt16 modifiers,
                 const std::vector<KsDragItem>& items) {
        KsPoint at{h, v};
        if (!hasPoint) at = list_ ? last_ : ToKsPoint(KsGetGlobalMouse());
        if (!list_) Start({}, at);
        // The offer is replaced by what was delivered.
        list_->RemoveDragThings();
        for (const KsDragItem& item : items)
            list_->AddDragThing(NewThing(item));
        bool taken = false;
        if (Registered(at)) {
            APane::SendDragMsg(at, modifiers, kDragWithin);
            taken = APane::SendDragMsg(at, modifiers, kDragDrop);
        } else {
            APane::SendDragMsg(at, modifiers, kDragLeave);
        }
        Finish();
        ReportDeferred();
        return taken;
    }

    void Start(const std::vector<KsDragItem::Kind>& kinds, KsPoint at) {
        Finish();
        std::vector<KsDragItem> offer;
        for (KsDragItem::Kind k : kinds)
            offer.push_back({k, {}});
        list_ = GetSystemDragList(offer, at);
        ClearDragException();
        APane::BeginDrag(list_);
    }
    // The other application is told whether the pane under the pointer
    // would take the drop, not merely whether it shows feedback.
    bool Welcomed(KsPoint global, SInt16 modifiers) {
        WindowPtr w = nullptr;
        const Point g{SInt16(global.v), SInt16(global.h)};
        if (FindWindow(g, &w) != inContent || !w) return false;
        AWindow* window = GetWindowObj(w);
        APane* root = window ? window->GetMainPane() : nullptr;
        if (!root) return false;
        StPortSaver port;
        SetPortWindowPort(w);
        Point l = g;
        GlobalToLocal(&l);
        const KsPoint local{l.h, l.v};
        for (APane* p = root->FindPane(local, false, false); p; p = p->GetEnclPane())
            if (p->HandleDragMsg(list_, local, modifiers, kDragMayAccept))
                return p->AcceptDrop(list_);
        return false;
    }
    bool Registered(KsPoint global) {
        WindowPtr w = nullptr;
        const Point g{SInt16(global.v), SInt16(global.h)};
        if (FindWindow(g, &w) != inContent || !w) return false;
        AWindow* window = GetWindowObj(w);
        return window && CDropTarget::Find(window);
    }
    // A drop handler's error cannot be raised through the back end's pump:
    // the user is told and the log keeps it.
    static void ReportDeferred() {
        const XError error = GetDragException();
        ClearDragException();
        if (!error.IsError()) return;
        const std::string text = error.GetText();
        LogFile::WriteLog("drop", text.c_str());
        UIdialog(text.c_str(), stx("OK"), 1, 0);
    }

    DragList* list_ = nullptr;
    KsPoint last_{};
};

FrameworkDrops& Drops() {
    static FrameworkDrops drops;
    return drops;
}

} // namespace

void RegisterForDrop(AWindow* window) {
    if (!window) return;
    const DragThing::Factory things = DragThing::SetFactory(nullptr);
    DragThing::SetFactory(things ? things : &DragThing::NewPlain);
    const CDropTarget::Factory targets = CDropTarget::SetFactory(nullptr);
    CDropTarget::SetFactory(targets ? targets : &CDropTarget::NewPlain);
    if (!CDropTarget::Find(window)) CDropTarget::New(window);
}

bool EnableDrops(bool on) {
    FrameworkDrops& d = Drops();
    const bool was = d.enabled;
    d.enabled = on;
    if (!on) d.Finish();
    KsSetDropSink(on ? &d : nullptr);
    KsEnableSystemDrops(on);
    return was;
}

DragList* GetSystemDragList(const std::vector<KsDragItem>& items, KsPoint globalStart) {
    DragList* list = DragList::New(kDragSrcSystem, globalStart);
    list->Preallocate(SInt32(items.size()));
    for (const KsDragItem& item : items)
        list->AddDragThing(NewThing(item));
    return list;
}

bool SystemTrackDrag(DragList* list, KsPoint start, KsPoint* release, SInt16* modifiers) {
    KsDragSource* out = KsGetDragSource();
    if (!out || !list) return false;
    const CDataObject::Factory current = CDataObject::SetFactory(nullptr);
    CDataObject::SetFactory(current ? current : &CDataObject::NewPlain);
    const std::unique_ptr<CDataObject> offer(CDataObject::New(list));
    const std::vector<KsDragItem> items = offer ? offer->GetData() : std::vector<KsDragItem>{};
    if (items.empty() || !out->DragBegin(items)) return false;
    // However the tracking ends, the other application hears of it.
    struct Ending {
        KsDragSource* out;
        bool open = true;
        bool End(bool drop) {
            open = false;
            return out->DragEnd(drop);
        }
        ~Ending() {
            if (open) out->DragEnd(false);
        }
    } ending{out};
    DragTrackEnd end = DragTrackEnd::here;
    SInt16 mods = 0;
    const KsPoint at = TrackSystemDrag(list, start, &mods, out, &end);
    if (end == DragTrackEnd::here) {
        ending.End(false);
        APane::SendDragMsg(at, mods, kDragDrop);
    } else if (ending.End(end == DragTrackEnd::elsewhere)) {
        list->SetHandled(true);
    }
    *release = at;
    *modifiers = mods;
    return true;
}
