// The mini-help: the framework's tool tip.
//
// One shared, frameless, always-on-top window shows a short text beside the
// pane under the mouse once the mouse has rested there for the delay, and
// hides when the mouse leaves that pane. A tip that follows another shown a
// moment ago comes quickly, as users of every desktop expect.
#pragma once

#include "AWindow.h"
#include "KsGeometry.h"

class APane;

class MiniHelpWindow : public AWindow {
    KS_DECLARE_CLASS(MiniHelpWindow, AWindow)

    // Ticks value meaning "nothing pending" / "no hide to count".
    static constexpr UInt32 kNever = 0x7FFFFFFF;
    // The tip's default background.
    static const KsRGBColor kTipColor;

    virtual void IMiniHelpWindow();

    bool Idle(void* data, EventRecord* ev, long mouseInWindow, long b) override;
    void UpdateColorScheme() override;

    // Arms a request for text over area (global), unless area is the one
    // already requested or shown.
    void Request(const char* text, const KsRect& area);
    void Show(KsPoint mouse);
    void Hide();

    APane* GetTextPane() const { return textPane; }
    const KsRect& GetHoverRect() const { return hoverRect; }
    const KsRect& GetTargetRect() const { return targetRect; }
    void SetAlignment(SInt32 h, SInt32 v);
    SInt32 GetDelay() const { return delay; }
    void SetDelay(SInt32 ticks) { delay = ticks; }
    UInt32 GetRequestTime() const { return requestTime; }
    UInt32 GetLastHideTime() const { return lastHideTime; }

    // The single tip window; null until the first request.
    static MiniHelpWindow* Get();

protected:
    ~MiniHelpWindow() override;

private:
    APane* textPane = nullptr;
    KsRect hoverRect{};
    KsRect targetRect{};
    SInt32 hAlign = 0;
    SInt32 vAlign = 1;
    UInt32 requestTime = kNever;
    UInt32 lastHideTime = kNever;
    SInt32 delay = 0;
};

// Requests text for the pane's frame, placed by its GetMiniHelpAlignment.
// The caller's text is not changed.
void DisplayMiniHelp(const char* text, APane* pane);
// Requests text for an area in the current port's local coordinates; the
// placement keeps the previous request's alignment. point is not used.
void DisplayMiniHelpFromRect(const char* text, KsRect area, KsPoint point);
void HideMiniHelp(bool redraw);
// The pending request shows at the next idle message.
void DisplayMiniHelpNow();
long GetMiniHelpDelay(); // milliseconds
void SetMiniHelpDelay(long ms);
bool GetMiniHelpEnabled();
void SetMiniHelpEnabled(bool on);
void EnableMiniHelpWindow();
