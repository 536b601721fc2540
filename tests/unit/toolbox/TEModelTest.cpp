// Random edit scripts applied to a record and to a plain string model; after
// every step the text, the selection and the line starts (against a record
// laid out from scratch) must agree.
#include "KsTERecord.h"
#include "Scrap.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

namespace {

enum class Kind { other, typing, backspace, forwardDelete };

// The text and selection, and undo as whole snapshots: a step is what the
// text was before a run of edits and after it.
struct Model {
    struct State {
        std::string text;
        SInt32 a = 0, b = 0;
    };
    struct Step {
        State before, after;
        Kind kind;
    };
    State now;
    std::vector<Step> undo, redo;
    Kind last = Kind::other;

    void Replace(SInt32 a, SInt32 b, const std::string& s, Kind kind) {
        State before = now;
        now.text.replace(std::size_t(a), std::size_t(b - a), s);
        now.a = now.b = a + SInt32(s.size());
        redo.clear();
        if (kind != Kind::other && last == kind && !undo.empty() && undo.back().kind == kind &&
            (kind != Kind::typing || a == b)) {
            undo.back().after = now;
        } else {
            undo.push_back({before, now, kind});
            if (undo.size() > std::size_t(kTEUndoDepth)) undo.erase(undo.begin());
        }
        last = kind;
    }
    void Select(SInt32 x, SInt32 y) {
        const SInt32 n = SInt32(now.text.size());
        x = std::clamp(x, 0, n);
        y = std::clamp(y, 0, n);
        now.a = std::min(x, y);
        now.b = std::max(x, y);
        last = Kind::other;
    }
};

class TEModel : public ::testing::TestWithParam<std::tuple<TEBreaks, unsigned>> {};

std::string RandomText(std::mt19937& rng, int maxLength) {
    static const char kAlphabet[] = "abcdefgh ijklmno  pqrstu\r\tvwxyzABC.,";
    std::uniform_int_distribution<int> len(1, maxLength), pick(0, int(sizeof kAlphabet) - 2);
    std::string s(std::size_t(len(rng)), ' ');
    for (char& c : s)
        c = kAlphabet[pick(rng)];
    return s;
}

TEST_P(TEModel, RandomScriptsAgreeWithTheModelAfterEveryStep) {
    const auto [breaks, seed] = GetParam();
    std::mt19937 rng(seed);
    ScopedTE rec({4, 4, 90, 4000}, {4, 4, 196, 116}, breaks);
    TEActivate(rec.te); // every edit also draws its lines
    Model model;
    std::uniform_int_distribution<int> op(0, 99);
    for (int step = 0; step < 600; ++step) {
        const SInt32 n = SInt32(model.now.text.size());
        const int o = op(rng);
        std::string what;
        if (o < 40) {
            const std::string c = RandomText(rng, 1);
            what = "type";
            KsTEKeyWith(UInt8(c[0]), 0, rec.te);
            model.Replace(model.now.a, model.now.b, c, Kind::typing);
        } else if (o < 50) {
            what = "backspace";
            KsTEKeyWith(0x08, 0, rec.te);
            if (model.now.a != model.now.b)
                model.Replace(model.now.a, model.now.b, "", Kind::backspace);
            else if (model.now.a > 0)
                model.Replace(model.now.a - 1, model.now.a, "", Kind::backspace);
        } else if (o < 56) {
            what = "forward delete";
            KsTEKeyWith(0x7F, 0, rec.te);
            if (model.now.a != model.now.b)
                model.Replace(model.now.a, model.now.b, "", Kind::forwardDelete);
            else if (model.now.b < n)
                model.Replace(model.now.a, model.now.a + 1, "", Kind::forwardDelete);
        } else if (o < 68) {
            // Out of range and backwards on purpose: both are clamped.
            std::uniform_int_distribution<SInt32> at(-3, n + 3);
            const SInt32 x = at(rng), y = at(rng);
            what = "select";
            TESetSelect(x, y, rec.te);
            model.Select(x, y);
        } else if (o < 76) {
            const std::string s = RandomText(rng, 40);
            what = "paste";
            ZeroScrap();
            PutScrap(SInt32(s.size()), FourCharCode("TEXT"), s.data());
            TEPaste(rec.te);
            model.Replace(model.now.a, model.now.b, s, Kind::other);
        } else if (o < 80) {
            what = "cut";
            TECut(rec.te);
            if (model.now.a != model.now.b)
                model.Replace(model.now.a, model.now.b, "", Kind::other);
        } else if (o < 88) {
            what = "undo";
            KsTEUndo(rec.te);
            if (!model.undo.empty()) {
                Model::Step s = model.undo.back();
                model.undo.pop_back();
                model.now = s.before;
                model.redo.push_back(s);
                model.last = Kind::other;
            }
        } else if (o < 94) {
            what = "redo";
            KsTERedo(rec.te);
            if (!model.redo.empty()) {
                Model::Step s = model.redo.back();
                model.redo.pop_back();
                model.now = s.after;
                model.undo.push_back(s);
                model.last = Kind::other;
            }
        } else {
            const bool left = o < 97;
            what = left ? "left" : "right";
            KsTEKeyWith(left ? 0x1C : 0x1D, 0, rec.te);
            SInt32 to;
            if (model.now.a != model.now.b)
                to = left ? model.now.a : model.now.b;
            else
                to = std::clamp(model.now.a + (left ? -1 : 1), 0, n);
            model.Select(to, to);
        }
        SCOPED_TRACE("step " + std::to_string(step) + ": " + what);
        ASSERT_EQ(rec.Text(), model.now.text);
        ASSERT_EQ(rec.Rec().teLength, SInt32(model.now.text.size()));
        ASSERT_EQ(rec.Rec().selStart, model.now.a);
        ASSERT_EQ(rec.Rec().selEnd, model.now.b);

        ScopedTE scratch({4, 4, 90, 4000}, {4, 4, 196, 116}, breaks);
        scratch.Set(model.now.text);
        ASSERT_EQ(LineStarts(rec.te), LineStarts(scratch.te));
        ASSERT_EQ(rec.Rec().nLines, scratch.Rec().nLines);
        KsSetPort(rec.Port());
    }
}

INSTANTIATE_TEST_SUITE_P(Scripts, TEModel,
                         ::testing::Combine(::testing::Values(TEBreaks::kReturnOnly,
                                                              TEBreaks::kWordWrap),
                                            ::testing::Values(1u, 2u, 3u)));

// With Returns only, line starts follow the Returns alone: checked against
// the plain definition rather than the record's own layout.
TEST(TELayoutReference, ReturnOnlyStartsFollowTheReturns) {
    ScopedTE rec;
    const std::string text = "one\rtwo words\r\rlast";
    rec.Set(text);
    std::vector<SInt32> expect{0};
    for (std::size_t i = 0; i < text.size(); ++i)
        if (text[i] == '\r') expect.push_back(SInt32(i) + 1);
    expect.push_back(SInt32(text.size()));
    EXPECT_EQ(LineStarts(rec.te), expect);
    EXPECT_EQ(rec.Rec().nLines, 4);
}

} // namespace
