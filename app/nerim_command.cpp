#include "app/nerim_command.h"

#include <algorithm>

namespace nerim {

TNerimCommand ParseNerimCommand(const std::vector<std::string>& Arguments) {
    TNerimCommand command;
    std::size_t first = 0;
    const auto value = [&](std::size_t at, const char* option) {
        if (at + 1 >= Arguments.size()) throw TNerimUsageError{std::string(option) + " needs a file name"};
        return Arguments[at + 1];
    };
    while (first < Arguments.size() && Arguments[first] == "--screenshot") {
        command.Screenshot = value(first, "--screenshot");
        first += 2;
    }
    if (first >= Arguments.size()) return command;
    const std::string& argument = Arguments[first];
    if (argument == "--help" || argument == "-h")
        command.Help = true;
    else if (argument == "--version")
        command.Version = true;
    else if (argument == "--open")
        command.Open = value(first, "--open");
    else
        command.Project = argument;
    return command;
}

std::string NerimUsage() {
    return "Usage: nerim [--screenshot FILE.png] [PROJECT.DAT | --open PROJECT.DAT | --help | --version]\n"
           "\n"
           "  (no argument)         opens the window\n"
           "  PROJECT.DAT           meshes the project without questions: writes Mesh.mes beside it and\n"
           "                        ends (exit status 0, or 1 when the project cannot be meshed)\n"
           "  --open PROJECT.DAT    opens the window with the project loaded and its mesh generated\n"
           "  --screenshot FILE     saves a picture of the window once it is shown, and ends\n"
           "  --help, --version     this text, the version\n"
           "\n"
           "The window needs a display; without one, nerim PROJECT.DAT still meshes the project, and\n"
           "nerim-mesh does the same with more options.\n";
}

bool HasDisplay(const std::vector<std::string>& RawArguments,
                const std::function<std::optional<std::string>(const char*)>& Env) {
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) {
        const std::optional<std::string> value = Env(name);
        if (value && !value->empty()) return true;
    }
    // The toolkit takes its options with one dash or two.
    return std::any_of(RawArguments.begin(), RawArguments.end(),
                       [](const std::string& a) { return a == "-platform" || a == "--platform"; });
}

bool IsUnattendedPlatform(const std::string& PlatformName) {
    return PlatformName == "offscreen" || PlatformName == "minimal";
}

}  // namespace nerim
