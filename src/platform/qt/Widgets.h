// Edit controls in the manner of the desktop's memo and edit boxes, over Qt
// widgets.  Their text is the suite's Windows-1252 text with CR LF line
// breaks; the clipboard operations go through the platform interface.
#pragma once

#include <QLineEdit>
#include <QPlainTextEdit>
#include <functional>
#include <string>

namespace tavrel {

// What the Edit and Insert menus and the markup shortcuts need of a focused
// box, one-line or multi-line.
class IEditControl {
 public:
  virtual ~IEditControl() = default;
  virtual std::string Text() const = 0;
  virtual void SetText(const std::string& text) = 0;
  virtual std::string SelText() const = 0;
  // Replaces the selection (or inserts at the caret); the caret ends after
  // the new text and nothing is selected.
  virtual void SetSelText(const std::string& text) = 0;
  virtual bool HasSelection() const = 0;
  virtual void SelectAll() = 0;
  virtual void CutToClipboard() = 0;
  virtual void CopyToClipboard() = 0;
  virtual void PasteFromClipboard() = 0;
  virtual void ClearSelection() = 0;  // deletes the selected text
  virtual void Undo() = 0;
  virtual bool IsMemo() const = 0;
  virtual QWidget* Widget() = 0;

  int Tag = 0;
  // Fired on every change of the text, the program's own included.
  std::function<void()> OnChange;
  // Fired when the box loses the focus.
  std::function<void()> OnExit;
};

// A memo.  maxLength 0 means no limit; without wantReturns the memo holds one
// line (Enter is not taken and a pasted line break becomes a blank).
class TMemo : public QPlainTextEdit, public IEditControl {
  Q_OBJECT
 public:
  explicit TMemo(QWidget* parent = nullptr, const char* name = nullptr);

  void SetMaxLength(int maxLength);
  int MaxLength() const { return maxLength_; }
  void SetWantReturns(bool want);
  bool WantReturns() const { return wantReturns_; }
  void SetWantTabs(bool want);
  void SetCentered(bool centered);

  std::string Text() const override;
  void SetText(const std::string& text) override;
  std::string SelText() const override;
  void SetSelText(const std::string& text) override;
  bool HasSelection() const override;
  void SelectAll() override;
  void CutToClipboard() override;
  void CopyToClipboard() override;
  void PasteFromClipboard() override;
  void ClearSelection() override;
  void Undo() override;
  bool IsMemo() const override { return true; }
  QWidget* Widget() override { return this; }

 protected:
  void keyPressEvent(QKeyEvent* e) override;
  void focusOutEvent(QFocusEvent* e) override;
  void insertFromMimeData(const QMimeData* source) override;
  bool canInsertFromMimeData(const QMimeData* source) const override;
  void inputMethodEvent(QInputMethodEvent* e) override;

 private:
  void insertTyped(const QString& text);
  QString fitToLimits(const QString& text) const;

  int maxLength_ = 0;
  bool wantReturns_ = true;
  bool wantTabs_ = false;
  bool centered_ = false;
};

// A one-line edit box.
class TEdit : public QLineEdit, public IEditControl {
  Q_OBJECT
 public:
  explicit TEdit(QWidget* parent = nullptr, const char* name = nullptr);

  void SetMaxLength(int maxLength);

  std::string Text() const override;
  void SetText(const std::string& text) override;
  std::string SelText() const override;
  void SetSelText(const std::string& text) override;
  bool HasSelection() const override;
  void SelectAll() override;
  void CutToClipboard() override;
  void CopyToClipboard() override;
  void PasteFromClipboard() override;
  void ClearSelection() override;
  void Undo() override;
  bool IsMemo() const override { return false; }
  QWidget* Widget() override { return this; }

  int MaxLength() const { return maxLength_; }

 protected:
  void keyPressEvent(QKeyEvent* e) override;
  void focusOutEvent(QFocusEvent* e) override;
  void contextMenuEvent(QContextMenuEvent* e) override;
  void inputMethodEvent(QInputMethodEvent* e) override;

 private:
  QString fitToLimits(const QString& text) const;

  int maxLength_ = 0;
};

// The edit control behind a widget, or null when it is none.
IEditControl* AsEditControl(QWidget* w);

// The control of form that has (or last had) the keyboard focus: the
// application's focus widget when it lies in form, else the form's own record
// of its focused child.  Null when there is none.
QWidget* FocusedControl(QWidget* form);

}  // namespace tavrel
