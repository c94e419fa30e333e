#pragma once

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QString>
#include <QTextEdit>

namespace kurvex::shell {

/// An empty panel painted white, for the window's background and margins.
inline QWidget* WhitePanel(const QString& objectName, QWidget* parent) {
  auto* panel = new QWidget(parent);
  panel->setObjectName(objectName);
  panel->setAutoFillBackground(true);
  QPalette palette = panel->palette();
  palette.setColor(QPalette::Window, Qt::white);
  panel->setPalette(palette);
  return panel;
}

/// Gives a label the look of the heading strip at the top of a settings page.
inline void StyleAsHeading(QLabel* label) {
  QFont font = label->font();
  font.setBold(true);
  font.setPointSizeF(font.pointSizeF() * 1.15);
  label->setFont(font);
  label->setStyleSheet("padding: 4px 2px; border-bottom: 1px solid #9ab89a; color: #24502a;");
}

/// The heading strip at the top of a settings page.
inline QLabel* PageTitle(const QString& objectName, const QString& text, QWidget* parent) {
  auto* label = new QLabel(text, parent);
  label->setObjectName(objectName);
  StyleAsHeading(label);
  return label;
}

/// Whether the focus is in a field the user types in; such fields keep their own keys (undo,
/// page up and down, copy).
inline bool InTextField(const QWidget* focus) {
  if (const auto* rich = qobject_cast<const QTextEdit*>(focus)) return !rich->isReadOnly();
  return qobject_cast<const QLineEdit*>(focus) || qobject_cast<const QPlainTextEdit*>(focus);
}

inline QLabel* NamedLabel(const QString& objectName, const QString& text, QWidget* parent) {
  auto* label = new QLabel(text, parent);
  label->setObjectName(objectName);
  return label;
}

inline QCheckBox* NamedCheckBox(const QString& objectName, const QString& text, bool checked,
                                QWidget* parent) {
  auto* box = new QCheckBox(text, parent);
  box->setObjectName(objectName);
  box->setChecked(checked);
  return box;
}

/// A short edit for a whole number beside its spinner.
inline QLineEdit* NumberEdit(const QString& objectName, QWidget* parent) {
  auto* edit = new QLineEdit(parent);
  edit->setObjectName(objectName);
  edit->setFixedWidth(56);
  edit->setAlignment(Qt::AlignRight);
  return edit;
}

}  // namespace kurvex::shell
