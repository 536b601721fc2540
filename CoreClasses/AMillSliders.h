// The mills: thin sliders that show their value as motion rather than as a
// thumb on a track.
//
// ATreadMill: a ribbed belt along the track whose ribs move with the value;
// dragging the belt by a pixel moves the value by one increment.
// AWindMill: a round knob whose pointer turns from -135 to +135 degrees
// across the visible range; the pointer follows the mouse around the knob.
//
// Both keep AThinSlider's texts, typing and focus, and its value-to-point
// mapping.
#pragma once

#include "AThinSlider.h"

class ATreadMill : public AThinSlider {
    KS_DECLARE_CLASS(ATreadMill, AThinSlider)
    KS_PANE_WALK_TRAITS(ATreadMill, GadgetWalkTraits())

    static constexpr OSType kClassID = FourCharCode("TRDM");
    static constexpr SInt16 kVersion = 1;
    // The distance between two ribs of the belt.
    static constexpr SInt32 kRibPitch = 6;

    static ATreadMill* New(APane* encl, SInt16 left, SInt16 right, SInt16 wid, SInt16 top,
                           SInt16 bot, SInt16 hei, double value, double min, double max,
                           const char* label, SInt16 fontSize);
    static void PCRegister();

    OSType GetClassID() const override { return kClassID; }
    SInt16 GetVersionWritten() const override { return kVersion; }
    SInt16 GetMaxVersionRead() const override { return kVersion; }
    void Put(AStream& stream) override;
    void Get(AStream& stream) override;
    bool TrackGad(SInt32 timeLimit, KsPoint pt, SInt16 modifiers, SInt32 when, void* data) override;
    void DrawBody() override;
    void DrawThumb() override;
    void EraseThumb() override;

    virtual void ITreadMill(APane* encl, SInt16 left, SInt16 right, SInt16 wid, SInt16 top,
                            SInt16 bot, SInt16 hei, double value, double min, double max,
                            const char* label, SInt16 fontSize);

    // Where the first rib lies, in pixels from the belt's start (0 .. pitch - 1).
    SInt32 RibPhase() const;
};

class AWindMill : public AThinSlider {
    KS_DECLARE_CLASS(AWindMill, AThinSlider)
    KS_PANE_WALK_TRAITS(AWindMill, GadgetWalkTraits())

    static constexpr OSType kClassID = FourCharCode("WNDM");
    static constexpr SInt16 kVersion = 1;
    // The pointer's travel either side of straight up, in degrees.
    static constexpr double kSweep = 135.0;

    static AWindMill* New(APane* encl, SInt16 left, SInt16 right, SInt16 wid, SInt16 top,
                          SInt16 bot, SInt16 hei, double value, double min, double max,
                          const char* label, SInt16 fontSize);
    static void PCRegister();

    OSType GetClassID() const override { return kClassID; }
    SInt16 GetVersionWritten() const override { return kVersion; }
    SInt16 GetMaxVersionRead() const override { return kVersion; }
    void Put(AStream& stream) override;
    void Get(AStream& stream) override;
    bool TrackGad(SInt32 timeLimit, KsPoint pt, SInt16 modifiers, SInt32 when, void* data) override;
    void DrawBody() override;
    void DrawThumb() override;
    void EraseThumb() override;

    // The knob: the largest square centred in the track.
    virtual KsRect GetBodyRect() const;
    virtual void IWindMill(APane* encl, SInt16 left, SInt16 right, SInt16 wid, SInt16 top,
                           SInt16 bot, SInt16 hei, double value, double min, double max,
                           const char* label, SInt16 fontSize);

    // The pointer's angle for a value, in degrees clockwise from straight up.
    double ValueToAngle(double v) const;
    // The value whose pointer lies toward pt from the knob's centre.
    double PointToValue(KsPoint pt) const;
};
