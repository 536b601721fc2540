#include "AStringsRow.h"

#include <cstdint>
#include <cstring>

void AStringsRow::IStringsRow(ATableScape* table, SInt16 height) {
    IRow(new AStringsObj, table, height);
    SetDeletesObj(true);
}

void AStringsRow::SetString(SInt32 index, const char* text) {
    if (index < 0 || !GetStrings()) return;
    auto& cells = GetStrings()->cells;
    if (size_t(index) >= cells.size()) cells.resize(size_t(index) + 1, {0, {}});
    cells[size_t(index)].text = text ? text : "";
    Inval();
}

void AStringsRow::SetStringByTag(SInt32 tag, const char* text) {
    if (!GetStrings()) return;
    auto& cells = GetStrings()->cells;
    for (auto& c : cells)
        if (c.tag == tag) {
            c.text = text ? text : "";
            Inval();
            return;
        }
    cells.push_back({tag, text ? text : ""});
    Inval();
}

const char* AStringsRow::GetString(SInt32 index) const {
    if (index < 0 || !GetStrings() || size_t(index) >= GetStrings()->cells.size()) return "";
    return GetStrings()->cells[size_t(index)].text.c_str();
}

const char* AStringsRow::GetStringByTag(SInt32 tag) const {
    if (!GetStrings()) return "";
    for (const auto& c : GetStrings()->cells)
        if (c.tag == tag) return c.text.c_str();
    return "";
}

void getCellStringFunc(AColumn*, ARow* row, char* buf, SInt32 len, SInt32*, void* refcon) {
    if (!row || !row->IsInstanceOf("AStringsRow") || len <= 0) return;
    const char* s = static_cast<AStringsRow*>(row)->GetString(SInt32(std::intptr_t(refcon)));
    std::strncpy(buf, s, size_t(len - 1));
    buf[len - 1] = 0;
}
