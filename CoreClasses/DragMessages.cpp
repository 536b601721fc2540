#include "DragMessages.h"

#include "KsLog.h"
#include "KsUIHooks.h"
#include "Stx.h"

#include <array>
#include <cstring>
#include <vector>

namespace {

struct DropNotes {
    std::vector<std::array<char, kDragMessageMax>> messages;
    XError exception;
};

DropNotes& Notes() {
    static DropNotes notes;
    return notes;
}

} // namespace

void AddDragMessage(const char* text) {
    if (!text) return;
    // The whole text is logged: the message box shows only the cut copy.
    LogFile::WriteLog("drop", text);
    std::array<char, kDragMessageMax> copy{};
    std::strncpy(copy.data(), text, kDragMessageMax - 1);
    Notes().messages.push_back(copy);
}

void DisplayDragMessages() {
    const auto& messages = Notes().messages;
    if (messages.empty()) return;
    const char* text =
        messages.size() == 1
            ? messages.front().data()
            : stx("Information regarding the Export was logged to the Console.\nSee the "
                  "console for details.\n");
    UIdialog(text, stx("OK"), 1, 0);
}

void DeleteDragMessages() {
    Notes().messages.clear();
}

int CountDragMessages() {
    return int(Notes().messages.size());
}

const char* GetDragMessage(int index) {
    const auto& messages = Notes().messages;
    return index >= 0 && std::size_t(index) < messages.size() ? messages[std::size_t(index)].data()
                                                              : nullptr;
}

const XError& GetDragException() {
    return Notes().exception;
}

void RecordDragException(const XError& error) {
    if (!Notes().exception.IsError()) Notes().exception = error;
}

void ClearDragException() {
    Notes().exception = XError();
}
