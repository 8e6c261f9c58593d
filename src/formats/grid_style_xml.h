// The gridStyle format: the grid's settings and its columns as XML.
#pragma once

#include <string>

#include "model/grid_model.h"

namespace maltrove {

class XML_PARSER;

// <gridStyle ...> with its columns, without a declaration; CR LF line ends.
std::string GridStyleXml(const CGridModel& grid);

// The readers, called on the current node of a parser.
void ReadGridStyleElement(XML_PARSER& node, CGridModel* grid);
// Creates the column; returns its index, or -1 when the model refused it.
int ReadColumnElement(XML_PARSER& node, CGridModel* grid);
void ReadSelectItem(XML_PARSER& node, CGridModel* grid, int column);

}  // namespace maltrove
