#include "app/kurvex_args.h"

#include <array>
#include <stdexcept>
#include <string_view>

namespace kurvex {

namespace {

struct QtOption {
  std::string_view Name;
  bool TakesValue;
};

// The options QApplication and its X11 platform take out of the command line themselves.
constexpr std::array<QtOption, 21> kQtOptions{{
    {"platform", true},      {"platformpluginpath", true},
    {"platformtheme", true}, {"plugin", true},
    {"qmljsdebugger", true}, {"qwindowgeometry", true},
    {"geometry", true},      {"qwindowtitle", true},
    {"title", true},         {"qwindowicon", true},
    {"icon", true},          {"session", true},
    {"display", true},       {"name", true},
    {"style", true},         {"stylesheet", true},
    {"reverse", false},      {"sync", false},
    {"nograb", false},       {"dograb", false},
    {"widgetcount", false},
}};

const QtOption* FindQtOption(std::string_view name) {
  for (const QtOption& option : kQtOptions) {
    if (option.Name == name) return &option;
  }
  return nullptr;
}

// Qt reads "--name" as "-name" and takes "-name=value" for some options; both are accepted.
bool SkipQtOption(const std::vector<std::string>& args, std::size_t& i) {
  std::string_view name = std::string_view(args[i]).substr(args[i].starts_with("--") ? 2 : 1);
  const std::size_t equals = name.find('=');
  const bool inlineValue = equals != std::string_view::npos;
  const QtOption* option = FindQtOption(name.substr(0, equals));
  if (option == nullptr || (inlineValue && !option->TakesValue)) return false;
  if (option->TakesValue && !inlineValue) {
    if (i + 1 >= args.size()) throw std::invalid_argument(args[i] + " needs a value");
    ++i;
  }
  return true;
}

}  // namespace

KurvexArguments ParseKurvexArguments(const std::vector<std::string>& args) {
  KurvexArguments parsed;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    if (a == "--help" || a == "-h") {
      parsed.Help = true;
    } else if (a == "--version") {
      parsed.Version = true;
    } else if (a == "--") {
      parsed.DataFiles.insert(parsed.DataFiles.end(), args.begin() + static_cast<long>(i) + 1,
                              args.end());
      break;
    } else if (a.size() > 1 && a[0] == '-') {
      if (!SkipQtOption(args, i)) throw std::invalid_argument("unknown option " + a);
    } else {
      parsed.DataFiles.push_back(a);
    }
  }
  return parsed;
}

std::string KurvexUsage() {
  return "Usage: kurvex [--help] [--version] [Qt option]... [DATAFILE...]\n"
         "\n"
         "Starts the Kurvex desktop program. With a data file, that file opens at once and its\n"
         "folder becomes the data folder; of several files the first opens.\n"
         "\n"
         "  --help        show this text and exit\n"
         "  --version     show the version and exit\n"
         "  --            the arguments after it are data files\n"
         "\n"
         "Qt's own options are accepted, for example -platform NAME, -style NAME, -reverse.\n"
         "\n"
         "Exit status: 0 success, 2 bad usage.\n";
}

}  // namespace kurvex
