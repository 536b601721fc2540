// Pane and window dumps, the dump key, tree checks and class registration.
//
//   DumpPane / DumpWindow   one line per object, details by option bits
//   TavikDumpKey            what the dump key prints, by the switches
//   SanityCheckPane         enclosure links, up and down
//   TavikRegisterAll        the streamable classes, in the framework's order
#include "KsPaneDump.h"

#include "APane.h"
#include "APaneTextPrivate.h"
#include "AWindow.h"
#include "KsFatal.h"
#include "KsOutput.h"
#include "KsPortSavers.h"
#include "KsUIHooks.h"
#include "MacText.h"
#include "QuickDraw.h"
#include "Windows.h"

#include <cstring>
#include <string>
#include <vector>

struct AWindowReader {
    static bool closeDisp(const AWindow* w) { return w->closeDisp; }
    static bool hascloseBox(const AWindow* w) { return w->hascloseBox; }
    static bool isOldStyle(const AWindow* w) { return w->isOldStyle; }
    static bool canDrag(const AWindow* w) { return w->canDrag; }
    static bool deactivated(const AWindow* w) { return w->deactivated; }
    static UInt32 flags(const AWindow* w) { return w->iFlags; }
};

namespace {

// An assertion with the text of the tree's own field names.
#define KS_TREE_CHECK(cond, text)                                                                  \
    ((cond) ? (void)0                                                                              \
            : (__FtlAssertFailed((text), __FILE__, __LINE__) ? __builtin_trap() : (void)0))

struct DetailEntry {
    std::string className;
    TavikDumpDetailProc proc;
};
std::vector<DetailEntry>& Details() {
    static std::vector<DetailEntry> details;
    return details;
}

struct Registration {
    std::string className;
    void (*pcRegister)();
};
std::vector<Registration>& Registrations() {
    static std::vector<Registration> list;
    return list;
}

char Printable(UInt32 byte) {
    return byte >= 0x20 && byte < 0x7F ? char(byte) : '?';
}

} // namespace

TavikDumpSettings& TavikGetDumpSettings() {
    static TavikDumpSettings settings;
    return settings;
}

void TavikAddDumpDetail(const char* className, TavikDumpDetailProc proc) {
    FtlAssert(className != nullptr && proc != nullptr);
    Details().push_back({className, proc});
}

void TavikPrintRsrc(KsPrintfProc printf, OSType type, SInt16 id) {
    printf("; rsrc %c%c%c%c.%04X", Printable(type >> 24 & 0xFF), Printable(type >> 16 & 0xFF),
           Printable(type >> 8 & 0xFF), Printable(type & 0xFF), unsigned(UInt16(id)));
}

void TavikAddRegistration(const char* className, void (*pcRegister)()) {
    FtlAssert(className != nullptr && pcRegister != nullptr);
    for (Registration& r : Registrations()) {
        if (r.className == className) {
            r.pcRegister = pcRegister;
            return;
        }
    }
    Registrations().push_back({className, pcRegister});
}

