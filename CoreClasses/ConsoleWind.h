// ConsoleWind: the window that holds one console, with or without a command
// line. Closing it never asks to save; disposing it leaves no active console
// behind and closes the console's log file.
#pragma once

#include "AWindow.h"

class ConsolePane;

class ConsoleWind : public AWindow {
    KS_DECLARE_CLASS(ConsoleWind, AWindow)

    // The zoomed width is at most this.
    static constexpr long kZoomMaxWidth = 640;

    static ConsoleWind* New(bool withInput);

    ConsoleWind() = default;

    void Dispose() override;
    bool Activate(void* data, EventRecord* ev, long a, long b) override;
    bool Deactivate(void* data, EventRecord* ev, long a, long b) override;
    bool Close(void* data, EventRecord* ev, long a, long b) override;
    void GetZoomMaxes(long* w, long* h) override;

    virtual void IConsoleWind(bool withInput);
    // Takes over the current text (and the active console's role) from the
    // pane it replaces, which goes.
    virtual void InstallConsolePane(ConsolePane* conPane);

    ConsolePane* GetConsolePane() const { return iConsolePane; }
    void SetCmdPeriodEnable(bool on);

private:
    ConsolePane* iConsolePane = nullptr; // owned through the pane tree
};
