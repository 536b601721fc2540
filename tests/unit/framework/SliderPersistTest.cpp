// Sliders in the object stream and in the pane property text: every class
// reads back what it wrote, and a record's typing bound is held to the
// buffer.
#include "KsPersistRoundTrip.h"
#include "KsSliderKinds.h"
#include "MacText.h"
#include "PaneStream.h"
#include "PaneTestSupport.h"
#include "PaneTextTestSupport.h"

#include <cstring>
#include <string>

namespace {

using panetext_test::PaneTree;

class SliderPersist : public PaneTest {};

void ExpectSame(ASlider* a, ASlider* b, bool reals) {
    EXPECT_STREQ(b->ClassName(), a->ClassName());
    EXPECT_EQ(b->GetValue(), reals ? a->GetValue() : double(SliderLong(a->GetValue())));
    EXPECT_EQ(b->GetMin(), a->GetMin());
    EXPECT_EQ(b->GetMax(), a->GetMax());
    EXPECT_EQ(b->GetSnapsBack(), a->GetSnapsBack());
    if (reals) {
        EXPECT_EQ(b->GetInc(), a->GetInc());
        EXPECT_EQ(b->GetFloatingPoint(), a->GetFloatingPoint());
    }
    if (!a->IsInstanceOf("AThinSlider")) return;
    auto* ta = static_cast<AThinSlider*>(a);
    auto* tb = static_cast<AThinSlider*>(b);
    EXPECT_EQ(tb->GetLeftMargin(), ta->GetLeftMargin());
    EXPECT_EQ(tb->GetRightMargin(), ta->GetRightMargin());
    EXPECT_EQ(tb->GetKeyDownBufferMax(), ta->GetKeyDownBufferMax());
    EXPECT_EQ(tb->DrawMinus(), ta->DrawMinus());
    EXPECT_STREQ(tb->GetLabel()->GetText(), ta->GetLabel()->GetText());
    EXPECT_STREQ(tb->GetValueText()->GetText(), ta->GetValueText()->GetText());
}

TEST_F(SliderPersist, EveryClassComesBackFromBothFormats) {
    APane* holder = Add(main, 0, S, 380, 0, S, 200, 1);
    for (const SliderKind& k : SliderKinds()) {
        SCOPED_TRACE(k.name);
        ASlider* s = k.make(holder, 10, 10, 300, 24, -7, -20, 50);
        EXPECT_EQ(s->GetClassID(), k.id);
        s->SetSnapsBack(true);
        s->SetFloatingPoint(true);
        s->SetInc(0.25);
        s->SetValueNoUpdate(-7.75);
        if (k.thin) {
            auto* t = static_cast<AThinSlider*>(s);
            t->SetMargins(20, 41);
            t->SetDrawMinus(false);
        }
        ASlider* back = static_cast<ASlider*>(ThroughObjectStream<APane>(s));
        PaneTree holdStream(back);
        ExpectSame(s, back, true);
        auto* copy = static_cast<ASlider*>(s->Copy());
        PaneTree holdCopy(copy);
        ExpectSame(s, copy, true);

        // The text carries whole numbers: a slider of whole numbers reads back
        // equal, and writes the same text again.
        s->SetFloatingPoint(false);
        s->SetValueNoUpdate(-7);
        const std::string text = WritePaneText(holder);
        APane* root = ReadPaneText(text.data(), long(text.size()), nullptr, nullptr);
        PaneTree holdText(root);
        ASSERT_EQ(root->GetNumSubPanes(), 1);
        ExpectSame(s, static_cast<ASlider*>(root->GetSubPane(1)), false);
        EXPECT_EQ(WritePaneText(root), text);
        s->Dispose();
    }
}

// The typing bound read from outside data cannot make typing overrun the
// buffer: it is held to what the buffer takes, and typing commits there.
TEST_F(SliderPersist, ATypingBoundFromOutsideIsHeldToTheBuffer) {
    APane* holder = Add(main, 0, S, 380, 0, S, 200, 1);
    AThinSlider* s = AThinSlider::New(holder, 10, S, 300, 10, S, 24, 0, 0, 1e9, "Big", 9);
    std::string text = WritePaneText(holder);
    const std::string key = "tskdbmax l\t";
    const std::size_t at = text.find(key);
    ASSERT_NE(at, std::string::npos);
    text.replace(at + key.size(), text.find('\r', at) - at - key.size(), "30000");
    APane* root = ReadPaneText(text.data(), long(text.size()), main, win);
    PaneTree hold(root);
    auto* t = static_cast<AThinSlider*>(root->GetSubPane(1));
    EXPECT_EQ(t->GetKeyDownBufferMax(), AThinSlider::kKeyBufferSize - 2);
    t->Activate();
    for (int i = 0; i < 40; ++i)
        ASSERT_TRUE(t->DoKeyDown('1', 0, nullptr, nullptr));
    EXPECT_LT(std::strlen(t->GetKeyBuffer()), std::size_t(AThinSlider::kKeyBufferSize));
    EXPECT_GT(t->GetValue(), 1e8) << "full buffers were committed";
    s->Dispose();
}

} // namespace
