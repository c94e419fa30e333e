#pragma once

#include <stdexcept>
#include <string>
#include <utility>

namespace kurvex {

/// The one exception type of the program; its message is the text shown to the user.
class Error : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

/// A file operation that failed: the message the program shows, plus the system's reason
/// ("Permission denied") for callers that add it, such as the command-line tools.
class FileError : public Error {
 public:
  FileError(const std::string& message, std::string reason)
      : Error(message), reason_(std::move(reason)) {}
  const std::string& Reason() const { return reason_; }

 private:
  std::string reason_;
};

/// The message of an error followed by the system's reason when it carries one.
std::string MessageWithReason(const std::exception& error);

/// Replaces the first "%s" of a message template by an argument ("'%s' is not ...").
std::string FormatMessage(const std::string& pattern, const std::string& argument);

}  // namespace kurvex
