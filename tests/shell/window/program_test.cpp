// The built program itself, run twice in a temporary application directory.
#include <gtest/gtest.h>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>
#include <functional>

namespace {

class ProgramTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dir_.isValid());
    // A copy, not a link: the program finds its directory through its own resolved path.
    program_ = dir_.filePath("kurvex");
    ASSERT_TRUE(QFile::copy(KURVEX_PROGRAM, program_));
  }

  /// Starts the program, lets it come up, and asks it to close as a session end would;
  /// `whileRunning` runs while it is up.
  void RunOnce(const std::function<void()>& whileRunning = [] {}) {
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("QT_QPA_PLATFORM", "offscreen");
    process.setProcessEnvironment(environment);
    process.setWorkingDirectory(QDir::rootPath());
    process.start(program_, {});
    ASSERT_TRUE(process.waitForStarted(10000));
    QThread::msleep(1500);
    whileRunning();
    process.terminate();
    ASSERT_TRUE(process.waitForFinished(60000)) << "the program did not close";
    EXPECT_EQ(process.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(process.exitCode(), 0) << process.readAllStandardError().toStdString();
  }

  void Write(const QString& name, const QByteArray& bytes) const {
    QFile file(dir_.filePath(name));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(bytes);
  }

  QByteArray Read(const QString& name) const {
    QFile file(dir_.filePath(name));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
  }

  QTemporaryDir dir_;
  QString program_;
};

TEST_F(ProgramTest, EachRunAddsOneEmptyLineToTheLogAndSavesTheOptions) {
  RunOnce();
  EXPECT_EQ(Read("Kurvex.log"), "Log is off\r\n\r\n");
  const QByteArray options = Read("Kurvex.ini");
  EXPECT_TRUE(options.contains("WindowState=0")) << options.toStdString();
  EXPECT_TRUE(options.contains("[AxisX]"));

  RunOnce();
  EXPECT_EQ(Read("Kurvex.log"), "Log is off\r\n\r\n\r\n");
}

// A second window saved while this one was open; a signal closes this one with nobody there
// to ask: the other's file stays, this one's settings go beside it, and the log says where.
TEST_F(ProgramTest, ClosedByASignalItKeepsTheFileAnotherWindowSaved) {
  RunOnce();
  const QByteArray theirs = "[Image]\r\nWidth=720\r\n";
  RunOnce([&] { Write("Kurvex.ini", theirs); });
  EXPECT_EQ(Read("Kurvex.ini"), theirs);
  EXPECT_TRUE(Read("Kurvex.ini.unsaved").contains("[AxisX]"));
  EXPECT_TRUE(Read("Kurvex.log").contains("Kurvex.ini.unsaved"));
}

}  // namespace
