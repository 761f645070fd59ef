#pragma once
// How the dialogs (and the settings) read numbers from text and write them back.
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

namespace kelo {

class NumberError : public std::runtime_error {
   public:
    using std::runtime_error::runtime_error;
};

// Strict: the whole text (blanks around allowed) must be a decimal number,
// optional sign, digits, optional "." and fraction, optional exponent "E"/"e"
// with optional sign. Throws NumberError otherwise, and beyond the double range.
double ParseNumber(std::string_view text);

// The same reading as an answer: nullopt where ParseNumber throws.
std::optional<double> ReadNumber(std::string_view text);

// Coordinates beyond this are not believed: typing them is a slip, and pixel arithmetic
// stays far from overflow.
inline constexpr double kLargestCoordinate = 1e9;

// A coordinate read strictly: nullopt where the text is not a number or lies beyond
// kLargestCoordinate.
std::optional<double> ReadCoordinate(std::string_view text);

// Lenient: blanks, tabs and line feeds ignored anywhere; the longest leading
// number (or "&H" / "&O" integer); 0 when there is none. Never throws.
double ParseLeadingNumber(std::string_view text);

// Plain decimal text with up to 15 significant digits ("-0.5", "12.75", "25").
std::string NumberText(double value);

// The same with up to 7 significant digits, for a single-precision value.
std::string SingleText(float value);

// Rounds to single precision; throws NumberError when out of its range.
float ToSingle(double value);

}  // namespace kelo
