#include "about/about_window.h"

const char* const kAboutText =
    "Copyright (c) 2025-2026 Quendral Software. All rights reserved.\r\n"
    "Find more free screensavers at https://quendral.example.com\r\n"
    "Questions or ideas? Write to support@quendral.example.com";
const char* const kMakerWebsite = "https://quendral.example.com";
const char* const kProductTitle = "Quendral Screensaver";
