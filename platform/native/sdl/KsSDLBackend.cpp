// The SDL back end: one resizable native window that shows the desktop.
//
// Keys: a key that types a character waits for SDL's text event, which gives
// the character the user's layout and input method produced; the pair becomes
// one key-down. Keys that type nothing (arrows, function keys) and keys
// pressed with Ctrl or Alt go out at once with the character of the US layout,
// so command-key equivalents do not depend on the layout; the text SDL may
// still send for them is dropped.
//
// Input methods: SDL's text-editing events carry the pre-edit text, which
// goes up as a composition; the commit comes as text. The candidate window
// follows the caret the event manager reports (SetTextInputRect).
#include "KsBackend.h"
#include "KsMacRoman.h"
#include "KsNativeKeysPrivate.h"
#include "KsOutput.h"
#include "KsRgn.h"
#include "KsSDLPresenterPrivate.h"
#include "KsSystemDrag.h"
#include "KsTime.h"
#include "KsXdndPrivate.h"

#include <SDL.h>
#include <pixman.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <memory>
#include <vector>

#include <poll.h>

namespace {

// Native key codes in our table are USB HID usages; SDL scancodes are too.
static_assert(SDL_SCANCODE_A == 4 && SDL_SCANCODE_F1 == 58 && SDL_SCANCODE_LCTRL == 224 &&
              SDL_SCANCODE_KP_ENTER == 88);

// More damaged rectangles than this are presented as their bounding box:
// one large copy costs less than many small window-system requests.
constexpr std::size_t kMaxRects = 64;

class KsSDLBackend final : public KsBackend {
public:
    KsSDLBackend() = default;
    ~KsSDLBackend() override;
    bool Open();

    const char* Name() const override { return "sdl"; }
    int ScreenCount() const override { return 1; }
    KsRect ScreenBounds(int index) const override { return index == 0 ? screen_ : KsRect{}; }
    void Present(pixman_image_t* desktop, const KsRgn& damage) override;
    void Pump() override;
    void WaitForInput(long milliseconds) override;
    void WaitForInputOrFd(long milliseconds, int fd) override;
    std::string GetClipboardText() override;
    void SetClipboardText(const std::string& utf8) override;
    void SetTextInputRect(const KsRect& caret) override;
    UInt16 KeyboardLocale() const override;
    void SetCursor(const KsCursorImage& cursor) override;
    void SetStandardCursor(KsStandardCursor kind) override;
    void Beep(int ticks) override;
    void SetTitle(const char* utf8) override;

private:
    void Handle(const SDL_Event& e);
    void HandleKeyDown(const SDL_KeyboardEvent& key);
    void HandleText(const char* text);
    void HandleComposition(const char* text, Sint32 start, Sint32 length);
    void HandleDrop(const SDL_DropEvent& drop);
    void SwitchDrops(bool on);
    void UseCursor(SDL_Cursor* cursor);
    bool OpenAudio();
    void PlayTone(int ticks);

