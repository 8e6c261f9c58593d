#include "formats/colour_text.h"

#include <cstdio>

namespace maltrove {

std::string ColourToText(Colour colour) {
  char text[8];
  std::snprintf(text, sizeof(text), "#%02X%02X%02X", static_cast<unsigned>(colour & 0xFF),
                static_cast<unsigned>(colour >> 8 & 0xFF), static_cast<unsigned>(colour >> 16 & 0xFF));
  return text;
}

Colour TextToColour(std::string_view text) {
  if (text.size() != 7 || text[0] != '#') return 0;
  // sscanf keeps the reading rules of the pattern exactly (blanks skipped, a
  // sign accepted, a failed pair ending the read).
  char digits[7];
  text.substr(1).copy(digits, 6);
  digits[6] = '\0';
  unsigned red = 0;
  unsigned green = 0;
  unsigned blue = 0;
  std::sscanf(digits, "%02X%02X%02X", &red, &green, &blue);
  return Rgb(static_cast<uint8_t>(red), static_cast<uint8_t>(green), static_cast<uint8_t>(blue));
}

}  // namespace maltrove
