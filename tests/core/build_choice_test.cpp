// SPDX-License-Identifier: MIT
// Choosing a build: every build listed, run again as a graph from its own
// texts, gives the wanted output and runtime; no candidate left out meets
// the question and ranks higher; the refusals, the ranking and the answer
// when nothing meets it.
#include "calc/reports/build_choice.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

namespace lumora {
namespace {

BuildQuestion Question(double lumens, double hours, const std::vector<std::pair<std::string, std::string>>& held)
{
    BuildQuestion question;
    question.Lumens = lumens;
    question.RuntimeHours = hours;
    for (const auto& [key, text] : held)
        question.Held.Give(key, text);
    return question;
}

LightInputs InputsOf(const BuildTexts& texts)
{
    LightInputs inputs;
    for (const auto& [key, text] : texts)
        inputs.Give(key, text);
    return inputs;
}

// Each build listed, drawn again from its texts alone, gives its figures:
// the wanted 30-s output within 1 % and at least the wanted FL1 runtime,
// within every rating.
TEST(ChooseBuild, EveryBuildListedGivesTheQuestionAsAGraph)
{
    for (const BuildQuestion& question :
         {Question(1000, 1.0, {{"cell", "18650"}}),
          Question(500, 1.5, {{"cell", "21700"}, {"host", "21700-tube"}, {"ambient", "40"}})}) {
        const BuildChoice choice = ChooseBuild(question);
        ASSERT_TRUE(choice.Refusals.empty());
        ASSERT_FALSE(choice.Builds.empty());
        EXPECT_LE(choice.Builds.size(), 10u);
        for (const ChosenBuild& build : choice.Builds) {
            const LightRun again = RunLight(InputsOf(build.Texts));
            ASSERT_TRUE(again.Refusals.empty());
            const DischargeSummary& s = again.Run.Summary;
            EXPECT_NEAR(s.Output30s, question.Lumens, 0.01 * question.Lumens);
            EXPECT_GE(s.Fl1Hours, question.RuntimeHours);
            EXPECT_DOUBLE_EQ(s.Fl1Hours, build.Run.Run.Summary.Fl1Hours);
            EXPECT_EQ(again.PastRating, "");
        }
        for (std::size_t k = 1; k < choice.Builds.size(); ++k)
            EXPECT_GE(choice.Builds[k - 1].Run.Run.Summary.Fl1Hours, choice.Builds[k].Run.Run.Summary.Fl1Hours);
    }
}

// Every candidate, run through the public functions one by one: one that
// is not listed either misses the question or ranks no higher than the
// last listed.
TEST(ChooseBuild, LeavesOutNoBetterBuild)
{
    for (const ChoiceRank by : {ChoiceRank::Runtime, ChoiceRank::Sustained, ChoiceRank::Size}) {
        BuildQuestion question = Question(800, 1.0, {{"cell", "samsung-30q"}});
        question.MostLeds = 2;
        question.Top = 4;
        question.By = by;
        const BuildChoice choice = ChooseBuild(question);
        ASSERT_EQ(choice.Builds.size(), 4u);
        std::vector<RunRefusal> refusals;
        int met = 0;
        for (const BuildTexts& texts : CandidatesOf(question, refusals)) {
            const ChosenBuild build = Judged(question, texts, RunLight(InputsOf(texts)));
            met += build.Meets;
            const bool listed = std::any_of(choice.Builds.begin(), choice.Builds.end(),
                                            [&](const ChosenBuild& b) { return b.Texts == texts; });
            if (build.Meets && !listed) {
                EXPECT_FALSE(RanksBefore(by, build, choice.Builds.back())) << build.Texts.front().second;
            }
            if (listed) {
                EXPECT_TRUE(build.Meets);
            }
        }
        EXPECT_EQ(met, choice.Met);
        EXPECT_EQ(choice.Searched, static_cast<int>(CandidatesOf(question, refusals).size()));
    }
}

// The search's candidates: every LED with flux, each count and wiring, each
// named cell of the format and each regulated driver; what is held, held.
TEST(ChooseBuild, AsksEveryCandidateAndHoldsWhatIsGiven)
{
    std::vector<RunRefusal> refusals;
    BuildQuestion question = Question(1000, 1.0, {{"cell", "18650"}});
    const std::vector<BuildTexts> all = CandidatesOf(question, refusals);
    question = Question(1000, 1.0, {{"cell", "samsung-30q"}, {"led", "sst-40"}, {"driver", "converter"}});
    const std::vector<BuildTexts> held = CandidatesOf(question, refusals);
    ASSERT_TRUE(refusals.empty());
    // 1 LED in series; 2 to 4, each in series and in parallel.
    EXPECT_EQ(held.size(), 7u);
    EXPECT_EQ(all.size() % 7u, 0u);
    EXPECT_GT(all.size(), held.size() * 10);
    for (const BuildTexts& texts : held)
        EXPECT_EQ(texts.back(), (std::pair<std::string, std::string>{"output", "1000"}));
}

// Past a rating a build does not meet the question, unless allowed: the
// builds left out for it are counted, and allowed, they meet it.
TEST(ChooseBuild, CountsTheBuildsPastARating)
{
    BuildQuestion question = Question(2500, 0.5, {{"cell", "samsung-30q"}});
    question.MostLeds = 2;
    const BuildChoice strict = ChooseBuild(question);
    ASSERT_GT(strict.OverRating, 0);
    question.AllowOverRating = true;
    const BuildChoice allowed = ChooseBuild(question);
    EXPECT_EQ(allowed.Met, strict.Met + strict.OverRating);
    EXPECT_EQ(allowed.OverRating, strict.OverRating);
}

TEST(ChooseBuild, NothingMeetsItSaysWhyAndTheNearest)
{
    const BuildChoice choice = ChooseBuild(Question(3000, 2.0, {{"cell", "18650"}}));
    EXPECT_TRUE(choice.Builds.empty());
    EXPECT_EQ(choice.Met, 0);
    ASSERT_EQ(choice.Nearest.size(), 3u);
    EXPECT_EQ(choice.Nothing.rfind("no 18650 build gives 3000 lm for 2 h: the best gives 3000 lm for ", 0), 0u)
        << choice.Nothing;
    for (const ChosenBuild& near : choice.Nearest) {
        EXPECT_FALSE(near.Meets);
        EXPECT_EQ(near.Run.PastRating, "");
        EXPECT_EQ(near.Misses.rfind("gives 3000 lm for ", 0), 0u) << near.Misses;
    }
    EXPECT_GE(choice.Nearest[0].Shortfall, choice.Nearest[1].Shortfall);
}

struct RefusedQuestion {
    const char* name;
    BuildQuestion question;
    const char* input;
    const char* says;
};

void PrintTo(const RefusedQuestion& row, std::ostream* os) { *os << row.name; }

class RefusedQuestions : public testing::TestWithParam<RefusedQuestion> {};

TEST_P(RefusedQuestions, NameTheirCulprit)
{
    const BuildChoice choice = ChooseBuild(GetParam().question);
    ASSERT_FALSE(choice.Refusals.empty());
    EXPECT_EQ(choice.Refusals.front().Input, GetParam().input);
    EXPECT_NE(choice.Refusals.front().Text.find(GetParam().says), std::string::npos) << choice.Refusals.front().Text;
    EXPECT_EQ(choice.Searched, 0);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, RefusedQuestions,
    testing::Values(RefusedQuestion{"NoOutput", Question(0, 1, {{"cell", "18650"}}), "output", "above 0"},
                    RefusedQuestion{"NegativeOutput", Question(-5, 1, {{"cell", "18650"}}), "output", "above 0"},
                    RefusedQuestion{"OutputNotANumber", Question(NAN, 1, {{"cell", "18650"}}), "output", "above 0"},
                    RefusedQuestion{"NoRuntime", Question(1000, 0, {{"cell", "18650"}}), "runtime", "above 0"},
                    RefusedQuestion{"UnknownFormat", Question(1000, 1, {{"cell", "18651"}}), "cell", "18651"},
                    RefusedQuestion{"NoCell", Question(1000, 1, {}), "cell", "format"},
                    RefusedQuestion{"AChemistryAlone", Question(1000, 1, {{"cell", "li-ion"}}), "cell", "chemistry"},
                    RefusedQuestion{"UnknownLed", Question(1000, 1, {{"cell", "18650"}, {"led", "xq-z"}}), "led",
                                    "xq-z"},
                    RefusedQuestion{"AnLedWithoutFlux", Question(10, 1, {{"cell", "18650"}, {"led", "5mm"}}), "led",
                                    "no measured flux"},
                    RefusedQuestion{"ACurrentGiven", Question(1000, 1, {{"cell", "18650"}, {"current", "700"}}),
                                    "current", "solves the drive"}),
    [](const testing::TestParamInfo<RefusedQuestion>& info) { return std::string(info.param.name); });

struct DurationRow {
    const char* text;
    double hours; // NAN: refused
};

TEST(Durations, ReadAsTheCommandLineTakesThem)
{
    for (const DurationRow& row : {DurationRow{"1", 1.0},
                                   {"1.5", 1.5},
                                   {"1:30", 1.5},
                                   {"0:45:36", 0.76},
                                   {"90 min", 1.5},
                                   {"90min", 1.5},
                                   {"2 h", 2.0},
                                   {" 2h ", 2.0},
                                   {"0", NAN},
                                   {"-1", NAN},
                                   {"1:60", NAN},
                                   {"1:30:75", NAN},
                                   {"nan", NAN},
                                   {"", NAN},
                                   {"h", NAN},
                                   {"an hour", NAN}}) {
        const std::optional<double> hours = ReadDuration(row.text);
        if (std::isnan(row.hours))
            EXPECT_FALSE(hours) << row.text;
        else
            EXPECT_NEAR(hours.value_or(-1.0), row.hours, 1e-12) << row.text;
    }
}

} // namespace
} // namespace lumora