    bool videoStarted_ = false;
    SDL_Window* window_ = nullptr;
    SDL_Cursor* cursor_ = nullptr;
    std::unique_ptr<KsSDLPresenter> presenter_;
    KsRect screen_{};
    int buttonsDown_ = 0;
    bool keyPending_ = false; // a key-down waits for its text
    UInt8 pendingKey_ = 0;
    bool dropText_ = false; // the key-down already went out with its character
    // Audio opens on the first beep; a machine without a device tries once.
    bool audioTried_ = false;
    bool audioStarted_ = false;
    SDL_AudioDeviceID audio_ = 0;
    SDL_AudioSpec audioSpec_{};
    // A drop from another application, gathered from SDL's drop events:
    // they carry no position, so it is delivered where the pointer was.
    std::vector<KsDragItem> dropItems_;
    std::size_t dropBytes_ = 0;
    bool dropRefused_ = false;
    KsPoint pointer_{};
    // On X11 drops come through our own XDND target, with positions.
    std::unique_ptr<KsXdndTarget> xdnd_;
    bool dropsOn_ = false;
    // And drags out go through our XDND source.
    std::unique_ptr<KsXdndSource> xdndOut_;
};

KsSDLBackend::~KsSDLBackend() {
    if (audio_) SDL_CloseAudioDevice(audio_);
    if (audioStarted_) SDL_QuitSubSystem(SDL_INIT_AUDIO);
    if (window_) KsSetDropSwitch(nullptr, nullptr);
    presenter_.reset(); // before its window
    xdnd_.reset();
    if (xdndOut_ && KsGetDragSource() == xdndOut_.get()) KsSetDragSource(nullptr);
    xdndOut_.reset();
    if (cursor_) SDL_FreeCursor(cursor_);
    if (window_) SDL_DestroyWindow(window_);
    if (videoStarted_) SDL_QuitSubSystem(SDL_INIT_VIDEO);
    // With nothing else of SDL running, SDL_Quit also closes SDL's bus
    // connections (audio opens them), which would otherwise outlive us.
    if (audioStarted_ && SDL_WasInit(SDL_INIT_EVERYTHING) == 0) SDL_Quit();
}

bool KsSDLBackend::Open() {
    // A click that activates the window is also a click in it, as on the desktop.
    SDL_SetHint(SDL_HINT_MOUSE_FOCUS_CLICKTHROUGH, "1");
    // Where the driver has a framebuffer, the window surface is copied
    // straight to the display: drawing it through a (software) GL renderer
    // copies the whole window for any damage and is ten times slower. Drivers
    // without one are presented through a texture (KsSDLPresenter).
    // SDL_FRAMEBUFFER_ACCELERATION in the environment wins.
    SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
    // Pre-edit text longer than SDL's fixed event buffer comes whole.
    SDL_SetHint(SDL_HINT_IME_SUPPORT_EXTENDED_TEXT, "1");
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
        dprintf("sdl back end: no video: %s\n", SDL_GetError());
        return false;
    }
    videoStarted_ = true;
    // Without a display SDL falls back to drivers that show nothing
    // (offscreen, dummy); the headless back end serves that case better.
    // A driver the user names in SDL_VIDEODRIVER is taken as asked.
    const char* driver = SDL_GetCurrentVideoDriver();
    const char* named = SDL_getenv("SDL_VIDEODRIVER");
    bool shows = driver && (SDL_strcmp(driver, "x11") == 0 || SDL_strcmp(driver, "wayland") == 0);
    if (!shows && !(named && *named)) {
        dprintf("sdl back end: video driver %s shows nothing; not used\n",
                driver ? driver : "(none)");
        return false;
    }
    int w = 1280, h = 800;
    SDL_Rect usable;
    if (SDL_GetDisplayUsableBounds(0, &usable) == 0) {
        w = std::min(w, usable.w);
        h = std::min(h, usable.h);
    }
    window_ = SDL_CreateWindow("KsTavik20", SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, w, h,
                               SDL_WINDOW_RESIZABLE);
    if (!window_) {
        dprintf("sdl back end: no window on %s: %s\n", driver ? driver : "(none)", SDL_GetError());
        return false;
    }
    presenter_ = std::make_unique<KsSDLPresenter>(window_);
    SDL_GetWindowSize(window_, &w, &h);
    screen_ = {0, 0, w, h};
    SDL_StartTextInput();
    xdnd_ = KsXdndTarget::Open(window_);
    xdndOut_ = KsXdndSource::Open(window_);
    if (xdndOut_) KsSetDragSource(xdndOut_.get());
    KsSetDropSwitch([](bool on, void* self) { static_cast<KsSDLBackend*>(self)->SwitchDrops(on); },
                    this);
    return true;
}

void KsSDLBackend::Present(pixman_image_t* desktop, const KsRgn& damage) {
    if (!desktop || damage.IsEmpty()) return;
    if (damage.RectCount() > kMaxRects) {
        KsRect box = damage.Bounds();
        presenter_->Present(desktop, &box, 1);
        return;
    }
    std::size_t n = 0;
    KsRect local[kMaxRects];
    for (KsRect r : damage.Rects())
        local[n++] = r;
    presenter_->Present(desktop, local, n);
}

