#include "common/text_file.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <random>

#include "common/error.h"
#include "common/utf8.h"
#include "temp_dir.h"

namespace kurvex {
namespace {

void WriteBytes(const std::string& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

std::string ErrorOfWrite(const std::string& path, std::string_view content) {
  try {
    WriteFileAtomic(path, content);
  } catch (const Error& e) {
    return e.what();
  }
  return "(no error)";
}

TEST(Utf8, RejectsOverlongsSurrogatesAndTruncatedSequences) {
  EXPECT_TRUE(IsValidUtf8(""));
  EXPECT_TRUE(IsValidUtf8("plain ASCII text, longer than eight bytes"));
  EXPECT_TRUE(IsValidUtf8("Žltý kôň \xF0\x9F\x98\x80 \xEF\xBF\xBF \xF4\x8F\xBF\xBF"));
  EXPECT_TRUE(IsValidUtf8(std::string("a\0b", 3)));
  for (const char* bad :
       {"\xC0\x80", "\xC1\xBF", "\xE0\x80\x80", "\xF0\x80\x80\x80", "\xED\xA0\x80",
        "\xF4\x90\x80\x80", "\xF5\x80\x80\x80", "\x80", "\xC3", "\xE2\x82", "\xFF"}) {
    EXPECT_FALSE(IsValidUtf8(bad)) << bad;
    // A bad byte after a run of ASCII long enough for the fast path, and at the very end.
    EXPECT_FALSE(IsValidUtf8(std::string(13, 'x') + bad));
    EXPECT_FALSE(IsValidUtf8(std::string(16, 'x') + bad));
  }
}

TEST(Utf8, DecodesCountsAndEncodesCodePoints) {
  const std::string text = "aŽ€\xF0\x9F\x98\x80";
  EXPECT_EQ(Utf8Length(text), 4u);
  EXPECT_EQ(Utf8ByteOffset(text, 2), 3u);
  EXPECT_EQ(Utf8ByteOffset(text, 99), text.size());
  std::size_t pos = 0;
  std::string again;
  while (pos < text.size()) AppendUtf8(again, NextCodePoint(text, pos));
  EXPECT_EQ(again, text);

  const std::string broken = "\xE2\x82x";
  pos = 0;
  EXPECT_EQ(NextCodePoint(broken, pos), U'\uFFFD');
  EXPECT_EQ(pos, 1u);
}

TEST(DecodeText, KeepsUtf8AndDropsTheByteOrderMark) {
  EXPECT_EQ(DecodeText("\xEF\xBB\xBFŽltý"), "Žltý");
  EXPECT_EQ(DecodeText("Žltý"), "Žltý");
  EXPECT_EQ(DecodeText(std::string("a\0b", 3)), std::string("a\0b", 3));
}

// The bytes of UTF-16 text with its byte-order mark.
std::string Utf16(std::u16string_view units, bool littleEndian) {
  std::string bytes = littleEndian ? "\xFF\xFE" : "\xFE\xFF";
  for (const char16_t u : units) {
    const char lo = static_cast<char>(u & 0xFF);
    const char hi = static_cast<char>(u >> 8);
    bytes += littleEndian ? lo : hi;
    bytes += littleEndian ? hi : lo;
  }
  return bytes;
}

TEST(DecodeText, ReadsUtf16WithAByteOrderMarkInEitherOrder) {
  for (const bool little : {true, false}) {
    EXPECT_EQ(DecodeText(Utf16(u"300\tŽ\r\n1,5", little)), "300\tŽ\r\n1,5");
    EXPECT_EQ(DecodeText(Utf16(u"\U0001F600", little)), "\U0001F600");
    EXPECT_EQ(DecodeText(Utf16(u"", little)), "");
  }
  // A lone surrogate and an odd last byte are marked, and the rest still reads.
  const std::u16string lone{0xD800, u'a'};
  EXPECT_EQ(DecodeText(Utf16(lone, true) + "b"), "\uFFFDa\uFFFD");
}

// A saved profile is decoded text; read again it must not lose or gain a line's start.
TEST(DecodeText, DecodedTextDecodesToItself) {
  for (const std::string& bytes :
       {std::string("\xEF\xBB\xBF\xEF\xBB\xBF[Title]"), Utf16(u"\uFEFF\uFEFF[Title]", true),
        Utf16(u"\uFEFF[Title]", false), std::string("\xEF\xBB\xBF\x8Elt")}) {
    const std::string text = DecodeText(bytes);
    EXPECT_TRUE(text.starts_with("[Title]") || text == "ď»żŽlt") << text;
    EXPECT_EQ(DecodeText(text), text);
  }
}

TEST(DecodeText, ReadsOtherBytesAsWindows1250) {
  EXPECT_EQ(DecodeText("\x8Elt\xFD k\xF4\xF2 \x8A\x9A"), "Žltý kôň Šš");
  // Bytes the code page leaves undefined do not stop the rest.
  EXPECT_EQ(DecodeText("a\x81"
                       "b\x98"
                       "c"),
            "a\uFFFD"
            "b\uFFFD"
            "c");
}

TEST(DecodeText, TurnsBinaryGarbageIntoValidText) {
  std::mt19937 random(7);
  std::string garbage(100000, '\0');
  for (char& c : garbage) c = static_cast<char>(random());
  const std::string text = DecodeText(garbage);
  EXPECT_TRUE(IsValidUtf8(text));
  EXPECT_GE(Utf8Length(text), garbage.size());
}

TEST(SplitLines, EndsLinesAtAnyBreakWithoutAnEmptyLastLine) {
  using Lines = std::vector<std::string>;
  EXPECT_EQ(SplitLines(""), Lines{});
  EXPECT_EQ(SplitLines("a"), Lines{"a"});
  EXPECT_EQ(SplitLines("a\r\n"), Lines{"a"});
  EXPECT_EQ(SplitLines("a\r\nb\nc\rd"), (Lines{"a", "b", "c", "d"}));
  EXPECT_EQ(SplitLines("\r\n\r\n"), (Lines{"", ""}));
  EXPECT_EQ(SplitLines("a\n\rb"), (Lines{"a", "", "b"}));
  EXPECT_EQ(SplitLines("a\r"), Lines{"a"});
}

TEST(ReadTextFile, GivesNothingForMissingFilesAndDirectories) {
  test::TempDir dir;
  EXPECT_FALSE(ReadTextFile(dir.File("missing.txt")).has_value());
  EXPECT_FALSE(ReadTextFile(dir.Path()).has_value());
  WriteBytes(dir.File("empty.txt"), "");
  EXPECT_EQ(ReadTextFile(dir.File("empty.txt")), "");
}

TEST(ReadFileOrThrow, GivesTheBytesAsTheyAreOrSaysWhyNot) {
  test::TempDir dir;
  const std::string bytes("\x85\r\n\0\xEF", 5);
  WriteBytes(dir.File("a.rtf"), bytes);
  EXPECT_EQ(ReadFileOrThrow(dir.File("a.rtf")), bytes);
  try {
    ReadFileOrThrow(dir.File("missing.rtf"));
    ADD_FAILURE() << "no error";
  } catch (const Error& e) {
    EXPECT_EQ(std::string(e.what()),
              "Cannot open file \"" + dir.File("missing.rtf") + "\". No such file or directory");
  }
}

// A hand-edited options file can name any path as the data file; none may hang the program.
TEST(ReadTextFile, NeitherDevicesNorPipesWithoutWriterHang) {
  EXPECT_FALSE(ReadTextFile("/dev/zero").has_value());

  test::TempDir dir;
  const std::string fifo = dir.File("pipe.txt");
  ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
  EXPECT_EQ(ReadTextFile(fifo), "");

  // A pipe with text in it, as a shell's process substitution passes it, is read as a file.
  int ends[2];
  ASSERT_EQ(pipe(ends), 0);
  ASSERT_EQ(write(ends[1], "300 1 2\n", 8), 8);
  close(ends[1]);
  EXPECT_EQ(ReadTextFile("/dev/fd/" + std::to_string(ends[0])), "300 1 2\n");
  close(ends[0]);
}

TEST(ReadTextFile, ReadsATenMegabyteSingleLine) {
  test::TempDir dir;
  std::string line(10 * 1024 * 1024, '7');
  line[5 * 1024 * 1024] = '\xE9';  // one Windows-1250 byte: the whole file is decoded as such
  WriteBytes(dir.File("long.txt"), line + "\r\n");
  const auto text = ReadTextFile(dir.File("long.txt"));
  ASSERT_TRUE(text.has_value());
  const auto lines = SplitLines(*text);
  ASSERT_EQ(lines.size(), 1u);
  EXPECT_EQ(lines[0].size(), line.size() + 1);
  EXPECT_EQ(lines[0].substr(5 * 1024 * 1024, 2), "é");
}

TEST(WriteFileAtomic, ReplacesTheFileAndKeepsItsPermissions) {
  test::TempDir dir;
  const std::string path = dir.File("Kurvex.ini");
  WriteFileAtomic(path, "first");
  EXPECT_EQ(ReadTextFile(path), "first");
  struct stat info;
  ASSERT_EQ(stat(path.c_str(), &info), 0);
  const mode_t mask = umask(0);
  umask(mask);
  EXPECT_EQ(info.st_mode & 0777, 0666 & ~mask);  // as a plain create makes it
  chmod(path.c_str(), 0640);
  WriteFileAtomic(path, std::string("se\0cond", 7));
  EXPECT_EQ(ReadTextFile(path), std::string("se\0cond", 7));
  ASSERT_EQ(stat(path.c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 0777, 0640u);
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()), {}), 1);
}

TEST(WriteFileAtomic, FailureNamesTheFileAndLeavesNothingBehind) {
  test::TempDir dir;
  const std::string missingFolder = dir.File("no/such/folder/Kurvex.ini");
  EXPECT_EQ(ErrorOfWrite(missingFolder, "x"),
            "Unable to write to " + missingFolder + ": No such file or directory");

  // A directory cannot be replaced by a file: the rename fails after the temporary was written.
  const std::string folder = dir.File("Setting");
  std::filesystem::create_directory(folder);
  WriteBytes(folder + "/keep.ini", "kept");
  EXPECT_EQ(ErrorOfWrite(folder, "x"), "Unable to write to " + folder + ": not a regular file");
  EXPECT_EQ(ReadTextFile(folder + "/keep.ini"), "kept");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()), {}), 1);
}

