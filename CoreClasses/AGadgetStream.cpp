// AGadget persistence: the class registration, the object stream (versions 1
// to 4 read, 4 written, extension 1 the foreground colour), the pane property
// text keys and WriteResources.
//
// Both readers restore what the writers wrote: the face is loaded without
// clearing the text read before it, and reading the menu ID keeps the
// onDownClick setting that was read.
#include "AGadget.h"

#include "AGadgetPrivate.h"
#include "AStream.h"
#include "CoreAttrList.h"
#include "KsHandle.h"
#include "KsOutput.h"
#include "KsResFileUtils.h"
#include "PaneStream.h"
#include "Resources.h"

#include <algorithm>
#include <cstring>
#include <iterator>

namespace {
APortable* MakeGadget() {
    return new AGadget;
}
APane* MakeGadgetPane() {
    return new AGadget;
}
void AddGadgetProps(APane* p, CoreAttrList* l) {
    static_cast<AGadget*>(p)->AddGadgetPropsToList(l);
}
void GetGadgetProps(APane* p, CoreAttrList* l) {
    static_cast<AGadget*>(p)->GetGadgetPropsFromList(l);
}
// Registered with the library, so that streams, Copy and pane texts find the
// class.
const bool kRegistered = (AGadget::PCRegister(), true);

// The face types the property text carries, by name.
struct FaceName {
    const char* name;
    OSType type;
};
constexpr FaceName kFaceNames[] = {
    {"ICON", kGadICON}, {"cicn", kGadCicn}, {"SICN", kGadSICN}, {"ICN#", kGadICNfamily}};

const char* FaceNameOf(OSType type) {
    for (const FaceName& f : kFaceNames)
        if (f.type == type) return f.name;
    return nullptr;
}
} // namespace

void AGadget::PCRegister() {
    PClassAdd(kClassID, kClassInfo.name, MakeGadget);
    const PaneTextClass* pane = PaneTextFindClass("APane");
    PaneTextClass row;
    row.name = kClassInfo.name;
    row.make = MakeGadgetPane;
    row.addProps = pane ? pane->addProps : std::vector<PanePropsProc>{};
    row.addProps.push_back(AddGadgetProps);
    row.getProps = pane ? pane->getProps : std::vector<PanePropsProc>{};
    row.getProps.push_back(GetGadgetProps);
    row.subs = PaneTextSubs::subs;
    PaneTextRegisterClass(row);
}

const char* AGadget::GetExtensionDescription() const {
    return PCLASS_EXTENSIONS1(PCLASS_EXT(RGBColor, 1));
}

void AGadget::Put(AStream& s) {
    (void)kRegistered;
    APane::Put(s);
    s.PutClassMark(kClassID, kVersion);
    s.PutLong("itsRsrcType", SInt32(itsRsrcType));
    s.PutShort("resourceID", resourceID);
    s.PutBool("onDownClick", onDownClick);
    s.PutBool("hasMenu", hasMenu);
    s.PutShort("itsMenuID", itsMenuID);
    s.PutLong("itsMenuItem", itsMenuItem);
    s.PutBool("takesMenuVal", takesMenuVal);
    s.PutBool("popsDown", popsDown);
    s.PutChar("itsKeyCode", char(itsKeyCode));
    s.PutChar("itsCharCode", char(itsCharCode));
    s.PutLong("iGadFlags", SInt32(iGadFlags));
    s.BeginExtension(kExtForeColor);
    s.PutColor("iForeColor", iForeColor.red, iForeColor.green, iForeColor.blue);
    s.EndExtension();
    s.PutExtensionsEnd();
}

void AGadget::Get(AStream& s) {
    APane::Get(s);
    const SInt16 version = s.GetClassMark(kClassID, 1, kVersion);
    const OSType type = OSType(s.GetLong("itsRsrcType"));
    const SInt16 id = s.GetShort("resourceID");
    if (id != 0) LoadRsrc(type, id);
    if (version < 2) {
        // The text's font, size, face and justification, kept by the pane since.
        for (const char* label : {"itsFont", "itsSize", "itsFace", "itsJust"})
            (void)s.GetShort(label);
    }
    const bool downClick = s.GetBool("onDownClick");
    (void)s.GetBool("hasMenu"); // follows from the menu ID
    const SInt16 menuID = s.GetShort("itsMenuID");
    itsMenuItem = s.GetLong("itsMenuItem");
    takesMenuVal = s.GetBool("takesMenuVal");
    popsDown = s.GetBool("popsDown");
    itsKeyCode = UInt8(s.GetChar("itsKeyCode"));
    itsCharCode = UInt8(s.GetChar("itsCharCode"));
    SetMenuID(menuID);
    onDownClick = downClick;
    if (version >= 3) iGadFlags = UInt32(s.GetLong("iGadFlags"));
    SInt16 n = 0;
    while (s.GetNextExtension(&n))
        if (n == kExtForeColor)
            s.GetColor("iForeColor", &iForeColor.red, &iForeColor.green, &iForeColor.blue);
}

