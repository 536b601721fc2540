// A table of string rows in the pane test window, and the helpers that click
// and type into it through its own event handlers.
#pragma once

#include "AColumn.h"
#include "ARow.h"
#include "AStringsRow.h"
#include "ATableScape.h"
#include "CKsList.h"
#include "KsTime.h"
#include "PaneTestSupport.h"

#include <cstdint>
#include <vector>

// Cells of this column are edited through a plain framed pane.
class EditColumn : public AColumn {
public:
    bool ActivateCell(ARow* row, KsRect* rect, APane** pane) override {
        *rect = GetTable()->GetCellWindowRect(row, this);
        *pane = APane::New(GetTable(), 0, kPaneDontCare, rect->Width(), 0, kPaneDontCare,
                           rect->Height(), RGBgray4, 1);
        (*pane)->SetBounds(*rect);
        return true;
    }
    void DeactivateCell(ARow*, APane* pane) override {
        if (pane) pane->Dispose();
    }
};

class TableTest : public PaneTest {
protected:
    static constexpr SInt16 kCmd = 0x0100, kShift = 0x0200;

    void SetUp() override {
        PaneTest::SetUp();
        table = ATableScape::New(main, 0, S, 300, 0, S, 200, RGBwhite, 0);
        column = table->CreateAndAppendCol("Name", CountedText, this);
        column->SetWidth(200);
        column->SetOrder(AColumnOrder::bytes);
    }
    // Text of cell 0; counts the calls.
    static void CountedText(AColumn* c, ARow* r, char* buf, SInt32 len, SInt32* v, void* self) {
        ++static_cast<TableTest*>(self)->textCalls;
        getCellStringFunc(c, r, buf, len, v, nullptr);
    }
    AStringsRow* MakeRow(const char* key, ARow* parent = nullptr) {
        auto* r = new AStringsRow;
        r->IStringsRow(table, 16);
        r->SetString(0, key);
        if (parent)
            parent->AddSubRow(r);
        else
            table->AppendRow(r);
        return r;
    }
    std::vector<ARow*> Shown() const {
        std::vector<ARow*> out;
        SInt32 i = 0;
        for (ARow* r = table->GetFirstRow(&i); r; r = table->GetNextRow(&i))
            out.push_back(r);
        return out;
    }
    void Click(ARow* r, SInt16 modifiers = 0) {
        table->ScrollToRow(r, true);
        const KsRect c = table->GetCellWindowRect(r, column);
        table->DoClick({SInt16(c.left + 20), SInt16(c.top + 3)}, modifiers, 0, nullptr);
    }
    bool Key(SInt16 charCode, SInt16 keyCode, SInt16 modifiers = 0) {
        EventRecord e{};
        e.what = keyDown;
        e.when = UInt32(KsGetTicks());
        e.modifiers = UInt16(modifiers);
        return table->DoKeyDown(charCode, keyCode, &e, nullptr);
    }

    ATableScape* table = nullptr;
    AColumn* column = nullptr;
    long textCalls = 0;
};
