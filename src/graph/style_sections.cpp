#include "graph/style_sections.h"

#include <cmath>
#include <string_view>
#include <variant>
#include <vector>

#include "common/error.h"
#include "common/number_text.h"
#include "common/text_utils.h"

namespace kurvex {

namespace {

// Colours are integers in the file, so one int32 binding serves both kinds.
// Keys beyond the original format hold doubles and lists of them (written ';'-separated).
using FieldRef =
    std::variant<bool*, int32_t*, std::string*, Real48*, double*, std::vector<double>*>;

enum class Form {
  kPlain,
  kMultiLine,  // line breaks travel as "|"
  kReadOnly,   // only a hand-edited file sets it; saving never writes it
};

struct Binding {
  std::string_view key;
  FieldRef field;
  Form form = Form::kPlain;
};

struct SectionBinding {
  std::string name;
  std::vector<Binding> keys;  // in file order
};

// The key lists below are the file format: names, order and irregular spellings are exactly
// what existing options files hold. Each binds a key to a field of one model instance, so the
// same list serves the loaded model, the defaults (a start model) and the saved model.

SectionBinding EnvironmentKeys(GraphModel& m) {
  return {"Environment",
          {{"LoadAllOptions", &m.LoadAllOptions},
           {"AutoRepaint", &m.AutoRepaint},
           {"OnlyCurves", &m.OnlyCurves},
           {"BackGroundColor", &m.BackGroundColor},
           {"StatusBarVisible", &m.StatusBarVisible},
           {"FindDataBlock", &m.FindDataBlock},
           {"FitAxesToData", &m.FitAxesToData},
           {"XColumn", &m.XColumn},
           {"YColumns", &m.YColumns},
           {"FitDirectionByKind", &m.FitDirectionByKind}}};
}

SectionBinding ImageKeys(GraphModel& m) {
  return {"Image",
          {{"Left", &m.ImageLeft},
           {"Top", &m.ImageTop},
           {"Width", &m.ImageWidth},
           {"Height", &m.ImageHeight},
           {"Color", &m.ImageColor},
           {"BorderVisible", &m.ImageBorderVisible},
           {"BorderWidth", &m.ImageBorderWidth},
           {"BorderColor", &m.ImageBorderColor},
           {"Smooth", &m.ImageSmooth}}};
}

SectionBinding TitleKeys(TMyTitle& t) {
  return {"Title",
          {{"Text", &t.Text},
           {"Visible", &t.Visible},
           {"Left", &t.Left},
           {"TitleLeftAuto", &t.LeftAuto},
           {"Top", &t.Top},
           {"TopAuto", &t.TopAuto},
           {"FontName", &t.Font.Name},
           {"CharSet", &t.Font.Charset},
           {"FontSize", &t.Font.Size},
           {"FontColor", &t.Font.Color},
           {"Bold", &t.Font.Bold},
           {"Italic", &t.Font.Italic},
           {"Underline", &t.Font.Underline}}};
}

// The two axes differ only in the position keys of the axis and of its title.
SectionBinding AxisKeys(const char* section, TMyAxis& a, bool vertical) {
  TMyFont& labelFont = a.TickLabels.Font;
  TMyTitle& title = a.Title;
  return {
      section,
      {{"Visible", &a.Visible},
       {"Minimum", &a.Minimum},
       {"Maximum", &a.Maximum},
       vertical ? Binding{"Bottom", &a.Bottom} : Binding{"Left", &a.Left},
       {"Length", &a.Length},
       {"Width", &a.Width},
       {"Color", &a.Color},
       {"TickVisible", &a.TickVisible},
       {"TickLength", &a.TickLength},
       {"TickWidth", &a.TickWidth},
       {"TickCount", &a.TickCount},
       {"TicklabelsVisible", &a.TickLabels.Visible},
       {"TickLabelFontName", &labelFont.Name},
       {"TickLabelCharSet", &labelFont.Charset},
       {"TickLabelFontSize", &labelFont.Size},
       {"TickLabelFontColor", &labelFont.Color},
       {"TickLabelBold", &labelFont.Bold},
       {"TickLabelFontItalic", &labelFont.Italic},
       {"TickLabelFontUnderline", &labelFont.Underline},
       {"TickLabelDecDigits", &a.TickLabels.DecDigits},
       {"TickLabelDistance", &a.TickLabels.Distance},
       {"TitleVisible", &title.Visible},
       {"Title", &title.Text},
       {"TitleFontName", &title.Font.Name},
       {"TitleCharSet", &title.Font.Charset},
       {"TitleFontSize", &title.Font.Size},
       {"TitleFontColor", &title.Font.Color},
       {"Bold", &title.Font.Bold},
       {"Italic", &title.Font.Italic},
       {"Underline", &title.Font.Underline},
       {"TitleLeft", &title.Left},
       {"TitleLeftAuto", &title.LeftAuto},
       vertical ? Binding{"TitleBottom", &title.Top} : Binding{"TitleTop", &title.Top},
       vertical ? Binding{"TitleBottomAuto", &title.TopAuto} : Binding{"TopAuto", &title.TopAuto},
       {"Logarithmic", &a.Logarithmic}}};
}

SectionBinding CurvesKeys(GraphModel& m) {
  return {"Curves",
          {{"FontName", &m.CurvesFont.Name, Form::kReadOnly},
           {"CharSet", &m.CurvesFont.Charset, Form::kReadOnly},
           {"FontSize", &m.CurvesFont.Size},
           {"DefaultSize", &m.DefaultSize},
           {"Width", &m.CurveLineWidth}}};
}

SectionBinding CurveKeys(int n, TCurve& c) {
  return {"Curve" + std::to_string(n),
          {{"Symbol", &c.Symbol},
           {"SymbolVisible", &c.SymbolVisible},
           {"LineVisible", &c.LineVisible},
           {"LegendText", &c.LegendText},
           {"Type", &c.Type},
           {"Color", &c.Color}}};
}

SectionBinding LegendKeys(TMyLegend& l) {
  return {"Legend",
          {{"Visible", &l.Visible},
           {"Left", &l.Left},
           {"TitleLeftAuto", &l.LeftAuto},
           {"Top", &l.Top},
           {"TopAuto", &l.TopAuto},
           {"FontName", &l.Font.Name},
           {"CharSet", &l.Font.Charset},
           {"FontSize", &l.Font.Size},
           {"FontColor", &l.Font.Color},
           {"Bold", &l.Font.Bold},
           {"Italic", &l.Font.Italic},
           {"Underline", &l.Font.Underline}}};
}

SectionBinding TextKeys(TMyTitle& t) {
  return {"Text",
          {{"Text", &t.Text, Form::kMultiLine},
           {"Left", &t.Left},
           {"Top", &t.Top},
           {"TitleLeftAuto", &t.LeftAuto},
           {"TopAuto", &t.TopAuto},
           {"FontName", &t.Font.Name},
           {"CharSet", &t.Font.Charset},
           {"FontSize", &t.Font.Size},
           {"Color", &t.Font.Color},
           {"Bold", &t.Font.Bold},
           {"Italic", &t.Font.Italic},
           {"Underline", &t.Font.Underline},
           {"Visible", &t.Visible}}};
}

// Written only when it does something (see WriteOptionsSections).
SectionBinding ProcessingKeys(TProcessing& p) {
  return {"Processing",
          {{"Normalize", &p.Normalize},
           {"NormalizeAt", &p.NormalizeAt},
           {"Offset", &p.Offset},
           {"Stack", &p.Stack},
           {"StackStep", &p.StackStep},
           {"Baseline", &p.Baseline},
           {"BaselineX1", &p.BaselineX1},
           {"BaselineX2", &p.BaselineX2},
           {"BaselineDegree", &p.BaselineDegree},
           {"BaselinePoints", &p.BaselinePoints},
           {"ShowBaseline", &p.ShowBaseline},
           {"Smooth", &p.Smooth},
           {"SmoothWindow", &p.SmoothWindow},
           {"SmoothOrder", &p.SmoothOrder},
           {"Derivative", &p.Derivative}}};
}

std::vector<SectionBinding> GraphSections(GraphModel& m) {
  std::vector<SectionBinding> sections;
  sections.push_back(TitleKeys(m.Title));
  sections.push_back(AxisKeys("AxisX", m.AxisX, false));
  sections.push_back(AxisKeys("AxisY", m.AxisY, true));
  sections.push_back(CurvesKeys(m));
  for (int n = 1; n <= kCurveCount; ++n) sections.push_back(CurveKeys(n, m.Curve[n]));
  sections.push_back(LegendKeys(m.Legend));
  sections.push_back(TextKeys(m.Text));
  sections.push_back(ProcessingKeys(m.Processing));
  return sections;
}

// Every section in the order of a save.
std::vector<SectionBinding> AllSections(GraphModel& m) {
  std::vector<SectionBinding> sections = {EnvironmentKeys(m), ImageKeys(m)};
  for (SectionBinding& s : GraphSections(m)) sections.push_back(std::move(s));
  return sections;
}

template <class... Handlers>
struct Overloaded : Handlers... {
  using Handlers::operator()...;
};
template <class... Handlers>
Overloaded(Handlers...) -> Overloaded<Handlers...>;

// Any line break would end the value early and could even start a bogus section, so a lone CR
// or LF travels as "|" just like the CR LF pair.
std::string MultiLineToFile(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
    out += (c == '\r' || c == '\n') ? '|' : c;
  }
  return out;
}

std::string MultiLineFromFile(std::string_view text) {
  return ReplaceAll(text, "|", "\r\n");
}

double DoubleFromFile(std::string_view text) {
  const long double value = OptionTextToFloat(text);
  if (!std::isfinite(static_cast<double>(value))) throw Error("Floating point overflow");
  return static_cast<double>(value);
}

std::string ListToFile(const std::vector<double>& values) {
  std::string text;
  for (const double v : values) {
    if (!text.empty()) text += ';';
    text += FloatToText(v);
  }
  return text;
}

// Blanks around the items and empty items (a trailing ';') are allowed; an item that is no
// number fails the whole key.
std::vector<double> ListFromFile(std::string_view text) {
  std::vector<double> values;
  while (!text.empty()) {
    const std::string_view item = TrimBlanks(SplitAt(";", text));
    if (!item.empty()) values.push_back(DoubleFromFile(item));
  }
  return values;
}

// Stores the key's value (or the default's, when the file lacks it) into the model at once.
void LoadKey(const ProfileFile& file, const std::string& section, const Binding& target,
             const Binding& fallback) {
  std::visit(
      Overloaded{
          [&](bool* field) {
            *field = file.ReadBool(section, target.key, *std::get<bool*>(fallback.field));
          },
          [&](int32_t* field) {
            *field = file.ReadInteger(section, target.key, *std::get<int32_t*>(fallback.field));
          },
          [&](std::string* field) {
            const std::string& byDefault = *std::get<std::string*>(fallback.field);
            if (target.form == Form::kMultiLine) {
              *field = MultiLineFromFile(
                  file.ReadString(section, target.key, MultiLineToFile(byDefault)));
            } else {
              *field = file.ReadString(section, target.key, byDefault);
            }
          },
          [&](Real48* field) {
            const std::string text = file.ReadString(
                section, target.key, FloatToText(*std::get<Real48*>(fallback.field)));
            *field = Real48::From(OptionTextToFloat(text));
          },
          [&](double* field) {
            const std::string text = file.ReadString(
                section, target.key, FloatToText(*std::get<double*>(fallback.field)));
            *field = DoubleFromFile(text);
          },
          [&](std::vector<double>* field) {
            const std::string text = file.ReadString(
                section, target.key, ListToFile(*std::get<std::vector<double>*>(fallback.field)));
            *field = ListFromFile(text);
          },
      },
      target.field);
}

void WriteKey(ProfileFile& file, const std::string& section, const Binding& source) {
  std::visit(Overloaded{
                 [&](bool* field) { file.WriteBool(section, source.key, *field); },
                 [&](int32_t* field) { file.WriteInteger(section, source.key, *field); },
                 [&](std::string* field) {
                   file.WriteString(
                       section, source.key,
                       source.form == Form::kMultiLine ? MultiLineToFile(*field) : *field);
                 },
                 [&](Real48* field) { file.WriteString(section, source.key, FloatToText(*field)); },
                 [&](double* field) { file.WriteString(section, source.key, FloatToText(*field)); },
                 [&](std::vector<double>* field) {
                   file.WriteString(section, source.key, ListToFile(*field));
                 },
             },
             source.field);
}

// The defaults are the values at start, bound through the same key lists as the model. A value
// that does not convert names its place in the file; the keys after it keep their values or,
// as after a missing key, take their defaults.
void LoadSections(const ProfileFile& file, const std::vector<SectionBinding>& targets,
                  const std::vector<SectionBinding>& defaults, AfterFailure after) {
  for (std::size_t s = 0; s < targets.size(); ++s) {
    const SectionBinding& section = targets[s];
    for (std::size_t k = 0; k < section.keys.size(); ++k) {
      try {
        LoadKey(file, section.name, section.keys[k], defaults[s].keys[k]);
      } catch (const Error& e) {
        const std::string_view key = section.keys[k].key;
        const std::string message = "[" + section.name + "] " + std::string(key) + "=" +
                                    file.ReadString(section.name, key, "") + ": " + e.what();
        if (after == AfterFailure::kDefaults) {
          const ProfileFile none("");
          for (std::size_t t = s; t < targets.size(); ++t) {
            for (std::size_t j = t == s ? k : 0; j < targets[t].keys.size(); ++j) {
              LoadKey(none, targets[t].name, targets[t].keys[j], defaults[t].keys[j]);
            }
          }
        }
        throw Error(message);
      }
    }
  }
}

// The file holds only each curve's symbol index; the glyph follows from it so that the markers
// show without a visit to the Curves page.
void LoadWithSymbols(GraphModel& model, const ProfileFile& file,
                     const std::vector<SectionBinding>& targets,
                     const std::vector<SectionBinding>& defaults, AfterFailure after) {
  try {
    LoadSections(file, targets, defaults, after);
  } catch (...) {  // whatever failed, the symbols shown must match the indices loaded
    ApplySymbolTexts(model);
    throw;
  }
  ApplySymbolTexts(model);
}

}  // namespace