void KsSDLBackend::Pump() {
    SDL_Event e;
    while (SDL_PollEvent(&e))
        Handle(e);
    if (xdnd_) xdnd_->Pump();
}

void KsSDLBackend::Handle(const SDL_Event& e) {
    KsInput in;
    switch (e.type) {
    case SDL_MOUSEMOTION:
        in.kind = KsInput::Kind::mouseMove;
        in.h = e.motion.x;
        in.v = e.motion.y;
        pointer_ = {in.h, in.v};
        KsDeliverInput(in);
        break;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP: {
        if (e.button.button != SDL_BUTTON_LEFT && e.button.button != SDL_BUTTON_RIGHT) break;
        bool down = e.type == SDL_MOUSEBUTTONDOWN;
        in.kind = down ? KsInput::Kind::mouseDown : KsInput::Kind::mouseUp;
        in.button =
            e.button.button == SDL_BUTTON_RIGHT ? KsMouseButton::right : KsMouseButton::left;
        in.h = e.button.x;
        in.v = e.button.y;
        // Capture while a button is down, so a drag that leaves the window
        // still ends with a release.
        buttonsDown_ = std::max(0, buttonsDown_ + (down ? 1 : -1));
        SDL_CaptureMouse(buttonsDown_ > 0 ? SDL_TRUE : SDL_FALSE);
        KsDeliverInput(in);
        break;
    }
    case SDL_MOUSEWHEEL: {
        in.kind = KsInput::Kind::wheel;
#if SDL_VERSION_ATLEAST(2, 0, 18)
        // Touchpads give fractions of a notch.
        in.wheelX = e.wheel.preciseX;
        in.wheelY = e.wheel.preciseY;
#else
        in.wheelX = float(e.wheel.x);
        in.wheelY = float(e.wheel.y);
#endif
        if (e.wheel.direction == SDL_MOUSEWHEEL_FLIPPED) {
            in.wheelX = -in.wheelX;
            in.wheelY = -in.wheelY;
        }
        KsDeliverInput(in);
        break;
    }
    case SDL_KEYDOWN:
        HandleKeyDown(e.key);
        break;
    case SDL_KEYUP: {
        const KsKeyEntry* key = KsKeyFromNative(UInt16(e.key.keysym.scancode));
        if (!key) break;
        if (keyPending_ && pendingKey_ == key->keyCode) keyPending_ = false; // composed later
        in.kind = KsInput::Kind::keyUp;
        in.keyCode = key->keyCode;
        KsDeliverInput(in);
        break;
    }
    case SDL_TEXTINPUT:
        HandleText(e.text.text);
        break;
    case SDL_TEXTEDITING:
        HandleComposition(e.edit.text, e.edit.start, e.edit.length);
        break;
    case SDL_TEXTEDITING_EXT:
        HandleComposition(e.editExt.text ? e.editExt.text : "", e.editExt.start, e.editExt.length);
        SDL_free(e.editExt.text);
        break;
    case SDL_WINDOWEVENT:
        switch (e.window.event) {
        case SDL_WINDOWEVENT_FOCUS_GAINED:
            in.kind = KsInput::Kind::focusIn;
            KsDeliverInput(in);
            break;
        case SDL_WINDOWEVENT_FOCUS_LOST:
            in.kind = KsInput::Kind::focusOut;
            KsDeliverInput(in);
            break;
        case SDL_WINDOWEVENT_SIZE_CHANGED:
            // Resized, maximised or made full screen: the desktop follows
            // (and is presented whole at the end of this pump).
            if (e.window.data1 > 0 && e.window.data2 > 0 &&
                (e.window.data1 != screen_.Width() || e.window.data2 != screen_.Height())) {
                screen_ = {0, 0, e.window.data1, e.window.data2};
                in.kind = KsInput::Kind::screens;
                KsDeliverInput(in);
                break;
            }
            presenter_->PresentAgain();
            break;
        case SDL_WINDOWEVENT_EXPOSED:
            // The window's pixels may be gone: show the whole desktop again.
            presenter_->PresentAgain();
            break;
        default:
            break;
        }
        break;
    case SDL_QUIT:
        in.kind = KsInput::Kind::quit;
        KsDeliverInput(in);
        break;
    case SDL_DROPBEGIN:
    case SDL_DROPFILE:
    case SDL_DROPTEXT:
    case SDL_DROPCOMPLETE:
        HandleDrop(e.drop);
        break;
    default:
        break;
    }
}

