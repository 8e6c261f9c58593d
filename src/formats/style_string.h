// The CSS-like style strings ("name:value;...") of the five style kinds.
// Parsing applies every recognised property and ignores the rest; writing
// emits the kind's properties in a fixed order, either all of them or only
// those that differ from the kind's defaults.
#pragma once

#include <string>
#include <string_view>

#include "model/grid_column.h"
#include "model/grid_style.h"

namespace maltrove {

// The grid kinds compare against the reset values of the grid style.
void ParseDefaultHeaderStyle(std::string_view style, GridStyle* grid);
std::string WriteDefaultHeaderStyle(const GridStyle& grid, bool differencesOnly);

void ParseDefaultDataStyle(std::string_view style, GridStyle* grid);
std::string WriteDefaultDataStyle(const GridStyle& grid, bool differencesOnly);

void ParseRowHeaderStyle(std::string_view style, GridStyle* grid);
std::string WriteRowHeaderStyle(const GridStyle& grid, bool differencesOnly);

// The column kinds compare against the grid's current default header and
// default data styles.
void ParseColumnHeaderStyle(std::string_view style, CGridColumn* column);
std::string WriteColumnHeaderStyle(const CGridColumn& column, const GridStyle& grid,
                                   bool differencesOnly);

void ParseColumnDataStyle(std::string_view style, CGridColumn* column);
std::string WriteColumnDataStyle(const CGridColumn& column, const GridStyle& grid,
                                 bool differencesOnly);

}  // namespace maltrove