void LoadEnvironmentSection(GraphModel& model, const ProfileFile& file) {
  GraphModel start = StartModel();
  LoadSections(file, {EnvironmentKeys(model)}, {EnvironmentKeys(start)},
               AfterFailure::kKeepPrevious);
}

void LoadImageSection(GraphModel& model, const ProfileFile& file) {
  GraphModel start = StartModel();
  LoadSections(file, {ImageKeys(model)}, {ImageKeys(start)}, AfterFailure::kKeepPrevious);
}

void LoadGraphSections(GraphModel& model, const ProfileFile& file) {
  GraphModel start = StartModel();
  LoadWithSymbols(model, file, GraphSections(model), GraphSections(start),
                  AfterFailure::kKeepPrevious);
}

void LoadOptionsFile(GraphModel& model, const ProfileFile& file, AfterFailure after) {
  GraphModel start = StartModel();
  std::vector<SectionBinding> targets = AllSections(model);
  std::vector<SectionBinding> defaults = AllSections(start);
  if (!model.LoadAllOptions) {
    targets.erase(targets.begin());
    defaults.erase(defaults.begin());
  }
  LoadWithSymbols(model, file, targets, defaults, after);
}

void LoadOptionsFile(GraphModel& model, const std::string& fileName, AfterFailure after) {
  const ProfileFile file(fileName);
  LoadOptionsFile(model, file, after);
}

