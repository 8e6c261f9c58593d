#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace maltrove::xls::testing {

// A BIFF8 workbook built record by record: formulas with stored results
// (number, text via STRING, boolean, error, empty text, a 10,000-character
// text), RK/MULRK/BOOLERR/LABEL/RSTRING/BLANK cells, custom date formats,
// DATEMODE 1904, an SST with rich/phonetic strings across CONTINUE records,
// a chart sheet and a hidden worksheet.
std::vector<uint8_t> FormulaWorkbook();
extern const std::u16string kLongFormulaText;

// An Excel 95 (BIFF5) "Book" stream with code page 949 text, small enough
// to sit in the compound file's mini stream.
std::vector<uint8_t> Biff5BookStream();

// A compound file holding `stream` in its mini stream (stream < 4096 bytes).
std::vector<uint8_t> MiniStreamFile(const std::u16string& name, const std::vector<uint8_t>& stream);

}  // namespace maltrove::xls::testing
