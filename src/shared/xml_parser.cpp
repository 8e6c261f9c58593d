#include "shared/xml_parser.h"

#include <fcntl.h>
#include <libxml/parser.h>
#include <libxml/parserInternals.h>
#include <libxml/tree.h>
#include <libxml/xmlerror.h>
#include <sys/stat.h>
#include <unistd.h>

#include <climits>
#include <cstring>
#include <memory>
#include <mutex>

namespace maltrove {
namespace {

constexpr const char kSuccess[] = "Success";
constexpr const char kLoadFailed[] = "XML Document FAILED to load";
constexpr const char kNoAttribute[] =
    "XML_PARSER::Get_Attribute_Value()  : Can't Retrieve an Attribute";

// No XML_PARSE_NOENT, DTDLOAD or RECOVER: entities stay references (and are
// refused below), nothing outside the document is read, and errors fail.
constexpr int kParseOptions = XML_PARSE_NONET | XML_PARSE_COMPACT;

const char* Chars(const xmlChar* s) { return reinterpret_cast<const char*>(s); }

void InitLibxml() {
  static std::once_flag once;
  std::call_once(once, [] { xmlInitParser(); });
}

void DropGenericError(void*, const char*, ...) {}

// libxml2 reports some failures (I/O, encoders) outside any parser context,
// through handlers that are per thread; they are silenced for one load.
class QuietThreadErrors {
 public:
  QuietThreadErrors()
      : generic_(xmlGenericError),
        genericContext_(xmlGenericErrorContext),
        structured_(xmlStructuredError),
        structuredContext_(xmlStructuredErrorContext) {
    xmlSetGenericErrorFunc(nullptr, DropGenericError);
    xmlSetStructuredErrorFunc(nullptr, [](void*, auto) {});
  }
  ~QuietThreadErrors() {
    xmlSetGenericErrorFunc(genericContext_, generic_);
    xmlSetStructuredErrorFunc(structuredContext_, structured_);
  }
  QuietThreadErrors(const QuietThreadErrors&) = delete;
  QuietThreadErrors& operator=(const QuietThreadErrors&) = delete;

 private:
  xmlGenericErrorFunc generic_;
  void* genericContext_;
  xmlStructuredErrorFunc structured_;
  void* structuredContext_;
};

struct LoadState {
  bool refused = false;
};

void Refuse(void* ctx) {
  auto* ctxt = static_cast<xmlParserCtxtPtr>(ctx);
  static_cast<LoadState*>(ctxt->_private)->refused = true;
  xmlStopParser(ctxt);
}

struct DocDeleter {
  void operator()(xmlDoc* doc) const { xmlFreeDoc(doc); }
};
using DocPtr = std::unique_ptr<xmlDoc, DocDeleter>;

// One context per load, so error handling and refusals never leak between
// threads or loads.
class ParseContext {
 public:
  ParseContext() : ctxt_(xmlNewParserCtxt()) {
    if (ctxt_ == nullptr) return;
    ctxt_->_private = &state_;
    xmlSAXHandler* sax = ctxt_->sax;
    sax->serror = [](void* ctx, auto error) {
      // With an external subset named, an undeclared entity is only a
      // warning; such a document is refused like any other entity use.
      if (error != nullptr && error->code == XML_WAR_UNDECLARED_ENTITY) {
        static_cast<LoadState*>(static_cast<xmlParserCtxtPtr>(ctx)->_private)->refused = true;
      }
    };
    // Entity declarations are where expansion attacks start; no document of
    // ours has any, so the parse stops at the first one.
    sax->entityDecl = [](void* ctx, const xmlChar*, int, const xmlChar*, const xmlChar*,
                         xmlChar*) { Refuse(ctx); };
    sax->unparsedEntityDecl = [](void* ctx, const xmlChar*, const xmlChar*, const xmlChar*,
                                 const xmlChar*) { Refuse(ctx); };
    sax->reference = [](void* ctx, const xmlChar*) { Refuse(ctx); };
  }
  ~ParseContext() {
    if (ctxt_ != nullptr) xmlFreeParserCtxt(ctxt_);
  }
  ParseContext(const ParseContext&) = delete;
  ParseContext& operator=(const ParseContext&) = delete;

  xmlParserCtxtPtr get() const { return ctxt_; }

  // The document only when the whole input was read and found well-formed.
  DocPtr Accept(xmlDoc* parsed) const {
    DocPtr doc(parsed);
    if (doc == nullptr || state_.refused || !ctxt_->wellFormed || !ctxt_->nsWellFormed) {
      return nullptr;
    }
    const xmlParserInput* input = ctxt_->input;
    if (input != nullptr) {
      // libxml2 takes a NUL byte after the root element for the end of input.
      if (input->cur < input->end) return nullptr;
      // A decoding error ends the input early without a parse error.
      if (input->buf != nullptr && input->buf->error != 0) return nullptr;
    }
    return doc;
  }

