#include "KsPortSavers.h"

#include "KsFatal.h"
#include "KsPortPrivate.h"
#include "KsRgn.h"
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
    if (gSpareUsed > 0 && gSpareClips[gSpareUsed - 1] == rgn) {
        --gSpareUsed;
        return;
    }
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
    // The header answers for a rectangle inside 16 bits (its box is clamped
    // to them); a wider one, the wide-open clip say, is copied whole.
    if (KsRgnIsRect(port_->clipRgn)) {
        const Rect b = KsRgnBounds(port_->clipRgn);
        if (b.left > -32768 && b.top > -32768 && b.right < 32767 && b.bottom < 32767) {
            rect_ = ToKsRect(b);
            isRect_ = true;
            return;
        }
    }
    CopyRgn(port_->clipRgn, clip_);
    filled_ = true;
}

StClipSaver::StClipSaver(const Rect& r) : StClipSaver() {
    if (port_) ClipRect(&r);
}

StClipSaver::~StClipSaver() {
    if (!port_) return;
    if (isRect_) {
        // Most drawing leaves the clip as it found it.
        if (!KsRgnIsRect(port_->clipRgn) || ToKsRect(KsRgnBounds(port_->clipRgn)) != rect_) {
            KsRgnRef(port_->clipRgn).SetRect(rect_);
            KsRgnSync(port_->clipRgn);
        }
    } else {
        CopyRgn(clip_, port_->clipRgn);
    }
    GiveClip(clip_);
}

RgnHandle StClipSaver::Saved() const {
    if (!filled_ && clip_) {
        KsRgnRef(clip_).SetRect(rect_);
        KsRgnSync(clip_);
        filled_ = true;
    }
    return clip_;
}

namespace {
// One list of each saver's fields, read from the port and written back.
template <class To, class From> void CopyPenAndColors(To& to, const From& from) {
    to.pnLoc = from.pnLoc;
    to.pnSize = from.pnSize;
    to.pnMode = from.pnMode;
    to.pnVis = from.pnVis;
    to.pnPat = from.pnPat;
    to.bkPat = from.bkPat;
    to.fillPat = from.fillPat;
    to.pnPixPat = from.pnPixPat;
    to.bkPixPat = from.bkPixPat;
    to.fillPixPat = from.fillPixPat;
    to.rgbFgColor = from.rgbFgColor;
    to.rgbBkColor = from.rgbBkColor;
    to.hiliteColor = from.hiliteColor;
}

template <class To, class From> void CopyTextState(To& to, const From& from) {
    to.txFont = from.txFont;
    to.txSize = from.txSize;
    to.txMode = from.txMode;
    to.txFace = from.txFace;
}
} // namespace

StColorPenSaver::StColorPenSaver() : port_(KsGetPort()) {
    if (port_) CopyPenAndColors(saved_, *port_);
}

StColorPenSaver::~StColorPenSaver() {
    if (port_) CopyPenAndColors(*port_, saved_);
}

StTextStateSaver::StTextStateSaver() : port_(KsGetPort()) {
    if (port_) CopyTextState(saved_, *port_);
}

StTextStateSaver::~StTextStateSaver() {
    if (port_) CopyTextState(*port_, saved_);
}

GrafPtr KsMeasuringPort() {
    static GrafPtr port = KsNewPort(1, 1);
    return port;
}

StTextIn::StTextIn(SInt16 font, SInt16 size, SInt16 face)
    : port_(KsGetPort() ? KsGetPort() : KsMeasuringPort()) {
    TextFont(font);
    TextSize(size);
    TextFace(Style(face));
}
