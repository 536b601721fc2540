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

// Registered with the library, so that streams, Copy and the property text
// find the class.
const bool kRegistered = (APaneBook::PCRegister(), true);
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
}

void APaneBook::Get(AStream& s) {
    APane::Get(s);
    s.GetClassMark(kClassID, 1, kVersion);
    iStackedLabels = s.GetBool("iStackedLabels");
    iDrawBinder = s.GetBool("iDrawBinder");
    iLabelWidth = s.GetLong("iLabelWidth");
    iLabelHeight = s.GetLong("iLabelHeight");
    iLabelSeparation = s.GetLong("iLabelSeparation");
    iLabelMargin = iLabelMargin2 = s.GetLong("iLabelMargin");
    iReveal = s.GetLong("iReveal");
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
}

void APaneBook::GetPropsFromList(CoreAttrList* l) {
    iStackedLabels = l->GetSInt32("pbstkd", 0) != 0;
    iDrawBinder = l->GetSInt32("pbdbindr", 1) != 0;
    iLabelWidth = l->GetSInt32("pblwid", 42);
    iLabelHeight = l->GetSInt32("pblhei", 15);
    iLabelSeparation = l->GetSInt32("pblsep", 2);
    iLabelMargin = l->GetSInt32("pblmarg", 5);
    iLabelMargin2 = l->GetSInt32("pblmarg2", 5);
    iReveal = l->GetSInt32("pbreveal", 0);
    drawsTabs = iLabelHeight > 0;
    pageBottomInset = iStackedLabels || !drawsTabs ? 3 : 4;
    InvalInterior();
}

// Sub-panes read from text become pages, except the book's own gadgets
// (enable buttons and the like), which stay sub-panes.
void APaneBook::AdoptSubPanesAsPages() {
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
