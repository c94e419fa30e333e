// Languages as the user meets them: the selector's list, captions switched everywhere at once,
// bad or missing language files, and the chosen language kept in Kurvex.ini.
#include <QAbstractButton>
#include <QAccessible>
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QStatusBar>
#include <cstdlib>
#include <map>
#include <set>

#include "shell/kit/message_line.h"
#include "shell/kit/qt_convert.h"
#include "shell/pages/environment_page.h"
#include "shell/shell_fixture.h"
#include "shell/window/localize.h"

namespace kurvex::shell {
namespace {

class LocalizeTest : public ShellTest {
 protected:
  QComboBox* Selector() const { return main_->Pages().Environment->ComboBoxLocalize; }
  QStringList Entries() const {
    QStringList entries;
    for (int i = 0; i < Selector()->count(); ++i) entries << Selector()->itemText(i);
    return entries;
  }
  /// Chooses an entry from the drop-down list as the user does.
  void Pick(int index) {
    Selector()->setCurrentIndex(index);
    emit Selector()->activated(index);
  }
  QString Caption(const char* name) const {
    QObject* object = main_->findChild<QObject*>(name);
    if (auto* label = qobject_cast<QLabel*>(object)) return label->text();
    if (auto* button = qobject_cast<QAbstractButton*>(object)) return button->text();
    if (auto* action = qobject_cast<QAction*>(object)) return action->text();
    ADD_FAILURE() << name << " has no caption";
    return {};
  }
  QString AccessibleName(const char* name) const {
    return QAccessible::queryAccessibleInterface(Find<QWidget>(name))->text(QAccessible::Name);
  }
  QString StatusText() const { return graph_->StatusBar()->currentMessage(); }
};

// The key each tree item's caption is read from, by absolute index.
std::string TreeKey(int index) {
  for (const ItemCaptionKey& k : kItemCaptionKeys) {
    if (k.Field == kTreeItemCaptions[index]) return k.Key;
  }
  return {};
}

// A language whose every text names its key, so a control showing another key's text is caught.
std::string EveryKeyLanguage() {
  std::string text = "[Tree]\n";
  for (const ItemCaptionKey& k : kItemCaptionKeys) {
    if (std::string_view(k.Section) == "Tree") text += std::string(k.Key) + "=T " + k.Key + "\n";
  }
  text += "[Caption]\n";
  for (const ControlCaption& row : kControlCaptions) {
    if (!row.Item) text += std::string(row.Key) + "=C " + row.Key + "\n";
  }
  text += "[Others]\nCursorPosition=Pos:\n";
  for (const ItemCaptionKey& k : kItemCaptionKeys) {
    if (std::string_view(k.Section) == "Others" && k.Field != &ItemCaptions::CursorPosition) {
      text += std::string(k.Key) + "=%s O " + k.Key + "\n";
    }
  }
  for (const ControlHint& hint : kControlHints)
    text += std::string(hint.Key) + "=H " + hint.Key + "\n";
  text += "[Menu]\n";
  for (const MenuCaption& row : kMenuCaptions)
    text += std::string(row.Key) + "=M " + row.Key + "\n";
  return text;
}

TEST_F(LocalizeTest, EveryCaptionSwitchesWithTheLanguageAndBackToItsBuiltInText) {
  Write("Localize/Keys.ini", EveryKeyLanguage());
  Write("Localize/None.ini", "");
  Start();
  ASSERT_EQ(Entries(), QStringList({"Keys", "None"}));
  // Expected texts for one control of each kind and page, written out rather than derived.
  const std::vector<std::tuple<const char*, QString, QString>> controls = {
      {"CheckBoxAutoSaveImage", "C AutoSaveImage", "Auto save images"},
      {"LabelEnvironment", "T Environment", "Environment"},
      {"LabelBackGroundColor", "C BackGroundColor", "Background color"},
      {"LabelImage", "T Image", "Image"},
      {"LabelTextLeft", "C Left", "Left"},
      {"LabelAxisYTitleBottom", "C Top", "Bottom"},
      {"LabelCurveColor", "C Color", "Color"},
      {"CheckBoxGraphBorder", "C Border", "Border"},
      {"LabelTitle", "T Title", "Title"},
      {"CheckBoxAxisXVisible", "C Visible", "Visible"},
      {"CheckBoxAxisYVisible", "C LineVisible", "Visible"},
      {"LabelTitleText", "C TitleText", "Caption"},
      {"LabelAxisYTitleText", "C Text", "Text"},
      {"LabelAxisXLabels", "C TickLabels", "Labels"},
      {"LabelAxisYTick", "C Tick", "Tick"},
      {"LabelAxisXBottom", "C Bottom", "Bottom"},
      {"LabelAxisYWidth", "C Thick", "Thick"},
      {"LabelCurveLegend", "C Legend", "Legend text"},
      {"CheckBoxPoint", "C Points", "Points"},
      {"LabelText", "T Text", "Text"},
      {"LabelData", "T Data", "Data"},
      {"LabelPath", "C Path", "Path"},
      {"LabelDataFile", "C DataFile", "File"},
      {"LabelFile", "C DataFile", "File"},
      {"LabelFilesFilter", "C FilesFilter", "Type"},
      // The "LoadIni" page's labels and the Data page's disk label keep their texts.
      {"LabelFileIni", "File", "File"},
      {"LabelPathIni", "Path:", "Path:"},
      {"LabelFilesFilterIni", "Typ", "Typ"},
      {"LabelDiskIni", "Disk", "Disk"},
      {"LabelDisk", "Disk", "Disk"},
  };
  for (const auto& [language, index] : {std::pair{"Keys", 0}, {"None", 1}}) {
    SCOPED_TRACE(language);
    Pick(index);
    const bool keys = index == 0;
    for (int i = 0; i < kLogItemIndex; ++i) {
      const QString builtIn = Q(BuiltInCaptions().*kTreeItemCaptions[i]);
      EXPECT_EQ(Item(i)->text(0), keys ? Q("T " + TreeKey(i)) : builtIn) << i;
    }
    for (const auto& [name, translated, builtIn] : controls) {
      EXPECT_EQ(Caption(name), keys ? translated : builtIn) << name;
    }
    // Every keyed row reaches each of its controls that exists, whatever page it sits on.
    for (const ControlCaption& row : kControlCaptions) {
      if (row.Item || !row.BuiltIn) continue;
      for (const char* name : row.Controls) {
        if (!main_->findChild<QObject*>(name)) continue;
        EXPECT_EQ(Caption(name), keys ? Q(std::string("C ") + row.Key) : Q(row.BuiltIn)) << name;
      }
    }
    // Menus and their items, and the name the bar is read out by.
    for (const MenuCaption& row : kMenuCaptions) {
      QObject* object = main_->findChild<QObject*>(row.Object);
      ASSERT_NE(object, nullptr) << row.Object;
      const QString text = qobject_cast<QMenu*>(object) ? qobject_cast<QMenu*>(object)->title()
                           : qobject_cast<QAction*>(object)
                               ? qobject_cast<QAction*>(object)->text()
                               : qobject_cast<QWidget*>(object)->accessibleName();
      QString expected = keys ? Q(std::string("M ") + row.Key) : Q(row.BuiltIn);
      if (qobject_cast<QMenuBar*>(object)) expected.remove('&');
      EXPECT_EQ(text, expected) << row.Object;
    }
    // Names read out for spinners and swatches follow their captions.
    EXPECT_EQ(AccessibleName("UpDownAxisXTickCount"),
              keys ? "C TickCount spinner" : "Count spinner");
    EXPECT_EQ(AccessibleName("CheckBoxLegendTopAuto"), keys ? "C Top Auto" : "Top Auto");
    EXPECT_EQ(AccessibleName("PanelBorderColor"), keys ? "C BorderColor" : "Border color");
    EXPECT_EQ(AccessibleName("PanelImageColor"), "Image color");
    EXPECT_EQ(Find<QWidget>("ComboBoxLegend")->accessibleName(), keys ? "C Symbol" : "Symbol");
    // List entries that name a choice rather than a value: every file, the screen's scale.
    for (const char* name : {"FilterComboBox1", "FilterComboBoxIni"}) {
      const auto* filter = Find<QComboBox>(name);
      EXPECT_EQ(filter->itemText(filter->findData("*.*")),
                keys ? "%s O AllFiles" : "All files (*.*)")
          << name;
    }
    const auto* scale = Find<QComboBox>("ComboBoxScale");
    EXPECT_EQ(scale->itemText(scale->findData(0)), keys ? "%s O ScaleScreen" : "Screen");
    EXPECT_EQ(StatusText(),
              keys ? "Pos:   X=?;   Y=?" : "Position in coordinate system:   X=?;   Y=?");
    EXPECT_EQ(main_->Captions().CursorPosition, keys ? "Pos:" : "Position in coordinate system:");
    // Hints and the program's own messages come from "Others" too.
    EXPECT_EQ(Find<QWidget>("PanelBackGroundColor")->toolTip(),
              keys ? "H HintBackGroundColor" : "Background color");
    EXPECT_EQ(Find<QWidget>("PanelImageColor")->toolTip(),
              keys ? "H HintImageColor" : "Image color");
    EXPECT_EQ(Find<QWidget>("PanelBorderColor")->toolTip(),
              keys ? "H HintBorderColor" : "Border color");
    main_->Loader().OpenFile("/no/such.xy");
    EXPECT_EQ(main_->Messages()->text(),
              keys ? "/no/such.xy O FileNotFound" : "/no/such.xy: file not found");
  }
  EXPECT_TRUE(dialogs_.Errors.empty());
}

// Qt's own dialogs speak the language the language file names, and English again without one.
TEST_F(LocalizeTest, QtsOwnTextsFollowTheLanguage) {
  Write("Localize/Cesky.ini", "[Others]\nLocale=cs\n");
  Write("Localize/None.ini", "");
  Start();
  const auto lookIn = [] { return QCoreApplication::translate("QFileDialog", "Look in:"); };
  Pick(0);
  EXPECT_EQ(lookIn(), "Hledat v:");
  Pick(1);
  EXPECT_EQ(lookIn(), "Look in:");
}

// Controls of later features are named by the key itself and may not exist yet; the rest of
// the table must find its controls (the find box comes with the manual).
TEST_F(LocalizeTest, OnlyControlsOfLaterFeaturesAreMissing) {
  Start();
  const std::set<std::string> later = {"LabelFind", "ButtonAxisXFit", "ButtonAxisYFit",
                                       "CheckBoxFitAxes", "LabelMessageNotFound"};
  for (const std::string& name : MissingCaptionControls({main_.get(), graph_.get()})) {
    EXPECT_TRUE(later.count(name)) << name;
  }
}

TEST_F(LocalizeTest, ControlNamedByItsKeyTakesTheTextAndGetsItsOwnTextBack) {
  Write("Localize/A.ini", "[Caption]\nButtonAxisXFit=Podle dat\nActionCopyImage=Kopírovat\n");
  Write("Localize/B.ini", "");
  Start(false);
  auto* button = new QPushButton("Fit", main_->Pages().Environment->Content());
  button->setObjectName("ButtonAxisXFit");
  auto* action = new QAction("Copy image", main_.get());
  action->setObjectName("ActionCopyImage");
  main_->show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(main_.get()));
  EXPECT_EQ(button->text(), "Podle dat");
  EXPECT_EQ(action->text(), "Kopírovat");
  Pick(1);
  EXPECT_EQ(button->text(), "Fit");
  EXPECT_EQ(action->text(), "Copy image");
}

TEST_F(LocalizeTest, ListIsSortedByFileNameWithEveryIniEndingRemovedCaseSensitively) {
  for (const char* name : {"b.ini", "Slovensky.ini", "A.ini", "C.INI", "x.ini.ini", ".hidden.ini",
                           "notes.txt", "English.rtf"}) {
    Write(std::string("Localize/") + name, "");
  }
  QDir().mkpath(Q(Path("Localize/Folder.ini")));
  Start();
  EXPECT_EQ(Entries(), QStringList({".hidden", "A", "C.INI", "Folder", "Slovensky", "b", "x"}));
  EXPECT_EQ(Selector()->currentIndex(), 0);
  EXPECT_TRUE(dialogs_.Errors.empty());
}

TEST_F(LocalizeTest, WithoutLanguageFilesTheBuiltInTextsApplyAndTheSelectorStaysEmpty) {
  struct Case {
    const char* what;
    bool folder;
    std::vector<const char*> files;
  };
  for (const auto& [what, folder, files] :
       {Case{"no folder", false, {}}, Case{"empty folder", true, {}},
        Case{"no .ini file", true, {"English.rtf", "a.txt"}}}) {
    SCOPED_TRACE(what);
    TearDown();
    QDir(Q(Path("Localize"))).removeRecursively();
    if (folder) QDir().mkpath(Q(Path("Localize")));
    for (const char* file : files) Write(std::string("Localize/") + file, "x");
    Start();
    EXPECT_EQ(Selector()->count(), 0);
    EXPECT_EQ(Selector()->currentText(), "ComboBoxLanguages");
    EXPECT_EQ(Item(7)->text(0), "Description");
    EXPECT_EQ(Item(11)->text(0), "Description");
    EXPECT_EQ(Item(16)->text(0), "Text");
    EXPECT_EQ(StatusText(), "Position in coordinate system:   X=?;   Y=?");
    EXPECT_TRUE(dialogs_.Errors.empty());
  }
}

TEST_F(LocalizeTest, OneKeyChangesOneCaptionUntilALanguageWithoutItComes) {
  Write("Localize/Graf.ini", "[Tree]\nGraph=Graf\n");
  Write("Localize/Other.ini", "[Tree]\nData=Daten\n");
  Start();
  EXPECT_EQ(Item(1)->text(0), "Graf");
  EXPECT_EQ(Item(0)->text(0), "Data");
  EXPECT_EQ(Caption("LabelLanguage"), "Language");
  // The navigation follows the caption: the item still shows its page.
  Click(Item(17));
  Click(Item(1));
  EXPECT_EQ(SettingPage(), "Image");
  Pick(1);
  EXPECT_EQ(Item(1)->text(0), "Graph");
  EXPECT_EQ(Item(0)->text(0), "Daten");
  EXPECT_EQ(Caption("LabelData"), "Daten");
}

// Files made by older Windows tools are 8-bit Windows-1250; long values are cut to 1023
// characters, counted as characters and not as bytes.
TEST_F(LocalizeTest, WindowsCodePageFileAndLongValuesReadAsCharacters) {
  std::string many;
  for (int i = 0; i < 1100; ++i) many += "č";
  Write("Localize/Old.ini", "[Tree]\r\nGraph=Slovensk\xFD\r\n[Caption]\r\nLanguage=Jazyk \x9A\r\n");
  Write("Localize/Utf.ini", "\xEF\xBB\xBF[Tree]\nGraph=" + many + "\n");
  Start();
  EXPECT_EQ(Entries(), QStringList({"Old", "Utf"}));
  EXPECT_EQ(Item(1)->text(0), "Slovenský");
  EXPECT_EQ(Caption("LabelLanguage"), "Jazyk š");
  Pick(1);
  EXPECT_EQ(Item(1)->text(0).size(), 1023);
  EXPECT_TRUE(Item(1)->text(0).startsWith("čč"));
  EXPECT_TRUE(dialogs_.Errors.empty());
}

TEST_F(LocalizeTest, TypedTextAppliesTheBuiltInTextsAndIsNotRemembered) {
  Write("Localize/A.ini", "[Tree]\nGraph=Graf A\n");
  Write("Localize/B.ini", "[Tree]\nGraph=Graf B\n");
  Write("Kurvex.ini", "[Environment]\nLanguage=1\n");
  Start();
  EXPECT_EQ(Item(1)->text(0), "Graf B");
  QLineEdit* edit = Selector()->lineEdit();
  edit->setFocus();
  edit->selectAll();
  QTest::keyClicks(edit, "Klingon");
  EXPECT_EQ(Selector()->currentText(), "Klingon");
  EXPECT_EQ(Item(1)->text(0), "Graph");
  EXPECT_EQ(main_->Language().LanguageIndex(), 1);
  // Typing the name of the entry the box stands on takes it again.
  edit->selectAll();
  QTest::keyClicks(edit, "B");
  EXPECT_EQ(Item(1)->text(0), "Graf B");
  EXPECT_TRUE(dialogs_.Errors.empty());
}

TEST_F(LocalizeTest, LanguageChangeAfterTheLogItemWentSetsTheOtherCaptionsQuietly) {
  Write("Localize/A.ini", "[Tree]\nLog=Protokol\nFastStart=Rychlý start\n");
  Write("Localize/B.ini", "");
  Start();
  ASSERT_EQ(main_->TreeView()->ItemCount(), 21);
  EXPECT_EQ(Item(20)->text(0), "Rychlý start");
  Pick(1);
  EXPECT_EQ(Item(20)->text(0), "Fast start");
  EXPECT_EQ(main_->TreeView()->ItemCount(), 21);
  EXPECT_EQ(main_->Captions().Log, "Log");
  EXPECT_TRUE(dialogs_.Errors.empty());
}

// The saved index keeps its meaning on every machine (the list is sorted), and an index the list
// does not reach survives until the user picks a language.
TEST_F(LocalizeTest, LanguageIndexPersistsThroughKurvexIni) {
  Write("Localize/Slovensky.ini", "[Tree]\nGraph=Graf\n");
  Write("Localize/English.ini", "");
  struct Case {
    int stored;
    int selected;
    QString graph;
  };
  for (const Case& c :
       {Case{1, 1, "Graf"}, Case{0, 0, "Graph"}, Case{5, -1, "Graph"}, Case{-2, -1, "Graph"}}) {
    SCOPED_TRACE(c.stored);
    TearDown();
    Write("Kurvex.ini", "[Environment]\nLanguage=" + std::to_string(c.stored) + "\n");
    Start();
    EXPECT_EQ(Selector()->currentIndex(), c.selected);
    EXPECT_EQ(Item(1)->text(0), c.graph);
    main_->close();
    EXPECT_EQ(ProfileFile(Path("Kurvex.ini")).ReadInteger("Environment", "Language", 99), c.stored);
  }
  // The stored 5 goes once the user picks an entry.
  TearDown();
  Start();
  Pick(1);
  EXPECT_EQ(Item(1)->text(0), "Graf");
  main_->close();
  EXPECT_EQ(ProfileFile(Path("Kurvex.ini")).ReadInteger("Environment", "Language", 99), 1);
  EXPECT_TRUE(dialogs_.Errors.empty());
}

// The environment of a test run, restored afterwards.
class LocaleVariables {
 public:
  LocaleVariables() {
    for (const char* name : kNames) {
      if (const char* value = std::getenv(name)) saved_[name] = value;
    }
  }
  ~LocaleVariables() {
    for (const char* name : kNames) {
      if (saved_.count(name)) {
        setenv(name, saved_[name].c_str(), 1);
      } else {
        unsetenv(name);
      }
    }
  }
  void Set(const char* lcAll, const char* lcMessages, const char* lang) {
    const char* values[] = {lcAll, lcMessages, lang};
    for (int i = 0; i < 3; ++i) {
      if (values[i]) {
        setenv(kNames[i], values[i], 1);
      } else {
        unsetenv(kNames[i]);
      }
    }
  }