 private:
  xmlParserCtxtPtr ctxt_;
  LoadState state_;
};

// Well-formed UTF-8 without NUL: U+0001..U+10FFFF, no surrogates, shortest
// forms only.
bool IsAcceptableUtf8(std::string_view s) {
  const auto* p = reinterpret_cast<const unsigned char*>(s.data());
  const auto* end = p + s.size();
  while (p < end) {
    const unsigned char c = *p;
    if (c >= 0x01 && c < 0x80) {
      ++p;
      continue;
    }
    size_t length;
    unsigned char low = 0x80;
    unsigned char high = 0xBF;
    if (c >= 0xC2 && c <= 0xDF) {
      length = 2;
    } else if (c >= 0xE0 && c <= 0xEF) {
      length = 3;
      if (c == 0xE0) low = 0xA0;
      if (c == 0xED) high = 0x9F;
    } else if (c >= 0xF0 && c <= 0xF4) {
      length = 4;
      if (c == 0xF0) low = 0x90;
      if (c == 0xF4) high = 0x8F;
    } else {
      return false;
    }
    if (static_cast<size_t>(end - p) < length || p[1] < low || p[1] > high) return false;
    for (size_t i = 2; i < length; ++i) {
      if (p[i] < 0x80 || p[i] > 0xBF) return false;
    }
    p += length;
  }
  return true;
}

bool IsBlankText(const xmlChar* s) {
  if (s == nullptr) return true;
  for (; *s != 0; ++s) {
    if (*s != ' ' && *s != '\t' && *s != '\n' && *s != '\r') return false;
  }
  return true;
}

void AppendQualifiedName(std::string& out, const xmlNs* ns, const xmlChar* name) {
  if (ns != nullptr && ns->prefix != nullptr) out.append(Chars(ns->prefix)).push_back(':');
  if (name != nullptr) out.append(Chars(name));
}

void AssignAttributeValue(std::string& out, const xmlAttr* attr) {
  const xmlNode* child = attr->children;
  if (child != nullptr && child->next == nullptr && child->content != nullptr) {
    out.assign(Chars(child->content));
    return;
  }
  out.clear();
  for (; child != nullptr; child = child->next) {
    if (child->content != nullptr) out.append(Chars(child->content));
  }
}

}  // namespace

XML_PARSER::XML_PARSER(int32_t parserVersion)
    : parserVersion_(parserVersion), statusText_(kSuccess) {}

XML_PARSER::~XML_PARSER() = default;

bool XML_PARSER::Parse_Node() { return true; }

void XML_PARSER::Reset() {
  statusText_ = kSuccess;
  attributeCount_ = 0;
  currentTag_.clear();
  currentName_.clear();
  path_.clear();
  currentText_.clear();
  currentAttribute_ = -1;
}

bool XML_PARSER::Load_XML_String(const std::string& text) {
  Reset();
  // The text stands for a decoded string, so it must already be valid.
  if (text.size() > INT_MAX || !IsAcceptableUtf8(text)) return false;
  InitLibxml();
  QuietThreadErrors quiet;
  ParseContext context;
  if (context.get() == nullptr) return false;
  // No encoding argument: a UTF-8 encoder would convert a second copy of the
  // text. Without NUL bytes the detection can only find UTF-8.
  DocPtr doc = context.Accept(xmlCtxtReadMemory(context.get(), text.data(),
                                                static_cast<int>(text.size()), nullptr, nullptr,
                                                kParseOptions | XML_PARSE_IGNORE_ENC));
  if (doc == nullptr) return false;
  Walk(doc.get());
  GoToRoot();
  return true;
}

bool XML_PARSER::Load_XML_Document(const std::string& path) {
  Reset();
  InitLibxml();
  QuietThreadErrors quiet;
  DocPtr doc;
  // Opened here rather than by libxml2, which would also take URLs and
  // decompress gzip files; only regular files, so a FIFO or device cannot
  // block or feed the parser forever.
  const int fd = path.empty() ? -1 : open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY);
  if (fd >= 0) {
    struct stat info{};
    if (fstat(fd, &info) == 0 && S_ISREG(info.st_mode)) {
      ParseContext context;
      if (context.get() != nullptr) {
        doc = context.Accept(xmlCtxtReadFd(context.get(), fd, nullptr, nullptr, kParseOptions));
      }
    }
    close(fd);
  }
  if (doc == nullptr) {
    statusText_ = kLoadFailed;
    return false;
  }
  Walk(doc.get());
  GoToRoot();
  return true;
}

