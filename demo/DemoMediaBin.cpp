#include "DemoMediaBin.h"
#include "DemoClip.h"

#include "AColumn.h"
#include "AComboColumn.h"
#include "AComboList.h"
#include "AEditTextColumn.h"
#include "AEditTimecodeColumn.h"
#include "AHeadingsPane.h"
#include "ARow.h"
#include "AScrollPane.h"
#include "ATableScape.h"
#include "AWindow.h"
#include "CKsList.h"
#include "Stx.h"
#include "Windows.h"

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>

namespace {

constexpr long kPerFolder = 1000;
constexpr SInt16 S = kPaneDontCare;
const int kRates[] = {24, 25, 30, 50, 60};
const char* const kStatus[] = {"Offline", "Online", "Proxy", "Rendering"};
constexpr int kStatusCount = int(sizeof kStatus / sizeof kStatus[0]);

// One clip, or (with no rate) one folder. Values come from the clip number.
class BinItem : public AObject {
public:
    BinItem(long n, bool folder) : number(n), isFolder(folder) {
        std::uint64_t h = std::uint64_t(n) * 0x9E3779B97F4A7C15ULL;
        h ^= h >> 29;
        rate = kRates[h % 5];
        frames = long(rate) * long(2 + (h >> 8) % 600) + long((h >> 20) % std::uint64_t(rate));
        day = int(1 + (h >> 32) % 28);
        month = int(1 + (h >> 40) % 12);
        status = int((h >> 48) % 4);
    }
    long number;
    std::string name; // given in the inspector; empty: made from the number
    bool isFolder;
    int rate, day, month, status;
    long frames;
};

BinItem* ItemOf(ARow* row) {
    return static_cast<BinItem*>(row->GetObject());
}

enum Col : std::intptr_t { kName, kDuration, kRate, kDate, kStatusCol };

void BinText(AColumn*, ARow* row, char* buf, SInt32 len, SInt32*, void* refcon) {
    const BinItem* it = ItemOf(row);
    const auto n = size_t(len);
    switch (Col(std::intptr_t(refcon))) {
    case kName:
        if (!it->name.empty())
            std::snprintf(buf, n, "%s", it->name.c_str());
        else if (it->isFolder)
            std::snprintf(buf, n, "Reel %03ld", it->number + 1);
        else
            std::snprintf(buf, n, "Shot %06ld", it->number + 1);
        break;
    case kDuration:
        if (!it->isFolder) {
            const long f = it->frames, r = it->rate;
            std::snprintf(buf, n, "%02ld:%02ld:%02ld:%02ld", f / (r * 3600), f / (r * 60) % 60,
                          f / r % 60, f % r);
        }
        break;
    case kRate:
        if (!it->isFolder) std::snprintf(buf, n, "%d fps", it->rate);
        break;
    case kDate:
        if (!it->isFolder) std::snprintf(buf, n, "2026-%02d-%02d", it->month, it->day);
        break;
    case kStatusCol:
        if (!it->isFolder) std::snprintf(buf, n, "%s", stx(kStatus[it->status]));
        break;
    }
}

// Edits come back through these; a folder has only a name.
void SetName(AColumn*, ARow* row, const char* text, void*) {
    if (text && *text) ItemOf(row)->name = text;
}

// "hh:mm:ss:ff" (or with ';') at the clip's own rate; text that does not
// read as timecode leaves the duration as it was.
void SetDuration(AColumn*, ARow* row, const char* text, void*) {
    BinItem* it = ItemOf(row);
    int h = 0, m = 0, sec = 0, f = 0;
    char c1 = 0, c2 = 0, c3 = 0;
    if (it->isFolder || std::sscanf(text, "%d%c%d%c%d%c%d", &h, &c1, &m, &c2, &sec, &c3, &f) != 7)
        return;
    if (h < 0 || m < 0 || m > 59 || sec < 0 || sec > 59 || f < 0 || f >= it->rate) return;
    it->frames = ((long(h) * 60 + m) * 60 + sec) * it->rate + f;
}

// A click selects the clip as anywhere in the row; a double click edits.
void EditCell(AColumn* column, ARow* row, void*) {
    if (ATableScape* table = column->GetTable()) table->SetActiveCell(row, column);
}

void SetStatus(AColumn*, ARow* row, const char* text, void*) {
    BinItem* it = ItemOf(row);
    for (int i = 0; i < 4 && !it->isFolder; ++i)
        if (std::strcmp(text, stx(kStatus[i])) == 0) it->status = i;
}

BinItem* SelectedClip(ATableScape* table) {
    ARow* row = table && table->GetNumSelectedRows() == 1 ? table->GetFirstSelectedRow() : nullptr;
    auto* it = row ? static_cast<BinItem*>(row->GetObject()) : nullptr;
    return it && !it->isFolder ? it : nullptr;
}

} // namespace

