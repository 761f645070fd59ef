#pragma once
// The program's version and the names its files show in their properties, in one place
// for the C++ sources (the toolbar's caption) and the resource scripts (VERSIONINFO),
// so it is plain preprocessor text.
#define KELO_VERSION_MAJOR 1
#define KELO_VERSION_MINOR 32
#define KELO_VERSION_TEXT "1.32"
#define KELO_PRODUCT_NAME "Kelo Menu"
#define KELO_COPYRIGHT "Copyright (C) 2026 Kelo Menu developers"

#ifndef RC_INVOKED
#include <cstddef>
#include <string_view>

namespace kelo {

// "1.32" for 1 and 32: the text the resource script shows must say the numbers it stores.
constexpr bool VersionTextIs(std::string_view text, int major, int minor) {
    char digits[24] = {};
    int n = 0;
    for (int part : {major, minor}) {
        if (n > 0) digits[n++] = '.';
        char reversed[10] = {};
        int count = 0;
        do {
            reversed[count++] = static_cast<char>('0' + part % 10);
            part /= 10;
        } while (part > 0);
        while (count > 0) digits[n++] = reversed[--count];
    }
    return text == std::string_view(digits, static_cast<std::size_t>(n));
}
static_assert(VersionTextIs(KELO_VERSION_TEXT, KELO_VERSION_MAJOR, KELO_VERSION_MINOR));

}  // namespace kelo
#endif
