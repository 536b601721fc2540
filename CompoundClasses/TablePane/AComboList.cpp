#include "AComboList.h"

#include "KsMenuUtils.h"
#include "Menus.h"

#include <cstring>

void AComboList::AppendChoice(const char* text) {
    iChoices.emplace_back(text ? text : "");
}

const char* AComboList::GetChoice(SInt32 index) const {
    return index >= 1 && index <= GetCount() ? iChoices[size_t(index - 1)].c_str() : "";
}

SInt32 AComboList::IndexOf(const char* text) const {
    if (!text) return 0;
    for (SInt32 i = 0; i < GetCount(); ++i)
        if (iChoices[size_t(i)] == text) return i + 1;
    return 0;
}

SInt32 AComboList::PopUp(SInt16 top, SInt16 left, SInt32 current) const {
    if (iChoices.empty()) return 0;
    MenuHandle menu = CreateNewMenu("", 0);
    if (!menu) return 0;
    // Choices are data: no menu metacharacters.
    for (const std::string& c : iChoices)
        AppendMenuLiteralCstr(menu, c.c_str());
    const bool known = current >= 1 && current <= GetCount();
    if (known) CheckItem(menu, MenuItemIndex(current), true);
    const SInt32 sel = PopUpMenuSelect(menu, top, left, SInt16(known ? current : 1));
    SafeDisposeMenu(menu);
    const SInt32 item = sel & 0xFFFF;
    return (sel >> 16) != 0 && item >= 1 && item <= GetCount() ? item : 0;
}
