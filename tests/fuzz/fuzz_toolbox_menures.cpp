// Decoding 'MENU' and 'MBAR' resource data. The first byte picks the decoder;
// a decoded menu is also exercised (command keys, sizing) before it is freed.
#include "KsMenuDef.h"
#include "Menus.h"
#include "XError.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const bool mbar = data[0] & 1;
    try {
        if (mbar) {
            KsMenuBarFromResourceData(data + 1, size - 1);
        } else {
            MenuHandle menu = KsMenuFromResourceData(data + 1, size - 1);
            InsertMenu(menu, 0);
            for (int ch = 0x20; ch < 0x80; ++ch)
                KsMenuKey(static_cast<CharParameter>(ch), 0x0200);
            CalcMenuSize(menu);
            DisposeMenu(menu);
        }
    } catch (const XError&) {
    }
    return 0;
}
