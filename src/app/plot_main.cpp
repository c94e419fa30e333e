// kurvex-plot: draws data files with a graph style and writes the images, without the desktop.
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <clocale>
#include <cstring>
#include <exception>
#include <filesystem>
#include <iostream>
#include <stdexcept>
#include <string>
#include <vector>

#include "app/plot_options.h"
#include "app/plot_picture.h"
#include "common/error.h"
#include "common/profile_file.h"
#include "graph/graph_engine.h"
#include "graph/options_file.h"

namespace kurvex {
namespace {

constexpr int kExitFailure = 1;
constexpr int kExitUsage = 2;
constexpr std::size_t kProgressFrom = 4;  // smaller batches finish before progress helps

void Report(const std::string& file, const std::string& message) {
  std::cerr << file << ": " << message << '\n';
}

// Reads the style: the options file (if any) with the --set keys applied on top, as if the file
// had held them.
void LoadStyle(GraphEngine& engine, const PlotOptions& o) {
  if (!o.OptionsFile.empty()) {
    struct stat st {};
    if (stat(o.OptionsFile.c_str(), &st) != 0) throw Error(std::strerror(errno));
    if (!S_ISREG(st.st_mode)) throw Error("not a regular file");
  }
  ProfileFile profile(o.OptionsFile);
  for (const KeySetting& s : o.Settings) profile.WriteString(s.Section, s.Key, s.Value);
  LoadOptionsFile(engine.Model, profile);
}

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
    if (!o_.SaveOptions.empty()) SaveStyle();

    const bool printing = o_.PrintData || o_.PrintHead;
    writeImages_ = !printing || !o_.Output.empty();
    if (writeImages_ && !PrepareOutput()) return kExitFailure;

    std::vector<std::string> files = o_.DataFiles;
    if (files.empty()) files.push_back("");  // the built-in sample
    const bool progress = files.size() >= kProgressFrom && isatty(STDERR_FILENO);
    for (std::size_t i = 0; i < files.size(); ++i) {
      if (progress) std::cerr << "\r[" << i + 1 << '/' << files.size() << "] " << std::flush;
      Plot(files[i]);
    }
    if (progress) std::cerr << "\rdone: " << files.size() << " files          \n";
    if (o_.Overlay && writeImages_ && overlayDrawn_) Write(files.front());
    return status_;
  }

 private:
  void SaveStyle() {
    try {
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

  void Plot(const std::string& file) {
    const bool sample = file.empty();
    const std::string name = sample ? engine_.DataFileName() : file;
    engine_.Model.PaintEnabled = false;
    if (!sample && !engine_.LoadDataFile(file)) {
      Report(file, "cannot open or read the file");
      status_ = kExitFailure;
      return;
    }
    if (o_.PrintHead && !engine_.Model.TextInDataFile.empty()) {
      std::cout << engine_.Model.TextInDataFile << '\n';
    }
    if (o_.PrintData) PrintData();
    if (!writeImages_) return;

    // Every image is a full redraw, whatever the style's curves-only switch says; only the
    // later files of an overlay add their curves to the picture.
    const bool savedOnlyCurves = engine_.Model.OnlyCurves;
    engine_.Model.OnlyCurves = o_.Overlay && overlayDrawn_;
    engine_.Model.PaintEnabled = true;
    try {
      picture_.Draw();
      engine_.Model.OnlyCurves = savedOnlyCurves;
    } catch (const std::exception& e) {
      engine_.Model.OnlyCurves = savedOnlyCurves;
      Report(name, e.what());
      status_ = kExitFailure;
      return;
    }
    if (o_.Overlay) {
      overlayDrawn_ = true;
      return;
    }
    Write(name);
  }

  void PrintData() {
    const DataText& data = engine_.Data();
    std::string out;
    for (std::size_t i = 0; i < data.LineCount(); ++i) {
      out.append(data.Line(i));
      out.push_back('\n');
    }
    std::cout << out;
  }

  void Write(const std::string& file) {
    const std::string path = ImagePathFor(o_, file);
    try {
      picture_.Write(path);
    } catch (const std::exception& e) {
      Report(file, e.what());
      status_ = kExitFailure;
    }
  }

  const PlotOptions& o_;
  GraphEngine engine_;
  PlotPicture picture_{engine_, *ImageFormatNamed(o_.Format)};
  bool writeImages_ = true;
  bool overlayDrawn_ = false;
  int status_ = 0;
};

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
  if (options.Help) {
    std::cout << PlotUsage();
    return 0;
  }
  if (options.Version) {
    std::cout << "kurvex-plot " << KURVEX_VERSION << '\n';
    return 0;
  }
  try {
    return Plotter(options).Run();
  } catch (const std::exception& e) {
    std::cerr << "kurvex-plot: " << e.what() << '\n';
    return kExitFailure;
  }
}
