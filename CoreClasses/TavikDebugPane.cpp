#include "TavikDebugPane.h"

#include "AWindow.h"
#include "DebugPane.h"
#include "KsOutput.h"
#include "KsPaneDump.h"
#include "Windows.h"

namespace {
constexpr SInt16 S = kPaneDontCare;

const DebugBitSpec_t kWindowBits[] = {{"Panes", kDumpWindowPanes},
                                      {"Pointers", kDumpWindowPointers},
                                      {"Booleans & Flags", kDumpWindowFlags},
                                      {"Points & Rects", kDumpWindowRects},
                                      {"Mac Window Data", kDumpWindowMacData},
                                      {nullptr, 0}};
const DebugBitSpec_t kPaneBits[] = {
    {"Pane Parentage", kDumpPaneParentage}, {"Sub Panes", kDumpPaneSubPanes},
    {"Pointers", kDumpPanePointers},        {"Pane IDs", kDumpPaneIDs},
    {"Points & Rects", kDumpPaneRects},     {"Booleans & Flags", kDumpPaneFlags},
    {"Pane Labels", kDumpPaneLabels},       {nullptr, 0}};
const DebugBitSpec_t kMorePaneBits[] = {{"Resources", kDumpPaneResources},
                                        {"TableScape info", kDumpPaneTableScape},
                                        {"NickNums", kDumpPaneNickNums},
                                        {nullptr, 0}};

void DumpAll(unsigned long) {
    TavikDumpAllWindows();
}

} // namespace

void TavikDumpAllWindows() {
    dprintf("\n");
    const UInt32 options = TavikGetDumpSettings().windowOptions;
    for (WindowPtr w = KsGetWindowList(); w; w = GetNextWindow(w))
        if (AWindow* win = GetWindowObj(w)) DumpWindow(win, options, dprintf, 0);
}

APane* CreateTavikDebugPane(APane* enclosure) {
    TavikDumpSettings& s = TavikGetDumpSettings();
    APane* pane = APane::New(enclosure, 0, 0, S, 0, 0, S, RGBgray8, 1);
    pane->SetPaneID("TavikPane");

    DebugPane* key = DebugPane::New(pane, 5, S, 160, 15, -3, S, RGBwhite, 1, "Dump Key");
    // The key code is two bytes, shown in hex.
    key->AddInteger("Keycode for Dump Key:", short(sizeof AWindow::iPaneDumpKey),
                    &AWindow::iPaneDumpKey, 16, KsBoundSign::kUnsigned);
    key->AddOneBit("Dumps AWindow Under Cursor", &s.dumpsWindow, short(sizeof(bool)), 0x1);
    key->AddOneBit("Dumps APane Under Cursor", &s.dumpsPane, short(sizeof(bool)), 0x1);
    key->AddOneBit("Dumps Compound Pane ID", &s.dumpsCompoundID, short(sizeof(bool)), 0x1);
    key->AddOneBit("Validates APane Under Cursor", &s.validatesPane, short(sizeof(bool)), 0x1);
    key->AddOneBit("Dumps Cursor Position", &s.dumpsCursor, short(sizeof(bool)), 0x1);
    key->AddPushButton("Dump All App. Windows", DumpAll, 0);

    DebugPane* win =
        DebugPane::New(pane, 170, S, 120, 15, -5, S, RGBwhite, 1, "AWindow Dump Options");
    win->AddBits(kWindowBits, &s.windowOptions, short(sizeof s.windowOptions));
    DebugPane* panes =
        DebugPane::New(pane, 295, S, 120, 15, -5, S, RGBwhite, 1, "APane Dump Options");
    panes->AddBits(kPaneBits, &s.paneOptions, short(sizeof s.paneOptions));
    DebugPane* more =
        DebugPane::New(pane, 420, S, 120, 15, -5, S, RGBwhite, 1, "More APane Options");
    more->AddBits(kMorePaneBits, &s.paneOptions, short(sizeof s.paneOptions));
    return pane;
}
