// The headless back end: the desktop in memory, screens of any size side by
// side, and input from a script of timed entries. With the virtual clock,
// waiting for input jumps straight to the next scripted entry.
#pragma once

#include "KsBackend.h"

#include <cstddef>
#include <initializer_list>
#include <string>
#include <vector>

struct KsScreenSize {
    SInt32 width;
    SInt32 height;
};

class KsHeadlessBackend final : public KsBackend {
public:
    // One screen of width x height.
    explicit KsHeadlessBackend(SInt32 width = 1280, SInt32 height = 800);
    ~KsHeadlessBackend() override;

    // Replaces the screens: laid left to right from (0, 0), tops aligned.
    // Sizes below 1 pixel become 1. The presented pixels are cleared.
    void SetScreens(std::initializer_list<KsScreenSize> sizes);

    // The script. `at` is an absolute tick count (KsGetTicks); an entry is fed
    // by the first pump at or after it. Entries at equal times keep their order.
    void ScriptMove(long at, SInt32 h, SInt32 v);
    void ScriptPress(long at, SInt32 h, SInt32 v, KsMouseButton button = KsMouseButton::left);
    void ScriptRelease(long at, SInt32 h, SInt32 v, KsMouseButton button = KsMouseButton::left);
    void ScriptKeyDown(long at, UInt8 keyCode);
    void ScriptKeyUp(long at, UInt8 keyCode);
    void ScriptText(long at, const char* utf8);
    // An input method's pre-edit text with its caret and selection in
    // characters; an empty text ends the composition (its commit, if any, is
    // a ScriptText).
    void ScriptComposition(long at, const char* utf8, SInt32 caret, SInt32 selected = 0);
    void ScriptFocus(long at, bool in);
    void ScriptQuit(long at);
    // The mouse moves to (h, v) and the wheel turns by (x, y) notches
    // (fractions as a touchpad gives them; positive right and away).
    void ScriptWheel(long at, SInt32 h, SInt32 v, float x, float y);
    // The screens change (as a user resizing, maximising or leaving full
    // screen on a real display): at `at` they become `sizes`, laid out as by
    // SetScreens, and the event sink hears of it.
    void ScriptScreens(long at, std::initializer_list<KsScreenSize> sizes);
    // The keyboard layout the back end reports (KeyboardLocale): now, or
    // from `at` on, as a user switching layouts.
    void SetKeyboardLocale(UInt16 locale) { locale_ = locale; }
    void ScriptKeyboardLocale(long at, UInt16 locale);
    std::size_t ScriptPending() const { return script_.size(); }

    // What has been presented, at the desktop's size.
    pixman_image_t* Framebuffer() const { return framebuffer_; }
    // The presented pixel (0x00RRGGBB) at a desktop point; 0 outside.
    UInt32 PixelAt(SInt32 h, SInt32 v) const;
    // Writes the presented desktop, or the part of it in `area`, as PNG.
    // Answers noErr, paramErr (no path, or an area outside the desktop) or ioErr.
    OSErr WritePNG(const char* path, const KsRect* area = nullptr) const;

    // What the application asked of the system, for tests.
    int BeepCount() const { return beeps_; }
    int PresentCount() const { return presents_; }
    const std::string& Title() const { return title_; }
    KsStandardCursor StandardCursor() const { return standardCursor_; }
    bool HasCustomCursor() const { return customCursor_; }
    const KsCursorImage& CursorImage() const { return cursor_; }
    const KsRect& TextInputRect() const { return textInputRect_; }
    // How many waits for input have been asked of the back end.
    long WaitCount() const { return waits_; }

    // KsBackend
    const char* Name() const override { return "headless"; }
    int ScreenCount() const override { return int(screens_.size()); }
    KsRect ScreenBounds(int index) const override;
    void Present(pixman_image_t* desktop, const KsRgn& damage) override;
    void Pump() override;
    void WaitForInput(long milliseconds) override;
    void WaitForInputOrFd(long milliseconds, int fd) override;
    std::string GetClipboardText() override { return clipboard_; }
    void SetClipboardText(const std::string& utf8) override { clipboard_ = utf8; }
    void SetTextInputRect(const KsRect& caret) override { textInputRect_ = caret; }
    UInt16 KeyboardLocale() const override { return locale_; }
    void SetCursor(const KsCursorImage& cursor) override;
    void SetStandardCursor(KsStandardCursor kind) override;
    void Beep(int) override { ++beeps_; }
    void SetTitle(const char* utf8) override { title_ = utf8 ? utf8 : ""; }

private:
    struct Entry {
        long at;
        KsInput input;
        std::string text;
        std::vector<KsScreenSize> screens;
        UInt16 locale = 0; // a layout switch, not input, when set
    };
    void Add(long at, const KsInput& input, const char* text = nullptr);
    void MakeFramebuffer();
    void LayOut(const KsScreenSize* sizes, std::size_t count);

    std::vector<KsRect> screens_;
    std::vector<Entry> script_; // sorted by time
    pixman_image_t* framebuffer_ = nullptr;
    std::string clipboard_;
    std::string title_;
    KsCursorImage cursor_{};
    KsRect textInputRect_{};
    long waits_ = 0;
    KsStandardCursor standardCursor_ = KsStandardCursor::arrow;
    bool customCursor_ = false;
    UInt16 locale_ = 0x0409;
    int beeps_ = 0;
    int presents_ = 0;
};
