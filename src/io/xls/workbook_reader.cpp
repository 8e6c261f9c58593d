#include "io/xls/workbook_reader.h"

#include <algorithm>
#include <bit>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>

#include "io/xls/biff_records.h"
#include "io/xls/compound_file.h"
#include "io/xls/xls_text.h"

namespace maltrove::xls {

namespace {

bool Fail(std::string* error, std::string message) {
  if (error) *error = std::move(message);
  return false;
}

std::string Hex4(uint16_t v) {
  char buf[8];
  std::snprintf(buf, sizeof buf, "0x%04X", v);
  return buf;
}

struct Record {
  uint16_t id = 0;
  size_t offset = 0;
  const uint8_t* data = nullptr;
  size_t size = 0;
  const std::vector<size_t>* breaks = nullptr;  // where each CONTINUE body starts
};

// Walks records from an offset, joining each record with its CONTINUE records.
class RecordStream {
 public:
  RecordStream(const std::vector<uint8_t>& s, size_t pos) : s_(s), pos_(pos) {}

  // 1: a record; 0: end of the stream; -1: a record runs past the end.
  int Next(Record* r) {
    const size_t n = s_.size();
    if (pos_ >= n) return 0;
    if (n - pos_ < 4) return -1;
    const uint16_t id = Get16(pos_);
    const size_t len = Get16(pos_ + 2);
    if (len > n - pos_ - 4) return -1;
    r->id = id;
    r->offset = pos_;
    r->size = len;
    r->data = s_.data() + pos_ + 4;
    r->breaks = &breaks_;
    breaks_.clear();
    pos_ += 4 + len;
    if (!IsContinue()) return 1;
    merged_.assign(r->data, r->data + len);
    while (IsContinue()) {
      const size_t clen = Get16(pos_ + 2);
      if (clen > n - pos_ - 4) return -1;
      if (clen > 0) {
        breaks_.push_back(merged_.size());
        merged_.insert(merged_.end(), s_.data() + pos_ + 4, s_.data() + pos_ + 4 + clen);
      }
      pos_ += 4 + clen;
    }
    r->data = merged_.data();
    r->size = merged_.size();
    return 1;
  }

 private:
  uint16_t Get16(size_t at) const { return static_cast<uint16_t>(s_[at] | (s_[at + 1] << 8)); }
  bool IsContinue() const {
    return s_.size() - pos_ >= 4 && Get16(pos_) == record::kContinue;
  }

  const std::vector<uint8_t>& s_;
  size_t pos_;
  std::vector<uint8_t> merged_;
  std::vector<size_t> breaks_;
};

// Reads a record body; reading past its end clears ok() and yields zeros.
class Cursor {
 public:
  explicit Cursor(const Record& r) : p_(r.data), n_(r.size), breaks_(r.breaks) {}

  bool ok() const { return ok_; }
  size_t pos() const { return pos_; }
  size_t size() const { return n_; }
  size_t remaining() const { return n_ - pos_; }

  uint8_t U8() { return Has(1) ? p_[pos_++] : 0; }
  uint16_t U16() {
    if (!Has(2)) return 0;
    uint16_t v = static_cast<uint16_t>(p_[pos_] | (p_[pos_ + 1] << 8));
    pos_ += 2;
    return v;
  }
  uint32_t U32() {
    uint32_t lo = U16();
    return lo | (static_cast<uint32_t>(U16()) << 16);
  }
  uint64_t U64() {
    uint64_t lo = U32();
    return lo | (static_cast<uint64_t>(U32()) << 32);
  }
  double F64() { return std::bit_cast<double>(U64()); }
  void Skip(size_t n) {
    if (Has(n)) pos_ += n;
  }
  const uint8_t* Take(size_t n) {
    if (!Has(n)) return nullptr;
    const uint8_t* p = p_ + pos_;
    pos_ += n;
    return p;
  }

  // Characters of a BIFF8 string whose length was read: flags, run and
  // extension counts, characters (each continued part led by a flag byte),
  // then the runs and extension skipped.
  bool Unicode(size_t cch, std::string* out) {
    uint8_t flags = U8();
    const size_t runs = (flags & 0x08) ? U16() : 0;
    const size_t ext = (flags & 0x04) ? U32() : 0;
    if (!ok_) return false;
    units_.clear();
    size_t left = cch;
    while (left > 0) {
      if (AtBreak()) {
        flags = U8();
        continue;
      }
      const size_t unit = (flags & 1) ? 2 : 1;
      const size_t avail = (SegmentEnd() - pos_) / unit;
      if (avail == 0) return ok_ = false;
      const size_t take = std::min(avail, left);
      const uint8_t* p = p_ + pos_;
      if (unit == 1 && take == cch) {
        AppendLatin1AsUtf8(p, take, out);
      } else {
        for (size_t i = 0; i < take; ++i)
          units_.push_back(unit == 1 ? p[i] : static_cast<char16_t>(p[2 * i] | (p[2 * i + 1] << 8)));
      }
      pos_ += take * unit;
      left -= take;
    }
    AppendUtf16AsUtf8(units_.data(), units_.size(), out);
    const size_t tail = runs * 4 + ext;
    pos_ += std::min(tail, remaining());  // some writers leave the runs out
    return true;
  }

