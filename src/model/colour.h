#pragma once

#include <cstdint>

namespace maltrove {

// A platform colour value: red, green and blue in the low three bytes, red
// lowest (the COLORREF layout). kNoColour marks "not set".
using Colour = uint32_t;
constexpr Colour kNoColour = 0xFFFFFFFF;

constexpr Colour Rgb(uint8_t red, uint8_t green, uint8_t blue) {
  return static_cast<Colour>(red) | static_cast<Colour>(green) << 8 |
         static_cast<Colour>(blue) << 16;
}

}  // namespace maltrove
