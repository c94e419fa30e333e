#include "shell/kit/dialogs.h"

#include <QApplication>
#include <QColorDialog>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QRawFont>
#include <QStringList>
#include <iostream>

#include "graph/render/font_engine.h"
#include "shell/kit/qt_convert.h"

namespace kurvex::shell {

namespace {

QString DialogMask(const std::string& mask) {
  // "*.*" means every file, one without an extension included.
  return mask == "*.*" ? QStringLiteral("*") : Q(mask);
}

}  // namespace

std::string DrawnFontFamily(FontEngine& fonts, const TMyFont& font) {
  const TextLayout layout = fonts.Layout(font, "A");
  if (layout.Glyphs.empty() || !layout.Glyphs.front().Face) return {};
  // The face's own file names its family, whatever name the style asked for.
  return S(QRawFont(Q(layout.Glyphs.front().Face->File), 12).familyName());
}

DialogFont DialogStartFont(const DialogFont& stored, const std::string& drawnFamily) {
  DialogFont start = stored;
  if (!drawnFamily.empty()) start.Name = drawnFamily;
  return start;
}

DialogFont ConfirmedFont(const DialogFont& stored, const DialogFont& start,
                         const DialogFont& chosen) {
  DialogFont result = chosen;
  if (chosen.Name == start.Name) result.Name = stored.Name;
  result.Color = stored.Color;
  result.Charset = stored.Charset;
  return result;
}

std::optional<CustomColor> ParseCustomColor(const std::string& entry) {
  const std::string prefix = "Color";
  if (entry.size() < prefix.size() + 3 || entry.compare(0, prefix.size(), prefix) != 0 ||
      entry[prefix.size() + 1] != '=') {
    return std::nullopt;
  }
  const char letter = entry[prefix.size()];
  if (letter < 'A' || letter > 'P') return std::nullopt;
  bool ok = false;
  const uint value = Q(entry.substr(prefix.size() + 2)).toUInt(&ok, 16);
  if (!ok) return std::nullopt;
  return CustomColor{letter - 'A', static_cast<TColor>(value & 0xFFFFFF)};
}

std::vector<std::string> NameFilters(const std::string& filter) {
  const QStringList parts = Q(filter).split('|');
  std::vector<std::string> result;
  for (int i = 0; i + 1 < parts.size(); i += 2) {
    result.push_back(S(parts[i] + " (" + DialogMask(S(parts[i + 1])) + ")"));
  }
  return result;
}

QString DialogNameFilter(const QString& label, const QString& mask) {
  QStringList masks;
  for (const QString& one : mask.split(';', Qt::SkipEmptyParts)) masks << DialogMask(S(one));
  // A label that names its masks already gets them once, as the dialog matches them.
  QString name = label;
  if (const qsizetype open = name.lastIndexOf(" ("); open > 0 && name.endsWith(')')) {
    name.truncate(open);
  }
  return name + " (" + masks.join(' ') + ")";
}

std::string MaskExtension(const std::string& mask) {
  const QString text = Q(mask);
  if (!text.startsWith("*.")) return {};
  const QString extension = text.mid(2);
  return extension.contains('*') || extension.contains('?') || extension.contains(';')
             ? std::string()
             : S(extension);
}

std::string WithDefaultExtension(const std::string& fileName, const std::string& extension) {
  if (fileName.empty() || extension.empty() || !QFileInfo(Q(fileName)).suffix().isEmpty()) {
    return fileName;
  }
  return fileName + "." + extension;
}

std::optional<TColor> QtDialogs::PickColor(TColor initial,
                                           const std::vector<std::string>& customColors) {
  for (int slot = 0; slot < QColorDialog::customCount(); ++slot) {
    QColorDialog::setCustomColor(slot, Qt::white);
  }
  for (const std::string& entry : customColors) {
    if (auto custom = ParseCustomColor(entry)) {
      QColorDialog::setCustomColor(custom->Slot, ToQColor(custom->Color));
    }
  }
  QColorDialog dialog(ToQColor(initial), QApplication::activeWindow());
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return FromQColor(dialog.selectedColor());
}

std::optional<DialogFont> QtDialogs::PickFont(const DialogFont& initial) {
  QFont font(Q(initial.Name));
  if (initial.Size > 0) font.setPointSize(initial.Size);
  font.setBold(initial.Bold);
  font.setItalic(initial.Italic);
  font.setUnderline(initial.Underline);
  font.setStrikeOut(false);
  bool ok = false;
  const QFont chosen = QFontDialog::getFont(&ok, font, QApplication::activeWindow());
  if (!ok) return std::nullopt;
  // The toolkit's font dialog has no colour and no character set: those stay as they were.
  DialogFont result = initial;
  result.Name = S(chosen.family());
  result.Size = chosen.pointSize() > 0 ? chosen.pointSize() : initial.Size;
  result.Bold = chosen.bold();
  result.Italic = chosen.italic();
  result.Underline = chosen.underline();
  result.StrikeOut = chosen.strikeOut();
  return result;
}

std::optional<std::string> QtDialogs::SaveFileName(const SaveDialogOptions& options) {
  QFileDialog dialog(QApplication::activeWindow(), Q(options.Title), Q(options.InitialDir));
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  QStringList filters;
  for (const std::string& f : NameFilters(options.Filter)) filters << Q(f);
  dialog.setNameFilters(filters);
  dialog.setDefaultSuffix(Q(options.DefaultExt));
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
    return std::nullopt;
  }
  return S(dialog.selectedFiles().constFirst());
}

