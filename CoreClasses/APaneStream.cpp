// APane persistence: Put and Get (versions 1 to 3), the class registration,
// 'KsPn' resources and WriteResources.
//
// Reading trusts nothing: strings are bounded by what the stream holds, the
// tree is built detached (only new panes become sub-panes, never the pane
// itself or one already enclosed), and nesting is limited. If a read fails
// the stream disposes of the pane, and with it everything read so far.
#include <cstring>
#include <string>

#include "AMemStream.h"
#include "AObjDoc.h"
#include "APane.h"
#include "APanePrivate.h"
#include "AStream.h"
#include "AWindow.h"
#include "CKsList.h"
#include "KsDrawUtils.h"
#include "KsHandle.h"
#include "MacText.h"
#include "PaneStream.h"
#include "Resources.h"
#include "XError.h"

namespace {
constexpr OSType kKsPn = 0x4B73506E; // 'KsPn'
constexpr OSType kPpat = 0x70706174; // 'ppat'

int gReadDepth = 0;
struct StReadDepth {
    StReadDepth() {
        if (++gReadDepth > APane::kMaxReadDepth) {
            --gReadDepth;
            xraisexerror("UIS_PANE_BAD_DATA", "str what", "panes nested too deeply");
        }
    }
    ~StReadDepth() { --gReadDepth; }
    StReadDepth(const StReadDepth&) = delete;
    StReadDepth& operator=(const StReadDepth&) = delete;
};

// Registered with the library, so that streams and Copy find the class.
const bool kRegistered = (APane::PCRegister(), true);
} // namespace

void APane::PCRegister() {
    PClassAdd(kClassID, "APane", []() -> APortable* { return new APane; });
}

void APane::Put(AStream& s) {
    (void)kRegistered;
    APortable::Put(s);
    s.PutClassMark(kClassID, kVersion);
    s.PutHandle("id", iPaneID);
    s.PutRect("bounds", bounds.left, bounds.top, bounds.right, bounds.bottom);
    s.PutShort("iBkgdRsrcID", iBkgdRsrcID);
    s.PutLong("iBkgdRsrcType", SInt32(iBkgdRsrcType));
    WriteMacText(s, helpText);
    s.PutLong("xoffset", xoffset);
    s.PutLong("yoffset", yoffset);
    s.PutColor("bkgd color", bkgdColor.red, bkgdColor.green, bkgdColor.blue);
    s.PutChar("border", char(border));
    s.PutBool("visible", visible);
    s.PutBool("drawsBackground", drawsBackground);
    s.PutBool("canBeTabbedTo", canBeTabbedTo);
    // The pane's own setting: the sub-panes' part is recomputed on reading.
    s.PutBool("alwaysDawdle", ownAlwaysDawdle);
    s.PutBool("defaultsCursor", defaultsCursor);
    s.PutBool("displayOnly", displayOnly);
    s.PutShort("sizingAttr", SInt16(GetSizingAttrs()));
    s.PutObjectRef("itsEnclPane", itsEnclPane);
    WriteMacText(s, label);
    s.PutShort("labeldx", labeldx);
    s.PutShort("labeldy", labeldy);
    WriteMacText(s, bodyText);
    const SInt32 n = GetNumSubPanes();
    s.PutLong("numSubPanes", n);
    for (SInt32 i = 1; i <= n; ++i)
        s.PutObject("aSubPane", GetSubPane(i));
    s.PutLong("iFlags", SInt32(iFlags));
}

