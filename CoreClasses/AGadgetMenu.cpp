// AGadget: the attached pop-up menu.
#include "AGadget.h"

void AGadget::SetHasMenu(bool on) {
    hasMenu = on;
    if (on) onDownClick = true;
}
void AGadget::SetMenuID(SInt16 id) {
    itsMenuID = id;
    SetHasMenu(id != 0);
}
SInt16 AGadget::GetMenuID() const {
    return itsMenuID;
}
MenuHandle AGadget::GetMenuHandleOnly() const {
    return nullptr;
}
void AGadget::DoPopupMenuClick(SInt32* selection, SInt32* value) {
    if (selection) *selection = 0;
    if (value) *value = 0;
}
void AGadget::SetMenuItem(SInt32 value, bool) {
    itsMenuItem = value;
}
SInt32 AGadget::SetMenuItemFromText(const char*) {
    return -1;
}
SInt32 AGadget::GetMenuItemFromText(const char*) const {
    return -1;
}
SInt32 AGadget::GetMenuItem() const {
    return itsMenuItem;
}
void AGadget::SetTakesMenuVal(bool on) {
    takesMenuVal = on;
}
void AGadget::SetMenuInfo(SInt16 id, SInt32 value, bool down, bool takes) {
    SetMenuID(id);
    SetPopsDown(down);
    SetTakesMenuVal(takes);
    SetMenuItem(value, false);
}
void AGadget::MakePopupMenu(const char*) {}
void AGadget::DisposePopupMenu() {}
void AGadget::AppendPopupMenuItem(const char*, SInt16, char) {}
void AGadget::AppendPopupMenuItem_Color(const char*, const KsRGBColor&, const KsRGBColor&,
                                        const KsRGBColor&, const KsRGBColor&) {}
void AGadget::AppendPopupMenuDivider() {}
void AGadget::EnablePopupMenuItem(SInt16, bool) {}
void AGadget::SetMenuFontSize(SInt16 font, SInt16 size) {
    menuFont = font;
    menuSize = size;
    menuScreenFont = kScreenFontNone;
}
void AGadget::SetPopsDown(bool on) {
    popsDown = on;
}
void AGadget::UpdateMenu(void*) {}
void AGadget::SetMenuCheckMark(SInt32) {}
void AGadget::DoMenuGadUpClick(MenuHandle, SInt16, SInt32) {}
void AGadget::SetTextFromMenu() {}
void AGadget::GetMenuPopupPos(MenuHandle, SInt16*, SInt16*, SInt16*) {}
void AGadget::SetMenuEnableMode(SInt16 mode) {
    menuEnableMode = mode;
}
void AGadget::SetMenuFullEnable(bool on) {
    menuEnableMode = on ? kGadMenuFullEnable : kGadMenuAsMenuBar;
}
void AGadget::SetShowMenuIcon(bool on) {
    showMenuIcon = on;
}
MenuHandle AGadget::GetMenuCopy() {
    return nullptr;
}
SInt16 AGadget::MenuValueToItem(SInt32 value) const {
    return SInt16(value);
}
void* AGadget::WindowRefCon() const {
    return nullptr;
}
