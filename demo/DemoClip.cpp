#include "DemoClip.h"

#include "ATableScape.h"

#include <cstdio>

void BinSelectionWatch::Check() {
    if (!itsTable) return;
    const void* now =
        itsTable->GetNumSelectedRows() == 1 ? itsTable->GetFirstSelectedRow() : nullptr;
    if (now == itsLast) return;
    itsLast = now;
    if (itsHook) itsHook(itsTable);
}

bool BinWatchingWindow::Click(void* data, EventRecord* ev, long a, long b) {
    const bool done = AWindow::Click(data, ev, a, b);
    watch.Check();
    return done;
}

bool BinWatchingWindow::KeyDown(void* data, EventRecord* ev, long a, long b) {
    const bool done = AWindow::KeyDown(data, ev, a, b);
    watch.Check();
    return done;
}

std::string ClipTimecode(long frames, int rate) {
    const long r = rate > 0 ? rate : 1;
    char text[64];
    std::snprintf(text, sizeof text, "%02ld:%02ld:%02ld:%02ld", frames / (r * 3600),
                  frames / (r * 60) % 60, frames / r % 60, frames % r);
    return text;
}

bool ParseClipTimecode(const char* text, int rate, long* frames) {
    long h = 0, m = 0, s = 0, f = 0;
    char end = 0;
    if (!text || std::sscanf(text, "%ld:%ld:%ld:%ld%c", &h, &m, &s, &f, &end) != 4) return false;
    if (h < 0 || h > 99 || m < 0 || m > 59 || s < 0 || s > 59 || f < 0 || f >= rate) return false;
    *frames = ((h * 60 + m) * 60 + s) * long(rate) + f;
    return true;
}
