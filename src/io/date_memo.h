// The last date a column wrote and its text: dates repeat down a column (a
// day's entries), and their text costs a calendar conversion.
#pragma once

#include <string>

#include "model/ole_date.h"

namespace maltrove {

struct DateMemo {
  bool valid = false;
  double serial = 0;
  std::string text;

  // The storage text of the date `value`, as AppendDateStorageText writes it.
  const std::string& TextOf(double value) {
    if (!valid || value != serial) {
      text.clear();
      AppendDateStorageText(value, &text);
      serial = value;
      valid = true;
    }
    return text;
  }
};

}  // namespace maltrove
