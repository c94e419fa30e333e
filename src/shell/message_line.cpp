#include "shell/message_line.h"

namespace kurvex::shell {

MessageLine::MessageLine(QWidget* parent) : QLabel(parent) {
  setObjectName("LabelMessage");
  setTextFormat(Qt::PlainText);
  setAccessibleName("Message");
  setStyleSheet("color: #9a1010; padding: 1px 4px;");
}

void MessageLine::ShowMessage(const QString& text, QObject* owner) {
  owner_ = owner;
  setText(text);
}

void MessageLine::ClearFor(QObject* owner) {
  if (owner_ == owner) Clear();
}

void MessageLine::Clear() {
  owner_ = nullptr;
  clear();
}

}  // namespace kurvex::shell
