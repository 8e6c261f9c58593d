// CGridXMLParser: reads vector data and grid style documents into the grid.
// One document may carry columns, rows or both (also the hashtable form).
#pragma once

#include <string>
#include <string_view>
#include <unordered_map>

#include "model/grid_messages.h"
#include "model/grid_model.h"
#include "shared/xml_parser.h"

namespace maltrove {

namespace platform {
class ProgressDialog;
class UserInterface;
}  // namespace platform

class CGridXMLParser : public XML_PARSER {
 public:
  // `ui` shows the message for a refused cell value; `progress`, when given,
  // follows the rows; `pumpMessages` when the load runs on the dialog's own
  // thread.
  CGridXMLParser(CGridModel* grid, int parserVersion, platform::UserInterface* ui,
                 platform::ProgressDialog* progress, bool pumpMessages);

  // Loads from text: rows are placed after the rows the grid has now.
  bool LoadText(const std::string& text);
  // Loads a file after rewriting it in place in the grid's encoding.
  bool LoadFile(const std::string& path);

  int rowsRead() const { return rowsRead_; }

  bool Parse_Node() override;

 private:
  void ReadVector();
  void StartRowHolder();
  void ReadRecord();
  bool ReadCell();
  int ColumnOfTag(const std::string& tag);

  CGridModel* grid_;
  platform::UserInterface* ui_;
  platform::ProgressDialog* progress_;
  bool pumpMessages_;
  int expectedRows_ = 0;
  int currentRow_ = -1;
  bool rowCreated_ = false;
  int rowOffset_ = 0;
  int rowsRead_ = 0;
  int currentColumn_ = -1;
  // Tags that depend on the row element name, rebuilt when it changes.
  std::string elementName_;
  std::string recordTag_;
  std::string recordPath_;
  // Cell tag -> first column of that field name, rebuilt when columns change.
  std::unordered_map<std::string, int> columnsByTag_;
  int indexedColumns_ = -1;
};


}  // namespace maltrove
