// Every button class through the object stream and the pane property text:
// the class, its state and face come back, and so does what its
// initialiser sets that neither format carries.
#include "ABasicButtons.h"
#include "ADialogButtonGad.h"
#include "APopupMenuGad.h"
#include "ARadioCheckGads.h"
#include "KsPersistRoundTrip.h"
#include "MacText.h"
#include "PaneStream.h"
#include "PaneTestSupport.h"
#include "PaneTextTestSupport.h"

#include <functional>
#include <string>

namespace {

using panetext_test::PaneTree;

// The button as the only sub-pane of a plain pane, written and read back.
APane* ThroughText(APane* p, std::string* written) {
    *written = WritePaneText(p->GetEnclPane());
    APane* root = ReadPaneText(written->data(), long(written->size()), nullptr, nullptr);
    EXPECT_EQ(root->GetNumSubPanes(), 1);
    return root;
}

using Check = std::function<void(AGadget*)>;

class ButtonPersist : public PaneTest {};

TEST_F(ButtonPersist, EveryClassComesBackFromBothFormats) {
    APane* holder = Add(main, 0, S, 300, 0, S, 200, 1);
    struct Case {
        const char* name;
        OSType id;
        std::function<AGadget*()> make;
        Check check; // what the class must have after reading
    } cases[] = {
        {"AVButton", FourCharCode("VBut"),
         [&] { return AVButton::New(holder, 5, S, 50, 5, S, 20); },
         [](AGadget* g) { EXPECT_EQ(g->GetBorderStyle(), 0); }},
        {"ASquareButton", FourCharCode("Squa"),
         [&] { return ASquareButton::New(holder, 5, S, 50, 5, S, 20, nullptr, "Sq"); },
         [](AGadget* g) {
             char t[8] = {};
             g->GetText(t, sizeof t);
             EXPECT_STREQ(t, "Sq");
         }},
        {"AStateButton", FourCharCode("Stat"),
         [&] {
             auto* b = AStateButton::New(holder, 5, S, 50, 5, S, 20, nullptr, "On");
             b->SetState(true, true);
             return b;
         },
         [](AGadget* g) {
             EXPECT_TRUE(g->GetState());
             EXPECT_EQ(g->GetForeColor(), RGBlightblue);
             EXPECT_EQ(g->GetBkndColor(), RGBlightblue); // lit
         }},
        {"APushButton", FourCharCode("Push"),
         [&] {
             auto* b = APushButton::New(holder, 5, S, 50, 5, S, 20, nullptr, 0, 0);
             b->SetText("OK");
             b->SetFlag(kPaneOKGadget, true);
             b->SetKeyCharCode(0x24, 0);
             return b;
         },
         [](AGadget* g) {
             EXPECT_TRUE(static_cast<APushButton*>(g)->IsDefaultButton());
             EXPECT_EQ(g->GetKeyCode(), 0x24);
             EXPECT_EQ(static_cast<APushButton*>(g)->GetRefNum(), APushButton::kNoGroup);
         }},
        {"ALED", FourCharCode("LED "),
         [&] {
             return ALED::New(holder, 5, S, 12, 5, S, 8, KsRGBColor{0, 0x6000, 0});
         },
         [](AGadget* g) {
             EXPECT_EQ(g->GetForeColor(), (KsRGBColor{0, 0x9000, 0}));
             EXPECT_EQ(g->GetBorderStyle(), 5);
         }},
        {"ARadioButtonGad", FourCharCode("RBgd"),
         [&] {
             auto* r = ARadioButtonGad::New(holder, 4, "Fast", 5, S, 90, 5, S, 18);
             r->SetState(true, true);
             return r;
         },
         [](AGadget* g) {
             auto* r = static_cast<ARadioButtonGad*>(g);
             EXPECT_TRUE(r->GetState());
             EXPECT_EQ(r->GetRsrcType(), FourCharCode("cicn"));
             EXPECT_NE(r->GetBkgdProc(), nullptr);
             EXPECT_TRUE(r->GetClickInLabel());
             EXPECT_NE(r->GetRefNum(), APushButton::kNoGroup); // joins its enclosure's group
             EXPECT_STREQ(r->GetLabel()->GetText(), "Fast");
             EXPECT_EQ(r->GetFrame().Width(), 17);
         }},
        {"ACheckBoxGad", FourCharCode("CBgd"),
         [&] {
             auto* c = ACheckBoxGad::New(holder, "Loop", 5, S, 90, 5, S, 18);
             c->SetState(true, true);
             return c;
         },
         [](AGadget* g) {
             EXPECT_TRUE(g->GetState());
             EXPECT_EQ(g->GetRsrcType(), FourCharCode("SICN"));
             EXPECT_TRUE(g->GetClickInLabel());
             EXPECT_TRUE(g->CanBeTabbedTo());
             EXPECT_EQ(g->GetFrame().Width(), 20);
         }},
        {"ACheckBoxGad", FourCharCode("CBgd"),
         [&] {
             auto* c = ACheckBoxGad::New(holder, "Locked", 5, S, 90, 5, S, 18);
             c->Disable();
             return c;
         },
         [](AGadget* g) {
             EXPECT_FALSE(g->GetEnabled());
             EXPECT_FALSE(g->CanBeTabbedTo());
             EXPECT_EQ(g->GetFrame().Height(), 10); // a disabled box is smaller
             EXPECT_EQ(g->GetBorderStyle(), 61);
         }},
        {"APopupMenuGad", FourCharCode("PMgd"),
         [&] { return APopupMenuGad::New(holder, "Rate:", 5, S, 90, 5, S, 20, kLabelLeft, 0); },
         [](AGadget* g) {
             EXPECT_TRUE(g->GetShowMenuIcon());
             EXPECT_TRUE(g->CanBeTabbedTo());
             EXPECT_EQ(g->GetBorderStyle(), 60);
             EXPECT_GT(g->GetLabelDX(), 0);
         }},
        {"ADialogButtonGad", FourCharCode("DBgd"),
         [&] { return ADialogButtonGad::New(holder, "Cancel", 5, S, 60, 5, S, 20); },
         [](AGadget* g) {
             EXPECT_TRUE(g->CanBeTabbedTo());
             EXPECT_TRUE(g->GetBodyText()->GetInlay());
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        AGadget* g = c.make();
        EXPECT_EQ(g->GetClassID(), c.id);
        EXPECT_EQ(g->GetVersionWritten(), 1);

        APane* s = ThroughObjectStream<APane>(g);
        PaneTree holdStream(s);
        ASSERT_NE(s, nullptr);
        EXPECT_STREQ(s->ClassName(), c.name);
        c.check(static_cast<AGadget*>(s));

        std::string text;
        APane* root = ThroughText(g, &text);
        PaneTree holdText(root);
        APane* t = root->GetSubPane(1);
        EXPECT_STREQ(t->ClassName(), c.name);
        // Placed in a window's tree, so that colours come from the enclosure.
        c.check(static_cast<AGadget*>(t));
        EXPECT_EQ(WritePaneText(root), text);
        EXPECT_EQ(text.find("Subs     l\t0", text.find(c.name)), std::string::npos)
            << "a button writes no sub-panes";
        g->Dispose();
    }
}

} // namespace
