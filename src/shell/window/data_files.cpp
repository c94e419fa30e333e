#include "shell/window/data_files.h"

#include <QCheckBox>
#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QScopeGuard>
#include <QSignalBlocker>
#include <algorithm>

#include "common/app_dir.h"
#include "common/ini_file.h"
#include "graph/axis_fit.h"
#include "graph/data/column_choice.h"
#include "graph/data/data_error.h"
#include "graph/files_style.h"
#include "graph/graph_engine.h"
#include "graph/graph_image.h"
#include "graph/output/image_file.h"
#include "graph/overlay_drawing.h"
#include "shell/browser/data_page.h"
#include "shell/browser/data_watcher.h"
#include "shell/browser/file_browser.h"
#include "shell/browser/loadini_page.h"
#include "shell/graph_window/graph_window.h"
#include "shell/graph_window/image_actions.h"
#include "shell/graph_window/overlay_files.h"
#include "shell/kit/captions.h"
#include "shell/kit/columns_dialog.h"
#include "shell/kit/dialogs.h"
#include "shell/kit/guard.h"
#include "shell/kit/message_line.h"
#include "shell/kit/notebook.h"
#include "shell/kit/painting_off.h"
#include "shell/kit/qt_convert.h"
#include "shell/pages/axis_values_page.h"
#include "shell/pages/environment_page.h"
#include "shell/pages/page_hub.h"
#include "shell/pages/page_set.h"

