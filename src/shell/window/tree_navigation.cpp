#include "shell/window/tree_navigation.h"

#include "common/app_dir.h"
#include "shell/browser/file_browser.h"
#include "shell/browser/loadini_page.h"
#include "shell/graph_window/graph_window.h"
#include "shell/help/help_desk.h"
#include "shell/kit/captions.h"
#include "shell/kit/nav_tree.h"
#include "shell/kit/notebook.h"
#include "shell/kit/painting_off.h"
#include "shell/kit/qt_convert.h"
#include "shell/window/options_actions.h"

namespace kurvex::shell {

namespace {

/// The settings pages of one axis, shown by the "Title", "Line" and "Values" items under it.
struct AxisPages {
  const char* Title;
  const char* Line;
  const char* Values;
};

constexpr AxisPages kAxisXPages = {"Axis X Title", "Axis X Line", "Axis X Values"};
constexpr AxisPages kAxisYPages = {"Axis Y Title", "Axis Y Line", "Axis Y Values"};

std::string ParentCaption(const QTreeWidgetItem* item) {
  return item->parent() ? S(item->parent()->text(0)) : std::string();
}

}  // namespace

TreeNavigation::TreeNavigation(const WindowPanels& panels, const ItemCaptions& captions,
                               TFormKurvex& graph, HelpDesk& help, LoadIniPage& loadIni,
                               OptionsActions& options, QObject* parent)
    : QObject(parent),
      tree_(panels.Tree),
      captions_(captions),
      central_(panels.Central),
      settings_(panels.Settings),
      graph_(graph),
      help_(help),
      loadIni_(loadIni),
      options_(options) {}

void TreeNavigation::ShowSetting(const std::string& page) {
  settings_.ShowPage(Q(page));
}

void TreeNavigation::ShowLoadOther() {
  ShowSetting("LoadIni");
  loadIni_.Browser->SetDirectory(Q(ApplicationPath(AppPath::Styles)));
  loadIni_.Browser->Files()->setFocus();
}

void TreeNavigation::LoadOther() {
  // The item's rule ends with painting on, also when it failed: a graph is never left frozen.
  const PaintingOff paintingOff(graph_.Engine().PaintEnabled, PaintingOff::After::kOn);
  central_.ShowPage("GraphImage");
  ShowLoadOther();
}

void TreeNavigation::ShowSelectedItem() {
  QTreeWidgetItem* item = tree_.Selected();
  if (!item) return;
  // The item's rule ends with painting on, also when it failed: a graph is never left frozen.
  const PaintingOff paintingOff(graph_.Engine().PaintEnabled, PaintingOff::After::kOn);
  const std::string caption = S(item->text(0));
  const ItemCaptions& c = captions_;
  if (caption == c.About) {
    central_.ShowPage("About");
    return;
  }
  central_.ShowPage("GraphImage");
  if (caption == c.Data) {
    ShowSetting("Data");
  } else if (caption == c.Graph) {
    ShowSetting("Image");
  } else if (caption == c.Repaint) {
    graph_.RepaintGraph();
  } else if (caption == c.LoadOther) {
    ShowLoadOther();
  } else if (caption == c.SaveOther) {
    const std::string parent = ParentCaption(item);
    options_.SaveOtherOptions();
    ShowSetting(parent);
  } else if (caption == c.Title) {
    ShowSetting("Graph Title");
  } else if (caption == c.AxisX) {
    ShowSetting(kAxisXPages.Title);
  } else if (caption == c.AxisTitle || caption == c.Line || caption == c.Values) {
    const std::string parent = ParentCaption(item);
    const AxisPages* axis = parent == c.AxisX   ? &kAxisXPages
                            : parent == c.AxisY ? &kAxisYPages
                                                : nullptr;
    if (axis) {
      ShowSetting(caption == c.AxisTitle ? axis->Title
                  : caption == c.Line    ? axis->Line
                                         : axis->Values);
    }
  } else if (caption == c.AxisY) {
    ShowSetting(kAxisYPages.Title);
  } else if (caption == c.Curves) {
    ShowSetting("Curves");
  } else if (caption == c.Legend) {
    ShowSetting("Legend");
  } else if (caption == c.Environment) {
    ShowSetting("Environment");
  } else if (caption == c.Manual) {
    central_.ShowPage("Manual");
  } else if (caption == c.FastStart) {
    help_.ShowFirstMention(c.FastStart);
  } else if (caption == c.Log) {
    central_.ShowPage("Log");
  } else if (caption == c.Image) {
    ShowSetting("Image");
  } else {
    ShowSetting(caption);
  }
}

void TreeNavigation::TreeViewChange(QTreeWidgetItem* node) {
  if (!node) return;
  const std::string caption = S(node->text(0));
  // Moving through the tree by keyboard shows pages but never runs an action.
  if (!caption.empty() && ActionExclusionText(captions_).find(caption) != std::string::npos) {
    return;
  }
  ShowSelectedItem();
}

void TreeNavigation::TreeViewMouseDown(Qt::MouseButton button, const QPoint& pos) {
  QTreeWidgetItem* item = tree_.itemAt(pos);
  if (!item) return;
  if (button == Qt::RightButton) {
    help_.ShowManualTopic(S(item->text(0)));
  } else if (item == tree_.Selected()) {
    ShowSelectedItem();
  }
}

void TreeNavigation::TreeViewMouseMove() {
  graph_.ClearCursorPosition();
}

}  // namespace kurvex::shell
