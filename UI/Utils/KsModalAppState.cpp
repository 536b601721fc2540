// Menu-state and undo/redo stacks of modal runs.
#include "KsModalAppState.h"

#include "KsHandle.h"
#include "KsWindowShellPrivate.h"

#include <vector>

namespace {

struct SavedMenu {
    MenuHandle menu;
    MenuID id;
    bool enabled;
};

struct MenuLevel {
    int token;
    std::vector<SavedMenu> menus;
};

struct SavedUndoRedo {
    int token;
    void* saved;
    KsUndoRedoHooks hooks;
};

struct ModalState {
    std::vector<MenuLevel> menus;
    std::vector<SavedUndoRedo> undo;
    KsUndoRedoHooks hooks;
    int nextToken = 1;
};

ModalState& S() {
    static ModalState s;
    return s;
}

int NextToken() {
    int t = S().nextToken++;
    if (S().nextToken <= 0) S().nextToken = 1;
    return t;
}

// The menu is still the one of that ID in the menu list.
bool StillInList(const SavedMenu& m) {
    return GetMenuHandle(m.id) == m.menu;
}

void RestoreLevel(const MenuLevel& level) {
    for (const SavedMenu& m : level.menus) {
        if (!StillInList(m)) continue;
        if (m.enabled)
            MacEnableMenuItem(m.menu, 0);
        else
            DisableMenuItem(m.menu, 0);
    }
}

} // namespace

int KsPushMenuState(MenuID keepEnabled) {
    MenuLevel level{NextToken(), {}};
    Handle bar = GetMenuBar();
    const SInt16 n = bar ? KsMenuListCount(bar, KsMenuListPart::bar) : 0;
    level.menus.reserve(std::size_t(n));
    for (SInt16 i = 0; i < n; ++i) {
        MenuHandle m = KsMenuListGet(bar, KsMenuListPart::bar, i);
        if (!m) continue;
        level.menus.push_back({m, GetMenuID(m), IsMenuItemEnabled(m, 0) != 0});
    }
    if (bar) KsDisposeHandle(bar);
    for (const SavedMenu& m : level.menus)
        if (m.id != keepEnabled || keepEnabled == 0) DisableMenuItem(m.menu, 0);
    S().menus.push_back(std::move(level));
    DrawMenuBar();
    return S().menus.back().token;
}

void KsPopMenuState(int token) {
    auto& stack = S().menus;
    bool found = false;
    for (const MenuLevel& l : stack)
        found = found || l.token == token;
    if (!found) return;
    // Innermost first, so each menu ends with the state the popped run found.
    while (!stack.empty()) {
        MenuLevel level = std::move(stack.back());
        stack.pop_back();
        RestoreLevel(level);
        if (level.token == token) break;
    }
    DrawMenuBar();
}

int KsMenuStateDepth() {
    return int(S().menus.size());
}

KsUndoRedoHooks KsSetUndoRedoHooks(KsUndoRedoHooks hooks) {
    KsUndoRedoHooks old = S().hooks;
    S().hooks = hooks;
    return old;
}

int KsPushUndoRedo() {
    const KsUndoRedoHooks& h = S().hooks;
    void* saved = h.take ? h.take(h.data) : nullptr;
    S().undo.push_back({NextToken(), saved, h});
    return S().undo.back().token;
}

void KsPopUndoRedo(int token) {
    auto& stack = S().undo;
    bool found = false;
    for (const SavedUndoRedo& u : stack)
        found = found || u.token == token;
    if (!found) return;
    while (!stack.empty()) {
        SavedUndoRedo u = stack.back();
        stack.pop_back();
        if (u.hooks.give) u.hooks.give(u.saved, u.hooks.data);
        if (u.token == token) break;
    }
}

int KsUndoRedoDepth() {
    return int(S().undo.size());
}

void KsModalAppStateReset() {
    S() = ModalState{};
}