// ---------------------------------------------------------------------------
// Pane property text

void AGadget::AddGadgetPropsToList(CoreAttrList* l) {
    // Keys at their defaults are left out: the reader gives them back.
    if (onDownClick) l->SetSInt32("onDwnClk", 1);
    if (hasMenu) l->SetSInt32("hasMenu", 1);
    if (!takesMenuVal) l->SetSInt32("taksMVal", 0);
    if (!popsDown) l->SetSInt32("popsDown", 0);
    if (itsMenuID) l->SetSInt32("menuID", itsMenuID);
    if (itsMenuItem) l->SetSInt32("menuItem", itsMenuItem);
    if (itsKeyCode != 0xFF) l->SetSInt32("keyCode", itsKeyCode);
    if (itsCharCode) l->SetSInt32("charCode", itsCharCode);
    if (iGadFlags) l->SetUInt32("gadFlags", iGadFlags);
    if (iForeColor.red != 0x7000) l->SetSInt32("fg.r", iForeColor.red);
    if (iForeColor.green != 0x7000) l->SetSInt32("fg.g", iForeColor.green);
    if (iForeColor.blue != 0x7000) l->SetSInt32("fg.b", iForeColor.blue);
    if (cmdNum) l->SetSInt32("nick", cmdNum);
    const char* face = FaceNameOf(itsRsrcType);
    if (!face || !rsrcHandle) return;
    if (itsRsrcType == kGadICON || itsRsrcType == kGadSICN) {
        l->SetText("rsrcTyp", face);
        l->SetData("rsrcBits", *rsrcHandle, KsGetHandleSize(rsrcHandle));
    } else if (resourceID != 0) {
        l->SetText("rsrcTyp", face);
        l->SetSInt32("rsrcID", resourceID);
    }
}

void AGadget::GetGadgetPropsFromList(CoreAttrList* l) {
    const SInt16 menuID = l->GetSInt16("menuID", 0);
    SetMenuID(menuID);
    onDownClick = l->GetSInt32("onDwnClk", 0) != 0;
    hasMenu = l->GetSInt32("hasMenu", 0) != 0;
    takesMenuVal = l->GetSInt32("taksMVal", 1) != 0;
    popsDown = l->GetSInt32("popsDown", 1) != 0;
    itsMenuItem = l->GetSInt32("menuItem", 0);
    itsKeyCode = UInt8(l->GetSInt32("keyCode", 0xFF));
    itsCharCode = UInt8(l->GetSInt32("charCode", 0));
    iGadFlags = l->GetUInt32("gadFlags", 0);
    iForeColor.red = l->GetUInt16("fg.r", 0x7000);
    iForeColor.green = l->GetUInt16("fg.g", 0x7000);
    iForeColor.blue = l->GetUInt16("fg.b", 0x7000);
    cmdNum = l->GetSInt32("nick", 0);

    OSType type = l->GetUInt32("rsrcType", 0);
    if (type == 0) {
        char name[17];
        l->GetText("rsrcTyp", name, sizeof name, "");
        for (const FaceName& f : kFaceNames)
            if (std::strcmp(name, f.name) == 0) type = f.type;
    }
    if (type == 0) return;
    Size size = 0;
    const void* bits = l->GetData("rsrcBits", &size);
    if ((type == kGadICON || type == kGadSICN) && bits) {
        LoadRsrcData(type, bits, size);
    } else if (const SInt16 id = l->GetSInt16("rsrcID", 0)) {
        LoadRsrc(type, id);
    }
}

// ---------------------------------------------------------------------------
// Resources

void AGadget::WriteResources(SInt16 fileRef, SInt16 baseID) {
    const bool family = itsRsrcType == kGadICNfamily;
    if ((family || itsRsrcType == kGadCicn) && resourceID != 0 &&
        !KsGet1Resource(itsRsrcType, resourceID, nullptr, fileRef)) {
        const SInt16 newID = KsUnique1IDbase(itsRsrcType, fileRef, baseID);
        if (newID != 0) {
            char id[80];
            GetPaneID(id, 65);
            Str255 name;
            name[0] = UInt8(std::strlen(id));
            std::memcpy(name + 1, id, name[0]);
            static constexpr OSType kFamily[] = {kGadICNfamily, FourCharCode("icl8"),
                                                 FourCharCode("ics8"), kGadIcsFamily};
            const OSType* types = family ? kFamily : &kGadCicn;
            const std::size_t count = family ? std::size(kFamily) : 1;
            for (std::size_t i = 0; i < count; ++i) {
                Handle h = GetResource(types[i], resourceID);
                if (!h) continue;
                if (UpdateRsrcH(types[i], newID, name, fileRef, h) != noErr) continue;
                char text[5];
                OSTypeToText(types[i], text);
                dprintf("  Copying %s %d to %d\n", text, int(resourceID), int(newID));
            }
            resourceID = newID;
        }
    }
    APane::WriteResources(fileRef, baseID);
}
