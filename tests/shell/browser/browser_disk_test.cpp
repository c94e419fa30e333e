// The browsers and the watched data file as the disk changes under them: files without an
// extension, folders made and removed, mounts of alike names, and editors that save in the
// ways editors do.
#include <fcntl.h>
#include <sys/stat.h>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTreeWidget>

#include "shell/browser/data_page.h"
#include "shell/browser/data_watcher.h"
#include "shell/browser/file_browser.h"
#include "shell/kit/message_line.h"
#include "shell/shell_fixture.h"

namespace kurvex::shell {
namespace {

constexpr const char* kSpectrum = "400 1.5 0.2\n500 1.6 0.1\n600 1.4 -0.3\n";

class BrowserDiskTest : public ShellTest {
 protected:
  void SetUp() override {
    ShellTest::SetUp();
    Write("spectra/a.xy", kSpectrum);
    Write("spectra/export", kSpectrum);  // as some instruments name their files
  }

  FileBrowser* Browser() const { return main_->Pages().Data->Browser; }
  bool Lists(const QString& name) const {
    return !Browser()->Files()->findItems(name, Qt::MatchExactly).isEmpty();
  }
  bool ListsFolder(const QString& name) const {
    return !Browser()
                ->Directories()
                ->findItems(name, Qt::MatchExactly | Qt::MatchRecursive)
                .isEmpty();
  }
  std::size_t LoadedLines() { return graph_->Engine().Columns().LineCount(); }
};

// "*.*" is what a fresh Kurvex.ini and the "All files" type give: every file, one without an
// extension too.
TEST_F(BrowserDiskTest, EveryFileMaskListsFilesWithoutAnExtension) {
  for (const char* ini : {"[Data]\n", "[Data]\nDataFile=*.*\n"}) {
    SCOPED_TRACE(ini);
    TearDown();
    Write("Kurvex.ini", std::string(ini) + "DataPath=" + Path("spectra") + "\n");
    Start();
    EXPECT_EQ(Browser()->Edit()->text(), "*.*");
    EXPECT_TRUE(Lists("export"));
    EXPECT_TRUE(Lists("a.xy"));
  }
  emit Browser()->Filter()->activated(0);
  EXPECT_FALSE(Lists("export"));
  emit Browser()->Filter()->activated(Browser()->Filter()->findData("*.*"));
  EXPECT_TRUE(Lists("export"));
}

TEST_F(BrowserDiskTest, FoldersMadeOrRemovedWhileShownComeAndGo) {
  Write("Kurvex.ini", "[Data]\nDataPath=" + Path("spectra") + "\n");
  Start();
  ASSERT_FALSE(ListsFolder("run2"));
  QDir().mkpath(QString::fromStdString(Path("spectra/run2")));
  EXPECT_TRUE(Eventually([&] { return ListsFolder("run2"); }));
  QDir().rmdir(QString::fromStdString(Path("spectra/run2")));
  EXPECT_TRUE(Eventually([&] { return !ListsFolder("run2"); }));
  EXPECT_EQ(Browser()->Directory().toStdString(), Path("spectra"));
}

TEST(DriveComboBox, ShowsTheMountThatHoldsTheFolderNotOneOfAlikeName) {
  DriveComboBox drives("Drives");
  drives.clear();
  for (const char* root : {"/", "/media/usb", "/media/usbdata"}) drives.addItem(root);
  const std::pair<const char*, const char*> cases[] = {
      {"/media/usbdata/spectra", "/media/usbdata"},
      {"/media/usb/spectra", "/media/usb"},
      {"/media/usb", "/media/usb"},
      {"/media/usbdata", "/media/usbdata"},
      {"/media/usb2/x", "/"},
      {"/home/user", "/"},
  };
  for (const auto& [folder, drive] : cases) {
    drives.ShowDriveOf(folder);
    EXPECT_EQ(drives.currentText(), drive) << folder;
  }
}

// Editors save by writing a new file and renaming it over the old one, then write in place;
// a copy may keep the old time. Each of them is a new graph.
TEST_F(BrowserDiskTest, WatchedFileReloadsAfterEveryWayOfSaving) {
  Write("Kurvex.ini", "[Data]\nDataPath=" + Path("spectra") + "\nDataFile=a.xy\n");
  Start();
  ASSERT_EQ(graph_->Engine().DataFilePath(), Path("spectra/a.xy"));
  ASSERT_EQ(LoadedLines(), 3u);
  const QString file = QString::fromStdString(Path("spectra/a.xy"));
  std::string lines = kSpectrum;

  lines += "700 1.3 0.4\n";
  Write("spectra/a.xy.new", lines);
  ASSERT_EQ(std::rename((Path("spectra/a.xy.new")).c_str(), Path("spectra/a.xy").c_str()), 0);
  EXPECT_TRUE(Eventually([&] { return LoadedLines() == 4u; })) << "LoadedLines()";

  QTest::qWait(DataWatcher::kSettleMs * 2);
  lines += "800 1.2 0.5\n";
  {
    QFile inPlace(file);
    ASSERT_TRUE(inPlace.open(QIODevice::ReadWrite | QIODevice::Truncate));
    inPlace.write(lines.c_str());
  }
  EXPECT_TRUE(Eventually([&] { return LoadedLines() == 5u; })) << "LoadedLines()";

  QTest::qWait(DataWatcher::kSettleMs * 2);
  struct stat before {};
  ASSERT_EQ(stat(Path("spectra/a.xy").c_str(), &before), 0);
  // The folder's list may reload the file on its own; the watcher must see the change itself.
  QSignalSpy seen(&main_->Loader().Watcher(), &DataWatcher::Changed);
  lines += "900 1.1 0.6\n";
  Write("spectra/a.xy", lines);
  // To the nanosecond: the time a watcher compares is the one it saw.
  const timespec times[2] = {before.st_atim, before.st_mtim};
  ASSERT_EQ(utimensat(AT_FDCWD, Path("spectra/a.xy").c_str(), times, 0), 0);
  EXPECT_TRUE(Eventually([&] { return seen.count() == 1; })) << "seen.count()";
  EXPECT_TRUE(Eventually([&] { return LoadedLines() == 6u; })) << "LoadedLines()";
  EXPECT_TRUE(dialogs_.Errors.empty());
}

}  // namespace
}  // namespace kurvex::shell
