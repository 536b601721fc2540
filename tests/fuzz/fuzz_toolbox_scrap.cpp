// Clipboard text from other programs through the scrap. Whatever the bytes,
// the text read is Mac OS Roman with CR line ends, and writing it back and
// reading it again gives the same bytes (when the UTF-8 it becomes still fits
// the limit: é is one byte read and two written).
#include "KsHandle.h"
#include "KsHeadlessBackend.h"
#include "Scrap.h"
#include "ScrapPrivate.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

namespace {

constexpr std::size_t kLimit = 1024; // small, so that the cut is exercised too

KsHeadlessBackend* Backend() {
    static KsHeadlessBackend* backend = [] {
        auto headless = std::make_unique<KsHeadlessBackend>(64, 64);
        KsHeadlessBackend* b = headless.get();
        KsInstallBackend(std::move(headless));
        KsSetScrapTextLimit(kLimit);
        return b;
    }();
    return backend;
}

std::string Read(Handle h) {
    SInt32 n = GetScrap(h, FourCharCode("TEXT"), nullptr);
    if (n < 0) return "<none>";
    return std::string(*h, std::size_t(n));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    KsHeadlessBackend* backend = Backend();
    Handle h = KsNewHandle(0);
    ZeroScrap();
    backend->SetClipboardText(std::string(reinterpret_cast<const char*>(data), size));
    const std::string first = Read(h);
    if (first.find('\n') != std::string::npos) __builtin_trap();
    if (first != "<none>") {
        ZeroScrap();
        PutScrap(SInt32(first.size()), FourCharCode("TEXT"), first.data());
        const std::string utf8 = backend->GetClipboardText();
        ZeroScrap();
        backend->SetClipboardText(utf8);
        if (utf8.size() <= kLimit && Read(h) != first) __builtin_trap();
    }
    KsDisposeHandle(h);
    return 0;
}
