#pragma once

#include <gtest/gtest.h>
#include <QApplication>
#include <QTemporaryDir>
#include <QTest>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>

#include "common/app_dir.h"
#include "common/error.h"
#include "common/ini_file.h"
#include "graph/graph_image.h"
#include "shell/graph_window/graph_window.h"
#include "shell/help/help_desk.h"
#include "shell/help/manual_page.h"
#include "shell/kit/dialogs.h"
#include "shell/kit/nav_tree.h"
#include "shell/kit/notebook.h"
#include "shell/window/data_files.h"
#include "shell/window/form_main.h"
#include "shell/window/languages.h"
#include "shell/window/options_actions.h"

inline void PrintTo(const QString& text, std::ostream* out) {
  *out << '"' << text.toStdString() << '"';
}

namespace kurvex::shell {

/// Runs the event loop until `done` holds or the time is up. QTRY_ macros report to Qt's own
/// test runner and leave a GoogleTest test quietly instead of failing it.
template <typename Condition>
bool Eventually(Condition done, int milliseconds = 3000) {
  return QTest::qWaitFor(done, milliseconds);
}

/// Whether picture bytes start as a file of that format does.
inline bool HasImageSignature(const std::string& bytes, ImageFormat format) {
  const auto startsWith = [&](std::string_view head) { return bytes.rfind(head, 0) == 0; };
  switch (format) {
    case ImageFormat::kBmp:
      return startsWith("BM");
    case ImageFormat::kPng:
      return startsWith("\x89PNG");
    case ImageFormat::kSvg:
      return startsWith("<svg") || startsWith("<?xml");
    case ImageFormat::kPdf:
      return startsWith("%PDF");
  }
  return false;
}

/// Answers the dialogs as a test tells it and remembers what they were asked.
class RecordingDialogs : public Dialogs {
 public:
  std::optional<TColor> PickColor(TColor initial,
                                  const std::vector<std::string>& customColors) override {
    ColorRequests.push_back(initial);
    CustomColors = customColors;
    return ColorAnswer;
  }
  std::optional<DialogFont> PickFont(const DialogFont& initial) override {
    FontRequests.push_back(initial);
    return FontAnswer;
  }
  std::optional<std::string> SaveFileName(const SaveDialogOptions& options) override {
    SaveRequests.push_back(options);
    return SaveAnswer;
  }
  std::optional<std::string> OpenFileName(const OpenDialogOptions& options) override {
    OpenRequests.push_back(options);
    return OpenAnswer;
  }
  std::optional<SaveDialogChoice> SaveFileAndFilter(const SaveDialogOptions& options) override {
    SaveRequests.push_back(options);
    if (!SaveAnswer) return std::nullopt;
    return SaveDialogChoice{*SaveAnswer, FilterAnswer.value_or(options.FilterIndex)};
  }
  void ShowError(const std::string& message) override { Errors.push_back(message); }
  std::optional<ColumnsAnswer> ChooseColumns(const ColumnsQuestion& question) override {
    ColumnsQuestions.push_back(question);
    return ColumnsChoice;
  }
  OptionsConflictAnswer AskOptionsConflict(const OptionsConflictQuestion& question) override {
    ConflictQuestions.push_back(question);
    return ConflictAnswer;
  }

  std::optional<TColor> ColorAnswer;
  std::vector<TColor> ColorRequests;
  std::vector<std::string> CustomColors;
  std::optional<DialogFont> FontAnswer;
  std::vector<DialogFont> FontRequests;
  std::optional<std::string> SaveAnswer;
  /// The filter the answer comes with; nothing: the one selected at first.
  std::optional<int> FilterAnswer;
  std::vector<SaveDialogOptions> SaveRequests;
  std::optional<std::string> OpenAnswer;
  std::vector<OpenDialogOptions> OpenRequests;
  std::vector<std::string> Errors;
  std::optional<ColumnsAnswer> ColumnsChoice;
  std::vector<ColumnsQuestion> ColumnsQuestions;
  OptionsConflictAnswer ConflictAnswer = OptionsConflictAnswer::kKeepMine;
  std::vector<OptionsConflictQuestion> ConflictQuestions;
};

/// Both windows in a fresh temporary application directory, created in the program's order.
class ShellTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dir_.isValid());
    appDir_ = dir_.path().toStdString() + "/";
    SetApplicationDirectory(appDir_);
  }

  void TearDown() override {
    main_.reset();
    graph_.reset();
  }

  /// Creates the windows; `show` runs the first show with its options load.
  void Start(bool show = true) {
    main_ = std::make_unique<TFormMain>(dialogs_);
    graph_ = std::make_unique<TFormKurvex>(dialogs_);
    main_->SetGraphWindow(*graph_);
    if (show) {
      main_->show();
      ASSERT_TRUE(QTest::qWaitForWindowExposed(main_.get()));
    }
  }

  std::string Path(const std::string& relative) const { return appDir_ + relative; }

  void Write(const std::string& relative, const std::string& content) {
    const std::string path = Path(relative);
    QDir().mkpath(QFileInfo(QString::fromStdString(path)).path());
    std::ofstream(path, std::ios::binary) << content;
  }

  std::string Read(const std::string& relative) const {
    std::ifstream in(Path(relative), std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
  }

  bool Exists(const std::string& relative) const {
    return QFileInfo::exists(QString::fromStdString(Path(relative)));
  }

  template <class T>
  T* Find(const char* name) const {
    T* widget = main_->findChild<T*>(name);
    EXPECT_NE(widget, nullptr) << name;
    return widget;
  }

  QTreeWidgetItem* Item(int absoluteIndex) const {
    return main_->TreeView()->ItemAt(absoluteIndex);
  }

  void Click(QTreeWidgetItem* item, Qt::MouseButton button = Qt::LeftButton) {
    NavTree* tree = main_->TreeView();
    tree->scrollToItem(item);
    QTest::mouseClick(tree->viewport(), button, {}, tree->visualItemRect(item).center());
  }

  GraphModel& Model() { return graph_->Model(); }
  QString SettingPage() const { return main_->NotebookSetting()->ActivePage(); }
  QString CentralPage() const { return main_->NotebookImage()->ActivePage(); }

  QTemporaryDir dir_;
  std::string appDir_;
  RecordingDialogs dialogs_;
  std::unique_ptr<TFormMain> main_;
  std::unique_ptr<TFormKurvex> graph_;
};

}  // namespace kurvex::shell
