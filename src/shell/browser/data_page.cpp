#include "shell/browser/data_page.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QSplitter>
#include <QVBoxLayout>

#include "shell/browser/file_browser.h"
#include "shell/page_parts.h"

namespace kurvex::shell {

const std::vector<std::pair<QString, QString>>& DataFileTypes() {
  static const std::vector<std::pair<QString, QString>> types = {
      {"*.xy", "*.xy"},
      {"*.txt", "*.txt"},
      {"All files (*.*)", "*.*"},
      {"JCAMP-DX (*.jdx *.dx)", "*.jdx;*.dx"}};
  return types;
}

DataPage::DataPage(QWidget* page) : QObject(page) {
  LabelData = PageTitle("LabelData", "Data", page);
  CheckBoxFindDataBlock = new QCheckBox("Find the data in instrument files", page);
  CheckBoxFindDataBlock->setObjectName("CheckBoxFindDataBlock");
  auto* splitter = new QSplitter(Qt::Vertical, page);
  splitter->setObjectName("SplitterData");
  splitter->setChildrenCollapsible(false);
  PanelData = new QWidget(splitter);
  PanelData->setObjectName("PanelData");
  PanelData->setFixedHeight(90);
  LabelDataFile = NamedLabel("LabelDataFile", "File", PanelData);
  LabelDataFile->move(8, 8);
  Browser = new FileBrowser({"PanelFilesTop", "LabelFile", "EditFile", "LabelPath", "LabelDir",
                             "DirectoryListBox", "SplitterDir", "FileListBox", "PanelFilesBottom",
                             "LabelDisk", "DriveComboBox1", "LabelFilesFilter", "FilterComboBox1"},
                            "*.xy", DataFileTypes(), splitter);
  Browser->Files()->AllowSeveral();
  splitter->addWidget(PanelData);
  splitter->addWidget(Browser);
  PanelData->hide();
  auto* layout = new QVBoxLayout(page);
  layout->setContentsMargins(8, 4, 8, 8);
  layout->addWidget(LabelData);
  layout->addWidget(CheckBoxFindDataBlock);
  layout->addWidget(splitter, 1);
}

void DataPage::PanelDataResize() {
  LabelDataFile->adjustSize();
  auto* edit = PanelData->findChild<QLineEdit*>("EditDataFile", Qt::FindDirectChildrenOnly);
  if (!edit) return;
  edit->move(LabelDataFile->x() + LabelDataFile->width() + 4,
             LabelDataFile->y() + (LabelDataFile->height() - edit->height()) / 2);
}

}  // namespace kurvex::shell
