#pragma once

#include "rtf/rtf_reader.h"

class QTextEdit;

namespace kurvex::shell {

/// Replaces the box's content with the styled text of a read RTF document, the caret at the top.
void FillRichText(QTextEdit& box, const RtfDocument& document);

}  // namespace kurvex::shell