 private:
  bool Has(size_t n) {
    if (ok_ && n <= n_ - pos_) return true;
    ok_ = false;
    return false;
  }
  bool AtBreak() {
    if (!breaks_) return false;
    while (bi_ < breaks_->size() && (*breaks_)[bi_] < pos_) ++bi_;
    return bi_ < breaks_->size() && (*breaks_)[bi_] == pos_;
  }
  size_t SegmentEnd() {
    if (!breaks_) return n_;
    while (bi_ < breaks_->size() && (*breaks_)[bi_] <= pos_) ++bi_;
    return bi_ < breaks_->size() ? (*breaks_)[bi_] : n_;
  }

  const uint8_t* p_;
  size_t n_;
  const std::vector<size_t>* breaks_;
  size_t pos_ = 0;
  size_t bi_ = 0;
  bool ok_ = true;
  std::u16string units_;
};

// A string with a length of `len_bytes` bytes, in BIFF8 or BIFF5 form.
bool ReadString(Cursor& c, int biff, int len_bytes, const CodePageDecoder* decoder,
                std::string* out) {
  const size_t cch = len_bytes == 1 ? c.U8() : c.U16();
  if (!c.ok()) return false;
  if (biff == 8) return c.Unicode(cch, out);
  const uint8_t* p = c.Take(cch);
  if (!p) return false;
  if (decoder) decoder->Append(p, cch, out);
  else out->assign(reinterpret_cast<const char*>(p), cch);
  return true;
}

double DecodeRk(uint32_t rk) {
  double v;
  if (rk & 2) {
    v = static_cast<double>(static_cast<int32_t>(rk) >> 2);
  } else {
    v = std::bit_cast<double>(static_cast<uint64_t>(rk & 0xFFFFFFFCu) << 32);
  }
  return (rk & 1) ? v / 100 : v;
}

const char* BuiltinFormat(uint16_t ifmt) {
  switch (ifmt) {
    case 0: return "General";
    case 1: return "0";
    case 2: return "0.00";
    case 3: return "#,##0";
    case 4: return "#,##0.00";
    case 5: return "\"$\"#,##0_);(\"$\"#,##0)";
    case 6: return "\"$\"#,##0_);[Red](\"$\"#,##0)";
    case 7: return "\"$\"#,##0.00_);(\"$\"#,##0.00)";
    case 8: return "\"$\"#,##0.00_);[Red](\"$\"#,##0.00)";
    case 9: return "0%";
    case 10: return "0.00%";
    case 11: return "0.00E+00";
    case 12: return "# ?/?";
    case 13: return "# ?\?/?\?";
    case 14: return "m/d/yyyy";
    case 15: return "d-mmm-yy";
    case 16: return "d-mmm";
    case 17: return "mmm-yy";
    case 18: return "h:mm AM/PM";
    case 19: return "h:mm:ss AM/PM";
    case 20: return "h:mm";
    case 21: return "h:mm:ss";
    case 22: return "m/d/yyyy h:mm";
    case 37: return "#,##0_);(#,##0)";
    case 38: return "#,##0_);[Red](#,##0)";
    case 39: return "#,##0.00_);(#,##0.00)";
    case 40: return "#,##0.00_);[Red](#,##0.00)";
    case 41: return "_(* #,##0_);_(* (#,##0);_(* \"-\"_);_(@_)";
    case 42: return "_(\"$\"* #,##0_);_(\"$\"* (#,##0);_(\"$\"* \"-\"_);_(@_)";
    case 43: return "_(* #,##0.00_);_(* (#,##0.00);_(* \"-\"?\?_);_(@_)";
    case 44: return "_(\"$\"* #,##0.00_);_(\"$\"* (#,##0.00);_(\"$\"* \"-\"?\?_);_(@_)";
    case 45: return "mm:ss";
    case 46: return "[h]:mm:ss";
    case 47: return "mm:ss.0";
    case 48: return "##0.0E+0";
    case 49: return "@";
    default: return "";
  }
}

bool IsBuiltinDate(uint16_t ifmt) {
  return (ifmt >= 14 && ifmt <= 22) || (ifmt >= 45 && ifmt <= 47) ||
         (ifmt >= 27 && ifmt <= 36) || (ifmt >= 50 && ifmt <= 58);  // the last two: CJK dates
}

bool ReadFile(const std::string& path, std::vector<uint8_t>* out, std::string* error) {
  std::unique_ptr<FILE, int (*)(FILE*)> f(std::fopen(path.c_str(), "rb"), &std::fclose);
  if (!f) return Fail(error, "cannot open " + path + ": " + std::strerror(errno));
  out->clear();
  if (std::fseek(f.get(), 0, SEEK_END) == 0) {
    const long size = std::ftell(f.get());
    if (size > 0) out->reserve(static_cast<size_t>(size));
    std::rewind(f.get());
  }
  char buf[1 << 16];
  size_t n;
  while ((n = std::fread(buf, 1, sizeof buf, f.get())) > 0) out->insert(out->end(), buf, buf + n);
  if (std::ferror(f.get())) return Fail(error, "cannot read " + path);
  return true;
}

}  // namespace

const Cell* Sheet::Find(uint32_t row, uint32_t col) const {
  auto it = std::lower_bound(cells.begin(), cells.end(), std::pair{row, col},
                             [](const Cell& c, const std::pair<uint32_t, uint32_t>& k) {
                               return c.row < k.first || (c.row == k.first && c.col < k.second);
                             });
  return (it != cells.end() && it->row == row && it->col == col) ? &*it : nullptr;
}

bool WorkbookReader::Open(const std::string& path, std::string* error) {
  std::vector<uint8_t> bytes;
  if (!ReadFile(path, &bytes, error)) return false;
  return OpenBytes(std::move(bytes), error);
}

bool WorkbookReader::OpenBytes(std::vector<uint8_t> file, std::string* error) {
  *this = WorkbookReader();
  CompoundFileReader cfb;
  if (!cfb.Open(std::move(file), error)) return false;
  const char* name = cfb.HasStream("Workbook") ? "Workbook" : cfb.HasStream("Book") ? "Book" : nullptr;
  if (!name) return Fail(error, "no Workbook stream: not an Excel 97-2003 or 5.0/95 workbook");
  if (!cfb.ReadStream(name, &stream_, error)) return false;
  return ParseGlobals(error);
}

bool WorkbookReader::ParseGlobals(std::string* error) {
  RecordStream rs(stream_, 0);
  Record r;
  if (rs.Next(&r) != 1) return Fail(error, "workbook stream is empty or truncated");
  if (r.id == 0x0009 || r.id == 0x0209 || r.id == 0x0409)
    return Fail(error, "Excel 2.x-4.0 workbooks are not supported");
  if (r.id != record::kBof || r.size < 4) return Fail(error, "workbook stream does not start with BOF");
  {
    Cursor c(r);
    const uint16_t version = c.U16();
    const uint16_t type = c.U16();
    if (version == 0x0600) biff_ = 8;
    else if (version == 0x0500) biff_ = 5;
    else return Fail(error, "unsupported BIFF version " + Hex4(version));
    if (type != kBofGlobals) return Fail(error, "workbook stream does not start with the globals");
  }
  // BIFF5 text is decoded once the code page is known.
  std::vector<std::pair<uint16_t, std::string>> raw_formats;
  std::vector<std::string> raw_names;
  for (;;) {
    const int got = rs.Next(&r);
    if (got == 0) return Fail(error, "workbook globals end without EOF");
    if (got < 0) return Fail(error, "workbook record runs past the end of the stream");
    if (r.id == record::kEof) break;
    Cursor c(r);
    switch (r.id) {
      case record::kFilePass:
        return Fail(error, "the workbook is password-protected (encrypted)");
      case record::kCodePage:
        code_page_ = c.U16();
        break;
      case record::kDateMode:
        date1904_ = c.U16() == 1;
        break;
      case record::kXf:
        c.Skip(2);
        xf_formats_.push_back(c.U16());
        break;
      case record::kFormat: {
        const uint16_t ifmt = c.U16();
        std::string code;
        if (biff_ == 8) {
          if (ReadString(c, 8, 2, nullptr, &code)) formats_[ifmt] = std::move(code);
        } else if (ReadString(c, 5, 1, nullptr, &code)) {
          raw_formats.emplace_back(ifmt, std::move(code));
        }
        break;
      }
      case record::kBoundSheet: {
        SheetInfo info;
        info.offset = c.U32();
        info.hidden = (c.U8() & 3) != 0;
        const uint8_t type = c.U8();
        if (!ReadString(c, biff_, 1, nullptr, &info.name))
          return Fail(error, "malformed BOUNDSHEET record");
        if (type == 0) {
          if (biff_ == 5) raw_names.push_back(info.name);
          sheets_.push_back(std::move(info));
        }
        break;
      }
      case record::kSst: {
        if (biff_ != 8) break;
        c.Skip(4);
        const uint32_t count = c.U32();
        sst_.reserve(std::min<size_t>(count, r.size / 3));
        while (sst_.size() < count && c.ok() && c.remaining() > 0) {
          std::string s;
          if (!ReadString(c, 8, 2, nullptr, &s)) break;
          sst_.push_back(std::move(s));
        }
        break;
      }
      default:
        break;
    }
  }
  if (biff_ == 5) {
    const CodePageDecoder decoder(code_page_);
    for (auto& [ifmt, raw] : raw_formats) formats_[ifmt] = decoder.Decode(raw);
    for (size_t i = 0; i < sheets_.size(); ++i) sheets_[i].name = decoder.Decode(raw_names[i]);
  }
  return true;
}

std::vector<std::string> WorkbookReader::sheet_names() const {
  std::vector<std::string> names;
  for (const SheetInfo& s : sheets_) names.push_back(s.name);
  return names;
}

std::string WorkbookReader::FormatCode(uint16_t format) const {
  auto it = formats_.find(format);
  return it != formats_.end() ? it->second : BuiltinFormat(format);
}

bool WorkbookReader::IsDateFormat(uint16_t format) const {
  auto it = formats_.find(format);
  return it != formats_.end() ? IsDateFormatCode(it->second) : IsBuiltinDate(format);
}

bool WorkbookReader::ReadSheet(size_t index, Sheet* out, std::string* error) const {
  *out = Sheet();
  if (index >= sheets_.size()) return Fail(error, "no sheet " + std::to_string(index));
  const SheetInfo& info = sheets_[index];
  out->name = info.name;
  if (info.offset >= stream_.size()) return Fail(error, "sheet position is outside the workbook stream");
  std::unique_ptr<CodePageDecoder> decoder;
  if (biff_ == 5) decoder = std::make_unique<CodePageDecoder>(code_page_);

  RecordStream rs(stream_, info.offset);
  Record r;
  if (rs.Next(&r) != 1 || r.id != record::kBof) return Fail(error, "sheet does not start with BOF");
  auto& cells = out->cells;
  int depth = 0;  // embedded chart substreams
  size_t pending_string = SIZE_MAX;
  auto add = [&](Cursor& c) -> Cell& {
    Cell& cell = cells.emplace_back();
    cell.row = c.U16();
    cell.col = c.U16();
    cell.xf = c.U16();
    return cell;
  };
  for (;;) {
    const int got = rs.Next(&r);
    if (got == 0) return Fail(error, "sheet \"" + info.name + "\" ends without EOF");
    if (got < 0) return Fail(error, "sheet record runs past the end of the stream");
    if (r.id == record::kBof) {
      ++depth;
      continue;
    }
    if (r.id == record::kEof) {
      if (depth == 0) break;
      --depth;
      continue;
    }
    if (depth > 0) continue;
    Cursor c(r);
    if (r.id != record::kString && r.id != record::kShrFmla && r.id != record::kArray &&
        r.id != record::kTable)
      pending_string = SIZE_MAX;
    switch (r.id) {
      case record::kDimensions:
        if (biff_ == 8) {
          c.Skip(4);
          out->declared_rows = c.U32();
          c.Skip(2);
        } else {
          c.Skip(2);
          out->declared_rows = c.U16();
          c.Skip(2);
        }
        out->declared_columns = c.U16();
        break;
      case record::kNumber: {
        Cell& cell = add(c);
        cell.type = CellType::kNumber;
        cell.number = c.F64();
        break;
      }
      case record::kRk: {
        Cell& cell = add(c);
        cell.type = CellType::kNumber;
        cell.number = DecodeRk(c.U32());
        break;
      }
      case record::kMulRk: {
        const uint16_t row = c.U16();
        const uint16_t first = c.U16();
        const size_t count = r.size >= 6 ? (r.size - 6) / 6 : 0;
        for (size_t i = 0; i < count; ++i) {
          Cell& cell = cells.emplace_back();
          cell.row = row;
          cell.col = static_cast<uint16_t>(first + i);
          cell.xf = c.U16();
          cell.type = CellType::kNumber;
          cell.number = DecodeRk(c.U32());
        }
        break;
      }
      case record::kLabelSst: {
        Cell& cell = add(c);
        const uint32_t isst = c.U32();
        cell.type = CellType::kText;
        if (isst < sst_.size()) cell.text = sst_[isst];
        break;
      }
      case record::kLabel:
      case record::kRString: {
        Cell& cell = add(c);
        cell.type = CellType::kText;
        ReadString(c, biff_, 2, decoder.get(), &cell.text);
        break;
      }
      case record::kBoolErr: {
        Cell& cell = add(c);
        const uint8_t value = c.U8();
        if (c.U8()) {
          cell.type = CellType::kError;
          cell.error = value;
        } else {
          cell.type = CellType::kBoolean;
          cell.boolean = value != 0;
        }
        break;
      }
      case record::kFormula: {
        Cell& cell = add(c);
        cell.formula = true;
        const uint8_t* v = c.Take(8);
        if (!v) break;
        if (v[6] == 0xFF && v[7] == 0xFF) {
          switch (v[0]) {
            case 0:
              cell.type = CellType::kText;
              pending_string = cells.size() - 1;
              break;
            case 1:
              cell.type = CellType::kBoolean;
              cell.boolean = v[2] != 0;
              break;
            case 2:
              cell.type = CellType::kError;
              cell.error = v[2];
              break;
            default:
              cell.type = CellType::kText;  // empty string
              break;
          }
        } else {
          uint64_t bits = 0;
          for (int i = 7; i >= 0; --i) bits = bits << 8 | v[i];
          cell.type = CellType::kNumber;
          cell.number = std::bit_cast<double>(bits);
        }
        break;
      }
      case record::kString:
        if (pending_string != SIZE_MAX) {
          ReadString(c, biff_, 2, decoder.get(), &cells[pending_string].text);
          pending_string = SIZE_MAX;
        }
        break;
      default:
        break;
    }
    if (!c.ok()) return Fail(error, "malformed record " + Hex4(r.id) + " at offset " + std::to_string(r.offset));
  }

  auto before = [](const Cell& a, const Cell& b) { return a.row < b.row || (a.row == b.row && a.col < b.col); };
  if (!std::is_sorted(cells.begin(), cells.end(), before))
    std::stable_sort(cells.begin(), cells.end(), before);
  size_t kept = 0;
  for (size_t i = 0; i < cells.size(); ++i) {
    if (i + 1 < cells.size() && cells[i + 1].row == cells[i].row && cells[i + 1].col == cells[i].col)
      continue;  // a later record for the same cell wins
    if (kept != i) cells[kept] = std::move(cells[i]);
    ++kept;
  }
  cells.resize(kept);
  for (Cell& cell : cells) {
    cell.format = cell.xf < xf_formats_.size() ? xf_formats_[cell.xf] : 0;
    cell.date = cell.type == CellType::kNumber && IsDateFormat(cell.format);
    out->rows = std::max(out->rows, cell.row + 1);
    out->columns = std::max<uint32_t>(out->columns, cell.col + 1u);
  }
  return true;
}

bool IsDateFormatCode(std::string_view code) {
  auto lower = [](char ch) { return (ch >= 'A' && ch <= 'Z') ? static_cast<char>(ch + 32) : ch; };
  bool quoted = false;
  for (size_t i = 0; i < code.size(); ++i) {
    const char ch = code[i];
    if (ch == '"') {
      quoted = !quoted;
    } else if (quoted) {
      continue;
    } else if (ch == '\\' || ch == '_' || ch == '*') {
      ++i;  // the next character is literal, a width or a fill
    } else if (ch == '[') {
      const size_t close = code.find(']', i);
      if (close == std::string_view::npos) return false;
      const std::string_view inside = code.substr(i + 1, close - i - 1);
      // Elapsed time: [h], [mm], [ss] and so on.
      if (!inside.empty() && std::all_of(inside.begin(), inside.end(), [&](char x) {
            return lower(x) == 'h' || lower(x) == 'm' || lower(x) == 's';
          }))
        return true;
      i = close;
    } else {
      const char l = lower(ch);
      if (l == 'y' || l == 'm' || l == 'd' || l == 'h' || l == 's') return true;
    }
  }
  return false;
}

const char* ErrorText(uint8_t code) {
  switch (code) {
    case 0x00: return "#NULL!";
    case 0x07: return "#DIV/0!";
    case 0x0F: return "#VALUE!";
    case 0x17: return "#REF!";
    case 0x1D: return "#NAME?";
    case 0x24: return "#NUM!";
    default: return "#N/A";
  }
}

}  // namespace maltrove::xls
