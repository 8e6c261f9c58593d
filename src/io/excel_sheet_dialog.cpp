#include "io/excel_sheet_dialog.h"

#include <algorithm>
#include <cstdlib>
#include <optional>
#include <set>

#include "io/dsv_format.h"
#include "model/text_util.h"
#include "model/grid_messages.h"
#include "platform/dialog_answer.h"
#include "platform/progress_operation.h"
#include "platform/user_interface.h"

namespace maltrove {

namespace {

constexpr char kPreviewMessage[] = "엑셀 미리보기 데이터를 구성하는 중입니다.";
constexpr char kPreparingMessage[] = "엑셀 파일을 불러오기 위해 준비 중입니다.";
constexpr char kRangeMessage[] = "가져올 행 범위가 올바르지 않습니다.";
constexpr char kDuplicateQuestion[] = "같은 필드로 지정된 항목이 있습니다.\r\n\r\n계속하시겠습니까?";
constexpr size_t kDescribedNameBytes = 64;

}  // namespace

std::optional<int> ParseWholeNumber(const std::string& text) {
  const std::string trimmed = Trim(text);
  if (trimmed.empty()) return std::nullopt;
  char* end = nullptr;
  const long value = std::strtol(trimmed.c_str(), &end, 10);
  if (*end != '\0' || value < -1000000000L || value > 1000000000L) return std::nullopt;
  return static_cast<int>(value);
}

CSelectExcelSheet::CSelectExcelSheet(CGridModel* grid, const std::string& workbookPath,
                                     const std::string& copyPath,
                                     const ExcelSheetOptions& options)
    : grid_(grid) {
  settings_.workbookPath = workbookPath;
  settings_.copyPath = copyPath;
  settings_.header = options.header;
  settings_.clearRows = options.clearRows;
  settings_.hidden = options.hidden;
  settings_.checkButton = options.checkButton;
  settings_.skipEmpty = options.skipEmpty;
  settings_.columnMap.assign(static_cast<size_t>(grid->getColumnCount()), -1);
  fillable_ = ListedColumns(*grid, options.hidden, options.checkButton);
  names_.assign(1, kNotAssigned);
}

bool CSelectExcelSheet::OnInitDialog(platform::UserInterface* ui) {
  ui_ = ui;
  if (!ListExcelSheets(settings_.workbookPath, &sheets_)) {
    if (ui_ != nullptr) {
      ui_->ShowMessage(kGridCaption, ExcelErrorMessage(ExcelOpenError::kSheetList),
                       platform::MessageBoxButtons::kOk);
    }
    return false;
  }
  if (!sheets_.empty()) SelectSheet(sheets_.front());
  return true;
}

void CSelectExcelSheet::SelectSheet(const std::string& name) {
  settings_.sheetName = name;
  settings_.from = 1;
  settings_.to = 0;
  total_ = 0;
  std::fill(settings_.columnMap.begin(), settings_.columnMap.end(), -1);
  BuildPreview();
  settings_.to = total_;
}

void CSelectExcelSheet::SetMapping(int k, int index) {
  if (k < 1 || static_cast<size_t>(k) > fillable_.size()) return;
  if (index < 0 || static_cast<size_t>(index) >= names_.size()) return;
  settings_.columnMap[static_cast<size_t>(fillable_[static_cast<size_t>(k - 1)])] = index;
  BuildPreview();
}

void CSelectExcelSheet::BuildPreview() {
  preview_.clear();
  platform::RunModalOperation(ui_, kPreviewMessage, [this](platform::ProgressDialog&) {
    ExcelRowsets rowsets;
    const ExcelOpenError error =
        rowsets.Open(settings_.workbookPath, settings_.copyPath, settings_.sheetName);
    if (error != ExcelOpenError::kNone) {
      names_.assign(1, kNotAssigned);
      total_ = 0;
      if (ui_ != nullptr) {
        ui_->ShowMessage(kGridCaption, ExcelErrorMessage(error), platform::MessageBoxButtons::kOk);
      }
      return false;
    }
    const ExcelPosition position = PositionRowsets(rowsets, settings_.header, settings_.skipEmpty,
                                                   fillable_, &settings_.columnMap);
    names_ = position.names;
    total_ = rowsets.rows() > position.firstRow
                 ? static_cast<int>(rowsets.rows() - position.firstRow)
                 : 0;
    for (uint32_t r = position.firstRow;
         r < rowsets.rows() && preview_.size() < static_cast<size_t>(kExcelPreviewRows); ++r) {
      std::vector<std::string> row{std::to_string(r - position.firstRow + 1)};
      for (int i : fillable_) {
        const int t = settings_.columnMap[static_cast<size_t>(i)];
        const bool mapped = t > 0 && static_cast<uint32_t>(t) <= rowsets.columns();
        row.push_back(mapped ? rowsets.CellValue(r, static_cast<uint32_t>(t - 1), nullptr) : "");
      }
      preview_.push_back(std::move(row));
    }
    return true;
  });
}

std::vector<std::string> CSelectExcelSheet::mappingRow() const {
  std::vector<std::string> row;
  for (int i : fillable_) {
    const int t = settings_.columnMap[static_cast<size_t>(i)];
    row.push_back(t > 0 && static_cast<size_t>(t) < names_.size() ? names_[static_cast<size_t>(t)]
                                                                  : kNotAssigned);
  }
  return row;
}

bool CSelectExcelSheet::OnOK() {
  const int from = settings_.from;
  const int to = settings_.to;
  if (from <= 0 || to < from || to > total_) {
    if (ui_ != nullptr) ui_->ShowMessage(kGridCaption, kRangeMessage, platform::MessageBoxButtons::kOk);
    return false;
  }
  std::set<int> used;
  bool duplicate = false;
  for (int i : fillable_) {
    const int t = settings_.columnMap[static_cast<size_t>(i)];
    if (t > 0 && !used.insert(t).second) duplicate = true;
  }
  if (duplicate && ui_ != nullptr &&
      ui_->ShowMessage(kGridCaption, kDuplicateQuestion, platform::MessageBoxButtons::kYesNo) !=
          platform::MessageBoxAnswer::kYes) {
    return false;
  }
  const ExcelImportSettings settings = settings_;
  return platform::RunModalOperation(ui_, kPreparingMessage, [&](platform::ProgressDialog& dialog) {
    return ImportExcelRows(grid_, settings, ui_, &dialog);
  });
}

std::string CSelectExcelSheet::Describe() const {
  std::string text = "워크시트 목록 :";
  for (size_t i = 0; i < sheets_.size(); ++i) text += (i == 0 ? " " : ", ") + sheets_[i];
  text += " | sheet=" + settings_.sheetName + " | 총 " + std::to_string(total_) + " 건";
  text += " | from=" + std::to_string(settings_.from) + " to=" + std::to_string(settings_.to);
  text += std::string(" | header=") + (settings_.header ? "1" : "0") +
          " clear=" + (settings_.clearRows ? "1" : "0");
  text += " | 칼럼 :";
  for (size_t n = 0; n < names_.size(); ++n) {
    text.append(" ").append(std::to_string(n)).append("=");
    text.append(TruncateUtf8(names_[n], kDescribedNameBytes));
  }
  text += " | 항목 지정 :";
  const std::vector<std::string> mapping = mappingRow();
  for (size_t k = 0; k < fillable_.size(); ++k) {
    text += (k == 0 ? " map" : ", map") + std::to_string(k + 1) + " " +
            grid_->column(fillable_[k])->label + "=" + TruncateUtf8(mapping[k], kDescribedNameBytes);
  }
  return text;
}

bool CSelectExcelSheet::Apply(const std::string& text) {
  const platform::DialogAnswer answer = platform::ParseDialogAnswer(text);
  if (answer.cancel) return false;
  bool reselect = false;
  if (auto v = answer.Get("header")) {
    const bool header = *v == "1";
    reselect = header != settings_.header;
    settings_.header = header;
  }
  if (auto v = answer.Get("clear")) settings_.clearRows = *v == "1";
  std::string sheet = settings_.sheetName;
  if (auto v = answer.Get("sheet")) {
    if (std::find(sheets_.begin(), sheets_.end(), *v) != sheets_.end()) {
      sheet = *v;
      reselect = true;
    }
  }
  if (reselect && !sheet.empty()) SelectSheet(sheet);
  if (auto v = answer.Get("from")) settings_.from = ParseWholeNumber(*v).value_or(0);
  if (auto v = answer.Get("to")) settings_.to = ParseWholeNumber(*v).value_or(0);
  bool remapped = false;
  for (const auto& [name, value] : answer.values) {
    if (name.rfind("map", 0) != 0) continue;
    const std::optional<int> k = ParseWholeNumber(name.substr(3));
    const std::optional<int> index = ParseWholeNumber(value);
    if (!k || !index || *k < 1 || static_cast<size_t>(*k) > fillable_.size()) continue;
    if (*index < 0 || static_cast<size_t>(*index) >= names_.size()) continue;
    settings_.columnMap[static_cast<size_t>(fillable_[static_cast<size_t>(*k - 1)])] = *index;
    remapped = true;
  }
  if (remapped) BuildPreview();
  return true;
}

bool CSelectExcelSheet::DoModal(platform::UserInterface* ui) {
  if (ui == nullptr || !OnInitDialog(ui)) return false;
  accepted_ = false;
  if (ui->RunForm(*this)) return accepted_;
  for (;;) {
    if (!Apply(ui->RunDialog(kSheetDialogCaption, Describe()))) return false;
    if (OnOK()) return true;
  }
}

}  // namespace maltrove