void DumpPane(APane* pane, UInt32 options, KsPrintfProc printf, int indent) {
    FtlAssert(pane != nullptr && printf != nullptr);
    if ((options & kDumpPaneParentage) && pane->GetEnclPane()) {
        DumpPane(pane->GetEnclPane(), options & ~(kDumpPaneSubPanes | kDumpPaneMarker), printf,
                 indent);
        for (APane* p = pane->GetEnclPane(); p; p = p->GetEnclPane())
            indent += 4;
    }
    const std::string lead(std::size_t(indent), (options & kDumpPaneMarker) ? '-' : ' ');
    printf("%*.*s%s", indent, indent, lead.c_str(), pane->ClassName());
    if (options & kDumpPanePointers) printf(" %p", static_cast<void*>(pane));
    if (options & kDumpPaneIDs) {
        char id[48];
        pane->PreviewPaneID(id, sizeof id);
        printf(" \"%s\"", id);
    }
    if ((options & kDumpPaneLabels) && pane->GetLabel())
        printf("; label \"%s\"", pane->GetLabel()->GetText());
    if (options & kDumpPaneRects) {
        KsRect b = pane->GetBounds();
        printf("; bounds [%d,%d;%d,%d]", int(b.left), int(b.top), int(b.right), int(b.bottom));
    }
    if (options & kDumpPaneFlags) {
        printf("\n%*sBooleans: ", indent + 4, "");
        const struct {
            bool on;
            const char* name;
        } booleans[] = {
            {pane->GetOwnVisible(), " vis"},
            {pane->GetDrawsBackground(), " drawsBknd"},
            {APaneReader::CanBeTabbedToField(pane), " canTabTo"},
            {pane->IsActive(), " active"},
            {pane->GetHandlesMenus(), " hdlMenus"},
            {pane->GetUpdatesMenus(), " updMenus"},
            {pane->GetAlwaysDawdle(), " dawdle"},
            {pane->GetDefaultsCursor(), " dfltCrsr"},
            {pane->GetDisplayOnly(), " dispOnly"},
        };
        for (const auto& b : booleans)
            if (b.on) printf("%s", b.name);
        printf("\n%*siFlags: ", indent + 4, "");
        static const char* const flagNames[] = {" sfxLf", " sfxRt",  " sfxTop", " sfxBot",
                                                " SEL",   " inBknd", " stdHO",  " realID"};
        for (int bit = 0; bit < 8; ++bit)
            if (pane->GetFlags() & (1u << bit)) printf("%s", flagNames[bit]);
    }
    for (const DetailEntry& d : Details())
        if (pane->IsInstanceOf(d.className.c_str())) d.proc(pane, options, printf, indent);
    printf("\n");
    if (options & kDumpPaneSubPanes) {
        const UInt32 subOptions = options & ~(kDumpPaneParentage | kDumpPaneMarker);
        for (SInt32 i = 1; i <= pane->GetNumSubPanes(); ++i) {
            UIstatSpinCursor(true, -1);
            DumpPane(pane->GetSubPane(i), subOptions, printf, indent + 4);
        }
    }
}

void DumpWindow(AWindow* window, UInt32 options, KsPrintfProc printf, int indent) {
    FtlAssert(window != nullptr && printf != nullptr);
    const int in = indent + 4;
    printf("%*s%s", indent, "", window->ClassName());
    if (options & kDumpWindowPointers) printf(" %p", static_cast<void*>(window));
    WindowPtr port = window->GetWindowPtr();
    // The title is a Pascal string; printed by length, it needs no terminator.
    if (port)
        printf(" \"%.*s\"", int(port->title[0]), reinterpret_cast<const char*>(port->title + 1));
    if (options & kDumpWindowFlags) {
        printf("\n%*sBooleans: ", in, "");
        if (AWindowReader::closeDisp(window)) printf(" closeDisp");
        if (AWindowReader::hascloseBox(window)) printf(" hascloseBox");
        if (AWindowReader::isOldStyle(window)) printf(" isOldStyle");
        if (AWindowReader::canDrag(window)) printf(" canDrag");
        if (AWindowReader::deactivated(window)) printf(" deactivated");
        UInt32 flags = AWindowReader::flags(window);
        printf("\n%*siFlags: %08lX", in, "", static_cast<unsigned long>(flags));
        if (flags & AWindow::kDirtyDoc) printf(" dirty");
        if (flags & AWindow::kNewDoc) printf(" newdoc");
        if (flags & AWindow::kModal) printf(" modal");
    }
    printf("\n");
    if ((options & kDumpWindowMacData) && port) {
        printf("%*sWindow", in, "");
        if (options & kDumpWindowPointers) printf(" %p", static_cast<void*>(port));
        printf(" : kind %X", unsigned(UInt16(port->windowKind)));
        if (options & kDumpWindowPointers)
            printf(", refCon %ld (%lX)", long(port->refCon),
                   static_cast<unsigned long>(UInt32(port->refCon)));
        if (options & kDumpWindowRects)
            printf("; portRect %d,%d,%d,%d; pnLoc %d,%d", port->portRect.left, port->portRect.top,
                   port->portRect.right, port->portRect.bottom, port->pnLoc.h, port->pnLoc.v);
        printf("\n");
    }
    if ((options & kDumpWindowPanes) && window->GetMainPane())
        DumpPane(window->GetMainPane(), TavikGetDumpSettings().paneOptions & ~kDumpPaneParentage,
                 printf, in);
}

namespace {

// A global point in the local coordinates of a window.
Point ToLocal(WindowPtr w, KsPoint global) {
    Point pt{SInt16(global.v), SInt16(global.h)};
    if (!w) return pt;
    StPortSaver saver;
    SetPortWindowPort(w);
    GlobalToLocal(&pt);
    return pt;
}

} // namespace

