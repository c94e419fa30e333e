#pragma once

#include <QObject>

class QLabel;
class QWidget;

namespace kurvex::shell {

class FileBrowser;

/// The "LoadIni" page: a browser for options files; picking one loads it.
class LoadIniPage : public QObject {
  Q_OBJECT

 public:
  explicit LoadIniPage(QWidget* page);

  QLabel* LabelLoadIni;
  FileBrowser* Browser;
};

}  // namespace kurvex::shell
