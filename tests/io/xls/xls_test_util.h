#pragma once

#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

namespace maltrove::xls::testing {

// A fresh directory removed with its contents at the end of the test.
class TempDir {
 public:
  TempDir() {
    const char* base = std::getenv("TMPDIR");
    std::string tmpl = std::string(base && *base ? base : "/tmp") + "/xls_test_XXXXXX";
    path_ = ::mkdtemp(tmpl.data()) ? tmpl : std::string();
  }
  ~TempDir() {
    std::error_code ec;
    if (!path_.empty()) std::filesystem::remove_all(path_, ec);
  }
  std::string File(const std::string& name) const { return path_ + "/" + name; }
  const std::string& path() const { return path_; }

 private:
  std::string path_;
};

inline std::vector<uint8_t> ReadBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline void WriteBytes(const std::string& path, const std::vector<uint8_t>& bytes) {
  std::ofstream out(path, std::ios::binary);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

// Runs a shell command; returns its exit status and fills `output` with stdout.
inline int Run(const std::string& command, std::string* output) {
  FILE* p = ::popen(command.c_str(), "r");
  if (!p) return -1;
  char buf[1 << 16];
  size_t n;
  while ((n = std::fread(buf, 1, sizeof buf, p)) > 0) output->append(buf, n);
  const int status = ::pclose(p);
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

constexpr const char* kPython = "/usr/bin/python3";

inline bool HavePythonModules(const std::string& modules) {
  std::string out;
  return Run(std::string(kPython) + " -c 'import " + modules + "' 2>/dev/null", &out) == 0;
}

inline std::string Hex(const std::string& s) {
  static const char* digits = "0123456789abcdef";
  std::string out;
  for (unsigned char c : s) {
    out.push_back(digits[c >> 4]);
    out.push_back(digits[c & 15]);
  }
  return out;
}

// What xlrd sees: per sheet its name, size and non-empty cells as
// (xlrd cell type, value): text in UTF-8 hex, numbers in repr(), else ints.
struct XlrdSheet {
  std::string name;
  int rows = 0;
  int cols = 0;
  std::map<std::pair<int, int>, std::pair<int, std::string>> cells;
};
struct XlrdBook {
  int datemode = -1;
  std::vector<XlrdSheet> sheets;
};

inline bool XlrdDump(const std::string& path, XlrdBook* book, std::string* error) {
  static const char* script = R"PY(
import sys, xlrd
b = xlrd.open_workbook(sys.argv[1], on_demand=True)
print('datemode', b.datemode)
for i in range(b.nsheets):
    s = b.sheet_by_index(i)
    print('sheet', s.name.encode('utf-8').hex(), s.nrows, s.ncols)
    for r in range(s.nrows):
        for c in range(s.row_len(r)):
            cell = s.cell(r, c)
            t = cell.ctype
            if t in (0, 6):
                continue
            if t == 1:
                v = cell.value.encode('utf-8').hex() or '-'
            elif t in (2, 3):
                v = repr(float(cell.value))
            else:
                v = str(int(cell.value))
            print(r, c, t, v)
)PY";
  const std::string script_path = path + ".dump.py";
  std::ofstream(script_path) << script;
  std::string out;
  const int status = Run(std::string(kPython) + " " + script_path + " '" + path + "' 2>&1", &out);
  std::remove(script_path.c_str());
  if (status != 0) {
    *error = "xlrd failed: " + out.substr(0, 2000);
    return false;
  }
  std::istringstream lines(out);
  std::string word;
  while (lines >> word) {
    if (word == "datemode") {
      lines >> book->datemode;
    } else if (word == "sheet") {
      XlrdSheet s;
      lines >> s.name >> s.rows >> s.cols;
      book->sheets.push_back(std::move(s));
    } else {
      int col = 0, type = 0;
      std::string value;
      lines >> col >> type >> value;
      if (value == "-") value.clear();
      if (book->sheets.empty()) return false;
      book->sheets.back().cells[{std::stoi(word), col}] = {type, value};
    }
  }
  return true;
}

}  // namespace maltrove::xls::testing
