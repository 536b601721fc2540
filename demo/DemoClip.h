// A clip of the media bin as the inspector shows and edits it, and the watch
// that tells when a bin's table selects another clip.
#pragma once

#include "AWindow.h"

#include <string>

class ATableScape;

struct DemoClipInfo {
    std::string name;
    long frames = 0; // the duration
    int rate = 25;   // frames a second
    int status = 0;  // index into the bin's status names
};

// Told when a bin table's selection moved to another row (or to none).
using BinSelectHook = void (*)(ATableScape* table);

// Checked after each click and key in a window holding a bin table: the
// selection is compared, not copied, so checking costs nothing.
class BinSelectionWatch {
public:
    void Watch(ATableScape* table, BinSelectHook hook) {
        itsTable = table;
        itsHook = hook;
    }
    void Check();

private:
    ATableScape* itsTable = nullptr;
    const void* itsLast = nullptr; // compared only: the row may be gone
    BinSelectHook itsHook = nullptr;
};

// A window holding a bin table: its watch checks after each click and key.
class BinWatchingWindow : public AWindow {
public:
    BinSelectionWatch watch;
    bool Click(void* data, EventRecord* ev, long a, long b) override;
    bool KeyDown(void* data, EventRecord* ev, long a, long b) override;
};

// Duration as timecode (hh:mm:ss:ff) at the clip's rate, and back; answers
// false for text that is no timecode.
std::string ClipTimecode(long frames, int rate);
bool ParseClipTimecode(const char* text, int rate, long* frames);