std::optional<std::string> QtDialogs::OpenFileName(const OpenDialogOptions& options) {
  QFileDialog dialog(QApplication::activeWindow(), Q(options.Title), Q(options.InitialDir));
  dialog.setAcceptMode(QFileDialog::AcceptOpen);
  dialog.setFileMode(QFileDialog::ExistingFile);
  QStringList filters;
  for (const std::string& f : options.NameFilters) filters << Q(f);
  dialog.setNameFilters(filters);
  if (options.SelectedFilter >= 0 && options.SelectedFilter < filters.size()) {
    dialog.selectNameFilter(filters[options.SelectedFilter]);
  }
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
    return std::nullopt;
  }
  return S(dialog.selectedFiles().constFirst());
}

std::optional<SaveDialogChoice> QtDialogs::SaveFileAndFilter(const SaveDialogOptions& options) {
  QFileDialog dialog(QApplication::activeWindow(), Q(options.Title), Q(options.InitialDir));
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  QStringList filters;
  for (const std::string& f : NameFilters(options.Filter)) filters << Q(f);
  dialog.setNameFilters(filters);
  std::vector<std::string> extensions;
  const QStringList parts = Q(options.Filter).split('|');
  for (int i = 1; i < parts.size(); i += 2) extensions.push_back(MaskExtension(S(parts[i])));
  // The suffix follows the filter, so the overwrite question asks about the file really written.
  const auto follow = [&](const QString& filter) {
    const auto index = static_cast<size_t>(filters.indexOf(filter));
    dialog.setDefaultSuffix(index < extensions.size() ? Q(extensions[index]) : QString());
  };
  QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog, follow);
  if (options.FilterIndex >= 0 && options.FilterIndex < filters.size()) {
    dialog.selectNameFilter(filters[options.FilterIndex]);
    follow(filters[options.FilterIndex]);
  }
  if (!options.FileName.empty()) dialog.selectFile(Q(options.FileName));
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
    return std::nullopt;
  }
  return SaveDialogChoice{S(dialog.selectedFiles().constFirst()),
                          static_cast<int>(filters.indexOf(dialog.selectedNameFilter()))};
}

OptionsConflictAnswer QtDialogs::AskOptionsConflict(const OptionsConflictQuestion& question) {
  QMessageBox box(QMessageBox::Question, QApplication::applicationName(), Q(question.Text),
                  QMessageBox::NoButton, QApplication::activeWindow());
  QPushButton* mine = box.addButton(Q(question.KeepMine), QMessageBox::AcceptRole);
  QPushButton* theirs = box.addButton(Q(question.KeepTheirs), QMessageBox::RejectRole);
  box.setDefaultButton(mine);
  box.setEscapeButton(theirs);
  box.exec();
  return box.clickedButton() == mine ? OptionsConflictAnswer::kKeepMine
                                     : OptionsConflictAnswer::kKeepTheirs;
}

void QtDialogs::ShowError(const std::string& message) {
  if (!Attended()) {
    std::cerr << S(QApplication::applicationName().trimmed()) << ": " << message << '\n';
    return;
  }
  QMessageBox::critical(QApplication::activeWindow(), QApplication::applicationName(), Q(message));
}

std::optional<ColumnsAnswer> QtDialogs::ChooseColumns(const ColumnsQuestion& question) {
  ColumnsDialog dialog(question, QApplication::activeWindow());
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return dialog.Answer();
}

}  // namespace kurvex::shell
