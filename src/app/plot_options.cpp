#include "app/plot_options.h"

#include <stdexcept>

#include "common/text_utils.h"
#include "graph/graph_image.h"
#include "graph/image_file.h"

namespace kurvex {

namespace {

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
  return {text.substr(0, dot), text.substr(dot + 1, equals - dot - 1), text.substr(equals + 1)};
}

std::string FileNamePart(const std::string& path) {
  const auto slash = path.find_last_of('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

}  // namespace

PlotOptions ParsePlotArguments(const std::vector<std::string>& args) {
  PlotOptions o;
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
  return "Usage: kurvex-plot [--options FILE] [--set Section.Key=VALUE]... [--output PATH]\n"
         "                   [--format bmp|png|svg|pdf] [--overlay] [--save-options FILE]\n"
         "                   [--print-data] [--print-head] [DATAFILE...]\n"
         "\n"
         "Draws each data file with the graph style of an options file and writes it as an\n"
         "image named after the data file (run.1.xy -> run.1.bmp). Without data files the\n"
         "built-in sample spectrum is drawn.\n"
         "\n"
         "  --options FILE        load the graph style (Environment section included)\n"
         "  --set S.K=VALUE       change one options key after the file is read\n"
         "  --output PATH         folder for the images (created when missing); with one data\n"
         "                        file, a path ending in .bmp, .png, .svg or .pdf names the\n"
         "                        image itself and gives its format\n"
         "  --format FORMAT       bmp, png, svg or pdf (default bmp; SVG and PDF at 96 dpi)\n"
         "  --overlay             draw all data files into one image\n"
         "  --save-options FILE   write the graph style to FILE\n"
         "  --print-data          print the prepared data rows (no image unless --output)\n"
         "  --print-head          print the head text of the data file (no image unless --output)\n"
         "  --help, --version\n"
         "\n"
         "Exit status: 0 success, 1 a file failed, 2 bad usage.\n";
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
