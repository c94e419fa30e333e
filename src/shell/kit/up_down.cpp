#include "shell/kit/up_down.h"

#include <QLineEdit>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>

namespace kurvex::shell {

namespace {

QToolButton* ArrowButton(Qt::ArrowType arrow, QWidget* parent) {
  auto* button = new QToolButton(parent);
  button->setArrowType(arrow);
  button->setAutoRepeat(true);
  button->setFocusPolicy(Qt::NoFocus);
  button->setFixedSize(16, 11);
  return button;
}

}  // namespace

UpDown::UpDown(const QString& objectName, QLineEdit* edit, int minimum, int maximum, int step,
               int position, QWidget* parent)
    : QWidget(parent),
      edit_(edit),
      minimum_(minimum),
      maximum_(maximum),
      step_(step),
      position_(std::clamp(position, minimum, maximum)) {
  setObjectName(objectName);
  up_ = ArrowButton(Qt::UpArrow, this);
  down_ = ArrowButton(Qt::DownArrow, this);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addWidget(up_);
  layout->addWidget(down_);
  edit_->setText(QString::number(position_));
  connect(up_, &QToolButton::clicked, this, [this] { Step(1); });
  connect(down_, &QToolButton::clicked, this, [this] { Step(-1); });
  connect(edit_, &QLineEdit::textChanged, this, [this] { FollowEdit(); });
}

int UpDown::Clamped(int position) const {
  return std::clamp(position, minimum_, maximum_);
}

void UpDown::SetPosition(int position) {
  position_ = Clamped(position);
  edit_->setText(QString::number(position_));
}

void UpDown::Step(int direction) {
  SetPosition(static_cast<int>(std::clamp<long long>(
      static_cast<long long>(position_) + static_cast<long long>(direction) * step_, minimum_,
      maximum_)));
}

void UpDown::FollowEdit() {
  bool ok = false;
  const int value = edit_->text().trimmed().toInt(&ok);
  if (ok && value >= minimum_ && value <= maximum_) position_ = value;
}

}  // namespace kurvex::shell
