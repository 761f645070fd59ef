#pragma once
// Knows when the thread that takes the host's keyboard input has handled every key of
// one SendInput, at the cost of a few calls rather than one round trip per message.
#include <windows.h>

#include <chrono>
#include <cstddef>
#include <vector>

namespace kelo {

// Keys that no keyboard has and no program binds (unassigned virtual keys). One of them
// ends every injected batch, pressed: the host's thread takes it after all the keys
// before it. It is released at once after; two take turns, so that a release still
// on its way to the host is never read as the next batch's press.
inline constexpr WORD kMarkerKeys[2] = {0xE8, 0x97};

// The thread that receives keyboard input sent to `window`: the one owning its focus.
DWORD InputThreadOf(HWND window);

// A press or release of a virtual key with no scan code, carrying `tag`.
INPUT VirtualKeyInput(WORD vk, bool up, ULONG_PTR tag);

class HostInputWatch {
   public:
    // Contract: `target` is the foreground window, about to receive the keys, and
    // `inputThread` is InputThreadOf(target). Shares input state with that thread until
    // the watch ends, so that this thread's GetKeyState reads the key state as that
    // thread has handled it.
    HostInputWatch(HWND target, DWORD inputThread, WORD marker);
    ~HostInputWatch();
    HostInputWatch(const HostInputWatch&) = delete;
    HostInputWatch& operator=(const HostInputWatch&) = delete;

    // Appends the marker's press to the batch, tagged like the other keys. A watch that
    // ends without waiting (the batch was refused) still releases it.
    void AppendMarker(std::vector<INPUT>& inputs, ULONG_PTR tag);

    // Returns once the host's thread has taken the marker, so every key before it has
    // been handled; or sooner when the host is gone or hung, or after `kLongestWait` and
    // `kPerKey` for each of the `inputCount` events sent. Then releases the marker.
    // `inputCount` also serves the fallback for when the input state could not be shared.
    void WaitUntilHandled(std::size_t inputCount);

    // After WaitUntilHandled: whether the host's thread had every key of the batch, that
    // is it was seen to take the marker while the host's process was in front. Another
    // program that came to the front before took the rest of the batch (or, under Wine,
    // some of it vanished); a host gone, hung or slower than the wait had not taken them
    // yet.
    bool HostHadTheKeys() const { return hostHadTheKeys_; }

    // The marker whose release was held back because another program had come to the
    // front (the release would have reached it); the next batch into the host sends it
    // first, with AppendRelease. 0: none.
    WORD OwedRelease() const { return owed_ ? marker_ : 0; }
    static void AppendRelease(std::vector<INPUT>& inputs, WORD marker, ULONG_PTR tag);

    static constexpr auto kLongestWait = std::chrono::seconds(2);
    // A long key string, or a host slowed by a busy machine, is given time in proportion
    // (a hung host is found sooner, by its own test).
    static constexpr auto kPerKey = std::chrono::milliseconds(5);

   private:
    HWND target_;
    WORD marker_;
    DWORD ourThread_;
    DWORD inputThread_ = 0;
    bool attached_ = false;
    ULONG_PTR tag_ = 0;
    bool pressed_ = false;  // the marker went into a batch and is not released yet
    bool owed_ = false;     // ... and its release waits for the host to be in front again
    bool hostHadTheKeys_ = false;

    bool HostInFront() const;

    void ReleaseMarker();
};

}  // namespace kelo
