#pragma once

#include <vector>

namespace kurvex::shell {

class AxisLinePage;
class AxisValuesPage;
class CurvesPage;
class DataPage;
class EnvironmentPage;
class ImagePage;
class LegendPage;
class LoadIniPage;
class SettingsPage;
class TextPage;
class TitlePage;

/// The pages of the settings notebook, each as the type it was built as.
struct PageSet {
  EnvironmentPage* Environment = nullptr;
  ImagePage* Image = nullptr;
  TitlePage* GraphTitle = nullptr;
  TitlePage* AxisXTitle = nullptr;
  AxisValuesPage* AxisXValues = nullptr;
  AxisLinePage* AxisXLine = nullptr;
  TitlePage* AxisYTitle = nullptr;
  AxisValuesPage* AxisYValues = nullptr;
  AxisLinePage* AxisYLine = nullptr;
  CurvesPage* Curves = nullptr;
  LegendPage* Legend = nullptr;
  TextPage* Text = nullptr;
  DataPage* Data = nullptr;
  LoadIniPage* LoadIni = nullptr;

  /// The graph pages from "Graph Title" to "Text", in the order they are filled.
  std::vector<SettingsPage*> Graph;
  /// Every page that edits settings: "Environment", "Image" and the graph pages.
  std::vector<SettingsPage*> Settings;
};

}  // namespace kurvex::shell
