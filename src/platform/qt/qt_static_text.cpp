#include "platform/qt/qt_static_text.h"

namespace maltrove::platform {

const QStaticText& StaticTextCache::Get(const std::string& text, const QFont& font) {
  std::string key = font.key().toStdString();
  key += '\x1f';
  key += text;
  auto found = lines_.find(key);
  if (found != lines_.end()) return found->second;
  // A full cache starts over: cheaper than tracking use, and a frame's
  // texts are far fewer than the capacity.
  if (lines_.size() >= kCapacity) lines_.clear();
  QStaticText line(QString::fromStdString(text));
  line.setTextFormat(Qt::PlainText);
  line.setPerformanceHint(QStaticText::AggressiveCaching);
  line.prepare(QTransform(), font);
  return lines_.emplace(std::move(key), std::move(line)).first->second;
}

StaticTextCache& SharedStaticTextCache() {
  static StaticTextCache cache;
  return cache;
}

}  // namespace maltrove::platform
