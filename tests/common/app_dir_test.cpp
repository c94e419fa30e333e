#include "common/app_dir.h"

#include <gtest/gtest.h>
#include <sched.h>
#include <sys/mount.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>

#include "common/text_file.h"
#include "temp_dir.h"

namespace kurvex {
namespace {

namespace fs = std::filesystem;

void Touch(const std::string& path, const std::string& text = "") {
  fs::create_directories(fs::path(path).parent_path());
  std::ofstream(path, std::ios::binary) << text;
}

std::string Read(const std::string& path) {
  return ReadTextFile(path).value_or("(missing)");
}

// A prefix as an installation leaves it: bin/ without resources, share/kurvex/ with them.
class AppLayoutTest : public ::testing::Test {
 protected:
  void SetUp() override {
    fs::create_directories(Path("prefix/bin"));
    Touch(Path("prefix/share/kurvex/Setting/Points.ini"), "[Image]\nWidth=640\n");
    Touch(Path("prefix/share/kurvex/Data/si.xy"));
  }
  void TearDown() override { SetApplicationLayout(saved_); }

  std::string Path(const std::string& relative) const { return dir_.File(relative); }
  UserHomes Homes() const { return {Path("config/kurvex/"), Path("data/kurvex/")}; }
  AppLayout Installed() const {
    return ChooseLayout(Path("prefix/bin"), Path("prefix/bin/../share/kurvex"), Homes());
  }

  test::TempDir dir_;
  AppLayout saved_ = ApplicationLayout();
};

// Sets an environment variable (nullptr unsets it) for the life of the object.
class ScopedEnv {
 public:
  ScopedEnv(const char* name, const char* value) : name_(name) {
    if (const char* old = std::getenv(name)) old_ = old;
    Set(value);
  }
  ~ScopedEnv() { Set(old_ ? old_->c_str() : nullptr); }
  ScopedEnv(const ScopedEnv&) = delete;
  ScopedEnv& operator=(const ScopedEnv&) = delete;

