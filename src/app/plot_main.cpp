// kurvex-plot: draws data files with a graph style and writes the images, without the desktop.
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <clocale>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <exception>
#include <filesystem>
#include <iostream>
#include <map>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "app/plot_options.h"
#include "app/plot_picture.h"
#include "common/error.h"
#include "common/ini_file.h"
#include "common/text_file.h"
#include "graph/axis_fit.h"
#include "graph/axis_ticks.h"
#include "graph/data/column_choice.h"
#include "graph/data/column_names.h"
#include "graph/data/data_columns.h"
#include "graph/data/data_error.h"
#include "graph/files_style.h"
#include "graph/graph_engine.h"
#include "graph/overlay_drawing.h"
#include "graph/style_sections.h"

namespace kurvex {
namespace {

constexpr int kExitFailure = 1;
constexpr int kExitUsage = 2;
constexpr std::size_t kProgressFrom = 4;  // smaller batches finish before progress helps

void Report(const std::string& file, const std::string& message) {
  std::cerr << file << ": " << message << '\n';
}

// Reads the style: the options file (if any, else the files style for data files) with the --set
// keys applied on top, as if the file had held them.
void LoadStyle(GraphEngine& engine, const PlotOptions& o) {
  if (!o.OptionsFile.empty()) {
    struct stat st {};
    if (stat(o.OptionsFile.c_str(), &st) != 0) throw Error(std::strerror(errno));
    if (!S_ISREG(st.st_mode)) throw Error("not a regular file");
  }
  ProfileFile profile(o.OptionsFile);
  if (UsesFilesStyle(o)) WriteOptionsSections(FilesStyle(), profile);
  for (const KeySetting& s : o.Settings) profile.WriteString(s.Section, s.Key, s.Value);
  LoadOptionsFile(engine.Model, profile);
}

// The files a run reads, by device and inode, so that no picture replaces one of them, whatever
// name reaches it.
class Inputs {
 public:
  void Add(const std::string& path, const std::string& what) {
    struct stat st {};
    if (!path.empty() && stat(path.c_str(), &st) == 0) files_[{st.st_dev, st.st_ino}] = what + path;
  }
  // "the data file a.xy" when `path` is that file, else "".
  std::string Replaced(const std::string& path) const {
    struct stat st {};
    if (stat(path.c_str(), &st) != 0) return {};
    const auto it = files_.find({st.st_dev, st.st_ino});
    return it == files_.end() ? std::string() : it->second;
  }

 private:
  std::map<std::pair<dev_t, ino_t>, std::string> files_;
};

void EnsureFolder(const std::string& folder) {
  if (folder.empty()) return;
  std::error_code ec;
  std::filesystem::create_directories(folder, ec);
  if (ec && !std::filesystem::is_directory(folder)) throw Error(ec.message());
}

class Plotter {
 public:
  explicit Plotter(const PlotOptions& o) : o_(o) {}

