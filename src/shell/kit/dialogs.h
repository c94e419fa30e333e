#pragma once

#include <optional>
#include <string>
#include <vector>

#include "graph/dialog_rules.h"
#include "graph/model.h"
#include "shell/kit/columns_dialog.h"

class QString;

namespace kurvex {
class FontEngine;
}
class QWidget;

namespace kurvex::shell {

/// What the save dialog is prepared with.
struct SaveDialogOptions {
  std::string InitialDir;
  std::string Filter;  // "Label|mask|Label|mask"
  std::string DefaultExt;
  std::string Title;
  /// The filter selected at first, counted from 0.
  int FilterIndex = 0;
  /// The file name proposed in the folder; empty: none.
  std::string FileName{};
};

/// What the open dialog is prepared with.
struct OpenDialogOptions {
  std::string InitialDir;
  std::string Title;
  /// Toolkit name filters, "JCAMP-DX (*.jdx *.dx)", in the order offered.
  std::vector<std::string> NameFilters{};
  /// The filter selected at first, counted from 0.
  int SelectedFilter = 0;
};

/// The save dialog's answer when its filters mean different things (picture formats).
struct SaveDialogChoice {
  std::string FileName{};
  /// The filter selected when the dialog was confirmed, counted from 0.
  int FilterIndex = 0;
};

/// The question about an options file that another program changed while it was open.
struct OptionsConflictQuestion {
  std::string Text;
  std::string KeepMine;
  std::string KeepTheirs;
};

enum class OptionsConflictAnswer { kKeepMine, kKeepTheirs };

/// Every dialog the program shows, behind one seam so tests can answer them.
class Dialogs {
 public:
  virtual ~Dialogs() = default;
  /// Whether someone is there to answer: not while the program closes because it was told to
  /// stop (the session ends, a "kill"), when a dialog would keep it from ending.
  bool Attended() const { return attended_; }
  void SetAttended(bool attended) { attended_ = attended; }
  /// Which settings to keep: the window's or the ones another program wrote into the file.
  virtual OptionsConflictAnswer AskOptionsConflict(const OptionsConflictQuestion& question) = 0;
  /// The chosen colour, or nothing when cancelled; customColors are "ColorA=0000FF" entries.
  virtual std::optional<TColor> PickColor(TColor initial,
                                          const std::vector<std::string>& customColors) = 0;
  virtual std::optional<DialogFont> PickFont(const DialogFont& initial) = 0;
  /// The chosen file name, or nothing when cancelled.
  virtual std::optional<std::string> SaveFileName(const SaveDialogOptions& options) = 0;
  /// The file chosen to open, or nothing when cancelled.
  virtual std::optional<std::string> OpenFileName(const OpenDialogOptions& options) = 0;
  /// The chosen file name and filter, or nothing when cancelled; without a dialog of its own
  /// the filter stays the one selected at first.
  virtual std::optional<SaveDialogChoice> SaveFileAndFilter(const SaveDialogOptions& options) {
    const std::optional<std::string> name = SaveFileName(options);
    if (!name) return std::nullopt;
    return SaveDialogChoice{*name, options.FilterIndex};
  }
  /// The columns of a file to draw, or nothing when cancelled.
  virtual std::optional<ColumnsAnswer> ChooseColumns(const ColumnsQuestion& question) = 0;
  /// The application's error report.
  virtual void ShowError(const std::string& message) = 0;

 private:
  bool attended_ = true;
};

/// The real dialogs of the toolkit.
class QtDialogs : public Dialogs {
 public:
  std::optional<TColor> PickColor(TColor initial,
                                  const std::vector<std::string>& customColors) override;
  std::optional<DialogFont> PickFont(const DialogFont& initial) override;
  std::optional<std::string> SaveFileName(const SaveDialogOptions& options) override;
  std::optional<std::string> OpenFileName(const OpenDialogOptions& options) override;
  std::optional<SaveDialogChoice> SaveFileAndFilter(const SaveDialogOptions& options) override;
  OptionsConflictAnswer AskOptionsConflict(const OptionsConflictQuestion& question) override;
  std::optional<ColumnsAnswer> ChooseColumns(const ColumnsQuestion& question) override;
  /// A box; with nobody there, a line on the standard error instead.
  void ShowError(const std::string& message) override;
};

/// The family of the face the engine draws `font` in, as fontconfig chose it; empty without one.
std::string DrawnFontFamily(FontEngine& fonts, const TMyFont& font);

/// The font the dialog starts at: the stored one under the family it is drawn in, which the
/// toolkit's list holds ("Times New Roman" is drawn as "Liberation Serif" where it is missing).
DialogFont DialogStartFont(const DialogFont& stored, const std::string& drawnFamily);

/// The stored font after a confirmed dialog: the stored name stays while the dialog's face is
/// the one it started at, and colour and character set stay as stored (the dialog has neither).
DialogFont ConfirmedFont(const DialogFont& stored, const DialogFont& start,
                         const DialogFont& chosen);

/// Slot of a custom-colour entry ("ColorG=..." is slot 6) and its colour; nothing for an entry
/// that does not parse.
struct CustomColor {
  int Slot = 0;
  TColor Color = 0;
};
std::optional<CustomColor> ParseCustomColor(const std::string& entry);

/// "Ini Files|*.ini|*.*|*.*" as toolkit name filters: "Ini Files (*.ini)", "*.* (*)".
std::vector<std::string> NameFilters(const std::string& filter);

/// A file type of the browsers ("*.jdx;*.dx" masks) as a toolkit name filter: "JCAMP-DX (*.jdx
/// *.dx)", "*.xy (*.xy)", "All files (*)" for "All files (*.*)".
QString DialogNameFilter(const QString& label, const QString& mask);

/// The extension a filter mask names ("*.png" -> "png"); empty for masks such as "*.*".
std::string MaskExtension(const std::string& mask);

/// The name with ".ext" appended when it has no extension of its own.
std::string WithDefaultExtension(const std::string& fileName, const std::string& extension);

}  // namespace kurvex::shell
