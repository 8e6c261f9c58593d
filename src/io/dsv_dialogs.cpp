#include "io/dsv_dialogs.h"

#include <algorithm>
#include <cstdlib>

#include "io/dsv_format.h"
#include "platform/dialog_answer.h"
#include "platform/user_interface.h"

namespace maltrove {

namespace {

// ";" cannot stand in an answer's value: it is written "semicolon".
std::string BoxText(const std::string& answer) { return answer == "semicolon" ? ";" : answer; }

std::string InitialDelimiter(const std::string& given) { return given.empty() ? "," : given; }

}  // namespace

CSaveSeparatedValueDlg::CSaveSeparatedValueDlg(const DsvDialogSettings& settings)
    : settings_(settings),
      items_(DelimiterCandidates(settings.delimiterSetting)),
      delimiter_(InitialDelimiter(settings.delimiter)),
      header_(settings.header != 0),
      removeQuotes_(settings.removeQuotes) {}

void CSaveSeparatedValueDlg::Fill(DsvExportOptions* options) const {
  options->delimiter = DelimiterOf(delimiter_);
  options->header = header_;
  options->removeQuotes = removeQuotes_;
}

bool CSaveSeparatedValueDlg::DoModal(platform::UserInterface* ui, DsvExportOptions* options) {
  if (ui == nullptr) return false;
  accepted_ = false;
  if (ui->RunForm(*this)) {
    if (accepted_) Fill(options);
    return accepted_;
  }
  std::string description = "필드 구분자 : " + delimiter_ + " |";
  for (const std::string& item : items_) description += " " + item;
  const platform::DialogAnswer answer =
      platform::ParseDialogAnswer(ui->RunDialog(kExportDialogCaption, description));
  if (answer.cancel) return false;
  if (auto v = answer.Get("delim")) delimiter_ = BoxText(*v);
  if (auto v = answer.Get("header")) header_ = *v == "1";
  if (auto v = answer.Get("quotes")) removeQuotes_ = *v == "1";
  if (delimiter_.empty()) return false;  // OK does nothing without a delimiter
  Fill(options);
  return true;
}

COpenSeparatedValueDlg::COpenSeparatedValueDlg(const CGridModel& grid, const std::string& text,
                                               const DsvDialogSettings& settings,
                                               const std::vector<int>& columns, bool clearRows,
                                               bool skipEmpty)
    : grid_(grid),
      text_(text),
      settings_(settings),
      columns_(columns),
      delimiter_(InitialDelimiter(settings.delimiter)),
      clearRows_(clearRows),
      skipEmpty_(skipEmpty),
      removeQuotes_(settings.removeQuotes) {}

void COpenSeparatedValueDlg::Preview() {
  const std::vector<std::string_view> lines = SplitLines(text_);
  const std::vector<std::string> first =
      SplitFields(TrimLine(lines.front(), delimiter()), delimiter(), removeQuotes_);
  if (settings_.header == 2) {
    header_ = LooksLikeHeader(grid_, columns_, first);
  } else {
    header_ = settings_.header == 1;
  }
  mappingItems_.assign(1, kNotAssigned);
  for (size_t i = 0; i < first.size(); ++i) {
    mappingItems_.push_back(header_ ? first[i] : LetterName(static_cast<int>(i)));
  }
  mapping_.clear();
  for (size_t k = 0; k < columns_.size(); ++k) {
    mapping_.push_back(k + 1 < mappingItems_.size() ? mappingItems_[k + 1] : kNotAssigned);
  }
  PreviewRows();
}

void COpenSeparatedValueDlg::PreviewRows() {
  const std::vector<std::string_view> lines = SplitLines(text_);
  preview_.clear();
  for (size_t n = 0; n < lines.size() && preview_.size() < static_cast<size_t>(kPreviewLines); ++n) {
    std::vector<std::string> fields =
        SplitFields(TrimLine(lines[n], delimiter()), delimiter(), removeQuotes_);
    std::vector<std::string> row{std::to_string(n + 1)};
    for (const std::string& item : mapping_) {
      auto it = std::find(mappingItems_.begin(), mappingItems_.end(), item);
      const size_t field = static_cast<size_t>(it - mappingItems_.begin());
      row.push_back(field >= 1 && field - 1 < fields.size() ? fields[field - 1] : "");
    }
    preview_.push_back(std::move(row));
  }
}

std::string COpenSeparatedValueDlg::Describe() const {
  std::string text = "필드 구분자 : " + delimiter_ + " | 항목 지정 :";
  for (size_t k = 0; k < columns_.size(); ++k) {
    text += " " + grid_.column(columns_[k])->label + "=" + mapping_[k];
  }
  return text + " | " + std::to_string(preview_.size()) + " lines";
}

void COpenSeparatedValueDlg::Apply(const std::string& name, const std::string& value) {
  if (name.rfind("map", 0) != 0) return;
  const size_t k = static_cast<size_t>(std::atoi(name.c_str() + 3));
  const bool known = std::find(mappingItems_.begin(), mappingItems_.end(), value) != mappingItems_.end();
  if (k >= 1 && k <= mapping_.size() && known) mapping_[k - 1] = value;
}

void COpenSeparatedValueDlg::Fill(DsvImportOptions* options) const {
  options->delimiter = delimiter();
  options->firstLineIsHeader = header_;
  options->clearRows = clearRows_;
  options->removeQuotes = removeQuotes_;
  options->skipEmpty = skipEmpty_;
  options->columns = columns_;
  options->mapping.clear();
  options->mappingText = mapping_;
  for (const std::string& item : mapping_) {
    auto it = std::find(mappingItems_.begin(), mappingItems_.end(), item);
    options->mapping.push_back(static_cast<int>(it - mappingItems_.begin()) - 1);
  }
}

bool COpenSeparatedValueDlg::DoModal(platform::UserInterface* ui, DsvImportOptions* options) {
  Preview();
  if (ui == nullptr) return false;
  accepted_ = false;
  if (ui->RunForm(*this)) {
    if (accepted_) Fill(options);
    return accepted_;
  }
  const platform::DialogAnswer answer =
      platform::ParseDialogAnswer(ui->RunDialog(kImportDialogCaption, Describe()));
  if (answer.cancel) return false;
  if (auto v = answer.Get("quotes")) removeQuotes_ = *v == "1";
  if (auto v = answer.Get("header")) settings_.header = *v == "1" ? 1 : 0;
  if (auto v = answer.Get("delim")) {
    delimiter_ = BoxText(*v);
    if (delimiter_.empty()) return false;
  }
  Preview();  // the mapping items follow the delimiter, header and quote options
  if (auto v = answer.Get("clear")) clearRows_ = *v == "1";
  for (const auto& [name, value] : answer.values) Apply(name, value);
  Fill(options);
  return true;
}

}  // namespace maltrove
