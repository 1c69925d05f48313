// Linux About window: there is no settings dialog to open it from, so "/c"
// prints the About text on standard output and returns at once.
#include "about/about_window.h"

#include <cstdio>
#include <string>

AboutWindow::AboutWindow(void* /*moduleInstance*/, int /*showCommand*/)
    : title("About"),
      windowClassName("TorvaneWindowClass"),
      buttonText("Visit website"),
      aboutText(kAboutText),
      productTitle(kProductTitle)
{
    std::string text = aboutText;
    for (size_t at = text.find('\r'); at != std::string::npos; at = text.find('\r'))
        text.erase(at, 1);
    std::printf("%s\n\n%s\n", productTitle, text.c_str());
    std::fflush(stdout);
}
