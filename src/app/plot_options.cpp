#include "app/plot_options.h"

#include <charconv>
#include <stdexcept>
#include <string_view>

#include "common/error.h"
#include "common/text_utils.h"
#include "graph/graph_image.h"
#include "graph/output/image_file.h"
#include "graph/style_sections.h"

namespace kurvex {

namespace {

constexpr std::size_t kMaxColumns = 11;  // x and ten curves
constexpr int kMaxScale = 8;             // a 600 x 500 picture: 4800 x 4000 pixels

std::string Lower(std::string s) {
  for (char& c : s) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return s;
}

bool NamesImage(const std::string& path) {
  return ImageFormatOfPath(path).has_value();
}

KeySetting ParseSetting(const std::string& text) {
  const auto dot = text.find('.');
  const auto equals = text.find('=');
  if (dot == std::string::npos || equals == std::string::npos || dot == 0 || equals < dot + 2) {
    throw std::invalid_argument("--set needs Section.Key=VALUE, got '" + text + "'");
  }
  KeySetting setting{text.substr(0, dot), text.substr(dot + 1, equals - dot - 1),
                     text.substr(equals + 1)};
  // A value the key cannot take would be ignored in favour of the default, silently.
  try {
    CheckOptionValue(setting.Section, setting.Key, setting.Value);
  } catch (const Error& e) {
    throw std::invalid_argument("--set " + text + ": " + e.what());
  }
  return setting;
}

// "x", "y" or "xy".
bool SetsAxisRange(const std::vector<KeySetting>& settings) {
  for (const KeySetting& s : settings) {
    const bool axis = Lower(s.Section) == "axisx" || Lower(s.Section) == "axisy";
    const std::string key = Lower(s.Key);
    if (axis && (key == "minimum" || key == "maximum")) return true;
  }
  return false;
}

void ParseFit(const std::string& text, PlotOptions& o) {
  const std::string axes = Lower(text);
  if (axes != "x" && axes != "y" && axes != "xy") {
    throw std::invalid_argument("--fit must be x, y or xy, got '" + text + "'");
  }
  o.FitX = axes != "y";
  o.FitY = axes != "x";
}

int ParseScale(const std::string& text) {
  int scale = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), scale);
  if (text.empty() || error != std::errc() || end != text.data() + text.size() || scale < 1 ||
      scale > kMaxScale) {
    throw std::invalid_argument("--scale must be a whole number from 1 to " +
                                std::to_string(kMaxScale) + ", got '" + text + "'");
  }
  return scale;
}

// "X,Y1[,Y2...]": columns by number from 1 or by name, an x column and one to ten curves.
std::vector<std::string> ParseColumns(const std::string& text) {
  const auto fail = [&text] {
    return std::invalid_argument(
        "--columns needs X,Y1[,Y2...] (column numbers from 1 or names, up to " +
        std::to_string(kMaxColumns) + "), got '" + text + "'");
  };
  std::vector<std::string> columns;
  std::string_view rest(text);
  while (true) {
    const std::string_view item = TrimBlanks(rest.substr(0, rest.find(',')));
    // A field of digits, signs and points is a column number; anything else names a column.
    const bool number = item.find_first_not_of("0123456789+-.") == std::string_view::npos;
    int column = 0;
    const auto [end, error] = std::from_chars(item.data(), item.data() + item.size(), column);
    if (item.empty() ||
        (number && (error != std::errc() || end != item.data() + item.size() || column < 1))) {
      throw fail();
    }
    columns.emplace_back(item);
    const std::size_t comma = rest.find(',');
    if (comma == std::string_view::npos) break;
    rest.remove_prefix(comma + 1);
  }
  if (columns.size() < 2 || columns.size() > kMaxColumns) throw fail();
  return columns;
}