 private:
  void Set(const char* value) {
    if (value) {
      setenv(name_, value, 1);
    } else {
      unsetenv(name_);
    }
  }
  const char* name_;
  std::optional<std::string> old_;
};

TEST_F(AppLayoutTest, OnlyAnInstalledCopyKeepsUserFilesApart) {
  Touch(Path("portable/Setting/Points.ini"));
  Touch(Path("dataonly/Data/si.xy"));
  fs::create_directories(Path("bare"));
  struct Case {
    const char* programDir;
    const char* installedResources;
    std::string resources, config, userData;
  };
  const std::string prefixShare = Path("prefix/share/kurvex/");
  const Case cases[] = {
      // The build tree or a portable copy: everything beside the program, as it always was.
      {"portable", "prefix/share/kurvex", Path("portable/"), Path("portable/"), Path("portable/")},
      {"dataonly", "no/such/share", Path("dataonly/"), Path("dataonly/"), Path("dataonly/")},
      // A program without resources anywhere still works in its own folder.
      {"bare", "no/such/share", Path("bare/"), Path("bare/"), Path("bare/")},
      // Installed: the share folder, however the path to it is spelled, and the user's folders.
      {"prefix/bin", "prefix/bin/../share/kurvex", prefixShare, Homes().ConfigHome,
       Homes().DataHome},
      {"prefix/bin/", "prefix/share/kurvex/", prefixShare, Homes().ConfigHome, Homes().DataHome},
  };
  for (const Case& c : cases) {
    const AppLayout layout = ChooseLayout(Path(c.programDir), Path(c.installedResources), Homes());
    EXPECT_EQ(layout.Resources, c.resources) << c.programDir;
    EXPECT_EQ(layout.Config, c.config) << c.programDir;
    EXPECT_EQ(layout.UserData, c.userData) << c.programDir;
    EXPECT_EQ(layout.Installed, c.config != c.resources) << c.programDir;
  }
}

// The layout chosen for a program folder that cannot be written. Root writes through any
// permission, so for root the folder is mounted read-only in a private mount namespace of a
// child process; nothing when the system allows no such namespace.
std::optional<AppLayout> LayoutOfReadOnlyFolder(const std::string& programDir,
                                                const std::string& share, const UserHomes& homes) {
  if (geteuid() != 0) {
    fs::permissions(programDir, fs::perms::owner_write, fs::perm_options::remove);
    const AppLayout layout = ChooseLayout(programDir, share, homes);
    fs::permissions(programDir, fs::perms::owner_write, fs::perm_options::add);
    return layout;
  }
  int channel[2];
  if (pipe(channel) != 0) return std::nullopt;
  const pid_t child = fork();
  if (child == 0) {
    close(channel[0]);
    const char* dir = programDir.c_str();
    if (unshare(CLONE_NEWNS) != 0 || mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) ||
        mount(dir, dir, nullptr, MS_BIND, nullptr) ||
        mount(nullptr, dir, nullptr, MS_REMOUNT | MS_BIND | MS_RDONLY, nullptr)) {
      _exit(1);
    }
    const AppLayout layout = ChooseLayout(programDir, share, homes);
    const std::string answer =
        layout.Resources + '\n' + layout.Config + '\n' + (layout.Installed ? "1" : "0");
    _exit(write(channel[1], answer.data(), answer.size()) == ssize_t(answer.size()) ? 0 : 1);
  }
  close(channel[1]);
  std::string answer;
  char buffer[512];
  for (ssize_t got; (got = read(channel[0], buffer, sizeof buffer)) > 0;)
    answer.append(buffer, got);
  close(channel[0]);
  int status = 0;
  waitpid(child, &status, 0);
  if (child < 0 || !WIFEXITED(status) || WEXITSTATUS(status) != 0) return std::nullopt;
  AppLayout layout;
  const std::size_t first = answer.find('\n'), second = answer.find('\n', first + 1);
  layout.Resources = answer.substr(0, first);
  layout.Config = answer.substr(first + 1, second - first - 1);
  layout.Installed = answer.substr(second + 1) == "1";
  return layout;
}

TEST_F(AppLayoutTest, AReadOnlyPortableCopyWritesToTheUsersFolders) {
  Touch(Path("readonly/Setting/Points.ini"));
  const std::optional<AppLayout> layout =
      LayoutOfReadOnlyFolder(Path("readonly"), Path("prefix/share/kurvex"), Homes());
  if (!layout)
    GTEST_SKIP() << "root here cannot mount a folder read-only in a namespace of its own";
  EXPECT_EQ(layout->Resources, Path("readonly/"));
  EXPECT_EQ(layout->Config, Homes().ConfigHome);
  EXPECT_TRUE(layout->Installed);
}

TEST_F(AppLayoutTest, EveryNamedFileAndFolderFollowsTheLayout) {
  SetApplicationLayout(Installed());
  const std::string share = Path("prefix/share/kurvex");
  const std::pair<AppPath, std::string> expected[] = {
      {AppPath::Resources, share},
      {AppPath::OptionsFile, Path("config/kurvex/Kurvex.ini")},
      {AppPath::LogFile, Path("config/kurvex/Kurvex.log")},
      {AppPath::GraphImages, Path("data/kurvex/GraphImages")},
      {AppPath::Styles, Path("data/kurvex/Setting")},
      {AppPath::Data, share + "/Data"},
      {AppPath::Localize, share + "/Localize"},
  };
  for (const auto& [what, path] : expected) EXPECT_EQ(ApplicationPath(what), path);
  EXPECT_EQ(ApplicationDirectory(), share + "/");

  SetApplicationDirectory(Path("portable"));
  EXPECT_EQ(ApplicationPath(AppPath::OptionsFile), Path("portable/Kurvex.ini"));
  EXPECT_EQ(ApplicationPath(AppPath::Styles), Path("portable/Setting"));
  EXPECT_EQ(ApplicationPath(AppPath::GraphImages), Path("portable/GraphImages"));
}

TEST_F(AppLayoutTest, FirstStartCopiesTheExampleStylesOnceAndNeverOverwrites) {
  const AppLayout layout = Installed();
  PrepareUserFolders(layout);
  EXPECT_TRUE(fs::is_directory(Path("config/kurvex")));
  EXPECT_TRUE(fs::is_directory(Path("data/kurvex/GraphImages")));
  EXPECT_EQ(Read(Path("data/kurvex/Setting/Points.ini")), "[Image]\nWidth=640\n");
  EXPECT_FALSE(fs::exists(Path("data/kurvex/Setting.new")));

  // The user's own edits and deletions stay; a new example does not reappear either.
  Touch(Path("data/kurvex/Setting/Points.ini"), "mine");
  Touch(Path("prefix/share/kurvex/Setting/Large.ini"));
  PrepareUserFolders(layout);
  EXPECT_EQ(Read(Path("data/kurvex/Setting/Points.ini")), "mine");
  EXPECT_FALSE(fs::exists(Path("data/kurvex/Setting/Large.ini")));
}

TEST_F(AppLayoutTest, APortableCopyCreatesNothing) {
  fs::create_directories(Path("portable/Setting"));
  PrepareUserFolders(ChooseLayout(Path("portable"), "", Homes()));
  EXPECT_FALSE(fs::exists(Path("portable/GraphImages")));
  EXPECT_FALSE(fs::exists(Path("config")));
}

TEST(UserHomes, XdgFoldersWhenAbsoluteElseTheHomeFolder) {
  struct Case {
    const char* configHome;
    const char* dataHome;
    std::string config, data;
  };
  const Case cases[] = {
      {"/x/cfg", "/x/data/", "/x/cfg/kurvex/", "/x/data/kurvex/"},
      {nullptr, nullptr, "/home/u/.config/kurvex/", "/home/u/.local/share/kurvex/"},
      {"relative/cfg", "", "/home/u/.config/kurvex/", "/home/u/.local/share/kurvex/"},
  };
  const ScopedEnv home("HOME", "/home/u");
  for (const Case& c : cases) {
    const ScopedEnv config("XDG_CONFIG_HOME", c.configHome);
    const ScopedEnv data("XDG_DATA_HOME", c.dataHome);
    const UserHomes homes = UserHomesFromEnvironment();
    EXPECT_EQ(homes.ConfigHome, c.config);
    EXPECT_EQ(homes.DataHome, c.data);
  }
}

}  // namespace
}  // namespace kurvex
