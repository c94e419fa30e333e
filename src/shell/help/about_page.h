#pragma once

#include <QObject>
#include <QString>
#include <string>

class QTextEdit;

namespace kurvex::shell {

class ClickLabel;

/// The "About" page: a banner with the program's name, version and licence kind, and the
/// licence text below it.
class AboutPage : public QObject {
  Q_OBJECT

 public:
  /// Builds the page's widgets on `page`.
  explicit AboutPage(QWidget* page);

  /// Replaces the licence box's text, shown in the face the platform gives for "MS Sans Serif".
  void FillLicence(const std::string& text);

  /// The family the platform's font matching gives for "MS Sans Serif".
  static QString LicenceFontFamily();

  /// The banner; a click on it shows the graph again.
  ClickLabel* PanelAbout = nullptr;
  QTextEdit* MemoLicence = nullptr;
};

}  // namespace kurvex::shell
