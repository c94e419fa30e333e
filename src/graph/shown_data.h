#pragma once

#include <optional>
#include <string>
#include <vector>

#include "graph/data/data_text.h"
#include "graph/data/loaded_data.h"
#include "graph/data/numeric_columns.h"
#include "graph/placeholders.h"
#include "graph/process/process_columns.h"

namespace kurvex {

/// The data the graph shows: the loaded file's name and path, head text, numbers, column names
/// and what reading it found out; the built-in sample until a file is taken. It knows nothing of
/// drawing: the engine draws what it holds.
class ShownData {
 public:
  /// Reads a data file by `rules` without taking it. `hadText` tells whether the file held at
  /// least one (maybe empty) line; nothing when it cannot be read (ReadError() says why).
  std::optional<LoadedData> Read(const std::string& path, const DataRules& rules, bool& hadText);
  /// Whether a file the plain rules stop in holds a block the block finder reads: it is read
  /// again for that.
  static void NoteBlockFinder(LoadedData& loaded, const std::string& path);
  /// Takes a file that was read: its data, numbers, names and notes replace all of the last.
  void Take(LoadedData loaded, const std::string& path, const DataRules& rules);
  /// Takes the numbers of a file that held no line: the file's name stays the last one's, as
  /// loading an empty file changes no text that names it; the notes of the last file go.
  void TakeEmpty(LoadedData loaded);
  /// A change of the data text from outside a load: converted with the file's missing values.
  void SetText(std::string text);

  /// The data text; a plain file's is read again when first asked for after its load.
  const DataText& Data() const;
  /// The numbers as read.
  const NumericColumns& Columns() const;
  /// The numbers as drawn with the processing `p`: those read while `p` does nothing, else a
  /// processed copy, made again only when the data or `p` changed since the last.
  const NumericColumns& Drawn(const TProcessing& p) const;
  /// The baselines drawn with the curves of Drawn(p) (ProcessedColumns::Baselines).
  const std::vector<std::vector<double>>& Baselines(const TProcessing& p) const;
  const std::string& FileName() const { return fileName_; }
  const std::string& FilePath() const { return filePath_; }
  const std::string& HeadText() const { return headText_; }
  void SetHeadText(std::string text) { headText_ = std::move(text); }
  const std::string& ReadError() const { return readError_; }
  const std::string& Note() const { return note_; }
  bool SymbolsOnly() const { return symbolsOnly_; }
  bool BlockFinderWouldRead() const { return blockFinderWouldRead_; }
  const SpectrumInfo& Spectrum() const { return spectrum_; }
  /// File lines before the data text: errors name the line of the file.
  std::size_t HeadLines() const { return headLines_; }
  /// What the graph's texts may name; valid while this object and its data stay.
  DataNames Names() const;

 private:
  void MakeSampleIfDue() const;
  void TakeNames(const LoadedData& loaded);
  const ProcessedColumns* Processed(const TProcessing& p) const;

  mutable DataText data_;
  // How data_, not kept at the load, is made when first shown.
  enum class TextAgain { kKept, kFromFile, kByFinder, kFromColumns };
  mutable TextAgain textAgain_ = TextAgain::kKept;
  ColumnRequest finderColumns_;  // the columns the block finder read
  mutable NumericColumns columns_;
  // The built-in sample is made when first needed: a run that loads a file never formats it.
  mutable bool sampleDue_ = true;
  // The last processed copy and what it was made with; dropped whenever the numbers change.
  mutable std::optional<ProcessedColumns> processed_;
  mutable TProcessing processedWith_;
  std::string fileName_ = "Demo1.txt";
  std::string filePath_;
  std::string headText_;
  std::string readError_;
  std::string note_;
  bool symbolsOnly_ = false;
  SpectrumInfo spectrum_;
  bool blockFinderWouldRead_ = false;
  std::vector<std::string> columnNames_;
  std::string xTitle_;
  std::string yTitle_;
  MissingValues missing_ = MissingValues::kAreErrors;
  std::size_t headLines_ = 0;
};

}  // namespace kurvex
