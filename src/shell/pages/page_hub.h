#pragma once

#include <QObject>
#include <functional>
#include <string>

#include "shell/pages/undo_history.h"

class QLineEdit;

namespace kurvex::shell {

class Dialogs;
class MessageLine;
class PageGraph;

/// What the settings pages share: the graph window, the error report, the message line for
/// typed values, and the undo history of the user's own steps.
class PageHub : public QObject {
  Q_OBJECT

 public:
  PageHub(Dialogs& dialogs, MessageLine& messages, QObject* parent = nullptr);

  void SetGraph(PageGraph& graph) { graph_ = &graph; }
  PageGraph& Graph() const { return *graph_; }
  Dialogs& Errors() const { return dialogs_; }

  /// Runs a control's handler inside the error guard. A change the user makes (not one the
  /// program makes while filling, nor one a handler makes to another control) is an undo step.
  void Run(const std::string& control, const std::function<void()>& handler);
  /// A user's action that is one undo step of its own, such as loading an options file.
  void Step(const std::function<void()>& action);

  /// While one lives, the program writes controls from the model: what their handlers do is
  /// no undo step.
  class Filling {
   public:
    explicit Filling(PageHub& hub) : hub_(hub), before_(hub.filling_) { hub.filling_ = true; }
    ~Filling() { hub_.filling_ = before_; }
    Filling(const Filling&) = delete;
    Filling& operator=(const Filling&) = delete;

   private:
    PageHub& hub_;
    bool before_;
  };

  /// A typed value that does not convert: said in the message line, the edit marked.
  void TypedValueBad(QLineEdit* edit, const std::string& message);
  /// The edit's text converts again: the mark and its message go.
  void TypedValueOk(QLineEdit* edit);

  /// Goes back one step or forward again: the style is restored, the pages filled from it
  /// (their rules may not change values the user never touched, so the style is restored once
  /// more after the fill), and the graph drawn once.
  bool Undo();
  bool Redo();
  UndoHistory& History() { return history_; }

  /// Fills every page from the model; set by the main window.
  std::function<void()> FillPages;

 private:
  void Restore(const GraphModel& style);

  Dialogs& dialogs_;
  MessageLine& messages_;
  PageGraph* graph_ = nullptr;
  UndoHistory history_;
  int depth_ = 0;
  bool filling_ = false;
  int actions_ = 0;
};

}  // namespace kurvex::shell
