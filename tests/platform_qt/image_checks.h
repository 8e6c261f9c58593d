// Helpers for looking at what a QtSurface drew on an image.
#pragma once

#include <QImage>
#include <QPainter>
#include <functional>

#include "platform/qt/qt_bitmap.h"
#include "platform/qt/qt_colour.h"
#include "platform/qt/qt_surface.h"

namespace maltrove::platform {

constexpr Colour kWhite = Rgb(255, 255, 255);
constexpr Colour kBlack = Rgb(0, 0, 0);

// A white image of `width` x `height` logical pixels at `ratio`, painted by
// `draw` through a QtSurface.
inline QImage Paint(int width, int height, qreal ratio,
                    const std::function<void(QtSurface&)>& draw) {
  QImage image(qRound(width * ratio), qRound(height * ratio), QImage::Format_RGB32);
  image.setDevicePixelRatio(ratio);
  image.fill(Qt::white);
  QPainter painter(&image);
  QtSurface surface(painter);
  draw(surface);
  painter.end();
  return image;
}

// The colour of the device pixel (x, y).
inline Colour At(const QImage& image, int x, int y) { return FromQColor(image.pixelColor(x, y)); }

// The bounding box of the pixels that are not white; null when none.
inline QRect Ink(const QImage& image) {
  QRect box;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      if (image.pixel(x, y) != qRgb(255, 255, 255)) box = box.united(QRect(x, y, 1, 1));
    }
  }
  return box;
}

}  // namespace maltrove::platform