void CheckOptionValue(std::string_view section, std::string_view key, std::string_view value) {
  GraphModel start = StartModel();
  for (const SectionBinding& s : AllSections(start)) {
    if (!EqualsIgnoringCase(s.name, section)) continue;
    for (const Binding& b : s.keys) {
      if (!EqualsIgnoringCase(b.key, key)) continue;
      std::visit(Overloaded{
                     [&](bool*) { TextToInt(value); },
                     [&](int32_t*) { TextToInt(value); },
                     [&](std::string*) {},
                     [&](Real48*) { Real48::From(OptionTextToFloat(value)); },
                     [&](double*) { DoubleFromFile(value); },
                     [&](std::vector<double>*) { ListFromFile(value); },
                 },
                 b.field);
      return;
    }
  }
}

void WriteOptionsSections(const GraphModel& model, ProfileFile& file) {
  // The key lists bind mutable fields, so they bind a copy rather than cast constness away.
  GraphModel source = model;
  for (const SectionBinding& section : AllSections(source)) {
    // A style that processes nothing is written as before processing existed; a section left
    // from an earlier save would come back at the next load.
    if (section.name == "Processing" && model.Processing == TProcessing{}) {
      file.EraseSection(section.name);
      continue;
    }
    for (const Binding& key : section.keys) {
      if (key.form != Form::kReadOnly) WriteKey(file, section.name, key);
    }
  }
}

void SaveOptionsFile(const GraphModel& model, const std::string& fileName) {
  ProfileFile file(fileName);
  WriteOptionsSections(model, file);
  file.Save();
}

}  // namespace kurvex
