#pragma once

#include <string>
#include <string_view>

#include "rtf/rtf_document.h"

namespace kurvex {

/// Reads the RTF that word processors save. Never fails: damaged or truncated input gives what
/// can be read of it, and input that does not start with "{\rtf" is taken as plain text
/// (UTF-8 or Windows-1250), as rich-text boxes do.
RtfDocument ParseRtf(std::string_view rtf);

/// Reads an RTF file; throws Error("Cannot open file "<path>". <reason>") when it cannot be
/// read.
RtfDocument ReadRtfFile(const std::string& path);

}  // namespace kurvex
