#include "ABartender.h"

#include "KsAppInfo.h"
#include "KsFatal.h"
#include "KsHandle.h"
#include "KsMemWatch.h"
#include "KsOutput.h"
#include "KsText.h"
#include "Stx.h"
#include "XError.h"

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <limits>

ABartender* gBartender = nullptr;

namespace {

constexpr long kMinNick = 1000;
constexpr long kMaxNick = std::numeric_limits<SInt32>::max();
constexpr long kHighestFreeNick = 32767;
constexpr long kLowestFreeNick = 1001;
constexpr int kMaxEnableArgs = 50;

const EMMessage kMessages[] = {
    {"UIS_MENU_RSRC_NOT_FOUND", "The menu resource {menuID} could not be found.", nullptr},
};

// A Pascal copy of a C string (cut to 255 bytes).
struct PText {
    Str255 p;
    explicit PText(const char* s) { KsCopyCToPstr(s ? s : "", p, sizeof p); }
    explicit PText(const std::string& s) {
        const std::size_t n = std::min<std::size_t>(s.size(), 255);
        p[0] = static_cast<unsigned char>(n);
        std::memcpy(p + 1, s.data(), n);
    }
};

std::string ItemText(MenuHandle menu, short item) {
    Str255 p;
    GetMenuItemText(menu, item, p);
    return std::string(reinterpret_cast<const char*>(p + 1), p[0]);
}

bool IsSeparatorItem(MenuHandle menu, short item) {
    return ItemText(menu, item) == "-";
}

// The nick of an item text's "#nnn" suffix and where the suffix starts; 0 when
// the text has none. Only a whole number (C notation: decimal, 0x hex, 0
// octal) of at least 1000 that fits 32 bits counts; anything else stays text.
long ParseNickSuffix(const std::string& text, std::size_t* hashAt) {
    const std::size_t at = text.rfind('#');
    if (at == std::string::npos) return 0;
    const std::string digits = text.substr(at + 1);
    // strtol would accept leading blanks and a sign; a nick suffix has neither.
    if (digits.empty() || digits[0] < '0' || digits[0] > '9') return 0;
    errno = 0;
    char* end = nullptr;
    const long long value = std::strtoll(digits.c_str(), &end, 0);
    if (errno != 0 || end != digits.c_str() + digits.size()) return 0;
    if (value < kMinNick || value > kMaxNick) return 0;
    *hashAt = at;
    return static_cast<long>(value);
}

// Disposes a menu-list snapshot however the walk over it ends.
struct SnapshotGuard {
    Handle h;
    ~SnapshotGuard() { KsDisposeHandle(h); }
};

ABartender* sDumping = nullptr;

} // namespace

ABartender* ABartender::New() {
    return new ABartender();
}

void ABartender::IBartender(const char* shortAppName) {
    static const bool registered = (EMRegisterMessages(kMessages, 1), true);
    (void)registered;

    gBartender = this;
    menuIDList.clear();
    nickList.clear();
    menuIDList.reserve(20);
    nickList.reserve(100);
    nickListSorted = 0;

    MenuHandle apple = CreateMenu("\x14", kAppleMenuID, kMenuInBar);
    const bool AppleMenu = apple != nullptr;
    FtlAssert(AppleMenu);
    if (!apple) return;

    AppendMenuItem(apple, kAboutNick, stx("About This Application.."));
    // Desk accessories have no counterpart here: there is nothing to append.
    InsertMenu(apple, 0);

    // The translated text is not used as a printf format: only its first "%s"
    // is replaced, so a table entry cannot make the formatting read garbage.
    std::string about = stx("&About %s...");
    const std::size_t at = about.find("%s");
    if (at != std::string::npos)
        about.replace(at, 2, shortAppName ? shortAppName : KSGetApplName());
    EnableAndSetMenuItem(kAboutNick, about);
}

