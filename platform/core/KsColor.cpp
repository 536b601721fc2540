#include "KsColor.h"

#include <cstddef>
#include <type_traits>

// Streams and colour tables copy between the two types by layout.
static_assert(sizeof(KsRGBColor) == sizeof(RGBColor));
static_assert(std::is_standard_layout_v<KsRGBColor> && std::is_trivially_copyable_v<KsRGBColor>);
static_assert(offsetof(KsRGBColor, red) == offsetof(RGBColor, red));
static_assert(offsetof(KsRGBColor, green) == offsetof(RGBColor, green));
static_assert(offsetof(KsRGBColor, blue) == offsetof(RGBColor, blue));

namespace {
constexpr KsRGBColor Gray(UInt16 n) {
    return {UInt16(n * 0x1000), UInt16(n * 0x1000), UInt16(n * 0x1000)};
}
} // namespace

constinit const KsRGBColor RGBblack{0, 0, 0};
constinit const KsRGBColor RGBwhite{0xFFFF, 0xFFFF, 0xFFFF};
constinit const KsRGBColor RGBred{0xFFFF, 0, 0};
constinit const KsRGBColor RGBlightblue{0x9999, 0xCCCC, 0xFFFF};

constinit const KsRGBColor RGBgray1 = Gray(1);
constinit const KsRGBColor RGBgray2 = Gray(2);
constinit const KsRGBColor RGBgray3 = Gray(3);
constinit const KsRGBColor RGBgray4 = Gray(4);
constinit const KsRGBColor RGBgray5 = Gray(5);
constinit const KsRGBColor RGBgray6 = Gray(6);
constinit const KsRGBColor RGBgray7 = Gray(7);
constinit const KsRGBColor RGBgray8 = Gray(8);
constinit const KsRGBColor RGBgray9 = Gray(9);
constinit const KsRGBColor RGBgray10 = Gray(10);
constinit const KsRGBColor RGBgray11 = Gray(11);
constinit const KsRGBColor RGBgray12 = Gray(12);
constinit const KsRGBColor RGBgray13 = Gray(13);
constinit const KsRGBColor RGBgray14 = Gray(14);
constinit const KsRGBColor RGBgray15 = Gray(15);

constinit const KsRGBColor RGBdustyPurple{0x7448, 0x4EFA, 0x7E26};
constinit const KsRGBColor RGBenablePurple{0x8000, 0x5000, 0x7E26};
constinit const KsRGBColor RGBHighlightPurple{0xA5C2, 0x455C, 0xB000};
// Not fixed elsewhere: a deeper shade of the window purple, so that page
// buttons read as part of the same family.
constinit const KsRGBColor RGBButtonPurpleColor{0x5A00, 0x3C00, 0x6400};
