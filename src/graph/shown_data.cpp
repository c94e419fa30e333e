#include "graph/shown_data.h"

#include <sys/stat.h>

#include <utility>

#include "common/text_file.h"
#include "graph/data/block_read.h"
#include "graph/data/data_block.h"
#include "graph/data/streamed_data.h"

namespace kurvex {

namespace {

std::string FileNamePart(const std::string& path) {
  const auto slash = path.find_last_of('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

}  // namespace

// A plain data file is converted in pieces and its text is never held: a file of ten million
// lines needs the memory of its numbers only. Others (a code page, UTF-16, JCAMP-DX, the block
// finder, a pipe) are read whole.
std::optional<LoadedData> ShownData::Read(const std::string& path, const DataRules& rules,
                                          bool& hadText) {
  readError_.clear();
  struct stat info {};
  if (stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode)) {
    std::string reason;
    if (!rules.FindDataBlock) {
      const auto size = static_cast<std::size_t>(info.st_size);
      if (std::optional<LoadedData> streamed = ReadDataStreamed(FileSource(path, reason), size)) {
        hadText = info.st_size > 0;
        return streamed;
      }
    } else {
      BlockReading reading = ReadDataBlock(FileSource(path, reason), rules.Columns, false);
      if (reading.Streamable) {
        hadText = info.st_size > 0;
        if (!reading.Data) readError_ = !reason.empty() ? reason : reading.Error;
        return std::move(reading.Data);
      }
    }
  }
  std::optional<std::string> text = ReadTextFile(path, readError_);
  if (!text) return std::nullopt;
  hadText = !text->empty();
  LoadedData loaded = ReadDataText(std::move(*text), rules);
  if (!loaded.Failure.empty()) {
    readError_ = std::move(loaded.Failure);
    return std::nullopt;
  }
  return loaded;
}

// Only a file that fails under the plain rules is searched, in one pass that holds no more than
// a piece of it.
void ShownData::NoteBlockFinder(LoadedData& loaded, const std::string& path) {
  std::string reason;
  std::optional<DataBlockSpan> block = ScanDataBlock(FileSource(path, reason));
  if (!block) {
    const auto text = ReadTextFile(path);
    if (!text) return;
    block = FindDataBlock(*text);
  }
  loaded.BlockFinderWouldRead = block->Lines >= 2 && block->Fields >= 2;
}

void ShownData::Take(LoadedData loaded, const std::string& path, const DataRules& rules) {
  data_ = std::move(loaded.Prepared.Data);
  textAgain_ = !loaded.TextLeftOut      ? TextAgain::kKept
               : loaded.TextFromColumns ? TextAgain::kFromColumns
               : rules.FindDataBlock    ? TextAgain::kByFinder
                                        : TextAgain::kFromFile;
  finderColumns_ = rules.Columns;
  columns_ = std::move(loaded.Columns);
  processed_.reset();
  sampleDue_ = false;
  headLines_ = loaded.Prepared.HeadLineCount;
  headText_ = std::move(loaded.Prepared.TextInDataFile);
  symbolsOnly_ = loaded.SymbolsOnly;
  note_ = std::move(loaded.Note);
  blockFinderWouldRead_ = loaded.BlockFinderWouldRead;
  missing_ = loaded.Missing;
  TakeNames(loaded);
  spectrum_ = std::move(loaded.Spectrum);
  fileName_ = FileNamePart(path);
  filePath_ = path;
}

void ShownData::TakeEmpty(LoadedData loaded) {
  data_ = std::move(loaded.Prepared.Data);
  textAgain_ = TextAgain::kKept;
  columns_ = std::move(loaded.Columns);
  processed_.reset();
  sampleDue_ = false;
  missing_ = loaded.Missing;
  headLines_ = loaded.Prepared.HeadLineCount;
  headText_ = std::move(loaded.Prepared.TextInDataFile);
  // Nothing of the last file may be said of this one.
  symbolsOnly_ = false;
  note_.clear();
  blockFinderWouldRead_ = false;
  TakeNames(loaded);
  spectrum_ = std::move(loaded.Spectrum);
}

// {XTitle} is the x column's name, or the unit a JCAMP-DX file gives; {YTitle} likewise for a
// file of one curve. A JCAMP-DX spectrum of one curve names its two columns by their units.
void ShownData::TakeNames(const LoadedData& loaded) {
  columnNames_ = loaded.ColumnNames;
  const SpectrumInfo& s = loaded.Spectrum;
  if (columnNames_.empty() && columns_.CurveCount() == 1 && !s.YUnits.empty()) {
    columnNames_ = {s.XUnits, s.YUnits};
  }
  xTitle_ = !columnNames_.empty() ? columnNames_[0] : loaded.Spectrum.XUnits;
  const bool oneCurve = columns_.CurveCount() == 1;
  yTitle_ = oneCurve && columnNames_.size() >= 2 ? columnNames_[1] : loaded.Spectrum.YUnits;
}

void ShownData::SetText(std::string text) {
  data_ = DataText(std::move(text));
  textAgain_ = TextAgain::kKept;
  columns_ = NumericColumns(data_, missing_);
  processed_.reset();
  sampleDue_ = false;
}

void ShownData::MakeSampleIfDue() const {
  if (!sampleDue_) return;
  sampleDue_ = false;
  data_ = DataText(BuiltInSampleText());
  columns_ = NumericColumns(data_);
}

const NumericColumns& ShownData::Columns() const {
  MakeSampleIfDue();
  return columns_;
}

const ProcessedColumns* ShownData::Processed(const TProcessing& p) const {
  if (!ProcessingOn(p)) return nullptr;
  const NumericColumns& read = Columns();
  if (!processed_ || !(processedWith_ == p)) {
    processed_.reset();  // a copy fewer while the next is made
    processed_ = ProcessColumns(read, p);
    processedWith_ = p;
  }
  return &*processed_;
}

const NumericColumns& ShownData::Drawn(const TProcessing& p) const {
  const ProcessedColumns* processed = Processed(p);
  return processed ? processed->Columns : Columns();
}

const std::vector<std::vector<double>>& ShownData::Baselines(const TProcessing& p) const {
  static const std::vector<std::vector<double>> none;
  const ProcessedColumns* processed = Processed(p);
  return processed ? processed->Baselines : none;
}

const DataText& ShownData::Data() const {
  MakeSampleIfDue();
  const TextAgain again = std::exchange(textAgain_, TextAgain::kKept);
  if (again == TextAgain::kFromColumns) {
    data_ = ColumnsText(columns_);
  } else if (again == TextAgain::kByFinder) {
    std::string reason;
    BlockReading reading = ReadDataBlock(FileSource(filePath_, reason), finderColumns_, true);
    if (reading.Data) data_ = std::move(reading.Data->Prepared.Data);
  } else if (again == TextAgain::kFromFile) {
    if (std::optional<std::string> text = ReadTextFile(filePath_)) {
      data_ = PrepareDataText(std::move(*text)).Data;
    }
  }
  return data_;
}

DataNames ShownData::Names() const {
  DataNames names;
  names.FileName = fileName_;
  names.FileTitle = spectrum_.Title;
  names.HeadText = headText_;
  names.Columns = &columnNames_;
  names.XTitle = xTitle_;
  names.YTitle = yTitle_;
  return names;
}

}  // namespace kurvex
