// Typing scripts for text fields on the headless back end, and a recorder of
// what a field's changed hook hears.
#pragma once

#include "AApplication.h"
#include "ATextEntry.h"
#include "Events.h"
#include "KsHeadlessBackend.h"
#include "KsTime.h"

#include <string>
#include <vector>

// What a field's changed hook heard, in order: 'c' for "changed", 'F' for
// "finally entered", with the field's text at each call.
struct CommitLog {
    std::string heard;
    std::vector<std::string> texts;

    void Attach(ATextEntry* field) { field->SetValChangedHookRtn(Hook, this); }
    void Clear() {
        heard.clear();
        texts.clear();
    }
    static bool Hook(ATextEntry* field, void* data, bool final) {
        auto* log = static_cast<CommitLog*>(data);
        log->heard += final ? 'F' : 'c';
        log->texts.push_back(field->GetString());
        return true;
    }
};

// Runs the loop until the script is played and the queue is empty.
inline void RunScript(AApplication* app, KsHeadlessBackend* backend) {
    EventRecord peek{};
    for (int i = 0; i < 1000 && (backend->ScriptPending() > 0 || EventAvail(everyEvent, &peek));
         ++i) {
        KsAdvanceVirtualClockToTick(KsGetTicks() + 1);
        app->ProcessEvent(everyEvent);
    }
}

// Types `utf8` one character a tick, as a user would: each is a key-down.
// "\t" presses Tab, "\r" Return, "\x03" Enter, "\b" Delete (backspace);
// "\x01" holds Shift down, "\x02" lets it go.
inline void TypeKeys(AApplication* app, KsHeadlessBackend* backend, const std::string& utf8) {
    long at = KsGetTicks() + 1;
    for (size_t i = 0; i < utf8.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(utf8[i]);
        UInt8 key = 0;
        switch (c) {
        case '\t':
            key = 0x30;
            break;
        case '\r':
            key = 0x24;
            break;
        case 0x03:
            key = 0x4C;
            break;
        case '\b':
            key = 0x33;
            break;
        case 0x01:
            backend->ScriptKeyDown(at++, 0x38);
            continue;
        case 0x02:
            backend->ScriptKeyUp(at++, 0x38);
            continue;
        default:
            break;
        }
        if (key) {
            backend->ScriptKeyDown(at++, key);
            backend->ScriptKeyUp(at++, key);
            continue;
        }
        size_t n = 1; // the whole UTF-8 sequence of one character
        while (i + n < utf8.size() && (static_cast<unsigned char>(utf8[i + n]) & 0xC0) == 0x80)
            ++n;
        backend->ScriptText(at++, utf8.substr(i, n).c_str());
        i += n - 1;
    }
    RunScript(app, backend);
}
