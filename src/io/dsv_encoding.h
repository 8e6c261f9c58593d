// The encodings of separated-value files. Files made on Korean Windows (by
// Excel or by pages of the original control) are CP949 bytes without a
// byte-order mark; files of this system are UTF-8.
//
// Reading: a byte-order mark decides (UTF-8, UTF-16 or UTF-32, either byte
// order) and is dropped; else text that is valid UTF-8 is UTF-8; else the
// code page of the page's characterSet when it names one other than UTF-8;
// else CP949. Bytes the chosen code page cannot decode become U+FFFD.
//
// Writing: UTF-8 without a mark, unless the page's characterSet names
// another code page: then that code page ("euc-kr" and "ks_c_5601-1987"
// give CP949, the superset that Korean Windows means by them; UTF-16 and
// UTF-32 with their mark). When a character has no form in that code page
// the whole file is written as UTF-8 with a byte-order mark instead, so that
// nothing is lost and readers (Excel, and the rule above) still decode it.
#pragma once

#include <string>
#include <string_view>

namespace maltrove {

inline constexpr int kKoreanWindowsCodePage = 949;

// pageCodePage: the code page of the grid's characterSet; 0 when the page
// named none (or one that is not known).
std::string DecodeSeparatedValues(std::string_view bytes, int pageCodePage);

// The code page that DecodeSeparatedValues uses for bytes without a mark:
// 65001 for valid UTF-8.
int SeparatedValuesCodePage(std::string_view bytes, int pageCodePage);

std::string EncodeSeparatedValues(std::string_view text, int pageCodePage);

}  // namespace maltrove
