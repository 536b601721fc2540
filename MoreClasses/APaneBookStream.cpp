// APaneBook persistence: the class registration, the stream record and the
// pane property text keys.
//
// The page panes travel as the book's sub-panes; the stream record then
// names, per page, its number and a reference to its pane. Reading checks
// both: a number out of range is clamped, and a reference that is not one of
// the book's own panes is refused as damaged data.
#include "APaneBook.h"

#include "AStream.h"
#include "CoreAttrList.h"
#include "KsPaneDump.h"
#include "PaneStream.h"
#include "XError.h"

#include <algorithm>

namespace {
APortable* MakePaneBook() {
    return new APaneBook;
}

// The most pages a stream may announce: every page is a sub-pane, and no
// book holds more sub-panes than this.
constexpr SInt32 kMaxStreamPages = 4096;

// Tab measures read from outside are held to what a tab strip can use, so
// that the tab arithmetic stays far from the 32-bit limits.
SInt32 Measure(SInt32 v) {
    return std::clamp<SInt32>(v, 0, 4096);
}
SInt32 Reveal(SInt32 v) {
    return std::clamp<SInt32>(v, -32768, 32767);
}

// Registered with the library, so that streams, Copy and the property text
// find the class.
const bool kRegistered =
    (APaneBook::PCRegister(), TavikAddRegistration("APaneBook", APaneBook::PCRegister),
     TavikAddDumpDetail("APaneBook",
                        [](APane* p, UInt32, KsPrintfProc printf, int) {
                            auto* b = static_cast<APaneBook*>(p);
                            printf("; page %d of %d", int(b->GetVisPageNum(false)),
                                   int(b->GetPageCount()));
                        }),
     true);
} // namespace

void APaneBook::PCRegister() {
    PClassAdd(kClassID, kClassInfo.name, MakePaneBook);
    PaneTextClass row;
    row.name = "APaneBook";
    row.make = [] { return static_cast<APane*>(new APaneBook); };
    if (const PaneTextClass* pane = PaneTextFindClass("APane")) {
        row.addProps = pane->addProps;
        row.getProps = pane->getProps;
    }
    row.addProps.push_back(
        [](APane* p, CoreAttrList* l) { static_cast<APaneBook*>(p)->AddPropsToList(l); });
    row.getProps.push_back(
        [](APane* p, CoreAttrList* l) { static_cast<APaneBook*>(p)->GetPropsFromList(l); });
    row.subs = PaneTextSubs::subs;
    row.afterRead = AfterRead;
    PaneTextRegisterClass(row);
}

void APaneBook::Put(AStream& s) {
    (void)kRegistered;
    APane::Put(s);
    s.PutClassMark(kClassID, kVersion);
    s.PutBool("iStackedLabels", iStackedLabels);
    s.PutBool("iDrawBinder", iDrawBinder);
    s.PutLong("iLabelWidth", iLabelWidth);
    s.PutLong("iLabelHeight", iLabelHeight);
    s.PutLong("iLabelSeparation", iLabelSeparation);
    s.PutLong("iLabelMargin", iLabelMargin);
    s.PutLong("iReveal", iReveal);
    s.PutLong("pageCount", GetPageCount());
    for (SInt32 i = 1; i <= GetPageCount(); ++i) {
        s.PutShort("pageNum", SInt16(i));
        s.PutObjectRef("page", GetPage(i)->itsPagePane);
    }
    PutPageSettings(s);
}

void APaneBook::Get(AStream& s) {
    APane::Get(s);
    const SInt16 version = s.GetClassMark(kClassID, 1, kVersion);
    iStackedLabels = s.GetBool("iStackedLabels");
    iDrawBinder = s.GetBool("iDrawBinder");
    iLabelWidth = Measure(s.GetLong("iLabelWidth"));
    iLabelHeight = Measure(s.GetLong("iLabelHeight"));
    iLabelSeparation = Measure(s.GetLong("iLabelSeparation"));
    iLabelMargin = iLabelMargin2 = Measure(s.GetLong("iLabelMargin"));
    iReveal = Reveal(s.GetLong("iReveal"));
    drawsTabs = iLabelHeight > 0;
    pageBottomInset = iStackedLabels || !drawsTabs ? 3 : 4;
    const SInt32 n = s.GetLong("pageCount");
    if (n < 0 || n > std::min(kMaxStreamPages, GetNumSubPanes()))
        xraisexerror("UIS_PANE_BAD_DATA", "str what", "pane book page count out of range");
    for (SInt32 i = 0; i < n; ++i) {
        const SInt16 number = s.GetShort("pageNum");
        APortable* obj = s.GetObjectRef("page");
        if (!obj || !obj->IsInstanceOf("APane") ||
            static_cast<APane*>(obj)->GetEnclPane() != this ||
            FindPageByPagePane(static_cast<APane*>(obj)))
            xraisexerror("UIS_PANE_BAD_DATA", "str what", "pane book page is not its own pane");
        // Pages are inserted at their number, clamped to the pages read so far.
        const SInt32 at = std::clamp<SInt32>(number, 1, GetPageCount() + 1);
        AddPageWithPane(static_cast<APane*>(obj), at);
    }
    if (version >= 2) GetPageSettings(s);
    itsCurPage = nullptr;
}

void APaneBook::AddPropsToList(CoreAttrList* l) {
    l->SetSInt32("pbstkd", iStackedLabels);
    l->SetSInt32("pbdbindr", iDrawBinder);
    l->SetSInt32("pblwid", iLabelWidth);
    l->SetSInt32("pblhei", iLabelHeight);
    l->SetSInt32("pblsep", iLabelSeparation);
    l->SetSInt32("pblmarg", iLabelMargin);
    l->SetSInt32("pblmarg2", iLabelMargin2);
    l->SetSInt32("pbreveal", iReveal);
    AddPagePropsToList(l);
}

void APaneBook::GetPropsFromList(CoreAttrList* l) {
    iStackedLabels = l->GetSInt32("pbstkd", 0) != 0;
    iDrawBinder = l->GetSInt32("pbdbindr", 1) != 0;
    iLabelWidth = Measure(l->GetSInt32("pblwid", 42));
    iLabelHeight = Measure(l->GetSInt32("pblhei", 15));
    iLabelSeparation = Measure(l->GetSInt32("pblsep", 2));
    iLabelMargin = Measure(l->GetSInt32("pblmarg", 5));
    iLabelMargin2 = Measure(l->GetSInt32("pblmarg2", 5));
    iReveal = Reveal(l->GetSInt32("pbreveal", 0));
    drawsTabs = iLabelHeight > 0;
    pageBottomInset = iStackedLabels || !drawsTabs ? 3 : 4;
    pendingPageProps = std::make_unique<CoreAttrList>(*l);
    InvalInterior();
}

// Sub-panes read from text become pages, except the book's own gadgets
// (enable buttons and the like), which stay sub-panes.
void APaneBook::AdoptSubPanesAsPages() {
    if (pendingPageProps) {
        const std::unique_ptr<CoreAttrList> props = std::move(pendingPageProps);
        AdoptPagesFromProps(*props);
    }
    std::vector<APane*> subs;
    for (SInt32 i = 1; i <= GetNumSubPanes(); ++i)
        subs.push_back(GetSubPane(i));
    for (APane* p : subs)
        if (!p->IsInstanceOf("AGadget") && !FindPageByPagePane(p)) AddPageWithPane(p, -1);
    itsCurPage = nullptr;
}

void APaneBook::AfterRead(APane* pane) {
    static_cast<APaneBook*>(pane)->AdoptSubPanesAsPages();
}
