#include "shell/kit/message_line.h"

#include <QAccessible>
#include <QAccessibleWidget>

namespace kurvex::shell {

namespace {

// A label reads out as static text, which a screen reader passes over; an alert is announced.
class MessageLineAccessible : public QAccessibleWidget {
 public:
  explicit MessageLineAccessible(QWidget* line)
      : QAccessibleWidget(line, QAccessible::AlertMessage) {}

  QString text(QAccessible::Text t) const override {
    if (t == QAccessible::Name || t == QAccessible::Description) {
      return static_cast<const QLabel*>(widget())->text();
    }
    return QAccessibleWidget::text(t);
  }
};

QAccessibleInterface* MessageLineFactory(const QString& className, QObject* object) {
  if (className == QLatin1String(MessageLine::staticMetaObject.className()) && object &&
      object->isWidgetType()) {
    return new MessageLineAccessible(static_cast<QWidget*>(object));
  }
  return nullptr;
}

}  // namespace

MessageLine::MessageLine(QWidget* parent) : QLabel(parent) {
  static const bool installed = [] {
    QAccessible::installFactory(MessageLineFactory);
    return true;
  }();
  (void)installed;
  setObjectName("LabelMessage");
  setTextFormat(Qt::PlainText);
  setStyleSheet("color: #9a1010; padding: 1px 4px;");
}

void MessageLine::ShowMessage(const QString& text, QObject* owner) {
  owner_ = owner;
  Say(text);
}

void MessageLine::ClearFor(QObject* owner) {
  if (owner_ == owner) Clear();
}

void MessageLine::Clear() {
  owner_ = nullptr;
  Say(QString());
}

void MessageLine::Say(const QString& text) {
  const bool changed = text != this->text();
  setText(text);
  // Also a message said again is news: the user tried once more and it failed once more.
  if (!changed && text.isEmpty()) return;
  QAccessibleEvent event(this, QAccessible::NameChanged);
  if (QAccessible::isActive()) {
    QAccessible::updateAccessibility(&event);
    return;
  }
  // Without the platform's accessibility (the offscreen platform has none) the toolkit drops
  // every event; an update handler installed by the program's host still hears the message.
  const QAccessible::UpdateHandler handler = QAccessible::installUpdateHandler(nullptr);
  QAccessible::installUpdateHandler(handler);
  if (handler) handler(&event);
}

}  // namespace kurvex::shell