  int Run() {
    engine_.Model.LoadAllOptions = true;
    try {
      LoadStyle(engine_, o_);
    } catch (const std::exception& e) {
      Report(o_.OptionsFile.empty() ? "--set" : o_.OptionsFile, e.what());
      return kExitFailure;
    }
    for (const std::string& file : o_.DataFiles) inputs_.Add(file, "the data file ");
    if (!o_.SaveOptions.empty()) SaveStyle();
    inputs_.Add(o_.OptionsFile, "the options file ");
    inputs_.Add(o_.SaveOptions, "the options file ");
    styleX_ = engine_.Model.AxisX;
    styleY_ = engine_.Model.AxisY;
    // A style may ask for fitted axes itself; --fit and --no-fit on the command line win.
    // A range typed with --set stays in the files style as it does in the classic one.
    const bool styleFits = engine_.Model.FitAxesToData && !o_.FitGiven && !o_.NoFit &&
                           !(UsesFilesStyle(o_) && o_.RangeSet);
    fitX_ = o_.FitX || styleFits;
    fitY_ = o_.FitY || styleFits;
    // Unasked fits run the x axis as the style says (by the kind of spectrum, or the way the
    // file's x runs); --fit keeps the style's way.
    fitFollowsFile_ = o_.FitByDefault || styleFits;
    if (o_.Overlay) overlay_.emplace(engine_);  // colours or not as the style's switch says

    // Saving a style alone draws no sample picture over whatever is in the folder.
    const bool printing = o_.PrintData || o_.PrintHead;
    const bool styleOnly = !o_.SaveOptions.empty() && o_.DataFiles.empty();
    writeImages_ = !o_.Output.empty() || !(printing || styleOnly);
    if (writeImages_ && !PrepareOutput()) return kExitFailure;

    std::vector<std::string> files = o_.DataFiles;
    if (files.empty()) files.push_back("");  // the built-in sample
    // Pictures whose axes each file fits, or that an overlay draws together, share no frame;
    // a single picture has nobody to share it with.
    engine_.ReuseFrames = !fitX_ && !fitY_ && !o_.Overlay && files.size() > 1;
    if (o_.Overlay && writeImages_) FitOverlay(files);
    const bool progress = files.size() >= kProgressFrom && isatty(STDERR_FILENO);
    for (std::size_t i = 0; i < files.size(); ++i) {
      if (progress) std::cerr << "\r[" << i + 1 << '/' << files.size() << "] " << std::flush;
      Plot(files[i]);
    }
    if (progress) std::cerr << "\rdone: " << files.size() << " files          \n";
    if (o_.Overlay && writeImages_ && overlayDrawn_) {
      picture_.FinishOverlay(*overlay_);
      Write(files.front());
    }
    return status_;
  }

  // errno of the first write to standard output that failed, else 0.
  int OutputError() const { return outputError_; }

 private:
  void SaveStyle() {
    try {
      if (const std::string input = inputs_.Replaced(o_.SaveOptions); !input.empty()) {
        throw Error("the options would replace " + input);
      }
      engine_.SaveOptionsFile(o_.SaveOptions);
    } catch (const std::exception& e) {
      Report(o_.SaveOptions, e.what());
      status_ = kExitFailure;
    }
  }

  bool PrepareOutput() {
    const std::string folder = OutputFolder(o_);
    try {
      EnsureFolder(folder);
    } catch (const std::exception& e) {
      Report(folder, e.what());
      return false;
    }
    return true;
  }

  // The data text of a file (the built-in sample for ""), with the chosen columns only: the
  // block finder chooses them while it reads, the plain reading after it.
  bool Load(const std::string& file, bool report = true) {
    engine_.PaintEnabled = false;
    const bool finder = engine_.Model.FindDataBlock && !file.empty();
    std::string ys;
    for (std::size_t i = 1; i < o_.Columns.size(); ++i) {
      if (i > 1) ys += ',';
      ys += o_.Columns[i];
    }
    // --columns wins over the style's choice.
    if (finder && !o_.Columns.empty()) {
      engine_.Model.XColumn = o_.Columns.front();
      engine_.Model.YColumns = ys;
    }
    if (!file.empty() && !engine_.LoadDataFile(file)) {
      if (report) Report(file, engine_.ReadError());
      return false;
    }
    if (o_.Columns.empty() || finder) return true;
    const DataText& data = engine_.Data();
    if (data.Empty()) return true;  // no data lines: said when it is drawn
    const std::vector<std::string>* names = engine_.Names().Columns;
    const ColumnChoice choice = ChooseColumns(
        names != nullptr ? *names : std::vector<std::string>{}, FieldCount(data.Line(0)),
        {o_.Columns.front(), ys}, engine_.HeadLineCount() + 1);
    if (!choice.Error.empty()) {
      if (report) Report(file.empty() ? engine_.DataFileName() : file, choice.Error);
      return false;
    }
    std::vector<int> columns{static_cast<int>(choice.X) + 1};
    for (const std::size_t y : choice.Y) columns.push_back(static_cast<int>(y) + 1);
    engine_.SetDataText(SelectColumns(data, columns));
    return true;
  }

