#pragma once

#include <array>
#include <string>
#include <vector>

namespace kurvex {
class ProfileFile;
}

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
  // The program's own messages; "%s" stands for a file name.
  std::string FileNotFound;
  std::string OptionsChanged;
  std::string KeepMine;
  std::string KeepTheirs;
  std::string OptionsKeptTheirs;
  // The graph and the mouse.
  std::string GraphMouseOff;
  std::string CurveName;  // "%s" stands for the curve's number
  std::string RecentFileGone;
  std::string NoRecentFiles;
  // "%s" a data file, then the number of its line.
  std::string FindDataHint;
  std::string OutsideAxesHint;
  std::string FilesStyleHint;
  std::string ImageFilter;
  std::string ColumnsTitle;
  std::string ColumnsX;
  std::string ColumnsY;
  std::string NoColumns;
  // The Image page's scale that follows the screen.
  std::string ScaleScreen;
  // The file lists' type that shows every file.
  std::string AllFiles;
};

/// One item caption: where a language file keeps it and the text it has without one.
struct ItemCaptionKey {
  std::string ItemCaptions::*Field;
  const char* Section;  // "Tree" or "Others"; empty for a caption no language file changes
  const char* Key;
  const char* BuiltIn;
  bool SetAtCreation;  // false: only applying a language gives the caption its text
};

/// Every item caption, in the order a language file is read.
extern const std::vector<ItemCaptionKey> kItemCaptionKeys;

/// The English texts every caption falls back to.
ItemCaptions BuiltInCaptions();

/// Reads the captions that `section` of a language file holds, each key missing there taking its
/// built-in text.
void ReadCaptions(const ProfileFile& file, const char* section, ItemCaptions& captions);

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

/// `pattern` with each "%s" replaced by the next of `values`, in order.
std::string FormatMessage(const std::string& pattern, const std::vector<std::string>& values);

/// The words whose items act instead of showing a page; moving through the tree with the keyboard
/// must not run them.
std::string ActionExclusionText(const ItemCaptions& captions);

}  // namespace kurvex::shell
