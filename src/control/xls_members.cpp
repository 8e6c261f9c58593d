// Excel workbooks, and the dialogs that offer Excel and text files together.
#include "control/korvale_grid_ctrl.h"
#include "io/file_names.h"
#include "io/xls_export.h"
#include "io/xls_import.h"
#include "platform/user_interface.h"

namespace maltrove {

namespace {

constexpr char kOpenAnyFilter[] =
    "Microsoft Excel Files (*.xls)|*.xls|Text Files (*.csv)|*.csv|Text Files (*.txt)|*.txt|"
    "Excel/Text Files (*.xls;*.csv;*.txt)|*.xls;*.csv;*.txt|All Files (*.*)|*.*||";

constexpr char kSaveAnyFilter[] =
    "Microsoft Excel Files (*.xls)|*.xls|Text Files (*.csv)|*.csv|Text Files (*.txt)|*.txt||";

}  // namespace

int32_t CKorvaleGridCtrl::saveXLSDialog(const std::string& fileName, int32_t hidden,
                                        int32_t checkButton, int32_t type) {
  return SaveXlsDialogMember(&grid_.model(), services_, fileName, hidden, checkButton, type);
}

int32_t CKorvaleGridCtrl::saveXLSDialogAutoOpen(const std::string& fileName, int32_t hidden,
                                                int32_t checkButton, int32_t type) {
  return SaveXlsDialogAutoOpenMember(&grid_.model(), services_, fileName, hidden, checkButton,
                                     type);
}

int32_t CKorvaleGridCtrl::saveXLSQueryAutoOpen(const std::string& fileName, int32_t hidden,
                                               int32_t checkButton, int32_t type,
                                               const std::string& fifth,
                                               const std::string& sixth) {
  return SaveXlsQueryAutoOpenMember(&grid_.model(), services_, fileName, hidden, checkButton, type,
                                    fifth, sixth);
}

int32_t CKorvaleGridCtrl::saveDialog(const std::string& fileName, const std::string& delimiter,
                                     int32_t header, int32_t hidden, int32_t checkButton,
                                     int32_t removeQuotes, int32_t type) {
  if (services_.ui == nullptr) return 0;
  std::optional<std::string> path =
      services_.ui->ChooseFile({true, "다른 이름으로 저장", fileName, kSaveAnyFilter});
  if (!path) return 0;
  const std::string extension = FileExtension(*path);
  if (extension == ".xls") {
    return SaveXlsFile(&grid_.model(), services_, *path, hidden, checkButton, type);
  }
  if (extension == ".csv" || extension == ".txt") {
    return ExportSeparatedFile(*path, delimiter, header, hidden, checkButton, removeQuotes, type);
  }
  return 0;
}

int32_t CKorvaleGridCtrl::openXLSDialog(int32_t header, int32_t append, int32_t hidden,
                                        int32_t checkButton, int32_t skipEmpty) {
  const int32_t result = OpenXlsDialogMember(&grid_.model(), services_, header, append, hidden,
                                             checkButton, skipEmpty);
  if (result != 0) grid_.ResetState();
  return result;
}

int32_t CKorvaleGridCtrl::openDialog(const std::string& delimiter, int32_t header, int32_t append,
                                     int32_t hidden, int32_t checkButton, int32_t removeQuotes,
                                     int32_t skipEmpty) {
  if (services_.ui == nullptr) return 0;
  std::optional<std::string> path = services_.ui->ChooseFile({false, "열기", "", kOpenAnyFilter});
  if (!path) return 0;
  const std::string extension = FileExtension(*path);
  if (extension == ".xls") {
    const int32_t result = OpenXlsFile(&grid_.model(), services_, *path, header, append, hidden,
                                       checkButton, skipEmpty);
    if (result != 0) grid_.ResetState();
    return result;
  }
  if (extension == ".csv" || extension == ".txt") {
    return ImportSeparatedFile(*path, delimiter, header, append, hidden, checkButton,
                               removeQuotes, skipEmpty);
  }
  return 0;
}

}  // namespace maltrove