void XML_PARSER::Walk(xmlDoc* doc) {
  auto* top = reinterpret_cast<xmlNode*>(doc);
  if (!VisitNode(top)) return;
  path_.append(currentTag_);
  // libxml2 keeps no node for the XML declaration; it is visited as the
  // processing instruction it is in a DOM, changing no member.
  if (doc->standalone != -1) Parse_Node();

  // Pre-order through the parent and sibling links: no stack, so depth
  // costs nothing.
  xmlNode* node = top->children;
  while (node != nullptr) {
    if (VisitNode(node) && node->children != nullptr) {
      path_.append(currentTag_);
      node = node->children;
      continue;
    }
    while (node->next == nullptr && node->parent != top) {
      node = node->parent;
      PopPath();
    }
    node = node->next;
  }
}

bool XML_PARSER::VisitNode(xmlNode* node) {
  switch (node->type) {
    case XML_TEXT_NODE:
      if (IsBlankText(node->content)) return false;
      ReadCharacterData(node, "<#TEXT#>", "#TEXT#");
      Parse_Node();
      return false;
    case XML_CDATA_SECTION_NODE:
      ReadCharacterData(node, "<#CDATA#>", "#CDATA#");
      Parse_Node();
      return false;
    case XML_PI_NODE:
      Parse_Node();
      return false;
    case XML_ELEMENT_NODE:
    case XML_COMMENT_NODE:
    case XML_DOCUMENT_NODE:
      ReadElement(node);
      return Parse_Node();
    default:
      // DOCTYPE, and entity references, which a refused document would hold.
      return false;
  }
}

void XML_PARSER::ReadCharacterData(xmlNode* node, const char* tag, const char* name) {
  currentTag_.assign(tag);
  currentName_.assign(name);
  if (node->content != nullptr) {
    currentText_.assign(Chars(node->content));
  } else {
    currentText_.clear();
  }
  attributeCount_ = 0;
}

void XML_PARSER::ReadElement(xmlNode* node) {
  currentName_.clear();
  switch (node->type) {
    case XML_DOCUMENT_NODE:
      currentName_.assign("#document");
      break;
    case XML_COMMENT_NODE:
      currentName_.assign("#comment");
      break;
    default:
      AppendQualifiedName(currentName_, node->ns, node->name);
      break;
  }
  currentTag_.clear();
  currentTag_.push_back('<');
  currentTag_.append(currentName_);
  currentTag_.push_back('>');
  currentText_.clear();
  attributeCount_ = 0;
  if (node->type != XML_ELEMENT_NODE) return;
  // A DOM lists namespace declarations among the attributes; libxml2 keeps
  // them apart, so they come first.
  for (const xmlNs* ns = node->nsDef; ns != nullptr; ns = ns->next) {
    std::string& name = NextAttributeName();
    name.assign("xmlns");
    if (ns->prefix != nullptr) name.append(":").append(Chars(ns->prefix));
    values_[attributeCount_ - 1].assign(ns->href != nullptr ? Chars(ns->href) : "");
  }
  for (const xmlAttr* attr = node->properties; attr != nullptr; attr = attr->next) {
    std::string& name = NextAttributeName();
    name.clear();
    AppendQualifiedName(name, attr->ns, attr->name);
    AssignAttributeValue(values_[attributeCount_ - 1], attr);
  }
}

std::string& XML_PARSER::NextAttributeName() {
  if (attributeCount_ == names_.size()) {
    names_.emplace_back();
    values_.emplace_back();
  }
  return names_[attributeCount_++];
}

void XML_PARSER::PopPath() {
  const size_t last = path_.rfind('<');
  path_.erase(last == std::string::npos ? 0 : last);
}

void XML_PARSER::GoToRoot() {
  path_.clear();
  currentAttribute_ = -1;
}

bool XML_PARSER::Is_Tag(std::string_view tag) const { return currentTag_ == tag; }

bool XML_PARSER::Is_Child_Of(std::string_view segment) const {
  if (path_.empty()) return false;
  const size_t at = path_.find(segment);
  return at != std::string::npos && at + segment.size() == path_.size();
}

bool XML_PARSER::Find_Attribute(std::string_view name) {
  for (size_t i = 0; i < attributeCount_; ++i) {
    if (names_[i] == name) {
      currentAttribute_ = static_cast<int32_t>(i);
      return true;
    }
  }
  currentAttribute_ = -1;
  return false;
}

std::string XML_PARSER::Get_Attribute_Value() {
  if (currentAttribute_ < 0 || static_cast<size_t>(currentAttribute_) >= attributeCount_) {
    statusText_ = kNoAttribute;
    return statusText_;
  }
  return values_[currentAttribute_];
}

}  // namespace maltrove