  // Every file of an overlay is drawn on the same axes, so they are fitted to all together.
  void FitOverlay(const std::vector<std::string>& files) {
    if (!fitX_ && !fitY_) return;
    DataExtent all;
    for (const std::string& file : files) {
      if (Load(file, false)) all.Add(MeasureData(engine_.Columns()));
    }
    Fit(all);
  }

  void Fit(const DataExtent& extent) {
    if (fitFollowsFile_) {
      DataExtent directed = extent;
      directed.XFalls = UnaskedFitFalls(engine_.Model, engine_.Loaded(), extent);
      FitModelAxesToFile(directed, fitX_, fitY_, engine_.Model);
    } else {
      FitModelAxes(extent, fitX_, fitY_, engine_.Model);
    }
  }

  // Each file of a batch starts again from the style's axes.
  void FitToFile() {
    if (o_.Overlay || (!fitX_ && !fitY_)) return;
    engine_.Model.AxisX = styleX_;
    engine_.Model.AxisY = styleY_;
    Fit(MeasureData(engine_.Columns()));
  }

  void Plot(const std::string& file) {
    const bool sample = file.empty();
    const std::string name = sample ? engine_.DataFileName() : file;
    if (!Load(file)) {
      status_ = kExitFailure;
      return;
    }
    if (!engine_.LoadNote().empty()) Report(file, engine_.LoadNote());
    if (o_.PrintHead && !engine_.HeadText().empty()) Print(engine_.HeadText() + '\n');
    if (o_.PrintData) PrintData();
    if (!writeImages_) return;
    if (!(sample && o_.FitByDefault)) FitToFile();

    // Every image is a full redraw, whatever the style's curves-only switch says; an overlay
    // adds the later files' curves to its picture itself.
    const bool savedOnlyCurves = engine_.Model.OnlyCurves;
    engine_.Model.OnlyCurves = false;
    engine_.PaintEnabled = true;
    try {
      if (overlay_) {
        picture_.DrawOverlayFile(*overlay_);
      } else {
        picture_.Draw();
      }
      engine_.Model.OnlyCurves = savedOnlyCurves;
    } catch (const DataLineError& e) {
      // The picture as far as the data went, as the desktop program shows it: the graph of a
      // file with a trailer of instrument notes after its numbers.
      engine_.Model.OnlyCurves = savedOnlyCurves;
      std::cerr << (NoDataLines(sample) ? name + ": no data lines" : DataErrorWithValue(name, e))
                << '\n';
      if (engine_.BlockFinderWouldRead()) {
        std::cerr << name << ":" << e.Line() << ": not data; --find-data reads this file\n";
      }
      status_ = kExitFailure;
    } catch (const std::exception& e) {
      engine_.Model.OnlyCurves = savedOnlyCurves;
      Report(name, NoDataLines(sample) ? "no data lines" : e.what());
      status_ = kExitFailure;
      return;
    }
    if (const std::string warning = LogarithmicWarnings(engine_.Model); !warning.empty()) {
      Report(name, warning);
    }
    if (o_.Overlay) {
      overlayDrawn_ = true;
      return;
    }
    Write(name);
  }

  // An empty file, a text without numbers or an empty pipe: the drawing's own message would
  // name a field that is not there.
  bool NoDataLines(bool sample) const { return !sample && engine_.Columns().LineCount() == 0; }

  void PrintData() {
    const DataText& data = engine_.Data();
    std::string out;
    for (std::size_t i = 0; i < data.LineCount(); ++i) {
      out.append(data.Line(i));
      out.push_back('\n');
    }
    Print(out);
  }

  // The reason of the first failed write stays for the report at the end of the run.
  void Print(const std::string& text) {
    std::cout << text;
    if (!std::cout && outputError_ == 0) outputError_ = errno;
  }

