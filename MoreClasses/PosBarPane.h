// PosBarPane: the horizontal position bar of a media view.
//
// Positions are frame numbers in [0, length]; -1 means "no mark" and -2 "no
// position". The track is the interior inset by the margins; positions map
// linearly onto it. The bar paints into an off-screen buffer the size of its
// interior and copies from it, so a moving position repaints only the
// columns it left and entered.
//
// Tick marks are spaced by time at the frame rate: every 1, 10, 60 or 600
// seconds by the pixels a second gives, never more than one a pixel.
//
// Ownership: the bar owns its buffer. It only points at the callback data.
#pragma once

#include "APane.h"

struct GrafPort;

class PosBarPane;
using PosBarCallback = void (*)(SInt32 pos, void* data);

class PosBarPane : public APane {
    KS_DECLARE_CLASS(PosBarPane, APane)
    KS_PANE_WALK_TRAITS(PosBarPane, kWalkIdleKeepsTree | kWalkStandardInterior)

    static constexpr OSType kClassID = FourCharCode("PosB");
    static constexpr SInt16 kVersion = 1;
    static constexpr SInt16 kMarkCursorID = 2012;
    static constexpr SInt16 kOptionKey = 0x0800;
    static constexpr SInt32 kNoMark = -1;
    static constexpr SInt32 kNoPos = -2;

    enum MarkKind : SInt16 { kInMark = 0, kOutMark = 1, kInMark2 = 2, kOutMark2 = 3 };

    // What GetBarColors answers.
    struct BarColors {
        KsRGBColor track, visRange, blueBar, blueBarHilite, mark, mark2, shadow, tick;
    };

    static PosBarPane* New(APane* encl, SInt16 left, SInt16 right, SInt16 wid, SInt16 top,
                           SInt16 bot, SInt16 hei, const KsRGBColor& bkgdColor, SInt32 border);
    static void PCRegister();

    PosBarPane() = default;
    virtual void IPosBarPane(APane* encl, SInt16 left, SInt16 right, SInt16 wid, SInt16 top,
                             SInt16 bot, SInt16 hei, const KsRGBColor& bkgdColor, SInt32 border);

    void Dispose() override;
    ~PosBarPane() override;
    OSType GetClassID() const override { return kClassID; }
    SInt16 GetVersionWritten() const override { return kVersion; }
    SInt16 GetMinVersionRead() const override { return 1; }
    SInt16 GetMaxVersionRead() const override { return kVersion; }
    void Put(AStream& stream) override;
    void Get(AStream& stream) override;
    void DoClick(KsPoint pt, SInt16 modifiers, SInt32 when, void* data) override;
    void Dawdle(KsPoint pt, SInt16 modifiers, SInt32* sleep, SInt16* cursorID, void* data) override;
    void DrawInterior(const KsRect* clip, void* data) override;
    void InteriorChanged(const KsRect& newInterior) override;

    // --- Values --------------------------------------------------------------
    void SetLength(SInt32 frames); // negative lengths are taken as 0
    SInt32 GetLength() const { return length; }
    void UpdatePos(SInt32 pos);
    SInt32 GetPos() const { return curPos; }
    // -2 is taken as -1 (no mark). Raises "UIS_POSBAR_BAD_MARK_KIND" for a
    // kind outside MarkKind.
    void SetMark(SInt32 pos, SInt16 kind);
    SInt32 GetMark(SInt16 kind) const;
    void SetShadIn(SInt32 pos);
    void SetShadOut(SInt32 pos);
    SInt32 GetShadIn() const { return shadIn; }
    SInt32 GetShadOut() const { return shadOut; }
    void GetShadMarks(SInt32* in, SInt32* out) const;
    void SetShadMarks(SInt32 in, SInt32 out);
    void SetShowShads(bool on);
    void SetSyncPointMarks(bool on);
    void SetVisRange(SInt32 start, SInt32 end);
    void GetVisRange(SInt32* start, SInt32* end) const;
    // Clears the position, the marks, the shadows and the visible range.
    void Clear();
    // Rates that are not finite or not above 0 are refused (answers false).
    bool SetFramesPerSec(double fps);
    double GetFramesPerSec() const { return framesPerSec; }
    void SetShowTicks(bool on);
    // The bar waits for the mouse to move this far (pixels, horizontally)
    // before following it, when on.
    void SetWaitsForMove(bool on) { waitsForMove = on; }

    // --- Callback --------------------------------------------------------------
    void SetPosCallback(PosBarCallback proc, void* data);
    PosBarCallback GetPosCallback(void** data) const;
    void DoPosCallback(SInt32 pos);

    // --- Geometry and drawing --------------------------------------------------
    BarColors GetBarColors() const;
    // Sizes the buffer to the interior at the window's backing scale; answers
    // false when there is no buffer (no window, empty interior, no memory).
    bool AdjustOffscreen();
    void SetMargins(SInt16 left, SInt16 top, SInt16 right, SInt16 bottom);
    // The track: r (the interior) inset by the margins.
    KsRect InsetForMargins(const KsRect& r) const;
    // Follows the mouse with mark `kind` from pt until release; answers
    // whether the mark moved.
    bool DragMark(SInt16 kind, KsPoint pt);

    // Window x to frame and back, clamped to [0, length] and to the track.
    SInt32 XToPos(SInt32 x) const;
    SInt32 PosToX(SInt32 pos) const;
    // The mark under pt, in hit order (second in, second out, in, out), or -1.
    SInt16 MarkAt(KsPoint pt) const;
    KsRect GetMarkRect(SInt16 kind) const; // empty when the mark is not set
    KsRect GetBlueBarRect(SInt32 pos) const;
    // The tick step in seconds for the current length, rate and track.
    SInt32 TickStep() const;

protected:
    void HiliteBlueBar(bool on);
    void DrawBlueBar(SInt32 pos, bool hilite);
    void InvalInOutRect(SInt16 kind, SInt32 oldPos);
    void DrawTickMarks(const KsRect& area);
    void DrawVisRange(const KsRect& area);
    void DrawTimecodeLabels(const KsRect& area);
    // Paints `area` (window coordinates, inside the interior) into the buffer
    // and copies it to the window when the window can be drawn in now.
    void Render(const KsRect& area, bool toWindow);
    void RefreshNow(const KsRect& area);
    void DisposeOffscreen();
    SInt32& MarkRef(SInt16 kind);
    KsRect BarRectAtX(SInt32 x) const;
    KsRect MarkRectAt(SInt16 kind, SInt32 pos) const;

    // Fields, in order.
    SInt32 curPos = kNoPos;
    SInt32 length = 0;
    SInt32 inMark = kNoMark;
    SInt32 inMark2 = kNoMark;
    SInt32 outMark = kNoMark;
    SInt32 outMark2 = kNoMark;
    SInt32 shadIn = kNoMark;
    SInt32 shadOut = kNoMark;
    SInt32 drawnPos = kNoPos;
    SInt32 visStart = kNoMark;
    SInt32 visEnd = kNoMark;
    SInt16 marginLeft = 10;
    SInt16 marginTop = 0;
    SInt16 marginRight = 10;
    SInt16 marginBottom = 0;
    GrafPort* offscreen = nullptr; // owned
    KsRect offRect;                // the interior the buffer was made for
    PosBarCallback posCallback = nullptr;
    void* posCallbackData = nullptr;
    bool showShads = false;
    bool syncPointMarks = false;
    bool showTicks = true;
    bool showMarks = true;
    double framesPerSec = 30.0;
    SInt16 moveSlop = 2;
    bool waitsForMove = false;
    bool barHilited = false;
};
