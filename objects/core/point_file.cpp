#include "objects/core/point_file.h"

#include <array>

#include "support/exception.h"
#include "support/file_bytes.h"
#include "support/number_format.h"
#include "support/readable_text.h"

namespace nerim {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }
bool IsLineEnd(char c) { return c == '\r' || c == '\n'; }
// The line without the blanks and tabs at either end (other control characters stay, to be
// refused as what they are).
std::string_view TrimBlanks(std::string_view text) {
    while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
    return text;
}

bool IsLetter(char c) {
    const auto byte = static_cast<unsigned char>(c);
    return (byte >= 'A' && byte <= 'Z') || (byte >= 'a' && byte <= 'z') || byte >= 0xC0;
}

// The fields of a line: split at commas and semicolons when it has any, otherwise at runs of
// blanks. Returns the number of fields; only the first `fields.size()` are kept.
std::size_t SplitFields(std::string_view line, std::array<std::string_view, 3>& fields) {
    std::size_t count = 0;
    auto keep = [&](std::string_view field) {
        if (count < fields.size()) fields[count] = field;
        ++count;
    };
    if (line.find_first_of(",;") != std::string_view::npos) {
        std::size_t start = 0;
        for (;;) {
            const std::size_t end = line.find_first_of(",;", start);
            keep(TrimBlanks(line.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start)));
            if (end == std::string_view::npos) break;
            start = end + 1;
        }
        return count;
    }
    std::size_t at = 0;
    while (at < line.size()) {
        while (at < line.size() && IsBlank(line[at])) ++at;
        if (at == line.size()) break;
        const std::size_t start = at;
        while (at < line.size() && !IsBlank(line[at])) ++at;
        keep(line.substr(start, at - start));
    }
    return count;
}

// A line of words: something other than numbers with at least one letter in every field, such
// as the column names of a spreadsheet's export.
bool IsHeader(const std::array<std::string_view, 3>& fields, std::size_t count) {
    if (count == 0) return false;
    for (std::size_t k = 0; k < std::min(count, fields.size()); ++k) {
        bool letter = false;
        for (char c : fields[k]) letter = letter || IsLetter(c);
        if (!letter || ParseReal(fields[k])) return false;
    }
    return true;
}

[[noreturn]] void FailLine(const std::string& message, const std::string& source, int line) {
    throw EInOutError(message + " en " + QuotedName(source) + ", línea " + std::to_string(line));
}

}  // namespace

std::vector<TPoint2D> ReadPointText(std::string_view Bytes, const std::string& SourceName) {
    // Text saved as UTF-8 by a spreadsheet may start with a byte-order mark.
    if (Bytes.starts_with("\xEF\xBB\xBF")) Bytes.remove_prefix(3);
    std::vector<TPoint2D> points;
    points.reserve(Bytes.size() / 16);
    bool headerAllowed = true;
    int number = 0;
    std::size_t at = 0;
    while (at < Bytes.size()) {
        ++number;
        std::size_t end = at;
        while (end < Bytes.size() && !IsLineEnd(Bytes[end])) ++end;
        const std::string_view line = Bytes.substr(at, end - at);
        at = end;
        if (at < Bytes.size()) at += (Bytes[at] == '\r' && at + 1 < Bytes.size() && Bytes[at + 1] == '\n') ? 2 : 1;

        const std::string_view content = TrimBlanks(line);
        if (content.empty() || content.front() == '#') continue;
        std::array<std::string_view, 3> fields;
        const std::size_t count = SplitFields(content, fields);
        const auto x = count == 2 ? ParseReal(fields[0]) : std::nullopt;
        const auto y = count == 2 ? ParseReal(fields[1]) : std::nullopt;
        if (x && y) {
            points.push_back({*x, *y});
            headerAllowed = false;
            continue;
        }
        if (headerAllowed && IsHeader(fields, count)) {
            headerAllowed = false;
            continue;
        }
        if (count != 2)
            FailLine("Se esperaban dos números, X e Y, y la línea tiene " + std::to_string(count) + " campos (\"" +
                         ReadableBytes(content) + "\")",
                     SourceName, number);
        std::string message = "Número no válido (\"" + ReadableBytes(x ? fields[1] : fields[0]) + "\")";
        if (content.find(',') != std::string_view::npos) message += ": los decimales se escriben con punto";
        FailLine(message, SourceName, number);
    }
    return points;
}

std::vector<TPoint2D> ReadPointFile(const std::filesystem::path& File) {
    return ReadPointText(ReadFileBytes(File), File.string());
}

}  // namespace nerim
