// The native back end: what the toolbox layer needs from the system that shows
// the desktop and delivers input. Two exist: headless (memory, scripted input;
// the default for tests) and sdl (one native window).
//
// A back end shows a desktop pixel surface that the window layer draws into,
// presenting only damaged areas; it turns native input into KsInput records
// and hands them up to the event sink (KsDeliverInput); it keeps the
// clipboard, the cursor, the screens, the beep and the window title. All
// calls are made on the main thread. Nothing here knows the layers above:
// they come down through this interface and input goes up through the sink.
#pragma once

#include "KsGeometry.h"
#include "KsMacTypes.h"

#include <memory>
#include <string>

class KsRgn;
union pixman_image;
using pixman_image_t = union pixman_image;

// ---------------------------------------------------------------------------
// Input as back ends deliver it

enum class KsMouseButton : UInt8 { left, right };

struct KsInput {
    enum class Kind : UInt8 {
        mouseMove, // to (h, v)
        mouseDown, // button at (h, v)
        mouseUp,
        keyDown,  // keyCode, and charCode when hasChar (else from the layout)
        keyUp,    // keyCode
        text,     // UTF-8 `text`: typed, or committed by an input method
        focusIn,  // the application comes to the front: resume
        focusOut, // another one does: suspend
        quit,     // the user asked to quit
        screens,  // the screens changed size or number: ask ScreenBounds again
        wheel,    // wheelX, wheelY at the mouse's place

        // An input method's pre-edit `text` (empty: it ended), with the caret
        // and the characters it selects in `start` and `length`.
        composition,
    };
    Kind kind = Kind::mouseMove;
    KsMouseButton button = KsMouseButton::left;
    SInt32 h = 0, v = 0; // global desktop coordinates
    UInt8 keyCode = 0;   // virtual key code
    UInt8 charCode = 0;  // Mac OS Roman
    bool hasChar = false;
    const char* text = nullptr; // for Kind::text and composition, NUL-terminated
    SInt32 start = 0;           // composition: the caret, in characters
    SInt32 length = 0;          // composition: characters the input method selects
    // Kind::wheel: notches, fractions from touchpads; positive to the right
    // and away from the user.
    float wheelX = 0;
    float wheelY = 0;
};

// Where back-end input goes: the event manager installs itself as the sink.
class KsEventSink {
public:
    // One input: updates the mouse, button, key map and modifier state and
    // queues the events it stands for.
    virtual void Input(const KsInput& input) = 0;
    // Pumps the back end in use into the sink and presents the desktop; the
    // core's pump hook calls it.
    virtual void PumpAndPresent() = 0;

protected:
    ~KsEventSink() = default;
};
// Installs the sink (null removes it) and answers the previous one.
KsEventSink* KsSetEventSink(KsEventSink* sink);
// Hands one input to the sink; without one the input is dropped.
void KsDeliverInput(const KsInput& input);

// ---------------------------------------------------------------------------
// Cursors

enum class KsStandardCursor : UInt8 { arrow, iBeam, cross, plus, watch, hand, hidden };

// A 16x16 one-bit cursor: bit 15 of row[0] is the top-left pixel. Pixels set
// in `data` are black, pixels set only in `mask` white, others transparent.
struct KsCursorImage {
    UInt16 data[16];
    UInt16 mask[16];
    Point hotSpot; // v, h
};

// ---------------------------------------------------------------------------
// The interface

class KsBackend {
public:
    KsBackend() = default;
    KsBackend(const KsBackend&) = delete;
    KsBackend& operator=(const KsBackend&) = delete;
    virtual ~KsBackend();

    virtual const char* Name() const = 0; // "headless" or "sdl"

    // Screens in desktop coordinates, side by side; screen 0 is the main one
    // (it holds the menu bar). There is always at least one.
    virtual int ScreenCount() const = 0;
    virtual KsRect ScreenBounds(int index) const = 0;
    KsRect DesktopBounds() const; // the union of the screens

    // Shows the pixels of `desktop` (device pixels, xRGB, origin at the
    // desktop's top-left) inside `damage`; nothing outside it is copied.
    virtual void Present(pixman_image_t* desktop, const KsRgn& damage) = 0;

    // Delivers every native input that is pending (KsDeliverInput); never
    // blocks.
    virtual void Pump() = 0;
    // Sleeps until input may be pending or `milliseconds` have passed. Under
    // the virtual clock it advances virtual time instead of sleeping.
    virtual void WaitForInput(long milliseconds) = 0;
    // The same, ending early too when `fd` (if not -1) becomes readable. A
    // back end that cannot watch it waits as WaitForInput does.
    virtual void WaitForInputOrFd(long milliseconds, int fd);

    // Clipboard text in UTF-8; empty when there is none.
    virtual std::string GetClipboardText() = 0;
    virtual void SetClipboardText(const std::string& utf8) = 0;

    // Where text is being typed (the caret, desktop coordinates), so that an
    // input method shows its candidates beside it. Back ends without input
    // methods ignore it.
    virtual void SetTextInputRect(const KsRect& caret);
    // The language identifier of the user's keyboard layout (0x0409 US
    // English, 0x040C French, ...); US English when the back end cannot tell.
    virtual UInt16 KeyboardLocale() const;

    virtual void SetCursor(const KsCursorImage& cursor) = 0;
    virtual void SetStandardCursor(KsStandardCursor kind) = 0;

    // Sounds the alert for `ticks` sixtieths of a second (1 to 60).
    virtual void Beep(int ticks) = 0;
    virtual void SetTitle(const char* utf8) = 0;
};

// A headless back end with one screen of the given size (see KsHeadlessBackend.h).
std::unique_ptr<KsBackend> KsNewHeadlessBackend(SInt32 width = 1280, SInt32 height = 800);
// The SDL back end; null when SDL cannot open a video display.
std::unique_ptr<KsBackend> KsNewSDLBackend();

// KS_BACKEND=sdl or headless decides; otherwise sdl when DISPLAY or
// WAYLAND_DISPLAY is set and SDL opens video, else headless. A requested sdl
// that cannot start falls back to headless with a message.
std::unique_ptr<KsBackend> KsBackendChoose();

// The back end in use, made by KsBackendChoose on first use. Installing one
// answers the previous one (the caller then owns it) and makes the event
// sink's PumpAndPresent the core's pump hook.
KsBackend* KsGetBackend();
std::unique_ptr<KsBackend> KsInstallBackend(std::unique_ptr<KsBackend> backend);

// The desktop surface that the pump presents: the window layer registers
// its pixels and the damage it collects (device pixels); the pump presents
// the damage and empties it. Null unregisters.
void KsSetDesktopSurface(pixman_image_t* desktop, KsRgn* damage);
// Presents the registered desktop's damage now (also done by the pump).
void KsPresentDesktop();
