// Shaped single lines kept between paints. Shaping dominates painting a
// grid's text; scrolling shows mostly the texts of the last frame, so the
// lines are shaped once and drawn from the cache afterwards.
#pragma once

#include <QFont>
#include <QStaticText>
#include <QString>
#include <string>
#include <unordered_map>

namespace maltrove::platform {

class StaticTextCache {
 public:
  static constexpr size_t kCapacity = 8192;

  // The prepared line for `text` (one line, plain text) in `font`.
  const QStaticText& Get(const std::string& text, const QFont& font);

 private:
  std::unordered_map<std::string, QStaticText> lines_;
};

// One cache for the GUI thread's painting.
StaticTextCache& SharedStaticTextCache();

}  // namespace maltrove::platform
