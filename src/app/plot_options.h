#pragma once

#include <optional>
#include <string>
#include <vector>

namespace kurvex {

/// One --set Section.Key=VALUE.
struct KeySetting {
  std::string Section;
  std::string Key;
  std::string Value;
};

/// What a kurvex-plot command line asks for.
struct PlotOptions {
  std::string OptionsFile;
  std::vector<KeySetting> Settings;
  std::string Output;          // folder, or with one data file an image path
  std::string Format = "bmp";  // bmp, png, svg or pdf
  bool FormatGiven = false;
  bool Overlay = false;
  std::string SaveOptions;
  bool PrintData = false;
  bool PrintHead = false;
  bool FitX = false;          // --fit x or xy, or fitted by default
  bool FitY = false;          // --fit y or xy, or fitted by default
  bool FitGiven = false;      // --fit
  bool FitByDefault = false;  // no style and no range given: each file's data decides
  bool NoFit = false;         // --no-fit: the built-in ranges
  bool Classic = false;       // --classic: the sample's style for data files too
  bool RangeSet = false;      // a --set of an axis Minimum or Maximum
  // --columns: x column, then the curves' columns, by number from 1 or by name.
  std::vector<std::string> Columns;
  int Scale = 1;  // --scale: pixels of a BMP or PNG to one of the layout
  bool Help = false;
  bool Version = false;
  std::vector<std::string> DataFiles;
};

/// Parses the arguments (without the program name); throws std::invalid_argument with a
/// message naming the fault.
PlotOptions ParsePlotArguments(const std::vector<std::string>& args);

/// Whether the data files are drawn with the files style: no options file, no --classic, and
/// data files to draw.
bool UsesFilesStyle(const PlotOptions& options);

/// The usage text.
std::string PlotUsage();

/// Whether --output names the one image itself (a single picture and an image file extension).
bool OutputNamesImage(const PlotOptions& options);

/// The folder the images go to ("" for the current folder).
std::string OutputFolder(const PlotOptions& options);

/// Where the image of `dataFile` goes: the --output path itself for a single file ending in
/// an image file extension, otherwise the output folder plus the data file's image name.
std::string ImagePathFor(const PlotOptions& options, const std::string& dataFile);

/// The format an image path's extension names, else the options' format.
std::string ImageFormatFor(const PlotOptions& options, const std::string& imagePath);

}  // namespace kurvex
