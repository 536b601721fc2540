// The demo as a media tool: the media bin, the inspector that follows the
// bin's selection, the viewer strip and the console, placed to fill the
// desktop. The sample windows of the earlier demo open from View > Sample
// Windows.
#pragma once

class AWindow;

struct DemoMediaTool {
    AWindow* bin = nullptr;
    AWindow* inspector = nullptr;
    AWindow* viewer = nullptr;
    AWindow* console = nullptr;
};

// Opens the four windows, the bin holding `binClips` clips, and answers them.
DemoMediaTool OpenMediaTool(long binClips);
