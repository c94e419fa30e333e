#pragma once

#include <QObject>
#include <functional>

namespace kurvex::shell {

class Dialogs;

/// Runs one event handler. Whatever it throws is shown through the error report and the program
/// goes on: no exception may cross the toolkit's event loop.
void Guard(Dialogs& dialogs, const std::function<void()>& handler);

/// Connects a signal to a member handler of `receiver` that runs inside the guard.
template <class Receiver, class Sender, class Signal>
void ConnectGuarded(Receiver* receiver, Dialogs& dialogs, Sender* sender, Signal signal,
                    void (Receiver::*handler)()) {
  QObject::connect(sender, signal, receiver, [receiver, &dialogs, handler] {
    Guard(dialogs, [&] { (receiver->*handler)(); });
  });
}

/// Runs something whose failures are documented as silent.
void Quietly(const std::function<void()>& action);

}  // namespace kurvex::shell
