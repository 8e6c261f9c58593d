#include "model/grid_style.h"

namespace maltrove {

GridStyle::GridStyle() {
  cellDefault.align = kAlignLeft;
  cellDefault.backgroundColor = Rgb(0xFF, 0xFF, 0xFF);
}

}  // namespace maltrove
