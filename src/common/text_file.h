#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kurvex {

/// Bytes of a text file as UTF-8: UTF-16 with a byte-order mark (either byte order) is
/// converted, valid UTF-8 is kept, anything else is taken as Windows-1250. Byte-order marks at
/// the start are dropped, however many, so decoding decoded text changes nothing.
std::string DecodeText(std::string bytes);

/// The bytes of a file or named pipe as they are, or nothing when it cannot be opened or read.
/// Devices are never opened.
std::optional<std::string> ReadFileBytes(const std::string& path);
/// The same; on failure `reason` receives the system's reason.
std::optional<std::string> ReadFileBytes(const std::string& path, std::string& reason);

/// The decoded content of a file or named pipe, or nothing when it cannot be opened or read.
/// Devices are never opened.
std::optional<std::string> ReadTextFile(const std::string& path);
/// The same; on failure `reason` receives the system's reason ("Permission denied").
std::optional<std::string> ReadTextFile(const std::string& path, std::string& reason);

/// The bytes of a file or named pipe as they are; throws Error("Cannot open file "<path>".
/// <reason>") when it cannot be opened or read. Devices are never opened.
std::string ReadFileOrThrow(const std::string& path);

/// Lines of a text; CR LF, LF and CR all end a line, and a final line break adds no empty line.
std::vector<std::string> SplitLines(std::string_view text);

/// Whether a write waits until the data is on the disk before the rename.
enum class FileSync {
  kDurable,  // settings: must survive a power cut whole
  kNone,     // images of a batch: rewritten easily, and a sync per file would dominate the run
};

/// Writes the file whole or not at all: a new file beside it, renamed over the old one (over a
/// symbolic link's target, not the link), with the old file's mode, owner and group. Only a
/// regular file is replaced: a device, a pipe, a folder or a file without write permission is
/// refused; a missing file is created, named only once it is whole. Throws
/// FileError("Unable to write to <path>", reason) and leaves the old file untouched on failure.
/// A file with several hard links, or whose owner or group this process cannot give the new
/// file, is rewritten in place instead, after its old content was saved whole under a new name
/// (<path>.bak, or <path>.bak-XXXXXX when that is taken; no file is ever overwritten) that the
/// save notice gives and that is removed once the rewrite is done: a rename would split the
/// links or hand the file to whoever saved it. Returns "" or, after such a rewrite, the sentence
/// saying so. A save also removes what a killed save of the same file left: its old
/// <path>.tmp-XXXXXX files.
std::string WriteFileAtomic(const std::string& path, std::string_view content,
                            FileSync sync = FileSync::kDurable);

/// Told before a file is rewritten in place, with the sentence that says so and names where its
/// old content waits meanwhile: whoever's program is killed then learns where to find it.
using SaveNotice = void (*)(const std::string& sentence);
/// The program's notice for every save from now on; nullptr (the start) says nothing.
void SetSaveNotice(SaveNotice notice);

/// Removes the temporary files of the writes under way. Async-signal-safe: a program calls it
/// from its SIGINT and SIGTERM handlers, so that an interrupted save leaves no *.tmp-XXXXXX
/// file behind.
void RemovePendingTemporaryFile() noexcept;

}  // namespace kurvex