// Drops are off until the framework asks for them, so that nothing dropped
// is taken by accident; a drop that exceeds the limits or carries text that
// is not UTF-8 is refused whole.
void KsSDLBackend::SwitchDrops(bool on) {
    // SDL's own drop events stay off where our target serves: a drop must
    // not arrive twice. Switching them also sets or deletes the window's
    // XdndAware, so they go first and our target has the last word.
    const int state = on && !xdnd_ ? SDL_ENABLE : SDL_DISABLE;
    for (Uint32 type : {SDL_DROPBEGIN, SDL_DROPFILE, SDL_DROPTEXT, SDL_DROPCOMPLETE})
        SDL_EventState(type, state);
    dropsOn_ = on;
    if (xdnd_) xdnd_->Enable(on);
}

void KsSDLBackend::HandleDrop(const SDL_DropEvent& drop) {
    if (drop.type == SDL_DROPBEGIN) {
        dropItems_.clear();
        dropBytes_ = 0;
        dropRefused_ = false;
    } else if (drop.type == SDL_DROPFILE || drop.type == SDL_DROPTEXT) {
        const std::string data = drop.file ? drop.file : "";
        dropBytes_ += data.size();
        const bool file = drop.type == SDL_DROPFILE;
        if (dropBytes_ > kKsDropMaxBytes || dropItems_.size() >= kKsDropMaxItems ||
            (file ? data.empty() || data[0] != '/' : !KsIsDropText(data)))
            dropRefused_ = true;
        else
            dropItems_.push_back({file ? KsDragItem::Kind::file : KsDragItem::Kind::text, data});
    }
    if (drop.file) SDL_free(drop.file);
    if (drop.type != SDL_DROPCOMPLETE) return;
    KsDropSink* sink = KsGetDropSink();
    if (sink && !dropRefused_ && !dropItems_.empty())
        sink->DropDeliver(pointer_.h, pointer_.v, false, 0, dropItems_);
    dropItems_.clear();
    dropBytes_ = 0;
    dropRefused_ = false;
}

void KsSDLBackend::HandleKeyDown(const SDL_KeyboardEvent& key) {
    if (key.repeat) return; // the event manager makes its own auto-key events
    const KsKeyEntry* entry = KsKeyFromNative(UInt16(key.keysym.scancode));
    if (!entry) return;
    KsInput in;
    in.kind = KsInput::Kind::keyDown;
    in.keyCode = entry->keyCode;
    bool types = entry->plain >= 0x20 && entry->plain != 0x7F;
    bool chord = (key.keysym.mod & (KMOD_CTRL | KMOD_ALT)) != 0;
    if (KsIsModifierKey(entry->keyCode) || !types || chord) {
        dropText_ = types;
        keyPending_ = false;
        KsDeliverInput(in);
        return;
    }
    dropText_ = false;
    keyPending_ = true;
    pendingKey_ = entry->keyCode;
}

void KsSDLBackend::HandleText(const char* text) {
    if (dropText_) {
        dropText_ = false;
        return;
    }
    std::size_t length = std::strlen(text);
    if (keyPending_ && length > 0) {
        keyPending_ = false;
        char32_t ch = 0;
        std::size_t used = KsDecodeUTF8(text, length, &ch);
        unsigned char roman = 0;
        // A character with no Mac OS Roman form goes up as text, where the
        // event manager refuses it with a beep.
        if (KsUnicodeToMacRoman(ch, &roman) && roman != 0) {
            KsInput in;
            in.kind = KsInput::Kind::keyDown;
            in.keyCode = pendingKey_;
            in.charCode = roman;
            in.hasChar = true;
            KsDeliverInput(in);
            text += used;
            if (!*text) return;
        }
    }
    KsInput in;
    in.kind = KsInput::Kind::text;
    in.text = text;
    KsDeliverInput(in);
}

