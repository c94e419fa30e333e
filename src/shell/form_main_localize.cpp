// Languages: the selector's list, and a language file applied to the captions everywhere.
#include <QComboBox>
#include <QDir>
#include <algorithm>

#include "common/app_dir.h"
#include "common/profile_file.h"
#include "common/text_utils.h"
#include "shell/data_page.h"
#include "shell/form_kurvex.h"
#include "shell/form_main.h"
#include "shell/guard.h"
#include "shell/help/manual_page.h"
#include "shell/localize.h"
#include "shell/nav_tree.h"
#include "shell/pages/environment_page.h"
#include "shell/qt_convert.h"

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

void TFormMain::ListLanguages() {
  QComboBox* box = environment_->ComboBoxLocalize;
  const QSignalBlocker blocker(box);
  // An empty list keeps showing what the box showed.
  const QString shown = box->currentText();
  box->clear();
  for (const std::string& file : LanguageFiles()) box->addItem(Q(ReplaceAll(file, ".ini", "")));
  if (box->count() > 0) {
    box->setCurrentIndex(0);
  } else {
    box->setEditText(shown);
  }
}

void TFormMain::ComboBoxLocalizeChange() {
  QComboBox* box = environment_->ComboBoxLocalize;
  const int index = box->currentIndex();
  // After typing, the box shows no entry of its list even while its index still names one.
  std::string name;
  if (index >= 0 && box->currentText() == box->itemText(index)) {
    name = S(box->itemText(index));
    language_ = index;
  }
  LocalizeKurvex(LocalizeFolder() + name + ".ini");
  Quietly([&] {
    graph_->ClearCursorPosition();
    LoadManual(LocalizeFolder() + name + ".rtf");
  });
}

void TFormMain::LocalizeKurvex(const std::string& fileName) {
  const ProfileFile file(fileName);
  // Captions of another width sit in every page: lay them out again whatever happened.
  const auto relayout = [this] {
    for (SettingsPage* page : settingsPages_) page->CaptionsChanged();
    data_->PanelDataResize();
    manual_->PanelFindResize();
  };
  try {
    ReadCaptions(file, "Tree", captions_);
    for (int i = 0; i < kTreeItemCount; ++i) {
      // The "Log" item is gone after the first show; its caption is then skipped.
      if (QTreeWidgetItem* item = treeView_->ItemAt(i)) {
        item->setText(0, Q(captions_.*kTreeItemCaptions[i]));
      }
    }
    ApplyControlCaptions(file, captions_, {this, graph_});
    ReadCaptions(file, "Others", captions_);
    graph_->Engine().CursorPrefix = captions_.CursorPosition;
  } catch (...) {
    relayout();
    throw;
  }
  relayout();
}

}  // namespace kurvex::shell
