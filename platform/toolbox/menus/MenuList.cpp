// The menu list and command-key lookup. Sections: live menus, the list,
// snapshots, command keys.
//
// Command keys are found through an index from folded key to the items that
// carry it, in search order. It is rebuilt on the first lookup after a change
// of items, keys, styles, IDs or the list; enabling does not touch it, since
// lookups read the enabled state live (menus are re-enabled before every
// lookup by the framework's menu update, so that must stay cheap).
#include "MenusPrivate.h"

#include "KsHandle.h"
#include "KsMisuse.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <unordered_set>

namespace {
struct MenuListState {
    std::unordered_set<MenuHandle> live;
    // The menu last found live: resets and updates ask about the items of
    // one menu after another, so this answers nearly every question.
    MenuHandle lastLive = nullptr;
    std::vector<MenuHandle> bar;
    std::vector<MenuHandle> hier;
    unsigned generation = 1;
};

MenuListState& State() {
    static MenuListState state;
    return state;
}

bool Contains(const std::vector<MenuHandle>& list, MenuHandle menu) {
    return std::find(list.begin(), list.end(), menu) != list.end();
}

void Remove(std::vector<MenuHandle>& list, MenuHandle menu) {
    list.erase(std::remove(list.begin(), list.end(), menu), list.end());
}

void CheckLive(MenuHandle menu) {
    if (!menu || !KsIsLiveMenu(menu)) KsMisuse("not a live menu", "MenuInfo");
}
} // namespace

// ---------------------------------------------------------------------------
// Live menus

void KsRegisterLiveMenu(MenuHandle menu) {
    State().live.insert(menu);
}

void KsForgetLiveMenu(MenuHandle menu) {
    MenuListState& s = State();
    if (Contains(s.bar, menu) || Contains(s.hier, menu)) {
        Remove(s.bar, menu);
        Remove(s.hier, menu);
        KsMenuKeysChanged();
    }
    s.live.erase(menu);
    if (s.lastLive == menu) s.lastLive = nullptr;
}

bool KsIsLiveMenu(MenuHandle menu) {
    MenuListState& s = State();
    if (menu && menu == s.lastLive) return true;
    if (s.live.count(menu) == 0) return false;
    s.lastLive = menu;
    return true;
}
const std::vector<MenuHandle>& KsMenuBarList() {
    return State().bar;
}
const std::vector<MenuHandle>& KsMenuHierList() {
    return State().hier;
}
void KsMenuKeysChanged() {
    ++State().generation;
}

// ---------------------------------------------------------------------------
// The list

void InsertMenu(MenuHandle menu, MenuID beforeID) {
    CheckLive(menu);
    MenuListState& s = State();
    if (beforeID == hierMenu) {
        if (Contains(s.hier, menu)) return;
        s.hier.push_back(menu);
    } else {
        if (Contains(s.bar, menu)) return;
        auto at = s.bar.end();
        if (beforeID != 0)
            at = std::find_if(s.bar.begin(), s.bar.end(),
                              [&](MenuHandle m) { return (*m)->menuID == beforeID; });
        s.bar.insert(at, menu);
    }
    KsMenuKeysChanged();
}

void DeleteMenu(MenuID menuID) {
    MenuListState& s = State();
    for (auto* list : {&s.bar, &s.hier}) {
        auto it = std::find_if(list->begin(), list->end(),
                               [&](MenuHandle m) { return (*m)->menuID == menuID; });
        if (it != list->end()) {
            list->erase(it);
            KsMenuKeysChanged();
            return;
        }
    }
}

MenuHandle GetMenuHandle(MenuID menuID) {
    const MenuListState& s = State();
    for (const auto* list : {&s.bar, &s.hier})
        for (MenuHandle m : *list)
            if ((*m)->menuID == menuID) return m;
    return nullptr;
}

void ClearMenuBar() {
    MenuListState& s = State();
    s.bar.clear();
    s.hier.clear();
    KsMenuKeysChanged();
}

// ---------------------------------------------------------------------------
// Snapshots: a header of the two counts, then the bar's menus and the
// hierarchical ones.

namespace {
struct SnapshotHeader {
    SInt16 barCount;
    SInt16 hierCount;
    SInt32 reserved;
};

bool ReadHeader(Handle list, SnapshotHeader* header) {
    const Size size = KsGetHandleSize(list);
    if (size < Size(sizeof(SnapshotHeader))) return false;
    std::memcpy(header, *list, sizeof *header);
    if (header->barCount < 0 || header->hierCount < 0) return false;
    const Size need = Size(sizeof(SnapshotHeader)) +
                      Size(header->barCount + header->hierCount) * Size(sizeof(MenuHandle));
    return size >= need;
}

MenuHandle ReadEntry(Handle list, int index) {
    MenuHandle m;
    std::memcpy(&m, *list + sizeof(SnapshotHeader) + std::size_t(index) * sizeof m, sizeof m);
    return m;
}
} // namespace

