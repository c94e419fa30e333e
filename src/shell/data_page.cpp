#include "shell/data_page.h"

#include <QVBoxLayout>

#include "shell/file_browser.h"
#include "shell/page_parts.h"

namespace kurvex::shell {

DataPage::DataPage(QWidget* page) : QObject(page) {
  LabelData = PageTitle("LabelData", "Data", page);
  PanelData = new QWidget(page);
  PanelData->setObjectName("PanelData");
  PanelData->setFixedHeight(90);
  LabelDataFile = NamedLabel("LabelDataFile", "File", PanelData);
  LabelDataFile->move(8, 8);
  PanelData->hide();
  Browser = new FileBrowser(
      {"PanelFilesTop", "LabelFile", "EditFile", "LabelPath", "LabelDir", "DirectoryListBox",
       "SplitterDir", "FileListBox", "PanelFilesBottom", "LabelDisk", "DriveComboBox1",
       "LabelFilesFilter", "FilterComboBox1"},
      "*.xy", {{"*.xy", "*.xy"}, {"*.txt", "*.txt"}, {"All files (*.*)", "*.*"}}, page);
  auto* layout = new QVBoxLayout(page);
  layout->setContentsMargins(8, 4, 8, 8);
  layout->addWidget(LabelData);
  layout->addWidget(PanelData);
  layout->addWidget(Browser, 1);
}

}  // namespace kurvex::shell
