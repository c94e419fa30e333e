#include "common/text_file.h"

#include <errno.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "common/code_page.h"
#include "common/error.h"
#include "common/utf8.h"

namespace kurvex {

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
constexpr char32_t kReplacement = 0xFFFD;
constexpr const char* kNotRegular = "not a regular file";

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

bool WriteAll(int fd, std::string_view content) {
  while (!content.empty()) {
    const ssize_t written = write(fd, content.data(), content.size());
    if (written < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    content.remove_prefix(static_cast<std::size_t>(written));
  }
  return true;
}

// New files get the permissions a plain create would give them.
mode_t NewFileMode() {
  static const mode_t mode = [] {
    const mode_t mask = umask(0);
    umask(mask);
    return static_cast<mode_t>(0666 & ~mask);
  }();
  return mode;
}

// Files and pipes hold text. A device such as /dev/zero never ends, and merely opening some
// (a watchdog, a tape) acts on the hardware, so devices are not even opened.
bool HoldsText(const struct stat& info) {
  return S_ISREG(info.st_mode) || S_ISFIFO(info.st_mode);
}

// The file a symbolic link points at, so that a save updates it and the link stays a link. A
// dangling link is replaced, as there is nothing behind it to keep.
std::string LinkTarget(const std::string& path) {
  struct stat link;
  if (lstat(path.c_str(), &link) != 0 || !S_ISLNK(link.st_mode)) return path;
  char* target = realpath(path.c_str(), nullptr);
  if (target == nullptr) return path;
  std::string resolved(target);
  free(target);
  return resolved;
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

// The temporary files being written, where a signal handler finds them: fixed slots read
// without locks or allocation. A slot is filled while kClaimed and seen by the handler only
// once kReady; a save that finds every slot taken goes on without one.
struct PendingSlot {
  enum : int { kFree, kClaimed, kReady };
  std::atomic<int> state{kFree};
  char path[PATH_MAX];
};
static_assert(std::atomic<int>::is_always_lock_free);
PendingSlot gPending[4];

// A new file "<target>.tmp-XXXXXX" that RemovePendingTemporaryFile finds while this lives.
// Signals wait while the file is made and registered: one in between would leave a file that
// the handler does not know of.
class TemporaryFile {
 public:
  explicit TemporaryFile(const std::string& target) : path_(target + ".tmp-XXXXXX") {
    sigset_t all, old;
    sigfillset(&all);
    pthread_sigmask(SIG_BLOCK, &all, &old);
    fd_ = mkstemp(path_.data());
    error_ = errno;
    if (fd_ >= 0) Register();
    pthread_sigmask(SIG_SETMASK, &old, nullptr);
  }
  ~TemporaryFile() {
    if (slot_) slot_->state.store(PendingSlot::kFree, std::memory_order_release);
  }
  TemporaryFile(const TemporaryFile&) = delete;
  TemporaryFile& operator=(const TemporaryFile&) = delete;

  int Descriptor() const { return fd_; }
  int Error() const { return error_; }
  const std::string& Path() const { return path_; }

 private:
  void Register() {
    if (path_.size() >= sizeof(PendingSlot::path)) return;
    for (PendingSlot& slot : gPending) {
      int expected = PendingSlot::kFree;
      if (!slot.state.compare_exchange_strong(expected, PendingSlot::kClaimed)) continue;
      std::memcpy(slot.path, path_.c_str(), path_.size() + 1);
      slot.state.store(PendingSlot::kReady, std::memory_order_release);
      slot_ = &slot;
      return;
    }
  }

  std::string path_;
  int fd_ = -1;
  int error_ = 0;
  PendingSlot* slot_ = nullptr;
};

// errno of the first failure, 0 when the content is in the file (and on the disk if durable).
int WriteAndClose(int fd, std::string_view content, FileSync sync) {
  int error = 0;
  if (!WriteAll(fd, content) || (sync == FileSync::kDurable && fsync(fd) != 0)) error = errno;
  if (close(fd) != 0 && error == 0) error = errno;
  return error;
}

// What ReplaceByRename returns when the new file cannot have the old one's owner and group.
constexpr int kOwnerNotKept = -1;

// The old file's owner and group on the new one; false when this process may not give them.
// Changing the owner drops set-user-ID bits, so the mode comes after.
bool TakeAttributes(int fd, mode_t mode, const struct stat* owner) {
  struct stat now;
  if (owner && fstat(fd, &now) == 0 &&
      (now.st_uid != owner->st_uid || now.st_gid != owner->st_gid) &&
      fchown(fd, owner->st_uid, owner->st_gid) != 0) {
    return false;
  }
  static_cast<void>(fchmod(fd, mode));  // best effort: the content matters more than the mode
  return true;
}

// A new file beside `target` renamed over it: 0, an errno, or kOwnerNotKept before anything
// was written.
int ReplaceByRename(const std::string& target, std::string_view content, FileSync sync, mode_t mode,
                    const struct stat* owner) {
  const TemporaryFile temporary(target);
  const int fd = temporary.Descriptor();
  if (fd < 0) return temporary.Error();
  int error = TakeAttributes(fd, mode, owner) ? 0 : kOwnerNotKept;
  if (error != 0) {
    close(fd);
  } else {
    error = WriteAndClose(fd, content, sync);
  }
  if (error == 0 && rename(temporary.Path().c_str(), target.c_str()) != 0) error = errno;
  if (error != 0) unlink(temporary.Path().c_str());
  return error;
}

// What CreateUnnamed returns when the folder or the system has no unnamed files.
constexpr int kNoUnnamedFile = -2;

// A missing file written as an unnamed file of its folder and given its name once whole: no
// temporary name to make, rename, or clean up after a signal, and a third of the folder's
// changes (a batch of pictures spends much of its time on them). 0, an errno of the writing,
// or kNoUnnamedFile, with nothing left behind, when that cannot be done (the caller renames).
int CreateUnnamed(const std::string& target, std::string_view content, FileSync sync) {
  const std::size_t slash = target.rfind('/');
  const std::string folder = slash == std::string::npos ? "."
                             : slash == 0               ? "/"
                                                        : target.substr(0, slash);
  const int fd = open(folder.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666);  // umask applies
  if (fd < 0) return kNoUnnamedFile;
  if (!WriteAll(fd, content) || (sync == FileSync::kDurable && fsync(fd) != 0)) {
    const int error = errno;
    close(fd);
    return error;
  }
  const std::string self = "/proc/self/fd/" + std::to_string(fd);
  if (linkat(AT_FDCWD, self.c_str(), AT_FDCWD, target.c_str(), AT_SYMLINK_FOLLOW) != 0) {
    close(fd);  // made meanwhile, or no /proc: renamed over as any other
    return kNoUnnamedFile;
  }
  if (close(fd) != 0) {
    const int error = errno;
    unlink(target.c_str());
    return error;
  }
  return 0;
}

// The file itself rewritten, its old content first saved whole as <target>.bak; "" or why not.
// Should the rewrite fail, the old content is put back as far as the disk allows.
std::string RewriteInPlace(const std::string& target, std::string_view content, FileSync sync,
                           const struct stat& old) {
  std::string reason;
  const std::optional<std::string> before = ReadBytes(target, reason);
  if (!before) return reason;
  const std::string backup = target + ".bak";
  struct stat info;
  if (lstat(backup.c_str(), &info) == 0 && !S_ISREG(info.st_mode) && !S_ISLNK(info.st_mode)) {
    return backup + ": " + kNotRegular;
  }
  if (const int error = ReplaceByRename(backup, *before, sync, old.st_mode & 0777, nullptr)) {
    return backup + ": " + std::strerror(error);
  }
  const auto rewrite = [&target, sync](std::string_view bytes) {
    const int fd = open(target.c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC);
    return fd < 0 ? errno : WriteAndClose(fd, bytes, sync);
  };
  const int error = rewrite(content);
  if (error == 0) return {};
  static_cast<void>(rewrite(*before));
  return std::strerror(error);
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

void WriteFileAtomic(const std::string& path, std::string_view content, FileSync sync) {
  const auto fail = [&path](const std::string& reason) {
    return FileError("Unable to write to " + path, reason);
  };
  const std::string target = LinkTarget(path);
  struct stat old {};
  const bool exists = stat(target.c_str(), &old) == 0;
  // A rename would put a plain file in the place of a device, a pipe or a folder, and replace a
  // file its owner made read-only as easily as any other: only regular files are replaced.
  if (exists && !S_ISREG(old.st_mode)) throw fail(kNotRegular);
  if (exists && ((old.st_mode & 0222) == 0 || access(target.c_str(), W_OK) != 0)) {
    throw fail(std::strerror(EACCES));
  }
  int error = exists ? kNoUnnamedFile : CreateUnnamed(target, content, sync);
  if (error != kNoUnnamedFile) {
    if (error != 0) throw fail(std::strerror(error));
    return;
  }
  if (!exists || old.st_nlink <= 1) {
    error = ReplaceByRename(target, content, sync, exists ? old.st_mode & 07777 : NewFileMode(),
                            exists ? &old : nullptr);
    if (error != kOwnerNotKept) {
      if (error != 0) throw fail(std::strerror(error));
      return;
    }
  }
  const std::string reason = RewriteInPlace(target, content, sync, old);
  if (!reason.empty()) throw fail(reason);
}

void RemovePendingTemporaryFile() noexcept {
  for (PendingSlot& slot : gPending) {
    if (slot.state.load(std::memory_order_acquire) == PendingSlot::kReady) unlink(slot.path);
  }
}

}  // namespace kurvex
