#include <gtest/gtest.h>

#include "platform/qt/ShownText.h"

namespace {

using platform::qt::ShownText;

TEST(ShownText, AMultiLineBoxShowsEachLineEndAsOneLineFeed) {
    const ShownText shown("ab\r\ncd\ref", true);
    EXPECT_EQ(shown.Text(), "ab\ncd\nef");
    EXPECT_EQ(shown.ToShown(4), 3);  // "c" follows the two-character line end
    EXPECT_EQ(shown.ToModel(3), 4);
    EXPECT_EQ(shown.ToModel(9), 9);
}

TEST(ShownText, ASingleLineBoxShowsTheTextAsItIs) {
    const ShownText shown("ab\r\ncd", false);
    EXPECT_EQ(shown.Text(), "ab\r\ncd");
    EXPECT_EQ(shown.ToModel(4), 4);
}

TEST(ShownText, PositionsCountCharactersNotUtf16Units) {
    const ShownText shown("a\xF0\x9F\x98\x80" "b", false);  // a, an emoji, b
    EXPECT_EQ(shown.Text().size(), 4);
    EXPECT_EQ(shown.ToModel(3), 2);
    EXPECT_EQ(shown.ToShown(2), 3);
}

struct EditCase {
    const char* name;
    const char* before;
    const char* after;
    bool multiLine;
    int start;
    int length;
    const char* inserted;
};

void PrintTo(const EditCase& c, std::ostream* os) { *os << c.name; }

class UserEdits : public ::testing::TestWithParam<EditCase> {};

TEST_P(UserEdits, BecomeASelectionAndTheTextTypedOverIt) {
    const EditCase& c = GetParam();
    const ShownText shown(c.before, c.multiLine);
    const ShownText::Edit edit = shown.EditTo(QString::fromUtf8(c.after));
    EXPECT_EQ(edit.start, c.start);
    EXPECT_EQ(edit.length, c.length);
    EXPECT_EQ(edit.inserted, c.inserted);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, UserEdits,
    ::testing::Values(EditCase{"TypedAtTheEnd", "ab", "abc", false, 2, 0, "c"},
                      EditCase{"TypedInTheMiddle", "(  )", "( x )", false, 2, 0, "x"},
                      EditCase{"DeletedBackwards", "abc", "ac", false, 1, 1, ""},
                      EditCase{"SelectionTypedOver", "one two", "one 2", false, 4, 3, "2"},
                      EditCase{"EnterInAMultiLineBox", "ab", "a\nb", true, 1, 0, "\r\n"},
                      EditCase{"AfterALineEnd", "a\r\nb", "a\nxb", true, 3, 0, "x"},
                      EditCase{"LineEndDeleted", "a\r\nb", "ab", true, 1, 2, ""},
                      EditCase{"EmojiReplaced", "a\xF0\x9F\x98\x80" "b", "a\xF0\x9F\x98\x81" "b", false, 1, 1,
                               "\xF0\x9F\x98\x81"}));

}  // namespace
