#pragma once

#include <string>

namespace maltrove {

// Rewrites an XML file in place before it is loaded: its text is decoded
// once (by its byte-order mark, else by the encoding its declaration names,
// else as UTF-8), its declaration is made to name `encoding`, and it is
// written back in `codePage` (0: UTF-8) through a temporary and a rename, so
// the file stays as it was when anything fails.
bool RewriteXmlFile(const std::string& path, const std::string& encoding, int codePage);

// The text of a file decoded to UTF-8 by the same rules, for readers that do
// not rewrite.
bool ReadXmlFileText(const std::string& path, std::string* text);

}  // namespace maltrove
