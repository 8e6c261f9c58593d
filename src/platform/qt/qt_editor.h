// The in-place editors as Qt child widgets of the grid's widget: a line
// edit, a plain-text edit, a combo box or a date edit, hidden until placed.
#pragma once

#include <QPointer>
#include <QWidget>
#include <memory>

#include "platform/editor_window.h"

namespace maltrove::platform {

class EditorLink;

class QtEditor : public EditorWindow {
 public:
  QtEditor(QWidget* widget, EditorKind kind, EditorLink* link);
  // Cuts the link, hides the widget and deletes it from the event loop: the
  // listener may destroy the editor from inside the widget's own events.
  ~QtEditor() override;

  void Place(const Rect& rect) override;
  void Focus() override;
  bool HasFocus() const override;
  std::string Text() const override;
  int SelectedIndex() const override;
  bool Date(int* year, int* month, int* day) const override;
  void Type(const std::string& text) override;
  void Compose(const std::string& preedit, const std::string& commit) override;
  void StepDateField() override;
  void* Handle() override;

 private:
  QPointer<QWidget> widget_;
  EditorKind kind_;
  QPointer<EditorLink> link_;
  bool list_shown_ = false;  // a select editor pops its list up once
};

// The editor `request` asks for, as a hidden child of `parent`.
std::unique_ptr<EditorWindow> MakeQtEditor(QWidget* parent, const EditorRequest& request,
                                           EditorListener* listener);

}  // namespace maltrove::platform