// Write permission is taken off by the owner to protect a file; it holds even for root here.
TEST(WriteFileAtomic, RefusesAReadOnlyFile) {
  test::TempDir dir;
  const std::string path = dir.File("Shared.ini");
  WriteBytes(path, "protected");
  chmod(path.c_str(), 0444);
  EXPECT_EQ(ErrorOfWrite(path, "x"), "Unable to write to " + path + ": Permission denied");
  EXPECT_EQ(ReadTextFile(path), "protected");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()), {}), 1);
}

TEST(WriteFileAtomic, ReplacesTheTargetOfASymbolicLinkAndKeepsTheLink) {
  test::TempDir dir;
  std::filesystem::create_directory(dir.File("real"));
  const std::string target = dir.File("real/Kurvex.ini");
  const std::string link = dir.File("Kurvex.ini");
  WriteBytes(target, "old");
  std::filesystem::create_symlink("real/Kurvex.ini", link);
  WriteFileAtomic(link, "new");
  EXPECT_TRUE(std::filesystem::is_symlink(link));
  EXPECT_EQ(ReadTextFile(target), "new");
}

// A rename would put a regular file in the place of a pipe or a device, directly or behind a
// link; such targets are refused and stay what they are, while a new name is still created.
TEST(WriteFileAtomic, ReplacesOnlyRegularFiles) {
  test::TempDir dir;
  const std::string fifo = dir.File("pipe");
  ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
  const std::string link = dir.File("link.ini");
  std::filesystem::create_symlink("pipe", link);
  for (const std::string& path : {fifo, link}) {
    try {
      WriteFileAtomic(path, "x");
      ADD_FAILURE() << "no error for " << path;
    } catch (const FileError& e) {
      EXPECT_EQ(std::string(e.what()), "Unable to write to " + path + ": not a regular file");
    }
    EXPECT_TRUE(std::filesystem::is_fifo(fifo));
  }
  EXPECT_TRUE(std::filesystem::is_symlink(link));
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()), {}), 2);

  WriteFileAtomic(dir.File("new.ini"), "created");
  EXPECT_EQ(ReadTextFile(dir.File("new.ini")), "created");
}

