// Windows entry point: the runtime library hands WinMain the command line
// after the program name, which is exactly what the start-up parses.
#include "app/saver_main.h"

#include <windows.h>

int WINAPI WinMain(HINSTANCE instance, HINSTANCE /*previousInstance*/, LPSTR commandLine, int showCommand)
{
    return saverMain(commandLine, instance, showCommand);
}
