#include "shell/window/languages.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include <QComboBox>
#include <QDir>
#include <QScopeGuard>
#include <algorithm>
#include <cstdlib>

#include "common/app_dir.h"
#include "common/ini_file.h"
#include "common/text_utils.h"
#include "rtf/rtf_reader.h"
#include "shell/browser/data_page.h"
#include "shell/browser/file_browser.h"
#include "shell/browser/loadini_page.h"
#include "shell/graph_window/graph_window.h"
#include "shell/graph_window/image_actions.h"
#include "shell/help/manual_page.h"
#include "shell/help/rich_text_fill.h"
#include "shell/kit/captions.h"
#include "shell/kit/guard.h"
#include "shell/kit/nav_tree.h"
#include "shell/kit/qt_convert.h"
#include "shell/pages/environment_page.h"
#include "shell/pages/image_page.h"
#include "shell/pages/page_set.h"
#include "shell/window/localize.h"

namespace kurvex::shell {

namespace {

std::string LocalizeFolder() {
  return ApplicationDirectory() + "Localize/";
}

// What "*.ini" finds: any kind of entry, hidden ones too, the ending in any letter case. Sorted
// by the bytes of the name, because a folder's own order changes when files are rewritten and
// the saved language is an index into this list.
std::vector<std::string> LanguageFiles() {
  const QDir folder(Q(LocalizeFolder()));
  std::vector<std::string> names;
  for (const QString& name : folder.entryList(
           {"*.ini"}, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot)) {
    names.push_back(S(name));
  }
  std::sort(names.begin(), names.end());
  return names;
}

}  // namespace

Languages::Languages(QWidget& window, TFormKurvex& graph, ItemCaptions& captions, NavTree& tree,
                     const PageSet& pages, ManualPage& manual, ImageActions& images,
                     QObject* parent)
    : QObject(parent),
      window_(window),
      graph_(graph),
      captions_(captions),
      tree_(tree),
      pages_(pages),
      manual_(manual),
      images_(images),
      box_(*pages.Environment->ComboBoxLocalize) {}

Languages::~Languages() {
  if (qtTexts_) QCoreApplication::removeTranslator(qtTexts_.get());
}

// The language file names Qt's language ("Locale=cs"); Qt's translations of its own dialogs
// come from the system (Debian's qt6-translations-l10n). Without either, Qt speaks English.
void Languages::LoadQtTexts(const std::string& locale) {
  if (qtTexts_) QCoreApplication::removeTranslator(qtTexts_.get());
  qtTexts_.reset();
  if (locale.empty()) return;
  auto texts = std::make_unique<QTranslator>();
  if (texts->load(QLocale(Q(locale)), "qtbase", "_",
                  QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
    QCoreApplication::installTranslator(texts.get());
    qtTexts_ = std::move(texts);
  }
}

void Languages::ListLanguages(QComboBox& box) {
  const QSignalBlocker blocker(box);
  // An empty list keeps showing what the box showed.
  const QString shown = box.currentText();
  box.clear();
  for (const std::string& file : LanguageFiles()) box.addItem(Q(ReplaceAll(file, ".ini", "")));
  if (box.count() > 0) {
    box.setCurrentIndex(0);
  } else {
    box.setEditText(shown);
  }
}

void Languages::Choose(int index) {
  box_.setCurrentIndex(index);
  ComboBoxLocalizeChange();
}

void Languages::ComboBoxLocalizeChange() {
  const int index = box_.currentIndex();
  // After typing, the box shows no entry of its list even while its index still names one.
  std::string name;
  if (index >= 0 && box_.currentText() == box_.itemText(index)) {
    name = S(box_.itemText(index));
    language_ = index;
  }
  LocalizeKurvex(LocalizeFolder() + name + ".ini");
  Quietly([&] {
    graph_.ClearCursorPosition();
    LoadManual(LocalizeFolder() + name + ".rtf");
  });
}

void Languages::LocalizeKurvex(const std::string& fileName) {
  const ProfileFile file(fileName);
  // Captions of another width sit in every page: lay them out again whatever happened.
  const auto relayout = qScopeGuard([this] {
    for (SettingsPage* page : pages_.Settings) page->CaptionsChanged();
    pages_.Data->PanelDataResize();
    pages_.Data->CaptionsChanged();
    pages_.Data->Browser->CaptionsChanged();
    pages_.LoadIni->Browser->CaptionsChanged();
    manual_.PanelFindResize();
  });
  ReadCaptions(file, "Tree", captions_);
  for (int i = 0; i < kTreeItemCount; ++i) {
    // The "Log" item is gone after the first show; its caption is then skipped.
    if (QTreeWidgetItem* item = tree_.ItemAt(i)) {
      item->setText(0, Q(captions_.*kTreeItemCaptions[i]));
    }
  }
  ApplyControlCaptions(file, captions_, {&window_, &graph_});
  ApplyMenuCaptions(file, {&window_});
  ReadCaptions(file, "Others", captions_);
  if (pages_.Image) {
    QComboBox* scale = pages_.Image->ComboBoxScale;
    scale->setItemText(scale->findData(0), Q(captions_.ScaleScreen));
  }
  for (const FileBrowser* browser : {pages_.Data ? pages_.Data->Browser : nullptr,
                                     pages_.LoadIni ? pages_.LoadIni->Browser : nullptr}) {
    if (!browser) continue;
    QComboBox* filter = browser->Filter();
    if (const int all = filter->findData(QStringLiteral("*.*")); all >= 0) {
      filter->setItemText(all, Q(captions_.AllFiles));
    }
  }
  graph_.Engine().CursorPrefix = captions_.CursorPosition;
  graph_.CurveName = captions_.CurveName;
  images_.SetFilterText(captions_.ImageFilter);
  LoadQtTexts(file.ReadString("Others", "Locale", ""));
}

void Languages::LoadManual(const std::string& rtfPath) {
  // Read whole before the box changes, so a file that cannot be read leaves the old manual.
  const RtfDocument document = ReadRtfFile(rtfPath);
  FillRichText(*manual_.RichEditAbout, document);
}

int LocaleLanguage(const QStringList& entries,
                   const std::function<const char*(const char*)>& environment) {
  for (const char* variable : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
    const char* value = environment(variable);
    if (!value || !*value) continue;
    const QString locale = QString::fromLocal8Bit(value);
    const QString name = locale.startsWith("cs")   ? "Cesky"
                         : locale.startsWith("sk") ? "Slovensky"
                                                   : "English";
    return std::max(0, static_cast<int>(entries.indexOf(name)));
  }
  return 0;
}

void Languages::ApplyStoredLanguage(const ProfileFile& file, bool firstLoad) {
  // No key reads as this, whatever an options file can hold on one line.
  constexpr const char* kAbsent = "\n";
  const std::string name = file.ReadString("Environment", "LanguageName", kAbsent);
  const bool hasName = name != kAbsent;
  if (hasName) storedName_ = name;
  if (const int entry = hasName ? box_.findText(Q(name)) : -1; entry >= 0) {
    ApplyLanguage(entry);
  } else if (file.ReadString("Environment", "Language", kAbsent) != kAbsent) {
    ApplyLanguage(file.ReadInteger("Environment", "Language", 0));
  } else if (firstLoad) {
    // Nobody chose yet: a first start greets the user in the language of the desktop.
    QStringList entries;
    for (int i = 0; i < box_.count(); ++i) entries << box_.itemText(i);
    ApplyLanguage(
        LocaleLanguage(entries, [](const char* variable) { return std::getenv(variable); }));
  }
  // A style without either key (the shipped examples) leaves the language the user sees.
}

std::string Languages::LanguageName() const {
  return language_ >= 0 && language_ < box_.count() ? S(box_.itemText(language_)) : storedName_;
}

void Languages::ApplyLanguage(int index) {
  // Kept as read until the user picks an entry: a language file missing for a while must not
  // cost the setting.
  language_ = index;
  const int entry = index >= 0 && index < box_.count() ? index : -1;
  if (entry != box_.currentIndex()) {
    const QSignalBlocker blocker(box_);
    box_.setCurrentIndex(entry);
  }
  ComboBoxLocalizeChange();
}

}  // namespace kurvex::shell