bool GetBinClip(ATableScape* table, DemoClipInfo* clip) {
    const BinItem* it = SelectedClip(table);
    if (!it) return false;
    char name[256];
    BinText(nullptr, table->GetFirstSelectedRow(), name, sizeof name, nullptr,
            reinterpret_cast<void*>(std::intptr_t(kName)));
    *clip = {name, it->frames, it->rate, it->status};
    return true;
}

bool SetBinClip(ATableScape* table, const DemoClipInfo& clip) {
    BinItem* it = SelectedClip(table);
    if (!it) return false;
    it->name = clip.name;
    it->frames = clip.frames < 0 ? 0 : clip.frames;
    it->rate = clip.rate < 1 ? 1 : clip.rate;
    if (clip.status >= 0 && clip.status < kStatusCount) it->status = clip.status;
    table->GetFirstSelectedRow()->Inval();
    return true;
}

const char* BinStatusName(int status) {
    return status >= 0 && status < kStatusCount ? kStatus[status] : "";
}

AWindow* OpenMediaBinWindow(long clips, BinSelectHook hook) {
    auto* w = new BinWatchingWindow;
    w->IWindow(stx("Media Bin"), nullptr, WindowPtr(-1), 1, 1, 1, 0, 0, 0);
    ::MoveWindow(w->GetWindowPtr(), 120, 90, false);
    ::SizeWindow(w->GetWindowPtr(), 640, 420, false);
    w->Resize(nullptr, nullptr, 0, 0);
    ATableScape* table = AddMediaBinTable(w->GetMainPane(), clips);
    w->watch.Watch(table, hook);
    w->AddGrowBoxPane();
    ShowWindow(w->GetWindowPtr());
    SelectWindow(w->GetWindowPtr());
    w->SetTargetPane(table);
    return w;
}

ATableScape* AddMediaBinTable(APane* encl, long clips) {
    AHeadedTable* headed = AHeadedTable::New(encl, 0, 0, S, 0, 0, S, RGBwhite);
    ATableScape* table = headed->GetTable();
    table->SetMultiSelectRows(true);
    auto* expander = new ExpanderColumn;
    expander->IExpanderColumn();
    table->AppendCol(expander);
    const struct {
        const char* heading;
        SInt16 width;
    } cols[] = {{"Name", 150}, {"Duration", 100}, {"Rate", 70}, {"Date", 100}, {"Status", 90}};
    // Names and durations are typed in place once double-clicked (Tab moves
    // along the row, Return down the column); the status is chosen from its
    // list.
    auto* name = new AEditTextColumn;
    name->IEditTextColumn(stx(cols[kName].heading), BinText, reinterpret_cast<void*>(kName));
    name->SetSetTextProc(SetName, nullptr);
    name->SetClickSelectsRow(true);
    name->SetDubClickProc(EditCell, nullptr);
    auto* duration = new AEditTimecodeColumn;
    duration->IEditTimecodeColumn(stx(cols[kDuration].heading), BinText,
                                  reinterpret_cast<void*>(kDuration), 0);
    duration->SetSetTextProc(SetDuration, nullptr);
    duration->SetClickSelectsRow(true);
    duration->SetDubClickProc(EditCell, nullptr);
    auto* statuses = new AComboList;
    for (const char* st : kStatus)
        statuses->AppendChoice(stx(st));
    auto* status = new AComboColumn;
    status->IComboColumn(stx(cols[kStatusCol].heading), BinText,
                         reinterpret_cast<void*>(kStatusCol), statuses, false);
    status->SetSetTextProc(SetStatus, nullptr);
    AColumn* const edited[] = {name, duration, nullptr, nullptr, status};
    for (std::intptr_t i = 0; i < 5; ++i) {
        AColumn* c = edited[i];
        if (c)
            table->AppendCol(c);
        else
            c = table->CreateAndAppendCol(stx(cols[i].heading), BinText,
                                          reinterpret_cast<void*>(i));
        c->SetWidth(cols[i].width);
    }
    table->SetUserSplits(false, true);
    table->SetFindWhileType(true, name);
    table->GetRowList()->Reserve(SInt32(clips / kPerFolder + 1));
    ARow* folder = nullptr;
    for (long i = 0; i < clips; ++i) {
        if (i % kPerFolder == 0) {
            folder = new ARow;
            folder->IRow(new BinItem(i / kPerFolder, true), table, 16);
            folder->SetDeletesObj(true);
            folder->SetIsExpandable(true);
            table->AppendRow(folder);
        }
        auto* clip = new ARow;
        clip->IRow(new BinItem(i, false), table, 16);
        clip->SetDeletesObj(true);
        folder->AddSubRow(clip);
    }
    return table;
}
