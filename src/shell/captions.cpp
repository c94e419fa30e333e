#include "shell/captions.h"

#include "graph/mapping.h"

namespace kurvex::shell {

ItemCaptions BuiltInCaptions() {
  ItemCaptions c;
  SetDefaultCaptions(c);
  c.AxisTitle = "Description";
  c.Text = "Text";
  c.CursorPosition = kCursorPositionPrefix;
  return c;
}

void SetDefaultCaptions(ItemCaptions& c) {
  c.Environment = "Environment";
  c.Default = "Default";
  c.LoadIni = "Load";
  c.LoadOther = "Load other";
  c.SaveIni = "Save";
  c.SaveOther = "Save other";
  c.Image = "Image";
  c.Repaint = "Repaint";
  c.Graph = "Graph";
  c.Title = "Title";
  c.AxisX = "Axis X";
  c.AxisY = "Axis Y";
  c.Values = "Values";
  c.Line = "Line";
  c.Curves = "Curves";
  c.Legend = "Legend";
  c.Data = "Data";
  c.About = "About";
  c.Log = "Log";
  c.Manual = "Manual";
  c.FastStart = "Fast start";
  c.SaveDialogTitle = "Save environment options";
}

using C = ItemCaptions;
const std::array<std::string ItemCaptions::*, kTreeItemCount> kTreeItemCaptions = {
    &C::Data,   &C::Graph,     &C::Repaint,   &C::LoadOther, &C::SaveOther, &C::Title,
    &C::AxisX,  &C::AxisTitle, &C::Values,    &C::Line,      &C::AxisY,     &C::AxisTitle,
    &C::Values, &C::Line,      &C::Curves,    &C::Legend,    &C::Text,      &C::Environment,
    &C::About,  &C::Manual,    &C::FastStart, &C::Log};

const std::array<const char*, kTreeItemCount> kTreeDesignTexts = {
    "Data",   "Graph",       "Repaint", "Load setting", "Save setting", "Title", "Axis X", "Title",
    "Values", "Line",        "Axis Y",  "Title",        "Values",       "Line",  "Curves", "Legend",
    "Text",   "Environment", "About",   "Manual",       "Fast start",   "Log"};

std::string ActionExclusionText(const ItemCaptions& c) {
  return c.Repaint + c.Default + c.LoadIni + c.LoadOther + c.SaveIni + c.SaveOther;
}

}  // namespace kurvex::shell