Handle GetMenuBar() {
    const MenuListState& s = State();
    const std::size_t count = s.bar.size() + s.hier.size();
    Handle h = KsNewHandle(Size(sizeof(SnapshotHeader) + count * sizeof(MenuHandle)));
    if (!h) return nullptr;
    SnapshotHeader header{static_cast<SInt16>(s.bar.size()), static_cast<SInt16>(s.hier.size()), 0};
    std::memcpy(*h, &header, sizeof header);
    char* p = *h + sizeof header;
    for (const auto* list : {&s.bar, &s.hier}) {
        if (list->empty()) continue; // data() may be null
        std::memcpy(p, list->data(), list->size() * sizeof(MenuHandle));
        p += list->size() * sizeof(MenuHandle);
    }
    return h;
}

void SetMenuBar(Handle list) {
    SnapshotHeader header;
    if (!list || !ReadHeader(list, &header)) KsMisuse("not a menu list", "SetMenuBar");
    MenuListState& s = State();
    s.bar.clear();
    s.hier.clear();
    for (int i = 0; i < header.barCount + header.hierCount; ++i) {
        MenuHandle m = ReadEntry(list, i);
        if (!KsIsLiveMenu(m)) continue; // disposed since the snapshot
        auto& part = i < header.barCount ? s.bar : s.hier;
        if (!Contains(part, m)) part.push_back(m);
    }
    KsMenuKeysChanged();
}

SInt16 KsMenuListCount(Handle list, KsMenuListPart part) {
    SnapshotHeader header;
    if (!list || !ReadHeader(list, &header)) return 0;
    return part == KsMenuListPart::bar ? header.barCount : header.hierCount;
}

MenuHandle KsMenuListGet(Handle list, KsMenuListPart part, SInt16 index) {
    SnapshotHeader header;
    if (!list || !ReadHeader(list, &header) || index < 0) return nullptr;
    if (part == KsMenuListPart::bar)
        return index < header.barCount ? ReadEntry(list, index) : nullptr;
    return index < header.hierCount ? ReadEntry(list, header.barCount + index) : nullptr;
}

// ---------------------------------------------------------------------------
// Command keys

namespace {
constexpr UInt16 kShiftKey = 0x0200;

struct KeyEntry {
    MenuHandle menu;
    SInt16 item;
    bool shift;
};

struct KeyIndex {
    unsigned generation = 0;
    std::array<UInt32, 257> start{}; // entries of key k: [start[k], start[k + 1])
    std::vector<KeyEntry> entries;
};

KeyIndex& Index() {
    static KeyIndex index;
    return index;
}

// Command characters below space are not keys: 0x1B opens a submenu, and the
// others are reserved the same way.
bool IsKey(UInt8 cmd) {
    return cmd >= 0x20;
}

void Rebuild(KeyIndex& index) {
    const MenuListState& s = State();
    std::array<UInt32, 257> count{};
    std::size_t total = 0;
    for (const auto* list : {&s.bar, &s.hier})
        for (MenuHandle m : *list)
            for (const KsMenuItem& it : (*m)->data->items)
                if (IsKey(it.cmd)) {
                    ++count[KsMenuFoldKey(it.cmd)];
                    ++total;
                }
    index.start[0] = 0;
    for (std::size_t k = 0; k < 256; ++k)
        index.start[k + 1] = index.start[k] + count[k];
    index.entries.assign(total, KeyEntry{});
    std::array<UInt32, 256> fill{};
    std::copy(index.start.begin(), index.start.begin() + 256, fill.begin());
    for (const auto* list : {&s.bar, &s.hier})
        for (MenuHandle m : *list) {
            const auto& items = (*m)->data->items;
            for (std::size_t i = 0; i < items.size(); ++i)
                if (IsKey(items[i].cmd))
                    index.entries[fill[KsMenuFoldKey(items[i].cmd)]++] = {
                        m, static_cast<SInt16>(i + 1), (items[i].style & kMenuShiftStyle) != 0};
        }
    index.generation = s.generation;
}

KsMenuModifiersProc gModifiersProc = nullptr;
} // namespace

KsMenuModifiersProc KsSetMenuModifiersProc(KsMenuModifiersProc proc) {
    KsMenuModifiersProc old = gModifiersProc;
    gModifiersProc = proc;
    return old;
}

SInt32 KsMenuKey(CharParameter ch, UInt16 modifiers) {
    KeyIndex& index = Index();
    if (index.generation != State().generation) Rebuild(index);
    const unsigned char key = KsMenuFoldKey(static_cast<unsigned char>(ch));
    const KeyEntry* first = index.entries.data() + index.start[key];
    const KeyEntry* last = index.entries.data() + index.start[key + 1];
    const bool shiftDown = (modifiers & kShiftKey) != 0;
    // With Shift the Shift-marked keys win; then (and without Shift) the others.
    for (int pass = shiftDown ? 0 : 1; pass < 2; ++pass) {
        const bool wantShift = pass == 0;
        for (const KeyEntry* e = first; e != last; ++e) {
            if (e->shift != wantShift) continue;
            const KsMenuData& d = *(*e->menu)->data;
            if (!d.enabled || !d.items[std::size_t(e->item) - 1].enabled) continue;
            return (SInt32((*e->menu)->menuID) << 16) | SInt32(UInt16(e->item));
        }
    }
    return 0;
}

SInt32 MenuKey(CharParameter ch) {
    return KsMenuKey(ch, gModifiersProc ? gModifiersProc() : 0);
}
