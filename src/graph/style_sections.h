#pragma once

#include <string>
#include <string_view>

#include "common/ini_file.h"
#include "graph/model.h"

namespace kurvex {

/// What a load does with the keys after a value that does not convert.
enum class AfterFailure {
  kKeepPrevious,  // they keep their values: a style loaded over a working one
  kDefaults,      // they take their defaults, as missing keys do: the first load of a run
};

/// Reads the graph style from an options file (a missing file gives the values at start).
/// The Environment section is read only when model.LoadAllOptions is on. Each key is stored at
/// once; a float that does not parse or overflows throws Error("[Section] Key=value: reason")
/// after the later keys were treated as `after` says.
void LoadOptionsFile(GraphModel& model, const std::string& fileName,
                     AfterFailure after = AfterFailure::kKeepPrevious);
void LoadOptionsFile(GraphModel& model, const ProfileFile& file,
                     AfterFailure after = AfterFailure::kKeepPrevious);

void LoadEnvironmentSection(GraphModel& model, const ProfileFile& file);
void LoadImageSection(GraphModel& model, const ProfileFile& file);
void LoadGraphSections(GraphModel& model, const ProfileFile& file);

/// Throws Error with the reason when `value` would not convert to the kind of the graph key
/// Section.Key (names without case, as in the file); texts and keys the graph does not read
/// pass.
void CheckOptionValue(std::string_view section, std::string_view key, std::string_view value);

/// Writes every graph section into the profile (not yet to disk).
void WriteOptionsSections(const GraphModel& model, ProfileFile& file);

/// Writes the graph style into the file, keeping keys it does not own; replaces the file at
/// once and throws Error("Unable to write to <file>") leaving the old file whole on failure.
void SaveOptionsFile(const GraphModel& model, const std::string& fileName);

}  // namespace kurvex