 private:
  static constexpr const char* kNames[] = {"LC_ALL", "LC_MESSAGES", "LANG"};
  std::map<std::string, std::string> saved_;
};

// A first start greets the user in the desktop's language; a stored name outlives a change of
// the language files; a style without a language (the shipped examples) changes none.
TEST_F(LocalizeTest, FirstStartSpeaksTheLocaleAndTheStoredNameWinsOverTheIndex) {
  for (const char* name : {"Cesky", "English", "Slovensky"}) {
    Write(std::string("Localize/") + name + ".ini", std::string("[Tree]\nGraph=G ") + name + "\n");
  }
  Write("Setting/Points.ini", "[Image]\nWidth=640\n");
  LocaleVariables locale;
  struct Case {
    const char* ini;  // nullptr: no Kurvex.ini
    const char *lcAll, *lcMessages, *lang;
    const char* language;
  };
  const Case cases[] = {
      {nullptr, nullptr, nullptr, "en_US.UTF-8", "English"},
      {nullptr, nullptr, nullptr, "cs_CZ.UTF-8", "Cesky"},
      {nullptr, "", "sk_SK.UTF-8", "en_US.UTF-8", "Slovensky"},
      {nullptr, "C", "cs_CZ.UTF-8", "cs_CZ.UTF-8", "English"},
      {nullptr, nullptr, nullptr, "POSIX", "English"},
      {nullptr, nullptr, nullptr, nullptr, "Cesky"},
      {"[Environment]\nAutoSaveOptions=1\n", nullptr, nullptr, "sk_SK.UTF-8", "Slovensky"},
      {"[Environment]\nLanguage=0\n", nullptr, nullptr, "en_US.UTF-8", "Cesky"},
      {"[Environment]\nLanguage=0\nLanguageName=Slovensky\n", nullptr, nullptr, "en_US",
       "Slovensky"},
      {"[Environment]\nLanguage=2\nLanguageName=Klingon\n", nullptr, nullptr, "cs_CZ", "Slovensky"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.ini ? c.ini : "no file") + " " + (c.lang ? c.lang : "-"));
    TearDown();
    QFile::remove(QString::fromStdString(Path("Kurvex.ini")));
    if (c.ini) Write("Kurvex.ini", c.ini);
    locale.Set(c.lcAll, c.lcMessages, c.lang);
    Start();
    EXPECT_EQ(Selector()->currentText(), c.language);
    EXPECT_EQ(Item(1)->text(0), QString("G ") + c.language);
    main_->Options().LoadOptions(Path("Setting/Points.ini"));
    EXPECT_EQ(Selector()->currentText(), c.language) << "a style without a language";
    main_->close();
    const ProfileFile saved(Path("Kurvex.ini"));
    EXPECT_EQ(saved.ReadString("Environment", "LanguageName", ""), c.language);
    EXPECT_EQ(saved.ReadInteger("Environment", "Language", -1), Selector()->currentIndex());
  }
  EXPECT_TRUE(dialogs_.Errors.empty());
}