std::string FileNamePart(const std::string& path) {
  const auto slash = path.find_last_of('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

}  // namespace

PlotOptions ParsePlotArguments(const std::vector<std::string>& args) {
  PlotOptions o;
  bool fitGiven = false;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    auto value = [&]() -> const std::string& {
      if (i + 1 >= args.size()) throw std::invalid_argument(a + " needs a value");
      return args[++i];
    };
    if (a == "--options") {
      o.OptionsFile = value();
    } else if (a == "--set") {
      o.Settings.push_back(ParseSetting(value()));
    } else if (a == "--output" || a == "-o") {
      o.Output = value();
    } else if (a == "--format") {
      o.Format = Lower(value());
      o.FormatGiven = true;
      if (!ImageFormatNamed(o.Format)) {
        throw std::invalid_argument("--format must be bmp, png, svg or pdf, got '" + o.Format +
                                    "'");
      }
    } else if (a == "--fit") {
      ParseFit(value(), o);
      fitGiven = true;
    } else if (a == "--no-fit") {
      o.NoFit = true;
    } else if (a == "--classic") {
      o.Classic = true;
    } else if (a == "--find-data") {
      o.Settings.push_back({"Environment", "FindDataBlock", "1"});
    } else if (a == "--columns") {
      o.Columns = ParseColumns(value());
    } else if (a == "--scale") {
      o.Scale = ParseScale(value());
    } else if (a == "--overlay") {
      o.Overlay = true;
    } else if (a == "--save-options") {
      o.SaveOptions = value();
    } else if (a == "--print-data") {
      o.PrintData = true;
    } else if (a == "--print-head") {
      o.PrintHead = true;
    } else if (a == "--help" || a == "-h") {
      o.Help = true;
    } else if (a == "--version") {
      o.Version = true;
    } else if (a == "--") {
      o.DataFiles.insert(o.DataFiles.end(), args.begin() + static_cast<long>(i) + 1, args.end());
      break;
    } else if (a.size() > 1 && a[0] == '-') {
      throw std::invalid_argument("unknown option " + a);
    } else {
      o.DataFiles.push_back(a);
    }
  }
  o.FitGiven = fitGiven;
  o.RangeSet = SetsAxisRange(o.Settings);
  if (fitGiven && o.NoFit) throw std::invalid_argument("--fit and --no-fit exclude each other");
  // A first picture should show the data: the built-in ranges suit one kind of spectrum only.
  // A style, or a range the user set, is kept.
  if (!fitGiven && !o.NoFit && o.OptionsFile.empty() && !o.RangeSet) {
    o.FitX = o.FitY = o.FitByDefault = true;
  }
  if (!o.Overlay && o.DataFiles.size() > 1 && NamesImage(o.Output)) {
    throw std::invalid_argument("--output " + o.Output +
                                " names one image, but each data file gives its own image");
  }
  if (const std::optional<ImageFormat> named = ImageFormatOfPath(o.Output);
      named && OutputNamesImage(o)) {
    const std::string format = ImageFormatName(*named);
    if (o.FormatGiven && format != o.Format) {
      throw std::invalid_argument("--output " + o.Output + " names a " + format +
                                  " image, but --format is " + o.Format);
    }
    o.Format = format;
  }
  return o;
}

