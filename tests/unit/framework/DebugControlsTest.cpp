// Debug controls bound to program variables: integers of 1, 2 and 4 bytes,
// signed and unsigned, stored unaligned; bits of flag words; buttons; the
// pane's stacking.
#include "DebugControls.h"
#include "DebugPane.h"
#include "PaneTestSupport.h"
#include "TavikDebugPane.h"

#include <cstring>

namespace {
void Idle(APane* p) {
    SInt32 sleep = 0;
    SInt16 cursor = 0;
    p->Dawdle(KsPoint{0, 0}, 0, &sleep, &cursor, nullptr);
}

unsigned long gPressed = 0;
void Press(unsigned long refCon) {
    gPressed = refCon;
}
} // namespace

class DebugControls : public PaneTest {
protected:
    DebugPane* Pane(SInt16 height = 200) {
        return DebugPane::New(main, 10, S, 200, 10, S, height, RGBwhite, 1, "Debug");
    }
    template <class T> static T* Last(APane* pane) {
        return static_cast<T*>(pane->GetSubPane(pane->GetNumSubPanes()));
    }
};

TEST_F(DebugControls, IntegerFieldsShowAndWriteTheirVariableAtItsSizeAndSign) {
    struct Case {
        short size;
        KsBoundSign sign;
        SInt64 start;       // the variable's value at the start
        const char* typed;  // what the user enters
        SInt64 stored;      // what the variable then holds
        SInt64 programSets; // what the program sets next
    };
    const Case cases[] = {
        {1, KsBoundSign::kSigned, -1, "-128", -128, 127},
        {1, KsBoundSign::kUnsigned, 255, "7", 7, 200},
        {2, KsBoundSign::kSigned, -2, "-30000", -30000, 1},
        {2, KsBoundSign::kUnsigned, 65535, "40000", 40000, 65534},
        {4, KsBoundSign::kSigned, -5, "-2000000000", -2000000000, 9},
        {4, KsBoundSign::kUnsigned, 7, "123456", 123456, 0},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(testing::Message() << k.size << (k.sign == KsBoundSign::kSigned ? "s" : "u"));
        // One byte in, so that the variable is not aligned.
        alignas(8) unsigned char storage[8] = {0xEE, 0xEE, 0xEE, 0xEE, 0xEE, 0xEE, 0xEE, 0xEE};
        const KsBoundVar var(storage + 1, k.size, k.sign);
        var.Write(k.start);
        DebugPane* pane = Pane();
        pane->AddInteger("value", k.size, storage + 1, 10, k.sign);
        auto* field = Last<DebugIntEntry>(pane);
        EXPECT_EQ(field->GetInt(), SInt32(k.start));
        Idle(field); // polling leaves an unchanged value alone
        EXPECT_EQ(var.Read(), k.start);
        field->SetCstr(k.typed);
        field->TextToValue(true, true);
        EXPECT_EQ(var.Read(), k.stored);
        var.Write(k.programSets);
        Idle(field);
        EXPECT_EQ(field->GetInt(), SInt32(k.programSets));
        // The bytes around the variable are untouched.
        EXPECT_EQ(storage[0], 0xEE);
        EXPECT_EQ(storage[1 + k.size], 0xEE);
        pane->Dispose();
    }
}

TEST_F(DebugControls, BitBoxesFollowAndSetAllTheirBits) {
    UInt16 flags = 0x0002;
    DebugPane* pane = Pane();
    pane->AddOneBit("bit 0", &flags, 2, 0x0001);
    pane->AddOneBit("bits 1 and 2", &flags, 2, 0x0006);
    auto* one = static_cast<DebugBitCheckBox*>(pane->GetSubPane(1));
    auto* two = static_cast<DebugBitCheckBox*>(pane->GetSubPane(2));
    EXPECT_FALSE(one->GetState());
    EXPECT_FALSE(two->GetState()) << "only one of its bits is set";
    flags = 0x0007;
    for (auto* b : {one, two})
        Idle(b);
    EXPECT_TRUE(one->GetState());
    EXPECT_TRUE(two->GetState());
    two->DoGoodClick(KsPoint{0, 0}, 0, 0, nullptr);
    EXPECT_FALSE(two->GetState());
    EXPECT_EQ(flags, 0x0001);
    one->DoGoodClick(KsPoint{0, 0}, 0, 0, nullptr);
    EXPECT_EQ(flags, 0x0000);
}

TEST_F(DebugControls, ThePaneStacksControlsAndGrowsWhenAsked) {
    DebugPane* pane = Pane(10);
    pane->SetAutoResize(true);
    const SInt32 height = pane->GetBounds().Height(); // with the label strip
    unsigned char a = 0, b = 1, c = 0;
    const DebugBitSpec_t none[] = {{nullptr, 0x1}};
    pane->AddBits(none, &a, 1);
    EXPECT_EQ(pane->GetNumSubPanes(), 0);
    pane->AddBoolean("a", &a);
    pane->AddBoolean("b", &b);
    pane->AddBoolean("c", &c);
    EXPECT_EQ(pane->GetBounds().Height(), height + 3 * 17);
    EXPECT_EQ(pane->GetNextYpos(), 3 + 3 * 17);
    EXPECT_EQ(pane->GetSubPane(2)->GetBounds().top - pane->GetSubPane(1)->GetBounds().top, 17);
}

TEST_F(DebugControls, ButtonsCallTheirProcedureAndANullOneDoesNothing) {
    DebugPane* pane = Pane();
    pane->AddPushButton("press", Press, 42);
    pane->AddPushButton("nothing", nullptr, 7);
    gPressed = 0;
    Last<DebugPushButton>(pane)->DoGoodClick(KsPoint{0, 0}, 0, 0, nullptr);
    EXPECT_EQ(gPressed, 0u);
    static_cast<DebugPushButton*>(pane->GetSubPane(1))->DoGoodClick(KsPoint{0, 0}, 0, 0, nullptr);
    EXPECT_EQ(gPressed, 42u);
}

TEST_F(DebugControls, TheDumpOptionPaneFollowsTheDumpKeyInHex) {
    const short was = AWindow::iPaneDumpKey;
    AWindow::iPaneDumpKey = 0x7A;
    APane* tavik = CreateTavikDebugPane(main);
    // The first control of the first debug pane.
    auto* key = dynamic_cast<ARadixIntEntry*>(tavik->GetSubPane(1)->GetSubPane(1));
    ASSERT_NE(key, nullptr);
    EXPECT_EQ(key->GetRadix(), 16);
    EXPECT_EQ(key->GetInt(), 0x7A);
    AWindow::iPaneDumpKey = 0x60;
    Idle(key);
    EXPECT_EQ(key->GetString(), "60");
    AWindow::iPaneDumpKey = was;
    // Four panes: the key's, the window options', and two of pane options.
    EXPECT_EQ(tavik->GetNumSubPanes(), 4);
}
