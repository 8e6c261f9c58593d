#include "io/xls/biff_records.h"

#include <algorithm>
#include <bit>
#include <cstring>

namespace maltrove::xls {

void BiffWriter::Begin(uint16_t id) {
  open_ = buf_.size();
  U16(id);
  U16(0);
}

void BiffWriter::End() {
  const size_t n = body_size();
  buf_[open_ + 2] = static_cast<uint8_t>(n);
  buf_[open_ + 3] = static_cast<uint8_t>(n >> 8);
}

void BiffWriter::U16(uint16_t v) {
  uint8_t b[2] = {static_cast<uint8_t>(v), static_cast<uint8_t>(v >> 8)};
  buf_.insert(buf_.end(), b, b + 2);
}

void BiffWriter::U32(uint32_t v) {
  uint8_t b[4];
  for (int i = 0; i < 4; ++i) b[i] = static_cast<uint8_t>(v >> (8 * i));
  buf_.insert(buf_.end(), b, b + 4);
}

void BiffWriter::F64(double v) {
  const auto bits = std::bit_cast<uint64_t>(v);
  uint8_t b[8];
  for (int i = 0; i < 8; ++i) b[i] = static_cast<uint8_t>(bits >> (8 * i));
  buf_.insert(buf_.end(), b, b + 8);
}

void BiffWriter::Raw(const void* data, size_t n) {
  const auto* p = static_cast<const uint8_t*>(data);
  buf_.insert(buf_.end(), p, p + n);
}

void BiffWriter::PatchU32(size_t at, uint32_t v) {
  for (int i = 0; i < 4; ++i) buf_[at + i] = static_cast<uint8_t>(v >> (8 * i));
}

void BiffWriter::Chars(std::u16string_view s, bool wide) {
  const size_t unit = wide ? 2 : 1;
  size_t pos = 0;
  for (;;) {
    size_t take = std::min((kMaxRecordBody - body_size()) / unit, s.size() - pos);
    // Keep surrogate pairs in one record so each part decodes on its own.
    if (take > 0 && pos + take < s.size() && s[pos + take - 1] >= 0xD800 &&
        s[pos + take - 1] <= 0xDBFF)
      --take;
    for (size_t i = 0; i < take; ++i) {
      if (wide) U16(s[pos + i]);
      else U8(static_cast<uint8_t>(s[pos + i]));
    }
    pos += take;
    if (pos == s.size()) return;
    End();
    Begin(record::kContinue);
    U8(wide ? 1 : 0);
  }
}

void BiffWriter::UnicodeString(std::u16string_view s) {
  const bool wide = !FitsCompressed(s);
  const size_t first = std::min<size_t>(s.size(), 2) * (wide ? 2 : 1);
  if (body_size() + 3 + first > kMaxRecordBody) {
    End();
    Begin(record::kContinue);
  }
  U16(static_cast<uint16_t>(s.size()));
  U8(wide ? 1 : 0);
  Chars(s, wide);
}

bool FitsCompressed(std::u16string_view s) {
  return std::all_of(s.begin(), s.end(), [](char16_t c) { return c < 0x100; });
}

void WriteBof(BiffWriter& w, uint16_t type) {
  w.Begin(record::kBof);
  w.U16(0x0600);
  w.U16(type);
  w.U16(0x0DBB);  // build
  w.U16(0x07CC);  // year
  w.U32(0);
  w.U32(6);  // lowest BIFF version able to read all records
  w.End();
}

void WriteEof(BiffWriter& w) {
  w.Begin(record::kEof);
  w.End();
}

void WriteWorkbookPrologue(BiffWriter& w) {
  w.Begin(record::kCodePage);
  w.U16(1200);
  w.End();

  w.Begin(record::kWindow1);
  for (uint16_t v : {0, 0, 0x4000, 0x2000, 0x0038, 0, 0, 1, 600}) w.U16(v);
  w.End();

  for (int i = 0; i < 5; ++i) {
    w.Begin(record::kFont);
    for (uint16_t v : {200, 0, 0x7FFF, 400, 0}) w.U16(v);  // 10 pt, normal, auto colour
    w.U32(0);  // underline, family, charset, reserved
    w.U8(5);
    w.U8(0);
    w.Raw("Arial", 5);
    w.End();
  }
}

void WriteFormat(BiffWriter& w, uint16_t ifmt, std::u16string_view code) {
  w.Begin(record::kFormat);
  w.U16(ifmt);
  w.UnicodeString(code);
  w.End();
}

namespace {
void WriteXf(BiffWriter& w, uint16_t font, uint16_t ifmt, uint16_t type_flags, uint8_t used) {
  w.Begin(record::kXf);
  w.U16(font);
  w.U16(ifmt);
  w.U16(type_flags);
  w.U8(0x20);  // bottom aligned
  w.U8(0);
  w.U8(0);
  w.U8(used);
  w.U32(0);
  w.U32(0);
  w.U16(0x20C0);  // automatic pattern colours
  w.End();
}
}  // namespace

void WriteStyleXfs(BiffWriter& w) {
  for (int i = 0; i < 15; ++i) WriteXf(w, 0, 0, 0xFFF5, i == 0 ? 0 : 0xF4);
}

void WriteCellXf(BiffWriter& w, uint16_t ifmt) { WriteXf(w, 0, ifmt, 0x0001, ifmt ? 0x04 : 0); }

void WriteStyle(BiffWriter& w) {
  w.Begin(record::kStyle);
  w.U16(0x8000);  // built-in style on XF 0
  w.U8(0);        // "Normal"
  w.U8(0xFF);
  w.End();
}

size_t WriteBoundSheet(BiffWriter& w, std::u16string_view name) {
  w.Begin(record::kBoundSheet);
  const size_t at = w.size();
  w.U32(0);
  w.U8(0);  // visible
  w.U8(0);  // worksheet
  const bool wide = !FitsCompressed(name);
  w.U8(static_cast<uint8_t>(name.size()));
  w.U8(wide ? 1 : 0);
  for (char16_t c : name) {
    if (wide) w.U16(c);
    else w.U8(static_cast<uint8_t>(c));
  }
  w.End();
  return at;
}

void WriteSst(BiffWriter& w, const std::vector<std::u16string>& strings, uint32_t total_refs) {
  const size_t count = strings.size();
  const size_t bucket = std::max<size_t>(8, (count + 127) / 128);
  std::vector<std::pair<uint32_t, uint16_t>> buckets;
  buckets.reserve(count / bucket + 1);
  w.Begin(record::kSst);
  w.U32(total_refs);
  w.U32(static_cast<uint32_t>(count));
  for (size_t i = 0; i < count; ++i) {
    if (i % bucket == 0) {
      // Where UnicodeString will place the string: here, or in a new CONTINUE.
      const std::u16string& s = strings[i];
      const size_t first = std::min<size_t>(s.size(), 2) * (FitsCompressed(s) ? 1 : 2);
      size_t pos = w.size();
      size_t in_record = w.body_size() + 4;
      if (w.body_size() + 3 + first > kMaxRecordBody) {
        pos += 4;
        in_record = 4;
      }
      buckets.emplace_back(static_cast<uint32_t>(pos), static_cast<uint16_t>(in_record));
    }
    w.UnicodeString(strings[i]);
  }
  w.End();

  w.Begin(record::kExtSst);
  w.U16(static_cast<uint16_t>(bucket));
  for (const auto& [pos, in_record] : buckets) {
    w.U32(pos);
    w.U16(in_record);
    w.U16(0);
  }
  w.End();
}

void WriteDimensions(BiffWriter& w, uint32_t first_row, uint32_t end_row, uint16_t first_col,
                     uint16_t end_col) {
  w.Begin(record::kDimensions);
  w.U32(first_row);
  w.U32(end_row);
  w.U16(first_col);
  w.U16(end_col);
  w.U16(0);
  w.End();
}

void WriteRow(BiffWriter& w, uint16_t row, uint16_t first_col, uint16_t end_col) {
  w.Begin(record::kRow);
  w.U16(row);
  w.U16(first_col);
  w.U16(end_col);
  w.U16(0x00FF);  // default height
  w.U32(0);
  w.U32(0x000F0100);  // default XF 15; reserved bit set
  w.End();
}

void WriteNumber(BiffWriter& w, uint16_t row, uint16_t col, uint16_t xf, double value) {
  w.Begin(record::kNumber);
  w.U16(row);
  w.U16(col);
  w.U16(xf);
  w.F64(value);
  w.End();
}

void WriteLabelSst(BiffWriter& w, uint16_t row, uint16_t col, uint16_t xf, uint32_t index) {
  w.Begin(record::kLabelSst);
  w.U16(row);
  w.U16(col);
  w.U16(xf);
  w.U32(index);
  w.End();
}

void WriteWindow2(BiffWriter& w, bool selected) {
  w.Begin(record::kWindow2);
  w.U16(selected ? 0x06B6 : 0x00B6);  // grid, headers, zeros, outline; selected+active
  w.U16(0);
  w.U16(0);
  w.U16(0x0040);  // automatic grid colour
  for (int i = 0; i < 5; ++i) w.U16(0);
  w.End();
}

void WriteFormula(BiffWriter& w, uint16_t row, uint16_t col, uint16_t xf,
                  const FormulaResult& result, std::span<const uint8_t> tokens) {
  w.Begin(record::kFormula);
  w.U16(row);
  w.U16(col);
  w.U16(xf);
  if (result.kind == FormulaResult::Kind::kNumber) {
    w.F64(result.number);
  } else {
    uint8_t type = 0;
    switch (result.kind) {
      case FormulaResult::Kind::kString: type = 0; break;
      case FormulaResult::Kind::kBoolean: type = 1; break;
      case FormulaResult::Kind::kError: type = 2; break;
      default: type = 3; break;
    }
    const uint8_t v[8] = {type, 0, result.code, 0, 0, 0, 0xFF, 0xFF};
    w.Raw(v, 8);
  }
  w.U16(0);
  w.U32(0);
  w.U16(static_cast<uint16_t>(tokens.size()));
  w.Raw(tokens.data(), tokens.size());
  w.End();
}

void WriteStringResult(BiffWriter& w, std::u16string_view text) {
  w.Begin(record::kString);
  w.UnicodeString(text);
  w.End();
}

}  // namespace maltrove::xls
