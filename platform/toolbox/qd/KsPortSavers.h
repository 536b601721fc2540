// Savers of drawing state. Each one takes a part of a port's state when it
// is made and puts it back when it goes out of scope, so that every way out of
// a drawing call, an exception included, leaves the caller's port as it was.
//
// The clip, pen, colour and text savers work on the port that is current when
// they are made (nothing when there is none) and restore into that same port,
// whatever port is current at the time. Nest them inside an StPortSaver when
// the code in between changes the port.
#pragma once

#include "QuickDraw.h"

// The current port; optionally makes another port current for the scope.
class StPortSaver {
public:
    StPortSaver() : saved_(KsGetPort()) {}
    explicit StPortSaver(GrafPtr port) : saved_(KsGetPort()) { KsSetPort(port); }
    ~StPortSaver() { KsSetPort(saved_); }
    StPortSaver(const StPortSaver&) = delete;
    StPortSaver& operator=(const StPortSaver&) = delete;
    GrafPtr Saved() const { return saved_; }

private:
    GrafPtr saved_;
};

// The clip region. The copy comes from a few regions kept for the process, so
// that nested savers on a tracking path (a mouse move) do not allocate.
class StClipSaver {
public:
    StClipSaver();
    // Saves the clip, then clips to r.
    explicit StClipSaver(const Rect& r);
    ~StClipSaver();
    StClipSaver(const StClipSaver&) = delete;
    StClipSaver& operator=(const StClipSaver&) = delete;
    // The clip as it was on entry (owned by the saver).
    RgnHandle Saved() const;

private:
    GrafPtr port_;
    RgnHandle clip_ = nullptr;
    // A rectangular clip (the common case: every pane's drawing nests one) is
    // kept as its rectangle; clip_ is filled only when Saved() is asked.
    KsRect rect_{};
    bool isRect_ = false;
    mutable bool filled_ = false;
};

// Pen (place, size, mode, pattern, visibility), the fore, back and hilite
// colours and the back and fill patterns.
class StColorPenSaver {
public:
    StColorPenSaver();
    ~StColorPenSaver();
    StColorPenSaver(const StColorPenSaver&) = delete;
    StColorPenSaver& operator=(const StColorPenSaver&) = delete;

private:
    // The saved fields, named as in the port record.
    struct State {
        Point pnLoc{}, pnSize{};
        SInt16 pnMode = 0, pnVis = 0;
        Pattern pnPat{}, bkPat{}, fillPat{};
        PixPatHandle pnPixPat = nullptr, bkPixPat = nullptr, fillPixPat = nullptr;
        RGBColor rgbFgColor{}, rgbBkColor{}, hiliteColor{};
    };
    GrafPtr port_;
    State saved_;
};

// Font, size, face and text mode.
class StTextStateSaver {
public:
    StTextStateSaver();
    ~StTextStateSaver();
    StTextStateSaver(const StTextStateSaver&) = delete;
    StTextStateSaver& operator=(const StTextStateSaver&) = delete;

private:
    // The saved fields, named as in the port record.
    struct State {
        SInt16 txFont = 0, txSize = 0, txMode = 0;
        Style txFace = 0;
    };
    GrafPtr port_;
    State saved_;
};

// A one-pixel port that text can be measured in when no port is current.
GrafPtr KsMeasuringPort();

// The text state for a scope, set in the current port or, when there is
// none, in the measuring port; the port and its text state come back after.
class StTextIn {
public:
    StTextIn(SInt16 font, SInt16 size, SInt16 face);
    StTextIn(const StTextIn&) = delete;
    StTextIn& operator=(const StTextIn&) = delete;

private:
    StPortSaver port_;
    StTextStateSaver text_;
};
