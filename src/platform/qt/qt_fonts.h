// Fonts of the grid's styles as Qt fonts. The Korean default faces map to
// the Nanum fonts, so Korean text never shows as boxes.
#pragma once

#include <QFont>

#include "platform/draw_surface.h"

namespace maltrove::platform {

// Points to pixels as MulDiv(points, dpi, 72) rounds: half up.
int PointsToPixels(int points, int dpi);

// The logical vertical dots per inch of the primary screen (96 without one).
int ScreenDpi();

// The font for `wanted` at `dpi`; FontFor caches them by description at ScreenDpi().
QFont MakeFont(const FontDescription& wanted, int dpi);
const QFont& FontFor(const FontDescription& wanted);

// The face list's first non-empty, trimmed face.
QString FirstFace(const std::string& faces);

// Maps the Korean system faces to the Nanum fonts; once per process.
void InstallFontSubstitutions();

// The description of `font` (the tips' font).
FontDescription DescriptionOf(const QFont& font, int dpi);

}  // namespace maltrove::platform