void ABartender::Dispose() {
    // The bartender owns the menus it made or loaded.
    for (const MenuRec& rec : menuIDList)
        if (rec.menu) DisposeMenu(rec.menu);
    menuIDList.clear();
    nickList.clear();
    if (gBartender == this) gBartender = nullptr;
    AObject::Dispose();
}

// ---------------------------------------------------------------------------
// Menus

MenuHandle ABartender::MakeMenu(const char* title, short menuID, short flags, short beforeID) {
    KsMemSLDisable();
    MenuHandle existing = GetMenuHandle(menuID);
    KsMemSLEnable();
    if (existing) {
        FtlAbortm("Trying to create a menu with an ID that's already used");
        return existing;
    }
    PText ptitle(title);
    MenuHandle menu = NewMenu(menuID, ptitle.p);
    if (flags & kMenuHierarchical) InsertMenu(menu, hierMenu);
    if (flags & kMenuInBar) InsertMenu(menu, beforeID);
    AddMenuRec(menuID, menu);
    return menu;
}

MenuHandle ABartender::CreateMenu(const char* title, short menuID, short flags) {
    return MakeMenu(title, menuID, flags, 0);
}

MenuHandle ABartender::CreateMenuBefore(const char* title, short menuID, short flags,
                                        short beforeID) {
    return MakeMenu(title, menuID, flags, beforeID);
}

void ABartender::AddMenu(MenuHandle* out, short menuID, short flags) {
    AddMenuBefore(out, menuID, flags, 0);
}

void ABartender::AddMenuBefore(MenuHandle* out, short menuID, short flags, short beforeID) {
    if (menuID == kHelpMenuID) {
        // The Help menu is the Apple menu on this platform.
        MenuHandle help = GetMenuHandle(kAppleMenuID);
        if (!help) xraisexerror("SYS_ERROR", "short OSErr", short(-1));
        if (out) *out = help;
        return;
    }

    // A menu loaded before is reused rather than loaded (and leaked) again.
    MenuHandle menu = nullptr;
    const bool isNew = !HasMenuRec(menuID);
    if (!isNew) {
        for (const MenuRec& rec : menuIDList)
            if (rec.menuID == menuID) menu = rec.menu;
    } else {
        menu = GetMenu(menuID);
        if (!menu) xraisexerror("UIS_MENU_RSRC_NOT_FOUND", "short menuID", menuID);
    }

    if (flags & kMenuInBar) {
        InsertMenu(menu, beforeID);
        if (flags & kMenuHierarchical) InsertMenu(menu, hierMenu);
    } else {
        InsertMenu(menu, hierMenu); // a pop-up menu
    }
    if (out) *out = menu;

    if (isNew) {
        AddMenuRec(menuID, menu);
        BindItemTexts(menu);
    }
}

void ABartender::BindItemTexts(MenuHandle menu) {
    const short count = CountMItems(menu);
    nickList.reserve(nickList.size() + std::size_t(count));
    for (short item = count; item >= 1; --item) {
        const std::string text = ItemText(menu, item);
        std::size_t hashAt = 0;
        const long nick = ParseNickSuffix(text, &hashAt);
        if (nick == 0) continue;
        PText shortened(text.substr(0, hashAt));
        SetMenuItemText(menu, item, shortened.p);
        AddMenuItemRec(menu, item, nick);
    }
}

void ABartender::AddMenuRec(short menuID, MenuHandle menu) {
    if (HasMenuRec(menuID)) return;
    menuIDList.push_back(MenuRec{menuID, menu, 0});
}

bool ABartender::HasMenuRec(short menuID) const {
    return std::any_of(menuIDList.begin(), menuIDList.end(),
                       [menuID](const MenuRec& r) { return r.menuID == menuID; });
}

void ABartender::SetMenuAlwaysEnabled(short menuID, unsigned char alwaysEnabled) {
    for (MenuRec& rec : menuIDList)
        if (rec.menuID == menuID) rec.alwaysEnabled = alwaysEnabled;
}

// ---------------------------------------------------------------------------
// Binding and lookup

