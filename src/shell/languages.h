#pragma once

#include <QObject>
#include <string>

class QComboBox;
class QWidget;

namespace kurvex::shell {

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
            const PageSet& pages, ManualPage& manual, QObject* parent = nullptr);

  /// Fills the language selector from the files "Localize/*.ini", sorted by file name, and
  /// selects the first entry without applying it.
  static void ListLanguages(QComboBox& box);
  /// Applies the selected language (the built-in texts when the box shows no entry of its list)
  /// and loads its manual.
  void ComboBoxLocalizeChange();
  /// Applies one language file to the item captions, the tree, the controls and the readout
  /// prefix; the pages are laid out again afterwards, also after a failure.
  void LocalizeKurvex(const std::string& fileName);
  /// Loads the manual of a language into the manual box; a missing file changes nothing.
  void LoadManual(const std::string& rtfPath);
  /// Selects and applies the language an options file names, when the list has that entry.
  void ApplyLanguage(int index);
  /// The index `Environment.Language` is saved with: the entry last picked or loaded, kept while
  /// the list has no entry of that index.
  int LanguageIndex() const { return language_; }

 private:
  QWidget& window_;
  TFormKurvex& graph_;
  ItemCaptions& captions_;
  NavTree& tree_;
  const PageSet& pages_;
  ManualPage& manual_;
  QComboBox& box_;
  int language_ = 0;
};

}  // namespace kurvex::shell