void APane::Get(AStream& s) {
    KsRegisterPaneMessages();
    StReadDepth depth;
    APortable::Get(s);
    const SInt16 version = s.GetClassMark(kClassID, 1, kVersion);

    Handle id = s.GetHandle("id");
    std::string idText;
    if (id) {
        const Size size = KsGetHandleSize(id);
        idText.assign(*id, strnlen(*id, size_t(size)));
        KsDisposeHandle(id);
    }
    SInt32 l = 0, t = 0, r = 0, b = 0;
    s.GetRect("bounds", &l, &t, &r, &b);
    StoreBounds({l, t, r, b});
    const SInt16 bkgdID = s.GetShort("iBkgdRsrcID");
    OSType bkgdType = OSType(s.GetLong("iBkgdRsrcType"));
    delete helpText;
    helpText = nullptr;
    if (version < 2) {
        const SInt16 helpID = s.GetShort("iHelpRsrcID");
        const OSType helpType = OSType(s.GetLong("iHelpRsrcType"));
        if (helpID) SetHelpRsrc(helpID, helpType);
    } else {
        helpText = ReadMacText(s);
    }
    xoffset = s.GetLong("xoffset");
    yoffset = s.GetLong("yoffset");
    s.GetColor("bkgd color", &bkgdColor.red, &bkgdColor.green, &bkgdColor.blue);
    border = RestrictBorderStyle(SInt32(SInt8(s.GetChar("border"))));
    visible = s.GetBool("visible");
    drawsBackground = s.GetBool("drawsBackground");
    canBeTabbedTo = s.GetBool("canBeTabbedTo");
    ownAlwaysDawdle = s.GetBool("alwaysDawdle");
    defaultsCursor = s.GetBool("defaultsCursor");
    displayOnly = s.GetBool("displayOnly");
    (void)s.GetShort("sizingAttr"); // the sizing attributes come back in iFlags
    (void)s.GetObjectRef("itsEnclPane");
    delete label;
    label = nullptr;
    if (version < 2) {
        Handle h = s.GetHandle("label");
        if (h) {
            const std::string text(*h, strnlen(*h, size_t(KsGetHandleSize(h))));
            KsDisposeHandle(h);
            if (!text.empty()) label = MacText::New(text.c_str(), 1, 10, 0);
        }
    } else {
        label = ReadMacText(s);
    }
    const SInt16 dx = s.GetShort("labeldx");
    StoreLabelStrips(dx, s.GetShort("labeldy"));
    if (version >= 2) {
        MacText* body = ReadMacText(s);
        delete bodyText;
        bodyText = body;
    }
    const SInt32 n = s.GetLong("numSubPanes");
    if (n < 0) xraisexerror("UIS_PANE_BAD_DATA", "str what", "negative sub-pane count");
    // Objects are read one by one; the count never sizes anything.
    for (SInt32 i = 0; i < n; ++i) {
        APortable* o = s.GetObject("aSubPane");
        if (!o) continue;
        auto* p = o->IsInstanceOf("APane") ? static_cast<APane*>(o) : nullptr;
        if (!p || p == this || p->itsEnclPane) {
            if (p != this) o->Dispose();
            continue;
        }
        if (!subPanes) subPanes = new CKsList;
        subPanes->Append(p);
        ReserveSubTable();
        NoteSubPanesChanged();
        p->itsEnclPane = this;
    }
    iFlags = UInt32(s.GetLong("iFlags"));
    iFlags &= ~UInt32(kPaneSelected);
    _SetPaneID(idText.c_str());
    if (bkgdID != 0) {
        if (bkgdType == 0) bkgdType = kPpat;
        SetBkgdRsrc(bkgdID, bkgdType);
    } else {
        iBkgdRsrcID = 0;
        iBkgdRsrcType = bkgdType;
    }
    itsEnclWindow = KsCurrentWindowObj();
    RecomputeHierValues();
}

APane* APane::NewPaneFromRsrc(APane* encl, const char* name, SInt16 rsrcID) {
    KsRegisterPaneMessages();
    // The readable text wins over the binary form of the same name or ID, so
    // that a layout edited as text replaces the one it was made from.
    if (APane* fromText = ReadPane(encl, KsCurrentWindowObj(), name ? name : "",
                                   rsrcID == 0 ? SInt16(-1) : rsrcID))
        return fromText;
    Handle h = nullptr;
    if (rsrcID == 0) {
        Str255 pname{};
        const size_t n = name ? strnlen(name, 255) : 0;
        pname[0] = UInt8(n);
        if (n) std::memcpy(pname + 1, name, n);
        h = GetNamedResource(kKsPn, pname);
    } else {
        h = GetResource(kKsPn, rsrcID);
    }
    if (!h || !*h)
        xraisexerror("UIS_PANE_RSRC_NOT_FOUND", "str name", name ? name : "", "int id", rsrcID);
    AMemStream stream(h, KsByteOrder::littleEndian);
    AObjDoc doc(stream);
    doc.Read();
    APortable* o = doc.TakeObject();
    if (!o) xraisexerror("UIS_PANE_BAD_DATA", "str what", "no pane in the resource");
    if (!o->IsInstanceOf("APane")) {
        o->Dispose();
        xraisexerror("UIS_PANE_BAD_DATA", "str what", "not a pane");
    }
    auto* pane = static_cast<APane*>(o);
    AWindow* w = KsCurrentWindowObj();
    pane->itsEnclWindow = w;
    for (SInt32 i = 1; i <= pane->GetNumSubPanes(); ++i) {
        // The whole tree draws in the current window.
        pane->GetSubPane(i)->SetEnclWindow(w);
    }
    try {
        pane->SetEnclosure(encl);
    } catch (...) {
        pane->Dispose();
        throw;
    }
    return pane;
}

void APane::WriteResources(SInt16 a, SInt16 b) {
    if (bkgdHandle && iBkgdRsrcID) {
        if (Handle res = GetResource(iBkgdRsrcType, iBkgdRsrcID)) {
            const SInt16 newID = UniqueID(iBkgdRsrcType);
            Handle copy = KsCopyHand(res);
            Str255 pname{};
            const char* id = PeekPaneID();
            const size_t n = strnlen(id, 80);
            pname[0] = UInt8(n);
            std::memcpy(pname + 1, id, n);
            AddResource(copy, iBkgdRsrcType, newID, pname);
            if (ResError() == 0) {
                WriteResource(copy);
                iBkgdRsrcID = newID;
            } else {
                KsDisposeHandle(copy);
            }
        }
    }
    for (SInt32 i = 1; i <= GetNumSubPanes(); ++i)
        GetSubPane(i)->WriteResources(a, b);
}
