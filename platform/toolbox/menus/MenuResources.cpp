// Menus from the resource chain: 'MENU' and 'MBAR'.
#include "KsHandle.h"
#include "Menus.h"
#include "Resources.h"

MenuHandle GetMenu(SInt16 resourceID) {
    Handle data = GetResource(FourCharCode("MENU"), resourceID);
    if (!data) return nullptr;
    // Each call makes a menu of its own; the caller disposes it with DisposeMenu.
    return KsMenuFromResourceData(*data, std::size_t(KsGetHandleSize(data)));
}

Handle GetNewMBar(SInt16 menuBarID) {
    Handle data = GetResource(FourCharCode("MBAR"), menuBarID);
    if (!data) return nullptr;
    std::vector<MenuID> ids = KsMenuBarFromResourceData(*data, std::size_t(KsGetHandleSize(data)));

    // Build the new list in place of the current one, take its snapshot, and
    // put the current list back, whatever happens on the way.
    Handle current = GetMenuBar();
    Handle result = nullptr;
    std::vector<MenuHandle> made;
    try {
        ClearMenuBar();
        for (MenuID id : ids) {
            MenuHandle menu = GetMenu(id);
            if (!menu) break;
            made.push_back(menu);
            InsertMenu(menu, 0);
        }
        if (made.size() == ids.size()) result = GetMenuBar();
    } catch (...) {
        SetMenuBar(current);
        KsDisposeHandle(current);
        for (MenuHandle m : made)
            DisposeMenu(m);
        throw;
    }
    SetMenuBar(current);
    KsDisposeHandle(current);
    if (!result)
        for (MenuHandle m : made)
            DisposeMenu(m);
    return result;
}
