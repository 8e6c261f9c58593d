// The members that exchange the grid as grid style and vector XML text.
#include "control/korvale_grid_ctrl.h"
#include "formats/grid_style_xml.h"
#include "formats/grid_xml_parser.h"
#include "formats/vector_writer.h"
#include "platform/progress_operation.h"

namespace maltrove {

namespace {

constexpr char kReadingMessage[] = "데이터를 읽어오고 있습니다.";
constexpr char kInsertingMessage[] = "데이터를 입력 중입니다.";
constexpr char kEndOutOfRange[] = "마지막 지점이 범위를 초과 하였습니다.";
constexpr char kStartWrong[] = "시작 지점이 잘못 지정 되었습니다.";

CellForm FormOf(int32_t form) { return form != 0 ? CellForm::kOutput : CellForm::kDisplay; }

}  // namespace

std::string CKorvaleGridCtrl::getGridStyleXML() {
  return TextDeclaration(grid_.model()) + GridStyleXml(grid_.model());
}

int32_t CKorvaleGridCtrl::setGridStyleXML(const std::string& xml) {
  CGridModel& model = grid_.model();
  model.removeAllRows();
  model.removeAllColumns();
  grid_.ResetState();
  return WithoutPainting([&] {
    CGridXMLParser parser(&model, parserVersion_, services_.ui, nullptr, false);
    return parser.LoadText(xml);
  }) ? 1 : 0;
}

int32_t CKorvaleGridCtrl::insertRowXML(const std::string& xml) {
  CGridModel& model = grid_.model();
  return WithoutPainting([&] {
    return platform::RunModalOperation(
        services_.ui, kInsertingMessage, [&](platform::ProgressDialog& dialog) {
          dialog.SetRange(100);
          CGridXMLParser parser(&model, parserVersion_, services_.ui, &dialog, false);
          return parser.LoadText(xml);
        });
  }) ? 1 : 0;
}

std::string CKorvaleGridCtrl::WriteUnderProgress(const std::vector<int>& rows,
                                                 bool sequentialKeys, int result,
                                                 bool outputForm) {
  const CGridModel& model = grid_.model();
  std::string text;
  platform::RunModalOperation(services_.ui, kReadingMessage, [&](platform::ProgressDialog& d) {
    d.SetRange(static_cast<int>(rows.size()));
    VectorRows selection{rows, sequentialKeys, result};
    text = VectorDocument(model, selection, outputForm ? CellForm::kOutput : CellForm::kDisplay,
                          [&d] { d.Step(); });
    return true;
  });
  return text;
}

std::string CKorvaleGridCtrl::getAllXML() {
  const CGridModel& model = grid_.model();
  return WriteUnderProgress(RowRange(model, 0, model.getRowCount() - 1), false,
                            model.getRowCount(), true);
}

std::string CKorvaleGridCtrl::getVectorXML(int32_t first, int32_t last) {
  const long long count = static_cast<long long>(last) - first + 1;
  return WriteUnderProgress(RowRange(grid_.model(), first, last), false,
                            static_cast<int>(count), true);
}

std::string CKorvaleGridCtrl::getCheckedXML(int32_t col) { return getCheckedData(col, 1); }

std::string CKorvaleGridCtrl::getUncheckedXML(int32_t col) { return getUnCheckedData(col, 1); }

std::string CKorvaleGridCtrl::getCheckedData(int32_t col, int32_t form) {
  std::vector<int> rows = RowsByCheck(grid_.model(), col, true);
  const int count = static_cast<int>(rows.size());
  return WriteUnderProgress(rows, true, count, FormOf(form) == CellForm::kOutput);
}

std::string CKorvaleGridCtrl::getUnCheckedData(int32_t col, int32_t form) {
  std::vector<int> rows = RowsByCheck(grid_.model(), col, false);
  const int count = static_cast<int>(rows.size());
  return WriteUnderProgress(rows, true, count, FormOf(form) == CellForm::kOutput);
}

std::string CKorvaleGridCtrl::getEditedXML() {
  std::vector<int> rows = EditedRows(grid_.model());
  const int count = static_cast<int>(rows.size());
  return VectorDocument(grid_.model(), {std::move(rows), true, count}, CellForm::kOutput);
}

std::string CKorvaleGridCtrl::getInsertedXML() {
  std::vector<int> rows = InsertedRows(grid_.model());
  const int count = static_cast<int>(rows.size());
  return VectorDocument(grid_.model(), {std::move(rows), true, count}, CellForm::kOutput);
}

std::string CKorvaleGridCtrl::getAllData(int32_t form) {
  const CGridModel& model = grid_.model();
  std::vector<int> rows;
  if (form == 1 || form == 2) rows = RowRange(model, 0, model.getRowCount() - 1);
  return VectorDocument(model, {std::move(rows), false, model.getRowCount()},
                        form == 2 ? CellForm::kDisplay : CellForm::kOutput);
}

std::string CKorvaleGridCtrl::getData(int32_t start, int32_t end, int32_t form) {
  const CGridModel& model = grid_.model();
  if (end > model.getRowCount()) return kEndOutOfRange;
  if (start < 1) return kStartWrong;
  std::vector<int> rows;
  if (form == 1 || form == 2) rows = RowRange(model, start - 1, end - 1);
  return VectorDocument(model, {std::move(rows), false, model.getRowCount()},
                        form == 2 ? CellForm::kDisplay : CellForm::kOutput);
}

std::string CKorvaleGridCtrl::getRowXML(int32_t row) { return SingleRowXml(grid_.model(), row); }

}  // namespace maltrove