void ABartender::AddMenuItemRec(MenuHandle menu, short item, long nick) {
    if (nick < kMinNick) {
        FtlAbortm("Nick numbers must be >= 1000");
        return;
    }
    if (nick > kMaxNick) {
        FtlAbortm("Nick numbers must fit in 32 bits");
        return;
    }
    nickList.emplace_back(GetMenuID(menu), item, menu, static_cast<SInt32>(nick));
    nickListSorted = 0;
}

long ABartender::FindNickNums(long nick) {
    if (nick < std::numeric_limits<SInt32>::min() || nick > kMaxNick) return -1;
    if (!nickListSorted) {
        // Stable, so that items of one nick keep the order they were bound in.
        std::stable_sort(
            nickList.begin(), nickList.end(),
            [](const MenuItemRec_t& a, const MenuItemRec_t& b) { return a.nick < b.nick; });
        nickListSorted = 1;
    }
    auto it = std::lower_bound(nickList.begin(), nickList.end(), nick,
                               [](const MenuItemRec_t& r, long n) { return r.nick < n; });
    if (it == nickList.end() || it->nick != nick) return -1;
    return static_cast<long>(it - nickList.begin());
}

template <class F> void ABartender::ForEachItemOf(long nick, F&& f) {
    long i = FindNickNums(nick);
    if (i < 0) return;
    for (; std::size_t(i) < nickList.size() && nickList[std::size_t(i)].nick == nick; ++i) {
        const MenuItemRec_t& rec = nickList[std::size_t(i)];
        if (rec.menu && rec.item >= 1) f(rec);
    }
}

long ABartender::MenuInfoToNickNum(short item, short menuID) {
    for (const MenuItemRec_t& rec : nickList)
        if (rec.item == item && rec.menuID == menuID) return rec.nick;
    return item;
}

MenuHandle ABartender::NickNumToMenuInfo(short* item, short* menuID, long nick) {
    const long i = FindNickNums(nick);
    if (i < 0) {
        if (item) *item = static_cast<short>(nick);
        if (menuID) *menuID = 0;
        return nullptr;
    }
    const MenuItemRec_t& rec = nickList[std::size_t(i)];
    if (item) *item = rec.item;
    if (menuID) *menuID = rec.menuID;
    return rec.menu;
}

unsigned char ABartender::ChangeNickNum(long oldNick, long newNick) {
    long i = FindNickNums(oldNick);
    if (i < 0) return 0;
    if (newNick < kMinNick || newNick > kMaxNick) {
        FtlAbortm("Nick numbers must be >= 1000");
        return 0;
    }
    for (; std::size_t(i) < nickList.size() && nickList[std::size_t(i)].nick == oldNick; ++i)
        nickList[std::size_t(i)].nick = static_cast<SInt32>(newNick);
    nickListSorted = 0;
    return 1;
}

long ABartender::GetNewNickNum() {
    FindNickNums(0); // sorts
    long candidate = kHighestFreeNick;
    for (auto it = nickList.rbegin(); it != nickList.rend() && candidate >= kLowestFreeNick; ++it) {
        if (it->nick > candidate) continue;
        if (it->nick < candidate) break;
        --candidate;
    }
    return candidate >= kLowestFreeNick ? candidate : 0;
}

// ---------------------------------------------------------------------------
// Items

void ABartender::AppendMenuItem(MenuHandle menu, long nick, const char* text, char key,
                                unsigned char shift, short icon) {
    PText p(text);
    AppendMenuItem(menu, p.p, nick, key, shift, icon);
}

void ABartender::AppendMenuItem(MenuHandle menu, const char* text, long nick, char key,
                                unsigned char shift, short icon) {
    PText p(text);
    AppendMenuItem(menu, p.p, nick, key, shift, icon);
}

void ABartender::AppendMenuItem(MenuHandle menu, const std::string& text, long nick, char key,
                                unsigned char shift, short icon) {
    PText p(text);
    AppendMenuItem(menu, p.p, nick, key, shift, icon);
}

