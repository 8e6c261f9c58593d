// The grid's encoding settings and the XML declaration its loads prepare.
#pragma once

#include <string>
#include <string_view>

#include "model/grid_model.h"

namespace maltrove {

// Stores the encoding name and the code page it is found under (0 when the
// table does not know it).
void SetCharacterSet(CGridModel* grid, const std::string& name);

// The encoding a load declares: the characterSet name, or "utf-8".
std::string DeclaredEncoding(const CGridModel& grid);

// Gives text a declaration naming an encoding: a declaration is put in front
// when there is none, an encoding is added to one without it, and a
// declaration that names an encoding is left as it is.
std::string PrepareDeclaration(std::string_view text, const std::string& encoding);

// Reads a leading decimal integer as "%d" does; false when there is none.
bool ReadDecimal(std::string_view text, int* value);

}  // namespace maltrove
