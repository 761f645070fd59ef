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
// before it. They stay down until the keys are awaited, so that every batch is seen to
// have reached the host, not only the last one (a program that takes the foreground for
// a moment takes a batch's marker with the rest of it). They take turns in this order,
// and a key is pressed again only after the host was seen past its release: a key state
// holds one press, and an old one, still standing in a host that lags behind, must never
// be read as a new one.
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
    // with the marker that follows in kMarkerKeys; the `reserved` markers before
    // `firstMarker` were released by the watch before and are not used.
    HostInputWatch(HWND target, DWORD inputThread, WORD firstMarker, std::size_t reserved);
    ~HostInputWatch();
    HostInputWatch(const HostInputWatch&) = delete;
    HostInputWatch& operator=(const HostInputWatch&) = delete;

    // Ends a batch with its own marker's press, tagged like the other keys. `count`
    // events went into the batch.
    void AppendMarker(std::vector<INPUT>& inputs, ULONG_PTR tag, std::size_t count);
    // No marker is left for another batch: the keys so far must be awaited first.
    bool Full() const { return used_ + reserved_ >= std::size(kMarkerKeys); }

    // Returns once the host's thread has taken the last batch's marker, so every key
    // before it has been handled; or sooner when the host is gone or hung, or after
    // `kLongestWait` and `kPerKey` for each key event sent. Then releases the markers.
    void WaitUntilHandled();

    // After WaitUntilHandled: whether the host's thread had every key, that is it was
    // seen to take every batch's marker. Another program that came to the front took the
    // rest of a batch, its marker with it (or, under Wine, some of it vanished); a host
    // gone, hung or slower than the wait had not taken them yet.
    bool HostHadTheKeys() const { return hostHadTheKeys_; }

    // Markers whose release was held back because another program had come to the front
    // (the release would have reached it); the next batch into the host sends them first,
    // with AppendRelease.
    const std::vector<WORD>& OwedReleases() const { return owed_; }
    // The marker the next watch's first batch ends with, and how many before it are
    // still reserved: the ones this watch pressed, whose releases may be on their way.
    WORD NextMarker() const { return next_; }
    std::size_t MarkersUsed() const { return used_ ? used_ : reserved_; }
    static void AppendRelease(std::vector<INPUT>& inputs, WORD marker, ULONG_PTR tag);

    static constexpr auto kLongestWait = std::chrono::seconds(2);
    // A long key string, or a host slowed by a busy machine, is given time in proportion
    // (a hung host is found sooner, by its own test).
    static constexpr auto kPerKey = std::chrono::milliseconds(5);

   private:
    static WORD FollowingMarker(WORD marker);
    bool HostInFront() const;
    void ReleaseMarkers();

    HWND target_;
    WORD next_;  // the marker the next batch ends with
    std::size_t reserved_;
    DWORD ourThread_;
    DWORD inputThread_ = 0;
    bool attached_ = false;
    ULONG_PTR tag_ = 0;
    std::size_t inputs_ = 0;     // events sent in all batches, for the fallback
    bool sent_ = false;          // a batch went out
    std::size_t used_ = 0;       // markers pressed in all batches
    std::vector<WORD> pressed_;  // markers pressed and not released yet, in batch order
    std::vector<WORD> owed_;     // markers whose release waits for the host to be in front again
    bool hostHadTheKeys_ = false;
};

}  // namespace kelo
