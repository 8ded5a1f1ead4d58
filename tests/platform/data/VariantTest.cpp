#include "platform/data/Variant.h"

#include <clocale>

#include <gtest/gtest.h>

#include "platform/com/ComError.h"

using platform::Variant;
using platform::VariantType;

TEST(Variant, KnowsItsType) {
    EXPECT_EQ(Variant().Type(), VariantType::Empty);
    EXPECT_EQ(Variant::Null().Type(), VariantType::Null);
    EXPECT_EQ(Variant(true).Type(), VariantType::Boolean);
    EXPECT_EQ(Variant(7).Type(), VariantType::Integer);
    EXPECT_EQ(Variant(7.5).Type(), VariantType::Double);
    EXPECT_EQ(Variant("text").Type(), VariantType::String) << "a literal is text, not a Boolean";
    EXPECT_EQ(Variant::Date(1).Type(), VariantType::Date);
}

TEST(Variant, ConvertsToDoubleAsTheRuntimeDoes) {
    struct Case {
        Variant value;
        double expected;
    };
    const Case cases[] = {
        {Variant(), 0},        {Variant(true), -1},     {Variant(false), 0},  {Variant(42), 42},
        {Variant(-2.5), -2.5}, {Variant(" 1.5 "), 1.5}, {Variant("1E3"), 1000}, {Variant("+4"), 4},
        {Variant::Date(36526.5), 36526.5},
    };
    for (const auto& c : cases) EXPECT_EQ(c.value.ToDouble(), c.expected) << c.value.ToText();
    EXPECT_EQ(platform::vberr::InvalidUseOfNull, [] {
        try { Variant::Null().ToDouble(); } catch (const platform::ComError& e) { return e.Number(); }
        return 0;
    }());
    for (const char* bad : {"", "abc", "1,5", "2x"}) {
        try {
            Variant(bad).ToDouble();
            ADD_FAILURE() << bad;
        } catch (const platform::ComError& e) {
            EXPECT_EQ(e.Number(), platform::vberr::TypeMismatch);
        }
    }
}

TEST(Variant, WritesTextWithAPointWhateverTheLocale) {
    struct Case {
        Variant value;
        const char* text;
    };
    const Case cases[] = {
        {Variant(), ""},
        {Variant::Null(), ""},
        {Variant(true), "True"},
        {Variant(-12), "-12"},
        {Variant(0.5), "0.5"},
        {Variant(-9999.0), "-9999"},
        {Variant(1e20), "1E+20"},
        {Variant(1.5e-7), "1.5E-07"},
        {Variant(123456789012345.0), "123456789012345"},
        {Variant(0.1 + 0.2), "0.3"},
        {Variant::Date(0), "1899-12-30"},
        {Variant::Date(36526.75), "2000-01-01 18:00:00"},
    };
    const char* old = std::setlocale(LC_NUMERIC, nullptr);
    const std::string saved = old ? old : "C";
    std::setlocale(LC_NUMERIC, "de_DE.UTF-8");  // may be missing; the point must hold either way
    for (const auto& c : cases) EXPECT_EQ(c.value.ToText(), c.text);
    std::setlocale(LC_NUMERIC, saved.c_str());
}

TEST(Variant, ComparesTypeAndValue) {
    EXPECT_EQ(Variant("a"), Variant(std::string("a")));
    EXPECT_NE(Variant("a"), Variant("A"));
    EXPECT_NE(Variant(1), Variant(1.0));
    EXPECT_EQ(Variant::Null(), Variant::Null());
    EXPECT_NE(Variant(), Variant::Null());
    EXPECT_TRUE(Variant::Null() < Variant(1));
    EXPECT_TRUE(Variant(1) < Variant(2));
}

TEST(Variant, TypedAccessorsRefuseOtherTypes) {
    EXPECT_EQ(Variant(3).AsInteger(), 3);
    EXPECT_THROW(Variant(3).AsDouble(), platform::ComError);
    EXPECT_THROW(Variant::Null().AsString(), platform::ComError);
}

TEST(OleDate, RoundTripsCalendarDatesAndTimes) {
    struct Case {
        platform::DateParts parts;
        double ole;
    };
    const Case cases[] = {
        {{1899, 12, 30, 0, 0, 0}, 0},
        {{1900, 1, 1, 0, 0, 0}, 2},
        {{2000, 1, 1, 0, 0, 0}, 36526},
        {{2000, 1, 1, 6, 0, 0}, 36526.25},
        {{2000, 2, 29, 0, 0, 0}, 36585},
        {{1899, 12, 29, 6, 0, 0}, -1.25},  // before the epoch the time still counts forward
    };
    for (const auto& c : cases) {
        EXPECT_DOUBLE_EQ(platform::OleDateFromParts(c.parts), c.ole);
        const auto back = platform::PartsFromOleDate(c.ole);
        EXPECT_EQ(back.year, c.parts.year);
        EXPECT_EQ(back.month, c.parts.month);
        EXPECT_EQ(back.day, c.parts.day);
        EXPECT_EQ(back.hour, c.parts.hour);
    }
    const auto noon = platform::PartsFromOleDate(platform::OleDateFromParts({2021, 3, 4, 23, 59, 59}));
    EXPECT_EQ(noon.minute, 59);
    EXPECT_DOUBLE_EQ(noon.second, 59);
}
