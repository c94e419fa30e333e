#pragma once

#include <QObject>
#include <QPointer>
#include <QString>
#include <optional>
#include <string>
#include <vector>

#include "graph/model.h"
#include "shell/kit/guard.h"
#include "shell/kit/up_down.h"
#include "shell/pages/page_hub.h"

class QCheckBox;
class QGridLayout;
class QLabel;
class QLineEdit;
class QVBoxLayout;
class QWidget;

namespace kurvex::shell {

class ClickLabel;
class ColorPanel;
class PageGraph;
class UpDown;

/// Reports clicks and double clicks on a widget that has no such signals (edits).
class MouseClicks : public QObject {
  Q_OBJECT

 public:
  explicit MouseClicks(QWidget* watched);

 signals:
  void Clicked();
  void DoubleClicked();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
};

/// An edit for a whole number with its spinner and, for positions, the Auto box beside them.
struct SpinField {
  QLabel* Label = nullptr;
  QLineEdit* Edit = nullptr;
  UpDown* Spinner = nullptr;
  QCheckBox* Auto = nullptr;
};

/// The pattern of every settings page: the constructor builds the controls in their design
/// state into a scrolling page, `Bind` connects the handlers once the graph window exists, and
/// `Fill` copies the model into the controls, which runs the handlers as a user's change would.
class SettingsPage : public QObject {
  Q_OBJECT

 public:
  /// Builds into the notebook page `page`; the controls sit in a scroll box of the first name, on
  /// a widget of the second.
  SettingsPage(QWidget* page, const char* scrollBoxName, const char* contentName);

  /// Connects the handlers; from now on a change of a control, also by the program, runs them.
  void Bind(PageHub& hub);
  /// Model to controls.
  virtual void Fill() {}

  QWidget* Content() const { return content_; }

  /// After a language change: names read out for a control follow its new caption, and the page
  /// is laid out again so that longer captions fit.
  void CaptionsChanged();

 protected:
  virtual void Connect() = 0;

  PageGraph& Graph() const { return hub_->Graph(); }
  GraphModel& Model() const;
  PageHub& Hub() const { return *hub_; }
  void Redraw() const;

  // --- building, top to bottom (so the tab order runs top to bottom too) -----------------
  /// The heading strip; a clickable one opens a font dialog on some pages.
  ClickLabel* Heading(const char* name, const char* text);
  QCheckBox* Check(const char* name, const char* text, bool checked = true);
  /// Label, edit and spinner in one row; with `autoName`, an Auto box (checked, so the edit and
  /// spinner start disabled) after them.
  SpinField Spin(const char* labelName, const char* text, const char* editName,
                 const char* spinnerName, int min, int max, int step, int position,
                 const char* autoName = nullptr);
  /// An edit for free text (or a number) under its caption, as wide as the page.
  QLineEdit* WideEdit(const char* labelName, const char* text, const char* editName,
                      ClickLabel** label = nullptr);
  /// A caption and an edit for a number side by side.
  QLineEdit* NumberRow(const char* labelName, const char* text, const char* editName);
  ColorPanel* Swatch(const char* labelName, const char* text, const char* panelName,
                     const char* accessibleName, ClickLabel** label);
  /// Any other widget across the page; `stretch` lets it take the remaining height.
  void Row(QWidget* widget, bool stretch = false);
  /// The accessible name of `widget` is `label`'s caption + `suffix`, now and after every
  /// language change.
  void FollowCaption(QWidget* widget, const QLabel* label, const QString& suffix = {});
  QWidget* Parent() const { return content_; }
  QGridLayout* Grid() const { return grid_; }
  int NextRow() { return row_++; }

  // --- binding ------------------------------------------------------------------------------
  /// Binds a signal to a handler that runs through the hub (error guard, undo step).
  template <class Sender, class Signal, class Page>
  void On(Sender* sender, Signal signal, void (Page::*handler)()) {
    Page* page = static_cast<Page*>(this);
    const std::string control = sender->objectName().toStdString();
    QObject::connect(sender, signal, this, [this, page, handler, control] {
      hub_->Run(control, [&] { (page->*handler)(); });
    });
  }

  // --- reading: the handler kinds --------------------------------------------------------
  /// int: the whole text as a signed 32-bit integer; text that is not is reported in the
  /// message line and gives nothing.
  std::optional<int32_t> ReadInt(QLineEdit* edit) const;
  /// float: the text in the user's locale as a 48-bit real; any failure gives nothing, silently.
  std::optional<Real48> ReadFloat(QLineEdit* edit) const;

  // --- filling: a change runs the control's handler, the same value runs nothing -----------
  /// The spinner's position first, then the edit's text to the exact value.
  static void SetPosition(const SpinField& field, int value);
  static void SetText(QLineEdit* edit, const std::string& text);
  static void SetChecked(QCheckBox* box, bool checked);
  /// A position field showing `position` with its Auto box clear, its handlers not run.
  static void ShowMoved(const SpinField& field, int position);

  /// A placed element's Left and Top, each spinner first, each followed by its Auto box.
  template <class Placed>
  static void SetPlacement(const SpinField& left, const SpinField& top, const Placed& placed) {
    SetPosition(left, placed.Left);
    SetChecked(left.Auto, placed.LeftAuto);
    SetPosition(top, placed.Top);
    SetChecked(top.Auto, placed.TopAuto);
  }

  /// A placed element moved to (left, top), as a drag on the graph moves it: its Auto flags
  /// cleared, each position kept to its spinner's range. The controls show it without running
  /// their handlers; the caller makes it an undo step and draws.
  template <class Placed>
  static void MovePlaced(const SpinField& left, const SpinField& top, Placed& placed, int x,
                         int y) {
    placed.LeftAuto = false;
    placed.TopAuto = false;
    placed.Left = left.Spinner->Clamped(x);
    placed.Top = top.Spinner->Clamped(y);
    ShowMoved(left, placed.Left);
    ShowMoved(top, placed.Top);
  }

  /// The Auto rule: the flag from the box, the position editable exactly while it is clear.
  void ApplyAuto(const SpinField& field, bool& flag);

  // --- the common handler bodies: read, store, redraw ---------------------------------------
  void StoreInt(QLineEdit* edit, int32_t& field);
  void StoreCheck(QCheckBox* box, bool& field);
  void StoreText(QLineEdit* edit, std::string& field);
  /// The redraw happens inside the silent guard too: bad text stores and draws nothing.
  void StoreFloat(QLineEdit* edit, Real48& field);
  /// The font dialog on the record; a redraw whether it was confirmed or not.
  void EditFont(TMyFont& font);

 private:
  QWidget* content_;
  QVBoxLayout* layout_;
  QGridLayout* grid_;
  int row_ = 0;
  PageHub* hub_ = nullptr;
  struct Follower {
    QPointer<QWidget> Widget;
    QPointer<const QLabel> Label;
    QString Suffix;
  };
  std::vector<Follower> followers_;
};

}  // namespace kurvex::shell
