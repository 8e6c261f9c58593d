// Separated-value files through the file dialogs and the export and import
// dialogs.
#include "control/korvale_grid_ctrl.h"
#include "io/dsv_dialogs.h"
#include "io/dsv_format.h"
#include "io/dsv_transfer.h"
#include "io/file_names.h"
#include "model/grid_messages.h"
#include "platform/progress_operation.h"
#include "platform/user_interface.h"

namespace maltrove {

namespace {

constexpr char kSaveFilter[] = "Text Files (*.csv)|*.csv|Text Files (*.txt)|*.txt||";
constexpr char kOpenFilter[] =
    "Text Files (*.csv)|*.csv|Text Files (*.txt)|*.txt|Text Files (*.csv;*.txt)|*.csv;*.txt|"
    "All Files (*.*)|*.*||";
constexpr char kSavingMessage[] = "구분자 파일을 저장 중입니다.";
constexpr char kLoadingMessage[] = "구분자 파일을 가져오는 중입니다.";
constexpr char kCannotCreate[] = "구분자 파일을 생성할 수 없습니다.";
constexpr char kCannotRead[] = "구분자 파일을 가져올 수 없습니다.";

// The code page the page's characterSet names; 0 when it names none.
int PageCodePage(const CGridModel& model) {
  return model.characterSet.empty() ? 0 : model.outputCodePage;
}

}  // namespace

int32_t CKorvaleGridCtrl::saveDSVDialog(const std::string& fileName, const std::string& delimiter,
                                        int32_t header, int32_t hidden, int32_t checkButton,
                                        int32_t removeQuotes, int32_t type) {
  platform::UserInterface* ui = services_.ui;
  if (ui == nullptr) return 0;
  std::optional<std::string> path = ui->ChooseFile({true, "다른 이름으로 저장", fileName, kSaveFilter, "csv"});
  if (!path) return 0;
  return ExportSeparatedFile(*path, delimiter, header, hidden, checkButton, removeQuotes, type);
}

int32_t CKorvaleGridCtrl::ExportSeparatedFile(const std::string& path,
                                              const std::string& delimiter, int32_t header,
                                              int32_t hidden, int32_t checkButton,
                                              int32_t removeQuotes, int32_t type) {
  platform::UserInterface* ui = services_.ui;
  CSaveSeparatedValueDlg dialog({delimiter_, delimiter, header, removeQuotes != 0});
  DsvExportOptions options;
  if (!dialog.DoModal(ui, &options)) return 0;
  options.hidden = hidden != 0;
  options.checkButton = checkButton != 0;
  options.displayText = type != 0;
  options.codePage = PageCodePage(grid_.model());
  const std::string target = WithDefaultExtension(path, ".csv");
  const bool ok = platform::RunModalOperation(ui, kSavingMessage, [&](platform::ProgressDialog& d) {
    if (ExportSeparatedValues(grid_.model(), target, options, &d)) return true;
    ui->ShowMessage(kGridCaption, kCannotCreate, platform::MessageBoxButtons::kOk);
    return false;
  });
  return ok ? 1 : 0;
}

int32_t CKorvaleGridCtrl::openDSVDialog(const std::string& delimiter, int32_t header,
                                        int32_t append, int32_t hidden, int32_t checkButton,
                                        int32_t removeQuotes, int32_t skipEmpty) {
  platform::UserInterface* ui = services_.ui;
  if (ui == nullptr) return 0;
  std::optional<std::string> path = ui->ChooseFile({false, "열기", "", kOpenFilter});
  if (!path) return 0;
  return ImportSeparatedFile(*path, delimiter, header, append, hidden, checkButton, removeQuotes,
                             skipEmpty);
}

int32_t CKorvaleGridCtrl::ImportSeparatedFile(const std::string& path,
                                              const std::string& delimiter, int32_t header,
                                              int32_t append, int32_t hidden,
                                              int32_t checkButton, int32_t removeQuotes,
                                              int32_t skipEmpty) {
  platform::UserInterface* ui = services_.ui;
  std::string text;
  if (!ReadTextFile(path, &text, PageCodePage(grid_.model()))) {
    ui->ShowMessage(kGridCaption, kCannotRead, platform::MessageBoxButtons::kOk);
    return 0;
  }
  CGridModel& model = grid_.model();
  const std::vector<int> columns = ListedColumns(model, hidden != 0, checkButton != 0);
  COpenSeparatedValueDlg dialog(model, text, {delimiter_, delimiter, header, removeQuotes != 0},
                                columns, append == 0, skipEmpty != 0);
  DsvImportOptions options;
  if (!dialog.DoModal(ui, &options)) return 0;
  const bool ok = WithoutPainting([&] {
    return platform::RunModalOperation(ui, kLoadingMessage, [&](platform::ProgressDialog& d) {
      return ImportSeparatedValues(&model, text, options, ui, &d) == DsvImportResult::kDone;
    });
  });
  if (!ok) return 0;
  grid_.ResetState();
  return 1;
}

}  // namespace maltrove
