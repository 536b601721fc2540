// Helpers of the menu-bar tests: a fixture with a fresh bartender, a record of
// fatal reports that lets the code go on, and captured debug output.
#pragma once

#include "ABartender.h"
#include "KsCapturedOutput.h"
#include "KsFatal.h"
#include "KsOutput.h"
#include "Menus.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

inline std::vector<std::string>& BartenderFatalMessages() {
    static std::vector<std::string> messages;
    return messages;
}

inline unsigned char BartenderRecordFatal(char* message, char*, int) {
    BartenderFatalMessages().push_back(message ? message : "");
    FtlClearFatalError();
    return 0; // go on
}

inline std::string BartenderItemText(MenuHandle menu, short item) {
    Str255 p;
    GetMenuItemText(menu, item, p);
    return std::string(reinterpret_cast<const char*>(p + 1), p[0]);
}

class BartenderFixture : public ::testing::Test {
protected:
    void SetUp() override {
        ClearMenuBar();
        BartenderFatalMessages().clear();
        previousFatal_ = FtlInstall(BartenderRecordFatal);
        bar_ = ABartender::New();
        bar_->IBartender("Demo");
    }
    void TearDown() override {
        if (bar_) bar_->Dispose();
        ClearMenuBar();
        FtlInstall(previousFatal_);
        FtlClearFatalError();
    }

    // The debug output of f.
    template <class F> std::string Capture(F&& f) {
        StCaptureOutput out(KsOutputChannel::debug);
        f();
        return out.text;
    }

    // A menu in the bar with items bound to the given nicks (0: unbound,
    // -1: separator); item texts are "I<nick>".
    MenuHandle MakeMenu(short id, std::vector<long> nicks, const char* title = "M") {
        MenuHandle m = bar_->CreateMenu(title, id, ABartender::kMenuInBar);
        for (long nick : nicks)
            bar_->AppendMenuItem(m, nick, ("I" + std::to_string(nick)).c_str());
        return m;
    }

    // The records of a menu as "item:nick" pairs in item order.
    std::string Records(MenuHandle menu) {
        std::vector<std::pair<short, long>> recs;
        for (const MenuItemRec_t& r : bar_->GetNickList())
            if (r.menu == menu) recs.emplace_back(r.item, r.nick);
        std::sort(recs.begin(), recs.end());
        std::string s;
        for (auto [item, nick] : recs)
            s += (s.empty() ? "" : " ") + std::to_string(item) + ":" + std::to_string(nick);
        return s;
    }

    // All item texts of a menu joined with '|'.
    static std::string Texts(MenuHandle menu) {
        std::string s;
        for (short i = 1; i <= CountMItems(menu); ++i)
            s += (i > 1 ? "|" : "") + BartenderItemText(menu, i);
        return s;
    }

    ABartender* bar_ = nullptr;
    FtlHandler previousFatal_ = nullptr;
};
