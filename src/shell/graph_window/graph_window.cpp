#include "shell/graph_window/graph_window.h"

#include <QEvent>
#include <QImage>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QScopeGuard>
#include <QStatusBar>
#include <QTimer>
#include <QToolTip>
#include <algorithm>

#include "graph/data/data_error.h"
#include "graph/dialog_rules.h"
#include "graph/mapping.h"
#include "graph/placeholders.h"
#include "graph/style_sections.h"
#include "shell/graph_window/overlay_files.h"
#include "shell/kit/captions.h"
#include "shell/kit/dialogs.h"
#include "shell/kit/guard.h"
#include "shell/kit/painting_off.h"
#include "shell/kit/qt_convert.h"

namespace kurvex::shell {

namespace {

/// The data text as a widget: nobody looks at it, so it copies the engine's text only when it
/// is actually shown instead of on every load.
class DataTextView : public QPlainTextEdit {
 public:
  DataTextView(GraphEngine& engine, QWidget* parent) : QPlainTextEdit(parent), engine_(engine) {
    setObjectName("MemoData");
    setReadOnly(true);
    setLineWrapMode(QPlainTextEdit::NoWrap);
  }

 protected:
  void showEvent(QShowEvent* event) override {
    setPlainText(Q(engine_.Data().Joined("\n")));
    QPlainTextEdit::showEvent(event);
  }

 private:
  GraphEngine& engine_;
};

QRect ImageRect(const GraphModel& model) {
  const int size = GraphEngine::kSurfaceSize;
  return QRect(0, 0, std::clamp(model.ImageWidth, 0, size), std::clamp(model.ImageHeight, 0, size));
}

}  // namespace

GraphView::GraphView(TFormKurvex& form, QWidget* parent) : QWidget(parent), form_(form) {
  setObjectName("ImageGraph");
  setAccessibleName("Graph");
  setMouseTracking(true);
  setAttribute(Qt::WA_OpaquePaintEvent);
  setFocusPolicy(Qt::StrongFocus);
}

namespace {

constexpr int kMarkerRadius = 5;

QRect MarkerArea(const std::optional<QPoint>& marker) {
  if (!marker) return {};
  const int reach = kMarkerRadius + 3;
  return QRect(*marker - QPoint(reach, reach), QSize(2 * reach + 1, 2 * reach + 1));
}

}  // namespace

void GraphView::Touch(const QRect& area) {
  if (!area.isNull()) update(area.adjusted(-2, -2, 2, 2));
}

void GraphView::SetMarker(std::optional<QPoint> marker) {
  if (marker == overlay_.Marker) return;
  Touch(MarkerArea(overlay_.Marker));
  overlay_.Marker = marker;
  Touch(MarkerArea(marker));
}

void GraphView::SetBand(const QRect& band) {
  Touch(overlay_.Band);
  overlay_.Band = band;
  Touch(band);
}

void GraphView::SetOutline(const QRect& outline) {
  Touch(overlay_.Outline);
  overlay_.Outline = outline;
  Touch(outline);
}

void GraphView::paintEvent(QPaintEvent* event) {
  const PixelBuffer& pixels = form_.Engine().Pixels();
  const QRect area = event->rect() & ImageRect(form_.Model());
  if (area.isEmpty()) return;
  const QImage surface(reinterpret_cast<const uchar*>(pixels.Row(0)), pixels.Width(),
                       pixels.Height(), pixels.Width() * 4, QImage::Format_RGBX8888);
  // Smooth drawing holds as many pixels as the screen shows: the area's part of them.
  const double scale = form_.Engine().Surface().Scale();
  const QRect source = scale == 1 ? area
                                  : QRectF(area.x() * scale, area.y() * scale, area.width() * scale,
                                           area.height() * scale)
                                        .toAlignedRect();
  // The engine leaves the fourth byte 0; converting to RGB32 makes every pixel opaque.
  QImage shown = surface.copy(source).convertToFormat(QImage::Format_RGB32);
  shown.setDevicePixelRatio(scale);
  QPainter painter(this);
  painter.drawImage(area.topLeft(), shown);
  if (form_.Engine().DisplayScale != devicePixelRatioF()) {
    // A screen of another pixel ratio: the next full drawing takes it.
    form_.Engine().DisplayScale = devicePixelRatioF();
    if (form_.Model().ImageSmooth) QTimer::singleShot(0, &form_, [this] { form_.RepaintIfAuto(); });
  }
  // Light under dark: the overlays show on any image colour.
  const auto outlined = [&](const auto& draw) {
    painter.setPen(QPen(QColor(255, 255, 255, 220), 3));
    draw();
    painter.setPen(QPen(QColor(20, 20, 20), 1, Qt::DashLine));
    draw();
  };
  painter.setBrush(Qt::NoBrush);
  if (!overlay_.Band.isNull()) {
    painter.fillRect(overlay_.Band, QColor(40, 90, 200, 40));
    outlined([&] { painter.drawRect(overlay_.Band); });
  }
  if (!overlay_.Outline.isNull()) outlined([&] { painter.drawRect(overlay_.Outline); });
  if (overlay_.Marker) {
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(Qt::white, 3));
    painter.drawEllipse(QPointF(*overlay_.Marker), kMarkerRadius, kMarkerRadius);
    painter.setPen(QPen(QColor(200, 0, 0), 1.5));
    painter.drawEllipse(QPointF(*overlay_.Marker), kMarkerRadius, kMarkerRadius);
    painter.setRenderHint(QPainter::Antialiasing, false);
  }
  if (hasFocus()) {
    const QRect frame = ImageRect(form_.Model()).adjusted(1, 1, -2, -2);
    painter.setPen(QPen(palette().color(QPalette::Highlight), 2, Qt::DotLine));
    painter.drawRect(frame);
  }
}

