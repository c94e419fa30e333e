#include "shell/help/manual_page.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QVBoxLayout>

#include "shell/help/rich_edit_box.h"
#include "shell/kit/guard.h"
#include "shell/kit/page_parts.h"
#include "shell/kit/qt_convert.h"

namespace kurvex::shell {

namespace {

constexpr int kFindPanelHeight = 33;
constexpr int kFindGap = 8;

// Found places are shown while the focus stays in the find field, so the selection keeps its
// colours when the box is not focused.
void KeepSelectionVisible(QWidget& box) {
  QPalette palette = box.palette();
  palette.setColor(QPalette::Base, Qt::white);
  for (auto role : {QPalette::Highlight, QPalette::HighlightedText}) {
    palette.setColor(QPalette::Inactive, role, palette.color(QPalette::Active, role));
  }
  box.setPalette(palette);
}

}  // namespace

ManualBox::ManualBox(QWidget* parent) : QTextEdit(parent) {}

void ManualBox::mousePressEvent(QMouseEvent* event) {
  QTextEdit::mousePressEvent(event);
  emit MouseDown(event->button(), event->modifiers(), false);
}

void ManualBox::mouseDoubleClickEvent(QMouseEvent* event) {
  QTextEdit::mouseDoubleClickEvent(event);
  emit MouseDown(event->button(), event->modifiers(), true);
}

ManualPage::ManualPage(QWidget* page, Dialogs& dialogs) : QObject(page), dialogs_(dialogs) {
  auto* box = new ManualBox(page);
  RichEditAbout = box;
  box->setObjectName("RichEditAbout");
  box->setReadOnly(true);
  box->setFrameShape(QFrame::NoFrame);
  box->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  box->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  box->setPlainText("Manual no found");
  KeepSelectionVisible(*box);

  auto* margin = WhitePanel("PanelManualMargin", page);
  margin->setFixedWidth(10);
  auto* row = new QHBoxLayout;
  row->setContentsMargins(0, 0, 0, 0);
  row->setSpacing(0);
  row->addWidget(margin);
  row->addWidget(box, 1);

  // The find panel places its two children itself, as PanelFindResize says.
  PanelFind = new QWidget(page);
  PanelFind->setObjectName("PanelFind");
  PanelFind->setFixedHeight(kFindPanelHeight);
  LabelFind = new QLabel("Find", PanelFind);
  LabelFind->setObjectName("LabelFind");
  LabelFind->move(kFindGap, 9);
  EditFind = new QLineEdit(PanelFind);
  EditFind->setObjectName("EditFind");
  EditFind->setGeometry(0, 5, 120, 23);

  auto* column = new QVBoxLayout(page);
  column->setContentsMargins(0, 0, 0, 0);
  column->setSpacing(0);
  column->addLayout(row, 1);
  column->addWidget(PanelFind);

  PanelFind->installEventFilter(this);
  LabelFind->installEventFilter(this);
  EditFind->installEventFilter(this);
  connect(EditFind, &QLineEdit::textChanged, this,
          [this] { Guard(dialogs_, [this] { EditFindChange(); }); });
  connect(box, &ManualBox::MouseDown, this,
          [this](Qt::MouseButton button, Qt::KeyboardModifiers modifiers, bool doubleClick) {
            Guard(dialogs_, [&] { RichEditAboutMouseDown(button, modifiers, doubleClick); });
          });
  PanelFindResize();
}

bool ManualPage::eventFilter(QObject* watched, QEvent* event) {
  if ((watched == PanelFind && event->type() == QEvent::Resize) ||
      (watched == LabelFind && event->type() == QEvent::FontChange)) {
    PanelFindResize();
  } else if (watched == EditFind && event->type() == QEvent::KeyRelease) {
    const int key = static_cast<QKeyEvent*>(event)->key();
    Guard(dialogs_, [&] { EditFindKeyUp(key); });
  }
  return QObject::eventFilter(watched, event);
}

void ManualPage::PanelFindResize() {
  LabelFind->adjustSize();
  const int left = LabelFind->x() + LabelFind->width() + kFindGap;
  EditFind->setGeometry(left, EditFind->y(), std::max(0, PanelFind->width() - left - kFindGap),
                        EditFind->height());
}

bool ManualPage::FindNext() {
  RichEditBox box(*RichEditAbout);
  return FindInRichEdit(box, S(EditFind->text()));
}

void ManualPage::EditFindChange() {
  // An empty field searches nothing, and the selection stays as it is.
  if (EditFind->text().isEmpty()) return;
  QTextCursor cursor = RichEditAbout->textCursor();
  cursor.setPosition(cursor.selectionStart());
  RichEditAbout->setTextCursor(cursor);
  FindNext();
}

void ManualPage::EditFindKeyUp(int key) {
  if (key != Qt::Key_Return && key != Qt::Key_Enter) return;
  FindNext();
  EditFind->setFocus();
}

void ManualPage::RichEditAboutMouseDown(Qt::MouseButton button, Qt::KeyboardModifiers modifiers,
                                        bool doubleClick) {
  if (button != Qt::LeftButton || !doubleClick || modifiers != Qt::NoModifier) return;
  QTextCursor cursor = RichEditAbout->textCursor();
  const QString word = cursor.selectedText();
  // One character in, the search passes over the clicked word to its next occurrence.
  cursor.setPosition(
      std::min(cursor.selectionStart() + 1, static_cast<int>(RichEditAbout->toPlainText().size())));
  RichEditAbout->setTextCursor(cursor);
  if (word != EditFind->text()) EditFind->setText(word);
}

int ManualPage::TopicPosition(const std::string& caption) const {
  const QString topic = QChar(kTopicMarker) + Q(caption);
  return static_cast<int>(RichEditAbout->toPlainText().indexOf(topic));
}

void ManualPage::ScrollNearTop(int position) {
  // From the bottom, the box scrolls up just far enough to show the place a few characters
  // before the topic, which leaves the topic's line near the top.
  QTextCursor cursor = RichEditAbout->textCursor();
  cursor.movePosition(QTextCursor::End);
  RichEditAbout->setTextCursor(cursor);
  RichEditAbout->ensureCursorVisible();
  if (position < 0) return;
  cursor.setPosition(std::max(0, position - 8));
  RichEditAbout->setTextCursor(cursor);
  RichEditAbout->ensureCursorVisible();
}

void ManualPage::SelectTopic(int start, int length) {
  ScrollNearTop(start);
  QTextCursor cursor = RichEditAbout->textCursor();
  cursor.setPosition(start);
  cursor.setPosition(start + length, QTextCursor::KeepAnchor);
  RichEditAbout->setTextCursor(cursor);
}

}  // namespace kurvex::shell
