#include "gateway/preview_dialog.h"

#include "platform/user_interface.h"
#include "shared/odbc_recordset.h"
#include "shared/trim.h"

namespace maltrove {

namespace {

constexpr char kConditionAnswer[] = "condition=";

}  // namespace

void CPreviewDlg::RunPreview() {
  rows_.clear();
  error_.clear();
  CxDBARecordset records;
  if (!records.Open(connection_, query_ + " " + condition_)) return;
  try {
    records.MoveFirst();
    while (!records.IsEOF() && rows_.size() < static_cast<size_t>(kPreviewRowLimit)) {
      std::vector<std::string> row;
      for (size_t i = 0; i < columns_.size(); ++i) {
        row.emplace_back(TrimBlanks(records.ValueText(static_cast<int>(i))));
      }
      rows_.push_back(std::move(row));
      records.MoveNext();
    }
  } catch (const DatabaseError& e) {
    error_ = e.what();  // an empty result lands here too; the list stays as far as it got
  }
  records.Close();
}

std::string CPreviewDlg::Describe() const {
  std::string text = std::string(kConditionLabel) + " " + condition_;
  if (!conditionEditable_) text += " (고정)";
  text += " | ";
  for (size_t i = 0; i < columns_.size(); ++i) text += (i ? ", " : "") + columns_[i].name;
  text += " | " + std::to_string(rows_.size()) + " rows";
  return text;
}

bool CPreviewDlg::DoModal(platform::UserInterface* ui) {
  RunPreview();
  if (ui == nullptr) return false;
  accepted_ = false;
  if (ui->RunForm(*this)) return accepted_;
  const std::string answer = ui->RunDialog(kPreviewCaption, Describe());
  if (answer.rfind(kConditionAnswer, 0) == 0) {
    if (conditionEditable_) condition_ = answer.substr(sizeof kConditionAnswer - 1);
    return true;
  }
  return answer == "ok";
}

}  // namespace maltrove
