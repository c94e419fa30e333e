#pragma once

#include <memory>

#include <QObject>
#include <QStringList>
#include <functional>
#include <string>

class QComboBox;
class QWidget;

class QTranslator;

namespace kurvex {
class ProfileFile;
}

namespace kurvex::shell {

class ImageActions;
class ManualPage;
class NavTree;
class TFormKurvex;
struct ItemCaptions;
struct PageSet;

/// Languages: the selector's list, a language file applied to the captions everywhere, and the
/// manual that comes with it.
class Languages : public QObject {
  Q_OBJECT

 public:
  /// The captions are applied to the controls under `window` and `graph`, to the items of `tree`
  /// and kept in `captions`; the pages and the manual are laid out again afterwards.
  Languages(QWidget& window, TFormKurvex& graph, ItemCaptions& captions, NavTree& tree,
            const PageSet& pages, ManualPage& manual, ImageActions& images,
            QObject* parent = nullptr);
  ~Languages() override;

  /// Fills the language selector from the files "Localize/*.ini", sorted by file name, and
  /// selects the first entry without applying it.
  static void ListLanguages(QComboBox& box);
  /// Applies the selected language (the built-in texts when the box shows no entry of its list)
  /// and loads its manual.
  void ComboBoxLocalizeChange();
  /// The language of entry `index` of the list, as a pick in it.
  void Choose(int index);
  /// Applies one language file to the item captions, the tree, the controls and the readout
  /// prefix; the pages are laid out again afterwards, also after a failure.
  void LocalizeKurvex(const std::string& fileName);
  /// Loads the manual of a language into the manual box; a missing file changes nothing.
  void LoadManual(const std::string& rtfPath);
  /// Qt's own texts in the language `locale` names ("cs"); English for none.
  void LoadQtTexts(const std::string& locale);
  /// Selects and applies the language an options file names, when the list has that entry.
  void ApplyLanguage(int index);
  /// The language an options file stores: `LanguageName` when the list has that entry, else the
  /// index `Language`. A file with neither leaves the language as it is, except at the first
  /// load, which takes the language of the user's locale.
  void ApplyStoredLanguage(const ProfileFile& file, bool firstLoad);
  /// The index `Environment.Language` is saved with: the entry last picked or loaded, kept while
  /// the list has no entry of that index.
  int LanguageIndex() const { return language_; }
  /// The text of that entry, saved as `Environment.LanguageName`; while the list has no such
  /// entry, the name last read.
  std::string LanguageName() const;
  /// The captions of the language applied last.
  const ItemCaptions& Captions() const { return captions_; }

 private:
  QWidget& window_;
  TFormKurvex& graph_;
  ItemCaptions& captions_;
  NavTree& tree_;
  const PageSet& pages_;
  ManualPage& manual_;
  ImageActions& images_;
  QComboBox& box_;
  // Qt's own texts (file dialogs, their buttons) in the chosen language, when Qt has them.
  std::unique_ptr<QTranslator> qtTexts_;
  int language_ = 0;
  std::string storedName_;
};

/// The entry of `entries` for the user's locale: the first of LC_ALL, LC_MESSAGES and LANG that
/// is set and not empty decides ("cs…" Cesky, "sk…" Slovensky, anything else English); without
/// any, or without that entry, entry 0.
int LocaleLanguage(const QStringList& entries,
                   const std::function<const char*(const char*)>& environment);

}  // namespace kurvex::shell
