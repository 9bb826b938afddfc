#pragma once

#include <filesystem>
#include <functional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace nerim::fuzz {

// A fuzz target takes the bytes of one kind of file the program reads, hands them to the function
// the program reads that kind of file with, and checks what must hold whatever the bytes are: the
// reader either refuses them with a nerim::Exception (never another exception, a crash, a hang or
// a sanitizer report) or gives a result that, where the format allows it, writes back and reads
// again to the same thing.
//
// The same targets run under libFuzzer (fuzz/libfuzzer_main.cpp) and, in the test suite, over the
// corpora kept in fuzz/ (tests/fuzz).
struct TFuzzTarget {
    const char* Name;  // also the folder of its corpora and the name of its dictionary
    void (*Run)(std::string_view bytes);
};

// Every target, in a fixed order.
const std::vector<TFuzzTarget>& FuzzTargets();
// The target of that name, or null.
const TFuzzTarget* FindFuzzTarget(std::string_view name);

// A property that must hold did not.
class EFuzzFailure : public std::logic_error {
public:
    using std::logic_error::logic_error;
};

// How a failure is reported: by default its message goes to the standard error and the process
// aborts, which libFuzzer records as a crash with the input that caused it; the corpus replay of
// the test suite has EFuzzFailure thrown instead, to name the input and go on.
void SetFailureThrows(bool throws);
[[noreturn]] void Fail(const std::string& message);
void Check(bool condition, const std::string& message);

// Runs a reader. True when it finished; false when it refused the input with a nerim::Exception,
// as it should refuse a bad file. Any other exception is a failure.
bool Accepts(const std::function<void()>& reader);
// Runs a step that must not fail on what a reader accepted, such as writing it back and reading
// that again: any exception is a failure, described with `what`.
void MustSucceed(const std::string& what, const std::function<void()>& step);

// A path in a folder of this process's own, removed when the process ends normally.
std::filesystem::path ScratchPath(const std::string& name);
// The same path, holding exactly the given bytes.
std::filesystem::path ScratchFile(const std::string& name, std::string_view bytes);

// The bytes with non-printable ones escaped (\x1A), cut after `limit` bytes, for messages.
std::string Printable(std::string_view bytes, std::size_t limit = 200);

// ---- The targets

void RunProjectFile(std::string_view bytes);
void RunMeshParameters(std::string_view bytes);
void RunTokenFile(std::string_view bytes);
void RunTypedArray(std::string_view bytes);
void RunConfiguration(std::string_view bytes);
void RunStringsText(std::string_view bytes);
void RunStringsXml(std::string_view bytes);
void RunTranslationText(std::string_view bytes);
void RunTranslationXml(std::string_view bytes);
void RunResultsFile(std::string_view bytes);

}  // namespace nerim::fuzz
