#pragma once

#include <QObject>
#include <QString>
#include <utility>
#include <vector>

class QCheckBox;
class QLabel;
class QWidget;

namespace kurvex::shell {

class ClickLabel;
class FileBrowser;

/// The data file types, label and mask ("*.jdx;*.dx" for two endings), as the page's type list
/// and File ▸ Open… offer them.
const std::vector<std::pair<QString, QString>>& DataFileTypes();

/// The "Data" page: the data-file browser, and the hidden strip that holds the graph window's
/// data fields.
class DataPage : public QObject {
  Q_OBJECT

 public:
  explicit DataPage(QWidget* page);

  /// After a language change: the box is read out by its caption beside it.
  void CaptionsChanged();

  /// Places the data-file edit, once it sits in `PanelData`, right of its caption's new width.
  void PanelDataResize();

  QLabel* LabelData;
  /// The style's Environment.FindDataBlock: instrument files are searched for their data.
  QCheckBox* CheckBoxFindDataBlock;
  /// Its caption, wrapped in a narrow panel; a click on it clicks the box.
  ClickLabel* LabelFindDataBlock;
  FileBrowser* Browser;
  QWidget* PanelData;
  QLabel* LabelDataFile;
};

}  // namespace kurvex::shell
