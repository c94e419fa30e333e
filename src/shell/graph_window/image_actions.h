#pragma once

#include <QObject>
#include <QString>
#include <string>

#include "graph/graph_image.h"
#include "shell/kit/captions.h"

class QAction;
class QCheckBox;
class QComboBox;
class QMimeData;
class QWidget;

namespace kurvex {
class GraphEngine;
struct GraphModel;
}  // namespace kurvex

namespace kurvex::shell {

class Dialogs;
class TFormKurvex;

/// "Copy image", "Save image as…" and "Smooth drawing": the graph image's context menu, the
/// shortcuts and the folder the save dialog remembers.
class ImageActions : public QObject {
  Q_OBJECT

 public:
  /// The actions are children of `window`, where the language files find them by name.
  ImageActions(QWidget& window, Dialogs& dialogs);

  /// Puts the actions on the graph image's context menu; Ctrl+C acts while the focus is in the
  /// graph or in `tree`, Ctrl+Shift+S anywhere in the window. "Smooth drawing" is checked and
  /// changed together with the Image page's box of that name.
  void Attach(TFormKurvex& graph, QWidget& tree, QCheckBox& smoothBox, QComboBox& scaleBox);
  /// The graph's view entries (Fit to data, Zoom out, …) after Copy and Save on its context menu.
  void AddViewEntries(const QList<QAction*>& entries);
  /// One more entry at the end of the graph's context menu, after a separator.
  void AddEntry(QAction* entry);

  /// The picture to the clipboard as PNG, SVG and an image, the PNG at PictureScale.
  void CopyImage();
  /// Asks for a file and writes the picture in the format of its extension, else the filter's.
  void SaveImageAs();

  /// The folder the save dialog opens in ("ImagePath"); empty: the saved-images folder.
  QString Folder() const { return folder_; }
  void SetFolder(const QString& folder) { folder_ = folder; }

  /// Pixels of a copied or saved BMP or PNG to one of the layout ("ImageScale"): 1, 2 or 4, or
  /// 0 for the screen's. The Image page's "Scale" shows it and changes it.
  int Scale() const { return scale_; }
  void SetScale(int scale);
  /// The scale pictures are copied and saved at: the screen's is the window's device pixel ratio.
  double PictureScale() const;

  /// The save dialog's file types, "name|mask|…" in the order BMP, PNG, SVG, PDF, in the
  /// language chosen.
  void SetFilterText(std::string text) { filterText_ = std::move(text); }

  QAction* Copy() const { return copy_; }
  QAction* SaveAs() const { return saveAs_; }
  QAction* Smooth() const { return smooth_; }

 private:
  /// The remembered folder, else the saved-images folder, else the data file's; the first that
  /// exists.
  QString StartFolder() const;

  Dialogs& dialogs_;
  TFormKurvex* graph_ = nullptr;
  std::string filterText_ = BuiltInCaptions().ImageFilter;
  QAction* copy_;
  QAction* saveAs_;
  QAction* smooth_;
  QString folder_;
  int scale_ = 0;
  QComboBox* scaleBox_ = nullptr;
  // The filter picked last; PNG at first, the format most programs take in.
  int filterIndex_ = 1;
};

/// ".bmp", ".png", ".svg" or ".pdf".
std::string ImageExtension(ImageFormat format);

/// The clipboard's content for the graph: PNG (`scale` times larger) and SVG bytes under their
/// MIME types and the image itself.
QMimeData* GraphMimeData(GraphEngine& engine, double scale = 1);

/// The format an auto-saved picture is written in: SVG and PDF are drawn from the model, so
/// while the surface shows something else (auto repaint off, only the curves redrawn) the
/// picture falls back to PNG.
ImageFormat AutoSavedFormat(ImageFormat chosen, const GraphModel& model);

}  // namespace kurvex::shell
