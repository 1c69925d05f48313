// The screensaver's start-up, shared by the platform entry points.
#pragma once

// Parses the command line, refuses a second preview or default instance and
// runs the chosen mode: the About window, or the GL window with its frame
// loop.  `commandLine` is the text after the program name; `moduleInstance`
// and `showCommand` are what the platform's entry point received (null and 0
// where the platform has none).  Always returns 0, the process exit code.
int saverMain(const char* commandLine, void* moduleInstance, int showCommand);
