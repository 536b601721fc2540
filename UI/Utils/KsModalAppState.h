// What a modal run takes away from the application and gives back: the
// enabled state of the menus and the application's undo and redo procedures.
//
// Both are stacks, so nested modal runs each give back exactly what they
// took: a menu disabled on purpose before the run, or by an outer run, stays
// disabled afterwards. A push answers a token; popping that token also pops
// any pushes left above it (a run ended by an error). Main thread only.
#pragma once

#include "Menus.h"

// ---------------------------------------------------------------------------
// Menus

// Saves the whole-menu enabled state of every menu of the menu bar, disables
// each of them except the menu `keepEnabled` (258, the Edit menu, for a modal
// dialog; 0 for none), and redraws the bar. Answers the token.
int KsPushMenuState(MenuID keepEnabled);
// Gives every menu saved by the push that answered `token` the state it had
// then (menus taken out of the bar since are left alone), and redraws the
// bar. A token not on the stack does nothing.
void KsPopMenuState(int token);
int KsMenuStateDepth();

// Pushes on construction, pops on destruction (errors included).
class StKsModalMenus {
public:
    explicit StKsModalMenus(MenuID keepEnabled) : token_(KsPushMenuState(keepEnabled)) {}
    ~StKsModalMenus() { KsPopMenuState(token_); }
    StKsModalMenus(const StKsModalMenus&) = delete;
    StKsModalMenus& operator=(const StKsModalMenus&) = delete;

private:
    int token_;
};

// ---------------------------------------------------------------------------
// Undo and redo procedures

// The application installs these: `take` answers its current undo and redo
// procedures as a saved state it allocates (null when there is nothing to
// save) and clears them; `give` puts a saved state back and releases it.
// `data` is passed to both.
struct KsUndoRedoHooks {
    void* (*take)(void* data) = nullptr;
    void (*give)(void* saved, void* data) = nullptr;
    void* data = nullptr;
};
// Answers the previous hooks. Each saved state goes back through the `give`
// of the hooks that took it.
KsUndoRedoHooks KsSetUndoRedoHooks(KsUndoRedoHooks hooks);

// Takes the undo and redo procedures away (a modal dialog clears them) and
// answers the token that gives them back.
int KsPushUndoRedo();
void KsPopUndoRedo(int token);
int KsUndoRedoDepth();
