// APane's keys in the pane property text: AddPropsToList and GetPropsFromList.
//
// Reading stores what it reads: bounds as read (no re-centring, no
// invalidation), every key the writer writes is read back, so a tree written
// and read again writes the same text.
#include "APane.h"
#include "CoreAttrList.h"
#include "KsDrawUtils.h"
#include "KsFatal.h"
#include "MacText.h"
#include "QuickDraw.h"

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <cstring>
#include <string>

namespace {

// A text key: prefix ("ht", "lt" or "bt") and suffix.
struct TextKey {
    // Suffixes are 4 characters; put together by hand, as every pane asks for
    // up to 18 of them.
    char buf[8];
    std::size_t length;
    TextKey(const char* prefix, const char* suffix) {
        const std::size_t p = std::strlen(prefix);
        if (p > 2) FtlAbortm("prefixes must be 2 characters or less");
        const std::size_t n = std::min<std::size_t>(std::strlen(suffix), sizeof buf - 1 - p);
        std::memcpy(buf, prefix, p);
        std::memcpy(buf + p, suffix, n);
        length = p + n;
        buf[length] = '\0';
    }
    operator std::string_view() const { return {buf, length}; }
};

// A font whose name does not lead back to its number (no name, or a name
// shared with another number) travels as "#<number>", so it reads back.
std::string FontNameOf(SInt16 font) {
    Str255 name;
    name[0] = 0;
    GetFontName(font, name);
    SInt16 back = 0;
    if (name[0] != 0) GetFNum(name, &back);
    if (name[0] == 0 || back != font) {
        char number[16];
        std::snprintf(number, sizeof number, "#%d", int(font));
        return number;
    }
    return std::string(reinterpret_cast<const char*>(name + 1), name[0]);
}

SInt16 FontNumberOf(const char* name) {
    if (name[0] == '#') {
        int n = 0;
        const char* end = name + std::strlen(name);
        auto r = std::from_chars(name + 1, end, n);
        if (r.ec == std::errc() && r.ptr == end && n >= -32768 && n <= 32767) return SInt16(n);
    }
    Str255 pname;
    std::size_t n = std::min<std::size_t>(std::strlen(name), 255);
    pname[0] = UInt8(n);
    std::memcpy(pname + 1, name, n);
    SInt16 font = 0;
    GetFNum(pname, &font);
    return font;
}

void AddTextProps(CoreAttrList* list, const char* prefix, const MacText* text) {
    if (!text || text->IsEmpty()) return;
    list->SetSInt32(TextKey(prefix, ".ver"), 1);
    list->SetText(TextKey(prefix, ".fnt"), FontNameOf(text->GetFont()).c_str());
    list->SetSInt32(TextKey(prefix, ".sze"), text->GetSize());
    list->SetSInt32(TextKey(prefix, ".fce"), text->GetFace());
    list->SetSInt32(TextKey(prefix, ".jst"), text->GetJust());
    list->SetText(TextKey(prefix, ".str"), text->GetText());
}

// A new text from the keys, or null when the keys hold none.
MacText* GetTextProps(const CoreAttrList* list, const char* prefix) {
    if (list->GetSInt32(TextKey(prefix, ".ver"), 0) == 0) return nullptr;
    MacText* text = MacText::New("");
    SInt16 font = FontNumberOf(list->GetText(TextKey(prefix, ".fnt"), ""));
    const char* str = list->GetText(TextKey(prefix, ".str"), "");
    if (*str) text->SetText(str);
    text->SetFontSizeFace(font, list->GetSInt16(TextKey(prefix, ".sze"), text->GetSize()),
                          list->GetSInt16(TextKey(prefix, ".fce"), 0));
    text->SetJust(list->GetSInt16(TextKey(prefix, ".jst"), 0));
    return text;
}

void Replace(MacText*& field, MacText* text) {
    if (field) field->Dispose();
    field = text;
}

} // namespace

