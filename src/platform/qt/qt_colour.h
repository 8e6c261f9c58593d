// Colours of the model (red in the low byte) as Qt colours and back.
#pragma once

#include <QColor>

#include "model/colour.h"

namespace maltrove::platform {

inline QColor ToQColor(Colour colour) {
  return QColor(colour & 0xFF, (colour >> 8) & 0xFF, (colour >> 16) & 0xFF);
}

inline Colour FromQColor(const QColor& colour) {
  return Rgb(static_cast<uint8_t>(colour.red()), static_cast<uint8_t>(colour.green()),
             static_cast<uint8_t>(colour.blue()));
}

}  // namespace maltrove::platform
