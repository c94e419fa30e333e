#include "shell/kit/columns_dialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>
#include <algorithm>

#include "shell/kit/qt_convert.h"

namespace kurvex::shell {

ColumnsDialog::ColumnsDialog(const ColumnsQuestion& question, QWidget* parent) : QDialog(parent) {
  setObjectName("DialogColumns");
  setWindowTitle(Q(question.Title));
  auto* layout = new QVBoxLayout(this);
  auto* xLabel = new QLabel(Q(question.XLabel), this);
  x_ = new QComboBox(this);
  x_->setObjectName("ComboBoxXColumn");
  x_->setAccessibleName(Q(question.XLabel));
  xLabel->setBuddy(x_);
  auto* yLabel = new QLabel(Q(question.YLabel), this);
  y_ = new QListWidget(this);
  y_->setObjectName("ListYColumns");
  y_->setAccessibleName(Q(question.YLabel));
  yLabel->setBuddy(y_);
  for (std::size_t i = 0; i < question.Names.size(); ++i) {
    const QString name = Q(question.Names[i]);
    x_->addItem(name);
    auto* item = new QListWidgetItem(name, y_);
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable | Qt::ItemIsSelectable);
    const bool drawn = std::find(question.Y.begin(), question.Y.end(), i) != question.Y.end();
    item->setCheckState(drawn ? Qt::Checked : Qt::Unchecked);
  }
  x_->setCurrentIndex(static_cast<int>(std::min(question.X, question.Names.size())));
  buttons_ = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  buttons_->setObjectName("ButtonsColumns");
  layout->addWidget(xLabel);
  layout->addWidget(x_);
  layout->addWidget(yLabel);
  layout->addWidget(y_, 1);
  layout->addWidget(buttons_);
  connect(buttons_, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons_, &QDialogButtonBox::rejected, this, &QDialog::reject);
  connect(y_, &QListWidget::itemChanged, this, [this] { FollowChecks(); });
  FollowChecks();
}

void ColumnsDialog::FollowChecks() {
  const QSignalBlocker blocker(y_);
  std::size_t checked = 0;
  for (int i = 0; i < y_->count(); ++i) {
    QListWidgetItem* item = y_->item(i);
    if (item->checkState() != Qt::Checked) continue;
    if (++checked > kMaxCurves) item->setCheckState(Qt::Unchecked);
  }
  buttons_->button(QDialogButtonBox::Ok)->setEnabled(checked > 0);
}

ColumnsAnswer ColumnsDialog::Answer() const {
  ColumnsAnswer answer;
  answer.X = static_cast<std::size_t>(std::max(0, x_->currentIndex()));
  for (int i = 0; i < y_->count(); ++i) {
    if (y_->item(i)->checkState() == Qt::Checked) answer.Y.push_back(static_cast<std::size_t>(i));
  }
  return answer;
}

}  // namespace kurvex::shell
