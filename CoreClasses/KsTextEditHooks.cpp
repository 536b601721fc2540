// The Edit menu and the idle pass over the text-edit glue.
#include "KsTextEditHooks.h"

#include "ABartender.h"
#include "TextEdit.h"

namespace {

bool IsActive() {
    return KsTEIsActive();
}
void SelectAll() {
    KsTESetSelect(0, 32767);
}

// Enables each Edit item the active record allows and disables the others;
// with no active record the items keep the enabling the menus were reset to.
void UpdateEditMenu() {
    if (!gBartender || !KsTEIsActive()) return;
    const KsTEEditState s = KsTEGetEditState();
    const struct {
        long nick;
        bool on;
    } items[] = {{kNickUndo, s.undo},          {kNickRedo, s.redo},   {kNickCut, s.cut},
                 {kNickCopy, s.copy},          {kNickPaste, s.paste}, {kNickClear, s.clear},
                 {kNickSelectAll, s.selectAll}};
    for (const auto& item : items) {
        if (item.on)
            gBartender->MacEnableMenuItem(item.nick);
        else
            gBartender->DisableMenuItem(item.nick);
    }
}

} // namespace

KsAppEditHooks KsTextEditHooks() {
    KsAppEditHooks hooks;
    hooks.isActive = IsActive;
    hooks.cut = KsTECut;
    hooks.copy = KsTECopy;
    hooks.paste = KsTEPaste;
    hooks.clear = KsTEDelete;
    hooks.selectAll = SelectAll;
    hooks.idle = KsTEIdle;
    hooks.updateEditMenu = UpdateEditMenu;
    hooks.undo = KsTEUndo;
    hooks.redo = KsTERedo;
    return hooks;
}
