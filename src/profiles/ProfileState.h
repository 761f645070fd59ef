#pragma once
// The start point and working values that the profile dialogs share for the
// whole run, so that successive dialogs draw one connected contour.
#include <string>
#include <string_view>
#include <utility>
#include <variant>

namespace kelo {

// A field that keeps either a box's text exactly as typed or a number,
// whichever was stored last.
class TextOrNumber {
   public:
    TextOrNumber() = default;
    TextOrNumber(double number) : value_(number) {}
    TextOrNumber(std::string text) : value_(std::move(text)) {}
    TextOrNumber(std::string_view text) : value_(std::string(text)) {}
    TextOrNumber(const char* text) : value_(std::string(text)) {}

    bool HoldsText() const { return std::holds_alternative<std::string>(value_); }
    // The stored text, or NumberText of the stored number.
    std::string AsText() const;
    // The stored number, or ParseNumber of the stored text (throws NumberError).
    double AsNumber() const;

    bool operator==(const TextOrNumber&) const = default;

   private:
    std::variant<double, std::string> value_ = 0.0;
};

// Thirteen significant digits on purpose: every degree/radian conversion of
// the dialogs uses this value, and the typed coordinates depend on it.
inline constexpr double kProfilePi = 3.141592653589;

struct ProfileState {
    TextOrNumber StartX;  // diameter of the next segment's start point
    TextOrNumber StartZ;
    TextOrNumber EndX;
    double EndZ = 0;
    double Pi = kProfilePi;

    // Arc dialogs.
    TextOrNumber CenterX;
    TextOrNumber CenterZ;
    TextOrNumber Radius;
    // Arc solver's working values: always computed, never typed by the user.
    double CosRatio = 0;
    double OffsetR = 0;
    double OffsetZ = 0;
    double Chord = 0;
    double ChordAngle = 0;
    double BaseAngle = 0;
};

// What the toolbar does when it loads: Pi set, the contour starting at (0, 0).
void InitProfileState(ProfileState& state);

}  // namespace kelo
