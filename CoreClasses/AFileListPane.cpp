#include "AFileListPane.h"

#include "APortable.h"
#include "Events.h"
#include "KsColor.h"
#include "KsPortSavers.h"
#include "QuickDraw.h"

#include <algorithm>
#include <cstring>

namespace {
APortable* MakeFileListPane() {
    return new AFileListPane;
}
const bool kRegistered = (AFileListPane::PCRegister(), true);

constexpr unsigned char kEllipsis = 0xC9; // in the framework's character set

// Draws text at the pen, cut with an ellipsis to fit width.
void DrawFitted(const std::string& text, SInt16 width) {
    SInt16 n = SInt16(std::min<std::size_t>(text.size(), 255));
    if (TextWidth(text.data(), 0, n) <= width) {
        DrawText(text.data(), 0, n);
        return;
    }
    const SInt16 room = SInt16(width - CharWidth(SInt16(kEllipsis)));
    while (n > 0 && TextWidth(text.data(), 0, n) > room)
        --n;
    DrawText(text.data(), 0, n);
    DrawChar(SInt16(kEllipsis));
}

void DrawRight(const char* text, SInt16 right, SInt16 baseline) {
    const SInt16 n = SInt16(std::strlen(text));
    MoveTo(SInt16(right - TextWidth(text, 0, n)), baseline);
    DrawText(text, 0, n);
}

// A small folder: a tab and a body.
void DrawFolderMark(SInt16 left, SInt16 top, SInt16 height) {
    const SInt16 mid = SInt16(top + height / 2);
    const Rect tab{SInt16(mid - 5), left, SInt16(mid - 3), SInt16(left + 6)};
    const Rect body{SInt16(mid - 3), left, SInt16(mid + 5), SInt16(left + 12)};
    PaintRect(&tab);
    FrameRect(&body);
}
} // namespace

void AFileListPane::PCRegister() {
    PClassAdd(kClassID, kClassInfo.name, MakeFileListPane);
}

AFileListPane* AFileListPane::New(APane* encl, SInt16 left, SInt16 right, SInt16 wid, SInt16 top,
                                  SInt16 bot, SInt16 hei) {
    (void)kRegistered;
    auto* p = new AFileListPane;
    p->ITextListPane(encl, left, right, wid, top, bot, hei);
    return p;
}

void AFileListPane::DeleteAllEntries() {
    rows.clear();
    ATextListPane::DeleteAllEntries();
}

void AFileListPane::SetRows(std::vector<KsFolderEntry> newRows) {
    ATextListPane::DeleteAllEntries();
    rows = std::move(newRows);
    // The scroll bars follow once, not once per entry.
    const AScrollableProc limits = GetLimitsChangedProc();
    SetLimitsChangedProc(nullptr);
    for (const KsFolderEntry& r : rows)
        AddEntry(r.shown.c_str(), false);
    SetLimitsChangedProc(limits);
    NotifyLimitsChanged();
    SetYpos(0);
    lastClickEntry = 0;
}

const KsFolderEntry* AFileListPane::GetRow(long n) const {
    return n >= 1 && n <= long(rows.size()) ? &rows[size_t(n - 1)] : nullptr;
}

long AFileListPane::FindRaw(const std::string& name) const {
    for (size_t i = 0; i < rows.size(); ++i)
        if (rows[i].raw == name) return long(i + 1);
    return 0;
}

void AFileListPane::NotifySelection(long before) {
    if (selectProc && GetSelectedEntryNum() != before) selectProc(this, GetSelectedEntryNum());
}

void AFileListPane::DoClick(KsPoint pt, SInt16 modifiers, SInt32 when, void* data) {
    const long before = GetSelectedEntryNum();
    ATextListPane::DoClick(pt, modifiers, when, data);
    const long now = GetSelectedEntryNum();
    const bool same = now != 0 && now == lastClickEntry && now == before;
    const bool twice = same && UInt32(when) - lastClickWhen < GetDblTime();
    lastClickEntry = now;
    lastClickWhen = UInt32(when);
    NotifySelection(before);
    if (twice) {
        lastClickEntry = 0; // a third click starts over
        if (openProc) openProc(this, now);
    }
}

bool AFileListPane::DoKeyDown(SInt16 charCode, SInt16 keyCode, EventRecord* event, void* data) {
    const long before = GetSelectedEntryNum();
    const bool used = ATextListPane::DoKeyDown(charCode, keyCode, event, data);
    NotifySelection(before);
    return used;
}

void AFileListPane::DrawDetail(const KsRect& rect, const KsRGBColor&, void*) {
    const KsRect in = GetInterior();
    SInt16 font = 0, size = 0, face = 0;
    GetFontSizeFace(&font, &size, &face);
    StTextIn text(font, size, face);
    StColorPenSaver pen;
    const SInt16 height = GetLineHeight();
    const SInt32 first = std::max<SInt32>(0, (rect.top - in.top + ypos) / height);
    for (size_t i = size_t(first); i < rows.size(); ++i) {
        const SInt32 top = in.top + SInt32(i) * height - ypos;
        if (top >= rect.bottom) break;
        const KsRect line{in.left, top, in.right, top + height};
        DrawRow(rows[i], line, long(i + 1) == GetSelectedEntryNum());
    }
}

// The pen is saved by the caller; rows draw in black on white or on the
// hilite colour.
void AFileListPane::DrawRow(const KsFolderEntry& row, const KsRect& line, bool selected) {
    if (selected) {
        RGBColor hilite{};
        GetHiliteColor(&hilite);
        RGBForeColor(&hilite);
        const Rect r = ToRect(line);
        PaintRect(&r);
    }
    const RGBColor ink = ToRGBColor(row.replaced ? RGBgray6 : RGBblack);
    RGBForeColor(&ink);
    FontInfo fi{};
    GetFontInfo(&fi);
    const SInt16 baseline = SInt16(line.top + fi.ascent);
    const SInt16 left = SInt16(line.left + 3 - xpos);
    const SInt16 dateLeft = SInt16(line.right - kDateWidth);
    const SInt16 sizeRight = SInt16(dateLeft - 10);
    const SInt16 nameRight = SInt16(sizeRight - kSizeWidth);
    if (row.isFolder) DrawFolderMark(left, SInt16(line.top), SInt16(line.Height()));
    MoveTo(SInt16(left + kMarkWidth), baseline);
    DrawFitted(row.shown, SInt16(nameRight - left - kMarkWidth));
    char buf[32];
    if (!row.isFolder) {
        KsFormatFileSize(row.size, buf, sizeof buf);
        DrawRight(buf, sizeRight, baseline);
    }
    KsFormatFileDate(row.modified, buf, sizeof buf);
    MoveTo(dateLeft, baseline);
    DrawText(buf, 0, SInt16(std::strlen(buf)));
}
