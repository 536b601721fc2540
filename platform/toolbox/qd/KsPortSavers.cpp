#include "KsPortSavers.h"

#include "KsFatal.h"
#include "XError.h"

// Every field saved here is plain state of the port record (nothing depends
// on it), so the savers read and write the record of the port they were made
// in, whichever port is current when they end.

namespace {
// Clip copies for savers that nest (a tracker, an open menu, the bar, a
// pane inside a pane); beyond these a saver makes its own region.
constexpr int kSpareClips = 16;
RgnHandle gSpareClips[kSpareClips] = {};
int gSpareUsed = 0;

RgnHandle TakeClip() {
    if (gSpareUsed >= kSpareClips) return NewRgn();
    RgnHandle& r = gSpareClips[gSpareUsed];
    if (!r) r = NewRgn();
    if (r) ++gSpareUsed;
    return r;
}

// Savers live on the stack, so spares come back in the order they went.
void GiveClip(RgnHandle rgn) {
    for (int i = 0; i < gSpareUsed; ++i)
        if (gSpareClips[i] == rgn) {
            if (i != gSpareUsed - 1) FtlAbortm("StClipSaver ended out of order");
            --gSpareUsed;
            return;
        }
    DisposeRgn(rgn);
}
} // namespace

StClipSaver::StClipSaver() : port_(KsGetPort()) {
    if (!port_) return;
    clip_ = TakeClip();
    if (!clip_) xraisexerror("SYS_ERROR", "short OSErr", memFullErr);
    CopyRgn(port_->clipRgn, clip_);
}

StClipSaver::StClipSaver(const Rect& r) : StClipSaver() {
    if (port_) ClipRect(&r);
}

StClipSaver::~StClipSaver() {
    if (!port_) return;
    CopyRgn(clip_, port_->clipRgn);
    GiveClip(clip_);
}

StColorPenSaver::StColorPenSaver() : port_(KsGetPort()) {
    if (!port_) return;
    const GrafPort& p = *port_;
    pnLoc_ = p.pnLoc;
    pnSize_ = p.pnSize;
    pnMode_ = p.pnMode;
    pnVis_ = p.pnVis;
    pnPat_ = p.pnPat;
    bkPat_ = p.bkPat;
    fillPat_ = p.fillPat;
    pnPixPat_ = p.pnPixPat;
    bkPixPat_ = p.bkPixPat;
    fillPixPat_ = p.fillPixPat;
    fore_ = p.rgbFgColor;
    back_ = p.rgbBkColor;
    hilite_ = p.hiliteColor;
}

StColorPenSaver::~StColorPenSaver() {
    if (!port_) return;
    GrafPort& p = *port_;
    p.pnLoc = pnLoc_;
    p.pnSize = pnSize_;
    p.pnMode = pnMode_;
    p.pnVis = pnVis_;
    p.pnPat = pnPat_;
    p.bkPat = bkPat_;
    p.fillPat = fillPat_;
    p.pnPixPat = pnPixPat_;
    p.bkPixPat = bkPixPat_;
    p.fillPixPat = fillPixPat_;
    p.rgbFgColor = fore_;
    p.rgbBkColor = back_;
    p.hiliteColor = hilite_;
}

StTextStateSaver::StTextStateSaver() : port_(KsGetPort()) {
    if (!port_) return;
    font_ = port_->txFont;
    size_ = port_->txSize;
    mode_ = port_->txMode;
    face_ = port_->txFace;
}

StTextStateSaver::~StTextStateSaver() {
    if (!port_) return;
    port_->txFont = font_;
    port_->txSize = size_;
    port_->txMode = mode_;
    port_->txFace = face_;
}
