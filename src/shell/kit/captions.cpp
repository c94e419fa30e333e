#include "shell/kit/captions.h"

#include <string_view>

#include "common/ini_file.h"
#include "graph/mapping.h"

namespace kurvex::shell {

using C = ItemCaptions;

const std::vector<ItemCaptionKey> kItemCaptionKeys = {
    {&C::AxisTitle, "Tree", "AxisTitle", "Description", false},
    {&C::Environment, "Tree", "Environment", "Environment", true},
    {&C::Default, "Tree", "Default", "Default", true},
    {&C::LoadIni, "Tree", "LoadIni", "Load", true},
    {&C::LoadOther, "Tree", "LoadOther", "Load other", true},
    {&C::SaveIni, "Tree", "SaveIni", "Save", true},
    {&C::SaveOther, "Tree", "SaveOther", "Save other", true},
    {&C::Image, "Tree", "Image", "Image", true},
    {&C::Repaint, "Tree", "Repaint", "Repaint", true},
    {&C::Graph, "Tree", "Graph", "Graph", true},
    {&C::Title, "Tree", "Title", "Title", true},
    {&C::AxisX, "Tree", "AxisX", "Axis X", true},
    {&C::AxisY, "Tree", "AxisY", "Axis Y", true},
    {&C::Values, "Tree", "Values", "Values", true},
    {&C::Line, "Tree", "Line", "Line", true},
    {&C::Curves, "Tree", "Curves", "Curves", true},
    {&C::Legend, "Tree", "Legend", "Legend", true},
    {&C::Text, "Tree", "Text", "Text", false},
    {&C::Data, "Tree", "Data", "Data", true},
    {&C::About, "Tree", "About", "About", true},
    {&C::Manual, "Tree", "Manual", "Manual", true},
    {&C::FastStart, "Tree", "FastStart", "Fast start", true},
    {&C::Log, "Tree", "Log", "Log", true},
    {&C::CursorPosition, "Others", "CursorPosition", kCursorPositionPrefix, false},
    {&C::SaveDialogTitle, "", "", "Save environment options", true},
    {&C::FileNotFound, "Others", "FileNotFound", "%s: file not found", true},
    {&C::OptionsChanged, "Others", "OptionsChanged",
     "%s was changed by another program since Kurvex read it. Keep the settings of this window "
     "or the ones in the file?",
     true},
    {&C::KeepMine, "Others", "KeepMine", "Keep mine", true},
    {&C::KeepTheirs, "Others", "KeepTheirs", "Keep theirs", true},
    {&C::OptionsKeptTheirs, "Others", "OptionsKeptTheirs",
     "%s was changed by another program: it is kept, and this window's settings went to %s", true},
    {&C::GraphMouseOff, "Others", "GraphMouseOff",
     "The graph does not follow the mouse while 'Repaint only curves' is on", true},
    {&C::CurveName, "Others", "CurveName", "Curve %s", true},
    {&C::RecentFileGone, "Others", "RecentFileGone",
     "%s: file not found; it is no longer among the recent files", true},
    {&C::NoRecentFiles, "Others", "NoRecentFiles", "No recent files", true},
    {&C::FindDataHint, "Others", "FindDataHint",
     "%s: line %s is not data; 'Find the data in instrument files' reads this file", true},
    {&C::OutsideAxesHint, "Others", "OutsideAxesHint",
     "%s: no point lies inside the axes; Fit to data (Ctrl+Shift+F) shows them", true},
    {&C::FilesStyleHint, "Others", "FilesStyleHint",
     "Files style: titles and ranges from the file \u2014 View \u203a Style", true},
    {&C::ImageFilter, "Others", "ImageFilter",
     "BMP image|*.bmp|PNG image|*.png|SVG image|*.svg|PDF document|*.pdf", true},
    {&C::ColumnsTitle, "Others", "ColumnsTitle", "Columns of %s", true},
    {&C::ColumnsX, "Others", "ColumnsX", "x column", true},
    {&C::ColumnsY, "Others", "ColumnsY", "y columns (up to ten)", true},
    {&C::NoColumns, "Others", "NoColumns", "%s: no block of columns to choose from", true},
    {&C::ScaleScreen, "Others", "ScaleScreen", "Screen", true},
    {&C::AllFiles, "Others", "AllFiles", "All files (*.*)", true},
};

ItemCaptions BuiltInCaptions() {
  ItemCaptions c;
  for (const ItemCaptionKey& k : kItemCaptionKeys) c.*k.Field = k.BuiltIn;
  return c;
}

void SetDefaultCaptions(ItemCaptions& c) {
  for (const ItemCaptionKey& k : kItemCaptionKeys) {
    if (k.SetAtCreation) c.*k.Field = k.BuiltIn;
  }
}

void ReadCaptions(const ProfileFile& file, const char* section, ItemCaptions& c) {
  for (const ItemCaptionKey& k : kItemCaptionKeys) {
    if (std::string_view(k.Section) == section)
      c.*k.Field = file.ReadString(section, k.Key, k.BuiltIn);
  }
}

const std::array<std::string ItemCaptions::*, kTreeItemCount> kTreeItemCaptions = {
    &C::Data,   &C::Graph,     &C::Repaint,   &C::LoadOther, &C::SaveOther, &C::Title,
    &C::AxisX,  &C::AxisTitle, &C::Values,    &C::Line,      &C::AxisY,     &C::AxisTitle,
    &C::Values, &C::Line,      &C::Curves,    &C::Legend,    &C::Text,      &C::Environment,
    &C::About,  &C::Manual,    &C::FastStart, &C::Log};

const std::array<const char*, kTreeItemCount> kTreeDesignTexts = {
    "Data",   "Graph",       "Repaint", "Load setting", "Save setting", "Title", "Axis X", "Title",
    "Values", "Line",        "Axis Y",  "Title",        "Values",       "Line",  "Curves", "Legend",
    "Text",   "Environment", "About",   "Manual",       "Fast start",   "Log"};

std::string FormatMessage(const std::string& pattern, const std::vector<std::string>& values) {
  std::string text;
  std::size_t from = 0;
  for (const std::string& value : values) {
    const std::size_t at = pattern.find("%s", from);
    if (at == std::string::npos) break;
    text.append(pattern, from, at - from).append(value);
    from = at + 2;
  }
  return text.append(pattern, from);
}

std::string ActionExclusionText(const ItemCaptions& c) {
  return c.Repaint + c.Default + c.LoadIni + c.LoadOther + c.SaveIni + c.SaveOther;
}

}  // namespace kurvex::shell
