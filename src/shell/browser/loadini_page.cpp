#include "shell/browser/loadini_page.h"

#include <QVBoxLayout>

#include "shell/browser/file_browser.h"
#include "shell/kit/page_parts.h"

namespace kurvex::shell {

LoadIniPage::LoadIniPage(QWidget* page) : QObject(page) {
  LabelLoadIni = PageTitle("LabelLoadIni", "Load options", page);
  Browser = new FileBrowser(
      {"PanelFilesTopIni", "LabelFileIni", "EditFileIni", "LabelPathIni", "LabelDirIni",
       "DirectoryListBoxIni", "SplitterDirIni", "FileListBoxIni", "PanelLoadIniBottom",
       "LabelDiskIni", "DriveComboBoxIni", "LabelFilesFilterIni", "FilterComboBoxIni"},
      "*.ini", {{"*.ini", "*.ini"}, {"All files (*.*)", "*.*"}}, page);
  auto* layout = new QVBoxLayout(page);
  layout->setContentsMargins(8, 4, 8, 8);
  layout->addWidget(LabelLoadIni);
  layout->addWidget(Browser, 1);
}

}  // namespace kurvex::shell
