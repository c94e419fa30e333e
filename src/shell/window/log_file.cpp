#include "shell/window/log_file.h"

#include "common/text_file.h"

namespace kurvex::shell {

namespace {

std::string JoinLines(std::string_view text, std::string_view lineEnd) {
  std::string result;
  for (const std::string& line : SplitLines(text)) {
    result += line;
    result += lineEnd;
  }
  return result;
}

}  // namespace

std::optional<std::string> ReadLogText(const std::string& path) {
  std::optional<std::string> content = ReadTextFile(path);
  if (!content) return std::nullopt;
  return JoinLines(*content, "\n");
}

std::string AppendLogLine(std::string memoText, std::string_view line) {
  if (!memoText.empty() && memoText.back() != '\n') memoText += '\n';
  memoText += line;
  memoText += '\n';
  return memoText;
}

std::string LogFileText(std::string_view memoText) {
  return JoinLines(memoText, "\r\n");
}

void WriteLog(const std::string& path, std::string_view memoText) {
  WriteFileAtomic(path, LogFileText(memoText));
}

}  // namespace kurvex::shell