namespace kurvex::shell {

namespace {

constexpr const char* kSection = "RecentFiles";

std::string Key(int index) {
  return "File" + std::to_string(index + 1);
}

}  // namespace

void RecentFiles::Add(const std::string& path) {
  if (path.empty()) return;
  Remove(path);
  paths_.insert(paths_.begin(), path);
  if (paths_.size() > kMaxFiles) paths_.resize(kMaxFiles);
}

void RecentFiles::Remove(const std::string& path) {
  paths_.erase(std::remove(paths_.begin(), paths_.end(), path), paths_.end());
}

void RecentFiles::Read(const ProfileFile& file) {
  paths_.clear();
  for (int i = 0; i < kMaxFiles; ++i) {
    const std::string path = file.ReadString(kSection, Key(i), "");
    // A file edited by hand may repeat a name; the first place counts.
    if (!path.empty() && std::find(paths_.begin(), paths_.end(), path) == paths_.end()) {
      paths_.push_back(path);
    }
  }
}

void RecentFiles::Write(ProfileFile& file) const {
  for (int i = 0; i < kMaxFiles; ++i) {
    file.WriteString(kSection, Key(i), i < static_cast<int>(paths_.size()) ? paths_[i] : "");
  }
}

DataFiles::DataFiles(TFormKurvex& graph, PageHub& hub, const PageSet& pages, Notebook& central,
                     Notebook& settings, MessageLine& messages, const ItemCaptions& captions,
                     RecentFiles& recent, QObject* parent)
    : QObject(parent),
      graph_(graph),
      hub_(hub),
      pages_(pages),
      central_(central),
      settings_(settings),
      messages_(messages),
      captions_(captions),
      recent_(recent),
      watcher_(new DataWatcher(this)) {
  connect(&graph_, &TFormKurvex::DataProblem, this,
          [this](const QString& message) { lastProblem_ = message; });
  connect(pages_.Data->CheckBoxFindDataBlock, &QCheckBox::toggled, this,
          [this] { hub_.Run("CheckBoxFindDataBlock", [this] { FindDataBlockClick(); }); });
}

void DataFiles::ColumnsClick(Dialogs& dialogs) {
  GraphModel& model = graph_.Model();
  const std::string path = graph_.Engine().DataFilePath();
  const std::string name = graph_.Engine().DataFileName();
  const std::vector<std::string> names =
      path.empty() ? std::vector<std::string>() : graph_.Engine().FileColumns(path);
  if (names.size() < 2) {
    messages_.ShowMessage(Q(FormatMessage(captions_.NoColumns, {name})));
    return;
  }
  // The columns drawn now: the style's choice, or the program's own where it names none here.
  ColumnChoice shown = ChooseColumns(names, names.size(), {model.XColumn, model.YColumns}, 1);
  if (!shown.Error.empty()) shown = ChooseColumns(names, names.size(), {}, 1);
  const ColumnsQuestion question{FormatMessage(captions_.ColumnsTitle, {name}),
                                 captions_.ColumnsX,
                                 captions_.ColumnsY,
                                 names,
                                 shown.X,
                                 shown.Y};
  const std::optional<ColumnsAnswer> answer = dialogs.ChooseColumns(question);
  if (!answer || answer->Y.empty()) return;
  std::vector<std::size_t> curves;
  for (const std::size_t y : answer->Y) curves.push_back(y + 1);
  hub_.Step([&] {
    model.FindDataBlock = true;
    const QSignalBlocker blocker(pages_.Data->CheckBoxFindDataBlock);
    pages_.Data->CheckBoxFindDataBlock->setChecked(true);
    const ColumnRequest request = ColumnRequestFor(answer->X + 1, curves);
    model.XColumn = request.X;
    model.YColumns = request.Y;
  });
  EditFileChange();
}

void DataFiles::FindDataBlockClick() {
  graph_.Model().FindDataBlock = pages_.Data->CheckBoxFindDataBlock->isChecked();
  if (!graph_.Engine().DataFilePath().empty()) EditFileChange();
}

namespace {

// Whether the data's box and the axes' meet: when they do not, no point can be drawn.
bool OutsideTheAxes(const DataExtent& data, const GraphModel& model) {
  if (data.X.Empty() || data.Y.Empty()) return false;
  const auto misses = [](const ValueRange& values, const TMyAxis& axis) {
    const double low = static_cast<double>(std::min(axis.Minimum, axis.Maximum));
    const double high = static_cast<double>(std::max(axis.Minimum, axis.Maximum));
    return values.High < low || values.Low > high;
  };
  return misses(data.X, model.AxisX) || misses(data.Y, model.AxisY);
}

// The line of "si.txt:12: …" for the file of that name; empty when the message names another.
std::string ProblemLine(const QString& problem, const std::string& fileName) {
  const QString prefix = Q(fileName) + ':';
  if (!problem.startsWith(prefix)) return {};
  const QString rest = problem.mid(prefix.size());
  const qsizetype colon = rest.indexOf(':');
  bool number = false;
  rest.left(colon).toInt(&number);
  return number ? S(rest.left(colon)) : std::string();
}

}  // namespace

void DataFiles::NoteHowItRead() {
  const GraphEngine& engine = graph_.Engine();
  const std::string name = engine.DataFileName();
  const std::string line = ProblemLine(lastProblem_, name);
  if (engine.BlockFinderWouldRead() && !line.empty()) {
    messages_.ShowMessage(Q(FormatMessage(captions_.FindDataHint, {name, line})));
  } else if (!engine.LoadNote().empty()) {
    messages_.ShowMessage(Q(name + ": " + engine.LoadNote()));
  } else if (lastProblem_.isEmpty() && !graph_.OverlaidFiles().Active() &&
             OutsideTheAxes(MeasureData(engine.Columns()), graph_.Model())) {
    messages_.ShowMessage(
        Q(FormatMessage(captions_.OutsideAxesHint, {name}) + "; " + captions_.FilesStyleHint));
  } else if (lastProblem_.isEmpty() && !graph_.OverlaidFiles().Active() &&
             NamesDifferFromLegend()) {
    messages_.ShowMessage(Q(name + ": " + captions_.FilesStyleHint));
  }
}

// The file names its curves, and the legend shows other names: the style was made for
// another file.
bool DataFiles::NamesDifferFromLegend() const {
  const GraphEngine& engine = graph_.Engine();
  const DataNames names = engine.Names();
  if (!names.Columns || names.Columns->size() < 2) return false;
  const GraphModel& model = graph_.Model();
  if (!model.Legend.Visible) return false;
  const int curves = std::min<int>(engine.Columns().CurveCount(), kCurveCount);
  for (int i = 0; i < curves && i + 1 < static_cast<int>(names.Columns->size()); ++i) {
    const std::string& legend = model.Curve[i + 1].LegendText;
    if (!legend.empty() && legend != (*names.Columns)[i + 1] &&
        legend.find('{') == std::string::npos) {
      return true;
    }
  }
  return false;
}

FileList* DataFiles::DataList() const {
  return pages_.Data->Browser->Files();
}

bool DataFiles::LoadData(const std::string& path, bool reload) {
  if (!pages_.Environment->CheckBoxFitAxes->isChecked()) return graph_.LoadDataFile(path, reload);
  // The fit comes before the drawing, so the picture saved after it is the fitted one.
  bool taken = false;
  {
    const PaintingOff off(graph_.Engine().PaintEnabled);
    taken = graph_.LoadDataFile(path, reload);
    if (taken && graph_.Engine().DataFilePath() == path) {
      // Files drawn together share their axes: fitted to all of them.
      // The Files style runs the x axis as spectroscopists read it, as kurvex-plot does.
      DataExtent extent = graph_.ShownDataExtent();
      if (graph_.Model().FitDirectionByKind) {
        extent.XFalls = UnaskedFitFalls(graph_.Model(), graph_.Engine().Loaded(), extent);
        FitModelAxesToFile(extent, true, true, graph_.Model());
      } else {
        FitModelAxes(extent, true, true, graph_.Model());
      }
      // The pages show the fitted ranges; what the program does by itself is no undo step.
      const PageHub::Filling filling(hub_);
      pages_.AxisXValues->Fill();
      pages_.AxisYValues->Fill();
    }
  }
  graph_.RepaintIfAuto();
  return taken;
}

void DataFiles::EditFileChange() {
  Quietly([this] {
    central_.ShowPage("GraphImage");
    const std::string path = S(DataList()->SelectedPath());
    shownFiles_ = DataList()->SelectedPaths();
    std::vector<std::string> several;
    if (shownFiles_.size() > 1) {
      for (const QString& file : shownFiles_) several.push_back(S(file));
    }
    graph_.OverlaidFiles().SetFiles(several, path);
    // The text, the name saved and the watcher follow the file clicked last.
    watcher_->Watch(Q(path));
    // A note about an earlier file no longer applies; what this load has to say comes after.
    if (!path.empty()) messages_.Clear();
    lastProblem_.clear();
    const bool taken = LoadData(path, false);
    if (!taken && !path.empty() && !graph_.Engine().ReadError().empty()) {
      messages_.ShowMessage(Q(path + ": " + graph_.Engine().ReadError()));
    }
    if (taken) NoteHowItRead();
    // Flipping through a folder passes files by; only a pick is remembered.
    if (taken && (opening_ || DataList()->Pressing())) {
      recent_.Add(S(QFileInfo(Q(path)).absoluteFilePath()));
    }
    AfterDataLoad(S(DataList()->SelectedPath()));
  });
}

void DataFiles::FileSelectionChange() {
  if (DataList()->SelectedPaths() != shownFiles_) EditFileChange();
}

void DataFiles::FileListBoxClick() {
  if (pages_.Data->Browser->Edit()->text().contains('*')) EditFileChange();
  // A click on the file already loaded loads nothing but is a pick all the same.
  if (const QString path = DataList()->SelectedPath();
      DataList()->Pressing() && !path.isEmpty() && S(path) == graph_.Engine().DataFilePath()) {
    recent_.Add(S(QFileInfo(path).absoluteFilePath()));
  }
}

void DataFiles::AfterDataLoad(const std::string& fileName) {
  const EnvironmentPage& environment = *pages_.Environment;
  // With no file there is nothing to name a picture after.
  if (fileName.empty() || !environment.CheckBoxAutoSaveImage->isChecked() ||
      graph_.OverlaidFiles().Active()) {
    return;
  }
  const ImageFormat format = AutoSavedFormat(environment.AutoSaveFormat(), graph_.Model());
  const QFileInfo data(Q(ImageFileName(fileName, ImageExtension(format))));
  QString folder = data.absolutePath();
  if (!environment.CheckBoxSaveImageToDataDir->isChecked()) {
    folder = Q(ApplicationPath(AppPath::GraphImages));
    // The user asked for pictures: a missing folder is made rather than the pictures dropped.
    QDir().mkpath(folder);
  }
  const std::string target = S(JoinPath(folder, data.fileName()));
  try {
    SaveGraphImage(graph_.Engine(), target, format);
  } catch (const std::exception& e) {
    // Said after every load that loses its picture: one said once is gone with the next load.
    messages_.ShowMessage(Q(e.what()));
  }
}

void DataFiles::OpenFile(const QString& path) {
  const QFileInfo info(path);
  if (!info.isFile()) {
    messages_.ShowMessage(Q(FormatMessage(captions_.FileNotFound, {S(path)})));
    return;
  }
  const bool options = info.suffix().compare("ini", Qt::CaseInsensitive) == 0;
  opening_ = true;
  const auto opened = qScopeGuard([this] { opening_ = false; });
  FileBrowser* browser = options ? pages_.LoadIni->Browser : pages_.Data->Browser;
  browser->SetDirectory(info.absolutePath());
  FileList* files = browser->Files();
  if (!files->SelectFile(info.fileName())) {
    // A file the chosen type hides: show every file so it can be selected.
    FilterComboBox* filter = browser->Filter();
    filter->setCurrentIndex(filter->findData(QStringLiteral("*.*")));
    files->SetMask(filter->currentData().toString());
    files->SelectFile(info.fileName());
  }
  // The new folder wrote the mask into the edit and the selection its name, so the same
  // handlers ran as for a user's pick.
  settings_.ShowPage(options ? "LoadIni" : "Data");
}

void DataFiles::FlipDataFile(int direction) {
  settings_.ShowPage("Data");
  DataList()->SelectNeighbour(direction);
}

void DataFiles::DataFileChanged(const QString& path) {
  if (S(path) != graph_.Engine().DataFilePath()) return;
  if (!LoadData(S(path), true)) return;
  // All of it converts now: a data problem said before is over (a typed value's is not).
  messages_.ClearFor(nullptr);
  AfterDataLoad(S(path));
}

void DataFiles::WatchLoadedFile() {
  watcher_->Watch(Q(graph_.Engine().DataFilePath()));
}

}  // namespace kurvex::shell
