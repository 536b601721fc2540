#include "Menus.h"
#include "MenusPrivate.h"

MenuHandle KsCopyMenu(MenuHandle menu) {
    if (!menu || !KsIsLiveMenu(menu)) return nullptr;
    Str255 title;
    GetMenuTitle(menu, title);
    MenuHandle copy = NewMenu((*menu)->menuID, title);
    if ((*menu)->menuProcID != textMenuProc) KsSetMenuDefID(copy, (*menu)->menuProcID);
    std::vector<KsMenuItem> items = (*menu)->data->items;
    KsInsertMenuItems(copy, 0, std::move(items));
    (*copy)->data->enabled = (*menu)->data->enabled;
    if ((*menu)->data->enabled)
        MacEnableMenuItem(copy, 0);
    else
        DisableMenuItem(copy, 0);
    return copy;
}
