// The desktop program: the main window, then the graph window, then the event loop.
#include <unistd.h>
#include <QApplication>
#include <QSocketNotifier>
#include <csignal>

#include "shell/dialogs.h"
#include "shell/form_kurvex.h"
#include "shell/form_main.h"

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

void CloseWindowsOnTerminate(QApplication& app) {
  auto* notifier = new QSocketNotifier(g_signalPipe[0], QSocketNotifier::Read, &app);
  QObject::connect(notifier, &QSocketNotifier::activated, &app, [notifier] {
    char byte = 0;
    [[maybe_unused]] const ssize_t got = read(g_signalPipe[0], &byte, 1);
    notifier->setEnabled(false);
    QApplication::closeAllWindows();
  });
}

}  // namespace

int main(int argc, char** argv) {
  const bool catching = CatchTerminate();
  QApplication app(argc, argv);
  QApplication::setApplicationName("Kurvex ");
  if (catching) CloseWindowsOnTerminate(app);

  kurvex::shell::QtDialogs dialogs;
  kurvex::shell::TFormMain formMain(dialogs);
  kurvex::shell::TFormKurvex formKurvex(dialogs);
  formMain.SetGraphWindow(formKurvex);
  formMain.show();
  return QApplication::exec();
}
