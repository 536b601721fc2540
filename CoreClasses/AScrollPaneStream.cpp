// AScrollPane persistence: the class registration, the stream record and the
// pane property text, whose inner block is the main pane.
#include "AScrollPane.h"

#include "AGrowBoxPane.h"
#include "AScrollBar.h"
#include "AScrollablePane.h"
#include "AStream.h"
#include "CoreAttrList.h"
#include "PaneStream.h"
#include "XError.h"

namespace {
// The colour of parts rebuilt from the property text, which does not keep it.
const KsRGBColor kPartColor = RGBgray11;

APortable* MakeScrollPane() {
    return new AScrollPane;
}

// Registered with the library, so that streams, Copy and the property text
// find the class.
const bool kRegistered = (AScrollPane::PCRegister(), true);
} // namespace

void AScrollPane::PCRegister() {
    PClassAdd(kClassID, kClassInfo.name, MakeScrollPane);
    PaneTextClass row;
    row.name = "AScrollPane";
    row.make = [] { return static_cast<APane*>(new AScrollPane); };
    row.addProps = {
        [](APane* p, CoreAttrList* l) { p->AddPropsToList(l); },
        [](APane* p, CoreAttrList* l) { static_cast<AScrollPane*>(p)->AddPropsToList(l); }};
    row.getProps = {
        [](APane* p, CoreAttrList* l) { p->GetPropsFromList(l); },
        [](APane* p, CoreAttrList* l) { static_cast<AScrollPane*>(p)->GetPropsFromList(l); }};
    row.subs = PaneTextSubs::scrollPane;
    row.getInner = [](APane* p) -> APane* { return static_cast<AScrollPane*>(p)->GetMainPane(); };
    row.innerClass = "AScrollablePane";
    row.installInner = [](APane* outer, APane* inner) {
        static_cast<AScrollPane*>(outer)->InstallPane(static_cast<AScrollablePane*>(inner));
    };
    row.getMinis = [](APane* p) {
        std::vector<std::pair<APane*, bool>> minis;
        for (bool horizontal : {true, false})
            for (APane* m : static_cast<AScrollPane*>(p)->GetMiniPanes(horizontal))
                minis.emplace_back(m, horizontal);
        return minis;
    };
    row.installMini = [](APane* outer, APane* mini, bool horizontal) {
        static_cast<AScrollPane*>(outer)->AddMiniPane(mini, horizontal);
    };
    PaneTextRegisterClass(row);
}

void AScrollPane::Put(AStream& s) {
    (void)kRegistered;
    APane::Put(s);
    s.PutClassMark(kClassID, kVersion);
    s.PutShort("version", kVersion);
    s.PutObjectRef("hscroll", hScroll);
    s.PutObjectRef("vscroll", vScroll);
    s.PutBool("hasGrow", hasGrow);
    s.PutObjectRef("itsMainPane", itsMainPane);
    s.PutObjectRef("iGrowBox", growBox);
    // The mini panes are sub-panes already in the stream; the extension says
    // which they are and beside which bar, in their order.
    s.BeginExtension(kExtMiniPanes);
    for (const auto* list : {&iHMinis, &iVMinis}) {
        s.PutShort("count", SInt16(list->size()));
        for (APane* p : *list)
            s.PutObjectRef("mini", p);
    }
    s.EndExtension();
    s.PutExtensionsEnd();
}

void AScrollPane::Get(AStream& s) {
    APane::Get(s);
    s.GetClassMark(kClassID, 1, kVersion);
    (void)s.GetShort("version");
    // Only this pane's own sub-panes of the right class are taken: the
    // references come from outside data.
    auto mine = [this](APortable* o, const char* cls) -> APane* {
        if (!o || !o->IsInstanceOf(cls)) return nullptr;
        auto* p = static_cast<APane*>(o);
        return p->GetEnclPane() == this ? p : nullptr;
    };
    hScroll = static_cast<AScrollBar*>(mine(s.GetObjectRef("hscroll"), "AScrollBar"));
    vScroll = static_cast<AScrollBar*>(mine(s.GetObjectRef("vscroll"), "AScrollBar"));
    if (vScroll == hScroll) vScroll = nullptr;
    hasGrow = s.GetBool("hasGrow");
    itsMainPane =
        static_cast<AScrollablePane*>(mine(s.GetObjectRef("itsMainPane"), "AScrollablePane"));
    growBox = static_cast<AGrowBoxPane*>(mine(s.GetObjectRef("iGrowBox"), "AGrowBoxPane"));
    HookupScrollBar(hScroll);
    HookupScrollBar(vScroll);
    if (itsMainPane) {
        itsMainPane->SetIsInScrollPane(true);
        itsMainPane->SetLimitsChangedProc(LimitsChanged);
        itsMainPane->SetContentChangedProc(ContentChanged);
    }
    SInt16 n = 0;
    while (s.GetNextExtension(&n)) {
        if (n != kExtMiniPanes) continue;
        for (bool horizontal : {true, false}) {
            // Mini panes are sub-panes of this one: no more can be listed.
            const SInt16 count = s.GetShort("count");
            if (count < 0 || count > GetNumSubPanes())
                xraisexerror("UIS_PANE_BAD_DATA", "str what", "mini pane count out of range");
            for (SInt16 i = 0; i < count; ++i) {
                APane* p = mine(s.GetObjectRef("mini"), "APane");
                if (!p || p == hScroll || p == vScroll || p == growBox || p == itsMainPane ||
                    IsMiniPane(p))
                    continue;
                (horizontal ? iHMinis : iVMinis).push_back(p);
                p->SetFlag(kPaneScrollPart, true);
            }
        }
    }
    hMiniCount = SInt16(iHMinis.size());
    vMiniCount = SInt16(iVMinis.size());
    scrollBarsDirty = false;
    hBarEmpty = !hScroll || (hScroll->GetMin() == 0 && hScroll->GetMax() == 0);
    vBarEmpty = !vScroll || (vScroll->GetMin() == 0 && vScroll->GetMax() == 0);
}

void AScrollPane::AddPropsToList(CoreAttrList* l) {
    l->SetSInt32("spHsbar", hScroll != nullptr);
    l->SetSInt32("spVsbar", vScroll != nullptr);
    l->SetSInt32("spGbox", hasGrow);
}

// The parts are not read as panes: they are built again, as new ones.
void AScrollPane::GetPropsFromList(CoreAttrList* l) {
    AddScrollPaneParts(l->GetSInt32("spHsbar", 1) != 0, l->GetSInt32("spVsbar", 1) != 0,
                       l->GetSInt32("spGbox", 1) != 0, kPartColor);
}
