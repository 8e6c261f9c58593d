// The "#RRGGBB" text form of colours.
#pragma once

#include <string>
#include <string_view>

#include "model/colour.h"

namespace maltrove {

// Upper-case "#RRGGBB"; kNoColour comes out as "#FFFFFF".
std::string ColourToText(Colour colour);

// Reads "#RRGGBB" (hex digits of either case). Any other length or a missing
// "#" gives black; a pair that does not read leaves it and the later
// components 0.
Colour TextToColour(std::string_view text);

}  // namespace maltrove
