// The desktop program: the main window, then the graph window, then the event loop.
#include <unistd.h>
#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QSocketNotifier>
#include <csignal>
#include <iostream>
#include <stdexcept>

#include "app/kurvex_args.h"
#include "common/app_dir.h"
#include "shell/graph_window/graph_window.h"
#include "shell/help/licence.h"
#include "shell/kit/dialogs.h"
#include "shell/window/form_main.h"

namespace {

int g_signalPipe[2] = {-1, -1};

void OnTerminate(int) {
  const char byte = 1;
  // Only async-signal-safe work here; the event loop does the closing.
  [[maybe_unused]] const ssize_t written = write(g_signalPipe[1], &byte, 1);
}

// A session that ends or a "kill" closes the window as the user would, so the options and the
// log are saved. The signals are caught from the first moment; the close waits for the loop.
bool CatchTerminate() {
  if (pipe(g_signalPipe) != 0) return false;
  struct sigaction action {};
  action.sa_handler = OnTerminate;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  for (int signal : {SIGTERM, SIGINT, SIGHUP}) sigaction(signal, &action, nullptr);
  return true;
}

// Nobody may be there to answer a question then: the windows close without asking.
void CloseWindowsOnTerminate(QApplication& app, kurvex::shell::Dialogs& dialogs) {
  auto* notifier = new QSocketNotifier(g_signalPipe[0], QSocketNotifier::Read, &app);
  QObject::connect(notifier, &QSocketNotifier::activated, &app, [notifier, &dialogs] {
    char byte = 0;
    [[maybe_unused]] const ssize_t got = read(g_signalPipe[0], &byte, 1);
    notifier->setEnabled(false);
    dialogs.SetAttended(false);
    QApplication::closeAllWindows();
  });
}

}  // namespace

int main(int argc, char** argv) {
  // Help, version and usage errors answer on the terminal before anything needs a display.
  kurvex::KurvexArguments arguments;
  try {
    arguments = kurvex::ParseKurvexArguments(std::vector<std::string>(argv + 1, argv + argc));
  } catch (const std::invalid_argument& e) {
    std::cerr << "kurvex: " << e.what() << "\n\n" << kurvex::KurvexUsage();
    return 2;
  }
  if (arguments.Help) {
    std::cout << kurvex::KurvexUsage();
    return 0;
  }
  if (arguments.Version) {
    std::cout << "kurvex " << kurvex::shell::ProgramVersion() << '\n';
    return 0;
  }
  const bool catching = CatchTerminate();
  kurvex::PrepareUserFolders(kurvex::ApplicationLayout());
  QApplication app(argc, argv);
  QApplication::setApplicationName("Kurvex ");
  // Lets the desktop match the window to kurvex.desktop and its icon.
  QApplication::setDesktopFileName("kurvex");
  kurvex::shell::QtDialogs dialogs;
  // A signal that came before is read from the pipe as soon as the loop runs.
  if (catching) CloseWindowsOnTerminate(app, dialogs);
  kurvex::shell::TFormMain formMain(dialogs);
  kurvex::shell::TFormKurvex formKurvex(dialogs);
  formMain.SetGraphWindow(formKurvex);
  if (!arguments.DataFiles.empty()) {
    // Absolute now: the shell's folder lists do not share the process's working directory.
    const QString file = QFile::decodeName(arguments.DataFiles.front().c_str());
    formMain.OpenDataFileAtStart(QFileInfo(file).absoluteFilePath());
  }
  formMain.show();
  return QApplication::exec();
}