void KsSDLBackend::HandleComposition(const char* text, Sint32 start, Sint32 length) {
    // The key that began or changed the composition belongs to the input
    // method: its commit must not be paired with it.
    if (*text) keyPending_ = false;
    KsInput in;
    in.kind = KsInput::Kind::composition;
    in.text = text;
    in.start = start;
    in.length = length;
    KsDeliverInput(in);
}

void KsSDLBackend::WaitForInput(long milliseconds) {
    if (milliseconds <= 0) return;
    if (KsIsVirtualClock()) {
        SDL_PumpEvents();
        if (SDL_PeepEvents(nullptr, 1, SDL_PEEKEVENT, SDL_FIRSTEVENT, SDL_LASTEVENT) > 0) return;
        KsAdvanceVirtualClockMilliseconds(milliseconds);
        return;
    }
    // Another application's drag speaks on our own X connection, which SDL
    // does not watch: while drops are on, waits are kept short.
    if (xdnd_ && dropsOn_) milliseconds = std::min(milliseconds, xdnd_->Busy() ? 10L : 50L);
    SDL_WaitEventTimeout(nullptr, int(std::min<long>(milliseconds, 1 << 30)));
}

// SDL's wait cannot watch another descriptor, and may sleep through a
// signal: it waits in slices, the descriptor asked between them, and the
// event loop gets a turn at least once a second. That costs an idle
// application a few wakeups a second at most and keeps a request or a quit
// signal from waiting noticeably.
void KsSDLBackend::WaitForInputOrFd(long milliseconds, int fd) {
    if (milliseconds <= 0 || KsIsVirtualClock()) {
        WaitForInput(milliseconds);
        return;
    }
    constexpr long kLongestMs = 1000, kSliceMs = 250;
    const long end = KsGetTicks() + MillisecondsToTicks(std::min(milliseconds, kLongestMs));
    for (long left = std::min(milliseconds, kLongestMs); left > 0;) {
        pollfd watched{fd, POLLIN, 0};
        if (fd >= 0 && poll(&watched, 1, 0) > 0) return;
        if (SDL_WaitEventTimeout(nullptr, int(std::min(left, fd >= 0 ? kSliceMs : left)))) return;
        left = TicksToMilliseconds(end - KsGetTicks());
    }
}

std::string KsSDLBackend::GetClipboardText() {
    char* text = SDL_GetClipboardText();
    std::string result = text ? text : "";
    SDL_free(text);
    return result;
}

void KsSDLBackend::SetClipboardText(const std::string& utf8) {
    SDL_SetClipboardText(utf8.c_str());
}

void KsSDLBackend::SetTextInputRect(const KsRect& caret) {
    SDL_Rect r{caret.left, caret.top, std::max(caret.Width(), 1), std::max(caret.Height(), 1)};
    SDL_SetTextInputRect(&r);
    // Text input stays on for the keyboard (Open starts it); starting it
    // again would reset a composition in progress.
    if (!SDL_IsTextInputActive()) SDL_StartTextInput();
}

void KsSDLBackend::UseCursor(SDL_Cursor* cursor) {
    if (!cursor) return;
    SDL_SetCursor(cursor);
    SDL_ShowCursor(SDL_ENABLE);
    if (cursor_) SDL_FreeCursor(cursor_);
    cursor_ = cursor;
}

// Read from the keymap each time, so a layout switch is followed: the key in
// the US 'Q' place types 'a' on French (AZERTY) layouts, the key in the US
// 'Y' place types 'z' on German (QWERTZ) ones; anything else reads as US
// English. The user's language setting does not count: it is the keys that
// decide what the user has to press.
UInt16 KsSDLBackend::KeyboardLocale() const {
    if (SDL_GetKeyFromScancode(SDL_SCANCODE_Q) == SDLK_a) return 0x040C;
    if (SDL_GetKeyFromScancode(SDL_SCANCODE_Y) == SDLK_z) return 0x0407;
    return 0x0409;
}

