#pragma once

#include <QStackedWidget>
#include <QString>

namespace kurvex::shell {

/// A stack of named pages; pages are chosen by name, ignoring letter case.
class Notebook : public QStackedWidget {
  Q_OBJECT

 public:
  explicit Notebook(const QString& objectName, QWidget* parent = nullptr);

  /// Adds an empty page that carries `name` as its object name.
  QWidget* AddPage(const QString& name);

  /// The page with that name, or nullptr.
  QWidget* Page(const QString& name) const;

  /// Shows the named page; a name that matches no page changes nothing.
  void ShowPage(const QString& name);

  /// Name of the page in front.
  QString ActivePage() const;
};

}  // namespace kurvex::shell
