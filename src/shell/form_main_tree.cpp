// Navigation: the tree's items, which page each one shows, and the captions they compare with.
#include <QPixmap>
#include <QTextEdit>

#include "common/app_dir.h"
#include "shell/browser/file_browser.h"
#include "shell/form_kurvex.h"
#include "shell/form_main.h"
#include "shell/help/manual_page.h"
#include "shell/loadini_page.h"
#include "shell/nav_tree.h"
#include "shell/notebook.h"
#include "shell/qt_convert.h"
#include "shell/tree_icons.h"

namespace kurvex::shell {

namespace {

/// Turns painting back on when the item's rule is done, also when the rule failed, so that a
/// failed action does not leave the graph frozen.
class PaintingOff {
 public:
  explicit PaintingOff(TFormKurvex& graph) : graph_(graph) { graph_.SetPaintEnabled(false); }
  ~PaintingOff() { graph_.SetPaintEnabled(true); }
  PaintingOff(const PaintingOff&) = delete;
  PaintingOff& operator=(const PaintingOff&) = delete;

 private:
  TFormKurvex& graph_;
};

std::string ParentCaption(const QTreeWidgetItem* item) {
  return item->parent() ? S(item->parent()->text(0)) : std::string();
}

}  // namespace

void TFormMain::ShowSetting(const std::string& page) {
  notebookSetting_->ShowPage(Q(page));
}

void TFormMain::ShowSelectedItem() {
  QTreeWidgetItem* item = treeView_->Selected();
  if (!item) return;
  const PaintingOff paintingOff(*graph_);
  const std::string caption = S(item->text(0));
  const ItemCaptions& c = captions_;
  if (caption == c.About) {
    notebookImage_->ShowPage("About");
    return;
  }
  notebookImage_->ShowPage("GraphImage");
  if (caption == c.Data) {
    ShowSetting("Data");
  } else if (caption == c.Graph) {
    ShowSetting("Image");
  } else if (caption == c.Repaint) {
    graph_->RepaintGraph();
  } else if (caption == c.LoadOther) {
    ShowSetting("LoadIni");
    loadIni_->Browser->SetDirectory(Q(ApplicationPath(AppPath::Styles)));
    loadIni_->Browser->Files()->setFocus();
  } else if (caption == c.SaveOther) {
    const std::string parent = ParentCaption(item);
    SaveOtherOptions();
    ShowSetting(parent);
  } else if (caption == c.Title) {
    ShowSetting("Graph Title");
  } else if (caption == c.AxisX) {
    ShowSetting("Axis X Title");
  } else if (caption == c.AxisTitle || caption == c.Line || caption == c.Values) {
    const char* part = caption == c.AxisTitle ? "Title" : caption == c.Line ? "Line" : "Values";
    const std::string parent = ParentCaption(item);
    if (parent == c.AxisX) {
      ShowSetting(std::string("Axis X ") + part);
    } else if (parent == c.AxisY) {
      ShowSetting(std::string("Axis Y ") + part);
    }
  } else if (caption == c.AxisY) {
    ShowSetting("Axis Y Title");
  } else if (caption == c.Curves) {
    ShowSetting("Curves");
  } else if (caption == c.Legend) {
    ShowSetting("Legend");
  } else if (caption == c.Environment) {
    ShowSetting("Environment");
  } else if (caption == c.Manual) {
    notebookImage_->ShowPage("Manual");
  } else if (caption == c.FastStart) {
    notebookImage_->ShowPage("Manual");
    // The first mention, topic or not.
    manual_->ScrollNearTop(static_cast<int>(richEditAbout_->toPlainText().indexOf(Q(c.FastStart))));
  } else if (caption == c.Log) {
    notebookImage_->ShowPage("Log");
  } else if (caption == c.Image) {
    ShowSetting("Image");
  } else {
    ShowSetting(caption);
  }
}

void TFormMain::TreeViewChange(QTreeWidgetItem* node) {
  if (!node) return;
  const std::string caption = S(node->text(0));
  // Moving through the tree by keyboard shows pages but never runs an action.
  if (!caption.empty() && ActionExclusionText(captions_).find(caption) != std::string::npos) {
    return;
  }
  ShowSelectedItem();
}

void TFormMain::TreeViewMouseDown(Qt::MouseButton button, const QPoint& pos) {
  QTreeWidgetItem* item = treeView_->itemAt(pos);
  if (!item) return;
  if (button == Qt::RightButton) {
    ShowManualTopic(S(item->text(0)));
  } else if (item == treeView_->Selected()) {
    ShowSelectedItem();
  }
}

void TFormMain::TreeViewMouseMove() {
  graph_->ClearCursorPosition();
}

void TFormMain::SetTreeImages() {
  // Items without a picture get an empty one, so that all texts of a level line up.
  QPixmap blank(16, 16);
  blank.fill(Qt::transparent);
  for (int i = 0; i < treeView_->ItemCount(); ++i) treeView_->ItemAt(i)->setIcon(0, QIcon(blank));
  for (auto [item, image] : {std::pair{17, 5}, {1, 1}, {3, 3}, {4, 4}, {0, 7}, {19, 8}}) {
    if (QTreeWidgetItem* node = treeView_->ItemAt(item)) node->setIcon(0, TreeStateImage(image));
  }
}

}  // namespace kurvex::shell
