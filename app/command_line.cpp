#include "app/command_line.h"

#include "platform/platform.h"

#include <cstdint>
#include <cstdlib>

CommandLine* commandLine = nullptr;

namespace {

// Reads a decimal integer as atoi does (leading white space, an optional
// sign, digits; 0 when no digit follows).  atoi's result is undefined for a
// number past the 32-bit range; such a number is clamped to the range here,
// where it still names no window.
int32_t readHandle(const char* text)
{
    const long long value = std::strtoll(text, nullptr, 10);
    if (value > INT32_MAX)
        return INT32_MAX;
    if (value < INT32_MIN)
        return INT32_MIN;
    return static_cast<int32_t>(value);
}

}  // namespace

CommandLine::CommandLine(const char* text)
    : mode(Default), windowHandle(0)
{
    if (!text)
        return;
    for (const char* at = text; *at; ++at) {
        if (*at != '/')
            continue;
        switch (at[1]) {
        case 'p': mode = Preview; break;
        case 's': mode = Run; break;
        case 'c': mode = Configure; break;
        default: break;
        }
        if (mode == Default)
            continue;
        // The handle starts after the switch letter and one separator; a
        // text that ends within those two characters has no handle.
        if (at[1] == '\0' || at[2] == '\0')
            windowHandle = 0;
        else
            windowHandle = readHandle(at + 3);
    }
}

int CommandLine::checkSingleInstance() const
{
    return platform::acquireInstanceMarker("K_OPENGL_SCREENSAVER") ? 1 : 0;
}
