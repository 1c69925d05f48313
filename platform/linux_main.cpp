// Linux entry point: joins the arguments into one command-line text, as the
// Windows runtime hands it to WinMain, and runs the screensaver.
#include "app/saver_main.h"

#include <string>

int main(int argc, char** argv)
{
    std::string commandLine;
    for (int i = 1; i < argc; ++i) {
        if (i > 1)
            commandLine += ' ';
        commandLine += argv[i];
    }
    return saverMain(commandLine.c_str(), nullptr, 0);
}
