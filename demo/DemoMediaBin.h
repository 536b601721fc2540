// The demo's media bin: a window listing generated clips in folders in a
// headed table: name, duration as timecode, rate, date and status. Click a
// heading to sort (again to reverse), type a name to find it, open a folder
// with its triangle or the Right key. A double-clicked name or duration is
// edited in place (Tab along the row, Return down the column), a status is
// chosen from a list; dragging the top edge freezes rows.
#pragma once

class AWindow;

// The bin's window with `clips` clips in folders of 1,000.
AWindow* OpenMediaBinWindow(long clips);
