#pragma once
// Keeps the host's Japanese input method from converting what we type: letters typed as
// keys into an open (kana) input method become kana, and the command line is garbled.
#include <windows.h>

namespace kelo {

class HostImeClosed {
   public:
    // Contract: `target` is the window about to receive the keys and `inputThread` the
    // thread that takes its keyboard input. Closes that thread's input method if it is
    // open. Throws ImeOpenError when it stays open, HostError when the host does not answer.
    HostImeClosed(HWND target, DWORD inputThread);
    // Opens the input method again if this closed it: the user's state is kept.
    ~HostImeClosed();
    HostImeClosed(const HostImeClosed&) = delete;
    HostImeClosed& operator=(const HostImeClosed&) = delete;

   private:
    HWND imeWindow_ = nullptr;
    bool reopen_ = false;
};

}  // namespace kelo
