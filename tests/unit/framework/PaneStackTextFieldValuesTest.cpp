// Text fields in a pane stack take part in the value protocol as gadgets do:
// the builder gives them their procedure and refcon, and every refresh and
// refcon search of the stack reaches them, in a stack pane or a page.
#include "APagePane.h"
#include "ATextEntry.h"
#include "ApplicationTestSupport.h"
#include "KsPaneStackCheck.h"

#include <string>

namespace {

class PaneStackTextFieldValuesTest : public AppTest {
protected:
    void SetUp() override {
        AppTest::SetUp();
        w = Win("stack");
        SizeWindow(w->GetWindowPtr(), 300, 400, false);
        SetPortWindowPort(w->GetWindowPtr());
        w->CreateMainPane();
        stack = APaneStack::New(w->GetMainPane(), 0, 0, 200, 13, 10, 0, RGBgray11);
    }
    // Writes how often it ran into its field, after the field's own refcon.
    static void Show(SInt32, APane* pane, void* data) {
        auto* count = static_cast<int*>(data);
        ++*count;
        const SInt32 ref = static_cast<ATextEntry*>(pane)->GetValueRefCon();
        pane->SetText((std::to_string(ref) + ":" + std::to_string(*count)).c_str());
    }
    static std::string Text(ATextEntry* t) {
        char buf[64];
        t->GetText(buf, sizeof buf);
        return buf;
    }
    APaneStack* stack = nullptr;
    RecWindow* w = nullptr;
};

TEST_F(PaneStackTextFieldValuesTest, RefreshesAndRefconSearchesReachTextFields) {
    stack->AddPaneType(1, 0, "Clip", 4, kStackPaneAlwaysOpen);
    ATextEntry* inPane = stack->AddTextEntryGad(7, "Name", Show, nullptr, 40, 100, 13, 16);
    stack->AddPaneType(2, 0, "Paged", 4, kStackPaneAlwaysOpen);
    stack->AddPanePage(3, "Page", 3, nullptr, 0)->SetVisible(true);
    ATextEntry* inPage = stack->AddTextEntryGad(8, "Take", Show, nullptr, 40, 100, 4, 16);
    ASSERT_TRUE(inPane && inPage);
    EXPECT_EQ(inPane->GetValueRefCon(), 7);
    EXPECT_EQ(stack->RefConFindGad(7, nullptr), inPane);
    EXPECT_EQ(stack->RefConFindGad(8, nullptr), inPage);

    int count = 0;
    stack->UpdateValues(0, &count);
    EXPECT_EQ(Text(inPane), "7:1");
    EXPECT_EQ(Text(inPage), "8:2");

    stack->SetCurPane(1, 0);
    stack->RefConSetCurGad(7);
    ASSERT_EQ(stack->GetCurStackPane()->GetCurGad(), inPane);
    stack->UpdateCurGadValues(0, &count);
    EXPECT_EQ(Text(inPane), "7:3");
    EXPECT_TRUE(StackInvariantsHold(stack));
}

} // namespace
