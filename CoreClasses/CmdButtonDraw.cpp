// CmdButton drawing: the command's name, abbreviated to its initials when it
// is too wide for the button.
#include "CmdButton.h"

#include "CmdButtonPrivate.h"
#include "KsColorScheme.h"
#include "KsDrawUtils.h"
#include "KsTextUtils.h"
#include "QuickDraw.h"

#include <string>

namespace {

// A button this high keeps its text in the top band only.
constexpr SInt32 kTallHeight = 28;
constexpr SInt32 kTextBand = 18;
// Names are measured in this size of the font named "times", plus a margin.
constexpr SInt16 kMeasureSize = 10;
constexpr SInt32 kMeasureMargin = 6;
// Room for a digit after the two initials.
constexpr SInt32 kDigitRoom = 24;
// Concave styles that are drawn without the pressed shift.
constexpr SInt32 kUnshiftedConcave1 = 24, kUnshiftedConcave2 = 25;

// The font the names are measured in; the button's own when there is none
// of that name.
SInt16 MeasureFont(SInt16 fallback) {
    static const unsigned char kTimes[] = "\x05times";
    SInt16 font = 0;
    GetFNum(kTimes, &font);
    return font != 0 ? font : fallback;
}

} // namespace

void CmdButton::DrawDetail(const KsRect& rect, const KsRGBColor& bkgd, void* data) {
    char text[256] = {};
    if (abbreviates && !drawProc && itsRsrcType == 0) GetText(text, sizeof text);
    KsRect r = GetInterior();
    const bool tall = r.Height() >= kTallHeight;
    if (!text[0]) {
        APushButton::DrawDetail(rect, bkgd, data);
        return;
    }
    const std::string name = StripMnemonics(text);
    SInt16 font = 0, size = 0, face = 0;
    GetFontSizeFace(&font, &size, &face);
    const SInt32 need =
        GetLabelWidth(name.c_str(), MeasureFont(font), kMeasureSize, 0) + kMeasureMargin;
    const bool fits = need <= r.Width();
    if (fits && !tall) {
        APushButton::DrawDetail(rect, bkgd, data);
        return;
    }
    if (tall) r.bottom = r.top + kTextBand;
    KsRGBColor color = RGBblack;
    if (GetColorSchemeAttr("CS_BUT_RSRC_COLOR"))
        GetSchemeColor("CS_BUT_RSRC_COLOR_RED", "CS_BUT_RSRC_COLOR_GREEN", "CS_BUT_RSRC_COLOR_BLUE",
                       &color);
    if (spotlight)
        color = RGBblack;
    else if (GetState() && GetDoesFgndLight())
        color = iForeColor;
    if (!GetEnabled()) color = AverageRGB(color, bkgd, 0.4);
    if (IsConcaveBorder(border) && border != kUnshiftedConcave1 && border != kUnshiftedConcave2)
        r.Offset(1, 1);
    const std::string shown = fits ? name : AbbreviateCommandName(name, r.Width() >= kDigitRoom);
    DrawTextHow(shown.c_str(), r, font, size, face, 1, color);
}
