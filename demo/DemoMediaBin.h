// The demo's media bin: a window listing generated clips in folders in a
// headed table: name, duration as timecode, rate, date and status. Click a
// heading to sort (again to reverse), type a name to find it, open a folder
// with its triangle or the Right key. A double-clicked name or duration is
// edited in place (Tab along the row, Return down the column), a status is
// chosen from a list; dragging the top edge freezes rows.
#pragma once

#include "DemoClip.h"

class APane;
class AWindow;

// The bin's window with `clips` clips in folders of 1,000; hook hears of
// each change of its selection.
AWindow* OpenMediaBinWindow(long clips, BinSelectHook hook = nullptr);
// The bin's table alone, filling encl.
ATableScape* AddMediaBinTable(APane* encl, long clips);
// The clip selected in a bin's table (one row that is a clip): false when
// there is none. Setting it redraws its row.
bool GetBinClip(ATableScape* table, DemoClipInfo* clip);
bool SetBinClip(ATableScape* table, const DemoClipInfo& clip);
const char* BinStatusName(int status);
