// SysBeep: counted, handed to the back end with its duration kept in range.
#include "Sound.h"
#include "KsHeadlessBackend.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

namespace {

// A back end that notes the duration each beep asks for.
class BeepRecorder final : public KsBackend {
public:
    std::vector<int> ticks;
    const char* Name() const override { return "recorder"; }
    int ScreenCount() const override { return 1; }
    KsRect ScreenBounds(int) const override { return KsRect{0, 0, 100, 100}; }
    void Present(pixman_image_t*, const KsRgn&) override {}
    void Pump() override {}
    void WaitForInput(long) override {}
    std::string GetClipboardText() override { return {}; }
    void SetClipboardText(const std::string&) override {}
    void SetCursor(const KsCursorImage&) override {}
    void SetStandardCursor(KsStandardCursor) override {}
    void Beep(int t) override { ticks.push_back(t); }
    void SetTitle(const char*) override {}
};

} // namespace

TEST(Sound, EachBeepIsCountedAndReachesTheBackEndInRange) {
    auto recorder = std::make_unique<BeepRecorder>();
    BeepRecorder* backend = recorder.get();
    auto previous = KsInstallBackend(std::move(recorder));
    const int before = KsGetBeepCount();
    SysBeep(5);
    SysBeep(0);
    SysBeep(-3);
    SysBeep(30000);
    EXPECT_EQ(KsGetBeepCount(), before + 4);
    EXPECT_EQ(backend->ticks, (std::vector<int>{5, 1, 1, kKsMaxBeepTicks}));
    KsInstallBackend(std::move(previous));
}

// On a real display the SDL back end sounds the tone; with SDL's dummy audio
// driver (or no device at all) the beep still returns at once and is counted.
TEST(Sound, SDLBeepNeverFails) {
    const char* driver = std::getenv("SDL_AUDIODRIVER");
    const std::string saved = driver ? driver : "";
    if (!driver) setenv("SDL_AUDIODRIVER", "dummy", 1);
    auto sdl = KsNewSDLBackend();
    if (!sdl) {
        if (!driver) unsetenv("SDL_AUDIODRIVER");
        GTEST_SKIP() << "no display for the SDL back end";
    }
    auto previous = KsInstallBackend(std::move(sdl));
    const int before = KsGetBeepCount();
    for (int i = 0; i < 200; ++i) // far more than the queue takes: the rest are dropped
        SysBeep(kKsMaxBeepTicks);
    EXPECT_EQ(KsGetBeepCount(), before + 200);
    KsInstallBackend(std::move(previous));
    if (!driver) unsetenv("SDL_AUDIODRIVER");
}
