#pragma once
// Capital letters as Windows makes them when it capitalises a text: every small letter
// with a one-character capital (accented Latin, Greek, Cyrillic, full-width...).

namespace kelo {

// The capital of `c`, or `c` itself where it has none of one character.
char32_t UpperCase(char32_t c);

}  // namespace kelo