void GraphView::mouseMoveEvent(QMouseEvent* event) {
  const QPoint p = event->position().toPoint();
  Guard(form_.Errors(), [&] { form_.ImageGraphMouseMove(p.x(), p.y()); });
}

void GraphView::leaveEvent(QEvent* event) {
  SetMarker(std::nullopt);
  QWidget::leaveEvent(event);
}

void GraphView::focusInEvent(QFocusEvent* event) {
  update();
  QWidget::focusInEvent(event);
}

void GraphView::focusOutEvent(QFocusEvent* event) {
  update();
  QWidget::focusOutEvent(event);
}

GraphScrollBox::GraphScrollBox(TFormKurvex& form, QWidget* parent)
    : QScrollArea(parent), form_(form), client_(new QWidget) {
  setObjectName("ScrollBoxGraph");
  setFrameShape(QFrame::NoFrame);
  setWidgetResizable(true);
  client_->setObjectName("ScrollBoxGraphClient");
  client_->setAutoFillBackground(true);
  client_->setMouseTracking(true);
  client_->installEventFilter(this);
  setWidget(client_);
}

bool GraphScrollBox::eventFilter(QObject* watched, QEvent* event) {
  if (watched == client_ && event->type() == QEvent::MouseMove) {
    Guard(form_.Errors(), [&] { form_.ClearCursorPosition(); });
  }
  return QScrollArea::eventFilter(watched, event);
}

TFormKurvex::TFormKurvex(Dialogs& dialogs, QWidget* parent)
    : QWidget(parent), dialogs_(dialogs), overlayFiles_(std::make_unique<OverlayFiles>(engine_)) {
  setObjectName("FormKurvex");
  scrollBox_ = new GraphScrollBox(*this, this);
  image_ = new GraphView(*this, scrollBox_->Client());
  statusBar_ = new QStatusBar(this);
  statusBar_->setObjectName("StatusBar");
  statusBar_->setSizeGripEnabled(false);
  statusBar_->showMessage(Q(InitialCursorText()));
  editDataFile_ = new QLineEdit(Q(engine_.DataFileName()), this);
  editDataFile_->setObjectName("EditDataFile");
  editDataFile_->setReadOnly(true);
  memoData_ = new DataTextView(engine_, this);
  SetBackgroundColor(engine_.Model.BackGroundColor);
  SetStatusBarVisible(engine_.Model.StatusBarVisible);
  engine_.OnPainted = [this] {
    FollowDrawing();
    emit Painted();
  };
  FollowDrawing();
}

TFormKurvex::~TFormKurvex() {
  engine_.OnPainted = nullptr;
  // Widgets adopted by the main window would outlive the engine they show.
  delete memoData_.data();
  delete editDataFile_.data();
  delete statusBar_.data();
  delete scrollBox_.data();
}

bool TFormKurvex::LoadDataFile(const std::string& path, bool reload) {
  bool read = false;
  {
    // The engine's drawing during a load keeps its failure to itself; the one after it tells.
    const PaintingOff off(engine_.PaintEnabled);
    read = reload ? engine_.ReloadDataFile(path) : engine_.LoadDataFile(path);
  }
  editDataFile_->setText(Q(engine_.DataFileName()));
  editDataFile_->setToolTip(Q(engine_.DataFilePath()));
  if (read && engine_.DataFilePath() == path) RepaintIfAuto();
  return read;
}

void TFormKurvex::LoadOptionsFile(const ProfileFile& file, AfterFailure after) {
  // Also after a failed key: what was read before it shows.
  const auto follow = qScopeGuard([this] {
    SetBackgroundColor(engine_.Model.BackGroundColor);
    SetStatusBarVisible(engine_.Model.StatusBarVisible);
    loadedStyle_ = engine_.Model;
  });
  kurvex::LoadOptionsFile(engine_.Model, file, after);
}

void TFormKurvex::PlaceImage() {
  image_->move(engine_.Model.ImageLeft, engine_.Model.ImageTop);
  FollowDrawing();
}

