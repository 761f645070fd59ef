#pragma once
#include <string>

namespace kelo {

// Rounds `value` in place to 4 decimals (ties to even) and returns its
// coordinate text: plain decimal, "." separator, a leading zero below 1, "0"
// for anything that rounds to zero.
std::string FormatCoord(double& value);

}  // namespace kelo
