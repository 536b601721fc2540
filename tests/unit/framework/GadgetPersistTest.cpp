// Gadgets in the object stream (versions 1 to 4) and in the pane property
// text, against a document written by hand.
#include "GadgetTestSupport.h"
#include "KsHandle.h"
#include "KsPersistRoundTrip.h"
#include "PaneStream.h"
#include "PaneTextTestSupport.h"

#include <cstring>
#include <string>

namespace {

using panetext_test::ErrorOf;
using panetext_test::PaneTree;

// Writes the record a version 1 writer wrote: no flags, no extensions, and
// the text attributes the gadget itself kept then.
class V1Gadget : public AGadget {
public:
    void Put(AStream& s) override {
        APane::Put(s);
        s.PutClassMark(kClassID, 1);
        s.PutLong("itsRsrcType", 0);
        s.PutShort("resourceID", 0);
        for (const char* label : {"itsFont", "itsSize", "itsFace", "itsJust"})
            s.PutShort(label, 3);
        s.PutBool("onDownClick", true);
        s.PutBool("hasMenu", false);
        s.PutShort("itsMenuID", 0);
        s.PutLong("itsMenuItem", 1234);
        s.PutBool("takesMenuVal", false);
        s.PutBool("popsDown", false);
        s.PutChar("itsKeyCode", 0x24);
        s.PutChar("itsCharCode", 'z');
    }
};

// What both formats keep of a gadget, as one line (the command number goes
// only into the property text; Copy carries it past the stream).
std::string Settings(AGadget* g) {
    const KsRGBColor& fg = g->GetForeColor();
    return std::to_string(g->GetOnDownClick()) + std::to_string(g->GetPopsDown()) +
           std::to_string(g->GetTakesMenuVal()) + " item " + std::to_string(g->GetMenuItem()) +
           " key " + std::to_string(g->GetKeyCode()) + " char " + char(g->GetCharCode()) +
           " flags " + std::to_string(g->GetGadFlags()) + " fg " + std::to_string(fg.red) + "," +
           std::to_string(fg.green) + "," + std::to_string(fg.blue);
}

void Configure(AGadget* g) {
    g->SetText("Go");
    g->SetOnDownClick(true);
    g->SetPopsDown(false);
    g->SetTakesMenuVal(false);
    g->SetMenuItem(1234, false);
    g->SetKeyCharCode(0x24, 'g');
    g->SetIsLED(true);
    g->SetIsBistate(true);
    g->SetForeColor({0x2000, 0x2000, 0x2000});
    g->SetCmdNum(2001);
}

TEST_F(GadgetTest, StreamKeepsTheGadgetAndReadsVersion1) {
    auto* g = Add();
    Configure(g);
    AGadget* back = ThroughObjectStream<AGadget>(g);
    PaneTree hold(back);
    EXPECT_EQ(Settings(back), Settings(g));
    EXPECT_EQ(Settings(g).substr(0, 27), "100 item 1234 key 36 char g");

    auto* old = new V1Gadget;
    old->IGadget(main, 0, S, 10, 0, S, 10, RGBgray12, 0);
    AGadget* fromV1 = ThroughObjectStream<AGadget>(old);
    PaneTree hold1(fromV1);
    EXPECT_STREQ(fromV1->ClassName(), "AGadget");
    // No flags before version 3.
    EXPECT_EQ(Settings(fromV1).substr(0, 36), "100 item 1234 key 36 char z flags 0 ");
}

// Only the gadget's keys that differ from their defaults; the pane keys are
// APane's.
constexpr const char* kGadgetDoc = "version  l\t1\n"
                                   "Class    s\tAGadget\n"
                                   "\tpaneID   s\tgo\n"
                                   "\tbr.rit   l\t80\n"
                                   "\tbr.bot   l\t20\n"
                                   "\tonDwnClk l\t1\n"
                                   "\tpopsDown l\t0\n"
                                   "\tmenuItem l\t1234\n"
                                   "\tkeyCode  l\t36\n"
                                   "\tcharCode l\t103\n"
                                   "\tgadFlags l\t14\n"
                                   "\tfg.r     l\t8192\n"
                                   "\tfg.g     l\t8192\n"
                                   "\tfg.b     l\t8192\n"
                                   "\tnick     l\t2001\n"
                                   "\trsrcTyp  s\tSICN\n"
                                   "\trsrcBits b\t"
                                   "0102030405060708090a0b0c0d0e0f10"
                                   "1112131415161718191a1b1c1d1e1f20\n"
                                   "\tEndProps s\t\n"
                                   "\tSubs     l\t0\n"
                                   "EndClass s\tAGadget\n";

TEST_F(GadgetTest, PropertyTextReadsAHandWrittenGadgetAndWritesItBack) {
    APane* p = ReadPaneText(kGadgetDoc, long(std::strlen(kGadgetDoc)), nullptr, win);
    PaneTree hold(p);
    ASSERT_TRUE(p->IsInstanceOf("AGadget"));
    auto* g = static_cast<AGadget*>(p);
    EXPECT_EQ(Settings(g), "101 item 1234 key 36 char g flags 14 fg 8192,8192,8192");
    EXPECT_EQ(g->GetCmdNum(), 2001);
    ASSERT_EQ(g->GetRsrcType(), FourCharCode("SICN"));
    ASSERT_EQ(KsGetHandleSize(g->GetRsrcHandle()), 32);
    EXPECT_EQ(UInt8((*g->GetRsrcHandle())[31]), 0x20);

    // The writer gives back the same gadget keys, in the same order.
    const std::string text = WritePaneText(g);
    const char* from = std::strstr(kGadgetDoc, "\tonDwnClk");
    std::string expected(from, std::strstr(kGadgetDoc, "\tEndProps") - from);
    std::string written = text.substr(text.find("\tonDwnClk"));
    written = written.substr(0, written.find("\tEndProps"));
    EXPECT_EQ(panetext_test::WithLineEnds(written, "\n"), expected);
}

TEST_F(GadgetTest, PropertyTextRefusesFacesOfTheWrongSize) {
    struct Case {
        const char (&type)[5];
        int bytes;
        bool good;
    } cases[] = {{"ICON", 128, true}, {"ICON", 127, false}, {"ICON", 256, false},
                 {"SICN", 64, true},  {"SICN", 0, false},   {"SICN", 33, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.type) + " " + std::to_string(c.bytes));
        std::string doc = "version l\t1\nClass s\tAGadget\n\trsrcTyp s\t" + std::string(c.type) +
                          "\n\trsrcBits b\t" + std::string(size_t(c.bytes) * 2, 'f') +
                          "\n\tEndProps s\t\n\tSubs l\t0\nEndClass s\tAGadget\n";
        if (c.good) {
            PaneTree hold(ReadPaneText(doc.data(), long(doc.size()), nullptr, win));
            EXPECT_EQ(static_cast<AGadget*>(hold.root)->GetRsrcType(), FourCharCode(c.type));
        } else {
            const XError e =
                ErrorOf([&] { ReadPaneText(doc.data(), long(doc.size()), nullptr, win); });
            EXPECT_STREQ(e.GetCode(), "UIS_GADGET_BAD_RSRC");
        }
    }
}

} // namespace
