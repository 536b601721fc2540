// APaneBook persistence of what a page carries beyond its pane: its refcon,
// hidden tab, tab colour and icon, extra tab offset, window content size and
// enable button.
//
// The stream writes them after the pages (version 2); older records end
// before them and read as they always did. The property text names each
// page's pane and enable button by their number among the book's sub-panes
// ("pbpg<n>", "pben<n>"), so pages keep their tab order even when it differs
// from the sub-panes' order; without those keys the sub-panes become pages
// in their own order, as before.
#include "APaneBook.h"

#include "APushButton.h"
#include "AStream.h"
#include "XError.h"

#include <algorithm>
#include <cstdio>
#include <string>

namespace {
// Offsets and sizes read from outside stay within what 16-bit coordinates
// can place.
SInt32 Coord(SInt32 v) {
    return std::clamp<SInt32>(v, -32768, 32767);
}

std::string Key(const char* stem, SInt32 n) {
    char key[32];
    std::snprintf(key, sizeof key, "%s%d", stem, int(n));
    return key;
}

// 1-based number of pane among encl's sub-panes; 0 when it is not one.
SInt32 SubPaneNumber(const APane* encl, const APane* pane) {
    for (SInt32 i = 1; pane && i <= encl->GetNumSubPanes(); ++i)
        if (encl->GetSubPane(i) == pane) return i;
    return 0;
}

// A colour in six bytes, high byte first, for the property text.
void PutColorData(CoreAttrList* l, const std::string& key, const KsRGBColor& c) {
    const UInt8 b[6] = {UInt8(c.red >> 8), UInt8(c.red),       UInt8(c.green >> 8),
                        UInt8(c.green),    UInt8(c.blue >> 8), UInt8(c.blue)};
    l->SetData(key, b, sizeof b);
}

bool GetColorData(const CoreAttrList& l, const std::string& key, KsRGBColor* c) {
    Size size = 0;
    const auto* b = static_cast<const UInt8*>(l.GetData(key, &size));
    if (!b || size != 6) return false;
    *c = {UInt16(b[0] << 8 | b[1]), UInt16(b[2] << 8 | b[3]), UInt16(b[4] << 8 | b[5])};
    return true;
}
} // namespace

bool APaneBook::ClaimEnableButton(APaneBookPage* page, APane* button) {
    if (!page || page->itsEnableButton || !button || button->GetEnclPane() != this ||
        !button->IsInstanceOf("APushButton"))
        return false;
    for (const APaneBookPage* p : pages)
        if (p->itsEnableButton == button || p->itsPagePane == button) return false;
    page->itsEnableButton = static_cast<APushButton*>(button);
    button->SetVisible(!page->hidden);
    RecolorEnableButton(page, page->IsVisiblePage());
    return true;
}

void APaneBook::PutPageSettings(AStream& s) {
    s.PutShort("labelSize", labelSize);
    s.PutShort("labelFace", labelFace);
    s.PutLong("iLabelMargin2", iLabelMargin2);
    for (const APaneBookPage* p : pages) {
        s.PutObjectRef("enable", p->itsEnableButton);
        s.PutLong("refCon", p->refCon);
        s.PutBool("hidden", p->hidden);
        s.PutColor("tabColor", p->tabColor.red, p->tabColor.green, p->tabColor.blue);
        s.PutShort("tabIcon", p->tabIcon);
        s.PutLong("tabOffset", p->extraTabOffset);
        s.PutLong("winWidth", p->winWidth);
        s.PutLong("winHeight", p->winHeight);
    }
}

void APaneBook::GetPageSettings(AStream& s) {
    labelSize = SInt16(std::clamp<SInt16>(s.GetShort("labelSize"), 1, 127));
    labelFace = s.GetShort("labelFace");
    iLabelMargin2 = std::clamp<SInt32>(s.GetLong("iLabelMargin2"), 0, 4096);
    for (APaneBookPage* p : pages) {
        APortable* enable = s.GetObjectRef("enable");
        p->refCon = s.GetLong("refCon");
        p->hidden = s.GetBool("hidden");
        s.GetColor("tabColor", &p->tabColor.red, &p->tabColor.green, &p->tabColor.blue);
        p->tabIcon = s.GetShort("tabIcon");
        p->extraTabOffset = Coord(s.GetLong("tabOffset"));
        p->winWidth = Coord(s.GetLong("winWidth"));
        p->winHeight = Coord(s.GetLong("winHeight"));
        if (enable &&
            (!enable->IsInstanceOf("APane") || !ClaimEnableButton(p, static_cast<APane*>(enable))))
            xraisexerror("UIS_PANE_BAD_DATA", "str what", "pane book enable button is not its own");
    }
    RealignEnableGads();
}

void APaneBook::AddPagePropsToList(CoreAttrList* l) {
    SInt32 n = 0;
    for (const APaneBookPage* p : pages) {
        ++n;
        l->SetSInt32(Key("pbpg", n), SubPaneNumber(this, p->itsPagePane));
        if (const SInt32 b = SubPaneNumber(this, p->itsEnableButton))
            l->SetSInt32(Key("pben", n), b);
        if (p->refCon) l->SetSInt32(Key("pbref", n), p->refCon);
        if (p->hidden) l->SetSInt32(Key("pbhide", n), 1);
        if (!(p->tabColor == RGBblack)) PutColorData(l, Key("pbtabc", n), p->tabColor);
        if (p->tabIcon != -1) l->SetSInt32(Key("pbicon", n), p->tabIcon);
        if (p->extraTabOffset) l->SetSInt32(Key("pbsep", n), p->extraTabOffset);
        if (p->winWidth != APaneBookPage::kNoSize) l->SetSInt32(Key("pbwinw", n), p->winWidth);
        if (p->winHeight != APaneBookPage::kNoSize) l->SetSInt32(Key("pbwinh", n), p->winHeight);
    }
}

void APaneBook::AdoptPagesFromProps(const CoreAttrList& l) {
    for (SInt32 n = 1; l.Find(Key("pbpg", n)); ++n) {
        APane* pane = GetSubPane(l.GetSInt32(Key("pbpg", n)));
        // A number that names no page pane is passed over; the sub-panes
        // left over become pages afterwards all the same.
        if (!pane || pane->IsInstanceOf("AGadget") || FindPageByPagePane(pane)) continue;
        APaneBookPage* p = AddPageWithPane(pane, -1);
        p->refCon = l.GetSInt32(Key("pbref", n), 0);
        p->hidden = l.GetSInt32(Key("pbhide", n), 0) != 0;
        if (!GetColorData(l, Key("pbtabc", n), &p->tabColor)) p->tabColor = RGBblack;
        p->tabIcon = SInt16(Coord(l.GetSInt32(Key("pbicon", n), -1)));
        p->extraTabOffset = Coord(l.GetSInt32(Key("pbsep", n), 0));
        p->winWidth = Coord(l.GetSInt32(Key("pbwinw", n), APaneBookPage::kNoSize));
        p->winHeight = Coord(l.GetSInt32(Key("pbwinh", n), APaneBookPage::kNoSize));
        if (l.Find(Key("pben", n))) ClaimEnableButton(p, GetSubPane(l.GetSInt32(Key("pben", n))));
    }
    RealignEnableGads();
}
