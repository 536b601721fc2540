// Cursors: what reaches the back end, cursors by ID from the resource chain,
// hiding, obscuring, and the bounded decoders.
#include "BytesBuilder.h"
#include "Cursors.h"
#include "Events.h"
#include "KsHeadlessDesk.h"
#include "KsRaisedError.h"
#include "ResourceTestSupport.h"
#include "Resources.h"
#include "XError.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <utility>

namespace {

// A cursor record as resource bytes: rows of data, rows of mask, hot spot.
std::string CursBytes(UInt16 dataRow, UInt16 maskRow, SInt16 v, SInt16 h) {
    Bytes out;
    for (int i = 0; i < 16; ++i)
        out.u16(dataRow + i);
    for (int i = 0; i < 16; ++i)
        out.u16(maskRow);
    return out.u16(v).u16(h).str();
}

// A 'crsr' header around a one-bit record, with colour data after it.
std::string CrsrBytes(UInt16 type, const std::string& record) {
    // Type, then the map, data and expanded-data fields; the record; XTable and
    // ID; the colour part, not read.
    return Bytes().u16(type).zeros(18).str() + record + std::string(8, '\0') +
           std::string(60, '\x55');
}

class CursorTest : public ::testing::Test {
protected:
    void SetUp() override { InitCursor(); }
    void TearDown() override {
        if (ref > 0) CloseResFile(ref);
        InitCursor();
    }
    void OpenFile(const std::vector<RsrcSpec>& specs) {
        WriteBytes(dir / "cursors.rsrc", MakeResourceImage(specs));
        ref = KsOpenResFile((dir / "cursors.rsrc").c_str(), fsRdPerm);
        ASSERT_GT(ref, 0);
    }
    bool ShowsStandard(KsStandardCursor kind) const {
        return !backend->HasCustomCursor() && backend->StandardCursor() == kind;
    }

    HeadlessDesk desk{640, 480, DeskWith::eventsOnly};
    KsHeadlessBackend* backend = desk.backend;
    ScratchDir dir;
    SInt16 ref = 0;
};

} // namespace

TEST_F(CursorTest, StandardCursorsUseTheSystemOnes) {
    EXPECT_TRUE(ShowsStandard(KsStandardCursor::arrow));
    EXPECT_EQ(KsGetCursorID(), kKsArrowCursorID);
    EXPECT_TRUE(KsIsCursorVisible());

    SetWatchCursor();
    EXPECT_TRUE(ShowsStandard(KsStandardCursor::watch));
    EXPECT_EQ(KsGetCursorID(), kKsBusyCursorID);
    for (auto [id, kind] : {std::pair{iBeamCursor, KsStandardCursor::iBeam},
                            {crossCursor, KsStandardCursor::cross},
                            {plusCursor, KsStandardCursor::plus}}) {
        EXPECT_EQ(SetCursorByID(id), noErr);
        EXPECT_TRUE(ShowsStandard(kind)) << id;
        EXPECT_EQ(KsGetCursorID(), id);
    }
    SetArrowCursor();
    EXPECT_TRUE(ShowsStandard(KsStandardCursor::arrow));
}

