#pragma once
// Command-line options of the stand-in host.
#include <string>
#include <vector>

namespace kelo::hostsim {

struct Options {
    std::string title = "Creo Elements/Direct Drafting 20.3";  // UTF-8
    std::string logPath;                                       // UTF-8; empty: no log
    // Default placement keeps clear of the top-right corner, where the toolbar sits.
    int x = 0;
    int y = 300;
    int width = 900;
    int height = 500;
    // After this many key messages (down or up) the host stops answering, as a hung
    // program does; 0: never. Lets tests check that a sender does not hang with it.
    int hangAfter = 0;
};

// `args` excludes the program name. Unknown options and bad numbers are ignored,
// so a test harness typo never stops the host from starting.
Options ParseArgs(const std::vector<std::string>& args);

}  // namespace kelo::hostsim
