#include "ATextListPane.h"

#include "KsColor.h"
#include "KsDrawUtils.h"
#include "KsPortSavers.h"
#include "KsTime.h"
#include "QuickDraw.h"

#include <algorithm>
#include <cctype>
#include <cstring>

namespace {
APortable* MakeTextListPane() {
    return new ATextListPane;
}
// Registered with the library, so that streams and Copy find the class.
const bool kRegistered = (ATextListPane::PCRegister(), true);

bool StartsWithNoCase(const std::string& text, const std::string& prefix) {
    if (prefix.size() > text.size()) return false;
    for (size_t i = 0; i < prefix.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(text[i])) !=
            std::tolower(static_cast<unsigned char>(prefix[i])))
            return false;
    return true;
}
} // namespace

void ATextListPane::PCRegister() {
    PClassAdd(kClassID, kClassInfo.name, MakeTextListPane);
}

ATextListPane* ATextListPane::New(APane* encl, SInt16 left, SInt16 right, SInt16 wid, SInt16 top,
                                  SInt16 bot, SInt16 hei) {
    (void)kRegistered;
    auto* p = new ATextListPane;
    p->ITextListPane(encl, left, right, wid, top, bot, hei);
    return p;
}

ATextListPane::ATextListPane() {
    canBeTabbedTo = true;
}

void ATextListPane::ITextListPane(APane* encl, SInt16 left, SInt16 right, SInt16 wid, SInt16 top,
                                  SInt16 bot, SInt16 hei) {
    IScrollablePane(encl, left, right, wid, top, bot, hei, RGBwhite, kBorderField);
    canBeTabbedTo = true;
    MeasureLines();
}

void ATextListPane::SetFontSizeFace(SInt16 font, SInt16 size, SInt16 face) {
    AScrollablePane::SetFontSizeFace(font, size, face);
    MeasureLines();
}

void ATextListPane::MeasureLines() {
    SInt16 font = 0, size = 0, face = 0;
    GetFontSizeFace(&font, &size, &face);
    StTextIn text(font, size, face);
    FontInfo fi{};
    GetFontInfo(&fi);
    ascent = fi.ascent;
    lineHeight = SInt16(std::max(1, fi.ascent + fi.descent + fi.leading));
    SetYincr(lineHeight);
    SetYmax(SInt32(entries.size()) * lineHeight);
}

long ATextListPane::AddEntry(const char* text, bool select) {
    entries.emplace_back(text ? text : "");
    SetYmax(SInt32(entries.size()) * lineHeight);
    ContentChanged();
    const long n = long(entries.size());
    InvalEntry(n);
    if (select) SelectEntry(n, true);
    return n;
}

void ATextListPane::SelectEntry(long n, bool on) {
    if (n < 1 || n > long(entries.size())) return;
    if (!on) {
        if (selected == n) ClearSelection();
        return;
    }
    if (selected == n) return;
    InvalEntry(selected);
    selected = n;
    InvalEntry(selected);
    ShowEntry(selected);
}

void ATextListPane::ClearSelection() {
    if (!selected) return;
    InvalEntry(selected);
    selected = 0;
}

void ATextListPane::DeleteAllEntries() {
    entries.clear();
    selected = 0;
    SetYmax(0);
    ContentChanged();
    InvalInterior();
}

void ATextListPane::GetEntryText(long n, char* buf, long len) const {
    if (!buf || len <= 0) return;
    buf[0] = 0;
    if (n < 1 || n > long(entries.size())) return;
    const std::string& e = entries[size_t(n - 1)];
    const size_t count = std::min(e.size(), size_t(len - 1));
    std::memcpy(buf, e.data(), count);
    buf[count] = 0;
}

void ATextListPane::InvalEntry(long n) {
    if (n < 1) return;
    LongRect l{SInt32(n - 1) * lineHeight, xpos, SInt32(n) * lineHeight, xpos + 32000};
    KsRect r{};
    LandscapeToWindowRect(l, &r);
    PaneInvalRect(r.Intersect(GetInterior()));
}

void ATextListPane::ShowEntry(long n) {
    const SInt32 top = SInt32(n - 1) * lineHeight;
    const SInt32 height = GetInterior().Height();
    if (top < ypos)
        SetYpos(top);
    else if (top + lineHeight > ypos + height)
        SetYpos(top + lineHeight - height);
}

long ATextListPane::EntryAt(KsPoint pt) const {
    LongPoint l{};
    WindowToLandscapePt(pt, &l);
    const long n = l.v / lineHeight + 1;
    return l.v >= 0 && n <= long(entries.size()) ? n : 0;
}

void ATextListPane::DrawDetail(const KsRect& rect, const KsRGBColor&, void*) {
    const KsRect in = GetInterior();
    SInt16 font = 0, size = 0, face = 0;
    GetFontSizeFace(&font, &size, &face);
    StTextIn text(font, size, face);
    StColorPenSaver pen;
    const SInt32 first = std::max<SInt32>(0, (rect.top - in.top + ypos) / lineHeight);
    for (size_t i = size_t(first); i < entries.size(); ++i) {
        const SInt32 top = in.top + SInt32(i) * lineHeight - ypos;
        if (top >= rect.bottom) break;
        const bool sel = long(i + 1) == selected;
        if (sel) {
            RGBColor hilite{};
            GetHiliteColor(&hilite);
            RGBForeColor(&hilite);
            const Rect row{SInt16(top), SInt16(in.left), SInt16(top + lineHeight),
                           SInt16(in.right)};
            PaintRect(&row);
        }
        const RGBColor ink = ToRGBColor(RGBblack);
        RGBForeColor(&ink);
        MoveTo(SInt16(in.left + 3 - xpos), SInt16(top + ascent));
        DrawText(entries[i].data(), 0, SInt16(std::min<size_t>(entries[i].size(), 255)));
    }
}

void ATextListPane::DoClick(KsPoint pt, SInt16, SInt32, void*) {
    if (const long n = EntryAt(pt)) SelectEntry(n, true);
}

bool ATextListPane::DoKeyDown(SInt16 charCode, SInt16 keyCode, EventRecord*, void*) {
    if (keyCode == kKeyUp || keyCode == kKeyDown) {
        if (entries.empty()) return true;
        const long step = keyCode == kKeyUp ? -1 : 1;
        const long from = selected ? selected : (step > 0 ? 0 : long(entries.size()) + 1);
        SelectEntry(std::clamp(from + step, 1L, long(entries.size())), true);
        return true;
    }
    const unsigned char c = static_cast<unsigned char>(charCode);
    if (c < 0x20 || c == 0x7F) return false;
    const long now = KsGetTicks();
    if (now - lastTypedTick > kTypeAheadTicks) typed.clear();
    lastTypedTick = now;
    typed += char(c);
    for (size_t i = 0; i < entries.size(); ++i)
        if (StartsWithNoCase(entries[i], typed)) {
            SelectEntry(long(i + 1), true);
            break;
        }
    return true;
}
