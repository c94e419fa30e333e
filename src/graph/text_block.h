#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace kurvex {

struct DataNames;

/// The text-block lines: placeholders "{DataFile}" and "{TextInDataFile}" replaced, split at
/// CR LF, a tab made one blank, each line wrapped at word boundaries to `wrapWidth` pixels as
/// `textWidth` measures. Only the first `maxLines` lines are made, in time and memory that do
/// not grow with the rest of the text.
std::vector<std::string> ExpandGraphText(const std::string& graphText,
                                         const std::string& dataFileName,
                                         const std::string& textInDataFile, int wrapWidth,
                                         const std::function<int(std::string_view)>& textWidth,
                                         std::size_t maxLines = SIZE_MAX);

/// The same with every placeholder a text of the graph may hold ("{Column1}", "{XTitle}", …).
std::vector<std::string> ExpandGraphText(const std::string& graphText, const DataNames& names,
                                         int wrapWidth,
                                         const std::function<int(std::string_view)>& textWidth,
                                         std::size_t maxLines = SIZE_MAX);

/// One line of text wrapped as the text-block lines are: at blanks, a word wider than `width`
/// at characters.
std::vector<std::string> WrapText(std::string_view line, int width,
                                  const std::function<int(std::string_view)>& textWidth);

/// The wrap width of the text block for an image width (the edit field's frame and margins).
int TextBlockWrapWidth(int imageWidth);

}  // namespace kurvex
