#include "shell/pages/settings_page.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLineEdit>
#include <QMouseEvent>
#include <QScrollArea>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "common/error.h"
#include "common/number_text.h"
#include "shell/kit/color_panel.h"
#include "shell/kit/page_parts.h"
#include "shell/kit/qt_convert.h"
#include "shell/kit/up_down.h"
#include "shell/pages/page_graph.h"

namespace kurvex::shell {

namespace {

constexpr int kNumberWidth = 44;

}  // namespace

MouseClicks::MouseClicks(QWidget* watched) : QObject(watched) {
  watched->installEventFilter(this);
}

bool MouseClicks::eventFilter(QObject*, QEvent* event) {
  if (event->type() == QEvent::MouseButtonDblClick) {
    emit DoubleClicked();
  } else if (event->type() == QEvent::MouseButtonRelease &&
             static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
    emit Clicked();
  }
  return false;
}

SettingsPage::SettingsPage(QWidget* page, const char* scrollBoxName, const char* contentName)
    : QObject(page) {
  auto* scroll = new QScrollArea(page);
  scroll->setObjectName(scrollBoxName);
  scroll->setWidgetResizable(true);
  scroll->setFrameShape(QFrame::NoFrame);
  scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  content_ = new QWidget;
  content_->setObjectName(contentName);
  scroll->setWidget(content_);
  auto* outer = new QVBoxLayout(page);
  outer->setContentsMargins(0, 0, 0, 0);
  outer->addWidget(scroll);

  layout_ = new QVBoxLayout(content_);
  layout_->setContentsMargins(4, 4, 1, 6);
  grid_ = new QGridLayout;
  grid_->setHorizontalSpacing(3);
  grid_->setVerticalSpacing(5);
  // The caption column takes what the fixed number column leaves, so longer captions of other
  // languages wrap instead of pushing the edits out of a narrow panel.
  grid_->setColumnStretch(0, 1);
  layout_->addLayout(grid_);
  layout_->addStretch(1);
}

void SettingsPage::Bind(PageHub& hub) {
  hub_ = &hub;
  Connect();
}

GraphModel& SettingsPage::Model() const {
  return hub_->Graph().Model();
}

void SettingsPage::Redraw() const {
  hub_->Graph().RepaintIfAuto();
}

ClickLabel* SettingsPage::Heading(const char* name, const char* text) {
  auto* label = new ClickLabel(name, text, content_);
  label->setCursor(Qt::ArrowCursor);
  label->setWordWrap(true);
  StyleAsHeading(label);
  grid_->addWidget(label, NextRow(), 0, 1, 4);
  return label;
}

QCheckBox* SettingsPage::Check(const char* name, const char* text, bool checked) {
  auto* box = new QCheckBox(text, content_);
  box->setObjectName(name);
  box->setChecked(checked);
  grid_->addWidget(box, NextRow(), 0, 1, 4);
  return box;
}

SpinField SettingsPage::Spin(const char* labelName, const char* text, const char* editName,
                             const char* spinnerName, int min, int max, int step, int position,
                             const char* autoName) {
  SpinField field;
  const int row = NextRow();
  field.Label = new QLabel(text, content_);
  field.Label->setObjectName(labelName);
  field.Label->setWordWrap(true);
  field.Edit = new QLineEdit(content_);
  field.Edit->setObjectName(editName);
  field.Edit->setFixedWidth(kNumberWidth);
  field.Edit->setAlignment(Qt::AlignRight);
  field.Label->setBuddy(field.Edit);
  field.Spinner = new UpDown(spinnerName, field.Edit, min, max, step, position, content_);
  FollowCaption(field.Spinner, field.Label, " spinner");
  grid_->addWidget(field.Label, row, 0);
  grid_->addWidget(field.Edit, row, 1);
  grid_->addWidget(field.Spinner, row, 2);
  if (autoName) {
    field.Auto = new QCheckBox("Auto", content_);
    field.Auto->setObjectName(autoName);
    FollowCaption(field.Auto, field.Label, " Auto");
    field.Auto->setChecked(true);
    field.Edit->setEnabled(false);
    field.Spinner->setEnabled(false);
    grid_->addWidget(field.Auto, row, 3);
  }
  return field;
}

QLineEdit* SettingsPage::WideEdit(const char* labelName, const char* text, const char* editName,
                                  ClickLabel** label) {
  auto* caption = new ClickLabel(labelName, text, content_);
  caption->setCursor(Qt::ArrowCursor);
  caption->setWordWrap(true);
  auto* edit = new QLineEdit(content_);
  edit->setObjectName(editName);
  caption->setBuddy(edit);
  grid_->addWidget(caption, NextRow(), 0, 1, 4);
  grid_->addWidget(edit, NextRow(), 0, 1, 4);
  if (label) *label = caption;
  return edit;
}

QLineEdit* SettingsPage::NumberRow(const char* labelName, const char* text, const char* editName) {
  const int row = NextRow();
  auto* caption = new QLabel(text, content_);
  caption->setObjectName(labelName);
  caption->setWordWrap(true);
  auto* edit = new QLineEdit(content_);
  edit->setObjectName(editName);
  edit->setMinimumWidth(kNumberWidth);
  caption->setBuddy(edit);
  grid_->addWidget(caption, row, 0);
  grid_->addWidget(edit, row, 1, 1, 3);
  return edit;
}

ColorPanel* SettingsPage::Swatch(const char* labelName, const char* text, const char* panelName,
                                 const char* accessibleName, ClickLabel** label) {
  const int row = NextRow();
  *label = new ClickLabel(labelName, text, content_);
  (*label)->setWordWrap(true);
  auto* panel = new ColorPanel(panelName, content_);
  // A swatch named like its caption keeps that name in every language.
  if (QString(accessibleName) == text) {
    FollowCaption(panel, *label);
  } else {
    panel->setAccessibleName(accessibleName);
  }
  panel->setFocusPolicy(Qt::TabFocus);
  grid_->addWidget(*label, row, 0);
  // One cell: a swatch across several columns would stack its width onto the caption column's
  // share of the full-width rows and make the page wider than a narrow panel.
  grid_->addWidget(panel, row, 1, Qt::AlignLeft);
  return panel;
}

void SettingsPage::Row(QWidget* widget, bool stretch) {
  const int row = NextRow();
  grid_->addWidget(widget, row, 0, 1, 4);
  if (stretch) {
    grid_->setRowStretch(row, 1);
    layout_->setStretch(0, 1);
    layout_->setStretch(1, 0);
  }
}

void SettingsPage::FollowCaption(QWidget* widget, const QLabel* label, const QString& suffix) {
  widget->setAccessibleName(label->text() + suffix);
  followers_.push_back({widget, label, suffix});
}

void SettingsPage::CaptionsChanged() {
  for (const Follower& f : followers_) {
    if (f.Widget && f.Label) f.Widget->setAccessibleName(f.Label->text() + f.Suffix);
  }
  // Laid out when next shown: a hidden page has no width yet to wrap its captions in.
  layout_->invalidate();
}

std::optional<int32_t> SettingsPage::ReadInt(QLineEdit* edit) const {
  try {
    const int32_t value = TextToInt(S(edit->text()));
    hub_->TypedValueOk(edit);
    return value;
  } catch (const Error& e) {
    hub_->TypedValueBad(edit, e.what());
    return std::nullopt;
  }
}

std::optional<Real48> SettingsPage::ReadFloat(QLineEdit* edit) const {
  try {
    return Real48::From(TextToFloat(S(edit->text())));
  } catch (const Error&) {
    // Half-typed numbers are normal while typing; the model keeps its value.
    return std::nullopt;
  }
}

void SettingsPage::SetPosition(const SpinField& field, int value) {
  field.Spinner->SetPosition(value);
  field.Edit->setText(QString::number(value));
}

void SettingsPage::SetText(QLineEdit* edit, const std::string& text) {
  edit->setText(Q(text));
}

void SettingsPage::SetChecked(QCheckBox* box, bool checked) {
  box->setChecked(checked);
}

void SettingsPage::ShowMoved(const SpinField& field, int position) {
  const QSignalBlocker blockEdit(field.Edit), blockAuto(field.Auto);
  SetPosition(field, position);
  field.Auto->setChecked(false);
  field.Edit->setEnabled(true);
  field.Spinner->setEnabled(true);
}

void SettingsPage::ApplyAuto(const SpinField& field, bool& flag) {
  flag = field.Auto->isChecked();
  field.Edit->setEnabled(!flag);
  field.Spinner->setEnabled(!flag);
  Redraw();
}

void SettingsPage::StoreInt(QLineEdit* edit, int32_t& field) {
  if (const auto value = ReadInt(edit)) {
    field = *value;
    Redraw();
  }
}

void SettingsPage::StoreCheck(QCheckBox* box, bool& field) {
  field = box->isChecked();
  Redraw();
}

void SettingsPage::StoreText(QLineEdit* edit, std::string& field) {
  field = S(edit->text());
  Redraw();
}

void SettingsPage::StoreFloat(QLineEdit* edit, Real48& field) {
  Quietly([&] {
    if (const auto value = ReadFloat(edit)) {
      field = *value;
      Redraw();
    }
  });
}

void SettingsPage::EditFont(TMyFont& font) {
  Graph().PickFont(font);
  Redraw();
}

}  // namespace kurvex::shell
