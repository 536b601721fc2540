// AThinSlider: typing. Keys reach the slider while it shows, holds the focus
// and is enabled. The typed digits live in a fixed buffer: the bound on what
// may be typed comes from outside data (a stream or a pane text), so every
// append is checked against the buffer itself as well.
#include "AThinSlider.h"

#include "Events.h"

#include <cmath>
#include <cstdlib>

namespace {
constexpr SInt16 kReturnChar = 13, kTabChar = 9;
constexpr SInt16 kEnterKey = 0x4C;

// Clears the key-input flag however the key's handling ends.
class StKeyInput {
public:
    explicit StKeyInput(AThinSlider* s) : slider_(s) {}
    ~StKeyInput() { slider_->SetWasKeyInput(false); }
    StKeyInput(const StKeyInput&) = delete;
    StKeyInput& operator=(const StKeyInput&) = delete;

private:
    AThinSlider* slider_;
};
} // namespace

bool AThinSlider::DoKeyDown(SInt16 charCode, SInt16 keyCode, EventRecord* event, void*) {
    if (!IsVisible() || !active || !enabled) return false;
    StKeyInput done(this);
    if (charCode == kReturnChar || keyCode == kEnterKey) {
        wasKeyInput = true;
        BufferToFinalValueText();
        return true;
    }
    if (charCode == kTabChar) return false;
    const bool shift = event ? (event->modifiers & shiftKey) != 0 : (KsGetModifiers() & shiftKey);
    const double step = (deltaProc ? deltaProc(keyCode) : 0) * inc * (shift ? 10 : 1);
    if (step != 0) {
        wasKeyInput = true;
        firstProcPass = true;
        SetValue(GetValue() + step);
        return true;
    }
    if (charCode == '-' || charCode == '+') {
        keySign = charCode == '-' ? -1 : 1;
        wasKeyInput = true;
        BufferToValueText();
        return true;
    }
    const bool digit = charCode >= '0' && charCode <= '9';
    if (!digit && !(charCode == '.' && floatingPoint)) return false;
    wasKeyInput = true;
    // A full buffer commits what it holds before taking the next digit.
    if (keyDownCount + 2 >= kKeyBufferSize) BufferToFinalValueText();
    keyDownBuffer[++keyDownCount] = char(charCode);
    keyDownBuffer[keyDownCount + 1] = 0;
    if (keyDownCount >= keyDownBufferMax || keyDownBuffer[0] == '0')
        BufferToFinalValueText();
    else
        BufferToValueText();
    return true;
}

double AThinSlider::TypedNumber() const {
    const double n = floatingPoint ? std::strtod(keyDownBuffer, nullptr)
                                   : double(std::strtol(keyDownBuffer, nullptr, 10));
    return std::isfinite(n) ? keySign * n : 0.0;
}

void AThinSlider::BufferToValueText() {
    if (keyDownCount < 0) return;
    SetValue(TypedNumber());
}

void AThinSlider::BufferToFinalValueText() {
    if (keyDownCount < 0) return;
    const double v = TypedNumber();
    keyDownCount = -1;
    keyDownBuffer[0] = 0;
    firstProcPass = true;
    if (v == GetValue())
        CallTrackHook(v, nullptr);
    else
        SetValue(v);
}
