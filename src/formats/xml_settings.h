// The grid's encoding settings and the XML declaration its loads prepare.
#pragma once

#include <string>
#include <string_view>

#include "model/grid_model.h"
#include "shared/xml_declaration.h"

namespace maltrove {

// Stores the encoding name and the code page it is found under (0 when the
// table does not know it).
void SetCharacterSet(CGridModel* grid, const std::string& name);

// The encoding a load declares: the characterSet name, or "utf-8".
std::string DeclaredEncoding(const CGridModel& grid);

// Reads a leading decimal integer as "%d" does; false when there is none.
bool ReadDecimal(std::string_view text, int* value);

}  // namespace maltrove
