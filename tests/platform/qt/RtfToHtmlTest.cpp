#include <gtest/gtest.h>

#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFragment>

#include "platform/qt/RtfToHtml.h"

namespace {

// The converted text laid out by Qt, as the rich-text box shows it.
struct Laid {
    explicit Laid(const std::string& rtf) { document.setHtml(platform::qt::RtfToHtml(rtf)); }
    QString Text() const { return document.toPlainText(); }
    QTextBlock Block(int n) const { return document.findBlockByNumber(n); }
    // The character format of the first character of `word`.
    QTextCharFormat FormatOf(const QString& word) const {
        QTextCursor cursor = document.find(word);
        cursor.setPosition(cursor.selectionStart() + 1);
        return cursor.charFormat();
    }
    QTextDocument document;
};

TEST(RtfToHtml, KeepsTextAndParagraphsAndLeavesOutTablesAndControlWords) {
    const Laid laid(
        "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0\\fswiss Arial;}{\\f1 Courier New;}}"
        "{\\colortbl;\\red255\\green0\\blue0;}{\\*\\generator Writer;}"
        "\\viewkind4\\pard\\f0\\fs16 First line\\par Second\\tab line\\par}");
    EXPECT_EQ(laid.Text(), "First line\nSecond\tline");
}

struct FormatCase {
    const char* name;
    const char* rtf;
    const char* word;
    std::function<bool(const QTextCharFormat&)> check;
};

void PrintTo(const FormatCase& c, std::ostream* os) { *os << c.name; }

class RtfCharacterFormats : public ::testing::TestWithParam<FormatCase> {};

TEST_P(RtfCharacterFormats, ReachTheText) {
    const Laid laid(GetParam().rtf);
    EXPECT_TRUE(GetParam().check(laid.FormatOf(GetParam().word))) << platform::qt::RtfToHtml(GetParam().rtf).toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Subset, RtfCharacterFormats,
    ::testing::Values(
        FormatCase{"BoldOnAndOff", "{\\rtf1 \\b Heading\\b0  body\\par}", "Heading",
                   [](const QTextCharFormat& f) { return f.fontWeight() == QFont::Bold; }},
        FormatCase{"BoldEndsWithItsGroup", "{\\rtf1 {\\b Heading} body\\par}", "body",
                   [](const QTextCharFormat& f) { return f.fontWeight() != QFont::Bold; }},
        FormatCase{"FontSizeInHalfPoints", "{\\rtf1 \\fs16 small\\par}", "small",
                   [](const QTextCharFormat& f) { return f.fontPointSize() == 8; }},
        FormatCase{"FontSizeBeyondAnyNumberIsTheLargestSize", "{\\rtf1 \\fs99999999999 huge\\par}", "huge",
                   [](const QTextCharFormat& f) { return f.fontPointSize() == 1638; }},
        FormatCase{"PlainResetsTheCharacterFormat", "{\\rtf1 \\b\\i\\fs40 big\\plain  normal\\par}", "normal",
                   [](const QTextCharFormat& f) {
                       return f.fontWeight() != QFont::Bold && !f.fontItalic() && f.fontPointSize() == 12;
                   }},
        FormatCase{"ItalicAndUnderline", "{\\rtf1 \\i\\ul styled\\par}", "styled",
                   [](const QTextCharFormat& f) { return f.fontItalic() && f.fontUnderline(); }},
        FormatCase{"FontFromTheFontTable", "{\\rtf1{\\fonttbl{\\f0 Arial;}{\\f1 Courier New;}}\\f1 mono\\par}",
                   "mono", [](const QTextCharFormat& f) { return f.fontFamilies().toStringList().contains("Courier New"); }}));

TEST(RtfToHtml, IndentsParagraphsByTheirLeftIndent) {
    const Laid laid("{\\rtf1 \\pard\\b Title\\par\\pard\\li360 Indented text\\par\\pard\\par Last\\par}");
    EXPECT_EQ(laid.Block(0).blockFormat().leftMargin(), 0);
    EXPECT_EQ(laid.Block(1).text(), "Indented text");
    EXPECT_EQ(laid.Block(1).blockFormat().leftMargin(), 24);  // 360 twips
    EXPECT_EQ(laid.Block(2).text().trimmed(), "");
    EXPECT_EQ(laid.Block(3).text(), "Last");
}

TEST(RtfToHtml, DecodesEscapes) {
    const Laid laid("{\\rtf1 \\{a\\}\\\\ caf\\'e9 \\'93q\\'94 \\u8364?  x < y & z\\par}");
    EXPECT_EQ(laid.Text(), QString::fromUtf8("{a}\\ café “q” €  x < y & z"));
}

TEST(RtfToHtml, ReadsUtf8TextAsIs) {
    const Laid laid("{\\rtf1 Zürich\\par}");
    EXPECT_EQ(laid.Text(), QString::fromUtf8("Zürich"));
}

TEST(RtfToHtml, ShowsTextThatIsNotRichTextAsPlainParagraphs) {
    const Laid laid("a <b> line\r\nsecond");
    EXPECT_EQ(laid.Text(), "a <b> line\nsecond");
}

}  // namespace
