#pragma once

#include <QObject>
#include <QTextEdit>
#include <string>

class QLabel;
class QLineEdit;

namespace kurvex::shell {

class Dialogs;

/// The box that shows the manual; reports a press of the mouse, a double click only after the
/// box has selected the word under the pointer.
class ManualBox : public QTextEdit {
  Q_OBJECT

 public:
  explicit ManualBox(QWidget* parent = nullptr);

 signals:
  void MouseDown(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, bool doubleClick);

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
};

/// The "Manual" page: the manual box with a margin on its left and the find panel below it.
class ManualPage : public QObject {
  Q_OBJECT

 public:
  /// Builds the page's widgets on `page`; the handlers run inside the error guard.
  ManualPage(QWidget* page, Dialogs& dialogs);

  /// The topic marker that precedes a tree caption in the manual.
  static constexpr char16_t kTopicMarker = u'\u2026';

  /// Lays the find field out after the label, whose caption may have changed.
  void PanelFindResize();
  /// Searches from the start of the current match, so that typing extends the match in place.
  void EditFindChange();
  /// Enter in the find field steps to the next match.
  void EditFindKeyUp(int key);
  /// A plain double click puts the clicked word into the find field.
  void RichEditAboutMouseDown(Qt::MouseButton button, Qt::KeyboardModifiers modifiers,
                              bool doubleClick);
  /// Selects the next match of the find text after the selection; false when there is none.
  bool FindNext();
  /// The UTF-16 offset of the topic marker followed by `caption`, or -1.
  int TopicPosition(const std::string& caption) const;
  /// Puts the caret a few characters before `position`, coming from the end of the text so that
  /// the place shows near the top of the box; a negative position leaves the caret at the end.
  void ScrollNearTop(int position);
  /// Selects `length` characters at `start`, with their line brought into view near the top.
  void SelectTopic(int start, int length);

  QTextEdit* RichEditAbout = nullptr;
  QWidget* PanelFind = nullptr;
  QLabel* LabelFind = nullptr;
  QLineEdit* EditFind = nullptr;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  Dialogs& dialogs_;
};

}  // namespace kurvex::shell
