// AFloatEntry: a text field that holds a double.
//
// As AIntEntry: keys filtered to the characters of a number, arrows step by
// `inc`, the text read at every edit (tolerant limits) and at the commit
// (strict), and a quiet canonical rewrite when editing ends ("%W.Pf", the
// truncated value when the precision is 0, "%g" when the width is 0). Not a
// number and infinity are never values; a field left unchanged is not read
// back, so the value keeps the precision its text does not show.
#pragma once

#include "ATextEntry.h"

class AFloatEntry : public ATextEntry {
    KS_DECLARE_CLASS(AFloatEntry, ATextEntry)
    KS_PANE_WALK_TRAITS(AFloatEntry, kWalkIdleKeepsTree | kWalkStandardInterior)

    static constexpr OSType kClassID = FourCharCode("FltE");
    static constexpr SInt16 kVersion = 1;
    static constexpr double kDefaultMin = -2147483648.0;
    static constexpr double kDefaultMax = 2147483647.0;
    // Room for any double in any format the field writes.
    static constexpr std::size_t kTextSize = 400;

    static AFloatEntry* New(APane* encl, SInt16 left, SInt16 right, SInt16 wid, SInt16 top,
                            SInt16 bot, SInt16 hei, double value);
    static void PCRegister();

    AFloatEntry() = default;

    // --- Pane and field slots ----------------------------------------------
    OSType GetClassID() const override { return kClassID; }
    SInt16 GetVersionWritten() const override { return kVersion; }
    SInt16 GetMinVersionRead() const override { return 1; }
    SInt16 GetMaxVersionRead() const override { return kVersion; }
    void Put(AStream& stream) override;
    void Get(AStream& stream) override;
    bool DoKeyDown(SInt16 charCode, SInt16 keyCode, EventRecord* event, void* data) override;
    void Deactivate() override;
    void TextToValue(bool final, bool notify) override;

    // --- Slots AFloatEntry introduces, in slot order ------------------------
    virtual void UpdateFloat(double value, bool notify);
    virtual void UpdateFloatNoChangedHook(double value);
    // A value that is not finite is refused (nothing changes).
    virtual void SetFloat(double value, bool notify);
    // The value, or 0 without one.
    virtual double GetFloat() const;
    // Answers whether the limits changed; limits that are not finite are
    // refused (answer false).
    virtual bool SetLimits(double min, double max, bool warn);
    virtual void GetLimits(double* min, double* max) const;
    virtual void SetInc(double step);
    virtual void ValueToText(double value, char* buf, std::size_t size) const;
    virtual void SetFormat(SInt16 width, SInt16 precision);
    virtual void SetWarnLimitsReached(bool on);

    void IFloatEntry(APane* encl, SInt16 left, SInt16 right, SInt16 wid, SInt16 top, SInt16 bot,
                     SInt16 hei, double value);

    // --- Not virtual ---------------------------------------------------------
    bool HasValue() const { return hasVal; }
    // The displayed width in characters (not the pane's width in pixels).
    SInt16 GetFormatWidth() const { return width; }
    SInt16 GetPrecision() const { return precision; }
    double GetInc() const { return inc; }

    void AddPropsToList(CoreAttrList* list);
    void GetPropsFromList(CoreAttrList* list);

protected:
    // Pasted text keeps the characters of a number; the rest is dropped with
    // a beep.
    std::string FilterInsertion(const char* text, SInt32 length) override;
    void SetTextQuietly(const char* text, bool update);
    void RebuildText();
    void ResetToLimit(double limit, bool toMin, bool final);

    // Fields in their declared order.
    double itsVal = 0.0;
    bool hasVal = true;
    SInt16 width = 12;
    SInt16 precision = 4;
    double maxVal = kDefaultMax;
    double minVal = kDefaultMin;
    double inc = 1.0;
    bool warnLimitsFlag = true;
    bool warnOnLimits = false;

    // Set while the field sets its own text: the value is not read back.
    bool iQuiet = false;
};
