#pragma once
// Knows when the thread that takes the host's keyboard input has handled every key of
// one SendInput, at the cost of a few calls rather than one round trip per message.
#include <windows.h>

#include <chrono>
#include <cstddef>
#include <iterator>
#include <vector>

namespace kelo {

// Keys that no keyboard has and no program binds (unassigned virtual keys). One of them
// ends every injected batch, pressed: the host's thread takes it after all the keys
// before it, and the next batch releases it first. They take turns in this order, and a
// key is pressed again only after the host was seen past its release: a key state holds
// one press, and a press from an earlier batch, still standing in a host that lags
// behind, must never be read as the last batch's.
inline constexpr WORD kMarkerKeys[] = {0xE8, 0x97, 0x98, 0x99, 0x9A, 0x9B, 0x9C, 0x9D};

// The thread that receives keyboard input sent to `window`: the one owning its focus.
DWORD InputThreadOf(HWND window);

// A press or release of a virtual key with no scan code, carrying `tag`.
INPUT VirtualKeyInput(WORD vk, bool up, ULONG_PTR tag);

class HostInputWatch {
   public:
    // Contract: `target` is the foreground window, about to receive the keys, and
    // `inputThread` is InputThreadOf(target). Shares input state with that thread until
    // the watch ends, so that this thread's GetKeyState reads the key state as that
    // thread has handled it. The first batch ends with `firstMarker`, each one after it
    // with the marker that follows in kMarkerKeys.
    HostInputWatch(HWND target, DWORD inputThread, WORD firstMarker);
    ~HostInputWatch();
    HostInputWatch(const HostInputWatch&) = delete;
    HostInputWatch& operator=(const HostInputWatch&) = delete;

    // Ends a batch: releases the marker of the batch before it, if any, and presses this
    // batch's own, tagged like the other keys. `count` events went into the batch.
    void AppendMarker(std::vector<INPUT>& inputs, ULONG_PTR tag, std::size_t count);

    // Returns once the host's thread has taken the last batch's marker, so every key
    // before it has been handled; or sooner when the host is gone or hung, or after
    // `kLongestWait` and `kPerKey` for each key event sent. Then releases the marker.
    void WaitUntilHandled();

    // After WaitUntilHandled: whether the host's thread had every key, that is it was
    // seen to take the last marker. Another program that came to the front before took
    // the rest, the marker with it (or, under Wine, some of it vanished); a host gone,
    // hung or slower than the wait had not taken them yet.
    bool HostHadTheKeys() const { return hostHadTheKeys_; }

    // The marker whose release was held back because another program had come to the
    // front (the release would have reached it); the next batch into the host sends it
    // first, with AppendRelease. 0: none.
    WORD OwedRelease() const { return owed_ ? marker_ : 0; }
    // The marker the next watch's first batch ends with: never the one just used, whose
    // release may still be on its way.
    WORD NextMarker() const { return FollowingMarker(marker_); }
    // Every marker but the one before the first batch (its release may be on its way)
    // has ended a batch: the next batch must wait for a new watch.
    bool Full() const { return batches_ + 1 >= std::size(kMarkerKeys); }
    static void AppendRelease(std::vector<INPUT>& inputs, WORD marker, ULONG_PTR tag);

    static constexpr auto kLongestWait = std::chrono::seconds(2);
    // A command's key strings are awaited together: a long one, or a host slowed by a busy
    // machine, is given time in proportion (a hung host is found sooner, by its own test).
    static constexpr auto kPerKey = std::chrono::milliseconds(5);

   private:
    static WORD FollowingMarker(WORD marker);
    bool HostInFront() const;
    void ReleaseMarker();

    HWND target_;
    WORD marker_;  // the marker of the last batch (before the first: the one it will use)
    DWORD ourThread_;
    DWORD inputThread_ = 0;
    bool attached_ = false;
    ULONG_PTR tag_ = 0;
    std::size_t inputs_ = 0;   // events sent in all batches, for the fallback
    std::size_t batches_ = 0;  // batches sent
    bool sent_ = false;       // a batch went out
    bool pressed_ = false;    // the marker went into a batch and is not released yet
    bool owed_ = false;       // ... and its release waits for the host to be in front again
    bool hostHadTheKeys_ = false;
};

}  // namespace kelo
