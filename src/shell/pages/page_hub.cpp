#include "shell/pages/page_hub.h"

#include <QLineEdit>

#include "shell/kit/guard.h"
#include "shell/kit/message_line.h"
#include "shell/kit/painting_off.h"
#include "shell/kit/qt_convert.h"
#include "shell/pages/page_graph.h"

namespace kurvex::shell {

PageHub::PageHub(Dialogs& dialogs, MessageLine& messages, QObject* parent)
    : QObject(parent), dialogs_(dialogs), messages_(messages) {}

void PageHub::Run(const std::string& control, const std::function<void()>& handler) {
  const bool userStep = depth_ == 0 && !filling_ && graph_;
  GraphModel before;
  if (userStep) before = graph_->Model();
  ++depth_;
  Guard(dialogs_, handler);
  --depth_;
  if (userStep) history_.Record(control, before, graph_->Model());
}

void PageHub::Step(const std::function<void()>& action) {
  // Never merged with the step before: the name is new every time.
  Run("#action" + std::to_string(++actions_), action);
}

void PageHub::TypedValueBad(QLineEdit* edit, const std::string& message) {
  edit->setProperty("invalid", true);
  edit->setStyleSheet("background: #ffd6d6;");
  messages_.ShowMessage(Q(message), edit);
}

void PageHub::TypedValueOk(QLineEdit* edit) {
  if (edit->property("invalid").toBool()) {
    edit->setProperty("invalid", false);
    edit->setStyleSheet(QString());
  }
  messages_.ClearFor(edit);
}

bool PageHub::Undo() {
  if (!graph_) return false;
  auto style = history_.Undo(graph_->Model());
  if (style) Restore(*style);
  return style.has_value();
}

bool PageHub::Redo() {
  if (!graph_) return false;
  auto style = history_.Redo(graph_->Model());
  if (style) Restore(*style);
  return style.has_value();
}

void PageHub::Restore(const GraphModel& style) {
  GraphModel& model = graph_->Model();
  {
    const PaintingOff off(graph_->Engine().PaintEnabled);
    // Inside a handler: the fill's handler runs are no steps of their own.
    ++depth_;
    Guard(dialogs_, [&] {
      model = style;
      if (FillPages) FillPages();
      // A fill may round what it shows; the step restores the style exactly.
      model = style;
      graph_->SetBackgroundColor(model.BackGroundColor);
      graph_->SetStatusBarVisible(model.StatusBarVisible);
    });
    --depth_;
  }
  Guard(dialogs_, [&] { graph_->RepaintIfAuto(); });
}

}  // namespace kurvex::shell
