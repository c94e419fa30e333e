// Runs kurvex-plot where a careless program loses data without a word: a full disk under the
// printed rows, a picture named like one of its own inputs, a save cut off by a signal.
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/inotify.h>
#include <unistd.h>

#include <map>
#include <vector>

#include "app/plot_run.h"

namespace {

namespace fs = std::filesystem;
using kurvex::test::Slurp;

constexpr const char* kData = "300 1 2\n1000 2 1\n";
constexpr int kKilledBySigterm = 128 + SIGTERM;

struct FaultCase {
  const char* name;
  std::map<std::string, std::string> before;  // files laid out first
  std::vector<std::string> args;
  const char* out;  // where standard output goes
  bool interrupt;   // SIGTERM while the picture is being saved
  int status;
  std::string err;
  std::map<std::string, std::optional<std::string>> after;  // content, or nullopt: no such file
};

void PrintTo(const FaultCase& c, std::ostream* os) {
  *os << c.name;
}

class PlotFaults : public ::testing::TestWithParam<FaultCase> {
 protected:
  // Starts kurvex-plot in the folder with standard output on `out` and its errors in err.txt.
  pid_t Start(const FaultCase& c) {
    const pid_t child = fork();
    if (child != 0) return child;
    std::vector<char*> argv{const_cast<char*>(KURVEX_PLOT)};
    for (const std::string& a : c.args) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    if (chdir(dir.Path().c_str()) != 0) _exit(99);
    const int out = open(c.out, O_WRONLY | O_CREAT | O_TRUNC, 0644);
    const int err = open("err.txt", O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (out < 0 || err < 0) _exit(99);
    dup2(out, STDOUT_FILENO);
    dup2(err, STDERR_FILENO);
    execv(KURVEX_PLOT, argv.data());
    _exit(98);
  }

  bool HasTemporaryFile() const {
    for (const auto& entry : fs::directory_iterator(dir.Path())) {
      if (entry.path().filename().string().find(".tmp-") != std::string::npos) return true;
    }
    return false;
  }

  // Each time a file appears in the folder the program is stopped; if a temporary file is there,
  // SIGTERM ends the program in the middle of its save. Returns the wait status.
  int InterruptSave(pid_t child) {
    const int watch = inotify_init1(IN_CLOEXEC);
    inotify_add_watch(watch, dir.Path().c_str(), IN_CREATE);
    int status = 0;
    char events[4096];
    for (;;) {
      pollfd ready{watch, POLLIN, 0};
      if (poll(&ready, 1, 50) <= 0) {
        if (waitpid(child, &status, WNOHANG) == child) break;
        continue;
      }
      static_cast<void>(read(watch, events, sizeof events));
      kill(child, SIGSTOP);
      waitpid(child, &status, WUNTRACED);
      if (!WIFSTOPPED(status)) break;
      const bool saving = HasTemporaryFile();
      if (saving) kill(child, SIGTERM);
      kill(child, SIGCONT);
      if (saving) {
        waitpid(child, &status, 0);
        break;
      }
    }
    close(watch);
    return status;
  }

  int Run(const FaultCase& c) {
    int status = 0;
    const pid_t child = Start(c);
    if (c.interrupt) {
      status = InterruptSave(child);
    } else {
      waitpid(child, &status, 0);
    }
    return WIFSIGNALED(status) ? 128 + WTERMSIG(status) : WEXITSTATUS(status);
  }

  kurvex::test::TempDir dir;
};

TEST_P(PlotFaults, NothingIsLostWithoutAClearMessage) {
  const FaultCase& c = GetParam();
  const auto layOut = [&] {
    for (const auto& [name, content] : c.after) {
      if (!content) fs::remove(dir.File(name));
    }
    for (const auto& [name, content] : c.before) {
      std::ofstream(dir.File(name), std::ios::binary) << content;
    }
  };
  layOut();
  int status = Run(c);
  // A save that ended before the signal came proves nothing: the picture is drawn again, over
  // the files as they were (the one it wrote removed).
  for (int attempt = 0; c.interrupt && status != kKilledBySigterm && attempt < 20; ++attempt) {
    layOut();
    status = Run(c);
  }
  EXPECT_EQ(status, c.status);
  EXPECT_EQ(Slurp(dir.File("err.txt")), c.err);
  for (const auto& [name, content] : c.after) {
    if (content) {
      EXPECT_EQ(Slurp(dir.File(name)), *content) << name;
    } else {
      EXPECT_FALSE(fs::exists(dir.File(name))) << name;
    }
  }
  EXPECT_FALSE(HasTemporaryFile());
}

std::string ManyRows() {
  std::string rows;
  for (int i = 0; i < 5000; ++i) rows += std::to_string(300 + i) + " 1.5\n";
  return rows;
}

const char* const kFull = "/dev/full";
const std::string kFullDisk = "kurvex-plot: standard output: No space left on device\n";

INSTANTIATE_TEST_SUITE_P(
    BadInput, PlotFaults,
    ::testing::Values(FaultCase{"RowsIntoAFullDisk",
                                {{"x.xy", ManyRows()}},
                                {"--print-data", "x.xy"},
                                kFull,
                                false,
                                1,
                                kFullDisk,
                                {{"x.bmp", std::nullopt}}},
                      FaultCase{"HeadIntoAFullDisk",
                                {{"h.txt", "Sample A\n300 1\n"}},
                                {"--classic", "--print-head", "h.txt"},
                                kFull,
                                false,
                                1,
                                kFullDisk,
                                {}},
                      FaultCase{
                          "UsageIntoAFullDisk", {}, {"--help"}, kFull, false, 1, kFullDisk, {}},
                      FaultCase{"PictureOverItsDataFile",
                                {{"same.bmp", kData}},
                                {"--output", "same.bmp", "same.bmp"},
                                "out.txt",
                                false,
                                1,
                                "same.bmp: the picture would replace the data file same.bmp\n",
                                {{"same.bmp", kData}}},
                      FaultCase{"PictureOverTheStyle",
                                {{"a.xy", kData}, {"style.png", "[Curves]\nWidth=2\n"}},
                                {"--options", "style.png", "--output", "style.png", "a.xy"},
                                "out.txt",
                                false,
                                1,
                                "style.png: the picture would replace the options file style.png\n",
                                {{"style.png", "[Curves]\nWidth=2\n"}}},
                      FaultCase{"SavedStyleOverTheDataFile",
                                {{"a.xy", kData}},
                                {"--save-options", "a.xy", "--print-data", "a.xy"},
                                "out.txt",
                                false,
                                1,
                                "a.xy: the options would replace the data file a.xy\n",
                                {{"a.xy", kData}, {"out.txt", kData}}},
                      FaultCase{"SavingAStyleDrawsNoSample",
                                {{"Demo1.bmp", "an older picture"}},
                                {"--save-options", "y.ini"},
                                "out.txt",
                                false,
                                0,
                                "",
                                {{"Demo1.bmp", "an older picture"}}},
                      FaultCase{"NegativeImageSize",
                                {{"a.xy", kData}},
                                {"--set", "Image.Width=-5", "--output", "neg.png", "a.xy"},
                                "out.txt",
                                false,
                                1,
                                "a.xy: Unable to write to neg.png: invalid image size -5 x 500\n",
                                {{"neg.png", std::nullopt}}},
                      // A new picture is named only once whole; one that replaces another
                      // is written beside it, and a signal then keeps the old one.
                      FaultCase{"InterruptedSave",
                                {{"big.bmp", "the picture before"}},
                                {"--set", "Image.Width=2000", "--set", "Image.Height=2000",
                                 "--output", "big.bmp"},
                                "out.txt",
                                true,
                                kKilledBySigterm,
                                "",
                                {{"big.bmp", "the picture before"}}}),
    [](const ::testing::TestParamInfo<FaultCase>& info) { return info.param.name; });

}  // namespace
