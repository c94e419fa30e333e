// Saving a file whole or not at all, whatever stops the program meanwhile.
#include <dirent.h>
#include <errno.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <mutex>
#include <optional>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "common/error.h"
#include "common/text_file.h"

namespace kurvex {

namespace {

constexpr const char* kNotRegular = "not a regular file";
constexpr std::string_view kTemporaryMark = ".tmp-";
constexpr std::string_view kLetters =
    "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
constexpr std::size_t kRandomLetters = 6;
// A temporary file is named only once whole and renamed at once, so one this old was left by a
// save that was killed, not one still under way in another process.
constexpr std::time_t kStaleAfterSeconds = 10;

std::atomic<SaveNotice> gNotice{nullptr};

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

std::string FolderOf(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  return slash == std::string::npos ? "." : slash == 0 ? "/" : path.substr(0, slash);
}

std::string RandomLetters() {
  thread_local std::mt19937 random{std::random_device{}()};
  std::uniform_int_distribution<std::size_t> pick(0, kLetters.size() - 1);
  std::string letters(kRandomLetters, ' ');
  for (char& c : letters) c = kLetters[pick(random)];
  return letters;
}

// A unused name for the file `source` (a path, or /proc/self/fd/N of an unnamed file): `first`
// if given and free, else `prefix` and six random letters. A link never replaces a file, so no
// file of the user's is ever overwritten. 0 with `made` set, or an errno.
int LinkUnderFreeName(const std::string& source, const std::string& first,
                      const std::string& prefix, std::string& made) {
  for (int attempt = 0; attempt < 100; ++attempt) {
    made = attempt == 0 && !first.empty() ? first : prefix + RandomLetters();
    if (linkat(AT_FDCWD, source.c_str(), AT_FDCWD, made.c_str(), AT_SYMLINK_FOLLOW) == 0) return 0;
    if (errno != EEXIST) return errno;
  }
  return EEXIST;
}

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

// A file "<target>.tmp-XXXXXX" that RemovePendingTemporaryFile finds while this lives.
// Signals wait while the file is named and registered: one in between would leave a file that
// the handler does not know of.
class TemporaryName {
 public:
  // A new empty file of that name, for a folder without unnamed files.
  explicit TemporaryName(const std::string& target) : path_(target + ".tmp-XXXXXX") {
    const SignalsHeld held;
    fd_ = mkstemp(path_.data());
    error_ = fd_ < 0 ? errno : 0;
    if (fd_ >= 0) Register();
  }
  // The unnamed file `unnamed`, whole, given that name.
  TemporaryName(const std::string& target, int unnamed) {
    const SignalsHeld held;
    error_ = LinkUnderFreeName("/proc/self/fd/" + std::to_string(unnamed), {},
                               target + std::string(kTemporaryMark), path_);
    if (error_ == 0) Register();
  }
  ~TemporaryName() {
    if (slot_) slot_->state.store(PendingSlot::kFree, std::memory_order_release);
  }
  TemporaryName(const TemporaryName&) = delete;
  TemporaryName& operator=(const TemporaryName&) = delete;

  int Descriptor() const { return fd_; }
  int Error() const { return error_; }
  const std::string& Path() const { return path_; }

 private:
  class SignalsHeld {
   public:
    SignalsHeld() {
      sigset_t all;
      sigfillset(&all);
      pthread_sigmask(SIG_BLOCK, &all, &old_);
    }
    ~SignalsHeld() { pthread_sigmask(SIG_SETMASK, &old_, nullptr); }

