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
    // 1: opens the window's input method at start (kana input, as a Japanese user leaves
    // it) and logs its open state whenever it changes. 2: its input method window answers
    // IMC_GETOPENSTATUS and IMC_SETOPENSTATUS from other programs as Windows' own does
    // (Wine's ignores the second), keeping the open state itself, open at start.
    // 0: the input method is left alone.
    int imeOpen = 0;
    // Takes the foreground at random moments, on average this many milliseconds apart
    // (each gap drawn evenly from half to one and a half times it); 0: never. Makes a
    // focus thief of a second hostsim.
    int stealEvery = 0;
    // Milliseconds the host takes over each key message (down or up) before it looks at
    // the next one, as a host busy with every key does; 0: none.
    int keyDelay = 0;
};

// `args` excludes the program name. Unknown options and bad numbers are ignored,
// so a test harness typo never stops the host from starting.
Options ParseArgs(const std::vector<std::string>& args);

}  // namespace kelo::hostsim
