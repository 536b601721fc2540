// Decoding 'MENU' and 'MBAR' resource data (big-endian, the classic layouts).
// Every read is checked against the data; a menu is only handed out whole.
#include "MenusPrivate.h"

#include "XError.h"

#include <memory>

namespace {
class Reader {
public:
    Reader(const void* data, std::size_t size, const char* code)
        : p_(static_cast<const unsigned char*>(data)), size_(data ? size : 0), code_(code) {}

    [[noreturn]] void Fail(const char* what) const {
        xraisexerror(code_, "str what", what, "long offset", static_cast<long>(pos_));
    }
    std::size_t Left() const { return size_ - pos_; }
    std::size_t Pos() const { return pos_; }

    UInt8 U8(const char* what) {
        if (Left() < 1) Fail(what);
        return p_[pos_++];
    }
    SInt16 S16(const char* what) {
        if (Left() < 2) Fail(what);
        const auto v = static_cast<SInt16>((p_[pos_] << 8) | p_[pos_ + 1]);
        pos_ += 2;
        return v;
    }
    UInt32 U32(const char* what) {
        if (Left() < 4) Fail(what);
        const UInt32 v = (UInt32(p_[pos_]) << 24) | (UInt32(p_[pos_ + 1]) << 16) |
                         (UInt32(p_[pos_ + 2]) << 8) | UInt32(p_[pos_ + 3]);
        pos_ += 4;
        return v;
    }
    std::string Bytes(std::size_t n, const char* what) {
        if (Left() < n) Fail(what);
        std::string s(reinterpret_cast<const char*>(p_ + pos_), n);
        pos_ += n;
        return s;
    }
    // Whatever follows the data proper may only be zero padding (resource
    // editors round sizes up); anything else means the layout was misread.
    void ExpectPaddingOnly(const char* what) {
        for (std::size_t i = pos_; i < size_; ++i)
            if (p_[i] != 0) {
                pos_ = i;
                Fail(what);
            }
    }

private:
    const unsigned char* p_;
    std::size_t size_;
    std::size_t pos_ = 0;
    const char* code_;
};

struct MenuDisposer {
    void operator()(MenuInfo** m) const { DisposeMenu(m); }
};
} // namespace

MenuHandle KsMenuFromResourceData(const void* data, std::size_t size) {
    Reader r(data, size, "MENU_RSRC_BAD");
    const SInt16 menuID = r.S16("no menu ID");
    const SInt16 width = r.S16("no width");
    const SInt16 height = r.S16("no height");
    const SInt16 procID = r.S16("no definition ID");
    r.S16("no filler");
    const UInt32 enableFlags = r.U32("no enable flags");
    const UInt8 titleLength = r.U8("no title");
    std::string title = r.Bytes(titleLength, "the title is cut short");

    std::vector<KsMenuItem> items;
    for (;;) {
        const UInt8 length = r.U8("the item list is not terminated");
        if (length == 0) break;
        if (items.size() == kKsMaxMenuItems) r.Fail("too many items");
        KsMenuItem item;
        item.text = r.Bytes(length, "an item text is cut short");
        item.icon = r.U8("an item has no icon");
        item.cmd = r.U8("an item has no key");
        item.mark = r.U8("an item has no mark");
        item.style = r.U8("an item has no style");
        const std::size_t number = items.size() + 1;
        item.enabled = number > 31 || (enableFlags & (UInt32(1) << number)) != 0;
        items.push_back(std::move(item));
    }
    r.ExpectPaddingOnly("unexpected bytes after the items");

    Str255 ptitle;
    KsMenuToPString(title, ptitle);
    std::unique_ptr<MenuInfo*, MenuDisposer> menu(NewMenu(menuID, ptitle));
    (*menu)->menuWidth = width;
    (*menu)->menuHeight = height;
    (*menu)->menuProcID = procID;
    if (!(enableFlags & 1)) DisableMenuItem(menu.get(), 0);
    KsInsertMenuItems(menu.get(), 0, std::move(items));
    return menu.release();
}

std::vector<MenuID> KsMenuBarFromResourceData(const void* data, std::size_t size) {
    Reader r(data, size, "MBAR_RSRC_BAD");
    const SInt16 count = r.S16("no menu count");
    if (count < 0) r.Fail("the menu count is negative");
    if (r.Left() / 2 < std::size_t(count)) r.Fail("the menu list is cut short");
    std::vector<MenuID> ids;
    ids.reserve(std::size_t(count));
    for (SInt16 i = 0; i < count; ++i)
        ids.push_back(r.S16("the menu list is cut short"));
    r.ExpectPaddingOnly("unexpected bytes after the menu list");
    return ids;
}
