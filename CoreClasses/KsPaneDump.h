// Pane and window dumps: a debugging aid.
//
// Pressing the dump key (AWindow::iPaneDumpKey) in a window calls
// TavikDumpKey, which prints the window and the pane under the cursor through
// dprintf, as the switches and option bits below choose. The dumps never
// change what they print: a pane ID is shown as GetPaneID would answer it,
// but none is stored or numbered by a dump (APane::PreviewPaneID).
#pragma once

#include "KsGeometry.h"
#include "KsMacTypes.h"

class APane;
class AWindow;

using KsPrintfProc = void (*)(const char* format, ...);

// Pane dump options.
enum : UInt32 {
    kDumpPaneParentage = 0x1,
    kDumpPaneSubPanes = 0x2,
    kDumpPanePointers = 0x4,
    kDumpPaneIDs = 0x8,
    kDumpPaneRects = 0x10,
    kDumpPaneFlags = 0x20,
    kDumpPaneLabels = 0x40,
    kDumpPaneResources = 0x80,
    kDumpPaneTableScape = 0x100,
    kDumpPaneNickNums = 0x200,
    kDumpPaneMarker = 0x8000, // the pane under the cursor: dashes for indentation
};

// Window dump options.
enum : UInt32 {
    kDumpWindowPanes = 0x1,
    kDumpWindowPointers = 0x2,
    kDumpWindowFlags = 0x4,
    kDumpWindowRects = 0x8,
    kDumpWindowMacData = 0x10,
};

// What the dump key does; the debug pane's controls are bound to these.
struct TavikDumpSettings {
    bool dumpsWindow = true;
    bool dumpsPane = true;
    bool dumpsCompoundID = false;
    bool dumpsCursor = false;
    bool validatesPane = false;
    UInt32 windowOptions = 0;
    UInt32 paneOptions = 0x9;
};
TavikDumpSettings& TavikGetDumpSettings();

void DumpPane(APane* pane, UInt32 options, KsPrintfProc printf, int indent);
void DumpWindow(AWindow* window, UInt32 options, KsPrintfProc printf, int indent);
// The dump-key action at global point where; true when anything was dumped
// or validated (the key is then consumed).
bool TavikDumpKey(AWindow* window, KsPoint where);
// Consistency of the tree around pane, upward and/or downward; a failure is
// an assertion.
void SanityCheckPane(APane* pane, bool checkUp, bool checkDown);
// Registers the framework's streamable classes with the class registry.
void TavikRegisterAll();

// Classes added later extend the dumps and the registration:
// a detail printer runs, for panes that are instances of className, after the
// common details of a pane line (for example a gadget's resource and nick
// number, a table's columns).
using TavikDumpDetailProc = void (*)(APane* pane, UInt32 options, KsPrintfProc printf, int indent);
void TavikAddDumpDetail(const char* className, TavikDumpDetailProc proc);
// Prints "; rsrc CCCC.XXXX": the resource type most significant byte first,
// as it reads, and the ID in hex.
void TavikPrintRsrc(KsPrintfProc printf, OSType type, SInt16 id);
// A class's PCRegister, called by TavikRegisterAll in the framework's order.
void TavikAddRegistration(const char* className, void (*pcRegister)());
