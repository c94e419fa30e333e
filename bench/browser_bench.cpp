// How long the file list takes to show a folder of many data files: the window is frozen for
// that long when the user opens the folder.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>

#include "shell/browser/file_browser.h"

namespace {

QApplication& App() {
  static int argc = 1;
  static char name[] = "browser_bench";
  static char* argv[] = {name, nullptr};
  static QApplication app(argc, argv);
  return app;
}

void BM_FileListShowsAFolder(benchmark::State& state) {
  App();
  QTemporaryDir dir;
  for (int i = 0; i < state.range(0); ++i) {
    QFile file(dir.filePath(QString("spectrum_%1.xy").arg(i, 5, 10, QChar('0'))));
    file.open(QIODevice::WriteOnly);
  }
  kurvex::shell::FileList list("FileListBox", "*.xy");
  list.resize(200, 400);
  list.show();
  for (auto _ : state) {
    list.SetDirectory(dir.path());
    QApplication::processEvents();  // the first paint belongs to what the user waits for
    benchmark::DoNotOptimize(list.count());
  }
}
BENCHMARK(BM_FileListShowsAFolder)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen"
                                                                   : qgetenv("QT_QPA_PLATFORM"));
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  return 0;
}
