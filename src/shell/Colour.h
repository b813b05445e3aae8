// A colour as the options file keeps it: red + 256 * green + 65536 * blue.
#pragma once

#include <cstdint>

namespace kinetra {

using Colour = std::uint32_t;

struct ColourParts {
    int red, green, blue;
};

inline ColourParts colourParts(Colour c) {
    return {static_cast<int>(c & 0xFF), static_cast<int>((c >> 8) & 0xFF),
            static_cast<int>((c >> 16) & 0xFF)};
}

inline Colour makeColour(int red, int green, int blue) {
    return static_cast<Colour>((red & 0xFF) | ((green & 0xFF) << 8) | ((blue & 0xFF) << 16));
}

inline constexpr Colour kDefaultBackground = 0x8F8F8F; // red, green and blue 143

} // namespace kinetra
