#pragma once

#include <QLabel>
#include <QPointer>

namespace kurvex::shell {

/// The main window's own message line: says what went wrong with what the user typed or with a
/// file, without a modal box that would take the user's next keystrokes. A screen reader meets it
/// as an alert whose name is the message, and hears each new message through a name change.
class MessageLine : public QLabel {
  Q_OBJECT

 public:
  explicit MessageLine(QWidget* parent = nullptr);

  /// Shows a message; `owner`, when given, is the control it is about.
  void ShowMessage(const QString& text, QObject* owner = nullptr);
  /// Clears the line, but only when it still speaks of `owner`.
  void ClearFor(QObject* owner);
  void Clear();

 private:
  void Say(const QString& text);

  QPointer<QObject> owner_;
};

}  // namespace kurvex::shell
