// Copying and saving the graph's picture from the desktop: the context menu, the clipboard, the
// save dialog in every format and the folder it remembers.
#include <QAction>
#include <QClipboard>
#include <QImage>
#include <QMimeData>

#include "shell/graph_window/image_actions.h"
#include "shell/kit/notebook.h"
#include "shell/shell_fixture.h"

namespace kurvex::shell {
namespace {

class ImageActionsTest : public ShellTest {
 protected:
  void SetUp() override {
    ShellTest::SetUp();
    Start();
    main_->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(main_.get()));
  }

  ImageActions& Images() const { return *main_->Images(); }

  std::string Bytes(const QMimeData* data, const char* type) const {
    return data->data(type).toStdString();
  }
};

TEST_F(ImageActionsTest, GraphMenuHoldsCopyAndSaveWithTheirShortcuts) {
  QWidget* image = graph_->ImageGraph();
  EXPECT_EQ(image->contextMenuPolicy(), Qt::ActionsContextMenu);
  // The view's entries follow them.
  ASSERT_GE(image->actions().size(), 2);
  EXPECT_EQ(image->actions()[0]->objectName(), "ActionCopyImage");
  EXPECT_EQ(image->actions()[0]->shortcut(), QKeySequence("Ctrl+C"));
  EXPECT_EQ(image->actions()[1]->objectName(), "ActionSaveImageAs");
  EXPECT_EQ(image->actions()[1]->shortcut(), QKeySequence("Ctrl+Shift+S"));
}

TEST_F(ImageActionsTest, CtrlCCopiesPngAndSvgFromTheGraphOrTheTreeButNotFromTextFields) {
  struct Case {
    const char* focus;
    const char* settingsPage;  // the page that shows the control
    bool copies;
  };
  const Case cases[] = {
      {"ScrollBoxGraph", "Data", true},
      {"TreeView", "Data", true},
      {"EditDataFile", "Data", false},
      {"MemoData", "Data", false},
      {"ComboBoxLocalize", "Environment", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.focus);
    QApplication::clipboard()->setText("before");
    main_->NotebookSetting()->ShowPage(c.settingsPage);
    auto* widget = Find<QWidget>(c.focus);
    widget->setFocus();
    ASSERT_EQ(QApplication::focusWidget(), widget);
    QTest::keyClick(widget, Qt::Key_C, Qt::ControlModifier);
    const QMimeData* data = QApplication::clipboard()->mimeData();
    ASSERT_NE(data, nullptr);
    if (!c.copies) {
      EXPECT_EQ(data->text(), "before");
      continue;
    }
    EXPECT_TRUE(HasImageSignature(Bytes(data, "image/png"), ImageFormat::kPng));
    EXPECT_TRUE(HasImageSignature(Bytes(data, "image/svg+xml"), ImageFormat::kSvg));
    const QImage image = qvariant_cast<QImage>(data->imageData());
    EXPECT_EQ(image.size(), QSize(Model().ImageWidth, Model().ImageHeight));
  }
  EXPECT_TRUE(dialogs_.Errors.empty());
}

TEST_F(ImageActionsTest, SaveAsWritesTheFilterOrTypedFormatAndRemembersTheFolder) {
  struct Case {
    int filter;
    const char* answer;
    const char* written;
    ImageFormat format;
  };
  const Case cases[] = {
      {0, "pictures/a", "pictures/a.bmp", ImageFormat::kBmp},
      {1, "pictures/b.png", "pictures/b.png", ImageFormat::kPng},
      {2, "pictures/c", "pictures/c.svg", ImageFormat::kSvg},
      {3, "pictures/d.PDF", "pictures/d.PDF", ImageFormat::kPdf},
      // A typed picture extension is what the user means, whatever filter is selected.
      {1, "other/e.pdf", "other/e.pdf", ImageFormat::kPdf},
  };
  QDir().mkpath(QString::fromStdString(Path("pictures")));
  QDir().mkpath(QString::fromStdString(Path("other")));
  for (const Case& c : cases) {
    SCOPED_TRACE(c.answer);
    dialogs_.SaveAnswer = Path(c.answer);
    dialogs_.FilterAnswer = c.filter;
    QTest::keyClick(main_.get(), Qt::Key_S, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_TRUE(HasImageSignature(Read(c.written), c.format));
  }
  ASSERT_EQ(dialogs_.SaveRequests.size(), std::size(cases));
  EXPECT_EQ(dialogs_.SaveRequests[0].InitialDir, ApplicationPath(AppPath::GraphImages));
  EXPECT_EQ(dialogs_.SaveRequests[0].FilterIndex, 1);  // PNG at first
  EXPECT_EQ(dialogs_.SaveRequests[1].InitialDir, Path("pictures"));
  EXPECT_EQ(dialogs_.SaveRequests[1].FilterIndex, 0);  // the filter picked before
  EXPECT_EQ(Images().Folder().toStdString(), Path("other"));

  // A cancel writes nothing and keeps the folder.
  dialogs_.SaveAnswer.reset();
  Images().SaveAs()->trigger();
  EXPECT_EQ(Images().Folder().toStdString(), Path("other"));
  EXPECT_TRUE(dialogs_.Errors.empty());

  // The folder outlives the session as "ImagePath" in "Data".
  main_->Options().SaveOptions(ApplicationPath(AppPath::OptionsFile));
  EXPECT_EQ(ProfileFile(Path("Kurvex.ini")).ReadString("Data", "ImagePath", ""), Path("other"));
  main_.reset();
  graph_.reset();
  Start();
  dialogs_.SaveRequests.clear();
  Images().SaveAs()->trigger();
  // A remembered folder that is gone gives way to the saved-images folder.
  QDir(QString::fromStdString(Path("other"))).removeRecursively();
  QDir().mkpath(QString::fromStdString(ApplicationPath(AppPath::GraphImages)));
  Images().SaveAs()->trigger();
  ASSERT_EQ(dialogs_.SaveRequests.size(), 2u);
  EXPECT_EQ(dialogs_.SaveRequests[0].InitialDir, Path("other"));
  EXPECT_EQ(QDir(QString::fromStdString(dialogs_.SaveRequests[1].InitialDir)),
            QDir(QString::fromStdString(ApplicationPath(AppPath::GraphImages))));
  EXPECT_EQ(dialogs_.SaveRequests[1].FileName, "");

  // With data loaded the dialog proposes the picture named after it.
  Write("spectra/run.1.xy", "400 1.5\n500 1.6\n");
  ASSERT_TRUE(graph_->LoadDataFile(Path("spectra/run.1.xy")));
  Images().SaveAs()->trigger();
  EXPECT_EQ(dialogs_.SaveRequests.back().FileName, "run.1.png");
}

TEST_F(ImageActionsTest, UnwritablePictureIsReportedAndLeavesTheFolder) {
  Write("blocked", "a file where a folder should be");
  dialogs_.SaveAnswer = Path("blocked/graph.png");
  Images().SaveAs()->trigger();
  ASSERT_EQ(dialogs_.Errors.size(), 1u);
  EXPECT_NE(dialogs_.Errors[0].find("blocked/graph.png"), std::string::npos);
  EXPECT_TRUE(Images().Folder().isEmpty());
}

}  // namespace
}  // namespace kurvex::shell
