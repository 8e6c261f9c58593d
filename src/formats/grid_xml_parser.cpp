#include "formats/grid_xml_parser.h"

#include <cstdio>

#include "formats/grid_style_xml.h"
#include "formats/xml_file_rewrite.h"
#include "formats/xml_settings.h"
#include "platform/progress_dialog.h"
#include "platform/user_interface.h"

namespace maltrove {

CGridXMLParser::CGridXMLParser(CGridModel* grid, int parserVersion, platform::UserInterface* ui,
                               platform::ProgressDialog* progress, bool pumpMessages)
    : XML_PARSER(parserVersion),
      grid_(grid),
      ui_(ui),
      progress_(progress),
      pumpMessages_(pumpMessages) {}

bool CGridXMLParser::LoadText(const std::string& text) {
  rowOffset_ = grid_->getRowCount();
  return Load_XML_String(PrepareDeclaration(text, DeclaredEncoding(*grid_)));
}

bool CGridXMLParser::LoadFile(const std::string& path) {
  rowOffset_ = 0;
  if (!RewriteXmlFile(path, DeclaredEncoding(*grid_), grid_->outputCodePage)) return false;
  return Load_XML_Document(path);
}

bool CGridXMLParser::Parse_Node() {
  if (Is_Tag("<gridStyle>")) ReadGridStyleElement(*this, grid_);
  if (Is_Tag("<vector>")) ReadVector();
  if (Is_Tag("<column>") && Is_Child_Of("<gridStyle>")) {
    currentColumn_ = ReadColumnElement(*this, grid_);
  }
  if (Is_Tag("<data>") && Is_Child_Of("<column>") && currentColumn_ != -1) {
    ReadSelectItem(*this, grid_, currentColumn_);
  }
  if (Is_Tag("<data>") && Is_Child_Of("<vector>")) StartRowHolder();
  // The row element name can change while reading (a gridStyle "id").
  if (elementName_ != grid_->rowElementName || recordTag_.empty()) {
    elementName_ = grid_->rowElementName;
    recordTag_ = "<" + elementName_ + ">";
    recordPath_ = "<vector><data>" + recordTag_;
  }
  if (currentRow_ != -1 && currentTag() == recordTag_ && Is_Child_Of("<vector><data>")) {
    ReadRecord();
  }
  if (currentRow_ != -1 && rowCreated_ && Is_Child_Of(recordPath_) && !ReadCell()) {
    return false;
  }
  if (progress_ != nullptr && pumpMessages_) progress_->PumpMessages();
  return true;
}

void CGridXMLParser::ReadVector() {
  if (!Find_Attribute("result")) return;
  ReadDecimal(Get_Attribute_Value(), &expectedRows_);
  if (progress_ != nullptr) progress_->SetRange(expectedRows_);
}

void CGridXMLParser::StartRowHolder() {
  rowCreated_ = false;
  currentRow_ = -1;
  if (Find_Attribute("vectorkey")) {
    int key = -1;
    if (ReadDecimal(Get_Attribute_Value(), &key)) currentRow_ = key;
  }
  if (expectedRows_ != 0 && progress_ != nullptr) progress_->Step();
}

void CGridXMLParser::ReadRecord() {
  // An offset position past the end appends; a negative one does too.
  const long long position = static_cast<long long>(rowOffset_) + currentRow_;
  const int at = position < 0 || position > grid_->getRowCount() ? -1 : static_cast<int>(position);
  currentRow_ = grid_->insertRow(at);
  if (currentRow_ == -1) return;
  ++rowsRead_;
  rowCreated_ = true;
  if (Find_Attribute("readOnly")) {
    const std::string value = Get_Attribute_Value();
    if (value == "true") grid_->setRowReadOnly(currentRow_, 1);
    if (value == "false") grid_->setRowReadOnly(currentRow_, 0);
  }
}

int CGridXMLParser::ColumnOfTag(const std::string& tag) {
  if (indexedColumns_ != grid_->getColumnCount()) {
    indexedColumns_ = grid_->getColumnCount();
    columnsByTag_.clear();
    for (int c = 0; c < indexedColumns_; ++c) {
      columnsByTag_.emplace("<" + grid_->column(c)->fieldName + ">", c);  // first one wins
    }
  }
  auto it = columnsByTag_.find(tag);
  return it == columnsByTag_.end() ? -1 : it->second;
}

bool CGridXMLParser::ReadCell() {
  const int col = ColumnOfTag(currentTag());
  if (col < 0) return true;
  const std::string value = Find_Attribute("value") ? Get_Attribute_Value() : std::string();
  if (Find_Attribute("checked") && Get_Attribute_Value() == "true") {
    grid_->setCellChecked(currentRow_, col, 1);
  }
  if (grid_->setCellStringData(currentRow_, col, value) != 0) return true;
  if (ui_ != nullptr) {
    const std::string& field = grid_->column(col)->fieldName;
    std::string message(sizeof kCellFormatMessage + field.size() + 16, '\0');
    const int n = std::snprintf(message.data(), message.size(), kCellFormatMessage, currentRow_,
                                field.c_str());
    message.resize(n > 0 ? static_cast<size_t>(n) : 0);
    ui_->ShowMessage(kGridCaption, message, platform::MessageBoxButtons::kOk);
  }
  return false;
}

}  // namespace maltrove
