// TimecodeDlg: the smallest dialog, one timecode field with OK and Cancel.
// StdTimecodeDialog asks for a timecode with it.
#pragma once

#include "DialogWindow.h"

class TimecodeDlg : public DialogWindow {
    KS_DECLARE_CLASS(TimecodeDlg, DialogWindow)

    static constexpr short kWidth = 175;
    static constexpr short kHeight = 100;

    // A modal dialog with that title, its panes added.
    static TimecodeDlg* New(const char* title);

    TimecodeDlg() = default;

    void DialogDesignInit() override;
};

// Shows a TimecodeDlg titled `title` with the field labelled `label` and
// holding *tc; on OK the field's value goes back into *tc. Answers whether
// OK ended the dialog.
bool StdTimecodeDialog(const char* title, timecode_t* tc, const char* label);
