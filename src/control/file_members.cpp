// XML files on disk and on web servers, and the zipped Base64 transport.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <functional>

#include "control/korvale_grid_ctrl.h"
#include "control/reference.h"
#include "formats/base64.h"
#include "formats/grid_style_xml.h"
#include "formats/grid_xml_parser.h"
#include "formats/vector_writer.h"
#include "formats/zip_archive.h"
#include "platform/file_io.h"
#include "platform/progress_operation.h"
#include "platform/temp_folder.h"
#include "platform/url_download.h"
#include "shared/code_page.h"

namespace maltrove {

namespace {

constexpr char kLoadingMessage[] = "XML 데이터를 불러오는 중입니다.";
constexpr char kDownloadingMessage[] = "XML 데이터를 다운로드 중입니다.";
constexpr char kSavingMessage[] = "XML 파일로 저장 중입니다.";
constexpr char kStyleTemp[] = "mvgstyle.xml";
constexpr char kVectorTemp[] = "mvgvector.xml";
constexpr char kCombinedTemp[] = "mvg.xml";
constexpr char kZipTemp[] = "mvgvector.zip";
constexpr char kLineEnd[] = "\r\n";

// The declaration of written files: the encoding only when one is named.
std::string FileDeclaration(const CGridModel& grid) {
  std::string out = "<?xml version=\"1.0\"";
  if (!grid.characterSet.empty()) out += " encoding=\"" + grid.characterSet + "\"";
  return out + "?>" + kLineEnd;
}

std::string VectorElement(const CGridModel& grid, const std::vector<int>& rows,
                          const std::function<void()>& written) {
  std::string out = "<vector result=\"" + std::to_string(rows.size()) + "\">" + kLineEnd;
  for (int r : rows) {
    AppendVectorRow(grid, r, r, CellForm::kOutput, &out);
    written();
  }
  return out + "</vector>" + kLineEnd;
}

// The text in the grid's code page, written so that a failure keeps any
// earlier file of that name.
bool WriteXmlFile(const CGridModel& grid, const std::string& path, const std::string& text,
                  FileSync sync) {
  std::string bytes;
  return ConvertFromUtf8(text, grid.outputCodePage, &bytes) &&
         platform::WriteFileAtomically(path, bytes, 0644, sync);
}

bool Download(const platform::Services& services, const std::string& url,
              const std::string& path, platform::ProgressDialog* progress) {
  if (services.downloader == nullptr) return false;
  return services.downloader->Download(url, path, [progress](long long done, long long total) {
    if (progress == nullptr) return;
    progress->SetRange(static_cast<int>(std::min<long long>(total, INT32_MAX)));
    progress->SetPosition(static_cast<int>(std::min<long long>(done, INT32_MAX)));
  });
}

// Temporary files of one operation, removed whatever happens.
class TempFiles {
 public:
  std::string Add(const char* name) {
    paths_.push_back(platform::ProcessTempFolder() + name);
    return paths_.back();
  }
  bool usable() const { return !platform::ProcessTempFolder().empty(); }
  ~TempFiles() {
    for (const std::string& path : paths_) std::remove(path.c_str());
  }