void ABartender::AppendMenuItem(MenuHandle menu, ConstStr255Param text, long nick, char key,
                                unsigned char shift, short icon) {
    if (nick == -1) {
        AppendMenu(menu, PText("(-").p);
        return;
    }
    // A placeholder first, so no character of the text is read as a metacharacter.
    AppendMenu(menu, PText("***").p);
    const short item = CountMItems(menu);
    SetMenuItemText(menu, item, text ? text : PText("").p);
    if (nick != 0) AddMenuItemRec(menu, item, nick);
    // Applied to the new item itself, so an unbound item gets its key too.
    if (key != 0) SetItemCmd(menu, item, static_cast<unsigned char>(key));
    if (shift != 0) SetItemStyle(menu, item, kMenuShiftStyle);
    if (icon > 0) SetItemIcon(menu, item, icon);
}

void ABartender::AppendMenuItems(MenuHandle menu, long nick1, long nick2, long nick3, long nick4) {
    for (long nick : {nick1, nick2, nick3, nick4})
        if (nick != 0) AppendMenuItem(menu, "***", nick);
}

void ABartender::AppendSeparator(MenuHandle menu) {
    AppendMenuItems(menu, -1, 0, 0, 0);
}

void ABartender::PrependMenuItem(MenuHandle menu, const char* text, long nick) {
    if (nick == 0) return;
    AddinMenuItem(menu, text, 0, nick);
}

void ABartender::PrependMenuItem(MenuHandle menu, const std::string& text, long nick) {
    PrependMenuItem(menu, text.c_str(), nick);
}

void ABartender::PrependMenuItem(MenuHandle menu, ConstStr255Param text, long nick) {
    char c[256];
    KsCopyPToCstr(text, c, sizeof c);
    PrependMenuItem(menu, c, nick);
}

void ABartender::ShiftItems(MenuHandle menu, short fromItem, short by) {
    for (MenuItemRec_t& rec : nickList)
        if (rec.menu == menu && rec.item >= fromItem) rec.item = static_cast<short>(rec.item + by);
}

long ABartender::AddinMenuItem(MenuHandle menu, const char* text, long afterItem, long nick) {
    if (nick == 0) nick = GetNewNickNum();
    const short count = CountMItems(menu);
    if (afterItem > count) afterItem = count;
    if (afterItem < 0) afterItem = 0;
    const short at = static_cast<short>(afterItem + 1);
    if (nick == -1) {
        InsertMenuItem(menu, PText("(-").p, static_cast<short>(afterItem));
    } else {
        InsertMenuItem(menu, PText("***").p, static_cast<short>(afterItem));
        SetMenuItemText(menu, at, PText(text).p);
    }
    ShiftItems(menu, at, 1);
    // Every free number may be taken: the item then stays unbound.
    if (nick != -1 && nick != 0) AddMenuItemRec(menu, at, nick);
    return nick;
}

void ABartender::InjectMenuItem(MenuHandle menu, long nick, long afterNick, const char* text) {
    short after = 0;
    ForEachItemOf(afterNick, [&](const MenuItemRec_t& rec) {
        if (after == 0 && rec.menu == menu) after = rec.item;
    });
    if (after == 0) return;
    AddinMenuItem(menu, text ? text : "***", after, nick);
}

void ABartender::RemoveMenuItem(long nick, unsigned char tidySeparators) {
    for (;;) {
        const long i = FindNickNums(nick);
        if (i < 0) return;
        const MenuItemRec_t rec = nickList[std::size_t(i)];
        nickList.erase(nickList.begin() + i); // the list stays sorted
        MenuHandle menu = rec.menu;
        const short at = rec.item;
        if (!menu || at < 1 || at > CountMItems(menu)) continue;

        DeleteMenuItem(menu, at);
        short removed = 1;
        if (tidySeparators) {
            while (at <= CountMItems(menu) && IsSeparatorItem(menu, at) &&
                   (at == 1 || IsSeparatorItem(menu, static_cast<short>(at - 1)))) {
                DeleteMenuItem(menu, at);
                ++removed;
            }
            short last = CountMItems(menu);
            while (last >= 1 && IsSeparatorItem(menu, last)) {
                DeleteMenuItem(menu, last);
                --last;
            }
        }
        // Records of deleted separators go; those after the deletions move up.
        const short remaining = CountMItems(menu);
        std::erase_if(nickList, [&](const MenuItemRec_t& r) {
            return r.menu == menu && r.item > at &&
                   (r.item < at + removed || r.item - removed > remaining);
        });
        ShiftItems(menu, static_cast<short>(at + 1), static_cast<short>(-removed));
    }
}

