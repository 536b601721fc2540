// The panes of a window's frame: the shaded top and bottom edges and the grow
// box.
#include "AGrowBoxPane.h"
#include "APane.h"
#include "AWindow.h"
#include "KsDrawUtils.h"
#include "KsPortSavers.h"

namespace {
constexpr SInt16 S = kPaneDontCare;
constexpr double kFadeRange = 30.0;

// Rows of the pane's interior in its background colour, the intensity
// starting at `first` percent and falling by range / height each row.
void PaintEdgeFade(APane* pane, double first) {
    const KsRect r = pane->GetInterior();
    if (r.Width() <= 0 || r.Height() <= 0) return;
    KsRGBColor bk = RGBgray8;
    pane->GetBkgdInfo(nullptr, nullptr, nullptr, &bk);
    const double d = kFadeRange / r.Height();
    double intensity = first < 0 ? 100.0 - d : first;
    StColorPenSaver saver;
    const RGBColor white = ToRGBColor(RGBwhite);
    RGBBackColor(&white);
    for (SInt32 y = r.top; y < r.bottom; ++y) {
        const RGBColor c = ToRGBColor(ScaleRGBIntensity(bk, SInt32(intensity), 100));
        RGBForeColor(&c);
        MoveTo(SInt16(r.left), SInt16(y));
        LineTo(SInt16(r.right - 1), SInt16(y));
        intensity -= d;
    }
}
} // namespace

void topEdgeDraw_AWIN(APane* pane, const KsRect*, void*) {
    if (pane) PaintEdgeFade(pane, 100.0 + kFadeRange);
}

void botEdgeDraw_AWIN(APane* pane, const KsRect*, void*) {
    if (pane) PaintEdgeFade(pane, -1.0); // just under 100 %, down to 70 %
}

void AWindow::AddEdgePanes(short height, APane* encl) {
    if (!encl) encl = mainPane;
    if (!encl) return;
    struct Edge {
        const char* id;
        SInt16 coords[6];
        APaneDrawProc proc;
    } edges[] = {
        {"TopEdge", {0, 0, S, 0, S, height}, topEdgeDraw_AWIN},
        {"BotEdge", {0, 0, S, S, 0, height}, botEdgeDraw_AWIN},
    };
    for (const Edge& e : edges) {
        const SInt16* c = e.coords;
        APane* p = APane::New(encl, c[0], c[1], c[2], c[3], c[4], c[5], RGBgray8, 0);
        p->SetDrawProc(e.proc);
        p->SetInheritsBkgd(true, 0);
        p->SetPaneID(e.id);
    }
}

void AWindow::AddGrowBoxPane() {
    AddGrowBoxPane(16, RGBgray5);
}

void AWindow::AddGrowBoxPane(short size, KsRGBColor color) {
    if (!mainPane) return;
    auto* p = new AGrowBoxPane;
    try {
        p->IGrowBoxPane(mainPane, true, size);
    } catch (...) {
        p->Dispose();
        throw;
    }
    p->SetGrowsWindow(true);
    p->SetBkndColor(color);
    p->SetPaneID("GrowBox");
    growBoxPane = p;
}

void AWindow::GetGrowBoxRect(KsRect* r) {
    if (growBoxPane && r) *r = growBoxPane->GetFrame();
}
