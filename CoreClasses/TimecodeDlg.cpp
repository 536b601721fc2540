#include "TimecodeDlg.h"

#include "Stx.h"

TimecodeDlg* TimecodeDlg::New(const char* title) {
    auto* d = new TimecodeDlg;
    d->IDialogWindow(title, true, kWidth, kHeight, false);
    d->DialogDesignInit();
    return d;
}

void TimecodeDlg::DialogDesignInit() {
    constexpr SInt16 S = kPaneDontCare;
    SetContentSize(kWidth, kHeight);
    AddTCEntry("TCEntry", stx("Duration://Timecode Entry Prompt"), 38, S, 104, 25, S, 17);
    AddStdButtons(2);
    AddStdButDivider();
    AddEdgePanes(4, nullptr);
}

bool StdTimecodeDialog(const char* title, timecode_t* tc, const char* label) {
    TimecodeDlg* d = TimecodeDlg::New(title);
    d->SetWinHelpTopic("IDH_TCDuration");
    d->SetTextVal("TCEntry", label);
    if (tc) d->SetTCVal("TCEntry", *tc);
    const bool ok = d->Run(nullptr, 0);
    if (ok && tc) *tc = d->GetTCVal("TCEntry");
    d->Dispose();
    return ok;
}
