#include "profiles/ProfileState.h"

#include "text/NumberRules.h"

namespace kelo {

std::string TextOrNumber::AsText() const {
    if (const auto* text = std::get_if<std::string>(&value_)) return *text;
    return NumberText(std::get<double>(value_));
}

double TextOrNumber::AsNumber() const {
    if (const auto* number = std::get_if<double>(&value_)) return *number;
    return ParseNumber(std::get<std::string>(value_));
}

void InitProfileState(ProfileState& state) {
    state.Pi = kProfilePi;
    state.StartX = 0.0;
    state.StartZ = 0.0;
}

}  // namespace kelo