TEST_F(CursorTest, RecordsAndResourcesSendTheirImage) {
    Cursor c{};
    for (int i = 0; i < 16; ++i) {
        c.data[i] = SInt16(0x0100 << (i % 8));
        c.mask[i] = SInt16(0xFFFF);
    }
    c.hotSpot = {3, 9};
    SetCursor(&c);
    ASSERT_TRUE(backend->HasCustomCursor());
    EXPECT_EQ(KsGetCursorID(), kKsImageCursorID);
    const KsCursorImage& shown = backend->CursorImage();
    EXPECT_EQ(shown.data[1], 0x0200);
    EXPECT_EQ(shown.mask[15], 0xFFFF);
    EXPECT_EQ(ToKsPoint(shown.hotSpot), (KsPoint{9, 3}));

    // The grow cursor comes from the framework's resources, byte for byte.
    ASSERT_EQ(SetCursorByID(2010), noErr);
    EXPECT_EQ(KsGetCursorID(), 2010);
    Handle raw = GetResource(FourCharCode("CURS"), 2010);
    ASSERT_NE(raw, nullptr);
    const auto* b = reinterpret_cast<const UInt8*>(*raw);
    for (int row = 0; row < 16; ++row) {
        EXPECT_EQ(backend->CursorImage().data[row], UInt16(b[2 * row] << 8 | b[2 * row + 1]));
        EXPECT_EQ(backend->CursorImage().mask[row], UInt16(b[32 + 2 * row] << 8 | b[33 + 2 * row]));
    }
    EXPECT_EQ(backend->CursorImage().hotSpot.v, b[65]);
    EXPECT_EQ(backend->CursorImage().hotSpot.h, b[67]);

    // GetCursor answers the record in native order.
    CursHandle ch = GetCursor(2010);
    ASSERT_NE(ch, nullptr);
    EXPECT_EQ(UInt16((*ch)->data[3]), backend->CursorImage().data[3]);
    EXPECT_EQ((*ch)->hotSpot.h, backend->CursorImage().hotSpot.h);
    EXPECT_EQ(GetCursor(31000), nullptr);
}

TEST_F(CursorTest, CrsrGivesItsOneBitPartAndOrderDecides) {
    OpenFile({{"CURS", 500, CursBytes(0x1000, 0xF0F0, 1, 2)},
              {"crsr", 500, CrsrBytes(0x8001, CursBytes(0x2000, 0x0F0F, 4, 5))},
              {"crsr", 501, CrsrBytes(0x8001, CursBytes(0x3000, 0xFFFF, 6, 7))},
              {"CURS", 1, CursBytes(0x4000, 0xFFFF, 0, 0)}});
    ASSERT_EQ(SetCursorByID(500), noErr);
    EXPECT_EQ(backend->CursorImage().data[0], 0x1000) << "'CURS' first";
    ASSERT_EQ(KsSetCCursor(500), noErr);
    EXPECT_EQ(backend->CursorImage().data[0], 0x2000) << "'crsr' first";
    EXPECT_EQ(backend->CursorImage().mask[0], 0x0F0F);
    EXPECT_EQ(backend->CursorImage().hotSpot.h, 5);
    ASSERT_EQ(SetCursorByID(501), noErr);
    EXPECT_EQ(backend->CursorImage().data[2], 0x3002) << "no 'CURS': the 'crsr'";
    EXPECT_EQ(KsGetCursorID(), 501);
    // An application's own cursor with a system ID wins over the system's.
    ASSERT_EQ(SetCursorByID(iBeamCursor), noErr);
    ASSERT_TRUE(backend->HasCustomCursor());
    EXPECT_EQ(backend->CursorImage().data[0], 0x4000);
}

TEST_F(CursorTest, MissingAndDamagedCursorsKeepTheCurrentOne) {
    OpenFile({{"CURS", 600, CursBytes(0, 0, 0, 0) + "x"}, {"crsr", 601, std::string(95, '\0')}});
    ASSERT_EQ(SetCursorByID(2000), noErr);
    const KsCursorImage shown = backend->CursorImage();

    EXPECT_EQ(SetCursorByID(31000), resNotFound);
    EXPECT_EQ(KsSetCCursor(31000), resNotFound);
    EXPECT_EQ(KsGetCursorID(), 2000);
    for (SInt16 id : {600, 601})
        EXPECT_EQ(ErrorCode([&] { SetCursorByID(id); }), "TBX_CURSOR_BAD") << id;
    EXPECT_EQ(KsGetCursorID(), 2000);
    EXPECT_EQ(std::memcmp(&backend->CursorImage(), &shown, sizeof shown), 0);
}

