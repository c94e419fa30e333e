#include "common/text_file.h"

#include <errno.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "common/code_page.h"
#include "common/error.h"
#include "common/utf8.h"

namespace kurvex {

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
constexpr char32_t kReplacement = 0xFFFD;

// Windows-1250 through iconv's table; bytes the code page leaves undefined become U+FFFD.
std::string DecodeCp1250(std::string_view bytes) {
  const CodePageTable& table = CodePage(1250);
  std::string out;
  out.reserve(bytes.size() + bytes.size() / 4);
  for (const char c : bytes) AppendUtf8(out, table[static_cast<unsigned char>(c)]);
  return out;
}

// UTF-16 after its byte-order mark; a lone surrogate or an odd last byte becomes U+FFFD.
std::string DecodeUtf16(std::string_view bytes, bool littleEndian) {
  std::string out;
  out.reserve(bytes.size());
  const auto unitAt = [&](std::size_t i) -> char32_t {
    const auto lo = static_cast<unsigned char>(bytes[littleEndian ? i : i + 1]);
    const auto hi = static_cast<unsigned char>(bytes[littleEndian ? i + 1 : i]);
    return static_cast<char32_t>(hi << 8 | lo);
  };
  std::size_t i = 2;
  for (; i + 1 < bytes.size(); i += 2) {
    char32_t unit = unitAt(i);
    if (unit >= 0xD800 && unit <= 0xDBFF && i + 3 < bytes.size()) {
      const char32_t low = unitAt(i + 2);
      if (low >= 0xDC00 && low <= 0xDFFF) {
        unit = 0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00);
        i += 2;
      }
    }
    AppendUtf8(out, unit >= 0xD800 && unit <= 0xDFFF ? kReplacement : unit);
  }
  if (i < bytes.size()) AppendUtf8(out, kReplacement);
  return out;
}

class FileDescriptor {
 public:
  explicit FileDescriptor(int fd) : fd_(fd) {}
  ~FileDescriptor() {
    if (fd_ >= 0) close(fd_);
  }
  FileDescriptor(const FileDescriptor&) = delete;
  FileDescriptor& operator=(const FileDescriptor&) = delete;
  int get() const { return fd_; }

 private:
  int fd_;
};

// Files and pipes hold text. A device such as /dev/zero never ends, and merely opening some
// (a watchdog, a tape) acts on the hardware, so devices are not even opened.
bool HoldsText(const struct stat& info) {
  return S_ISREG(info.st_mode) || S_ISFIFO(info.st_mode);
}

// The bytes of a file or named pipe, or nothing with the reason why. Not waiting in open() for a
// writer to a named pipe; once open, reads block as usual and end at once when nobody writes.
std::optional<std::string> ReadBytes(const std::string& path, std::string& reason) {
  const auto fail = [&reason](const char* why) {
    reason = why;
    return std::nullopt;
  };
  struct stat info;
  if (stat(path.c_str(), &info) != 0) return fail(std::strerror(errno));
  if (!HoldsText(info)) return fail("Not a file");
  FileDescriptor file(open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
  if (file.get() < 0) return fail(std::strerror(errno));
  if (fstat(file.get(), &info) != 0) return fail(std::strerror(errno));
  if (!HoldsText(info)) return fail("Not a file");
  const int flags = fcntl(file.get(), F_GETFL);
  if (flags < 0 || fcntl(file.get(), F_SETFL, flags & ~O_NONBLOCK) != 0) {
    return fail(std::strerror(errno));
  }
  std::string bytes;
  // Room to spare, which costs address space only until used: a data file made of head lines
  // becomes its own head text in place, with room for line feeds that turn into CR LF.
  if (S_ISREG(info.st_mode)) {
    const auto size = static_cast<std::size_t>(info.st_size);
    bytes.reserve(size + size / 8 + 64);
  }
  char buffer[65536];
  for (;;) {
    const ssize_t got = read(file.get(), buffer, sizeof buffer);
    if (got == 0) break;
    if (got < 0) {
      if (errno == EINTR) continue;
      return fail(std::strerror(errno));
    }
    bytes.append(buffer, static_cast<std::size_t>(got));
  }
  return bytes;
}

}  // namespace

namespace {

// A file saved from decoded text must decode to that text again, so no mark may be left at
// its start: not a second one, nor one that UTF-16 held behind its own.
std::string WithoutByteOrderMarks(std::string text) {
  std::size_t marks = 0;
  while (std::string_view(text).substr(marks).starts_with(kByteOrderMark)) {
    marks += kByteOrderMark.size();
  }
  text.erase(0, marks);
  return text;
}

}  // namespace

std::string DecodeText(std::string bytes) {
  if (bytes.starts_with("\xFF\xFE")) return WithoutByteOrderMarks(DecodeUtf16(bytes, true));
  if (bytes.starts_with("\xFE\xFF")) return WithoutByteOrderMarks(DecodeUtf16(bytes, false));
  if (IsValidUtf8(bytes)) return WithoutByteOrderMarks(std::move(bytes));
  return DecodeCp1250(bytes);
}

std::optional<std::string> ReadTextFile(const std::string& path) {
  std::string reason;
  return ReadTextFile(path, reason);
}

std::optional<std::string> ReadTextFile(const std::string& path, std::string& reason) {
  std::optional<std::string> bytes = ReadBytes(path, reason);
  if (!bytes) return std::nullopt;
  return DecodeText(std::move(*bytes));
}

std::optional<std::string> ReadFileBytes(const std::string& path) {
  std::string reason;
  return ReadBytes(path, reason);
}

std::optional<std::string> ReadFileBytes(const std::string& path, std::string& reason) {
  return ReadBytes(path, reason);
}

std::string ReadFileOrThrow(const std::string& path) {
  std::string reason;
  std::optional<std::string> bytes = ReadBytes(path, reason);
  if (!bytes) throw Error("Cannot open file \"" + path + "\". " + reason);
  return std::move(*bytes);
}

std::vector<std::string> SplitLines(std::string_view text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start < text.size()) {
    const std::size_t end = text.find_first_of("\r\n", start);
    if (end == std::string_view::npos) {
      lines.emplace_back(text.substr(start));
      break;
    }
    lines.emplace_back(text.substr(start, end - start));
    start = end + 1;
    if (text[end] == '\r' && start < text.size() && text[start] == '\n') ++start;
  }
  return lines;
}

}  // namespace kurvex
