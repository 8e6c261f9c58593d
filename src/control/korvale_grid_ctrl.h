// CKorvaleGridCtrl: the grid control object that script creates. It owns the
// grid window, carries the page's persisted settings and publishes the
// automation members and events.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "automation/dispatch_impl.h"
#include "platform/hosted_window.h"
#include "platform/services.h"
#include "shared/atomic_file.h"
#include "window/grid_wnd.h"

namespace maltrove {

class CKorvaleGridCtrl : public automation::DispatchImpl<CKorvaleGridCtrl>,
                         public GridEvents,
                         public GridCommands {
 public:
  explicit CKorvaleGridCtrl(const platform::Services& services);
  ~CKorvaleGridCtrl() override;

  static const automation::MemberTable<CKorvaleGridCtrl>& Table();
  static const std::vector<automation::EventInfo>& EventList();

  // The objects the member table reaches members of.
  template <class C> C& part();

  CGridWnd& grid() { return grid_; }
  int32_t protectKeyboard() const { return protectKeyboard_; }
  const std::string& delimiter() const { return delimiter_; }

  // Creates the grid's window inside the host's window (in-place activation).
  void* InPlaceActivate(void* parent) override;

  void LoadProperties(const automation::PropertyBag& bag) override;
  automation::PropertyBag SaveProperties() override;

  // Members of the control itself.
  std::string getVersion() const;
  void setGridName(const std::string& name);
  // Stores the encoding name and the code page it is found under.
  void setCharacterSet(const std::string& name);
  int32_t parserVersion() const { return parserVersion_; }
  void setParserVersion(int32_t version) { parserVersion_ = version; }

  // Grid style and vector XML.
  std::string getGridStyleXML();
  int32_t setGridStyleXML(const std::string& xml);
  int32_t insertRowXML(const std::string& xml);
  std::string getAllXML();
  std::string getVectorXML(int32_t first, int32_t last);
  std::string getCheckedXML(int32_t col);
  std::string getUncheckedXML(int32_t col);
  std::string getCheckedData(int32_t col, int32_t form);
  std::string getUnCheckedData(int32_t col, int32_t form);
  std::string getEditedXML();
  std::string getInsertedXML();
  std::string getAllData(int32_t form);
  std::string getData(int32_t start, int32_t end, int32_t form);
  std::string getRowXML(int32_t row);

  // XML files, URLs and the zipped transport.
  int32_t openXMLFile(const std::string& styleFile, const std::string& vectorFile);
  int32_t openXMLFileEx(const std::string& file);
  int32_t openXMLURL(const std::string& styleUrl, const std::string& vectorUrl);
  int32_t openXMLURLEx(const std::string& url);
  int32_t saveXMLFile(const std::string& styleFile, const std::string& vectorFile, int32_t flag);
  int32_t saveXMLFileEx(const std::string& file, int32_t flag);
  std::string getAllXMLZipBase64();
  int32_t setAllXMLZipBase64(const std::string& text);

  // Separated-value files.
  int32_t saveDSVDialog(const std::string& fileName, const std::string& delimiter, int32_t header,
                        int32_t hidden, int32_t checkButton, int32_t removeQuotes, int32_t type);
  int32_t openDSVDialog(const std::string& delimiter, int32_t header, int32_t append,
                        int32_t hidden, int32_t checkButton, int32_t removeQuotes,
                        int32_t skipEmpty);

  // Sort, filter, clipboard and calculation.
  int32_t sort(int32_t pos1, int32_t dir1, int32_t pos2, int32_t dir2, int32_t pos3,
               int32_t dir3);
  void applyFilter(int32_t col1, int32_t op1, const std::string& value1, int32_t join1,
                   int32_t col2, int32_t op2, const std::string& value2, int32_t join2,
                   int32_t col3, int32_t op3, const std::string& value3);
  void clearFilter();
  void copy();
  void cut();
  void paste();
  void deleteSelectedData();
  double calculate(int32_t col, const std::string& calculation, int32_t col2,
                   const std::string& condition);

  // Excel workbooks, and Excel or text files through one dialog.
  int32_t openXLSDialog(int32_t header, int32_t append, int32_t hidden, int32_t checkButton,
                        int32_t skipEmpty);
  int32_t openDialog(const std::string& delimiter, int32_t header, int32_t append, int32_t hidden,
                     int32_t checkButton, int32_t removeQuotes, int32_t skipEmpty);
  int32_t saveXLSDialog(const std::string& fileName, int32_t hidden, int32_t checkButton,
                        int32_t type);
  int32_t saveXLSDialogAutoOpen(const std::string& fileName, int32_t hidden, int32_t checkButton,
                                int32_t type);
  int32_t saveXLSQueryAutoOpen(const std::string& fileName, int32_t hidden, int32_t checkButton,
                               int32_t type, const std::string& fifth, const std::string& sixth);
  int32_t saveDialog(const std::string& fileName, const std::string& delimiter, int32_t header,
                     int32_t hidden, int32_t checkButton, int32_t removeQuotes, int32_t type);

  // Members of the control itself.
  int32_t readRegVal();
  int32_t writeRegVal(int32_t value);
  int32_t deleteLog();
  int32_t getFileSize(const std::string& path);

  // GridCommands: the grid's menu and accelerators.
  void Copy() override { copy(); }
  void Cut() override { cut(); }
  void Paste() override { paste(); }
  void ClearContents() override { deleteSelectedData(); }
  void Find() override;
  void Sort() override;
  void Filter() override;
  bool ClipboardHasText() override;

  // GridEvents: fired to script.
  void onCellFocused(int row, int col) override;
  void onClickCellButton(int row, int col) override;
  void onClickCellRadio(int row, int col, int checked) override;
  void onClickCellCheckbox(int row, int col, int checked) override;
  void onCellValueChanged(int row, int col, const std::string& data) override;
  void onClickColumnHeader(int col) override;
  void onClickCell(int row, int col) override;
  void onDblClickRowHeader(int row) override;
  void onDblClickColHeader(int col) override;
  void onClickCombo(int row, int col, const std::string& datas,
                    const std::string& values) override;

 private:
  void LoadScrollBar(const automation::PropertyBag& bag, const std::string& prefix,
                     const char* const parts[6], ScrollBarSkin* skin);
  // Runs a load with painting off, then lays out and repaints once.
  bool WithoutPainting(const std::function<bool()>& load);
  // Builds a vector document on a worker thread under the progress dialog.
  std::string WriteUnderProgress(const std::vector<int>& rows, bool sequentialKeys, int result,
                                 bool outputForm);
  // The file-pair load: mode below 2 clears rows, columns and settings and
  // reads the style file first; 2 clears the rows; 3 and more clear nothing.
  bool LoadFilePair(const std::string& styleFile, const std::string& vectorFile, int mode);
  bool LoadCombinedFile(const std::string& file);
  bool SaveFiles(const std::string& styleFile, const std::string& vectorFile, int32_t flag,
                 FileSync sync = FileSync::kDurable);
  // The separated-value dialogs and work for a file already chosen.
  int32_t ExportSeparatedFile(const std::string& path, const std::string& delimiter,
                              int32_t header, int32_t hidden, int32_t checkButton,
                              int32_t removeQuotes, int32_t type);
  int32_t ImportSeparatedFile(const std::string& path, const std::string& delimiter,
                              int32_t header, int32_t append, int32_t hidden, int32_t checkButton,
                              int32_t removeQuotes, int32_t skipEmpty);

  platform::Services services_;
  CGridWnd grid_;
  std::unique_ptr<platform::HostedWindow> window_;  // after in-place activation
  std::string delimiter_ = ",\\t:;|@#$&*!";
  int32_t protectKeyboard_ = 1;
  int32_t parserVersion_ = 30;
};

template <> inline CGridWnd& CKorvaleGridCtrl::part<CGridWnd>() { return grid_; }
template <> inline CGridModel& CKorvaleGridCtrl::part<CGridModel>() { return grid_.model(); }

}  // namespace maltrove
