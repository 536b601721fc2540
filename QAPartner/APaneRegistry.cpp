#include "APaneRegistry.h"

#include "APane.h"
#include "APaneTextPrivate.h"
#include "KsFatal.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace {

// Live registries and the dispose hook found when the first one was made.
std::vector<APaneRegistry*>& Live() {
    static std::vector<APaneRegistry*> live;
    return live;
}
APaneDisposeProc gPreviousHook = nullptr;

void DisposeHook(APane* pane) {
    // Removing cannot add or remove registries, so the list is stable here.
    for (APaneRegistry* r : Live())
        r->Remove(pane);
    if (gPreviousHook) gPreviousHook(pane);
}

int ComparePane(const void* wanted, const void* item) {
    const APane* a = static_cast<const APaneRegistry::Record*>(wanted)->pane;
    const APane* b = static_cast<const APaneRegistry::Record*>(item)->pane;
    return a == b ? 0 : 1;
}

int CompareRefNum(const void* wanted, const void* item) {
    SInt32 a = static_cast<const APaneRegistry::Record*>(wanted)->refNum;
    SInt32 b = static_cast<const APaneRegistry::Record*>(item)->refNum;
    return a < b ? -1 : a > b ? 1 : 0;
}

} // namespace

APaneRegistry::APaneRegistry() {
    // One record per item: a pane pointer and its refnum.
    IArrayWithSlotAndBlock(sizeof(Record), 256, 64);
}

APaneRegistry* APaneRegistry::New() {
    APaneRegistry* r = new APaneRegistry;
    if (Live().empty()) {
        gPreviousHook = APane::iQAPdisposeCallback;
        APane::iQAPdisposeCallback = DisposeHook;
    }
    Live().push_back(r);
    return r;
}

APaneRegistry::~APaneRegistry() {
    std::vector<APaneRegistry*>& live = Live();
    live.erase(std::remove(live.begin(), live.end(), this), live.end());
    if (live.empty() && APane::iQAPdisposeCallback == DisposeHook) {
        APane::iQAPdisposeCallback = gPreviousHook;
        gPreviousHook = nullptr;
    }
}

void APaneRegistry::Dispose() {
    AArray::Dispose();
}

SInt32 APaneRegistry::IndexOf(const APane* pane) const {
    Record wanted{const_cast<APane*>(pane), 0};
    return Search(&wanted, ComparePane);
}

SInt32 APaneRegistry::Add(APane* pane) {
    FtlAssert((pane) != 0);
    if (SInt32 index = IndexOf(pane)) {
        Record r{};
        GetItem(index, &r);
        return r.refNum;
    }
    Record r{pane, nextRefNum};
    InsertAtIndex(GetCount() + 1, &r);
    ++nextRefNum;
    pane->SetRefNum(r.refNum);
    return r.refNum;
}

bool APaneRegistry::LookUp(SInt32 refNum, APane** pane) const {
    FtlAssert((pane) != 0);
    // An outside tool may send any number: one never handed out is simply
    // not found.
    if (!ValidRefNum(refNum)) return false;
    Record wanted{nullptr, refNum};
    SInt32 index = BinarySearchItem(&wanted, CompareRefNum);
    if (index == 0) return false;
    Record r{};
    GetItem(index, &r);
    *pane = r.pane;
    return true;
}

bool APaneRegistry::Remove(APane* pane) {
    FtlAssert((pane) != 0);
    SInt32 index = IndexOf(pane);
    return index != 0 && DeleteItem(index);
}

void APaneRegistry::Dump(KsPrintfProc printf, int indent) const {
    FtlAssert((printf) != 0);
    printf("%*sfirst refnum = %d\n", indent, "", 1);
    printf("%*sindex refNum#   pane_ptr id_string\n", indent, "");
    for (SInt32 i = 1; i <= GetCount(); ++i) {
        Record r{};
        GetItem(i, &r);
        // The stored ID only: asking the pane would generate one.
        char id[64] = "";
        if (r.pane) {
            if (const char* s = APaneReader::StoredID(r.pane)) {
                std::size_t n = std::min<std::size_t>(std::strlen(s), sizeof id - 1);
                std::memcpy(id, s, n);
                id[n] = '\0';
            }
        }
        printf("%*s[%3d] %3ld : %p \"%s\"\n", indent, "", int(i), long(r.refNum),
               static_cast<void*>(r.pane), id);
    }
    printf("%*snext unused refnum = %ld\n", indent, "", long(nextRefNum));
}