struct stat StatOf(const std::string& path) {
  struct stat info {};
  EXPECT_EQ(stat(path.c_str(), &info), 0) << path;
  return info;
}

std::vector<std::string> FilesIn(const std::string& folder) {
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(folder)) {
    names.push_back(entry.path().filename().string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

std::vector<std::string> gNotices;
void KeepNotice(const std::string& sentence) {
  gNotices.push_back(sentence);
}

// A rename would split a file's hard links, or give the file to whoever saved it: the file keeps
// its links, owner and group, and where a rename cannot keep them it is rewritten in place after
// its old content was saved under a name of its own, which is announced and removed once done.
TEST(WriteFileAtomic, KeepsHardLinksOwnerAndGroup) {
  test::TempDir dir;
  const std::string path = dir.File("Kurvex.ini");
  const std::string link = dir.File("link.ini");
  WriteBytes(path, "old and longer");
  WriteBytes(path + ".bak", "the user's own backup");
  ASSERT_EQ(::link(path.c_str(), link.c_str()), 0);
  gNotices.clear();
  SetSaveNotice(KeepNotice);
  EXPECT_EQ(WriteFileAtomic(path, "new"), path + " was rewritten in place, as it has 2 hard links");
  SetSaveNotice(nullptr);
  EXPECT_EQ(ReadTextFile(link), "new");
  EXPECT_EQ(StatOf(link).st_ino, StatOf(path).st_ino);
  EXPECT_EQ(ReadTextFile(path + ".bak"), "the user's own backup");
  EXPECT_EQ(FilesIn(dir.Path()),
            (std::vector<std::string>{"Kurvex.ini", "Kurvex.ini.bak", "link.ini"}));
  ASSERT_EQ(gNotices.size(), 1u);
  const std::string prefix =
      path + ": rewriting it in place, as it has 2 hard links; its old content is in " + path +
      ".bak-";
  EXPECT_EQ(gNotices[0].substr(0, prefix.size()), prefix);
  EXPECT_EQ(gNotices[0].substr(prefix.size() + 6), " until the new content is whole");

  if (geteuid() != 0) GTEST_SKIP() << "files of other users need root to make";
  constexpr uid_t kOwner = 4321, kOther = 4322;
  const std::string shared = dir.File("shared.ini");
  WriteBytes(shared, "old");
  ASSERT_EQ(chown(shared.c_str(), kOwner, kOwner), 0);
  chmod(shared.c_str(), 0666);
  chmod(dir.Path().c_str(), 0777);
  EXPECT_EQ(WriteFileAtomic(shared, "root's"), "");
  EXPECT_EQ(StatOf(shared).st_uid, kOwner);
  EXPECT_EQ(StatOf(shared).st_gid, kOwner);
  // The same owner and another group: the group stays.
  ASSERT_EQ(chown(shared.c_str(), 0, kOther), 0);
  EXPECT_EQ(WriteFileAtomic(shared, "root's"), "");
  EXPECT_EQ(StatOf(shared).st_gid, kOther);
  ASSERT_EQ(chown(shared.c_str(), kOwner, kOwner), 0);

  // Another user may write the file but not give a new one to its owner.
  const pid_t child = fork();
  if (child == 0) {
    if (setgid(kOther) != 0 || setuid(kOther) != 0) _exit(2);
    try {
      _exit(WriteFileAtomic(shared, "other's") ==
                    shared +
                        " was rewritten in place, as a new file could not keep its owner and group"
                ? 0
                : 3);
    } catch (...) {
      _exit(1);
    }
  }
  int status = 0;
  ASSERT_EQ(waitpid(child, &status, 0), child);
  EXPECT_EQ(status, 0);
  EXPECT_EQ(ReadTextFile(shared), "other's");
  EXPECT_EQ(StatOf(shared).st_uid, kOwner);
  EXPECT_FALSE(std::filesystem::exists(shared + ".bak"));
}

// Killed while a hard-linked file is rewritten, a save leaves the old content under the name it
// announced; killed while any file is replaced, it leaves no temporary file.
TEST(WriteFileAtomic, AKilledSaveLosesNothingAndLeavesNoTemporaryFile) {
  test::TempDir dir;
  const std::string path = dir.File("pic.bmp");
  const std::string big(1 << 20, 'n');
  const auto killedChild = [&](auto&& save) {
    const pid_t child = fork();
    if (child == 0) {
      save();
      _exit(0);
    }
    int status = 0;
    waitpid(child, &status, 0);
    return WIFSIGNALED(status) ? WTERMSIG(status) : -WEXITSTATUS(status);
  };

  WriteBytes(path, "old");
  ASSERT_EQ(::link(path.c_str(), dir.File("link.bmp").c_str()), 0);
  SetSaveNotice([](const std::string&) { raise(SIGKILL); });
  EXPECT_EQ(killedChild([&] { WriteFileAtomic(path, "new"); }), SIGKILL);
  SetSaveNotice(nullptr);
  const std::vector<std::string> files = FilesIn(dir.Path());
  ASSERT_EQ(files.size(), 3u);
  EXPECT_EQ(files[1], "pic.bmp");
  EXPECT_EQ(ReadTextFile(dir.File(files[2])), "old") << files[2];
  EXPECT_EQ(files[2], "pic.bmp.bak");
  std::filesystem::remove(dir.File("link.bmp"));
  std::filesystem::remove(dir.File("pic.bmp.bak"));

  // Five saves, then a sixth stopped by the file size limit in the middle of its writing.
  EXPECT_EQ(killedChild([&] {
              for (int i = 0; i < 5; ++i) WriteFileAtomic(path, "save " + std::to_string(i));
              rlimit limit{4096, 4096};
              setrlimit(RLIMIT_FSIZE, &limit);
              WriteFileAtomic(path, big, FileSync::kNone);
            }),
            SIGXFSZ);
  EXPECT_EQ(FilesIn(dir.Path()), (std::vector<std::string>{"pic.bmp"}));
  EXPECT_EQ(ReadTextFile(path), "save 4");
  // The same limit as an error: the save fails with the reason and leaves nothing behind.
  EXPECT_EQ(
      killedChild([&] {
        signal(SIGXFSZ, SIG_IGN);
        rlimit limit{4096, 4096};
        setrlimit(RLIMIT_FSIZE, &limit);
        _exit(ErrorOfWrite(path, big) == "Unable to write to " + path + ": File too large" ? 0 : 1);
      }),
      0);
  EXPECT_EQ(FilesIn(dir.Path()), (std::vector<std::string>{"pic.bmp"}));
  EXPECT_EQ(ReadTextFile(path), "save 4");
  // A hard-linked file whose rewrite fails gets its old content back, and no backup stays.
  ASSERT_EQ(::link(path.c_str(), dir.File("link.bmp").c_str()), 0);
  EXPECT_EQ(
      killedChild([&] {
        signal(SIGXFSZ, SIG_IGN);
        rlimit limit{4096, 4096};
        setrlimit(RLIMIT_FSIZE, &limit);
        _exit(ErrorOfWrite(path, big) == "Unable to write to " + path + ": File too large" ? 0 : 1);
      }),
      0);
  EXPECT_EQ(FilesIn(dir.Path()), (std::vector<std::string>{"link.bmp", "pic.bmp"}));
  EXPECT_EQ(ReadTextFile(dir.File("link.bmp")), "save 4");
}

// What an older, killed save left is removed by the next save of the same file, and only that:
// no file of another name, nor one so new that another save may still be renaming it.
TEST(WriteFileAtomic, RemovesStaleTemporaryFilesOfTheSameFile) {
  test::TempDir dir;
  const std::vector<std::string> kept{"other.bmp.tmp-AbC123", "pic.bmp.tmp-AbC12",
                                      "pic.bmp.tmp-AbC1234", "pic.bmp.tmp-AbC_23",
                                      "pic.bmp.tmp-New123"};
  for (const std::string& name : kept) WriteBytes(dir.File(name), "x");
  WriteBytes(dir.File("pic.bmp.tmp-Old123"), "x");
  const timespec old[2] = {{std::time(nullptr) - 60, 0}, {std::time(nullptr) - 60, 0}};
  for (const std::string& name : kept) {
    if (name != "pic.bmp.tmp-New123") utimensat(AT_FDCWD, dir.File(name).c_str(), old, 0);
  }
  utimensat(AT_FDCWD, dir.File("pic.bmp.tmp-Old123").c_str(), old, 0);
  WriteFileAtomic(dir.File("pic.bmp"), "new", FileSync::kNone);
  std::vector<std::string> expected = kept;
  expected.push_back("pic.bmp");
  std::sort(expected.begin(), expected.end());
  EXPECT_EQ(FilesIn(dir.Path()), expected);
}

TEST(WriteFileAtomic, ErrorsCarryTheSystemsReason) {
  test::TempDir dir;
  const std::string missing = dir.File("no/Kurvex.ini");
  try {
    WriteFileAtomic(missing, "x");
    ADD_FAILURE();
  } catch (const std::exception& e) {
    EXPECT_EQ(std::string(e.what()),
              "Unable to write to " + missing + ": No such file or directory");
  }
}

}  // namespace
}  // namespace kurvex