std::string PlotUsage() {
  return "Usage: kurvex-plot [--options FILE | --classic] [--set Section.Key=VALUE]...\n"
         "                   [--output PATH] [--format bmp|png|svg|pdf] [--overlay]\n"
         "                   [--save-options FILE] [--fit x|y|xy | --no-fit] [--find-data]\n"
         "                   [--columns X,Y1[,Y2...]] [--scale N] [--print-data] [--print-head]\n"
         "                   [DATAFILE...]\n"
         "\n"
         "Draws each data file and writes it as an image named after the data file\n"
         "(run.1.xy -> run.1.bmp). Without --options the files style draws it: the block of\n"
         "numbers found among the file's notes, both axes fitted, smooth lines, the title\n"
         "from the file (a JCAMP-DX ##TITLE, else the file name), the axis titles from its\n"
         "column names and units, a legend row per column, each curve in its own colour of\n"
         "a colour-blind-safe palette and no head text (the same style as Setting/Files.ini).\n"
         "Without data files the built-in sample spectrum is drawn in the classic style.\n"
         "\n"
         "Axis direction: a fitted infrared spectrum in wavenumbers (JCAMP-DX data type\n"
         "INFRARED, or an x column named wavenumber in cm-1) runs falling, every other x\n"
         "axis rising, whatever the file's order; --fit keeps the direction the axis has;\n"
         "--classic fits as the file's x runs.\n"
         "\n"
         "  --options FILE        load the graph style (Environment section included)\n"
         "  --classic             draw data files with the classic style of the sample, as\n"
         "                        earlier versions did (without --options)\n"
         "  --set S.K=VALUE       change one options key after the style is read; the keys\n"
         "                        of [Processing] (Normalize, Offset, Stack, Baseline,\n"
         "                        Smooth, Derivative, ...) process every file's numbers\n"
         "  --output PATH         folder for the images (created when missing); with one data\n"
         "                        file or --overlay, a path ending in .bmp, .png, .svg or .pdf\n"
         "                        names the image itself and gives its format\n"
         "  --format FORMAT       bmp, png, svg or pdf (default bmp; SVG and PDF at 96 dpi)\n"
         "  --scale N             BMP and PNG N times larger (1 to 8) with the same layout,\n"
         "                        drawn smooth when N is above 1\n"
         "  --overlay             draw all data files into one image\n"
         "  --fit x|y|xy          fit the axis ranges and ticks to each file's data (with\n"
         "                        --overlay, to all files together); without --options and\n"
         "                        without a --set of an axis Minimum or Maximum both axes\n"
         "                        are fitted (not the built-in sample)\n"
         "  --no-fit              keep the style's axis ranges\n"
         "  --find-data           read the longest block of number lines of each file (the\n"
         "                        lines before it are its head, after it a trailer); NaN,\n"
         "                        nan, ---, - and empty fields are gaps (the files style\n"
         "                        always does)\n"
         "  --columns X,Y1,...    draw these columns of each data line, by number from 1 or\n"
         "                        by the head's name (\"Raman Shift,Intensity\"): the x\n"
         "                        column, then one column per curve; --find-data otherwise\n"
         "                        chooses them by the head's names and says so\n"
         "  --save-options FILE   write the graph style to FILE (no sample image unless --output)\n"
         "  --print-data          print the prepared data rows (no image unless --output)\n"
         "  --print-head          print the head text of the data file (no image unless --output)\n"
         "  --help, --version\n"
         "\n"
         "Exit status: 0 success, 1 a file failed, 2 bad usage.\n";
}

bool UsesFilesStyle(const PlotOptions& o) {
  return o.OptionsFile.empty() && !o.Classic && !o.DataFiles.empty();
}

bool OutputNamesImage(const PlotOptions& o) {
  const bool onePicture = o.Overlay || o.DataFiles.size() <= 1;
  return onePicture && NamesImage(o.Output);
}

std::string OutputFolder(const PlotOptions& o) {
  if (!OutputNamesImage(o)) return o.Output;
  const auto slash = o.Output.find_last_of('/');
  return slash == std::string::npos ? std::string() : o.Output.substr(0, slash + 1);
}

std::string ImagePathFor(const PlotOptions& o, const std::string& dataFile) {
  if (OutputNamesImage(o)) return o.Output;
  const std::string name = ImageFileName(FileNamePart(dataFile), "." + o.Format);
  if (o.Output.empty()) return name;
  return AddBackslash(o.Output) + name;
}

std::string ImageFormatFor(const PlotOptions& o, const std::string& imagePath) {
  const std::optional<ImageFormat> named = ImageFormatOfPath(imagePath);
  return named ? ImageFormatName(*named) : o.Format;
}

}  // namespace kurvex