void ABartender::ForgetMenuItems(short menuID) {
    std::erase_if(nickList, [menuID](const MenuItemRec_t& r) { return r.menuID == menuID; });
}

void ABartender::RemoveExtraSeparators(short) {}

// ---------------------------------------------------------------------------
// State by nick

void ABartender::EnableAndSetMenuItem(long nick, ConstStr255Param text) {
    ForEachItemOf(nick, [&](const MenuItemRec_t& rec) {
        SetMenuItemText(rec.menu, rec.item, text);
        ::MacEnableMenuItem(rec.menu, rec.item);
    });
}

void ABartender::EnableAndSetMenuItem(long nick, const char* text) {
    EnableAndSetMenuItem(nick, PText(text).p);
}

void ABartender::EnableAndSetMenuItem(long nick, const std::string& text) {
    EnableAndSetMenuItem(nick, PText(text).p);
}

void ABartender::SetMenuItem(long nick, const char* text) {
    PText p(text);
    ForEachItemOf(nick,
                  [&](const MenuItemRec_t& rec) { SetMenuItemText(rec.menu, rec.item, p.p); });
}

void ABartender::GetMenuItem(long nick, char* buffer, long size) {
    if (!buffer || size <= 0) return;
    buffer[0] = '\0';
    ForEachItemOf(nick, [&](const MenuItemRec_t& rec) {
        Str255 p;
        GetMenuItemText(rec.menu, rec.item, p);
        KsCopyPToCstr(p, buffer, std::size_t(std::min<long>(size, 256)));
    });
}

void ABartender::MacEnableMenuItem(long nick) {
    ForEachItemOf(nick, [](const MenuItemRec_t& rec) { ::MacEnableMenuItem(rec.menu, rec.item); });
}

void ABartender::DisableMenuItem(long nick) {
    ForEachItemOf(nick, [](const MenuItemRec_t& rec) { ::DisableMenuItem(rec.menu, rec.item); });
}

void ABartender::EnableMenuItemList(const long* nicks, std::size_t count) {
    for (std::size_t i = 0; i < count && nicks[i] >= 1; ++i) {
        if (i == std::size_t(kMaxEnableArgs)) {
            FtlAbortm("EnableMenuItems arg list > 50");
            break;
        }
        MacEnableMenuItem(nicks[i]);
    }
}

void ABartender::CheckMenuItemByNickNum(long nick, unsigned char checked) {
    ForEachItemOf(nick,
                  [&](const MenuItemRec_t& rec) { CheckItem(rec.menu, rec.item, checked != 0); });
}

unsigned char ABartender::IsItemEnabled(long nick) {
    const long i = FindNickNums(nick);
    if (i < 0) return 0;
    const MenuItemRec_t& rec = nickList[std::size_t(i)];
    if (!rec.menu || rec.item < 1) return 0;
    return IsMenuItemEnabled(rec.menu, rec.item) ? 1 : 0;
}

void ABartender::SetAccelerator(long nick, char key) {
    ForEachItemOf(nick, [&](const MenuItemRec_t& rec) {
        SetItemCmd(rec.menu, rec.item, static_cast<unsigned char>(key));
    });
}

void ABartender::SetShiftAccel(long nick, unsigned char shift) {
    if (!shift) return; // clearing is not offered: the style set earlier stays
    ForEachItemOf(
        nick, [](const MenuItemRec_t& rec) { SetItemStyle(rec.menu, rec.item, kMenuShiftStyle); });
}

