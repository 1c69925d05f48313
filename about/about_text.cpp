#include "about/about_window.h"

const char* const kAboutText =
    "Copyright 2025-2026 Quendral. All rights reserved.\r\n"
    "Free screensavers at https://quendral.example.com\r\n"
    "Write to us: support@quendral.example.com";
const char* const kMakerWebsite = "https://quendral.example.com";
const char* const kProductTitle = "Quendral Screensaver";