 private:
  std::vector<std::string> paths_;
};

}  // namespace

bool CKorvaleGridCtrl::LoadFilePair(const std::string& styleFile, const std::string& vectorFile,
                                    int mode) {
  CGridModel& model = grid_.model();
  platform::ModelessProgress progress(services_.ui, kLoadingMessage);
  return WithoutPainting([&] {
    if (mode < 2) {
      model.removeAllRows();
      model.removeAllColumns();
      model.resetStyle();
      grid_.ResetState();
      CGridXMLParser styleReader(&model, parserVersion_, services_.ui, &progress.dialog(), true);
      styleReader.LoadFile(styleFile);
    } else if (mode == 2) {
      model.removeAllRows();
    }
    CGridXMLParser vectorReader(&model, parserVersion_, services_.ui, &progress.dialog(), true);
    return vectorReader.LoadFile(vectorFile);
  });
}

bool CKorvaleGridCtrl::LoadCombinedFile(const std::string& file) {
  CGridModel& model = grid_.model();
  platform::ModelessProgress progress(services_.ui, kLoadingMessage);
  return WithoutPainting([&] {
    model.removeAllRows();
    model.removeAllColumns();
    model.resetStyle();
    grid_.ResetState();
    CGridXMLParser reader(&model, parserVersion_, services_.ui, &progress.dialog(), true);
    return reader.LoadFile(file);
  });
}

int32_t CKorvaleGridCtrl::openXMLFile(const std::string& styleFile,
                                      const std::string& vectorFile) {
  return LoadFilePair(styleFile, vectorFile, 0) ? 1 : 0;
}

int32_t CKorvaleGridCtrl::openXMLFileEx(const std::string& file) {
  return LoadCombinedFile(file) ? 1 : 0;
}

int32_t CKorvaleGridCtrl::openXMLURL(const std::string& styleUrl, const std::string& vectorUrl) {
  TempFiles temp;
  if (!temp.usable()) return 0;
  const std::string stylePath = temp.Add(kStyleTemp);
  const std::string vectorPath = temp.Add(kVectorTemp);
  if (!Download(services_, ResolveReference(services_.documentUrl, styleUrl), stylePath,
                nullptr)) {
    return 0;
  }
  bool downloaded = false;
  {
    platform::ModelessProgress progress(services_.ui, kDownloadingMessage);
    downloaded = Download(services_, ResolveReference(services_.documentUrl, vectorUrl),
                          vectorPath, &progress.dialog());
  }
  return downloaded && LoadFilePair(stylePath, vectorPath, 0) ? 1 : 0;
}

int32_t CKorvaleGridCtrl::openXMLURLEx(const std::string& url) {
  TempFiles temp;
  if (!temp.usable()) return 0;
  const std::string path = temp.Add(kCombinedTemp);
  bool downloaded = false;
  {
    platform::ModelessProgress progress(services_.ui, kDownloadingMessage);
    downloaded = Download(services_, ResolveReference(services_.documentUrl, url), path,
                          &progress.dialog());
  }
  return downloaded && LoadCombinedFile(path) ? 1 : 0;
}

bool CKorvaleGridCtrl::SaveFiles(const std::string& styleFile, const std::string& vectorFile,
                                 int32_t flag, FileSync sync) {
  const CGridModel& model = grid_.model();
  const int mode = flag >= 1 && flag <= 3 ? flag : 0;
  return platform::RunModalOperation(services_.ui, kSavingMessage, [&](platform::ProgressDialog& d) {
    const std::vector<int> rows = RowsToSave(model, mode);
    d.SetRange(static_cast<int>(rows.size()));
    const std::string declaration = FileDeclaration(model);
    const std::string vector = VectorElement(model, rows, [&d] { d.Step(); });
    if (vectorFile.empty()) {  // the combined file
      const std::string text = declaration + "<hashtable>\r\n<data hashkey=\"style\">\r\n" +
                               GridStyleXml(model) + "</data>\r\n<data hashkey=\"data\">\r\n" +
                               vector + "</data>\r\n</hashtable>\r\n";
      return WriteXmlFile(model, styleFile, text, sync);
    }
    return WriteXmlFile(model, styleFile, declaration + GridStyleXml(model), sync) &&
           WriteXmlFile(model, vectorFile, declaration + vector, sync);
  });
}

int32_t CKorvaleGridCtrl::saveXMLFile(const std::string& styleFile,
                                      const std::string& vectorFile, int32_t flag) {
  if (vectorFile.empty()) return 0;
  return SaveFiles(styleFile, vectorFile, flag) ? 1 : 0;
}

int32_t CKorvaleGridCtrl::saveXMLFileEx(const std::string& file, int32_t flag) {
  return SaveFiles(file, "", flag) ? 1 : 0;
}

std::string CKorvaleGridCtrl::getAllXMLZipBase64() {
  TempFiles temp;
  if (!temp.usable()) return {};
  const std::string stylePath = temp.Add(kStyleTemp);
  const std::string vectorPath = temp.Add(kVectorTemp);
  const std::string zipPath = temp.Add(kZipTemp);
  std::string archive;
  if (!SaveFiles(stylePath, vectorPath, 0, FileSync::kTemporary) || !ZipSingleFile(zipPath, kVectorTemp, vectorPath) ||
      !platform::ReadWholeFile(zipPath, &archive)) {
    return {};
  }
  return Base64Encode(archive);
}

int32_t CKorvaleGridCtrl::setAllXMLZipBase64(const std::string& text) {
  TempFiles temp;
  if (text.empty() || !temp.usable()) return 0;
  const std::string zipPath = temp.Add(kZipTemp);
  const std::string vectorPath = temp.Add(kVectorTemp);
  std::string archive;
  if (!Base64Decode(text, &archive) || !platform::WriteFileAtomically(zipPath, archive, 0600, FileSync::kTemporary) ||
      !ExtractEntry(zipPath, kVectorTemp, vectorPath)) {
    return 0;
  }
  return LoadFilePair("", vectorPath, 3) ? 1 : 0;
}

}  // namespace maltrove
