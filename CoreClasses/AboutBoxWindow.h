// AboutBoxWindow: the application's About window (the Apple menu's About
// item). One is made on first use and shown again on every later use, so
// closing it only hides it.
#pragma once

#include "AWindow.h"

class AboutBoxWindow : public AWindow {
    KS_DECLARE_CLASS(AboutBoxWindow, AWindow)

    // The resource ID of the application icon the window shows.
    static constexpr SInt16 kAppIconID = 128;
    static constexpr SInt16 kWidth = 260;
    static constexpr SInt16 kHeight = 200;

    virtual void IAboutBoxWindow();

    // The author line; the application passes its author name here.
    void SetAuthorName(const char* name);
    const char* GetAuthorName() const { return authorName; }

    bool Click(void* data, EventRecord* ev, long a, long b) override;
    bool Deactivate(void* data, EventRecord* ev, long a, long b) override;
    void SelectAndShow() override;

private:
    char authorName[32] = {};
};
