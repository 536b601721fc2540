// ASlider drawing: the body, and the thumb drawn once into an offscreen world
// and copied to wherever the value puts it.
//
// DrawInterior runs with the port, clip and colours set up by the update;
// the others draw into the current port, which callers outside an update set
// up with StSliderDrawing. All of them leave the port's state as they found it.
#include "ASlider.h"

#include "ASliderPrivate.h"
#include "KsDrawUtils.h"
#include "QuickDraw.h"

namespace {
void Fill(const KsRect& r, const KsRGBColor& c) {
    const RGBColor rgb = ToRGBColor(c);
    RGBForeColor(&rgb);
    const Rect rr = ToRect(r);
    PaintRect(&rr);
}
} // namespace

void ASlider::DrawInterior(const KsRect*, void*) {
    StColorPenSaver pen;
    DrawBody();
    DrawThumb();
}

void ASlider::DrawBody() {
    StColorPenSaver pen;
    Fill(GetInterior(), GetBkndColor());
}

void ASlider::SetBkndColor(const KsRGBColor& c) {
    ABaseSlider::SetBkndColor(c);
    MakeThumbPM();
}

void ASlider::DrawThumb() {
    if (!enabled) return;
    KsRect r{};
    FindThumbRect(&r, value);
    if (!thumbPM || thumbRect.IsEmpty()) MakeThumbPM();
    if (thumbPM && !r.IsEmpty()) {
        GrafPtr port = KsGetPort();
        StClipSaver clip;
        // Clipped to the thumb inside whatever clip the caller set.
        const KsRect c = r.Intersect(ToKsRect((*clip.Saved())->rgnBBox));
        const Rect cr = ToRect(c);
        ClipRect(&cr);
        const Rect src = ToRect(thumbRect), dst = ToRect(r);
        CopyBits(GetPortBitMapForCopyBits(thumbPM), GetPortBitMapForCopyBits(port), &src, &dst,
                 srcCopy, nullptr);
    }
    SetOldValues();
}

void ASlider::RedrawValue() {
    EraseThumb();
    DrawThumb();
}

void ASlider::EraseThumb() {
    KsRect r{};
    FindOldThumbRect(&r);
    r = r.Intersect(GetInterior());
    if (r.IsEmpty()) return;
    StClipSaver clip;
    const KsRect c = r.Intersect(ToKsRect((*clip.Saved())->rgnBBox));
    const Rect cr = ToRect(c);
    ClipRect(&cr);
    DrawBody();
}

void ASlider::MakeThumbPM() {
    SetThumbRect();
    if (thumbRect.IsEmpty()) return;
    const Rect bounds = ToRect(thumbRect);
    if (thumbPM && !EqualRect(&thumbPM->portRect, &bounds)) DisposePMs();
    if (!thumbPM && NewGWorld(&thumbPM, 32, &bounds, nullptr, nullptr, 0) != noErr) {
        thumbPM = nullptr;
        return;
    }
    StGWorldSaver saved;
    SetGWorld(thumbPM, nullptr);
    StColorPenSaver pen;
    MakeThumbPMDetail(thumbRect);
}

void ASlider::MakeThumbPMDetail(const KsRect& r) {
    KsRect frame = r;
    const KsRGBColor colors[2] = {thumbColor, GetBkndColor()};
    StockBorderProc(&frame, 3, colors, true, 0);
    Fill(r.Insetted(2, 2), thumbColor);
}

void ASlider::DisposePMs() {
    DisposeGWorld(thumbPM);
    thumbPM = nullptr;
}
