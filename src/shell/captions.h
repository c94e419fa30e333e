#pragma once

#include <array>
#include <string>

namespace kurvex::shell {

/// The shared caption texts: tree items, the action-exclusion words and the readout prefix.
/// The navigation compares tree items with these, so a language file that changes them changes
/// which rule an item follows.
struct ItemCaptions {
  std::string AxisTitle;
  std::string Environment;
  std::string Default;
  std::string LoadIni;
  std::string LoadOther;
  std::string SaveIni;
  std::string SaveOther;
  std::string Image;
  std::string Repaint;
  std::string Graph;
  std::string Title;
  std::string AxisX;
  std::string AxisY;
  std::string Values;
  std::string Line;
  std::string Curves;
  std::string Legend;
  std::string Text;
  std::string Data;
  std::string About;
  std::string Manual;
  std::string FastStart;
  std::string Log;
  std::string CursorPosition;
  std::string SaveDialogTitle;
};

/// The English texts every caption falls back to.
ItemCaptions BuiltInCaptions();

/// The captions the program sets at creation; AxisTitle, Text and CursorPosition are left alone
/// because only applying a language gives them their texts.
void SetDefaultCaptions(ItemCaptions& captions);

inline constexpr int kTreeItemCount = 22;
inline constexpr int kLogItemIndex = 21;

/// The caption of each tree item by absolute index (the axis children share AxisTitle, Values
/// and Line).
extern const std::array<std::string ItemCaptions::*, kTreeItemCount> kTreeItemCaptions;

/// The texts the tree items carry before any caption is applied.
extern const std::array<const char*, kTreeItemCount> kTreeDesignTexts;

/// The words whose items act instead of showing a page; moving through the tree with the keyboard
/// must not run them.
std::string ActionExclusionText(const ItemCaptions& captions);

}  // namespace kurvex::shell
