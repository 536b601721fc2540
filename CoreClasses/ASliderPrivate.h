// Helpers the slider files share.
#pragma once

#include "ASlider.h"
#include "AWindow.h"
#include "KsPortSavers.h"
#include "Windows.h"

// Makes the window's port current, clipped to what of the slider shows, for
// drawing at once outside an update; Ready() is false when nothing shows.
class StSliderDrawing {
public:
    explicit StSliderDrawing(const APane* pane) : StSliderDrawing(pane, pane->GetInterior()) {}
    StSliderDrawing(const APane* pane, const KsRect& area)
        : port_(Port(pane)), saver_(port_ ? port_ : KsGetPort()),
          clip_(ToRect(port_ ? pane->GetVisRect(area) : KsRect{})), clipSaver_(clip_) {}
    bool Ready() const { return port_ && !EmptyRect(&clip_); }

private:
    static GrafPtr Port(const APane* pane) {
        AWindow* w = pane->GetEnclWindow();
        if (!w || !w->GetWindowPtr() || !w->IsVisible() || !pane->IsVisible()) return nullptr;
        return GrafPtr(GetWindowPort(w->GetWindowPtr()));
    }
    GrafPtr port_;
    StPortSaver saver_;
    Rect clip_;
    StClipSaver clipSaver_;
};

// Removes the track hook for a scope and puts it back however the scope ends.
class StNoTrackHook {
public:
    explicit StNoTrackHook(ASlider* s) : slider_(s), hook_(s->GetTrackHook()) {
        s->SetTrackHook(nullptr);
    }
    ~StNoTrackHook() { slider_->SetTrackHook(hook_); }
    StNoTrackHook(const StNoTrackHook&) = delete;
    StNoTrackHook& operator=(const StNoTrackHook&) = delete;

private:
    ASlider* slider_;
    ASliderTrackProc hook_;
};

// Registers a thin slider class (AThinSlider or one of its subclasses): its
// factories and the property functions of every class it derives from.
void RegisterThinSliderClass(OSType id, const char* name, APortable* (*make)(),
                             APane* (*makePane)());
