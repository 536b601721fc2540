// The layout window, built in code: a row of three divisions (bin, inspector,
// viewer) whose dividers the user drags; the bin is a media bin table whose
// selected clip the inspector window shows; the inspector is a column of a
// twist pane section and a settings book whose pages are switched by their
// tabs or by page up and page down.
#include "DemoLayout.h"
#include "DemoBin.h"
#include "DemoInspector.h"
#include "DemoMediaBin.h"

#include "ABasicButtons.h"
#include "ADividedPane.h"
#include "APaneBook.h"
#include "AWindow.h"
#include "KsDrawUtils.h"
#include "KsPortSavers.h"
#include "QuickDraw.h"
#include "TwistPane.h"
#include "Windows.h"

#include <cstdio>

namespace {

constexpr SInt16 S = kPaneDontCare;
constexpr short kWidth = 760, kHeight = 440;
constexpr long kBinClips = 2000;

// Colour bars, the viewer's stand-in for a picture.
void DrawViewer(APane* pane, const KsRect*, void*) {
    static const KsRGBColor bars[] = {RGBgray12,      {0xC000, 0xC000, 0}, {0, 0xC000, 0xC000},
                                      {0, 0xC000, 0}, {0xC000, 0, 0xC000}, {0xC000, 0, 0},
                                      {0, 0, 0xC000}};
    StColorPenSaver pen;
    const KsRect in = pane->GetInterior();
    const SInt32 n = SInt32(sizeof bars / sizeof bars[0]);
    for (SInt32 i = 0; i < n; ++i) {
        const Rect r = ToRect(
            {in.left + in.Width() * i / n, in.top, in.left + in.Width() * (i + 1) / n, in.bottom});
        const RGBColor c = ToRGBColor(bars[i]);
        RGBForeColor(&c);
        PaintRect(&r);
    }
}

void ShowClipCount(SInt32, APane* pane, void*) {
    char text[48];
    std::snprintf(text, sizeof text, "Clips: %zu", TheDemoBin().Clips().size());
    pane->SetText(text);
}

TwistPane* ClipSection(APane* encl) {
    TwistPane* t = TwistPane::New(encl, 4, -4, S, 4, S, 20, RGBgray11, 0);
    t->SetClosedPanesInvisible(true);
    // The section's division keeps its size; the book below it does not move.
    t->SetResizesEnclosure(false);
    t->SetHeiDelta(70);
    t->AddLabelGadStyle("Clip", 18, 2, 1, 10, 1);
    t->AddLabelGadStyle("Reel 001, take 3", 18, 24, 1, 9, 0);
    t->AddLabelGadStyle("In 01:00:00:00", 18, 40, 1, 9, 0);
    t->AddLEDGad("online", 18, 58, 10, RGBenablePurple);
    t->AddLabelGadStyle("Online", 34, 56, 1, 9, 0);
    // Shown open: the body starts hidden and opening shows it.
    t->OpenClose();
    return t;
}

APaneBook* SettingsBook(APane* encl) {
    APaneBook* book = APaneBook::New(encl, 4, -4, S, 4, -4, S, RGBgray12, false, true);
    const char* pages[] = {"General", "Video", "Audio"};
    for (SInt32 i = 0; i < 3; ++i) {
        book->NewPage(pages[i], -1, i, APaneBookPage::kNoSize, APaneBookPage::kNoSize);
        book->AddLabelGad(i, pages[i], nullptr, 8, 8);
    }
    book->SetCurPage(book->GetPage(1));
    book->AddLabelGad(10, "Clips:", ShowClipCount, 8, 28);
    book->SetCurPage(book->GetPage(2));
    book->AddLabelGad(11, "Frame rate 25 fps", nullptr, 8, 28);
    book->AddLabelGad(12, "Size 1920 x 1080", nullptr, 8, 44);
    book->SetCurPage(book->GetPage(3));
    book->AddEnableGad(13, nullptr, nullptr);
    book->AddLabelGad(14, "48 kHz, 2 channels", nullptr, 8, 28);
    book->UpdateValues(5, nullptr);
    return book;
}

class LayoutWindow : public BinWatchingWindow {
public:
    // The bin's table takes page up and page down for itself; after a click
    // in the settings book they switch its pages instead.
    bool Click(void* data, EventRecord* ev, long a, long b) override {
        if (ev && book && GetWindowPtr()) {
            SetPortWindowPort(GetWindowPtr());
            Point local = ev->where;
            GlobalToLocal(&local);
            keysToBook = book->GetFrame().Contains(KsPoint{local.h, local.v});
        }
        return BinWatchingWindow::Click(data, ev, a, b);
    }
    bool KeyDown(void* data, EventRecord* ev, long charCode, long keyCode) override {
        if (keysToBook && book &&
            (keyCode == APaneBook::kPageUpKey || keyCode == APaneBook::kPageDownKey))
            return book->DoKeyDown(SInt16(charCode), SInt16(keyCode), ev, data);
        return BinWatchingWindow::KeyDown(data, ev, charCode, keyCode);
    }

    void Build() {
        IWindow("Layout", nullptr, WindowPtr(-1), 1, 1, 1, 0, 0, 0);
        ::MoveWindow(GetWindowPtr(), 40, 60, false);
        ::SizeWindow(GetWindowPtr(), kWidth, kHeight, false);
        Resize(nullptr, nullptr, 0, 0);
        SetPortWindowPort(GetWindowPtr());
        CreateMainPane();
        APane* main = GetMainPane();
        main->SetBkndColor(RGBgray9);
        auto* row = ADividedPaneV::New(main, 0, 0, S, 0, -16, S, RGBgray9, 0);
        APane* bin = APane::New(row, 0, S, 10, 0, S, 10, RGBwhite, 1);
        bin->SetPaneID("bin");
        watch.Watch(AddMediaBinTable(bin, kBinClips), InspectBinClip);
        auto* inspector = ADividedPaneH::New(row, 0, S, 10, 0, S, 10, RGBgray11, 0);
        inspector->SetPaneID("inspector");
        APane* viewer = APane::New(row, 0, S, 10, 0, S, 10, RGBblack, 1);
        viewer->SetDrawProc(DrawViewer);
        viewer->SetPaneID("viewer");
        row->InstallPane(bin, 120, 2000, true);
        row->InstallPane(inspector, 200, 2000, false);
        row->InstallPane(viewer, 160, 2000, true);
        APane* top = APane::New(inspector, 0, S, 10, 0, S, 10, RGBgray11, 0);
        APane* bottom = APane::New(inspector, 0, S, 10, 0, S, 10, RGBgray11, 0);
        inspector->InstallPane(top, 60, 2000, true);
        inspector->InstallPane(bottom, 120, 2000, true);
        ClipSection(top);
        book = SettingsBook(bottom);
        row->SetDividerPos(0, 200);
        AddGrowBoxPane();
        ShowWindow(GetWindowPtr());
        SelectWindow(GetWindowPtr());
    }

private:
    APaneBook* book = nullptr; // a sub-pane: goes with the window
    bool keysToBook = false;
};

} // namespace

AWindow* OpenLayoutWindow() {
    auto* w = new LayoutWindow;
    w->Build();
    return w;
}
