// Programs that the program tests start: the screensaver itself, or wine
// with a Windows program.  Standard error goes to a file of its own, so that
// a failing test can show it; standard output can come back through a pipe.
#pragma once

#include <sys/types.h>

#include <chrono>
#include <string>
#include <vector>

struct ChildProcess {
    pid_t pid = -1;
    std::string stderrPath;
    int input = -1;       // write end of a pipe to its standard input, or -1
    int output = -1;      // read end of a pipe from its standard output, or -1
    std::string pending;  // output read but not yet handed out as a line
    // The exit status once waitForChild has seen the process end (it is
    // reaped then, and its pid may go to another process).
    mutable int endStatus = -1;
};

// Starts `program` (found through PATH when it has no slash) with `args`.
// Standard output goes to /dev/null unless `pipes` asks for a pipe to its
// standard input and one from its standard output.  A start that fails
// gives pid -1.
ChildProcess startChild(const std::string& program, const std::vector<std::string>& args, bool pipes = false);

// Waits up to `limit` for the process to end; returns its exit status as
// waitpid gives it, or -1 when it is still running (or was never started).
// Once ended, every later call gives the same status at once.
int waitForChild(const ChildProcess& process, std::chrono::milliseconds limit);

// Kills the process if it still runs, reaps it, closes the pipes and
// removes its standard error file.
void stopChild(ChildProcess& process);

// Everything the process wrote to standard error so far.
std::string childErrorOutput(const ChildProcess& process);

// The next line of its standard output (without the line end), waiting up
// to `limit` for it.  False at the end of the output or when time is up.
bool readChildLine(ChildProcess& process, std::string* line, std::chrono::milliseconds limit);

// Writes `line` and a line end to its standard input.  False when the pipe
// is gone.
bool writeChildLine(const ChildProcess& process, const std::string& line);

// True for a status from waitForChild of a process that exited with code 0.
bool exitedWithZero(int status);

// The exit code in a status from waitForChild, or -1 when the process did
// not exit normally or still runs.
int childExitCode(int status);

// Runs a shell command to its end; true when it exits with 0.
bool runCommand(const std::string& command);
