#pragma once

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QScrollArea>
#include <QStatusBar>
#include <QWidget>
#include <memory>
#include <optional>
#include <string>

#include "common/ini_file.h"
#include "graph/axis_fit.h"
#include "graph/graph_engine.h"
#include "graph/style_sections.h"
#include "shell/pages/page_graph.h"

namespace kurvex::shell {

class Dialogs;
class OverlayFiles;
class TFormKurvex;

/// What the mouse shows over the picture: never part of it, so never in a saved picture.
struct GraphOverlay {
  std::optional<QPoint> Marker;  // the data point the readout names
  QRect Band;                    // the zoom rectangle while it is dragged
  QRect Outline;                 // a part while it is moved
};

/// Shows the top-left ImageWidth x ImageHeight of the engine's surface, what the mouse does over
/// it, and a focus frame while it has the keyboard.
class GraphView : public QWidget {
  Q_OBJECT

 public:
  GraphView(TFormKurvex& form, QWidget* parent);

  const GraphOverlay& Overlay() const { return overlay_; }
  void SetMarker(std::optional<QPoint> marker);
  void SetBand(const QRect& band);
  void SetOutline(const QRect& outline);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void leaveEvent(QEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;

 private:
  // Only the pixels an overlay covered or covers are drawn again: a 2000 x 2000 image is not
  // copied at every pointer move.
  void Touch(const QRect& area);

  TFormKurvex& form_;
  GraphOverlay overlay_;
};

/// The scrolling graph area; a pointer over it but outside the image clears the readout.
class GraphScrollBox : public QScrollArea {
  Q_OBJECT

 public:
  GraphScrollBox(TFormKurvex& form, QWidget* parent);
  QWidget* Client() const { return client_; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  TFormKurvex& form_;
  QWidget* client_;
};

/// The graph window: owns the engine and the widgets that show it. It is never shown itself; the
/// main window takes its widgets into its own panels.
class TFormKurvex : public QWidget, public PageGraph {
  Q_OBJECT

 public:
  explicit TFormKurvex(Dialogs& dialogs, QWidget* parent = nullptr);
  ~TFormKurvex() override;

  GraphEngine& Engine() override { return engine_; }
  GraphModel& Model() override { return engine_.Model; }
  Dialogs& Errors() { return dialogs_; }

  GraphScrollBox* ScrollBoxGraph() const { return scrollBox_; }
  GraphView* ImageGraph() const { return image_; }
  QStatusBar* StatusBar() const { return statusBar_; }
  QLineEdit* EditDataFile() const { return editDataFile_; }
  QPlainTextEdit* MemoData() const { return memoData_; }

  /// Loads a data file, or loads it again after a change on disk (taken only when all of it
  /// converts), shows its name and draws it; a file that cannot be read changes nothing.
  bool LoadDataFile(const std::string& path, bool reload = false);

  /// Reads the graph sections; the area colour and status bar follow what was read, also when a
  /// later key fails.
  void LoadOptionsFile(const ProfileFile& file, AfterFailure after = AfterFailure::kKeepPrevious);

  /// Several data files drawn together; while it is active every redraw draws all of them.
  OverlayFiles& OverlaidFiles() const { return *overlayFiles_; }
  /// The values drawn: the loaded file's, or every file's of the overlay.
  DataExtent ShownDataExtent() const override;

  /// Redraws; a data field that does not convert ends the drawing and is told through
  /// `DataProblem` with its file and line.
  void RepaintIfAuto() override;
  void RepaintGraph();
  bool PaintEnabled() const override { return engine_.PaintEnabled; }
  void SetPaintEnabled(bool enabled) override { engine_.PaintEnabled = enabled; }

  /// Puts the image at ImageLeft, ImageTop inside the scroll box.
  void PlaceImage() override;

  TColor BackgroundColor() const override { return engine_.Model.BackGroundColor; }
  void SetBackgroundColor(TColor color) override;
  bool StatusBarVisible() const override { return engine_.Model.StatusBarVisible; }
  void SetStatusBarVisible(bool visible) override;

  QString StatusText() const;
  void SetStatusText(const QString& text);
  void ClearCursorPosition();
  /// The pointer's position and, after it, the nearest data point within kNearRadius pixels,
  /// which a marker shows; with the status bar hidden the point's values show beside the marker.
  void ImageGraphMouseMove(int x, int y);
  /// The values of the data point the marker shows; empty without one.
  QString PointText() const { return pointText_; }
  /// How a curve without legend text is named; "%s" stands for its number.
  std::string CurveName = "Curve %s";

  /// The style as the last options file loaded it (Reset view goes back to its ranges).
  const GraphModel& LoadedStyle() const { return loadedStyle_; }

  /// The colour dialog preloaded with the model's colours; the given colour when cancelled.
  TColor PickColor(TColor color);
  /// Lets the user choose the area colour around the image; returns it.
  TColor PickBackgroundColor() override;
  /// Edits the font in place; a cancelled dialog leaves it unchanged.
  void PickFont(TMyFont& font) override;
  /// PickColor into `color`, then a redraw (also after a cancel).
  TColor ChangeColorOption(TColor& color) override;

 signals:
  /// After every drawing operation of the engine.
  void Painted();
  /// A drawing stopped at data that does not convert: "si.xy:12: '1.2.3' is not a valid …".
  void DataProblem(const QString& message);

 private:
  void FollowDrawing();
  template <class Draw>
  void NamingTheDataLine(Draw draw);

  Dialogs& dialogs_;
  GraphEngine engine_;
  std::unique_ptr<OverlayFiles> overlayFiles_;
  // The main window adopts these; QPointer tells whether it has already destroyed them.
  QPointer<GraphScrollBox> scrollBox_;
  QPointer<GraphView> image_;
  QPointer<QStatusBar> statusBar_;
  QPointer<QLineEdit> editDataFile_;
  QPointer<QPlainTextEdit> memoData_;
  QString pointText_;
  GraphModel loadedStyle_;
};

}  // namespace kurvex::shell
