#include "platform/qt/qt_bitmap.h"

namespace maltrove::platform {

QtBitmap::QtBitmap(QImage image, std::string source)
    : image_(std::move(image)), source_(std::move(source)) {}

Size QtBitmap::size() const { return {image_.width(), image_.height()}; }

std::shared_ptr<Bitmap> LoadQtBitmap(const std::string& path) {
  QImage image(QString::fromStdString(path));
  if (image.isNull()) return nullptr;
  return std::make_shared<QtBitmap>(std::move(image), path);
}

}  // namespace maltrove::platform
