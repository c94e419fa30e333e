// The manual as a user reaches it: context help from the tree, the find field with its keys, a
// double click on a word, and the About page.
#include <QComboBox>
#include <QDir>
#include <QFontDatabase>
#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextEdit>

#include "shell/help/about_page.h"
#include "shell/help/licence.h"
#include "shell/help/manual_page.h"
#include "shell/kit/color_panel.h"
#include "shell/pages/environment_page.h"
#include "shell/shell_fixture.h"

namespace kurvex::shell {
namespace {

constexpr int kCurvesItem = 14;
constexpr int kLegendItem = 15;
constexpr int kFastStartItem = 20;

// Lines enough that a topic in the middle is out of view until the box scrolls to it.
std::string Filler(const char* word, int lines) {
  std::string text;
  for (int i = 0; i < lines; ++i)
    text += std::string(word) + " line " + std::to_string(i) + "\\par\n";
  return text;
}

// A manual as word processors save it: the topic marker as a code page byte.
std::string ContextManual() {
  return "{\\rtf1\\ansi\\ansicpg1250{\\fonttbl{\\f0\\fcharset238 Arial;}}\\f0 "
         "The Legend page is described below.\\par\n" +
         Filler("Intro", 60) + "{\\b \\'85Legend}\\par\nLegend text.\\par\n" +
         Filler("Middle", 60) + "\\'85Curves\\par\nCurves text.\\par\n" + Filler("End", 60) + "}";
}

class ManualTest : public ShellTest {
 protected:
  void StartWith(const std::string& manual, const std::string& options = "") {
    Write("Localize/English.ini", "");
    Write("Localize/English.rtf", manual);
    if (!options.empty()) Write("Kurvex.ini", options);
    Start();
    main_->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(main_.get()));
  }

  QTextEdit* Box() const { return main_->Help().Manual().RichEditAbout; }
  QLineEdit* EditFind() const { return main_->Help().Manual().EditFind; }
  QString Selected() const { return Box()->textCursor().selectedText(); }
  int SelStart() const { return Box()->textCursor().selectionStart(); }
  int SelLength() const { return Box()->textCursor().selectionEnd() - SelStart(); }