void APane::AddPropsToList(CoreAttrList* list) {
    if (iPaneID && *iPaneID) list->SetText("paneID", *iPaneID);
    list->SetSInt32("br.top", bounds.top);
    list->SetSInt32("br.lef", bounds.left);
    list->SetSInt32("br.bot", bounds.bottom);
    list->SetSInt32("br.rit", bounds.right);
    list->SetSInt32("bRsrcID", iBkgdRsrcID);
    list->SetUInt32("bRsrcTyp", iBkgdRsrcType);
    AddTextProps(list, "ht", helpText);
    AddTextProps(list, "lt", label);
    AddTextProps(list, "bt", bodyText);
    list->SetSInt32("xoffset", xoffset);
    list->SetSInt32("yoffset", yoffset);
    list->SetSInt32("bg.r", bkgdColor.red);
    list->SetSInt32("bg.g", bkgdColor.green);
    list->SetSInt32("bg.b", bkgdColor.blue);
    list->SetSInt32("border", border);
    list->SetSInt32("visible", visible);
    list->SetSInt32("drawsBg", drawsBackground);
    list->SetSInt32("canBeTab", canBeTabbedTo);
    // The pane's own setting: the hierarchy value is recomputed from the
    // sub-panes when they are read.
    list->SetSInt32("alDawdle", ownAlwaysDawdle);
    list->SetSInt32("dfltCurs", defaultsCursor);
    list->SetSInt32("dispOnly", displayOnly);
    list->SetUInt32("sizAttr", iFlags & kPaneSizingMask);
    list->SetSInt32("labeldx", labeldx);
    list->SetSInt32("labeldy", labeldy);
    list->SetUInt32("iFlags", iFlags);
}

void APane::GetPropsFromList(CoreAttrList* list) {
    const char* id = list->GetText("paneID", "");
    if (*id) SetPaneID(id);
    KsRect r{};
    r.top = list->GetSInt32("br.top", 0);
    r.left = list->GetSInt32("br.lef", 0);
    r.bottom = list->GetSInt32("br.bot", 0);
    r.right = list->GetSInt32("br.rit", 0);
    StoreBounds(r);

    SInt16 rsrcID = list->GetSInt16("bRsrcID", 0);
    OSType rsrcType = list->GetUInt32("bRsrcTyp", 0);
    if (rsrcID != 0) SetBkgdRsrc(rsrcID, rsrcType);
    iBkgdRsrcID = rsrcID;
    iBkgdRsrcType = rsrcType;

    Replace(helpText, GetTextProps(list, "ht"));
    Replace(label, GetTextProps(list, "lt"));
    Replace(bodyText, GetTextProps(list, "bt"));
    xoffset = list->GetSInt32("xoffset", 0);
    yoffset = list->GetSInt32("yoffset", 0);

    UInt16 red = list->GetUInt16("bg.r", 0);
    bkgdColor.red = red;
    bkgdColor.green = list->GetUInt16("bg.g", red);
    bkgdColor.blue = list->GetUInt16("bg.b", red);
    border = RestrictBorderStyle(list->GetSInt32("border", 0));
    visible = list->GetSInt32("visible", 1) != 0;
    drawsBackground = list->GetSInt32("drawsBg", 1) != 0;
    canBeTabbedTo = list->GetSInt32("canBeTab", 0) != 0;
    SetAlwaysDawdle(list->GetSInt32("alDawdle", 0) != 0);
    defaultsCursor = list->GetSInt32("dfltCurs", 1) != 0;
    displayOnly = list->GetSInt32("dispOnly", 0) != 0;
    // The sizing bits are stored, not applied: applying them would re-centre
    // the pane and move the bounds just read.
    iFlags =
        (iFlags & ~UInt32(kPaneSizingMask)) | (list->GetUInt32("sizAttr", 0) & kPaneSizingMask);
    const SInt16 dx = list->GetSInt16("labeldx", 0);
    StoreLabelStrips(dx, list->GetSInt16("labeldy", 0));
    // The whole flag word, when given, wins over "sizAttr".
    if (list->Has("iFlags")) iFlags = list->GetUInt32("iFlags", 0);
    iFlags &= ~UInt32(kPaneSelected);
}
