#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <stdexcept>

#include "fuzz/targets/fuzz_target.h"
#include "support/exception.h"
#include "tests/common/temp_dir.h"

namespace nerim::fuzz {
namespace {

namespace fs = std::filesystem;

// Seeds (examples and hand-made files), the corpus the fuzzer grew, and the inputs that once
// failed, each in a folder per target.
constexpr const char* kCorpusKinds[] = {"seeds", "corpus", "crashes"};
// Seeds up to this size are also read cut after every byte.
constexpr std::size_t kTruncatedSeeds = 1024;

const fs::path kFuzzDir = NERIM_FUZZ_DIR;

std::vector<fs::path> FilesIn(const fs::path& folder) {
    std::vector<fs::path> files;
    std::error_code error;
    if (!fs::is_directory(folder, error)) return files;
    for (const auto& entry : fs::directory_iterator(folder))
        if (entry.is_regular_file()) files.push_back(entry.path());
    std::sort(files.begin(), files.end());
    return files;
}

// Runs one input; a failure names it and the replay goes on with the next.
void Replay(const TFuzzTarget& target, const std::string& bytes, const std::string& label) {
    // Set when a sanitizer stops the program, to see which input it was.
    if (std::getenv("NERIM_FUZZ_REPLAY_VERBOSE")) std::fprintf(stderr, "%s\n", label.c_str());
    try {
        target.Run(bytes);
    } catch (const std::exception& failure) {
        ADD_FAILURE() << label << ": " << failure.what();
    }
}

class CorpusReplay : public ::testing::TestWithParam<std::string> {
protected:
    void SetUp() override { SetFailureThrows(true); }
    void TearDown() override { SetFailureThrows(false); }
};

TEST_P(CorpusReplay, EveryInputIsReadOrRefusedCleanly) {
    const TFuzzTarget* target = FindFuzzTarget(GetParam());
    ASSERT_NE(target, nullptr);
    std::size_t inputs = 0;
    for (const char* kind : kCorpusKinds) {
        for (const fs::path& file : FilesIn(kFuzzDir / kind / GetParam())) {
            const std::string bytes = testing::ReadBytes(file);
            const std::string label = std::string(kind) + "/" + GetParam() + "/" + file.filename().string();
            Replay(*target, bytes, label);
            ++inputs;
            if (std::string(kind) != "seeds" || bytes.size() > kTruncatedSeeds) continue;
            // A file cut anywhere, as a full disk or an interrupted copy leaves it.
            for (std::size_t n = 0; n < bytes.size(); ++n)
                Replay(*target, bytes.substr(0, n), label + " cut after " + std::to_string(n) + " bytes");
        }
    }
    EXPECT_GT(inputs, 0u) << "no seeds for " << GetParam();
}

std::vector<std::string> TargetNames() {
    std::vector<std::string> names;
    for (const TFuzzTarget& target : FuzzTargets()) names.emplace_back(target.Name);
    return names;
}

INSTANTIATE_TEST_SUITE_P(Fuzz, CorpusReplay, ::testing::ValuesIn(TargetNames()),
                         [](const ::testing::TestParamInfo<std::string>& param) { return param.param; });

TEST(FuzzTargets, EachHasADictionaryAndEveryCorpusFolderATarget) {
    for (const TFuzzTarget& target : FuzzTargets())
        EXPECT_TRUE(fs::is_regular_file(kFuzzDir / "dict" / (std::string(target.Name) + ".dict"))) << target.Name;
    for (const char* kind : kCorpusKinds) {
        std::error_code error;
        if (!fs::is_directory(kFuzzDir / kind, error)) continue;
        for (const auto& entry : fs::directory_iterator(kFuzzDir / kind))
            EXPECT_NE(FindFuzzTarget(entry.path().filename().string()), nullptr) << entry.path();
    }
}

TEST(FuzzTargets, AFailedPropertyNamesTheInputInTheReplay) {
    SetFailureThrows(true);
    EXPECT_THROW(Check(false, "x"), EFuzzFailure);
    // Refusals with the program's exceptions pass; any other exception is a failure.
    EXPECT_FALSE(Accepts([] { throw Exception("refused"); }));
    EXPECT_THROW(Accepts([] { throw std::out_of_range("index"); }), EFuzzFailure);
    EXPECT_THROW(MustSucceed("step", [] { throw Exception("refused"); }), EFuzzFailure);
    SetFailureThrows(false);
}

}  // namespace
}  // namespace nerim::fuzz
