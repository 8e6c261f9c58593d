// calculate(pCol, calculation, pCol2, condition), the grid's member 243: an
// aggregate over the rows in use of column pCol, optionally only of the rows
// whose cell in column pCol2 meets a condition.
#pragma once

#include <string>
#include <string_view>

#include "model/grid_model.h"

namespace maltrove {

// calculation: "sum", "average", "max", "min" or "count" (exact spelling);
// anything else gives 0. pCol must be a numeric column unless the
// calculation is "count". pCol2 -1 means no condition; a button column gives
// 0; a radio or checkBox column compares the check state with the condition
// read as a number; any other column compares its output text with the
// condition byte for byte. "checked" and "unchecked" stand for "1" and "0".
// A row's value is its output text read as a number.
double CalculateMember(const CGridModel& grid, int pCol, const std::string& calculation,
                       int pCol2, const std::string& condition);

// The leading number of a text as the C library reads it in the "C" locale
// (blanks, sign, decimal or hexadecimal, exponent, inf and nan); 0 when there
// is none.
double LeadingNumber(std::string_view text);

}  // namespace maltrove
