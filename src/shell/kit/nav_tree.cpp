#include "shell/kit/nav_tree.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPixmap>
#include <QTreeWidgetItemIterator>

#include "shell/kit/captions.h"
#include "shell/kit/tree_icons.h"

namespace kurvex::shell {

namespace {

// Parent of each item by absolute index; -1 for top-level items.
constexpr std::array<int, kTreeItemCount> kParents = {-1, -1, 1,  1, 1, 1, 1,  6,  6,  6,  1,
                                                      10, 10, 10, 1, 1, 1, -1, -1, 18, 19, 18};

}  // namespace

NavTree::NavTree(QWidget* parent) : QTreeWidget(parent) {
  setObjectName("TreeView");
  setHeaderHidden(true);
  setFrameShape(QFrame::NoFrame);
  setIndentation(19);
  setRootIsDecorated(false);
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  setSelectionMode(QAbstractItemView::SingleSelection);
  setMouseTracking(true);
  viewport()->setMouseTracking(true);
  setIconSize(QSize(16, 16));
}

void NavTree::BuildItems() {
  clear();
  std::array<QTreeWidgetItem*, kTreeItemCount> items{};
  for (int i = 0; i < kTreeItemCount; ++i) {
    const int parent = kParents[i];
    items[i] = parent < 0 ? new QTreeWidgetItem(this) : new QTreeWidgetItem(items[parent]);
    items[i]->setText(0, kTreeDesignTexts[i]);
  }
}

void NavTree::SetTreeImages() {
  // Items without a picture get an empty one, so that all texts of a level line up.
  QPixmap blank(16, 16);
  blank.fill(Qt::transparent);
  for (int i = 0; i < ItemCount(); ++i) ItemAt(i)->setIcon(0, QIcon(blank));
  for (auto [item, image] : {std::pair{17, 5}, {1, 1}, {3, 3}, {4, 4}, {0, 7}, {19, 8}}) {
    if (QTreeWidgetItem* node = ItemAt(item)) node->setIcon(0, TreeStateImage(image));
  }
}

QTreeWidgetItem* NavTree::ItemAt(int absoluteIndex) const {
  if (absoluteIndex < 0) return nullptr;
  int index = 0;
  for (QTreeWidgetItemIterator it(const_cast<NavTree*>(this)); *it; ++it, ++index) {
    if (index == absoluteIndex) return *it;
  }
  return nullptr;
}

int NavTree::AbsoluteIndex(const QTreeWidgetItem* item) const {
  int index = 0;
  for (QTreeWidgetItemIterator it(const_cast<NavTree*>(this)); *it; ++it, ++index) {
    if (*it == item) return index;
  }
  return -1;
}

int NavTree::ItemCount() const {
  int count = 0;
  for (QTreeWidgetItemIterator it(const_cast<NavTree*>(this)); *it; ++it) ++count;
  return count;
}

QTreeWidgetItem* NavTree::Selected() const {
  const QList<QTreeWidgetItem*> selected = selectedItems();
  return selected.isEmpty() ? nullptr : selected.first();
}

void NavTree::mousePressEvent(QMouseEvent* event) {
  // Only a left press on an item selects: a right press asks for help, and a press beside the
  // items would clear the selection, which is the remembered tree item.
  const QPoint pos = event->position().toPoint();
  if (event->button() == Qt::LeftButton && itemAt(pos)) {
    QTreeWidget::mousePressEvent(event);
  } else {
    setFocus(Qt::MouseFocusReason);
  }
  emit MouseDown(event->button(), pos);
}

void NavTree::mouseMoveEvent(QMouseEvent* event) {
  QTreeWidget::mouseMoveEvent(event);
  emit MouseMoved();
}

void NavTree::keyPressEvent(QKeyEvent* event) {
  if (event->key() != Qt::Key_Return && event->key() != Qt::Key_Enter) {
    QTreeWidget::keyPressEvent(event);
    return;
  }
  if (QTreeWidgetItem* item = Selected(); item && item->childCount() > 0) {
    item->setExpanded(!item->isExpanded());
  }
}

}  // namespace kurvex::shell
