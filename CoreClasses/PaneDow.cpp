#include "PaneDow.h"

#include <cstdlib>
#include <cstring>

#include "KsFatal.h"

namespace {
short gMenuDefProcID = 0;

char* CopyText(const char* s) {
    if (!s) return nullptr;
    const size_t n = std::strlen(s) + 1;
    char* copy = static_cast<char*>(std::malloc(n));
    if (copy) std::memcpy(copy, s, n);
    return copy;
}
} // namespace

PaneDow::PaneDow(const PaneDow& other)
    : buildProc(other.buildProc), handleProc(other.handleProc), helpNumber(other.helpNumber),
      helpTopic(CopyText(other.helpTopic)), helpStyle(other.helpStyle) {}

PaneDow& PaneDow::operator=(const PaneDow& other) {
    if (this != &other) {
        char* topic = CopyText(other.helpTopic);
        std::free(helpTopic);
        helpTopic = topic;
        buildProc = other.buildProc;
        handleProc = other.handleProc;
        helpNumber = other.helpNumber;
        helpStyle = other.helpStyle;
    }
    return *this;
}

PaneDow::~PaneDow() {
    std::free(helpTopic);
}

// The context menu itself arrives with the menus that can pop up beside a
// pane; until then a right click offers nothing.
bool PaneDow::DoContextPopup(EventRecord) {
    return false;
}

void PaneDow::SetWinHelpTopic(const char* topic) {
    FtlAssert(topic);
    if (!topic) return;
    char* copy = CopyText(topic);
    std::free(helpTopic);
    helpTopic = copy;
    helpStyle = 1;
}

void PaneDow::SetWinHelpNum(long number) {
    helpNumber = number;
}
const char* PaneDow::GetWinHelpTopic() const {
    return helpTopic;
}
long PaneDow::GetWinHelpNum() const {
    return helpNumber;
}

bool PaneDow::GetHasHelp(bool topicOnly) const {
    if (helpTopic) return true;
    return !topicOnly && helpNumber != 0;
}

PaneDow* PaneDow::GetEnclosure() const {
    return nullptr;
}
void PaneDow::SetWinHelpWindowStyle() {
    helpStyle = 1;
}
void PaneDow::SetWinHelpPopupStyle() {
    helpStyle = 2;
}
void PaneDow::SetBuildContextPopupProc(BuildProc proc) {
    buildProc = proc;
}
PaneDow::BuildProc PaneDow::GetBuildContextPopupProc() const {
    return buildProc;
}
void PaneDow::SetHandleContextPopupProc(HandleProc proc) {
    handleProc = proc;
}
PaneDow::HandleProc PaneDow::GetHandleContextPopupProc() const {
    return handleProc;
}
SInt16 PaneDow::BuildContextPopup(MenuInfo**, EventRecord) {
    return 0;
}

PaneDow* PaneDow::FindPaneWithHelp(bool topicOnly) {
    // A chain deeper than any real pane tree means a cycle: stop rather than loop.
    PaneDow* p = this;
    for (int depth = 0; p && depth < 10000; ++depth, p = p->GetEnclosure())
        if (p->GetHasHelp(topicOnly)) return p;
    return nullptr;
}

// Help files are shown by the help services; without them, finding a
// holder is all there is to do.
bool PaneDow::DoHelp(bool topicOnly) {
    return FindPaneWithHelp(topicOnly) != nullptr;
}

void PaneDow::SetMenuDefProcID(short id) {
    gMenuDefProcID = id;
}
short PaneDow::GetMenuDefProcID() {
    return gMenuDefProcID;
}
