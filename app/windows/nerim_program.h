#pragma once

#include <string>

namespace nerim {

// What differs between the programs that show the main window.
struct TNerimRunOptions {
    // The name --help and --version print.
    std::string ProgramName = "nerim";
    std::string Version;
    // The translation-editing build: the window starts in translation mode.
    bool TranslationMode = false;
};

// The window program from its command line to its exit status (see app/nerim_command.h):
//   0  the window was closed, or the batch run wrote its mesh file;
//   1  the batch run failed (at once without a display; after the window is closed with one,
//      the message having been shown in a message box and written to standard error);
//   2  a wrong command line, or the window asked for without a display.
// Without a display (no DISPLAY, no WAYLAND_DISPLAY, no platform chosen) the batch run takes
// place on the offscreen platform, with its messages on standard error and nobody to wait for.
int RunNerim(int& argc, char** argv, const TNerimRunOptions& Options = {});

}  // namespace nerim
