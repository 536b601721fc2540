// Value fields in a started application's window, driven through the real
// key path; arrows and the other named keys come as key codes.
#pragma once

#include "GadgetTestSupport.h"
#include "KsFieldScript.h"
#include "Scrap.h"

#include <cstring>
#include <string>

class ValueFieldTest : public GadgetTest {
protected:
    void Type(const std::string& keys) { TypeKeys(app, backend, keys); }
    // Presses a key by its code (arrows: 0x7E up, 0x7D down).
    void Press(UInt8 keyCode) {
        const long at = KsGetTicks() + 1;
        backend->ScriptKeyDown(at, keyCode);
        backend->ScriptKeyUp(at + 1, keyCode);
        RunScript(app, backend);
    }
    // Pastes `text` through the Edit menu into the active field.
    void Paste(const char* text) {
        ZeroScrap();
        PutScrap(SInt32(std::strlen(text)), FourCharCode("TEXT"), text);
        app->MenuBroadcast(Ev(keyDown), kEditMenuID, kNickPaste);
    }
};
