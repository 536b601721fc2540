// Menu resources whose item texts are arbitrary bytes: binding the "#nnn"
// suffixes never fails, binds only nicks of 1000 up, and leaves every record
// pointing at an item of its menu whose text lost exactly its suffix.
#include "ABartender.h"
#include "KsFatal.h"
#include "KsHandle.h"
#include "Menus.h"
#include "Resources.h"

#include <cstdint>
#include <cstdlib>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

constexpr SInt16 kMenuID = 400;

unsigned char NoFatal(char* message, char*, int) {
    // Bad resource texts must never reach the fatal path.
    (void)message;
    std::abort();
}

// The resource file the inputs are written into, made once.
void OpenScratchFile() {
    static bool open = false;
    if (open) return;
    char dir[] = "/tmp/ksfuzzbartenderXXXXXX";
    if (!mkdtemp(dir)) std::abort();
    static std::string scratch = dir;
    std::atexit([] { std::system(("rm -rf '" + scratch + "'").c_str()); });
    const std::string path = std::string(dir) + "/menus.rsrc";
    KsCreateResFile(path.c_str());
    if (KsOpenResFile(path.c_str(), fsRdWrPerm) <= 0) std::abort();
    FtlInstall(NoFatal);
    open = true;
}

// Items are the input's lines, each cut to 255 bytes.
std::vector<UInt8> MenuData(const uint8_t* data, size_t size, std::vector<std::string>* items) {
    // ID, width, height, definition ID, filler; then every item enabled and the title "F".
    std::vector<UInt8> d = {UInt8(kMenuID >> 8), UInt8(kMenuID), 0, 0, 0, 0, 0, 0, 0, 0};
    d.insert(d.end(), {0xFF, 0xFF, 0xFF, 0xFF, 1, 'F'});
    std::string line;
    auto flush = [&] {
        if (line.size() > 255) line.resize(255);
        if (!line.empty() && items->size() < 200) {
            items->push_back(line);
            d.push_back(UInt8(line.size()));
            d.insert(d.end(), line.begin(), line.end());
            d.insert(d.end(), {0, 0, 0, 0});
        }
        line.clear();
    };
    for (size_t i = 0; i < size; ++i) {
        if (data[i] == '\n')
            flush();
        else
            line.push_back(char(data[i]));
    }
    flush();
    d.push_back(0);
    return d;
}

std::string Text(MenuHandle menu, short item) {
    Str255 p;
    GetMenuItemText(menu, item, p);
    return std::string(reinterpret_cast<const char*>(p + 1), p[0]);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    OpenScratchFile();
    std::vector<std::string> items;
    const std::vector<UInt8> bytes = MenuData(data, size, &items);
    if (Handle old = Get1Resource(FourCharCode("MENU"), kMenuID)) {
        RemoveResource(old); // the block comes back to us
        KsDisposeHandle(old);
    }
    AddResource(KsNewHandleFrom(bytes.data(), Size(bytes.size())), FourCharCode("MENU"), kMenuID,
                reinterpret_cast<const unsigned char*>("\0"));

    ClearMenuBar();
    ABartender* bar = ABartender::New();
    bar->IBartender("Fuzz");
    MenuHandle menu = nullptr;
    bar->AddMenu(&menu, kMenuID, ABartender::kMenuInBar);
    if (!menu) std::abort();
    // Items whose text is empty after the menu's own decoding may be dropped;
    // compare texts only when the counts agree.
    const bool sameCount = CountMItems(menu) == short(items.size());
    for (const MenuItemRec_t& rec : bar->GetNickList()) {
        if (rec.menu != menu) continue;
        if (rec.nick < 1000 || rec.item < 1 || rec.item > CountMItems(menu)) std::abort();
        if (sameCount) {
            const std::string& source = items[size_t(rec.item - 1)];
            const std::string suffix = "#" + source.substr(source.rfind('#') + 1);
            if (Text(menu, rec.item) + suffix != source) std::abort();
        }
        if (bar->MenuInfoToNickNum(rec.item, kMenuID) != rec.nick) std::abort();
    }
    bar->Dispose();
    ClearMenuBar();
    return 0;
}
