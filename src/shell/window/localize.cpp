#include "shell/window/localize.h"

#include <algorithm>

#include <QAbstractButton>
#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QVariant>
#include <QWidget>

#include "common/ini_file.h"
#include "shell/kit/qt_convert.h"

namespace kurvex::shell {

using C = ItemCaptions;

// Controls that came later than the language files' first keys are named by their own object
// name; a new control needs a row here, nothing else.
const std::vector<ControlCaption> kControlCaptions = {
    {"AutoSaveImage", "Auto save images", nullptr, {"CheckBoxAutoSaveImage"}},
    {"SaveImageToDataDir", "to data Directory", nullptr, {"CheckBoxSaveImageToDataDir"}},
    {"", nullptr, &C::Environment, {"LabelEnvironment"}},
    {"Language", "Language", nullptr, {"LabelLanguage"}},
    {"LoadAllOptions", "Load all options", nullptr, {"CheckBoxLoadAllOptions"}},
    {"AutoSaveOptions", "Auto save options", nullptr, {"CheckBoxAutoSave"}},
    {"BackGroundColor", "Background color", nullptr, {"LabelBackGroundColor"}},
    {"StatusBarVisible", "Show status bar", nullptr, {"CheckBoxStatusBarVisible"}},
    {"AutoRepaint", "Auto repaint", nullptr, {"CheckBoxAutoRepaint"}},
    {"OnlyCurves", "Repaint only curves", nullptr, {"CheckBoxOnlyCurves"}},
    {"Find", "Find", nullptr, {"LabelFind"}},
    {"", nullptr, &C::Image, {"LabelImage"}},
    {"Left",
     "Left",
     nullptr,
     {"LabelImageLeft", "LabelTitleLeft", "LabelAxisXTitleLeft", "LabelAxisYTitleLeft",
      "LabelAxisYLeft", "LabelLegendLeft", "LabelTextLeft"}},
    {"Top",
     "Top",
     nullptr,
     {"LabelImageTop", "LabelTitleTop", "LabelAxisXTitleTop", "LabelLegendTop", "LabelTextTop"}},
    {"Top", "Bottom", nullptr, {"LabelAxisYTitleBottom"}},
    {"Width", "Width", nullptr, {"LabelImageWidth"}},
    {"Height", "Height", nullptr, {"LabelImageHeight"}},
    {"Color",
     "Color",
     nullptr,
     {"LabelImageColor", "LabelAxisXColor", "LabelAxisYColor", "LabelCurveColor"}},
    {"Border", "Border", nullptr, {"CheckBoxGraphBorder"}},
    {"BorderWidth", "Border width", nullptr, {"LabelBorderWidth"}},
    {"BorderColor", "Border color", nullptr, {"LabelBorderColor"}},
    {"", nullptr, &C::Title, {"LabelTitle"}},
    {"Visible",
     "Visible",
     nullptr,
     {"CheckBoxTitleVisible", "CheckBoxAxisXTitleVisible", "CheckBoxAxisXTickLabelVisible",
      "CheckBoxAxisXTickVisible", "CheckBoxAxisXVisible", "CheckBoxAxisYTitleVisible",
      "CheckBoxAxisYTickLabelVisible", "CheckBoxAxisYTickVisible", "CheckBoxLegendVisible",
      "CheckBoxTextVisible"}},
    {"TitleText", "Caption", nullptr, {"LabelTitleText"}},
    {"AxisXTitle", "Axis X title", nullptr, {"LabelAxisXTitle"}},
    {"Text", "Text", nullptr, {"LabelAxisXTitleText", "LabelAxisYTitleText"}},
    {"AxisXValues", "Axis X values", nullptr, {"LabelAxisXValues"}},
    {"Minimum", "From", nullptr, {"LabelAxisXMin", "LabelAxisYMin"}},
    {"Maximum", "To", nullptr, {"LabelAxisXMax", "LabelAxisYMax"}},
    {"TickLabels", "Labels", nullptr, {"LabelAxisXLabels", "LabelAxisYLabels"}},
    {"TickLabelDecDigits", "Dec.digits", nullptr, {"LabelAxisXDecDigits", "LabelAxisYDecDigits"}},
    {"Tick", "Tick", nullptr, {"LabelAxisXTick", "LabelAxisYTick"}},
    {"TickCount", "Count", nullptr, {"LabelAxisXTickCount", "LabelAxisYTickCount"}},
    {"TickLength", "Length", nullptr, {"LabelAxisXTickLength", "LabelAxisYTickLength"}},
    {"AxisXLine", "Axis X line", nullptr, {"LabelAxisXLine"}},
    {"Bottom", "Bottom", nullptr, {"LabelAxisXBottom"}},
    {"Length", "Length", nullptr, {"LabelAxisXLength", "LabelAxisYLength"}},
    {"Thick", "Thick", nullptr, {"LabelAxisXWidth", "LabelAxisYWidth"}},
    {"AxisYTitle", "Axis Y title", nullptr, {"LabelAxisYTitle"}},
    {"AxisYValues", "Axis Y values", nullptr, {"LabelAxisYValues"}},
    {"AxisYLine", "Axis Y line", nullptr, {"LabelAxisYLine"}},
    {"LineVisible", "Visible", nullptr, {"CheckBoxAxisYVisible"}},
    {"", nullptr, &C::Curves, {"LabelCurves"}},
    {"SymbolSize", "Symbol size", nullptr, {"LabelCurveSymbolSize"}},
    {"LineThick", "Line thickness", nullptr, {"LabelCurveLineWidth"}},
    {"Index", "Index", nullptr, {"LabelCurve"}},
    {"Symbol", "Symbol", nullptr, {"LabelCurveSymbol"}},
    {"Line", "Line", nullptr, {"CheckBoxLine"}},
    {"Points", "Points", nullptr, {"CheckBoxPoint"}},
    {"Legend", "Legend text", nullptr, {"LabelCurveLegend"}},
    {"", nullptr, &C::Legend, {"LabelLegend"}},
    {"", nullptr, &C::Text, {"LabelText"}},
    {"", nullptr, &C::Data, {"LabelData"}},
    // The "LoadIni" page's labels and the Data page's "Disk" keep their texts in every language.
    {"Path", "Path", nullptr, {"LabelPath"}},
    {"DataFile", "File", nullptr, {"LabelDataFile", "LabelFile"}},
    {"FilesFilter", "Type", nullptr, {"LabelFilesFilter"}},
    {"ButtonAxisXFit", nullptr, nullptr, {}},
    {"ButtonAxisYFit", nullptr, nullptr, {}},
    {"CheckBoxFitAxes", nullptr, nullptr, {}},
    {"LabelAutoSaveFormat", nullptr, nullptr, {}},
    {"LabelMessageNotFound", nullptr, nullptr, {}},
    {"ActionCopyImage", nullptr, nullptr, {}},
    {"ActionSaveImageAs", nullptr, nullptr, {}},
    // From here on a key is the object name without the kind of control in front.
    {"LoadIni", "Load options", nullptr, {"LabelLoadIni"}},
    {"MenuBarVisible", "Show menu bar", nullptr, {"CheckBoxMenuBarVisible"}},
    {"FindDataBlock", "Find the data in instrument files", nullptr, {"LabelFindDataBlock"}},
    {"AxisXReverse", "Reverse", nullptr, {"ButtonAxisXReverse"}},
    {"AxisYReverse", "Reverse", nullptr, {"ButtonAxisYReverse"}},
    {"AxisXLogarithmic", "Logarithmic", nullptr, {"CheckBoxAxisXLogarithmic"}},
    {"AxisYLogarithmic", "Logarithmic", nullptr, {"CheckBoxAxisYLogarithmic"}},
    {"Smooth", "Smooth drawing", nullptr, {"CheckBoxSmooth", "ActionSmooth"}},
    {"Scale", "Scale", nullptr, {"LabelScale"}},
};

// "&" marks the letter that opens a menu or picks an item with the Alt key.
const std::vector<MenuCaption> kMenuCaptions = {
    {"MenuBar", "&Menu bar", "MenuBarMain"},
    {"File", "&File", "MenuFile"},
    {"Open", "&Open…", "MenuOpen"},
    {"OpenRecent", "Open &recent", "MenuOpenRecent"},
    {"LoadStyle", "&Load style…", "MenuLoadStyle"},
    {"SaveStyle", "Sa&ve style as…", "MenuSaveStyle"},
    {"Quit", "&Quit", "MenuQuit"},
    {"Edit", "&Edit", "MenuEdit"},
    {"Undo", "&Undo", "MenuUndo"},
    {"Redo", "&Redo", "MenuRedo"},
    {"FitToData", "&Fit to data", "MenuFitToData"},
    {"ReverseX", "Reverse &x axis", "MenuReverseX"},
    {"View", "&View", "MenuView"},
    {"StatusBar", "&Status bar", "MenuStatusBar"},
    {"MenuBar", "&Menu bar", "MenuMenuBar"},
    {"Manual", "M&anual", "MenuManual"},
    {"Log", "&Log", "MenuLog"},
    {"Language", "L&anguage", "MenuLanguage"},
    {"Style", "S&tyle", "MenuStyle"},
    {"Data", "&Data", "MenuData"},
    {"Columns", "&Columns…", "MenuColumns"},
    {"Help", "&Help", "MenuHelpMenu"},
    {"HelpTopic", "&Help on this page", "MenuHelp"},
    {"FindFirst", "&Find in manual", "MenuFindFirst"},
    {"FindNext", "Find &next", "MenuFindNext"},
    {"About", "&About Kurvex", "MenuAbout"},
    {"FitToData", "&Fit to data", "ActionGraphFitToData"},
    {"ZoomOut", "&Zoom out", "ActionGraphZoomOut"},
    {"ResetView", "&Reset view", "ActionGraphResetView"},
};

const std::vector<ControlHint> kControlHints = {
    {"HintBackGroundColor", "Background color", {"PanelBackGroundColor"}},
    {"HintImageColor", "Image color", {"PanelImageColor"}},
    {"HintBorderColor", "Border color", {"PanelBorderColor"}},
};

namespace {

constexpr const char* kBuiltInProperty = "kurvexBuiltInCaption";

std::vector<const char*> ControlsOf(const ControlCaption& row) {
  return row.Controls.empty() ? std::vector<const char*>{row.Key} : row.Controls;
}

std::vector<QObject*> Named(const std::vector<const QObject*>& roots, const char* name) {
  std::vector<QObject*> found;
  for (const QObject* root : roots) {
    if (!root) continue;
    for (QObject* object : root->findChildren<QObject*>(name)) found.push_back(object);
  }
  return found;
}

// Kinds without a caption of their own (edits, lists) are left alone.
bool HasCaption(const QObject* object) {
  return qobject_cast<const QAbstractButton*>(object) || qobject_cast<const QLabel*>(object) ||
         qobject_cast<const QAction*>(object);
}

QString CaptionOf(const QObject* object) {
  if (const auto* button = qobject_cast<const QAbstractButton*>(object)) return button->text();
  if (const auto* label = qobject_cast<const QLabel*>(object)) return label->text();
  return static_cast<const QAction*>(object)->text();
}

void SetCaption(QObject* object, const QString& text) {
  if (auto* button = qobject_cast<QAbstractButton*>(object)) {
    button->setText(text);
  } else if (auto* label = qobject_cast<QLabel*>(object)) {
    label->setText(text);
  } else {
    static_cast<QAction*>(object)->setText(text);
  }
}

// A control's own text is its built-in one: kept from before the first language, so a language
// without the key brings it back.
QString BuiltInOf(QObject* object) {
  QVariant kept = object->property(kBuiltInProperty);
  if (!kept.isValid()) {
    kept = CaptionOf(object);
    object->setProperty(kBuiltInProperty, kept);
  }
  return kept.toString();
}

}  // namespace

void ApplyControlCaptions(const ProfileFile& file, const ItemCaptions& captions,
                          const std::vector<const QObject*>& roots) {
  for (const ControlCaption& row : kControlCaptions) {
    for (const char* name : ControlsOf(row)) {
      for (QObject* object : Named(roots, name)) {
        if (!HasCaption(object)) continue;
        const std::string text =
            row.Item ? captions.*row.Item
                     : file.ReadString("Caption", row.Key,
                                       row.BuiltIn ? row.BuiltIn : S(BuiltInOf(object)));
        SetCaption(object, Q(text));
      }
    }
  }
  for (const ControlHint& hint : kControlHints) {
    for (const char* name : hint.Controls) {
      for (QObject* object : Named(roots, name)) {
        if (auto* widget = qobject_cast<QWidget*>(object)) {
          widget->setToolTip(Q(file.ReadString("Others", hint.Key, hint.BuiltIn)));
        }
      }
    }
  }
}

void ApplyMenuCaptions(const ProfileFile& file, const std::vector<const QObject*>& roots) {
  for (const MenuCaption& row : kMenuCaptions) {
    const QString text = Q(file.ReadString("Menu", row.Key, row.BuiltIn));
    for (QObject* object : Named(roots, row.Object)) {
      if (auto* menu = qobject_cast<QMenu*>(object)) {
        menu->setTitle(text);
      } else if (auto* action = qobject_cast<QAction*>(object)) {
        action->setText(text);
      } else if (auto* bar = qobject_cast<QMenuBar*>(object)) {
        bar->setAccessibleName(QString(text).remove('&'));
      }
    }
  }
}

std::vector<std::string> MissingCaptionControls(const std::vector<const QObject*>& roots) {
  std::vector<std::string> missing;
  for (const ControlCaption& row : kControlCaptions) {
    for (const char* name : ControlsOf(row)) {
      const std::vector<QObject*> found = Named(roots, name);
      if (std::none_of(found.begin(), found.end(), HasCaption)) missing.emplace_back(name);
    }
  }
  return missing;
}

}  // namespace kurvex::shell