   private:
    sigset_t old_;
  };

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

// Whether `name` is "<base>.tmp-XXXXXX" as a save of `base` names its temporary file.
bool IsTemporaryOf(std::string_view name, std::string_view base) {
  if (name.size() != base.size() + kTemporaryMark.size() + kRandomLetters ||
      !name.starts_with(base) ||
      name.substr(base.size(), kTemporaryMark.size()) != kTemporaryMark) {
    return false;
  }
  const std::string_view letters = name.substr(name.size() - kRandomLetters);
  return letters.find_first_not_of(kLetters) == std::string_view::npos;
}

// Temporary files that a killed save left beside `target`: a save removes those of its own
// file, if this user's and old enough not to be another save's under way. Each folder is read
// once a run, so a batch of thousands of pictures does not read it thousands of times.
void RemoveStaleTemporaries(const std::string& target) {
  // Never destroyed: a save may run from another object's destructor at the end of the
  // program (the font match cache), after static objects of this unit would be gone.
  static auto* mutex = new std::mutex;
  static auto& read = *new std::set<std::string>;
  static auto& stale = *new std::vector<std::pair<std::string, std::string>>;  // folder, name
  const std::lock_guard lock(*mutex);
  const std::string folder = FolderOf(target);
  if (read.insert(folder).second) {
    if (DIR* dir = opendir(folder.c_str())) {
      while (const dirent* entry = readdir(dir)) {
        const std::string_view name = entry->d_name;
        const std::size_t mark = name.rfind(kTemporaryMark);
        if (mark != std::string_view::npos && IsTemporaryOf(name, name.substr(0, mark))) {
          stale.emplace_back(folder, entry->d_name);
        }
      }
      closedir(dir);
    }
  }
  const std::string base = target.substr(target.rfind('/') + 1);
  std::erase_if(stale, [&](const std::pair<std::string, std::string>& file) {
    if (file.first != folder || !IsTemporaryOf(file.second, base)) return false;
    const std::string path = folder + '/' + file.second;
    struct stat info;
    if (lstat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode) && info.st_nlink == 1 &&
        info.st_uid == geteuid() && info.st_mtime + kStaleAfterSeconds < std::time(nullptr)) {
      unlink(path.c_str());
    }
    return true;
  });
}

// errno of the first failure, 0 when the content is in the file (and on the disk if durable).
int WriteWhole(int fd, std::string_view content, FileSync sync) {
  if (!WriteAll(fd, content) || (sync == FileSync::kDurable && fsync(fd) != 0)) return errno;
  return 0;
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

// An unnamed file of the folder `target` is in, or -1 where there are none.
int OpenUnnamed(const std::string& target, mode_t mode = 0600) {
  return open(FolderOf(target).c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, mode);
}

// A file to write beside `target`: unnamed where the folder allows, else under a temporary name
// from the start, held by `temporary`. Its descriptor, or -1 with temporary->Error() saying why.
int OpenNewFile(const std::string& target, std::optional<TemporaryName>& temporary) {
  const int fd = OpenUnnamed(target);
  if (fd >= 0) return fd;
  temporary.emplace(target);
  return temporary->Descriptor();
}

// A new file beside `target` renamed over it: 0, an errno, or kOwnerNotKept before anything
// was written. The new file is written unnamed and named "<target>.tmp-XXXXXX" only once whole,
// just before the rename, so that not even a kill leaves a part of it behind; only a folder
// without unnamed files sees the temporary name while it is written.
int ReplaceByRename(const std::string& target, std::string_view content, FileSync sync, mode_t mode,
                    const struct stat* owner) {
  std::optional<TemporaryName> temporary;
  const int fd = OpenNewFile(target, temporary);
  if (fd < 0) return temporary->Error();
  const bool unnamed = !temporary;
  int error = TakeAttributes(fd, mode, owner) ? 0 : kOwnerNotKept;
  if (error == 0) error = WriteWhole(fd, content, sync);
  if (error == 0 && unnamed) {
    temporary.emplace(target, fd);
    error = temporary->Error();
  }
  if (close(fd) != 0 && error == 0) error = errno;
  if (error == 0 && rename(temporary->Path().c_str(), target.c_str()) != 0) error = errno;
  if (error != 0 && temporary && temporary->Error() == 0) unlink(temporary->Path().c_str());
  return error;
}

// What CreateUnnamed returns when the folder or the system has no unnamed files.
constexpr int kNoUnnamedFile = -2;

// A missing file written as an unnamed file of its folder and given its name once whole: no
// temporary name to make, rename, or clean up after a signal, and a third of the folder's
// changes (a batch of pictures spends much of its time on them). 0, an errno of the writing,
// or kNoUnnamedFile, with nothing left behind, when that cannot be done (the caller renames).
int CreateUnnamed(const std::string& target, std::string_view content, FileSync sync) {
  const int fd = OpenUnnamed(target, 0666);  // the umask applies
  if (fd < 0) return kNoUnnamedFile;
  if (const int error = WriteWhole(fd, content, sync)) {
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

// A new file "<target>.bak", or "<target>.bak-XXXXXX" when that name is taken, holding `bytes`:
// named only once whole, and never over another file. Its name, or "" with `error` set.
std::string MakeBackup(const std::string& target, std::string_view bytes, FileSync sync,
                       mode_t mode, int& error) {
  std::optional<TemporaryName> temporary;
  const int fd = OpenNewFile(target, temporary);
  if (fd < 0) {
    error = temporary->Error();
    return {};
  }
  const bool unnamed = !temporary;
  static_cast<void>(fchmod(fd, mode));
  error = WriteWhole(fd, bytes, sync);
  std::string backup;
  if (error == 0) {
    const std::string source = unnamed ? "/proc/self/fd/" + std::to_string(fd) : temporary->Path();
    error = LinkUnderFreeName(source, target + ".bak", target + ".bak-", backup);
  }
  if (close(fd) != 0 && error == 0) error = errno;
  if (temporary) unlink(temporary->Path().c_str());
  if (error == 0) return backup;
  if (!backup.empty()) unlink(backup.c_str());
  return {};
}

// The file's own bytes replaced by `content`: 0 or an errno.
int Overwrite(const std::string& target, std::string_view content, FileSync sync) {
  const int fd = open(target.c_str(), O_WRONLY | O_CLOEXEC);
  if (fd < 0) return errno;
  int error = WriteWhole(fd, content, sync);
  if (error == 0 && ftruncate(fd, static_cast<off_t>(content.size())) != 0) error = errno;
  if (close(fd) != 0 && error == 0) error = errno;
  return error;
}

// The file itself rewritten, its old content first saved whole under a backup name that is
// announced before the rewrite starts and removed once it is done: whenever the program is
// stopped, the old content is in the file or in the backup. "" or why not; `note` says what was
// done.
std::string RewriteInPlace(const std::string& target, std::string_view content, FileSync sync,
                           const struct stat& old, std::string& note) {
  std::string reason;
  const std::optional<std::string> before = ReadFileBytes(target, reason);
  if (!before) return reason;
  int error = 0;
  const std::string backup = MakeBackup(target, *before, sync, old.st_mode & 0777, error);
  if (backup.empty())
    return "cannot keep its old content in " + target + ".bak: " + std::strerror(error);
  const std::string why = old.st_nlink > 1
                              ? "as it has " + std::to_string(old.st_nlink) + " hard links"
                              : "as a new file could not keep its owner and group";
  if (const SaveNotice notice = gNotice.load()) {
    notice(target + ": rewriting it in place, " + why + "; its old content is in " + backup +
           " until the new content is whole");
  }
  error = Overwrite(target, content, sync);
  if (error == 0) {
    unlink(backup.c_str());
    note = target + " was rewritten in place, " + why;
    return {};
  }
  reason = std::strerror(error);
  if (Overwrite(target, *before, sync) != 0) return reason + "; its old content is in " + backup;
  unlink(backup.c_str());
  return reason;
}

}  // namespace

void SetSaveNotice(SaveNotice notice) {
  gNotice.store(notice);
}

std::string WriteFileAtomic(const std::string& path, std::string_view content, FileSync sync) {
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
  RemoveStaleTemporaries(target);
  int error = exists ? kNoUnnamedFile : CreateUnnamed(target, content, sync);
  if (error != kNoUnnamedFile) {
    if (error != 0) throw fail(std::strerror(error));
    return {};
  }
  if (!exists || old.st_nlink <= 1) {
    error = ReplaceByRename(target, content, sync, exists ? old.st_mode & 07777 : NewFileMode(),
                            exists ? &old : nullptr);
    if (error != kOwnerNotKept) {
      if (error != 0) throw fail(std::strerror(error));
      return {};
    }
  }
  std::string note;
  const std::string reason = RewriteInPlace(target, content, sync, old, note);
  if (!reason.empty()) throw fail(reason);
  return note;
}

void RemovePendingTemporaryFile() noexcept {
  for (PendingSlot& slot : gPending) {
    if (slot.state.load(std::memory_order_acquire) == PendingSlot::kReady) unlink(slot.path);
  }
}

}  // namespace kurvex
