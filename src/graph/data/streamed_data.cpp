#include "graph/data/streamed_data.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <memory>

#include "common/text_file.h"
#include "common/utf8.h"
#include "graph/data/column_names.h"
#include "graph/data/data_cleanup.h"
#include "graph/data/jcamp_dx.h"

namespace kurvex {

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

// What the first reading finds out: where the text starts after its byte-order marks, where
// the head ends, where the data ends, the comma rule and the lines to expect.
struct Survey {
  bool usable = true;
  std::size_t textStart = 0;
  bool inHead = true;
  std::size_t headEnd = 0;
  std::size_t headLines = 0;
  std::string head;  // joined by CR LF
  CommaRuleScan commas;
  std::size_t lastSignificant = std::string::npos;  // the last byte not blank or line break
  std::size_t cut = std::string::npos;              // after the line break that follows it
  std::size_t lineFeeds = 0;
  char lastByte = 0;
  std::size_t size = 0;
  bool jcamp = false;
  std::string whole;  // of a JCAMP-DX file
  std::size_t sizeHint = 0;
};

void SurveyPiece(Survey& s, std::string_view piece, std::size_t offset) {
  if (s.jcamp) s.whole.append(piece);
  if (!s.usable) return;
  std::size_t pos = 0;
  if (offset == s.textStart) {
    if (piece.starts_with("\xFF\xFE") || piece.starts_with("\xFE\xFF")) {
      s.usable = false;
      return;
    }
    while (piece.substr(pos).starts_with(kByteOrderMark)) pos += kByteOrderMark.size();
    s.textStart = offset + pos;
    s.headEnd = s.textStart;
    if (LooksLikeJcampDx(piece.substr(pos))) {
      s.usable = false;
      s.jcamp = true;
      s.whole.reserve(s.sizeHint);
      s.whole.append(piece);
      return;
    }
  }
  if (!IsValidUtf8(piece.substr(pos))) {
    s.usable = false;
    return;
  }
  // Head lines at the very top: the first number line ends the head for good.
  while (s.inHead && pos < piece.size()) {
    std::size_t end = piece.find_first_of("\r\n", pos);
    if (end == std::string_view::npos) end = piece.size();
    const std::string_view line = piece.substr(pos, end - pos);
    if (IsNumberLine(line)) {
      s.inHead = false;
      break;
    }
    if (s.headLines > 0) s.head += "\r\n";
    s.head += line;
    ++s.headLines;
    const bool pair = end + 1 < piece.size() && piece[end] == '\r' && piece[end + 1] == '\n';
    pos = end == piece.size() ? end : end + (pair ? 2 : 1);
    s.headEnd = offset + pos;
  }
  const std::string_view data = piece.substr(pos);
  s.commas.Add(data);
  s.lineFeeds += static_cast<std::size_t>(std::count(data.begin(), data.end(), '\n'));
  // The last byte that is no blank or line break, and where the line break after it ends: a
  // piece ends after a line feed, so that break lies in the same piece (or ends the file).
  const std::size_t last = data.find_last_not_of(" \t\r\n");
  if (last != std::string_view::npos) {
    s.lastSignificant = offset + pos + last;
    const std::size_t end = data.find_first_of("\r\n", last);
    if (end == std::string_view::npos) {
      s.cut = std::string::npos;
    } else {
      const bool pair = data[end] == '\r' && end + 1 < data.size() && data[end + 1] == '\n';
      s.cut = offset + pos + end + (pair ? 2 : 1);
    }
  }
  if (!piece.empty()) s.lastByte = piece.back();
  s.size = offset + piece.size();
}

}  // namespace

// The last break to cut after: a line feed, or a CR whose next byte is known and is no line
// feed (a CR at the very end may still be the first half of a CR LF pair).
void LinePieces::Add(std::string_view bytes) {
  pending_.append(bytes);
  std::size_t cut = std::string::npos;
  for (std::size_t i = pending_.size(); i > searched_; --i) {
    const char c = pending_[i - 1];
    if (c == '\n' || (c == '\r' && i < pending_.size() && pending_[i] != '\n')) {
      cut = i;
      break;
    }
  }
  if (cut != std::string::npos) {
    take_(std::string_view(pending_).substr(0, cut), offset_);
    offset_ += cut;
    pending_.erase(0, cut);
  }
  // What is left holds no break, but a final CR is searched again with the next bytes.
  searched_ = pending_.empty() || pending_.back() != '\r' ? pending_.size() : pending_.size() - 1;
}

