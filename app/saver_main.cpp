#include "app/saver_main.h"

#include "about/about_window.h"
#include "app/command_line.h"
#include "app/frame_loop.h"
#include "app/saver_app.h"

int saverMain(const char* text, void* moduleInstance, int showCommand)
{
    commandLine = new CommandLine(text);

    if (commandLine->mode == Preview || commandLine->mode == Default) {
        if (commandLine->checkSingleInstance() == 0)
            return 0;
    }

    if (commandLine->mode == Configure) {
        new AboutWindow(moduleInstance, showCommand);
        return 0;
    }

    saverApp = new SaverApp(commandLine);
    runFrameLoop();
    return 0;
}
