// The deck dialog's composition, and its seconds calculator: the rewrites
// between the TTL box and the four part boxes, the limits, and what the
// calculator does with text it cannot convert.
#include <gtest/gtest.h>

#include <random>
#include <string>

#include "dialogs/deck/DeckModel.h"
#include "dialogs/deck/SecCalc.h"
#include "hostlink/HostLink.h"
#include "support/TagDialogOpening.h"
#include "support/DeckHandlerProbe.h"
#include "support/Typing.h"

namespace mq::test {
namespace {

using seccalc::ParseNumber;
using seccalc::ToSeconds;

std::string Parts(const DeckModel& d) {
    return d.txtSecCalc[0].Text() + "," + d.txtSecCalc[1].Text() + "," + d.txtSecCalc[2].Text() +
           "," + d.txtSecCalc[3].Text();
}

class Deck : public ::testing::Test {
protected:
    void SetUp() override { OpenAfterAnEarlierDialog(deck); }
    std::string Preview() const { return deck.txtEd.Text(); }
    DeckModel deck;
    DeckHandlerProbe probe{deck};
};

TEST_F(Deck, OpensWithItsInitialTagAndClosesWithHdml) {
    EXPECT_EQ(Preview(), R"(<HDML VERSION="3.0" TTL="3" MARKABLE="True">)");
    EXPECT_EQ(Parts(deck), "0,0,0,3");
    EXPECT_TRUE(OkLeaves(deck, R"(<HDML VERSION="3.0" TTL="3" MARKABLE="True">)", "</HDML>"));
}

TEST_F(Deck, WorkedExample) {
    Type(deck.txtTTL, "3600");
    deck.cboMarkble.SetListIndex(1);
    deck.chkAccessPath.SetValue(true);
    Type(deck.txtAccessPath, "/members");
    EXPECT_EQ(Parts(deck), "0,1,0,0");
    EXPECT_TRUE(OkLeaves(deck, R"(<HDML VERSION="3.0" TTL="3600" MARKABLE="False" ACCESSPATH="/members">)",
                         "</HDML>"));
}

TEST_F(Deck, AttributesFollowTheirFixedOrderAndAreCopiedAsTyped) {
    deck.chkAccessPath.SetValue(true);
    deck.chkAccessDomain.SetValue(true);
    EXPECT_EQ(Preview(), R"(<HDML VERSION="3.0" TTL="3" MARKABLE="True" ACCESSDOMAIN="" ACCESSPATH="">)");
    Type(deck.cboVersion, "1.1");
    Type(deck.txtAccessDomain, R"(a"b&<c>)");
    EXPECT_EQ(Preview(),
              R"(<HDML VERSION="1.1" TTL="3" MARKABLE="True" ACCESSDOMAIN="a"b&<c>" ACCESSPATH="">)");
    deck.cboVersion.SetText("");
    EXPECT_EQ(Preview(), R"(<HDML VERSION="" TTL="3" MARKABLE="True" ACCESSDOMAIN="a"b&<c>" ACCESSPATH="">)");
    deck.cboVersion.SetListIndex(1);
    EXPECT_EQ(deck.cboVersion.Text(), "2.0");
    EXPECT_EQ(Preview(), R"(<HDML VERSION="2.0" TTL="3" MARKABLE="True" ACCESSDOMAIN="a"b&<c>" ACCESSPATH="">)");
}

TEST_F(Deck, UncheckingEverythingStillWrapsInHdml) {
    for (ui::CheckBox* box : {&deck.chkVersion, &deck.chkTTL, &deck.chkMarkble}) box->SetValue(false);
    EXPECT_EQ(Preview(), "<HDML>");
    EXPECT_TRUE(OkLeaves(deck, "<HDML>", "</HDML>"));
}

TEST_F(Deck, UncheckingTtlLeavesItsValueAndTheCalculatorAlone) {
    Type(deck.txtTTL, "90061");
    deck.chkTTL.SetValue(false);
    EXPECT_EQ(Preview(), R"(<HDML VERSION="3.0" MARKABLE="True">)");
    EXPECT_EQ(deck.txtTTL.Text(), "90061");
    EXPECT_EQ(Parts(deck), "1,1,1,1");
    deck.chkTTL.SetValue(true);
    EXPECT_EQ(Preview(), R"(<HDML VERSION="3.0" TTL="90061" MARKABLE="True">)");
}

// --- The arithmetic ---------------------------------------------------------

TEST(SecCalcNumbers, ReadsPlainDecimalsWithSignFractionAndExponent) {
    EXPECT_EQ(ParseNumber("0"), 0.0);
    EXPECT_EQ(ParseNumber("90061"), 90061.0);
    EXPECT_EQ(ParseNumber("+5"), 5.0);
    EXPECT_EQ(ParseNumber("-5"), -5.0);
    EXPECT_EQ(ParseNumber("1.5"), 1.5);
    EXPECT_EQ(ParseNumber("2."), 2.0);
    EXPECT_EQ(ParseNumber(".5"), 0.5);
    EXPECT_EQ(ParseNumber("007"), 7.0);
    EXPECT_EQ(ParseNumber("1e3"), 1000.0);
    EXPECT_EQ(ParseNumber("2.5E-1"), 0.25);
}

TEST(SecCalcNumbers, RefusesWhatIsNotANumberYet) {
    for (const char* text : {"", "-", "+", ".", "-.", "1e", "1e+", "1e-", "e5", "abc", "12a", " 1",
                             "1 ", "1,5", "1.2.3", "--1", "0x10", "inf", "nan", "１２", "1e400",
                             "1e-400"}) {
        EXPECT_FALSE(ParseNumber(text)) << '"' << text << '"';
    }
}

TEST(SecCalcNumbers, RoundsTiesToEvenWithinTheSignedRange) {
    EXPECT_EQ(ToSeconds(3.5), 4);
    EXPECT_EQ(ToSeconds(2.5), 2);
    EXPECT_EQ(ToSeconds(3.4), 3);
    EXPECT_EQ(ToSeconds(2.500001), 3);
    EXPECT_EQ(ToSeconds(-0.5), 0);
    EXPECT_EQ(ToSeconds(2147483647.0), 2147483647);
    EXPECT_EQ(ToSeconds(2147483647.4), 2147483647);
    EXPECT_FALSE(ToSeconds(2147483647.5));  // ties to the even 2147483648
    EXPECT_FALSE(ToSeconds(2147483648.0));
    EXPECT_FALSE(ToSeconds(-0.6));
    EXPECT_FALSE(ToSeconds(-2147483648.0));
    EXPECT_FALSE(ToSeconds(HUGE_VAL));
}

TEST(SecCalcNumbers, DecomposesWithRemaindersTakingTheSign) {
    auto parts = [](std::int32_t t) {
        auto p = seccalc::Decompose(t);
        return std::to_string(p.days) + "," + std::to_string(p.hours) + "," + std::to_string(p.minutes) +
               "," + std::to_string(p.seconds);
    };
    EXPECT_EQ(parts(0), "0,0,0,0");
    EXPECT_EQ(parts(2147483647), "24855,3,14,7");
    EXPECT_EQ(parts(-100), "0,0,-1,-40");
    EXPECT_EQ(parts(-2147483647 - 1), "-24855,-3,-14,-8");
}

TEST(SecCalcNumbers, WritesTheShortestPlainDecimal) {
    EXPECT_EQ(seccalc::FormatShortest(90061.0), "90061");
    EXPECT_EQ(seccalc::FormatShortest(5400.5), "5400.5");
    EXPECT_EQ(seccalc::FormatShortest(2147483647.0), "2147483647");
    EXPECT_EQ(seccalc::FormatShortest(0.1 * 3), "0.30000000000000004");
    EXPECT_EQ(seccalc::FormatShortest(-0.0), "0");
}

// --- The chain between the TTL box and the part boxes --------------------

TEST_F(Deck, TtlFillsThePartBoxes) {
    const std::pair<const char*, const char*> cases[] = {
        {"100", "0,0,1,40"},   {"90061", "1,1,1,1"},         {"86399", "0,23,59,59"},
        {"2147483647", "24855,3,14,7"}, {"86400", "1,0,0,0"}, {"0", "0,0,0,0"},
    };
    for (auto [ttl, parts] : cases) {
        deck.txtTTL.SetText(ttl);
        EXPECT_EQ(Parts(deck), parts) << ttl;
        EXPECT_EQ(deck.txtTTL.Text(), ttl);
        EXPECT_EQ(Preview(), std::string(R"(<HDML VERSION="3.0" TTL=")") + ttl + R"(" MARKABLE="True">)");
    }
}

TEST_F(Deck, EmptiedTtlBecomesZeroAndKeepsTheFocus) {
    deck.txtTTL.SetText("");
    EXPECT_EQ(deck.txtTTL.Text(), "0");
    EXPECT_EQ(Parts(deck), "0,0,0,0");
    EXPECT_TRUE(deck.txtTTL.FocusRequested());
    EXPECT_EQ(Preview(), R"(<HDML VERSION="3.0" TTL="0" MARKABLE="True">)");
}

TEST_F(Deck, FractionalTtlRoundsTiesToEven) {
    deck.txtTTL.SetText("3.5");
    EXPECT_EQ(Parts(deck), "0,0,0,4");
    EXPECT_EQ(deck.txtTTL.Text(), "4");
    deck.txtTTL.SetText("2.5");
    EXPECT_EQ(Parts(deck), "0,0,0,2");
    EXPECT_EQ(deck.txtTTL.Text(), "2");
}

TEST_F(Deck, TextsWhoseValueStandsKeepWhatWasTyped) {
    // 3.4 rounds to the 3 seconds already shown: nothing is rewritten.
    deck.txtTTL.SetText("");
    Type(deck.txtTTL, "3.4");
    EXPECT_EQ(deck.txtTTL.Text(), "3.4");
    EXPECT_EQ(Parts(deck), "0,0,0,3");
    EXPECT_EQ(Preview(), R"(<HDML VERSION="3.0" TTL="3.4" MARKABLE="True">)");

    DeckModel other;
    other.Form_Load();
    Type(other.txtSecCalc[0], "2.0");
    EXPECT_EQ(Parts(other), "2.0,0,0,3");
    EXPECT_EQ(other.txtTTL.Text(), "172803");
}

TEST_F(Deck, PartsAboveTheirLimitAreCutInTheBox) {
    // Typed key by key and set in one go: the same end.
    for (bool typed : {true, false}) {
        struct Case {
            int box;
            const char* text;
            const char* parts;
            const char* ttl;
        };
        for (auto c : {Case{1, "30", "0,23,0,3", "82803"}, Case{2, "75", "0,0,59,3", "3543"},
                       Case{3, "60", "0,0,0,59", "59"}, Case{1, "23", "0,23,0,3", "82803"}}) {
            DeckModel d;
            d.Form_Load();
            auto& box = d.txtSecCalc[static_cast<std::size_t>(c.box)];
            if (typed) Type(box, c.text); else box.SetText(c.text);
            EXPECT_EQ(Parts(d), c.parts) << c.text;
            EXPECT_EQ(d.txtTTL.Text(), c.ttl) << c.text;
            EXPECT_EQ(d.txtEd.Text(), std::string(R"(<HDML VERSION="3.0" TTL=")") + c.ttl + R"(" MARKABLE="True">)");
        }
    }
}

TEST_F(Deck, FractionalPartsSpreadIntoTheOthers) {
    Type(deck.txtSecCalc[1], "1.5");
    EXPECT_EQ(deck.txtTTL.Text(), "5403");
    EXPECT_EQ(Parts(deck), "0,1,30,3");
    EXPECT_EQ(Preview(), R"(<HDML VERSION="3.0" TTL="5403" MARKABLE="True">)");
}

TEST_F(Deck, DaysAddWholeDays) {
    Type(deck.txtSecCalc[0], "2");
    EXPECT_EQ(deck.txtTTL.Text(), "172803");
    EXPECT_EQ(Parts(deck), "2,0,0,3");
}

TEST_F(Deck, EmptiedPartBecomesZeroAndKeepsTheFocus) {
    deck.txtSecCalc[3].SetText("");
    EXPECT_EQ(deck.txtSecCalc[3].Text(), "0");
    EXPECT_TRUE(deck.txtSecCalc[3].FocusRequested());
    EXPECT_EQ(deck.txtTTL.Text(), "0");
    EXPECT_EQ(Parts(deck), "0,0,0,0");
}

TEST_F(Deck, FocusingAPartSelectsItsWholeText) {
    deck.txtSecCalc[2].SetText("59");
    deck.txtSecCalc_GotFocus(2);
    ASSERT_TRUE(deck.txtSecCalc[2].SelRequested());
    EXPECT_EQ(deck.txtSecCalc[2].SelRequested()->start, 0u);
    EXPECT_EQ(deck.txtSecCalc[2].SelRequested()->length, 2u);
    // Through the handler the box carries, as the view calls it.
    deck.txtSecCalc[0].GotFocus();
    EXPECT_EQ(deck.txtSecCalc[0].SelRequested()->length, 1u);
    EXPECT_FALSE(deck.txtTTL.GotFocus);  // the TTL box has no such behaviour
}

TEST_F(Deck, AnUnchangedTtlDoesNotRebuildThePreview) {
    // The parts reach the preview only through the TTL box's handling.
    const long previews = probe.HandlerRuns().previewChange;
    const long ttlRuns = probe.HandlerRuns().ttlChange;
    Type(deck.txtSecCalc[3], "3.0");  // still three seconds
    deck.txtSecCalc[2].SetText("0.0");
    EXPECT_EQ(deck.txtTTL.Text(), "3");
    EXPECT_EQ(probe.HandlerRuns().ttlChange, ttlRuns);
    EXPECT_EQ(probe.HandlerRuns().previewChange, previews);
    EXPECT_EQ(Parts(deck), "0,0,0.0,3.0");
    deck.txtSecCalc[3].SetText("4");  // a real change is seen
    EXPECT_EQ(probe.HandlerRuns().ttlChange, ttlRuns + 1);
    EXPECT_EQ(probe.HandlerRuns().previewChange, previews + 1);
}

// --- What the calculator cannot convert ----------------------------------

TEST_F(Deck, TtlThatIsNoSecondCountLeavesThePartsAndReachesThePreview) {
    Type(deck.txtTTL, "90061");
    for (const char* text : {"abc", "-", ".", "1e", "1e+", "-5", "-0.6", "2147483648", "2147483647.5",
                             "1e10", " 5"}) {
        deck.txtTTL.SetText(text);
        EXPECT_EQ(deck.txtTTL.Text(), text);
        EXPECT_EQ(Parts(deck), "1,1,1,1") << text;
        EXPECT_EQ(Preview(), std::string(R"(<HDML VERSION="3.0" TTL=")") + text + R"(" MARKABLE="True">)");
    }
    // As soon as it is a count again, the parts follow.
    // The parts then write back a plain count, as they do for 3.5.
    Type(deck.txtTTL, "1e2");
    EXPECT_EQ(Parts(deck), "0,0,1,40");
    EXPECT_EQ(deck.txtTTL.Text(), "100");
}

TEST_F(Deck, PartThatIsNoNumberLeavesTheTtlAsItWas) {
    for (int i = 0; i < 4; ++i) {
        for (const char* text : {"x", "-", ".", "1e", "-1", "-0.5"}) {
            DeckModel d;
            DeckHandlerProbe dProbe(d);
            d.Form_Load();
            d.txtSecCalc[static_cast<std::size_t>(i)].SetText(text);
            EXPECT_EQ(d.txtSecCalc[static_cast<std::size_t>(i)].Text(), text);
            EXPECT_EQ(d.txtTTL.Text(), "3") << i << " " << text;
            EXPECT_EQ(dProbe.HandlerRuns().ttlChange, 0);
        }
    }
    // No cut either while another box is not a number; it comes once it is.
    deck.txtSecCalc[0].SetText("x");
    deck.txtSecCalc[1].SetText("30");
    EXPECT_EQ(Parts(deck), "x,30,0,3");
    EXPECT_EQ(deck.txtTTL.Text(), "3");
    deck.txtSecCalc[0].SetText("1");
    EXPECT_EQ(Parts(deck), "1,23,0,3");
    EXPECT_EQ(deck.txtTTL.Text(), "169203");
}

TEST_F(Deck, ExponentCompletedWhileTypingConverts) {
    Type(deck.txtSecCalc[1], "1e1");
    EXPECT_EQ(deck.txtSecCalc[1].Text(), "10");
    EXPECT_EQ(deck.txtTTL.Text(), "36003");
}

TEST_F(Deck, DaysBeyondTheRangeLeaveTheTtlAsItWas) {
    Type(deck.txtSecCalc[0], "24855");
    EXPECT_EQ(deck.txtTTL.Text(), "2147472003");
    deck.txtSecCalc[0].SetText("24856");
    EXPECT_EQ(deck.txtSecCalc[0].Text(), "24856");
    EXPECT_EQ(deck.txtTTL.Text(), "2147472003");
    EXPECT_EQ(Preview(), R"(<HDML VERSION="3.0" TTL="2147472003" MARKABLE="True">)");
    // The last second that fits, reached from the parts.
    DeckModel d;
    d.Form_Load();
    d.txtSecCalc[0].SetText("24855");
    d.txtSecCalc[1].SetText("3");
    d.txtSecCalc[2].SetText("14");
    d.txtSecCalc[3].SetText("7");
    EXPECT_EQ(d.txtTTL.Text(), "2147483647");
    d.txtSecCalc[3].SetText("8");
    EXPECT_EQ(d.txtTTL.Text(), "2147483647");
    EXPECT_EQ(Parts(d), "24855,3,14,8");
}

TEST_F(Deck, SettingTheTtlToItsMaximumFromFullPartsStaysInRange) {
    // Days are written first, against the old 23 hours: that sum overflows
    // for a moment and is simply not written.
    Type(deck.txtSecCalc[1], "23");
    deck.txtTTL.SetText("2147483647");
    EXPECT_EQ(Parts(deck), "24855,3,14,7");
    EXPECT_EQ(deck.txtTTL.Text(), "2147483647");
}

// Random edits anywhere: every chain ends shallow, and whenever the last
// edit could be converted, the parts are the decomposition of the TTL, or,
// where a fraction typed on both sides agrees (2.5 seconds, TTL 2.5), they
// add up to it exactly.
TEST(DeckChains, EveryEditEndsConsistent) {
    std::mt19937 rng(20240611);
    auto pick = [&](int n) { return static_cast<int>(rng() % static_cast<unsigned>(n)); };
    auto value = [&]() -> std::string {
        switch (pick(6)) {
        case 0: return std::to_string(pick(100));
        case 1: return std::to_string(pick(1000000));
        case 2: return std::to_string(pick(90)) + "." + std::to_string(pick(100));
        case 3: return std::to_string(pick(24855));
        case 4: return "";
        default: return std::to_string(pick(3)) + ".5";
        }
    };
    for (int run = 0; run < 300; ++run) {
        DeckModel d;
        DeckHandlerProbe probe(d);
        d.Form_Load();
        for (int edit = 0; edit < 12; ++edit) {
            const int target = pick(5);  // 4 is the TTL box
            ui::TextBox& box = target == 4 ? d.txtTTL : d.txtSecCalc[static_cast<std::size_t>(target)];
            const std::string text = value();
            const std::string ttlBefore = d.txtTTL.Text();
            if (pick(2)) Type(box, text); else box.SetText(text);

            double shownParts[4];
            for (int i = 0; i < 4; ++i) {
                auto v = ParseNumber(d.txtSecCalc[static_cast<std::size_t>(i)].Text());
                ASSERT_TRUE(v) << Parts(d);
                shownParts[i] = *v;
            }
            // Days far enough out leave the TTL as it was.
            if (!ToSeconds(shownParts[1] * 3600 + shownParts[0] * 86400 + shownParts[2] * 60 + shownParts[3])) {
                continue;
            }
            auto ttl = ParseNumber(d.txtTTL.Text());
            ASSERT_TRUE(ttl);
            auto seconds = ToSeconds(*ttl);
            ASSERT_TRUE(seconds);
            auto p = seccalc::Decompose(*seconds);
            const double parts[4] = {double(p.days), double(p.hours), double(p.minutes), double(p.seconds)};
            const double sum = shownParts[1] * 3600 + shownParts[0] * 86400 + shownParts[2] * 60 + shownParts[3];
            for (int i = 0; i < 4 && sum != *ttl; ++i) {
                EXPECT_EQ(shownParts[i], parts[i]) << "after '" << text << "' into " << target << ": "
                                             << d.txtTTL.Text() << " vs " << Parts(d);
            }
            if (target != 4 && d.txtTTL.Text() != ttlBefore) {
                EXPECT_EQ(d.txtTTL.Text(), std::to_string(*seconds));  // a whole number
            }
            EXPECT_EQ(d.txtEd.Text(), R"(<HDML VERSION="3.0" TTL=")" + d.txtTTL.Text() + R"(" MARKABLE="True">)");
        }
        EXPECT_LE(probe.HandlerRuns().maxDepth, 8);
    }
}

}  // namespace
}  // namespace mq::test
