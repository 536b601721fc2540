// APane printing: a pane prints through the toolbox's print session, page by
// page, into a PDF file. PrintPane runs the job; subclasses that print more
// than their interior override PrintPrepareTo (page count), PrintPageBody
// (one page) and PrintComplete (their state goes).
//
// Contract of PrintPageBody: the page port is current on entry and on exit;
// its origin is (0, 0) on entry and on exit, the clip is left wide open.
#include "APane.h"
#include "Printing.h"
#include "QuickDraw.h"
#include "XError.h"

#include <algorithm>

namespace {

// A failure kept by the session is shown to the user; skipping the job on
// purpose (a start function answering non-zero, nothing to print) is not.
void RaiseKeptFailure() {
    const XError failure = KsPrLastFailure();
    if (failure.IsError() && !failure.FindCode("BASE_USER_ABORT")) xraisexerror(failure);
}

} // namespace

void APane::PrintPane(const char* jobName, APanePrintStartProc startFn,
                      APanePrintPageProc pageStartFn, APanePrintPageProc pageEndFn) {
    SInt16 headerHeight = 0, footerHeight = 0;
    void* state = nullptr;
    bool prepared = false;
    try {
        const SInt32 started =
            startFn ? startFn(jobName, nullptr, nullptr, &headerHeight, &footerHeight)
                    : SInt32(PrintInit(jobName));
        if (started != 0) {
            // A job the start function opened before it declined leaves no file.
            PrintFini(KsPrintEnd::kDiscard);
            RaiseKeptFailure();
            return;
        }
        KsRect page = ToKsRect(GetPrintPageRect());
        // Heights come from the host: negative ones count as none, and
        // together they can at most use up the page.
        if (pageStartFn && headerHeight > 0)
            page.top = std::min(page.top + headerHeight, page.bottom);
        if (pageEndFn && footerHeight > 0)
            page.bottom = std::max(page.bottom - footerHeight, page.top);
        const SInt32 pageCount = PrintPrepareTo(page, &state);
        prepared = true;
        for (SInt32 p = 1; p <= pageCount; ++p) {
            StartPrintPage();
            if (pageStartFn) pageStartFn(p, pageCount);
            PrintPageBody(p, pageCount, page, state);
            if (pageEndFn) pageEndFn(p, pageCount);
            EndPrintPage();
        }
        prepared = false;
        PrintComplete(state);
        // Without a page there is nothing to write.
        PrintFini(pageCount > 0 ? KsPrintEnd::kComplete : KsPrintEnd::kDiscard);
    } catch (...) {
        // The pane's state goes and the job ends also when a page fails; a
        // second failure while cleaning up must not hide the first one.
        if (prepared) {
            try {
                PrintComplete(state);
            } catch (...) {
            }
        }
        PrintFini(KsPrintEnd::kDiscard);
        throw;
    }
    RaiseKeptFailure();
}

SInt32 APane::PrintPrepareTo(const KsRect&, void** state) {
    if (state) *state = nullptr;
    return 1;
}

void APane::PrintPageBody(SInt32, SInt32, const KsRect& pageRect, void*) {
    GrafPtr port = KsGetPort();
    if (!port) return;
    // The interior's top-left lands on the page rectangle's top-left; what
    // does not fit on the page is cut off.
    const KsRect in = GetInterior();
    const SInt32 dh = in.left - pageRect.left, dv = in.top - pageRect.top;
    const SInt16 oldH = port->portRect.left, oldV = port->portRect.top;
    SetOrigin(SInt16(oldH + dh), SInt16(oldV + dv));
    const KsRect clip = in.Intersect(pageRect.Offsetted(dh, dv));
    try {
        if (!clip.IsEmpty()) DrawInterior(&clip, nullptr);
    } catch (...) {
        SetOrigin(oldH, oldV);
        ClipWideOpen();
        throw;
    }
    SetOrigin(oldH, oldV);
    ClipWideOpen();
    const RGBColor black{0, 0, 0}, white{0xFFFF, 0xFFFF, 0xFFFF};
    RGBForeColor(&black);
    RGBBackColor(&white);
}

void APane::PrintComplete(void*) {}