void ABartender::SetStyle(long nick, short style) {
    ForEachItemOf(nick, [&](const MenuItemRec_t& rec) { SetItemStyle(rec.menu, rec.item, style); });
}

void ABartender::SetIcon(long nick, short iconID) {
    ForEachItemOf(nick, [&](const MenuItemRec_t& rec) { SetItemIcon(rec.menu, rec.item, iconID); });
}

void ABartender::SetSubMenuID(long nick, long subMenuID) {
    ForEachItemOf(nick, [&](const MenuItemRec_t& rec) {
        SetItemCmd(rec.menu, rec.item, hMenuCmd);
        SetItemMark(rec.menu, rec.item, static_cast<CharParameter>(subMenuID));
    });
}

void ABartender::SetColor(long, KsRGBColor, KsRGBColor, KsRGBColor, KsRGBColor) {}

// ---------------------------------------------------------------------------
// The whole menu bar

void ABartender::ForEachMenu(void (*proc)(MenuHandle), void (*proc2)(MenuHandle, unsigned char)) {
    SnapshotGuard snapshot{GetMenuBar()};
    if (!snapshot.h) return;
    const KsMenuListPart parts[] = {KsMenuListPart::bar, KsMenuListPart::hierarchical};
    for (KsMenuListPart part : parts) {
        const unsigned char inBar = part == KsMenuListPart::bar ? 1 : 0;
        const SInt16 count = KsMenuListCount(snapshot.h, part);
        for (SInt16 i = 0; i < count; ++i) {
            MenuHandle menu = KsMenuListGet(snapshot.h, part, i);
            if (!menu) continue;
            if (proc)
                proc(menu);
            else if (proc2)
                proc2(menu, inBar);
        }
    }
}

void ABartender::ResetAllMenus() {
    ForEachMenu(
        [](MenuHandle menu) {
            const short id = GetMenuID(menu);
            if (id <= 0 || id == kAppleMenuID) return;
            const short count = CountMItems(menu);
            for (short item = 1; item <= count; ++item) {
                ::DisableMenuItem(menu, item);
                CheckItem(menu, item, false);
            }
        },
        nullptr);
    for (const MenuRec& rec : menuIDList) {
        if (!rec.alwaysEnabled || !rec.menu) continue;
        const short count = CountMItems(rec.menu);
        for (short item = 1; item <= count; ++item)
            ::MacEnableMenuItem(rec.menu, item);
    }
}

void ABartender::DumpNicks() {
    dprintf("Nicknums\n");
    dprintf("--------\n");
    for (const MenuItemRec_t& rec : nickList) {
        const std::string text = rec.menu && rec.item >= 1 ? ItemText(rec.menu, rec.item) : "";
        dprintf("%06ld:\t%s\n", static_cast<long>(rec.nick), text.c_str());
    }
    dprintf("--------\n");
}

void ABartender::DumpMenus() {
    static const std::string dashes(79, '-');
    dprintf("%7.7s   %5.5s  %-12.12s     %-12.12s  %-4.4s\n", "ID", "Items", "Title", "Item1",
            "Bart");
    dprintf("%s\n", dashes.c_str());
    sDumping = this;
    ForEachMenu(
        [](MenuHandle menu) {
            const short id = GetMenuID(menu);
            Str255 p;
            GetMenuTitle(menu, p);
            std::string title(reinterpret_cast<const char*>(p + 1), p[0]);
            if (title.empty() || id < 0) title = "----";
            const std::string item1 = CountMItems(menu) >= 1 ? ItemText(menu, 1) : "";
            dprintf("%7d   %3d    %-12.12s     %-12.12s  %-4.4s\n", id, CountMItems(menu),
                    title.c_str(), item1.c_str(), sDumping->HasMenuRec(id) ? "Yes" : "");
        },
        nullptr);
    sDumping = nullptr;
    dprintf("%s\n", dashes.c_str());
}
