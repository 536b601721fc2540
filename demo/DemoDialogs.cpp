#include "DemoDialogs.h"

#include "ABartender.h"
#include "ATCEntry.h"
#include "AWindow.h"
#include "DialogWindow.h"
#include "Stx.h"
#include "TimecodeDlg.h"
#include "Windows.h"

#include <memory>

namespace {

enum : long { kNickClipSettings = 2700, kNickGoToTimecode = 2701 };
constexpr SInt16 S = kPaneDontCare;

// What Clip Settings shows; kept for the life of the program.
struct ClipSettings {
    bool loop = false;
    bool mute = false;
    long fit = 1; // 1 fit, 2 fill, 3 stretch: the radio buttons' numbers
    long rate = 2;
    long gain = 0;
    double speed = 100.0;
    timecode_t start = TCMake(kTCRate30, 0);
};
ClipSettings gSettings;

struct DialogCloser {
    void operator()(DialogWindow* d) const {
        if (d && KsIsLiveWindow(d)) d->Dispose();
    }
};

// A radio group of three in its own enclosure; the builder numbers them 1
// to 3, the first radio buttons of the dialog.
void AddFitGroup(DialogWindow* d) {
    APane* group = d->AddPane("FitGroup", 20, S, 150, 70, S, 64);
    group->SetInheritsBkgd(true, 0);
    static const char* const names[] = {"Fit", "Fill", "Stretch"};
    for (SInt16 i = 0; i < 3; ++i)
        d->AddMacRadioButton(nullptr, stx(names[i]), 0, S, 140, SInt16(2 + 20 * i), S, 18,
                             "FitGroup");
}

DialogWindow* NewClipSettingsDialog() {
    auto* d = DialogWindow::New(stx("Clip Settings"), true, 360, 200, false);
    d->AddMacCheckBox("Loop", stx("Loop playback"), 20, S, 150, 15, S, 18);
    d->AddMacCheckBox("Mute", stx("Mute audio"), 20, S, 150, 38, S, 18);
    AddFitGroup(d);
    d->AddOSPopupMenu("Rate", stx("Rate:"), 190, S, 150, 15, S, 20);
    d->AppendItemsToPopup("Rate", "24", "25", "30", "60");
    d->AddIntEntry("Gain", stx("Gain (dB):"), 260, S, 80, 50, S, 18, 0);
    d->SetLimits("Gain", -60, 12, false, false);
    d->AddFloatEntry("Speed", stx("Speed (%):"), 260, S, 80, 76, S, 18, 100.0);
    d->SetLimits("Speed", 1, 400, false, false);
    d->AddTCEntry("Start", stx("Start:"), 250, S, 90, 102, S, 18);
    d->AddStdButtons(2);
    d->AddStdButDivider();
    d->AddDefaultButIndic();
    d->SetBoolVal("Loop", gSettings.loop);
    d->SetBoolVal("Mute", gSettings.mute);
    d->SetRBgroupVal("FitGroup", gSettings.fit);
    d->SetLongVal("Rate", gSettings.rate);
    d->SetLongVal("Gain", gSettings.gain);
    d->SetFloatVal("Speed", gSettings.speed);
    d->SetTCVal("Start", gSettings.start);
    return d;
}

void ShowClipSettings() {
    std::unique_ptr<DialogWindow, DialogCloser> d(NewClipSettingsDialog());
    if (!d->Run(nullptr, 0)) return;
    gSettings.loop = d->GetBoolVal("Loop");
    gSettings.mute = d->GetBoolVal("Mute");
    gSettings.fit = d->GetRBgroupVal("FitGroup");
    gSettings.rate = d->GetLongVal("Rate");
    gSettings.gain = d->GetLongVal("Gain");
    gSettings.speed = d->GetFloatVal("Speed");
    gSettings.start = d->GetTCVal("Start");
}

// The front window's timecode field when it is a viewer's (it has a position
// bar); null when there is none.
ATCEntry* FrontViewerTimecode() {
    for (WindowPtr w = FrontWindow(); w; w = GetNextWindow(w)) {
        AWindow* win = GetWindowObj(w);
        if (!win || !KsIsLiveWindow(win) || !win->FindPaneByID("posbar")) continue;
        APane* tc = win->FindPaneByID("timecode");
        if (tc && tc->IsInstanceOf("ATCEntry")) return static_cast<ATCEntry*>(tc);
    }
    return nullptr;
}

void GoToTimecode() {
    ATCEntry* field = FrontViewerTimecode();
    timecode_t tc = field ? field->GetTC() : TCMake(kTCRate30, 0);
    if (!StdTimecodeDialog(stx("Go to Timecode"), &tc, stx("Position:"))) return;
    field = FrontViewerTimecode(); // the dialog ran events: look again
    if (!field) return;
    // Committed as if typed, so the viewer follows as it does for typing.
    field->SetTC(tc);
    field->TextToValue(true, true);
}

} // namespace

void AppendDialogItems(MenuHandle menu) {
    gBartender->AppendSeparator(menu);
    gBartender->AppendMenuItem(menu, kNickClipSettings, stx("Clip &Settings..."), 0, 0, 0);
    gBartender->AppendMenuItem(menu, kNickGoToTimecode, stx("&Go to Timecode..."), 'G', 0, 0);
}

void EnableDialogItems() {
    gBartender->MacEnableMenuItem(kNickClipSettings);
    gBartender->MacEnableMenuItem(kNickGoToTimecode);
}

bool HandleDialogItems(long nick) {
    if (nick == kNickClipSettings) {
        ShowClipSettings();
        return true;
    }
    if (nick == kNickGoToTimecode) {
        GoToTimecode();
        return true;
    }
    return false;
}
