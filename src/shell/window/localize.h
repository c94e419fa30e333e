#pragma once

#include <string>
#include <vector>

#include "shell/kit/captions.h"

class QObject;

namespace kurvex {
class ProfileFile;
}

namespace kurvex::shell {

/// One key of a language file's "Caption" section and the controls whose text it sets.
struct ControlCaption {
  /// The key; unused in a row that shows an item caption (read from "Tree") instead.
  const char* Key;
  /// The text without a language file; null: the control's own text from before any language.
  const char* BuiltIn;
  /// The item caption the controls show; null: the key's text.
  std::string ItemCaptions::*Item;
  /// Object names; empty: the one control named like the key, which may not exist yet.
  std::vector<const char*> Controls;
};

/// The rows in the order they are applied.
extern const std::vector<ControlCaption> kControlCaptions;

/// One key of a language file's "Others" section that sets the hint of controls.
struct ControlHint {
  const char* Key;
  const char* BuiltIn;
  std::vector<const char*> Controls;
};

extern const std::vector<ControlHint> kControlHints;

/// One key of a language file's "Menu" section: the text of a menu, a menu item or (for the
/// bar) its accessible name.
struct MenuCaption {
  const char* Key;
  const char* BuiltIn;
  const char* Object;
};

extern const std::vector<MenuCaption> kMenuCaptions;

/// Sets the texts of `kMenuCaptions` found under `roots`; a missing key takes its built-in text.
void ApplyMenuCaptions(const ProfileFile& file, const std::vector<const QObject*>& roots);

/// Sets the text of every control of the table found under one of `roots` (labels, buttons, check
/// boxes, actions) from `file` or the item captions, and the hints of `kControlHints`; a control
/// that does not exist is skipped.
void ApplyControlCaptions(const ProfileFile& file, const ItemCaptions& captions,
                          const std::vector<const QObject*>& roots);

/// The object names of the table that name no object under `roots`.
std::vector<std::string> MissingCaptionControls(const std::vector<const QObject*>& roots);

}  // namespace kurvex::shell
