#include "toolbar/Toggles.h"

#include "text/Texts.h"

namespace kelo {

namespace {

// What one toggle types and shows on each side. Each tooltip names the
// action of the next click.
struct ToggleRow {
    std::string_view button;
    std::string_view onLine;
    std::string_view offLine;
    std::string_view tipWhenOn;
    std::string_view tipWhenOff;
};

constexpr std::array<ToggleRow, 2> kToggleRows{{
    {"DOT_GRID", "DOT_GRID ON", "DOT_GRID OFF", texts::kDotGridSwitchOffTip, texts::kDotGridSwitchOnTip},
    {"SPOTLIGHT", "SPOTLIGHT ON", "SPOTLIGHT OFF", texts::kSpotlightSwitchOffTip, texts::kSpotlightSwitchOnTip},
}};

}  // namespace

void Toggles::Menu_DOT_GRID_Click() { Click(kDotGrid); }

void Toggles::Menu_SPOTLIGHT_Click() { Click(kSpotlight); }

void Toggles::Click(std::size_t toggle) {
    const ToggleRow& row = kToggleRows[toggle];
    RunHostCommand(channel_, [&] {
        channel_.BeginHostCommand();
        const bool switchOn = !on_[toggle];
        channel_.Type(switchOn ? row.onLine : row.offLine);
        // Only a line that reached the host changes what the button claims.
        on_[toggle] = switchOn;
        view_.SetButtonLook(row.button, switchOn ? ButtonBack::LightCyan : ButtonBack::ButtonFace,
                            switchOn ? row.tipWhenOn : row.tipWhenOff);
        channel_.SendEnter();
    });
}

}  // namespace kelo
