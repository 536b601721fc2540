// Compound pane IDs from arbitrary text against a small fixed tree.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "APane.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static APane* root = nullptr;
    static APane* leaf = nullptr;
    if (!root) {
        root = new APane;
        root->SetPaneID("win");
        APane* a = new APane;
        a->SetPaneID("a");
        root->AddSubPane(a);
        leaf = new APane;
        leaf->SetPaneID("ab");
        a->AddSubPane(leaf);
    }
    const std::string cid(reinterpret_cast<const char*>(data), size);
    APane* p = root->FindByCompoundID(cid.c_str());
    // Any answer is a pane of the tree.
    if (p && p != root && p != leaf && p->GetEnclPane() != root) std::abort();
    return 0;
}
