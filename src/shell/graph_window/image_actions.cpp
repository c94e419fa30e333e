#include "shell/graph_window/image_actions.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QMimeData>

#include "common/app_dir.h"
#include "graph/graph_engine.h"
#include "graph/output/image_file.h"
#include "shell/graph_window/graph_window.h"
#include "shell/kit/dialogs.h"
#include "shell/kit/guard.h"
#include "shell/kit/qt_convert.h"

namespace kurvex::shell {

namespace {

// The save dialog's filters, in this order.
constexpr ImageFormat kFilterFormats[] = {ImageFormat::kBmp, ImageFormat::kPng, ImageFormat::kSvg,
                                          ImageFormat::kPdf};

QByteArray Bytes(const std::string& bytes) {
  return QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

}  // namespace

std::string ImageExtension(ImageFormat format) {
  std::string extension = ".";
  return extension.append(ImageFormatName(format));
}

QMimeData* GraphMimeData(GraphEngine& engine, double scale) {
  const QByteArray png = Bytes(GraphImageBytes(engine, ImageFormat::kPng, scale));
  const QByteArray svg = Bytes(GraphImageBytes(engine, ImageFormat::kSvg));
  auto* data = new QMimeData;
  data->setData("image/png", png);
  data->setData("image/svg+xml", svg);
  // Programs that take no PNG bytes paste the toolkit's image.
  data->setImageData(QImage::fromData(png, "PNG"));
  return data;
}

ImageFormat AutoSavedFormat(ImageFormat chosen, const GraphModel& model) {
  if (IsVectorFormat(chosen) && (!model.AutoRepaint || model.OnlyCurves)) return ImageFormat::kPng;
  return chosen;
}

ImageActions::ImageActions(QWidget& window, Dialogs& dialogs)
    : QObject(&window), dialogs_(dialogs) {
  copy_ = new QAction("Copy image", &window);
  copy_->setObjectName("ActionCopyImage");
  copy_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_C));
  // Text fields and lists keep their own copy.
  copy_->setShortcutContext(Qt::WidgetWithChildrenShortcut);
  saveAs_ = new QAction("Save image as…", &window);
  saveAs_->setObjectName("ActionSaveImageAs");
  saveAs_->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));
  saveAs_->setShortcutContext(Qt::WindowShortcut);
  window.addAction(saveAs_);
  smooth_ = new QAction("Smooth drawing", &window);
  smooth_->setObjectName("ActionSmooth");
  smooth_->setCheckable(true);
  connect(copy_, &QAction::triggered, this, [this] { Guard(dialogs_, [this] { CopyImage(); }); });
  connect(saveAs_, &QAction::triggered, this,
          [this] { Guard(dialogs_, [this] { SaveImageAs(); }); });
}

void ImageActions::Attach(TFormKurvex& graph, QWidget& tree, QCheckBox& smoothBox,
                          QComboBox& scaleBox) {
  graph_ = &graph;
  QWidget* image = graph.ImageGraph();
  image->setContextMenuPolicy(Qt::ActionsContextMenu);
  image->addAction(copy_);
  image->addAction(saveAs_);
  image->addAction(smooth_);
  // The box stores the choice in the style; the action follows it, and changes it.
  smooth_->setChecked(smoothBox.isChecked());
  connect(&smoothBox, &QCheckBox::toggled, smooth_, &QAction::setChecked);
  connect(smooth_, &QAction::toggled, &smoothBox, &QCheckBox::setChecked);
  scaleBox_ = &scaleBox;
  SetScale(scale_);
  connect(scaleBox_, &QComboBox::currentIndexChanged, this,
          [this](int index) { scale_ = scaleBox_->itemData(index).toInt(); });
  graph.ScrollBoxGraph()->addAction(copy_);
  tree.addAction(copy_);
}

void ImageActions::AddViewEntries(const QList<QAction*>& entries) {
  if (!graph_) return;
  QWidget* image = graph_->ImageGraph();
  // Smooth drawing, where the menu has it, changes the view too: it goes before the last entry.
  QList<QAction*> view = entries;
  for (QAction* action : image->actions()) {
    if (action->objectName().startsWith("ActionSmooth") && !view.isEmpty()) {
      image->removeAction(action);
      view.insert(view.size() - 1, action);
    }
  }
  auto* line = new QAction(this);
  line->setSeparator(true);
  image->addAction(line);
  image->addActions(view);
}

void ImageActions::AddEntry(QAction* entry) {
  if (!graph_) return;
  auto* line = new QAction(this);
  line->setSeparator(true);
  graph_->ImageGraph()->addActions({line, entry});
}

void ImageActions::CopyImage() {
  if (!graph_) return;
  QApplication::clipboard()->setMimeData(GraphMimeData(graph_->Engine(), PictureScale()));
}

void ImageActions::SetScale(int scale) {
  scale_ = scale == 1 || scale == 2 || scale == 4 ? scale : 0;
  if (scaleBox_) scaleBox_->setCurrentIndex(scaleBox_->findData(scale_));
}

double ImageActions::PictureScale() const {
  if (scale_ > 0) return scale_;
  return static_cast<QWidget*>(parent())->devicePixelRatioF();
}

QString ImageActions::StartFolder() const {
  const QString pictures = Q(ApplicationPath(AppPath::GraphImages));
  QStringList folders{folder_, pictures};
  if (const std::string& data = graph_->Engine().DataFilePath(); !data.empty()) {
    folders << QFileInfo(Q(data)).absolutePath();
  }
  // A remembered folder on a disk since unplugged must not open the dialog somewhere random.
  for (const QString& folder : folders) {
    if (!folder.isEmpty() && QFileInfo(folder).isDir()) return folder;
  }
  return pictures;
}

void ImageActions::SaveImageAs() {
  if (!graph_) return;
  SaveDialogOptions options;
  options.InitialDir = S(StartFolder());
  options.Filter = filterText_;
  options.FilterIndex = filterIndex_;
  options.DefaultExt = ImageFormatName(kFilterFormats[filterIndex_]);
  options.Title = S(saveAs_->text().remove(QStringLiteral("…")).remove('&'));
  if (const std::string& data = graph_->Engine().DataFilePath(); !data.empty()) {
    options.FileName = S(
        QFileInfo(Q(ImageFileName(data, ImageExtension(kFilterFormats[filterIndex_])))).fileName());
  }
  const std::optional<SaveDialogChoice> choice = dialogs_.SaveFileAndFilter(options);
  if (!choice || choice->FileName.empty()) return;
  const int index =
      choice->FilterIndex >= 0 && choice->FilterIndex < 4 ? choice->FilterIndex : filterIndex_;
  // A typed extension of a picture format is what the user means; the filter decides otherwise.
  std::string path = choice->FileName;
  const std::optional<ImageFormat> named = ImageFormatOfPath(path);
  const ImageFormat format = named.value_or(kFilterFormats[index]);
  if (!named) path += ImageExtension(format);
  SaveGraphImage(graph_->Engine(), path, format, PictureScale());
  folder_ = QFileInfo(Q(path)).absolutePath();
  filterIndex_ = index;
}

}  // namespace kurvex::shell
