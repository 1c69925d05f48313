#include "support/child_process.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <thread>

extern char** environ;

using namespace std::chrono_literals;

ChildProcess startChild(const std::string& program, const std::vector<std::string>& args, bool pipes)
{
    static int counter = 0;
    ChildProcess process;
    process.stderrPath = "/tmp/quendral_child_" + std::to_string(::getpid()) + "_" + std::to_string(counter++) + ".err";

    int toChild[2] = {-1, -1};
    int fromChild[2] = {-1, -1};
    if (pipes) {
        // A child that has ended must not take the test with it on the next write.
        ::signal(SIGPIPE, SIG_IGN);
        if (::pipe2(toChild, O_CLOEXEC) != 0 || ::pipe2(fromChild, O_CLOEXEC) != 0)
            return process;
    }

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    if (pipes) {
        posix_spawn_file_actions_adddup2(&actions, toChild[0], 0);
        posix_spawn_file_actions_adddup2(&actions, fromChild[1], 1);
    } else {
        posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    }
    posix_spawn_file_actions_addopen(&actions, 2, process.stderrPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    std::vector<char*> argv;
    argv.push_back(const_cast<char*>(program.c_str()));
    for (const std::string& arg : args)
        argv.push_back(const_cast<char*>(arg.c_str()));
    argv.push_back(nullptr);
    if (posix_spawnp(&process.pid, program.c_str(), &actions, nullptr, argv.data(), environ) != 0)
        process.pid = -1;
    posix_spawn_file_actions_destroy(&actions);

    if (pipes) {
        ::close(toChild[0]);
        ::close(fromChild[1]);
        process.input = toChild[1];
        process.output = fromChild[0];
    }
    return process;
}

int waitForChild(const ChildProcess& process, std::chrono::milliseconds limit)
{
    if (process.endStatus != -1 || process.pid <= 0)
        return process.endStatus;
    const auto end = std::chrono::steady_clock::now() + limit;
    do {
        int status = 0;
        if (::waitpid(process.pid, &status, WNOHANG) == process.pid) {
            process.endStatus = status;
            return status;
        }
        std::this_thread::sleep_for(20ms);
    } while (std::chrono::steady_clock::now() < end);
    return -1;
}

void stopChild(ChildProcess& process)
{
    if (process.pid > 0 && process.endStatus == -1) {
        ::kill(process.pid, SIGKILL);
        ::waitpid(process.pid, &process.endStatus, 0);
    }
    process.pid = -1;
    for (int* fd : {&process.input, &process.output}) {
        if (*fd >= 0)
            ::close(*fd);
        *fd = -1;
    }
    if (!process.stderrPath.empty())
        ::unlink(process.stderrPath.c_str());
}

std::string childErrorOutput(const ChildProcess& process)
{
    std::ifstream in(process.stderrPath);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

bool readChildLine(ChildProcess& process, std::string* line, std::chrono::milliseconds limit)
{
    const auto end = std::chrono::steady_clock::now() + limit;
    for (;;) {
        const size_t lineEnd = process.pending.find('\n');
        if (lineEnd != std::string::npos) {
            *line = process.pending.substr(0, lineEnd);
            if (!line->empty() && line->back() == '\r')
                line->pop_back();
            process.pending.erase(0, lineEnd + 1);
            return true;
        }
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(end - std::chrono::steady_clock::now());
        if (process.output < 0 || left.count() <= 0)
            return false;
        pollfd ready {process.output, POLLIN, 0};
        if (::poll(&ready, 1, static_cast<int>(left.count())) <= 0)
            return false;
        char buffer[4096];
        const ssize_t count = ::read(process.output, buffer, sizeof buffer);
        if (count <= 0)
            return false;
        process.pending.append(buffer, static_cast<size_t>(count));
    }
}

bool writeChildLine(const ChildProcess& process, const std::string& line)
{
    if (process.input < 0)
        return false;
    const std::string text = line + "\n";
    return ::write(process.input, text.data(), text.size()) == static_cast<ssize_t>(text.size());
}

bool exitedWithZero(int status)
{
    return childExitCode(status) == 0;
}

int childExitCode(int status)
{
    if (status == -1 || !WIFEXITED(status))
        return -1;
    return WEXITSTATUS(status);
}

bool runCommand(const std::string& command)
{
    return std::system(command.c_str()) == 0;
}
