#include "io/dsv_transfer.h"

#include <algorithm>
#include <cstdio>

#include "io/appended_rows.h"
#include "io/date_memo.h"
#include "io/dsv_encoding.h"
#include "io/dsv_format.h"
#include "model/cell_value.h"
#include "model/grid_messages.h"
#include "model/text_util.h"
#include "platform/file_io.h"
#include "platform/progress_dialog.h"
#include "platform/user_interface.h"

namespace maltrove {

namespace {


void AppendField(std::string* line, std::string_view value, bool removeQuotes) {
  if (!removeQuotes) {
    line->append(value);
    return;
  }
  for (char c : value) {
    if (c != '"') line->push_back(c);
  }
}

void AppendLine(std::string* out, const std::string& line) {
  if (!out->empty()) out->append("\r\n");  // no break after the last line
  out->append(line);
}

// Appends what `append` writes, without its leading and trailing blanks.
template <typename Append>
void AppendTrimmed(std::string* out, Append append) {
  const size_t start = out->size();
  append(out);
  const std::string_view added = std::string_view(*out).substr(start);
  const std::string_view kept = TrimBlanks(added);
  if (kept.size() == added.size()) return;
  const size_t from = start + static_cast<size_t>(kept.data() - added.data());
  out->erase(start + kept.size() + (from - start), std::string::npos);
  out->erase(start, from - start);
}

std::string Lower(std::string text) {
  for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

}  // namespace

bool ExportSeparatedValues(const CGridModel& grid, const std::string& path,
                           const DsvExportOptions& options, platform::ProgressDialog* progress) {
  const std::vector<int> columns = ListedColumns(grid, options.hidden, options.checkButton);
  const int rows = grid.getRowCount();
  if (progress != nullptr) progress->SetRange(rows);
  std::string out;
  if (options.header) {
    std::string line;
    for (size_t i = 0; i < columns.size(); ++i) {
      if (i > 0) line.push_back(options.delimiter);
      AppendField(&line, HeaderName(*grid.column(columns[i])), options.removeQuotes);
    }
    AppendLine(&out, line);
  }
  // The texts go straight into the file's text: no string per cell or line.
  std::vector<const CGridColumn*> listed;
  std::vector<const CellColumn*> cells;
  std::vector<bool> plainDate;
  for (int col : columns) {
    listed.push_back(grid.column(col));
    cells.push_back(grid.columnCells(col));
    plainDate.push_back(listed.back()->dataType == kDataDateTime &&
                        listed.back()->outputType.empty());
  }
  std::vector<DateMemo> dates(columns.size());
  const std::vector<uint32_t>& ids = grid.rowIds();
  std::string text;  // a display text, or a text without its quotes
  constexpr int kSampleRows = 64;
  for (int r = 0; r < rows; ++r) {
    if (!out.empty()) out.append("\r\n");  // no break after the last line
    for (size_t i = 0; i < columns.size(); ++i) {
      if (i > 0) out.push_back(options.delimiter);
      if (options.displayText) {
        text = grid.displayText(r, columns[i]);
        AppendField(&out, TrimBlanks(text), options.removeQuotes);
      } else if (options.removeQuotes) {
        text.clear();
        AppendOutputText(*listed[i], (*cells[i])[ids[r]], &text);
        AppendField(&out, TrimBlanks(text), true);
      } else if (const CGridCell& cell = (*cells[i])[ids[r]]; plainDate[i]) {
        // Digits only: nothing to trim.
        if (!cell.isNull) out.append(dates[i].TextOf(cell.number));
      } else {
        AppendTrimmed(&out, [&](std::string* to) { AppendOutputText(*listed[i], cell, to); });
      }
    }
    if (progress != nullptr) progress->Step();
    // Room for the rest at the first rows' length, so the text is not
    // copied again and again as it grows.
    if (r == kSampleRows - 1) out.reserve(out.size() / kSampleRows * (rows + rows / 8));
  }
  if (options.codePage != 0) out = EncodeSeparatedValues(out, options.codePage);
  return platform::WriteFileAtomically(path, out, 0644);
}

bool ReadTextFile(const std::string& path, std::string* text, int pageCodePage) {
  std::string bytes;
  if (!platform::ReadWholeFile(path, &bytes)) return false;
  *text = DecodeSeparatedValues(bytes, pageCodePage);
  return true;
}

std::string_view TrimLine(std::string_view line, char delimiter) {
  auto blank = [delimiter](char c) { return c != delimiter && IsAsciiSpace(c); };
  while (!line.empty() && blank(line.front())) line.remove_prefix(1);
  while (!line.empty() && blank(line.back())) line.remove_suffix(1);
  return line;
}

bool LooksLikeHeader(const CGridModel& grid, const std::vector<int>& columns,
                     const std::vector<std::string>& firstLine) {
  if (columns.empty() || firstLine.empty()) return false;
  return Lower(Trim(firstLine[0])) == Lower(HeaderName(*grid.column(columns[0])));
}

DsvImportResult ImportSeparatedValues(CGridModel* grid, const std::string& text,
                                      const DsvImportOptions& options,
                                      platform::UserInterface* ui,
                                      platform::ProgressDialog* progress) {
  if (options.clearRows && grid->getRowCount() > 0) grid->removeAllRows();
  AppendedRows appended(grid);
  if (progress != nullptr) progress->SetRange(static_cast<int>(std::min<size_t>(text.size(), INT32_MAX)));
  const std::vector<std::string_view> lines = SplitLines(text);
  int dataLine = 0;
  size_t consumed = 0;
  for (size_t n = 0; n < lines.size(); ++n) {
    consumed += lines[n].size() + 1;
    if (progress != nullptr) progress->SetPosition(static_cast<int>(std::min(consumed, text.size())));
    const std::string_view line = TrimLine(lines[n], options.delimiter);
    if (options.skipEmpty && line.empty()) continue;
    if (n == 0 && options.firstLineIsHeader) continue;
    // A file that ends with a line break has no line after it.
    if (n + 1 == lines.size() && n > 0 && lines[n].empty()) break;
    ++dataLine;
    const std::vector<std::string> fields = SplitFields(line, options.delimiter, options.removeQuotes);
    const int row = grid->insertRow(-1);
    if (row < 0) break;  // the row limit
    for (size_t i = 0; i < options.columns.size(); ++i) {
      const int field = options.mapping[i];
      if (field < 0 || field >= static_cast<int>(fields.size())) continue;
      if (grid->setCellStringData(row, options.columns[i], fields[field]) != 0) continue;
      if (ui != nullptr) {
        char message[512];
        std::snprintf(message, sizeof message, kCellFormatMessage, dataLine,
                      options.mappingText[i].c_str());
        ui->ShowMessage(kGridCaption, message, platform::MessageBoxButtons::kOk);
      }
      return DsvImportResult::kRefused;
    }
  }
  appended.Keep();
  return DsvImportResult::kDone;
}

}  // namespace maltrove
