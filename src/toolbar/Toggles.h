#pragma once
// The two display toggles, DOT_GRID and SPOTLIGHT: the state each believes
// the host to be in, and how its button shows it.
#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "channel/HostChannel.h"

namespace kelo {

enum class ButtonBack : std::uint8_t {
    AsLaidOut,  // before the first click
    LightCyan,  // switched on: kLightCyan
    ButtonFace,  // switched off: the system's button-face colour
};

struct RgbColor {
    std::uint8_t red, green, blue;
};
inline constexpr RgbColor kLightCyan{192, 255, 255};

// Where the toggles show their state: the toolbar window's buttons.
class ButtonLookView {
   public:
    virtual ~ButtonLookView() = default;
    virtual void SetButtonLook(std::string_view button, ButtonBack back, std::string_view tip) = 0;
};

class Toggles {
   public:
    // Contract: both outlive this object. Both toggles start off, whatever the host shows.
    Toggles(HostChannel& channel, ButtonLookView& view) : channel_(channel), view_(view) {}

    // Each types its ON or OFF line in the command frame, with the one
    // message when the host is not running (the state then stays as it was).
    void Menu_DOT_GRID_Click();
    void Menu_SPOTLIGHT_Click();

    bool DotGridOn() const { return on_[kDotGrid]; }
    bool SpotlightOn() const { return on_[kSpotlight]; }

   private:
    static constexpr std::size_t kDotGrid = 0;
    static constexpr std::size_t kSpotlight = 1;
    void Click(std::size_t toggle);

    HostChannel& channel_;
    ButtonLookView& view_;
    std::array<bool, 2> on_{};  // DotGridOn, SpotlightOn
};

}  // namespace kelo
