#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace kurvex::shell {

/// The log as the Log page holds it: every line ended by "\n". Nothing when the file cannot be
/// read, so the page keeps what it shows.
std::optional<std::string> ReadLogText(const std::string& path);

/// The memo text with one more line; a last line without its line end gets one first.
std::string AppendLogLine(std::string memoText, std::string_view line);

/// The file form of the memo text: every line ended by CR LF.
std::string LogFileText(std::string_view memoText);

/// Replaces the log file whole; throws Error("Unable to write to <path>").
void WriteLog(const std::string& path, std::string_view memoText);

}  // namespace kurvex::shell