// Captions longer than the English ones wrap within the narrow panel of a first start instead of
// widening the page: no page needs horizontal scrolling, in English or in a wordier language.
TEST_F(LocalizeTest, EveryPageFitsTheNarrowPanelWithLongerCaptions) {
  const std::string words = "Velmi dlouhý popisek, který se do úzkého panelu nevejde";
  Write("Localize/English.ini", "");
  Write("Localize/Long.ini", "[Caption]\nTickCount=" + words + "\nTickLength=" + words +
                                 "\nTickLabelDecDigits=" + words + "\nMinimum=" + words +
                                 "\nBackGroundColor=" + words + "\nColor=" + words + "\n");
  Start();
  const QStringList pages = {"Environment",   "Image",       "Graph Title",  "Axis X Title",
                             "Axis X Values", "Axis X Line", "Axis Y Title", "Axis Y Values",
                             "Axis Y Line",   "Curves",      "Legend",       "Text"};
  for (const int language : {0, 1}) {
    Pick(language);
    for (const QString& page : pages) {
      SCOPED_TRACE(page.toStdString() + (language ? " long" : " English"));
      main_->NotebookSetting()->ShowPage(page);
      QApplication::processEvents();
      auto* scroll = main_->NotebookSetting()->currentWidget()->findChild<QScrollArea*>();
      ASSERT_NE(scroll, nullptr);
      EXPECT_LE(scroll->viewport()->width(), 177);
      EXPECT_EQ(scroll->horizontalScrollBar()->maximum(), 0);
    }
  }
  auto* label = Find<QLabel>("LabelAxisYTickCount");
  EXPECT_GT(label->height(), Find<QLineEdit>("EditAxisYTickCount")->height());
}

}  // namespace
}  // namespace kurvex::shell
