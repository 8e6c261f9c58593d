// XML_PARSER: the one XML reader of both controls. It parses a whole document
// with libxml2, then walks it once, depth first, filling the current-node
// members and calling Parse_Node for every node; subclasses build their data
// there and never see the tree.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

struct _xmlDoc;
struct _xmlNode;

namespace maltrove {

class XML_PARSER {
 public:
  // 40 stands for MSXML 4.0, anything else for 3.0; both read alike here,
  // the value is only kept and reported.
  explicit XML_PARSER(int32_t parserVersion);
  virtual ~XML_PARSER();

  // Called once per visited node; true lets the walk descend into the
  // node's children.
  virtual bool Parse_Node();

  XML_PARSER(const XML_PARSER&) = delete;
  XML_PARSER& operator=(const XML_PARSER&) = delete;

  // UTF-8 text; an encoding named in its declaration is ignored. Text that is
  // not well-formed, or that declares or references entities, is refused
  // before any node is visited. A refusal leaves the status text "Success".
  bool Load_XML_String(const std::string& text);
  // A local file, decoded by its BOM or declared encoding. On failure the
  // status text is "XML Document FAILED to load".
  bool Load_XML_Document(const std::string& path);

  // Exact byte comparison with the current tag, brackets included: "<row>".
  bool Is_Tag(std::string_view tag) const;
  // Whether the first occurrence of segment in the path ends at its end.
  bool Is_Child_Of(std::string_view segment) const;
  // Case-sensitive; sets the current attribute index, -1 when absent.
  bool Find_Attribute(std::string_view name);
  // The value at the current attribute index; with none, the error text,
  // which also becomes the status text.
  std::string Get_Attribute_Value();

  const std::string& currentTag() const { return currentTag_; }
  const std::string& currentName() const { return currentName_; }
  // The tags of the enclosing elements, outermost ("<#document>") first.
  const std::string& path() const { return path_; }
  const std::string& currentText() const { return currentText_; }
  const std::string& statusText() const { return statusText_; }
  std::span<const std::string> attributeNames() const { return {names_.data(), attributeCount_}; }
  std::span<const std::string> attributeValues() const {
    return {values_.data(), attributeCount_};
  }
  int32_t currentAttributeIndex() const { return currentAttribute_; }
  int32_t parserVersion() const { return parserVersion_; }

 private:
  void Reset();
  void Walk(_xmlDoc* doc);
  // Fills the current members and calls Parse_Node; true when the walk
  // descends into the node. Skipped nodes give false without a call.
  bool VisitNode(_xmlNode* node);
  void ReadElement(_xmlNode* node);
  void ReadCharacterData(_xmlNode* node, const char* tag, const char* name);
  std::string& NextAttributeName();
  void PopPath();
  void GoToRoot();

  int32_t parserVersion_;
  std::string currentTag_;
  std::string currentName_;
  std::string path_;
  std::string currentText_;
  std::string statusText_;
  // Only the first attributeCount_ entries are live; the rest keep their
  // buffers for the next element.
  std::vector<std::string> names_;
  std::vector<std::string> values_;
  size_t attributeCount_ = 0;
  int32_t currentAttribute_ = -1;
};

}  // namespace maltrove
