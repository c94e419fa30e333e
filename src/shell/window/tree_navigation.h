#pragma once

#include <QObject>
#include <QPoint>
#include <string>

class QTreeWidgetItem;

namespace kurvex::shell {

class HelpDesk;
class LoadIniPage;
class NavTree;
class Notebook;
class OptionsActions;
class TFormKurvex;
struct ItemCaptions;
struct WindowPanels;

/// Navigation: which page each item of the tree shows and which action it runs, found by the
/// item's caption in the current language.
class TreeNavigation : public QObject {
  Q_OBJECT

 public:
  /// Pages come to the front of the panels' notebooks; "Save other" asks `options`, the
  /// manual's items and a right click `help`.
  TreeNavigation(const WindowPanels& panels, const ItemCaptions& captions, TFormKurvex& graph,
                 HelpDesk& help, LoadIniPage& loadIni, OptionsActions& options,
                 QObject* parent = nullptr);

  /// Shows the selected item's page or runs its action.
  void ShowSelectedItem();
  /// A new selection; by keyboard it shows pages but runs no action.
  void TreeViewChange(QTreeWidgetItem* node);
  /// A left press on the selected item runs it again; a right press shows its help.
  void TreeViewMouseDown(Qt::MouseButton button, const QPoint& pos);
  void TreeViewMouseMove();
  /// "Load other": the "LoadIni" page in front, its list in the styles folder.
  void LoadOther();

 private:
  void ShowSetting(const std::string& page);
  void ShowLoadOther();

  NavTree& tree_;
  const ItemCaptions& captions_;
  Notebook& central_;
  Notebook& settings_;
  TFormKurvex& graph_;
  HelpDesk& help_;
  LoadIniPage& loadIni_;
  OptionsActions& options_;
};

}  // namespace kurvex::shell