bool TavikDumpKey(AWindow* window, KsPoint where) {
    FtlAssert((window) != 0);
    const TavikDumpSettings& s = TavikGetDumpSettings();
    Point local = ToLocal(window->GetWindowPtr(), where);
    if (s.dumpsCursor) {
        Point front = ToLocal(FrontWindow(), where);
        dprintf("Cursor: global %d, %d; in active win %d, %d; in win under cursor %d, %d\r",
                int(where.h), int(where.v), front.h, front.v, local.h, local.v);
    }
    if (s.dumpsWindow) {
        dprintf("Window under cursor is:\r");
        DumpWindow(window, s.windowOptions, dprintf, 0);
    }
    APane* pane = nullptr;
    if (s.dumpsPane || s.validatesPane || s.dumpsCompoundID) {
        if (APane* main = window->GetMainPane())
            pane = main->FindPane(KsPoint{local.h, local.v}, false, false);
    }
    if (s.dumpsPane || s.validatesPane) {
        if (!pane) {
            dprintf("There is no APane under the cursor.\n");
        } else {
            if (s.dumpsPane) {
                dprintf("Pane under cursor is:\r");
                DumpPane(pane, s.paneOptions | kDumpPaneMarker, dprintf, 0);
            }
            if (s.validatesPane) SanityCheckPane(pane, true, true);
        }
    }
    if (s.dumpsCompoundID && pane) {
        std::vector<APane*> chain;
        for (APane* p = pane; p; p = p->GetEnclPane())
            chain.push_back(p);
        std::string cid;
        for (auto it = chain.rbegin(); it != chain.rend(); ++it) {
            const char* id = APaneReader::StoredID(*it);
            // Generated IDs change from run to run: only explicit ones count.
            if (!((*it)->GetFlags() & kPaneRealID) || !id) continue;
            if (!cid.empty()) cid += ':';
            cid += id;
        }
        dprintf("Compound Pane ID = \"%s\"\n", cid.c_str());
    }
    return s.dumpsWindow || s.dumpsPane || s.validatesPane;
}

void SanityCheckPane(APane* pane, bool checkUp, bool checkDown) {
    FtlAssert(pane != nullptr);
    APane* encl = pane->GetEnclPane();
    if (checkUp && encl) {
        KS_TREE_CHECK(pane->GetEnclWindow() == encl->GetEnclWindow(),
                      "pane->itsEnclWindow == pane->itsEnclPane->itsEnclWindow");
        bool foundIt = false;
        for (SInt32 i = 1; i <= encl->GetNumSubPanes() && !foundIt; ++i)
            foundIt = encl->GetSubPane(i) == pane;
        KS_TREE_CHECK(foundIt, "foundIt");
        SanityCheckPane(encl, true, false);
    }
    if (checkDown) {
        for (SInt32 i = 1; i <= pane->GetNumSubPanes(); ++i) {
            APane* sub = pane->GetSubPane(i);
            KS_TREE_CHECK(sub->GetEnclPane() == pane, "subpane->itsEnclPane == pane");
            KS_TREE_CHECK(sub->GetEnclWindow() == pane->GetEnclWindow(),
                          "subpane->itsEnclWindow == pane->itsEnclWindow");
            SanityCheckPane(sub, false, true);
        }
    }
}

void TavikRegisterAll() {
    static const char* const kOrder[] = {
        "AGadget",   "APushButton",   "ASquareButton",   "AStateButton", "ALED",
        "ASlider",   "AVButton",      "AGrowBoxPane",    "AMacControl",  "ACheckBox",
        "ARadioBut", "AMacPopupMenu", "AScrollablePane", "AScrollPane",  "ATextEntry",
        "ATCEntry",  "AFloatEntry",   "AIntEntry",       "AThinSlider",  "APaneBook",
        "TwistPane",
    };
    APane::PCRegister();
    std::vector<bool> done(Registrations().size(), false);
    for (const char* name : kOrder) {
        for (std::size_t i = 0; i < Registrations().size(); ++i) {
            if (!done[i] && Registrations()[i].className == name) {
                Registrations()[i].pcRegister();
                done[i] = true;
            }
        }
    }
    // Classes beyond the framework's own come last, in the order they asked.
    for (std::size_t i = 0; i < Registrations().size(); ++i)
        if (!done[i]) Registrations()[i].pcRegister();
}
