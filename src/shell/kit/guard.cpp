#include "shell/kit/guard.h"

#include <exception>

#include "shell/kit/dialogs.h"

namespace kurvex::shell {

void Guard(Dialogs& dialogs, const std::function<void()>& handler) {
  try {
    handler();
  } catch (const std::exception& e) {
    dialogs.ShowError(e.what());
  } catch (...) {
    // Whatever it is, it must not reach the event loop, which would end the program.
    dialogs.ShowError("Unexpected error");
  }
}

void Quietly(const std::function<void()>& action) {
  try {
    action();
  } catch (const std::exception&) {
    // Documented as silent: the previous state stays.
  }
}

}  // namespace kurvex::shell
