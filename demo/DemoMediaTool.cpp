#include "DemoMediaTool.h"
#include "DemoConsole.h"
#include "DemoInspector.h"
#include "DemoMediaBin.h"
#include "DemoViewer.h"

#include "AWindow.h"
#include "KsDesktop.h"
#include "Windows.h"

#include <algorithm>

namespace {

// The viewer strip and the inspector keep the sizes their panes are laid
// out for; the bin and the console take what is left.
constexpr short kViewerWidth = 800, kViewerHeight = 380;
constexpr short kInspectorWidth = 240;
constexpr short kTitle = 22, kGap = 8, kTop = 44;

void Place(AWindow* w, short left, short top, short width, short height) {
    if (!w) return;
    ::MoveWindow(w->GetWindowPtr(), left, top, false);
    if (width > 0 && height > 0) {
        ::SizeWindow(w->GetWindowPtr(), width, height, true);
        w->SendMsg(wmResize, nullptr, 0, 0);
    }
}

} // namespace

DemoMediaTool OpenMediaTool(long binClips) {
    const Rect desk = KsDesktopBounds();
    const short right = short(desk.right - kGap), bottom = short(desk.bottom - kGap);
    const short viewerTop = short(std::max<int>(kTop + 200, bottom - kViewerHeight));
    const short inspectorLeft = short(right - kInspectorWidth);
    const short consoleLeft = short(std::min<int>(kGap + kViewerWidth + kGap, right - 320));

    DemoMediaTool tool;
    // Back to front: the viewer strip under the bin, the console on top.
    tool.viewer = OpenViewerWindow("Viewer", 20 * 60 * 25);
    Place(tool.viewer, kGap, viewerTop, 0, 0);
    tool.bin = OpenMediaBinWindow(binClips, InspectBinClip);
    Place(tool.bin, kGap, kTop, short(inspectorLeft - 2 * kGap - kGap),
          short(viewerTop - kTitle - kGap - kTop));
    tool.inspector = OpenInspectorWindow(inspectorLeft, kTop);
    tool.console = OpenDemoConsole();
    const short consoleTop = short(kTop + 320 + kTitle + kGap);
    Place(tool.console, consoleLeft, consoleTop, short(right - consoleLeft),
          short(bottom - consoleTop));
    return tool;
}
