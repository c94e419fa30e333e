#pragma once

#include <functional>

namespace kurvex::shell {

class Dialogs;

/// Runs one event handler. Whatever it throws is shown through the error report and the program
/// goes on: no exception may cross the toolkit's event loop.
void Guard(Dialogs& dialogs, const std::function<void()>& handler);

/// Runs something whose failures are documented as silent.
void Quietly(const std::function<void()>& action);

}  // namespace kurvex::shell
