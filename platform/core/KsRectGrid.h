// Finding the rectangles of a long packed array that contain a point, by a
// grid over them: each cell lists, in array order, the rectangles that meet
// it (edges included), so a point's scan reads the few near it instead of all
// of them. Answers exactly what KsPointScan answers over the same array.
// Rectangles reaching far beyond the others (everywhere, say) are kept in a
// list of their own that every scan reads too. The storage is kept across
// builds: a grid that has reached its size allocates no more.
#pragma once

#include "KsGeometry.h"
#include "KsMacTypes.h"

#include <vector>

class KsRectGrid {
public:
    // Arrays shorter than this are scanned whole: the grid would not pay.
    static constexpr SInt32 kMinRects = 16;
    // Cell entries a rectangle may take on average; a layout that needs more
    // (rectangles overlapping much) leaves the grid off.
    static constexpr SInt32 kItemsPerRect = 8;

    // Builds over r[0, n); a short array leaves the grid off.
    void Build(const KsRect* r, SInt32 n);
    // Room for a build over n rectangles meeting up to kItemsPerRect cells each (the
    // usual lot: rectangles of like sizes), so that such a build allocates
    // nothing.
    void Reserve(SInt32 n);
    bool On() const { return on_; }

    // The 1-based index of the last of r[0, n) that holds pt, or 0 (r is the
    // array the grid was built over, n at most its length).
    SInt32 Last(const KsRect* r, KsPoint pt, SInt32 n) const;
    // The 1-based index of the first of r[from - 1, n) that holds pt, or 0.
    SInt32 First(const KsRect* r, KsPoint pt, SInt32 from, SInt32 n) const;

    // A bit for each of r[0, n) that holds pt, bit k for r[k]; n at most 64.
    UInt64 Holding(const KsRect* r, KsPoint pt, SInt32 n) const;

private:
    // The cell's list of indices (0-based, ascending); empty outside the box.
    void CellOf(KsPoint pt, const UInt32** begin, const UInt32** end) const;

    bool on_ = false;
    KsRect box_{}; // edges included
    // Cells are powers of two wide and high: a point's cell is two shifts.
    int shiftW_ = 0, shiftH_ = 0;
    SInt32 cols_ = 0, rows_ = 0;
    std::vector<UInt32> start_; // cell k lists items_[start_[k], start_[k + 1])
    std::vector<UInt32> items_;
    std::vector<UInt32> wide_; // indices of the far-reaching rectangles, ascending
};
