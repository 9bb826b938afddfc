#include "app/configuration.h"

#include <algorithm>
#include <charconv>
#include <fstream>
#include <iterator>
#include <memory>
#include <string_view>
#include <vector>

#include <INIReader.h>

#include "support/encoding.h"
#include "support/paths.h"
#include "support/process.h"
#include "support/text_utils.h"

namespace nerim {
namespace {

constexpr std::string_view kSection = "GENERAL";
constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";
// Section and key names up to this length reach the INI parser unchanged; longer ones are past
// what it keeps and can never be the names read here.
constexpr std::size_t kMaxName = 40;

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::vector<std::string_view> SplitLines(std::string_view text) {
    std::vector<std::string_view> lines;
    std::size_t start = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\r' && text[i] != '\n') continue;
        lines.push_back(text.substr(start, i - start));
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
        start = i + 1;
    }
    if (start < text.size()) lines.push_back(text.substr(start));
    return lines;
}

// The configuration file read through the INI parser, which decides which line each section and
// key name selects. The parser on its own departs from the rules of the file: an indented line
// continues the previous value, a key given twice gets both values joined, a line longer than 200
// characters is cut and its rest read as a line of its own, a ";" after a blank starts a comment,
// and a lone CR ends no line. So it is handed the file in a normal form: lines without indentation,
// comments left out, section names without surrounding blanks, and every key line written as
// "name=n", where n indexes that line's value (all after the first "=", without surrounding
// blanks) kept here.
class ConfigurationFile {
public:
    explicit ConfigurationFile(const std::string& fileName) {
        std::ifstream in(fileName, std::ios::binary);
        std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        std::erase(bytes, '\0');
        std::string_view text = bytes;
        // The file is Windows-1252 text unless a byte-order mark says it is UTF-8.
        utf8_ = text.starts_with(kUtf8Bom);
        if (utf8_) text.remove_prefix(kUtf8Bom.size());

        std::string normal;
        for (std::string_view line : SplitLines(text)) {
            while (!line.empty() && IsBlank(line.front())) line.remove_prefix(1);
            if (line.empty() || line.front() == ';' || line.front() == '#') continue;
            if (line.front() == '[') {
                const auto close = line.find(']');
                if (close == std::string_view::npos) continue;
                const std::string_view name = Trim(line.substr(1, close - 1));
                normal += '[';
                if (name.size() <= kMaxName) normal.append(name);
                normal += "]\n";
                continue;
            }
            const auto equals = line.find('=');
            if (equals == std::string_view::npos) continue;
            const std::string_view name = Trim(line.substr(0, equals));
            if (name.empty() || name.size() > kMaxName || name.find_first_of(":;") != std::string_view::npos) continue;
            normal += std::string(name) + "=" + std::to_string(values_.size()) + "\n";
            values_.emplace_back(Trim(line.substr(equals + 1)));
        }
        reader_ = std::make_unique<INIReader>(normal.data(), normal.size());
    }

    // The value of the first line of key in section, or defaultValue when there is none.
    std::string Read(std::string_view section, std::string_view key, const std::string& defaultValue) const {
        const std::string found = reader_->Get(std::string(section), std::string(key), "");
        // A key given more than once comes back as its line indices joined by line breaks.
        const std::string_view first = std::string_view(found).substr(0, found.find('\n'));
        std::size_t index = 0;
        const auto [end, error] = std::from_chars(first.data(), first.data() + first.size(), index);
        if (first.empty() || error != std::errc() || end != first.data() + first.size() || index >= values_.size())
            return defaultValue;
        return utf8_ ? values_[index] : Cp1252ToUtf8(values_[index]);
    }

private:
    bool utf8_ = false;
    std::vector<std::string> values_;
    std::unique_ptr<INIReader> reader_;
};

}  // namespace

TConfiguration::TConfiguration(const std::string& fileName, const std::string& programDirectory) {
    const ConfigurationFile file(fileName);
    stringsFile_ = JoinPath(programDirectory, file.Read(kSection, "Strings", "Strings_es.dat"));
    uiStringsFile_ = JoinPath(programDirectory, file.Read(kSection, "UIStrings", "Translation_es.dat"));
}

TConfiguration::TConfiguration(const std::string& fileName) : TConfiguration(fileName, ProgramDirectory()) {}

}  // namespace nerim
