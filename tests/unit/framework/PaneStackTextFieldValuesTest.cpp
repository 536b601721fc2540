// Text fields in a pane stack take part in the value protocol as gadgets do:
// the builder gives them their procedure and refcon, and the stack's
// refreshes and refcon searches reach them, in a stack pane or a page.
#include "APagePane.h"
#include "ATextEntry.h"
#include "ApplicationTestSupport.h"
#include "KsPaneStackCheck.h"

#include <string>

namespace {

using PaneStackTextFieldValuesTest = AppTest;

// Writes the field's own refcon and how often a procedure ran.
void Show(SInt32, APane* pane, void* data) {
    const int n = ++*static_cast<int*>(data);
    const SInt32 ref = static_cast<ATextEntry*>(pane)->GetValueRefCon();
    pane->SetText((std::to_string(ref) + ":" + std::to_string(n)).c_str());
}

std::string Text(ATextEntry* t) {
    char buf[64];
    t->GetText(buf, sizeof buf);
    return buf;
}

TEST_F(PaneStackTextFieldValuesTest, RefreshesAndRefconSearchesReachTextFields) {
    RecWindow* w = Win("stack");
    w->CreateMainPane();
    APaneStack* stack = APaneStack::New(w->GetMainPane(), 0, 0, 200, 13, 10, 0, RGBgray11);
    stack->AddPaneType(1, 0, "Clip", 4, kStackPaneAlwaysOpen);
    ATextEntry* inPane = stack->AddTextEntryGad(7, "Name", Show, nullptr, 40, 100, 13, 16);
    stack->AddPaneType(2, 0, "Paged", 4, kStackPaneAlwaysOpen);
    stack->AddPanePage(3, "Page", 3, nullptr, 0)->SetVisible(true);
    ATextEntry* inPage = stack->AddTextEntryGad(8, "Take", Show, nullptr, 40, 100, 4, 16);
    ASSERT_TRUE(inPane && inPage);
    EXPECT_EQ(stack->RefConFindGad(7, nullptr), inPane);
    EXPECT_EQ(stack->RefConFindGad(8, nullptr), inPage);

    int count = 0;
    stack->UpdateValues(0, &count);
    EXPECT_EQ(Text(inPane) + " " + Text(inPage), "7:1 8:2");
    stack->SetCurPane(1, 0);
    stack->RefConSetCurGad(7);
    ASSERT_EQ(stack->GetCurStackPane()->GetCurGad(), inPane);
    stack->UpdateCurGadValues(0, &count);
    EXPECT_EQ(Text(inPane), "7:3");
    EXPECT_TRUE(StackInvariantsHold(stack));
}

} // namespace
