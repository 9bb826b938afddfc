// The main window under a seeded random sequence of user actions. A few seeds run with the test
// suite; more are run by setting NERIM_MONKEY_SEEDS ("1-50", "3,17") and NERIM_MONKEY_ACTIONS
// (actions per seed). A failing seed prints the line that replays it.
#include <cstdlib>
#include <filesystem>
#include <iostream>

#include "tests/windows/main_window_support.h"
#include "tests/windows/window_monkey.h"

namespace nerim {
namespace {

using testing::TempDir;

constexpr int kDefaultActions = 4000;

std::vector<std::uint64_t> Seeds() {
    const char* text = std::getenv("NERIM_MONKEY_SEEDS");
    std::vector<std::uint64_t> seeds = testing::ParseMonkeySeeds(text ? text : "");
    if (seeds.empty()) seeds = {1, 2, 3};
    return seeds;
}

int Actions() {
    const char* text = std::getenv("NERIM_MONKEY_ACTIONS");
    const int actions = text ? std::atoi(text) : 0;
    return actions > 0 ? actions : kDefaultActions;
}

class WindowMonkey : public ::testing::TestWithParam<std::uint64_t> {
protected:
    static void SetUpTestSuite() {
        testing::UseTemporarySettings();
        QApplication::setQuitOnLastWindowClosed(false);
    }
};

TEST_P(WindowMonkey, ActionsKeepTheWindowConsistent) {
    const std::uint64_t seed = GetParam();
    TempDir dir;
    testing::TMonkeyOptions options;
    options.Seed = seed;
    options.Actions = Actions();
    options.Folder = dir.Path();
    const std::filesystem::path log = std::filesystem::absolute("monkey-seed-" + std::to_string(seed) + ".log");
    options.LogFile = log;
    const testing::TMonkeyReport report = testing::RunWindowMonkey(options);
    // The sequence stays behind only when it went wrong.
    if (report.Failure.empty()) std::filesystem::remove(log);

    std::cout << "seed " << seed << ": " << report.ActionsRun << " actions, of which:\n";
    for (const auto& [what, count] : report.Done) std::cout << "  " << count << "  " << what << "\n";
    std::cout << "the window said:\n";
    for (const auto& [message, count] : report.Messages) std::cout << "  " << count << "  " << message << "\n";
    if (!report.Failure.empty()) {
        std::cout << "last actions (all of them in " << log.string() << "):\n";
        const std::size_t from = report.Log.size() > 40 ? report.Log.size() - 40 : 0;
        for (std::size_t i = from; i < report.Log.size(); ++i) std::cout << "  " << report.Log[i] << "\n";
    }
    EXPECT_TRUE(report.Failure.empty()) << "seed " << seed << ", " << report.Failure
                                        << "\nreplay: NERIM_MONKEY_SEEDS=" << seed
                                        << " NERIM_MONKEY_ACTIONS=" << report.ActionsRun
                                        << " test_windows --gtest_filter='Seeds/WindowMonkey.*'";
}

INSTANTIATE_TEST_SUITE_P(Seeds, WindowMonkey, ::testing::ValuesIn(Seeds()),
                         [](const ::testing::TestParamInfo<std::uint64_t>& seed) {
                             return "seed" + std::to_string(seed.param);
                         });

TEST(WindowMonkeySeeds, ListsAndRangesMixed) {
    EXPECT_EQ(testing::ParseMonkeySeeds("3,7-9,x,12"), (std::vector<std::uint64_t>{3, 7, 8, 9, 12}));
    EXPECT_TRUE(testing::ParseMonkeySeeds("").empty());
}

}  // namespace
}  // namespace nerim