void KsSDLBackend::SetCursor(const KsCursorImage& cursor) {
    Uint8 data[32], mask[32];
    for (int row = 0; row < 16; ++row) {
        data[2 * row] = Uint8(cursor.data[row] >> 8);
        data[2 * row + 1] = Uint8(cursor.data[row]);
        mask[2 * row] = Uint8(cursor.mask[row] >> 8);
        mask[2 * row + 1] = Uint8(cursor.mask[row]);
    }
    int hotH = std::clamp<int>(cursor.hotSpot.h, 0, 15),
        hotV = std::clamp<int>(cursor.hotSpot.v, 0, 15);
    UseCursor(SDL_CreateCursor(data, mask, 16, 16, hotH, hotV));
}

void KsSDLBackend::SetStandardCursor(KsStandardCursor kind) {
    SDL_SystemCursor id = SDL_SYSTEM_CURSOR_ARROW;
    switch (kind) {
    case KsStandardCursor::hidden:
        SDL_ShowCursor(SDL_DISABLE);
        return;
    case KsStandardCursor::arrow:
        id = SDL_SYSTEM_CURSOR_ARROW;
        break;
    case KsStandardCursor::iBeam:
        id = SDL_SYSTEM_CURSOR_IBEAM;
        break;
    case KsStandardCursor::cross:
    case KsStandardCursor::plus:
        id = SDL_SYSTEM_CURSOR_CROSSHAIR;
        break;
    case KsStandardCursor::watch:
        id = SDL_SYSTEM_CURSOR_WAIT;
        break;
    case KsStandardCursor::hand:
        id = SDL_SYSTEM_CURSOR_HAND;
        break;
    }
    UseCursor(SDL_CreateSystemCursor(id));
}

void KsSDLBackend::Beep(int ticks) {
    // A brief flash of the window is the visible bell, for users without sound.
    SDL_FlashWindow(window_, SDL_FLASH_BRIEFLY);
    PlayTone(ticks);
}

bool KsSDLBackend::OpenAudio() {
    if (audioTried_) return audio_ != 0;
    audioTried_ = true;
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return false;
    audioStarted_ = true;
    SDL_AudioSpec want{};
    want.freq = 44100;
    want.format = AUDIO_S16SYS;
    want.channels = 1;
    want.samples = 1024;
    // No allowed changes: SDL converts to whatever the device wants.
    audio_ = SDL_OpenAudioDevice(nullptr, 0, &want, &audioSpec_, 0);
    if (!audio_) return false;
    SDL_PauseAudioDevice(audio_, 0);
    return true;
}

// An 880 Hz sine with 5 ms ramps at both ends, so the tone starts and stops
// without a click. Beeps in quick succession queue at most a second of sound.
void KsSDLBackend::PlayTone(int ticks) {
    if (!OpenAudio()) return;
    const int rate = audioSpec_.freq;
    if (SDL_GetQueuedAudioSize(audio_) > Uint32(rate) * sizeof(Sint16)) return;
    const int count = rate * ticks / 60;
    const int ramp = std::max(1, rate / 200);
    const double step = 2.0 * M_PI * 880.0 / rate;
    std::vector<Sint16> samples(std::size_t(std::max(count, 0)));
    for (int i = 0; i < count; ++i) {
        double gain = std::min({1.0, double(i) / ramp, double(count - 1 - i) / ramp});
        samples[std::size_t(i)] = Sint16(std::lround(8000.0 * gain * std::sin(step * i)));
    }
    SDL_QueueAudio(audio_, samples.data(), Uint32(samples.size() * sizeof(Sint16)));
}

void KsSDLBackend::SetTitle(const char* utf8) {
    SDL_SetWindowTitle(window_, utf8 ? utf8 : "");
}

} // namespace

std::unique_ptr<KsBackend> KsNewSDLBackend() {
    auto backend = std::make_unique<KsSDLBackend>();
    if (!backend->Open()) return nullptr;
    return backend;
}
