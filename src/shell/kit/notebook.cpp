#include "shell/kit/notebook.h"

namespace kurvex::shell {

Notebook::Notebook(const QString& objectName, QWidget* parent) : QStackedWidget(parent) {
  setObjectName(objectName);
}

QWidget* Notebook::AddPage(const QString& name) {
  auto* page = new QWidget(this);
  page->setObjectName(name);
  addWidget(page);
  return page;
}

QWidget* Notebook::Page(const QString& name) const {
  for (int i = 0; i < count(); ++i) {
    if (widget(i)->objectName().compare(name, Qt::CaseInsensitive) == 0) return widget(i);
  }
  return nullptr;
}

void Notebook::ShowPage(const QString& name) {
  if (QWidget* page = Page(name)) setCurrentWidget(page);
}

QString Notebook::ActivePage() const {
  return currentWidget() ? currentWidget()->objectName() : QString();
}

}  // namespace kurvex::shell
