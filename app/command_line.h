// The screensaver's command line: which mode to run and the preview window.
#pragma once

#include <cstdint>

// The modes the operating system starts a screensaver in.
enum SaverMode : int32_t {
    Preview = 0,    // "/p <window handle>": render inside the given window
    Run = 1,        // "/s": full-screen
    Configure = 2,  // "/c": the About window
    Default = 3     // no recognised switch: full-screen, with the instance check
};

class CommandLine {
public:
    // Parses `text`, the arguments after the program name.  Every '/' is
    // looked at; only the lowercase letters p, s and c count as switches, and
    // a later switch overrides an earlier one.  Once a switch has been seen,
    // each '/' reads the window handle again, as atoi reads it, from the
    // text three characters after the '/'.  Never fails: anything else gives
    // Default with handle 0.
    explicit CommandLine(const char* text);

    // Creates the named instance marker "K_OPENGL_SCREENSAVER" and keeps it
    // for the life of the process.  Returns 1 when this is the only running
    // preview or default instance and 0 when another one holds the marker.
    int checkSingleInstance() const;

    SaverMode mode;
    int32_t windowHandle;
};

// The one command line of the process, created by start-up and never freed.
extern CommandLine* commandLine;
