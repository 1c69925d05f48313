// The About window shown for "/c": the product title, a still picture of the
// plasma, three lines about the maker and a "Visit website" button.
#pragma once

// The maker's lines and addresses, shared by every platform's About window.
extern const char* const kAboutText;
extern const char* const kMakerWebsite;
extern const char* const kProductTitle;

class AboutWindow {
public:
    // Shows the About window and runs its message loop; returns when the
    // window has been closed.  `moduleInstance` and `showCommand` are what
    // the program's entry point received.  Failures are shown in message
    // boxes ("Error!") and the constructor returns.
    AboutWindow(void* moduleInstance, int showCommand);

    const char* title;
    const char* windowClassName;
    const char* buttonText;
    const char* aboutText;
    const char* productTitle;
};
