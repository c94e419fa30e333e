// The manual box filled from read RTF, and the find's positions across characters that Qt
// stores as two UTF-16 units.
#include <gtest/gtest.h>

#include <QTextBlock>
#include <QTextCursor>
#include <QTextEdit>

#include "rtf/rtf_reader.h"
#include "shell/help/rich_edit_box.h"
#include "shell/help/rich_text_fill.h"

namespace kurvex::shell {
namespace {

// The character format at a UTF-16 position of the box.
QTextCharFormat FormatAt(QTextEdit& box, int position) {
  QTextCursor cursor(box.document());
  cursor.setPosition(position + 1);
  return cursor.charFormat();
}

TEST(FillRichText, CarriesRunsAndParagraphLayoutsIntoTheBox) {
  QTextEdit box;
  box.setPlainText("old text");
  // "𝑥" lies beyond 16 bits: one code point for the reader, two units for the box.
  FillRichText(box, ParseRtf(R"({\rtf1{\fonttbl{\f0 Arial;}{\f1 Courier New;}})"
                             R"({\colortbl;\red255\green0\blue0;}\f0\fs20 )"
                             R"(\u55349?\u56421? {\b bold}\par)"
                             R"(\pard\li480\fi-240\qc{\i\cf1\f1\fs30 it} end})"));
  const QString text = box.toPlainText();
  ASSERT_EQ(text, QString::fromUtf8("𝑥 bold\nit end"));
  struct Case {
    const char* at;
    bool bold, italic;
    double points;
    QColor color;
    QString family;
  } cases[] = {
      {"𝑥", false, false, 10, Qt::black, "Arial"},
      {"bold", true, false, 10, Qt::black, "Arial"},
      {"it", false, true, 15, Qt::red, "Courier New"},
      {" end", false, false, 10, Qt::black, "Arial"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.at);
    const QTextCharFormat format = FormatAt(box, text.indexOf(QString::fromUtf8(c.at)));
    EXPECT_EQ(format.fontWeight() == QFont::Bold, c.bold);
    EXPECT_EQ(format.fontItalic(), c.italic);
    EXPECT_DOUBLE_EQ(format.fontPointSize(), c.points);
    EXPECT_EQ(format.foreground().color(), c.color);
    EXPECT_EQ(format.fontFamilies().toStringList().value(0), c.family);
  }
  const QTextBlock second = box.document()->findBlockByNumber(1);
  const double pixelsPerTwip = box.logicalDpiX() / 1440.0;
  EXPECT_DOUBLE_EQ(second.blockFormat().leftMargin(), 480 * pixelsPerTwip);
  EXPECT_DOUBLE_EQ(second.blockFormat().textIndent(), -240 * pixelsPerTwip);
  EXPECT_EQ(second.blockFormat().alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
  EXPECT_EQ(box.document()->firstBlock().blockFormat().leftMargin(), 0);
  EXPECT_EQ(box.textCursor().position(), 0);
}

TEST(RichEditBox, FindsAndSelectsAfterCharactersOfTwoUnits) {
  QTextEdit box;
  box.setPlainText(QString::fromUtf8("𝑥𝑦 Kôň a 𝑥 KON"));
  const QString text = box.toPlainText();
  struct Step {
    bool found;
    int start;
    int length;
  } steps[] = {{true, 5, 3}, {true, 14, 3}, {false, 0, 0}, {true, 5, 3}};
  for (const Step& step : steps) {
    RichEditBox fresh(box);
    EXPECT_EQ(FindInRichEdit(fresh, "kon"), step.found);
    const QTextCursor cursor = box.textCursor();
    EXPECT_EQ(cursor.selectionStart(), step.start);
    EXPECT_EQ(cursor.selectionEnd() - cursor.selectionStart(), step.length);
  }
  EXPECT_EQ(CodePointOffset(text, 14), 11);
  EXPECT_EQ(Utf16Offset(text, 11), 14);
  EXPECT_EQ(Utf16Offset(text, 1000), text.size());
}

}  // namespace
}  // namespace kurvex::shell
