#pragma once

// Project files a batch run cannot mesh, and what its one-line message must be for each: it names
// the file, holds no control byte and, for a damaged project, names the line.
#include <unistd.h>

#include <QString>
#include <filesystem>
#include <string>
#include <vector>

#include "tests/common/temp_dir.h"

namespace nerim::testing {

struct TDamagedProject {
    std::string Name;      // the file's name in the folder
    bool NamesLine;        // the message names the line where the file goes wrong
};

// In the folder: a folder named like a project, a file that cannot be read (for the superuser,
// who reads any file, a link to a file whose reading fails), a file of binary bytes with NUL, an
// empty file, and a project that ends in the middle.
inline std::vector<TDamagedProject> MakeDamagedProjects(const TempDir& dir, const std::filesystem::path& golden) {
    std::filesystem::create_directory(dir / "folder.dat");
    if (::geteuid() == 0) {
        std::filesystem::create_symlink("/proc/self/mem", dir / "unreadable.dat");
    } else {
        WriteBytes(dir / "unreadable.dat", "1\r\n");
        std::filesystem::permissions(dir / "unreadable.dat", std::filesystem::perms::none);
    }
    WriteBytes(dir / "binary.dat", std::string("\x00\x1A\x01\x7F\xFF\xFE project\r\n\x00\x00", 18));
    WriteBytes(dir / "empty.dat", "");
    const std::string whole = ReadBytes(golden);
    WriteBytes(dir / "damaged.dat", whole.substr(0, whole.size() / 2));
    return {{"folder.dat", false}, {"unreadable.dat", false}, {"binary.dat", false}, {"empty.dat", false},
            {"damaged.dat", true}};
}

// The failure line is one line of readable UTF-8 text naming the file, and the line of the file
// where it went wrong when asked; an empty text when it is, otherwise what is wrong with it.
inline std::string CheckFailureLine(const std::string& line, const TDamagedProject& project) {
    if (line.empty()) return "no message";
    for (const char c : line)
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) return "a control byte in: " + line;
    if (QString::fromUtf8(line).toUtf8().toStdString() != line) return "not UTF-8 text: " + line;
    if (line.rfind("No se pudo mallar ", 0) != 0) return "not the failure line: " + line;
    if (line.find(project.Name) == std::string::npos) return "the file is not named: " + line;
    if (project.NamesLine && line.find("línea") == std::string::npos) return "the line is not named: " + line;
    return {};
}

}  // namespace nerim::testing
