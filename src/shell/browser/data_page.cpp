#include "shell/browser/data_page.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QSplitter>
#include <QVBoxLayout>

#include "shell/browser/file_browser.h"
#include "shell/kit/color_panel.h"
#include "shell/kit/page_parts.h"

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
  auto* findData = new QWidget(page);
  findData->setObjectName("PanelFindDataBlock");
  CheckBoxFindDataBlock = new QCheckBox(findData);
  CheckBoxFindDataBlock->setObjectName("CheckBoxFindDataBlock");
  LabelFindDataBlock =
      new ClickLabel("LabelFindDataBlock", "Find the data in instrument files", findData);
  LabelFindDataBlock->setWordWrap(true);
  LabelFindDataBlock->setBuddy(CheckBoxFindDataBlock);
  connect(LabelFindDataBlock, &ClickLabel::Clicked, CheckBoxFindDataBlock, &QCheckBox::click);
  auto* findRow = new QHBoxLayout(findData);
  findRow->setContentsMargins(0, 4, 0, 4);
  findRow->addWidget(CheckBoxFindDataBlock, 0, Qt::AlignTop);
  findRow->addWidget(LabelFindDataBlock, 1);
  CaptionsChanged();
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
  layout->addWidget(findData);
  layout->addWidget(splitter, 1);
}

void DataPage::CaptionsChanged() {
  CheckBoxFindDataBlock->setAccessibleName(LabelFindDataBlock->text());
}

void DataPage::PanelDataResize() {
  LabelDataFile->adjustSize();
  auto* edit = PanelData->findChild<QLineEdit*>("EditDataFile", Qt::FindDirectChildrenOnly);
  if (!edit) return;
  edit->move(LabelDataFile->x() + LabelDataFile->width() + 4,
             LabelDataFile->y() + (LabelDataFile->height() - edit->height()) / 2);
}

}  // namespace kurvex::shell
