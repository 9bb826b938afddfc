#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace nerim {

// What the command line of the window program asks for, once the toolkit has taken its own
// options (-platform, -style, ...) out of it.
//   nerim                    the window
//   nerim PROJECT.DAT        the batch run: mesh the project beside it and end
//   nerim --open PROJECT.DAT the window with the project opened and its mesh generated
//   nerim --help | --version
// Only the first argument decides: a project file's name is taken as it is, and further
// arguments change nothing, so a project named like an option can still be meshed ("./--open").
// "--screenshot FILE" before them saves a picture of the window once it is shown and ends (for
// the documentation and the tests).
struct TNerimCommand {
    bool Help = false;
    bool Version = false;
    // The batch run's project.
    std::optional<std::string> Project;
    // The project to open in the window.
    std::optional<std::string> Open;
    std::optional<std::string> Screenshot;
};

// A command line that cannot be understood; Message says why.
struct TNerimUsageError {
    std::string Message;
};

// The arguments without the program's name. Throws TNerimUsageError for "--open" or
// "--screenshot" without their file.
TNerimCommand ParseNerimCommand(const std::vector<std::string>& Arguments);

// The text of --help.
std::string NerimUsage();

// Whether the window can be put on a screen someone looks at: a display is named in the
// environment (DISPLAY, WAYLAND_DISPLAY), or a platform is chosen explicitly (QT_QPA_PLATFORM or
// the option -platform among the raw arguments). Env gives an environment variable's value, or
// nothing when it is not set.
bool HasDisplay(const std::vector<std::string>& RawArguments,
                const std::function<std::optional<std::string>(const char*)>& Env);

// Platforms that draw into memory only: nobody sees their windows nor answers a message box.
bool IsUnattendedPlatform(const std::string& PlatformName);

}  // namespace nerim
