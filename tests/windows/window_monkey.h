#pragma once

// A monkey for the main window: a seeded random sequence of user actions on the real window
// (clicks, drags and wheel turns on the view in every mouse mode, buttons, texts typed into the
// fields, spins, lists, objects drawn, edited and deleted, meshes generated, projects saved and
// opened in a folder of its own, the quality window opened and closed), with the window's
// invariants checked after every action. Every question, file dialog, information box and
// reported failure is answered at once and counted; nothing waits for a click.
//
// The sequence depends on the seed alone: running the same seed for the same number of actions
// replays it.
#include <cstdint>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

namespace nerim::testing {

// A small generator with the same sequence on every platform (splitmix64).
class TMonkeyRandom {
public:
    explicit TMonkeyRandom(std::uint64_t Seed) : state_(Seed) {}
    std::uint64_t Next();
    // 0 to N - 1 (N > 0).
    int Below(int N);
    // Lo to Hi, both included.
    int Between(int Lo, int Hi) { return Lo + Below(Hi - Lo + 1); }
    double Real(double Lo, double Hi);
    bool Percent(int P) { return Below(100) < P; }
    template <class T>
    const T& Pick(const std::vector<T>& Items) {
        return Items[static_cast<std::size_t>(Below(static_cast<int>(Items.size())))];
    }

private:
    std::uint64_t state_;
};

struct TMonkeyOptions {
    std::uint64_t Seed = 1;
    int Actions = 1000;
    // Where the projects and mesh files go; the run makes it its working directory meanwhile.
    std::filesystem::path Folder;
    // Where each action is written as it is done, so that a run the sanitizers end at once still
    // leaves its sequence behind; none when empty.
    std::filesystem::path LogFile;
};

struct TMonkeyReport {
    int ActionsRun = 0;
    // One line per action, numbered from 1.
    std::vector<std::string> Log;
    // The first broken invariant, after the action that broke it; empty for a clean run.
    std::string Failure;
    // What the window said, by text (the run's folder shown as "<dir>", digits as "#"), with how
    // often: "warning: ...", "error: ..." for reported failures, "information: ...", "question: ...",
    // "dialog: open" / "dialog: save", "window: ..." for the quality window.
    std::map<std::string, int> Messages;
    // What the actions did, with how often: "objects drawn", "meshes generated", "vertices
    // moved", "views zoomed", "project files read back" and the like.
    std::map<std::string, int> Done;
};

// Runs the monkey on a fresh main window; the application object must be a TApplication.
TMonkeyReport RunWindowMonkey(const TMonkeyOptions& Options);

// Seeds from a text such as "1,2,7" or "10-19" (ranges and single seeds mixed); empty or
// malformed parts are skipped.
std::vector<std::uint64_t> ParseMonkeySeeds(const std::string& Text);

}  // namespace nerim::testing
