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

/// A file operation that failed. Its message names the file and ends with the system's reason
/// after a colon ("Unable to write to /x/Kurvex.ini: Permission denied"), so that wherever it
/// is shown the user learns why.
class FileError : public Error {
 public:
  FileError(const std::string& message, std::string reason)
      : Error(reason.empty() ? message : message + ": " + reason), reason_(std::move(reason)) {}
  const std::string& Reason() const { return reason_; }

 private:
  std::string reason_;
};

/// The reason a picture of this size cannot be written ("invalid image size -5 x 500").
std::string InvalidImageSize(int width, int height);

/// Replaces the first "%s" of a message template by an argument ("'%s' is not ...").
std::string FormatMessage(const std::string& pattern, const std::string& argument);

}  // namespace kurvex