TEST_F(CursorTest, DecodersAreBoundedByTheirInput) {
    const std::string good = CursBytes(0x1234, 0xFFFF, 7, 8);
    Cursor c{};
    const auto* bytes = reinterpret_cast<const UInt8*>(good.data());
    KsDecodeCURS(bytes, good.size(), &c);
    EXPECT_EQ(UInt16(c.data[0]), 0x1234);
    EXPECT_EQ(c.hotSpot.v, 7);
    EXPECT_EQ(c.hotSpot.h, 8);
    EXPECT_THROW(KsDecodeCURS(bytes, 67, &c), XError);
    EXPECT_THROW(KsDecodeCURS(nullptr, 68, &c), XError);
    const std::string longer = good + "zz";
    EXPECT_THROW(KsDecodeCURS(reinterpret_cast<const UInt8*>(longer.data()), longer.size(), &c),
                 XError);

    const std::string crsr = CrsrBytes(0x8000, good);
    const auto* cb = reinterpret_cast<const UInt8*>(crsr.data());
    KsDecodeCrsr(cb, 96, &c);
    EXPECT_EQ(UInt16(c.data[1]), 0x1235);
    EXPECT_THROW(KsDecodeCrsr(cb, 95, &c), XError);
    const std::string wrongType = CrsrBytes(0x1234, good);
    EXPECT_THROW(
        KsDecodeCrsr(reinterpret_cast<const UInt8*>(wrongType.data()), wrongType.size(), &c),
        XError);
}

TEST_F(CursorTest, HideAndShowNest) {
    HideCursor();
    HideCursor();
    EXPECT_TRUE(ShowsStandard(KsStandardCursor::hidden));
    EXPECT_EQ(KsGetCursorLevel(), -2);
    ShowCursor();
    EXPECT_TRUE(ShowsStandard(KsStandardCursor::hidden)) << "one show per hide";
    // Set while hidden: recorded, not shown.
    ASSERT_EQ(SetCursorByID(2001), noErr);
    EXPECT_TRUE(ShowsStandard(KsStandardCursor::hidden));
    EXPECT_EQ(KsGetCursorID(), 2001);
    ShowCursor();
    EXPECT_TRUE(KsIsCursorVisible());
    ASSERT_TRUE(backend->HasCustomCursor());
    Handle raw = GetResource(FourCharCode("CURS"), 2001);
    ASSERT_NE(raw, nullptr);
    EXPECT_EQ(backend->CursorImage().data[0], UInt16(UInt8((*raw)[0]) << 8 | UInt8((*raw)[1])));
    // More shows than hides do not bank visibility.
    ShowCursor();
    EXPECT_EQ(KsGetCursorLevel(), 0);
    HideCursor();
    EXPECT_FALSE(KsIsCursorVisible());
    ShowCursor();
    EXPECT_TRUE(KsIsCursorVisible());
}

TEST_F(CursorTest, ObscuredUntilTheMouseMoves) {
    SetCursorByID(iBeamCursor);
    ObscureCursor();
    EXPECT_TRUE(ShowsStandard(KsStandardCursor::hidden));
    EXPECT_FALSE(KsIsCursorVisible());
    SetArrowCursor(); // typing goes on; the cursor stays out of the way
    EXPECT_TRUE(ShowsStandard(KsStandardCursor::hidden));
    KsCursorMouseMoved();
    EXPECT_TRUE(ShowsStandard(KsStandardCursor::arrow));
    KsCursorMouseMoved();
    EXPECT_TRUE(ShowsStandard(KsStandardCursor::arrow));

    // Obscured and hidden: a move does not show it while hidden.
    ObscureCursor();
    HideCursor();
    KsCursorMouseMoved();
    EXPECT_TRUE(ShowsStandard(KsStandardCursor::hidden));
    ShowCursor();
    EXPECT_TRUE(ShowsStandard(KsStandardCursor::arrow));

    // InitCursor clears both.
    HideCursor();
    ObscureCursor();
    InitCursor();
    EXPECT_TRUE(KsIsCursorVisible());
    EXPECT_TRUE(ShowsStandard(KsStandardCursor::arrow));
}

TEST(CursorObscure, AMouseMoveFromTheBackEndShowsTheCursorAgain) {
    InitCursor();
    ObscureCursor();
    EXPECT_FALSE(KsIsCursorVisible());
    KsInput move{};
    move.kind = KsInput::Kind::mouseMove;
    move.h = 10;
    move.v = 20;
    KsFeedInput(move);
    EXPECT_TRUE(KsIsCursorVisible());
}
