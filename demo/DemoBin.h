// The demo's bin: the clips it holds, the window that lists them, and the
// import that fills it as a long operation with the progress thermometer.
#pragma once

#include "QuickDraw.h"

#include <string>
#include <vector>

class DemoBin {
public:
    // Clips made by one import: with one clip a tick, about ten seconds.
    static constexpr long kImportCount = 600;

    const std::vector<std::string>& Clips() const { return clips_; }

    // Imports kImportCount generated clips, reporting progress. Command-period
    // asks whether to stop; stopping (or any failure) leaves the bin as it
    // was before the import began. Answers whether the import completed.
    bool Import();

    // Lists the clips, newest last, into `area` of the current port.
    void Draw(const Rect& area) const;

private:
    std::vector<std::string> clips_;
    int imports_ = 0;
};

// The demo's one bin.
DemoBin& TheDemoBin();