void TFormKurvex::SetBackgroundColor(TColor color) {
  engine_.Model.BackGroundColor = color;
  QPalette palette = scrollBox_->Client()->palette();
  palette.setColor(QPalette::Window, ToQColor(color));
  scrollBox_->Client()->setPalette(palette);
}

void TFormKurvex::SetStatusBarVisible(bool visible) {
  engine_.Model.StatusBarVisible = visible;
  statusBar_->setVisible(visible);
}

QString TFormKurvex::StatusText() const {
  return statusBar_->currentMessage();
}

void TFormKurvex::SetStatusText(const QString& text) {
  statusBar_->showMessage(text);
}

void TFormKurvex::ClearCursorPosition() {
  SetStatusText(Q(engine_.ClearCursorPosition()));
  pointText_.clear();
  image_->SetMarker(std::nullopt);
  QToolTip::hideText();
}

void TFormKurvex::ImageGraphMouseMove(int x, int y) {
  std::string text = engine_.CursorReadoutAt(x, y);
  pointText_.clear();
  std::optional<QPoint> marker;
  if (const std::optional<NearPoint> point = engine_.NearestPoint(x, y)) {
    std::string name =
        ExpandPlaceholders(engine_.Model.Curve[point->Curve].LegendText, engine_.Names());
    if (QString::fromStdString(name).trimmed().isEmpty()) {
      name = FormatMessage(CurveName, {std::to_string(point->Curve)});
    }
    const NumericColumns& columns = engine_.Columns();
    const std::string values = NearPointText(engine_.Model, name, columns.Value(0, point->Line),
                                             columns.Value(point->Curve, point->Line));
    text += "   " + values;
    pointText_ = Q(values);
    marker = QPoint(point->Px, point->Py);
  }
  SetStatusText(Q(text));
  image_->SetMarker(marker);
  // The status bar is hidden by default: the point's values then show beside it.
  if (marker && !StatusBarVisible()) {
    QToolTip::showText(image_->mapToGlobal(*marker + QPoint(10, 10)), pointText_, image_);
  } else {
    QToolTip::hideText();
  }
}

// Data that does not convert is the file's fault, not the action's: it is said on the message
// line, where it neither interrupts the user nor comes before the window at start.
template <class Draw>
void TFormKurvex::NamingTheDataLine(Draw draw) {
  try {
    draw();
  } catch (const DataLineError& e) {
    emit DataProblem(Q(DataErrorMessage(engine_.DataFileName(), e)));
  }
}

void TFormKurvex::RepaintIfAuto() {
  if (!overlayFiles_->Active()) {
    NamingTheDataLine([this] { engine_.RepaintIfAuto(); });
  } else if (engine_.PaintEnabled && engine_.Model.AutoRepaint) {
    RepaintGraph();
  }
}

void TFormKurvex::RepaintGraph() {
  if (!overlayFiles_->Active()) {
    NamingTheDataLine([this] { engine_.RepaintGraph(); });
  } else if (const std::optional<std::string> problem = overlayFiles_->Draw()) {
    emit DataProblem(Q(*problem));
  }
}

DataExtent TFormKurvex::ShownDataExtent() const {
  return overlayFiles_->Active() ? overlayFiles_->Measure() : MeasureData(engine_.Columns());
}

TColor TFormKurvex::PickColor(TColor color) {
  return dialogs_.PickColor(color, CustomColorList(engine_.Model)).value_or(color);
}

TColor TFormKurvex::PickBackgroundColor() {
  SetBackgroundColor(PickColor(BackgroundColor()));
  return BackgroundColor();
}

void TFormKurvex::PickFont(TMyFont& font) {
  const DialogFont stored = ToDialogFont(font);
  // The toolkit's list lacks many stored names: the dialog starts at the face the picture shows.
  const DialogFont start = DialogStartFont(stored, DrawnFontFamily(engine_.Fonts(), font));
  const std::optional<DialogFont> chosen = dialogs_.PickFont(start);
  if (!chosen) return;
  // An OK that changed nothing leaves the style, and so the picture, exactly as it was.
  if (const DialogFont kept = ConfirmedFont(stored, start, *chosen); kept != stored) {
    font = FromDialogFont(kept);
  }
}

TColor TFormKurvex::ChangeColorOption(TColor& color) {
  color = PickColor(color);
  RepaintIfAuto();
  return color;
}

void TFormKurvex::FollowDrawing() {
  if (!image_ || !scrollBox_) return;
  const QRect area = ImageRect(engine_.Model);
  image_->resize(area.size());
  // The point moved with the picture; the next pointer move finds it again.
  image_->SetMarker(std::nullopt);
  const GraphModel& m = engine_.Model;
  scrollBox_->Client()->setMinimumSize(std::max(0, m.ImageLeft) + area.width(),
                                       std::max(0, m.ImageTop) + area.height());
  image_->update();
}

}  // namespace kurvex::shell
