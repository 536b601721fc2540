// A started application's window, 300 by 400, with a pane stack 200 wide in
// its main pane, for the pane stack tests.
#pragma once

#include "APagePane.h"
#include "ApplicationTestSupport.h"
#include "KsPaneStackCheck.h"

class PaneStackTest : public AppTest {
protected:
    void SetUp() override {
        AppTest::SetUp();
        w = Win("stack");
        SizeWindow(w->GetWindowPtr(), 300, 400, false);
        SetPortWindowPort(w->GetWindowPtr());
        w->CreateMainPane();
    }
    // The stack: `visible` rows of `rowHeight` shown.
    APaneStack* NewStack(SInt16 rowHeight, SInt16 visible) {
        return stack =
                   APaneStack::New(w->GetMainPane(), 0, 0, 200, rowHeight, visible, 0, RGBgray11);
    }
    APaneStack* stack = nullptr;
    RecWindow* w = nullptr;
};
