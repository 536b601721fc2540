#include "DemoBin.h"

#include "KsKeyTraps.h"
#include "KsThermometer.h"
#include "KsTime.h"
#include "KsUIHooks.h"
#include "Stx.h"
#include "XError.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace {

// The work of reading one clip: a wait that serves the back end and sleeps,
// so the import takes its time without spinning a core.
constexpr long kClipWorkMs = 16;

// Keys typed during the import would otherwise land in a field afterwards.
class StTrapKeys {
public:
    StTrapKeys() { KsTrapAllKeys(true); }
    ~StTrapKeys() { KsTrapAllKeys(false); }
    StTrapKeys(const StTrapKeys&) = delete;
    StTrapKeys& operator=(const StTrapKeys&) = delete;
};

bool AskToStop() {
    return UIdialog(stx("Stop importing? The bin stays as it was before the import."),
                    stx("Stop|Continue"), 1, 3) != 2;
}

} // namespace

DemoBin& TheDemoBin() {
    static DemoBin bin;
    return bin;
}

bool DemoBin::Import() {
    // Whatever ends the import early takes its clips away again.
    struct Undo {
        DemoBin& bin;
        std::size_t size;
        bool keep = false;
        ~Undo() {
            if (keep) return;
            bin.clips_.resize(size);
            --bin.imports_;
        }
    } undo{*this, clips_.size()};
    const int batch = ++imports_;
    StTrapKeys trap;
    char message[96];
    std::snprintf(message, sizeof message, "%s %d", stx("Importing clips of batch"), batch);
    try {
        for (long i = 0; i < kImportCount; ++i) {
            try {
                StatUpdate(message, i, kImportCount, true);
            } catch (const XError& e) {
                if (!e.FindCode("BASE_USER_ABORT") || AskToStop()) throw;
            }
            KsDoNothing(kClipWorkMs);
            char name[48];
            std::snprintf(name, sizeof name, "Batch %d clip %03ld", batch, i + 1);
            clips_.emplace_back(name);
        }
    } catch (const XError& e) {
        if (e.FindCode("BASE_USER_ABORT")) return false;
        throw;
    }
    StatUpdate(message, kImportCount, kImportCount, false);
    undo.keep = true;
    return true;
}

void DemoBin::Draw(const Rect& area) const {
    TextFont(1);
    TextSize(10);
    FontInfo fi;
    GetFontInfo(&fi);
    const SInt16 line = SInt16(fi.ascent + fi.descent + fi.leading);
    char heading[64];
    std::snprintf(heading, sizeof heading, "%zu %s", clips_.size(), stx("clips in the bin"));
    MoveTo(area.left, SInt16(area.top + fi.ascent));
    DrawText(heading, 0, SInt16(std::strlen(heading)));
    // The newest clips that fit under the heading.
    const long rows = line > 0 ? long((area.bottom - area.top) / line) - 1 : 0;
    if (rows <= 0) return;
    const std::size_t shown = std::min<std::size_t>(clips_.size(), std::size_t(rows));
    SInt16 v = SInt16(area.top + fi.ascent + line);
    for (std::size_t i = clips_.size() - shown; i < clips_.size(); ++i, v = SInt16(v + line)) {
        MoveTo(SInt16(area.left + 8), v);
        DrawText(clips_[i].c_str(), 0, SInt16(clips_[i].size()));
    }
}