  // An image written earlier in the run is never overwritten: "c1/run.xy" and "c2/run.xy", or
  // "run.xy" and "run.xye", would otherwise leave only the last picture.
  void Write(const std::string& file) {
    const std::string path = ImagePathFor(o_, file);
    std::error_code ec;
    const std::string key = std::filesystem::absolute(path, ec).lexically_normal().string();
    if (const auto earlier = written_.find(key); earlier != written_.end()) {
      Report(file, "image name " + path + " is already used by " + earlier->second);
      status_ = kExitFailure;
      return;
    }
    if (const std::string input = inputs_.Replaced(path); !input.empty()) {
      Report(path, "the picture would replace " + input);
      status_ = kExitFailure;
      return;
    }
    try {
      if (const std::string note = picture_.Write(path); !note.empty()) Report(path, note);
      written_.emplace(key, file);
    } catch (const std::exception& e) {
      Report(file, e.what());
      status_ = kExitFailure;
    }
  }

  const PlotOptions& o_;
  GraphEngine engine_;
  TMyAxis styleX_;
  TMyAxis styleY_;
  bool fitX_ = false;
  bool fitY_ = false;
  bool fitFollowsFile_ = false;
  PlotPicture picture_{engine_, *ImageFormatNamed(o_.Format), o_.Scale};
  std::optional<OverlayDrawing> overlay_;
  bool writeImages_ = true;
  bool overlayDrawn_ = false;
  int status_ = 0;
  std::map<std::string, std::string> written_;  // image path -> the data file drawn into it
  Inputs inputs_;
  int outputError_ = 0;
};

// Printed data cut short by a full disk or a failing device must not pass for success.
int CheckStandardOutput(int status, int error) {
  std::cout.flush();
  const bool failed = std::fflush(stdout) != 0 || std::ferror(stdout) || !std::cout;
  if (failed && error == 0) error = errno != 0 ? errno : EIO;
  // Some file systems report a failed write only when the file is closed.
  if (close(STDOUT_FILENO) != 0 && errno != EBADF && error == 0) error = errno;
  if (error == 0) return status;
  std::cerr << "kurvex-plot: standard output: " << std::strerror(error) << '\n';
  return kExitFailure;
}

// An interrupted save leaves no temporary file; the program then ends as the signal says.
extern "C" void RemoveTemporaryAndStop(int signal) {
  RemovePendingTemporaryFile();
  std::raise(signal);  // the default action again, as SA_RESETHAND restored it
}

void PrintSaveNotice(const std::string& sentence) {
  std::cerr << sentence << std::endl;  // at once: a kill may follow
}

void InstallInterruptCleanup() {
  for (const int signal : {SIGINT, SIGTERM, SIGHUP}) {
    struct sigaction action {
    }, old{};
    sigaction(signal, nullptr, &old);
    if (old.sa_handler == SIG_IGN) continue;  // nohup and background jobs keep ignoring it
    action.sa_handler = RemoveTemporaryAndStop;
    action.sa_flags = SA_RESETHAND;
    sigaction(signal, &action, nullptr);
  }
}

}  // namespace
}  // namespace kurvex

int main(int argc, char** argv) {
  using namespace kurvex;
  // Options files use the user's decimal separator, as in the desktop program.
  std::setlocale(LC_NUMERIC, "");
  PlotOptions options;
  try {
    options = ParsePlotArguments(std::vector<std::string>(argv + 1, argv + argc));
  } catch (const std::invalid_argument& e) {
    std::cerr << "kurvex-plot: " << e.what() << "\n\n" << PlotUsage();
    return kExitUsage;
  }
  if (options.Help || options.Version) {
    std::cout << (options.Help ? PlotUsage() : "kurvex-plot " KURVEX_VERSION "\n");
    return CheckStandardOutput(0, 0);
  }
  InstallInterruptCleanup();
  SetSaveNotice(PrintSaveNotice);
  try {
    Plotter plotter(options);
    const int status = plotter.Run();
    return CheckStandardOutput(status, plotter.OutputError());
  } catch (const std::exception& e) {
    std::cerr << "kurvex-plot: " << e.what() << '\n';
    return kExitFailure;
  }
}
