#include "app/bin/command_line.h"

#include <algorithm>
#include <cctype>
#include <utility>

#include "support/number_format.h"

namespace nerim {
namespace {

constexpr std::int32_t kMaxSamples = 99;

std::int32_t SampleCount(const std::string& option, const std::string& value) {
    const auto n = ParseInteger(value);
    if (!n || *n < 1 || *n > kMaxSamples)
        throw TUsageError{option + " takes a whole number from 1 to " + std::to_string(kMaxSamples) + ", not '" +
                          value + "'"};
    return *n;
}

// WIDTHxHEIGHT, each side within the picture limits.
void PictureSize(const std::string& value, TPictureRequest& picture) {
    const auto x = value.find_first_of("xX");
    const auto w = x == std::string::npos ? std::nullopt : ParseInteger(value.substr(0, x));
    const auto h = x == std::string::npos ? std::nullopt : ParseInteger(value.substr(x + 1));
    const auto fits = [](const std::optional<std::int32_t>& n) {
        return n && *n >= kMinPictureSide && *n <= kMaxPictureSide;
    };
    if (!fits(w) || !fits(h))
        throw TUsageError{"--size takes WIDTHxHEIGHT in pixels, each from " + std::to_string(kMinPictureSide) + " to " +
                          std::to_string(kMaxPictureSide) + ", not '" + value + "'"};
    picture.Width = *w;
    picture.Height = *h;
}

// One of the mesh's matrices by name (any case), or none.
std::string VariableName(const std::string& value) {
    for (const char* name : {"AC", "AR", "AT", "VOF", "Noc", "Npc", "Results", "none"}) {
        const std::string n = name;
        if (n.size() == value.size() &&
            std::equal(n.begin(), n.end(), value.begin(),
                       [](unsigned char a, unsigned char b) { return std::tolower(a) == std::tolower(b); }))
            return n == "none" ? std::string() : n;
    }
    throw TUsageError{"--variable takes AC, AR, AT, VOF, Noc, Npc, Results or none, not '" + value + "'"};
}

void PickedCell(const std::string& value, TPictureRequest& picture) {
    const auto comma = value.find(',');
    const auto i = comma == std::string::npos ? std::nullopt : ParseInteger(value.substr(0, comma));
    const auto j = comma == std::string::npos ? std::nullopt : ParseInteger(value.substr(comma + 1));
    if (!i || !j) throw TUsageError{"--pick takes two whole numbers I,J, not '" + value + "'"};
    picture.PickI = *i;
    picture.PickJ = *j;
}

std::int32_t JobCount(const std::string& value) {
    const auto n = ParseInteger(value);
    if (!n || *n < 1 || *n > kMaxJobs)
        throw TUsageError{"--jobs takes a whole number from 1 to " + std::to_string(kMaxJobs) + ", not '" + value +
                          "'"};
    return *n;
}

// FILE:MATERIAL, split at the last colon so that the file's name may hold colons.
TImportRequest OutlineRequest(const std::string& value) {
    const auto colon = value.rfind(':');
    const auto material = colon == std::string::npos ? std::nullopt : SurveyMaterialByName(value.substr(colon + 1));
    if (!material || colon == 0)
        throw TUsageError{"--add-outline takes FILE:MATERIAL, the material being obstacle, porous or water, not '" +
                          value + "'"};
    return {false, *material, value.substr(0, colon)};
}

}  // namespace

std::string UsageErrorLine(const TUsageError& Error) {
    return "nerim-mesh: " + Error.Message + "; see nerim-mesh --help";
}

std::string MeshUsage() {
    return "Usage: nerim-mesh [options] PROJECT.DAT [PROJECT.DAT ...]\n"
           "\n"
           "Loads a Nerim project, generates the mesh, classifies every cell by the project's\n"
           "objects and writes the model's mesh file (Mesh.mes beside the project by default).\n"
           "Several projects are meshed side by side, each into its own mesh file, with one\n"
           "summary line each.\n"
           "\n"
           "Options:\n"
           "  --nx N       samples per cell along X (1 to 99, default 10)\n"
           "  --ny N       samples per cell along Y (1 to 99, default 10)\n"
           "  -o FILE      write the mesh file to FILE (one project only)\n"
           "  --output-dir DIR\n"
           "               write each project's mesh file to DIR/NAME/Mesh.mes, NAME being the\n"
           "               project's file name without its extension\n"
           "  --jobs N     mesh N projects at a time (default: one per processor it may use)\n"
           "  --add-profile FILE\n"
           "               add a seabed profile to the project before meshing: FILE holds the\n"
           "               points X Y in model coordinates, one per line (comma, semicolon, tab\n"
           "               or blanks between them); the profile is closed down to the domain's\n"
           "               bottom edge, clipped to the domain, and becomes an obstacle\n"
           "  --add-outline FILE:MATERIAL\n"
           "               add a closed outline read the same way, as an obstacle, porous or\n"
           "               water object (MATERIAL); both options may be repeated\n"
           "  --save-project FILE\n"
           "               write the project with the added objects to FILE before meshing (one\n"
           "               project only); the mesh file then goes beside FILE\n"
           "  --quiet      print nothing but errors (and what --quality asks for)\n"
           "  --results FILE\n"
           "               load a results file of the model (32-bit floats, one per cell) after the\n"
           "               classification; its range colours every real matrix of the picture\n"
           "  --quality    print the quality summary of the X and Y axes\n"
           "  --quality-csv FILE\n"
           "               write the points of the quality graph as CSV (series,x,y,color,label)\n"
           "  --picture FILE.png\n"
           "               draw the mesh and the objects as the main window shows them after\n"
           "               \"Ajustar vista\", on the first sub-zones, as a PNG image (made by\n"
           "               nerim-mesh-picture, which takes the same options)\n"
           "  --size WxH   size of the picture in pixels (16 to 16384 a side, default 1600x900)\n"
           "  --variable NAME\n"
           "               matrix shown in the picture: AC, AR, AT, VOF, Noc, Npc, Results or none\n"
           "               (the default)\n"
           "  --pick I,J   mark the picked cell (I, J) in the picture\n"
           "  --help       show this help and exit\n"
           "  --version    show the version and exit\n"
           "\n"
           "The mesh file is written in every run; the other outputs follow it. --results,\n"
           "--quality, --quality-csv and --picture take one project.\n"
           "Exit status: 0 on success, 1 when a project cannot be meshed or an output cannot be\n"
           "made, 2 for a wrong command line.\n";
}

TMeshCommand ParseMeshCommand(const std::vector<std::string>& Arguments) {
    TMeshCommand command;
    TPictureRequest picture;
    std::vector<std::string> pictureOptions;  // given, to refuse them without --picture
    bool havePicture = false;
    for (std::size_t k = 0; k < Arguments.size(); ++k) {
        const std::string& arg = Arguments[k];
        auto value = [&]() -> const std::string& {
            if (k + 1 >= Arguments.size()) throw TUsageError{arg + " needs a value"};
            return Arguments[++k];
        };
        if (arg == "--help" || arg == "-h") {
            command.Help = true;
        } else if (arg == "--version") {
            command.Version = true;
        } else if (arg == "--quiet" || arg == "-q") {
            command.Quiet = true;
        } else if (arg == "--nx") {
            command.NX = SampleCount(arg, value());
        } else if (arg == "--ny") {
            command.NY = SampleCount(arg, value());
        } else if (arg == "-o" || arg == "--output") {
            command.Output = value();
        } else if (arg == "--output-dir") {
            command.OutputDir = value();
        } else if (arg == "--jobs" || arg == "-j") {
            command.Jobs = JobCount(value());
        } else if (arg == "--add-profile") {
            command.Imports.push_back({true, TSurveyMaterial::Obstacle, value()});
        } else if (arg == "--add-outline") {
            command.Imports.push_back(OutlineRequest(value()));
        } else if (arg == "--save-project") {
            command.SaveProject = value();
        } else if (arg == "--results") {
            command.Results = value();
        } else if (arg == "--quality") {
            command.Quality = true;
        } else if (arg == "--quality-csv") {
            command.QualityCsv = value();
        } else if (arg == "--picture") {
            picture.File = value();
            havePicture = true;
        } else if (arg == "--size") {
            PictureSize(value(), picture);
            pictureOptions.push_back(arg);
        } else if (arg == "--variable") {
            picture.Variable = VariableName(value());
            pictureOptions.push_back(arg);
        } else if (arg == "--pick") {
            PickedCell(value(), picture);
            pictureOptions.push_back(arg);
        } else if (arg.size() > 1 && arg[0] == '-') {
            throw TUsageError{"unknown option '" + arg + "'"};
        } else {
            command.Projects.emplace_back(arg);
        }
    }
    if (command.Projects.empty() && !command.Help && !command.Version) throw TUsageError{"no project file given"};
    if (command.Projects.size() > 1) {
        const std::pair<bool, const char*> single[] = {
            {command.Output.has_value(), "-o"},           {command.SaveProject.has_value(), "--save-project"},
            {command.Results.has_value(), "--results"},   {command.Quality, "--quality"},
            {command.QualityCsv.has_value(), "--quality-csv"}, {havePicture, "--picture"}};
        for (const auto& [given, option] : single)
            if (given)
                throw TUsageError{std::string(option) + " takes one project, and " +
                                  std::to_string(command.Projects.size()) + " are given"};
    }
    if (command.Output && command.OutputDir) throw TUsageError{"-o and --output-dir cannot be given together"};
    if (!havePicture && !pictureOptions.empty())
        throw TUsageError{pictureOptions.front() + " is an option of the picture: give --picture FILE.png too"};
    if (havePicture) command.Picture = picture;
    return command;
}

}  // namespace nerim
