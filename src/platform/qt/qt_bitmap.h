// QtBitmap: a picture file held as a QImage (any format Qt reads: BMP,
// PNG, JPEG...).
#pragma once

#include <QImage>
#include <memory>

#include "platform/draw_surface.h"

namespace maltrove::platform {

class QtBitmap : public Bitmap {
 public:
  QtBitmap(QImage image, std::string source);

  Size size() const override;
  const std::string& source() const override { return source_; }
  const QImage& image() const { return image_; }

 private:
  QImage image_;
  std::string source_;
};

// nullptr when the file cannot be read as a picture.
std::shared_ptr<Bitmap> LoadQtBitmap(const std::string& path);

}  // namespace maltrove::platform