  // Where the selection sits in the box's view, as a share of the view's height.
  double ViewShare() const {
    QTextCursor start = Box()->textCursor();
    start.setPosition(start.selectionStart());
    return double(Box()->cursorRect(start).top()) / Box()->viewport()->height();
  }
};

TEST_F(ManualTest, TreeItemsOpenTheirTopicAtTheTopOfTheView) {
  StartWith(ContextManual());
  const QString text = Box()->toPlainText();
  struct Case {
    const char* name;
    int item;
    bool rightClick;
  } cases[] = {
      {"F1 on the selected item", kLegendItem, false},
      {"right click on an item", kCurvesItem, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    main_->NotebookImage()->ShowPage("GraphImage");
    Box()->moveCursor(QTextCursor::Start);
    const QString caption = Item(c.item)->text(0);
    if (c.rightClick) {
      Click(Item(c.item), Qt::RightButton);
    } else {
      Click(Item(c.item));
      QTest::keyClick(main_->TreeView(), Qt::Key_F1);
    }
    EXPECT_EQ(CentralPage(), "Manual");
    EXPECT_EQ(Selected(), caption);
    // The topic, not the plain mention in the first line.
    EXPECT_EQ(text.mid(SelStart() - 1, 1), QString(QChar(0x2026)));
    EXPECT_GE(ViewShare(), 0.0);
    EXPECT_LT(ViewShare(), 0.25);
  }
  EXPECT_TRUE(dialogs_.Errors.empty());
}

TEST_F(ManualTest, ItemWithoutTopicOrWithoutManualChangesNothing) {
  for (const std::string& manual : {std::string(), std::string("Only a mention of Data.\n")}) {
    SCOPED_TRACE(manual);
    if (manual.empty()) {
      Start();
    } else {
      StartWith(manual);
    }
    EXPECT_EQ(Box()->toPlainText().trimmed(),
              manual.empty() ? "Manual no found" : "Only a mention of Data.");
    Click(Item(0));  // "Data"
    Click(Item(0), Qt::RightButton);
    QTest::keyClick(main_->TreeView(), Qt::Key_F1);
    EXPECT_EQ(CentralPage(), "GraphImage");
    main_.reset();
    graph_.reset();
  }
}

// Typing extends the match in place; Enter and F3 step on, and after the last match the caret
// goes to the top before the first match comes again. Accents are ignored both ways.
TEST_F(ManualTest, FindTypesIncrementallyAndCyclesWithEnterAndF3) {
  const std::string manual = "Graf: žltá čiara.\nDruhá ciara je zelená.\nKoniec.\n";
  StartWith(manual);
  const QString text = Box()->toPlainText();
  const int first = text.indexOf("čiara");
  const int second = text.indexOf("ciara");
  struct Case {
    const char* typed;
    bool f3;
  } cases[] = {{"ciara", false}, {"čiara", true}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.typed);
    EditFind()->clear();
    Box()->moveCursor(QTextCursor::Start);
    const QString typed = QString::fromUtf8(c.typed);
    for (int n = 1; n <= typed.size(); ++n) {
      QTest::sendKeyEvent(QTest::Click, EditFind(), Qt::Key_unknown, typed.mid(n - 1, 1), {});
      EXPECT_EQ(SelStart(), first) << n;
      EXPECT_EQ(SelLength(), n);
    }
    const auto step = [&] {
      if (c.f3) {
        main_->NotebookImage()->ShowPage("GraphImage");
        QTest::keyClick(main_->TreeView(), Qt::Key_F3);
        EXPECT_EQ(CentralPage(), "Manual");
        EXPECT_TRUE(EditFind()->hasFocus());
      } else {
        QTest::keyClick(EditFind(), Qt::Key_Return);
      }
    };
    for (int round = 0; round < 2; ++round) {
      step();
      EXPECT_EQ(SelStart(), second);
      step();
      EXPECT_EQ(SelStart(), 0);
      EXPECT_EQ(SelLength(), 0);
      step();
      EXPECT_EQ(SelStart(), first);
      EXPECT_EQ(SelLength(), 5);
    }
  }
}

TEST_F(ManualTest, TypingPastTheMatchMovesOnAndAnEmptyFieldKeepsTheSelection) {
  StartWith("osi a osadenie\n");
  QTest::keyClicks(EditFind(), "os");
  EXPECT_EQ(SelStart(), 0);
  QTest::keyClicks(EditFind(), "a");
  EXPECT_EQ(SelStart(), 6);
  EXPECT_EQ(Selected(), "osa");
  EditFind()->clear();
  EXPECT_EQ(Selected(), "osa");
}

TEST_F(ManualTest, DoubleClickOnAWordFindsItsNextOccurrence) {
  StartWith("Prvá os grafu.\nDruhá os grafu.\nTretia os.\n");
  main_->NotebookImage()->ShowPage("Manual");
  const QString text = Box()->toPlainText();
  const int clicked = text.indexOf("grafu");
  QTextCursor at = Box()->textCursor();
  at.setPosition(clicked + 2);
  const QPoint point = Box()->cursorRect(at).center();
  QTest::mouseDClick(Box()->viewport(), Qt::LeftButton, {}, point);
  EXPECT_EQ(EditFind()->text(), "grafu");
  EXPECT_EQ(SelStart(), text.indexOf("grafu", clicked + 1));
  EXPECT_EQ(Selected(), "grafu");
  // The same word again: the find text stays, so the caret only moves one character in.
  QTest::mouseDClick(Box()->viewport(), Qt::LeftButton, {}, point);
  EXPECT_EQ(SelStart(), clicked + 1);
  EXPECT_EQ(SelLength(), 0);
  // A held modifier makes it an ordinary double click.
  EditFind()->clear();
  QTest::mouseDClick(Box()->viewport(), Qt::LeftButton, Qt::ControlModifier, point);
  EXPECT_EQ(EditFind()->text(), "");
}

TEST_F(ManualTest, CtrlFAndF3WorkFromAnEditOfASettingsPage) {
  StartWith("jeden, dva, jeden\n");
  main_->NotebookSetting()->ShowPage("Graph Title");
  auto* field = main_->NotebookSetting()->Page("Graph Title")->findChild<QLineEdit*>();
  ASSERT_NE(field, nullptr);
  field->setFocus();
  ASSERT_TRUE(field->hasFocus());
  QTest::keyClick(field, Qt::Key_F, Qt::ControlModifier);
  EXPECT_EQ(CentralPage(), "Manual");
  EXPECT_TRUE(EditFind()->hasFocus());
  QTest::keyClicks(EditFind(), "jeden");
  EXPECT_EQ(SelStart(), 0);
  field->setFocus();
  main_->NotebookImage()->ShowPage("GraphImage");
  QTest::keyClick(field, Qt::Key_F3);
  EXPECT_EQ(CentralPage(), "Manual");
  EXPECT_EQ(SelStart(), 12);
  EXPECT_TRUE(dialogs_.Errors.empty());
}

TEST_F(ManualTest, FastStartSelectedAtStartOpensItsTopic) {
  StartWith("Úvod\n" + std::string(2000, ' ') + "\n…Fast start\nPrvé kroky.\n",
            "[Environment]\nTreeItem=" + std::to_string(kFastStartItem) + "\n");
  EXPECT_EQ(CentralPage(), "Manual");
  EXPECT_EQ(Selected(), "Fast start");
}

TEST_F(ManualTest, FindPanelFollowsTheLabelAndThePanelWidth) {
  Write("Localize/Slovensky.ini", "[Caption]\nFind=Hľadať v príručke\n");
  StartWith("text\n");
  ManualPage& page = main_->Help().Manual();
  main_->NotebookImage()->ShowPage("Manual");
  const auto expectLaidOut = [&] {
    EXPECT_EQ(page.PanelFind->height(), 33);
    EXPECT_EQ(page.EditFind->x(), page.LabelFind->x() + page.LabelFind->width() + 8);
    EXPECT_EQ(page.EditFind->x() + page.EditFind->width(), page.PanelFind->width() - 8);
  };
  expectLaidOut();
  QComboBox* languages = main_->Pages().Environment->ComboBoxLocalize;
  languages->setCurrentIndex(languages->findText("Slovensky"));
  main_->Language().ComboBoxLocalizeChange();
  EXPECT_EQ(page.LabelFind->text(), "Hľadať v príručke");
  expectLaidOut();
  main_->resize(main_->width() + 120, main_->height());
  QApplication::processEvents();
  expectLaidOut();
}

TEST_F(ManualTest, AboutPageShowsVersionLicenceAndLeadsBackToTheGraph) {
  Start();
  AboutPage& about = main_->Help().About();
  EXPECT_TRUE(about.PanelAbout->text().contains(ProgramVersion()));
  EXPECT_TRUE(about.PanelAbout->text().contains(LicenceKind()));
  EXPECT_EQ(about.MemoLicence->toPlainText(), QString::fromStdString(LicenceText()));
  const QString family = QTextCursor(about.MemoLicence->document())
                             .charFormat()
                             .fontFamilies()
                             .toStringList()
                             .value(0);
  EXPECT_TRUE(QFontDatabase::families().contains(family)) << family.toStdString();
  Click(Item(18));  // "About"
  EXPECT_EQ(CentralPage(), "About");
  QTest::mouseClick(about.PanelAbout, Qt::LeftButton);
  EXPECT_EQ(CentralPage(), "GraphImage");
}

// Each shipped manual holds a topic for every caption of its language's tree.
TEST_F(ManualTest, ShippedManualsHaveATopicForEveryTreeCaption) {
  const QDir shipped(KURVEX_SOURCE_DIR "/resources/Localize");
  const QStringList languages = shipped.entryList({"*.ini"}, QDir::Files, QDir::Name);
  ASSERT_EQ(languages.size(), 3);
  for (const QString& file : languages) {
    const QString name = file.chopped(4);
    Write("Localize/" + name.toStdString() + ".ini", "");
  }
  for (int language = 0; language < languages.size(); ++language) {
    const QString name = languages[language].chopped(4);
    SCOPED_TRACE(name.toStdString());
    for (const char* ending : {".ini", ".rtf"}) {
      QFile::remove(QString::fromStdString(Path("Localize/")) + name + ending);
      ASSERT_TRUE(QFile::copy(shipped.filePath(name + ending),
                              QString::fromStdString(Path("Localize/")) + name + ending));
    }
    Write("Kurvex.ini", "[Environment]\nLanguage=" + std::to_string(language) + "\n");
    Start();
    ASSERT_NE(Box()->toPlainText(), "Manual no found");
    for (int item = 0; item <= kFastStartItem; ++item) {
      const QString caption = Item(item)->text(0);
      main_->NotebookImage()->ShowPage("GraphImage");
      main_->Help().ShowManualTopic(caption.toStdString());
      EXPECT_EQ(CentralPage(), "Manual") << caption.toStdString();
      EXPECT_EQ(Selected(), caption);
    }
    EXPECT_TRUE(dialogs_.Errors.empty());
    main_.reset();
    graph_.reset();
  }
}

}  // namespace
}  // namespace kurvex::shell
