// The pictures and border colour a page gives the skinned scroll bars.
#pragma once

#include <map>
#include <string>

namespace maltrove {

struct ScrollBarSkin {
  // Part name ("BackgroundImage", "ThumbImage", "LeftButtonImage", ...) ->
  // resolved reference of its image.
  std::map<std::string, std::string> images;
  std::string borderColor;
};

}  // namespace maltrove
