// Export and import of separated-value files, in the encodings that
// dsv_encoding.h describes.
#pragma once

#include <string>
#include <vector>

#include "model/grid_model.h"

namespace maltrove {

namespace platform {
class ProgressDialog;
class UserInterface;
}  // namespace platform

struct DsvExportOptions {
  char delimiter = ',';
  bool header = false;
  bool hidden = false;
  bool checkButton = false;
  bool removeQuotes = false;
  bool displayText = false;  // nType != 0
  int codePage = 0;  // of the page's characterSet; 0 when it named none
};

// False when the file cannot be written (an earlier file stays as it was).
bool ExportSeparatedValues(const CGridModel& grid, const std::string& path,
                           const DsvExportOptions& options, platform::ProgressDialog* progress);

struct DsvImportOptions {
  char delimiter = ',';
  bool firstLineIsHeader = false;
  bool clearRows = false;
  bool removeQuotes = false;
  bool skipEmpty = false;
  std::vector<int> columns;  // the listed grid columns
  std::vector<int> mapping;  // per listed column: field position, or -1
  std::vector<std::string> mappingText;  // per listed column: the mapping row's text
};

// The text of a file decoded to UTF-8 (without its byte-order mark);
// pageCodePage is the code page of the page's characterSet, 0 for none.
bool ReadTextFile(const std::string& path, std::string* text, int pageCodePage = 0);

// Whether a first line is a header for nHeader 2: its first field equals the
// first listed column's header name, ignoring letter case.
bool LooksLikeHeader(const CGridModel& grid, const std::vector<int>& columns,
                     const std::vector<std::string>& firstLine);

enum class DsvImportResult { kDone, kUnreadable, kRefused };

// Appends a row per data line. A refused value shows its message, removes
// the rows this import appended and answers kRefused.
DsvImportResult ImportSeparatedValues(CGridModel* grid, const std::string& text,
                                      const DsvImportOptions& options,
                                      platform::UserInterface* ui,
                                      platform::ProgressDialog* progress);

// The line of a file trimmed as import reads it (blanks, but never the
// delimiter itself).
std::string_view TrimLine(std::string_view line, char delimiter);

}  // namespace maltrove