void LinePieces::Finish() {
  if (!pending_.empty()) take_(pending_, offset_);
  offset_ += pending_.size();
  pending_.clear();
  searched_ = 0;
}

std::optional<LoadedData> ReadDataStreamed(const ByteSource& source, std::size_t sizeHint) {
  Survey s;
  s.sizeHint = sizeHint;
  LinePieces survey(
      [&s](std::string_view piece, std::size_t offset) { SurveyPiece(s, piece, offset); });
  if (!source([&survey](std::string_view bytes) { survey.Add(bytes); })) return std::nullopt;
  survey.Finish();
  if (s.jcamp) return ReadDataText(DecodeText(std::move(s.whole)));
  if (!s.usable) return std::nullopt;
  if (s.inHead) s.headEnd = s.size;
  // The text ends after the line break of its last line holding more than blanks and tabs.
  std::size_t dataEnd = s.size;
  if (s.lastSignificant != std::string::npos && s.lastSignificant >= s.headEnd &&
      s.cut != std::string::npos) {
    dataEnd = s.cut;
  }

  LoadedData loaded;
  loaded.TextLeftOut = true;
  loaded.Prepared.TextInDataFile = std::move(s.head);
  loaded.Prepared.HeadLineCount = s.headLines;
  const CommaRule rule = s.commas.Rule();
  std::string piece;
  char lastRaw = 0;
  bool any = false;
  std::string cleaned;          // held back one piece: the last one may lose its final empty line
  std::size_t firstFields = 0;  // of the first data line: the columns a head may name
  const auto convert = [&](std::string text) {
    if (text.empty()) return;
    const DataText lines = DataText::FromNormalized(std::move(text));
    if (loaded.Columns.LineCount() == 0 && !lines.Empty()) firstFields = FieldCount(lines.Line(0));
    loaded.Columns.Append(lines, MissingValues::kAreErrors, s.lineFeeds + 1);
  };
  LinePieces reading([&](std::string_view bytes, std::size_t offset) {
    std::size_t from = std::max(offset, s.headEnd);
    const std::size_t to = std::min(offset + bytes.size(), dataEnd);
    if (from >= to) return;
    piece.assign(bytes.substr(from - offset, to - from));
    lastRaw = piece.back();
    CleanUpInPlace(piece, 0, rule);
    convert(std::move(cleaned));
    cleaned = std::move(piece);
    piece.clear();
    any = true;
  });
  if (!source([&reading](std::string_view bytes) { reading.Add(bytes); })) return std::nullopt;
  reading.Finish();
  // The cleaned lines form one text, whose final empty line (after a final line break) is no
  // line: a data file's trailing blank line does not reach the drawing.
  if (any && (lastRaw == '\n' || lastRaw == '\r')) DropFinalEmptyLine(cleaned);
  convert(std::move(cleaned));
  loaded.ColumnNames = ColumnNames(loaded.Prepared.TextInDataFile, firstFields);
  return loaded;
}

ByteSource FileSource(const std::string& path, std::string& reason) {
  // A file smaller than a block is read once, whole, and its second reading takes the kept
  // bytes: a batch of spectra opens and reads each file once.
  auto kept = std::make_shared<std::optional<std::string>>();
  return [path, &reason, kept](const std::function<void(std::string_view)>& take) {
    if (kept->has_value()) {
      take(**kept);
      return true;
    }
    const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
      reason = std::strerror(errno);
      return false;
    }
    constexpr std::size_t kBlock = std::size_t{1} << 20;
    struct stat info {};
    const bool small = fstat(fd, &info) == 0 && info.st_size >= 0 &&
                       static_cast<std::size_t>(info.st_size) < kBlock;
    // One byte more than the file holds, so that its end is seen by the first read.
    const std::size_t size = small ? static_cast<std::size_t>(info.st_size) + 1 : kBlock;
    const auto buffer = std::make_unique_for_overwrite<char[]>(size);
    std::string whole;
    bool ok = true;
    for (;;) {
      const ssize_t got = read(fd, buffer.get(), size);
      if (got == 0) break;
      if (got < 0) {
        if (errno == EINTR) continue;
        reason = std::strerror(errno);
        ok = false;
        break;
      }
      const std::string_view bytes(buffer.get(), static_cast<std::size_t>(got));
      if (small) {
        whole.append(bytes);  // a file that grows after its size was taken still fits
      } else {
        take(bytes);
      }
    }
    close(fd);
    if (ok && small) {
      take(whole);
      *kept = std::move(whole);
    }
    return ok;
  };
}

}  // namespace kurvex
