// Column sizing and naming of the summary's dBASE writer over values of every
// magnitude, against exact rounding to 15 significant digits.
#include "platform/data/DbaseWriter.h"

#include <cfloat>
#include <random>

#include <gtest/gtest.h>

#include "platform/data/Field.h"
#include "tests/support/ExactOracle.h"

namespace {

std::vector<double> Values(std::mt19937_64& random) {
    std::vector<double> values = {0.1, -0.0, 500.1836262, 1e25, 1e300, -1e-300, DBL_MAX, -DBL_MIN, 4.9e-324, 123456789012345678.0};
    for (int i = 0; i < 40; ++i) {
        const double scale = std::pow(10.0, std::uniform_int_distribution<int>(-300, 300)(random));
        values.push_back(std::uniform_real_distribution<double>(-10, 10)(random) * scale);
        values.push_back(static_cast<double>(std::uniform_int_distribution<long long>(-1e10, 1e10)(random)) / 100);
    }
    return values;
}

int SignificantDigits(const std::string& text) {
    std::string digits;
    for (char c : text.substr(0, text.find('E')))
        if (std::isdigit(static_cast<unsigned char>(c))) digits += c;
    digits.erase(0, digits.find_first_not_of('0'));
    digits.erase(digits.find_last_not_of('0') + 1);
    return static_cast<int>(digits.size());
}

TEST(DbaseWriter, NumbersAreWrittenTo15DigitsInColumnsNoWiderThanNeeded) {
    std::mt19937_64 random(20);
    const std::vector<double> values = Values(random);
    platform::DbaseColumn shared{"MIXED", platform::fieldtype::Double};
    for (double x : values) {
        SCOPED_TRACE(x);
        const double rounded = testsupport::Round15(mpq_class(x));
        platform::DbaseColumn alone{"ALONE", platform::fieldtype::Double};
        platform::FitNumber(alone, x);
        platform::FitNumber(shared, x);
        const std::string text = platform::NumberText(alone, x);
        EXPECT_LE(text.size(), 255u);
        EXPECT_NE(text.front(), ' ') << "as wide as its one value needs";
        const std::string digits = text.substr(0, text.find('E'));
        EXPECT_TRUE(digits.back() != '0' || digits.ends_with(".0")) << "no padding zeros: " << text;
        EXPECT_EQ(std::strtod(text.c_str(), nullptr), rounded) << text;
        EXPECT_FALSE(text.front() == '-' && rounded == 0) << "0, not -0";
        EXPECT_LE(SignificantDigits(text), 15) << text;
        const double magnitude = x == 0 ? 0 : std::abs(std::log10(std::abs(x)));
        EXPECT_TRUE(platform::UsesExponentForm(alone) ? magnitude > 230 : magnitude < 260) << "fixed form up to 255 characters";
    }
    for (double x : values) {
        const std::string text = platform::NumberText(shared, x);
        EXPECT_EQ(static_cast<int>(text.size()), platform::WidthOf(shared));
        EXPECT_EQ(std::strtod(text.c_str(), nullptr), testsupport::Round15(mpq_class(x))) << text;
    }
    EXPECT_THROW(platform::FitNumber(shared, std::nan("")), std::exception);
}

TEST(DbaseWriter, ColumnNamesAreValidDbaseNamesCutOnACharacterBoundary) {
    const std::vector<std::string> pieces = {"a", "Z", "7", "_", ".", " ", "-", "é", "ß", "日", "\xF0\x9F\x98\x80", "\xFF"};
    std::mt19937_64 random(20);
    for (int i = 0; i < 500; ++i) {
        std::string candidate;
        for (int n = std::uniform_int_distribution<int>(1, 12)(random); n > 0; --n)
            candidate += pieces[std::uniform_int_distribution<std::size_t>(0, pieces.size() - 1)(random)];
        const std::size_t limit = std::uniform_int_distribution<std::size_t>(3, 12)(random);
        const std::string name = platform::DbaseColumnName(candidate, limit);
        SCOPED_TRACE(candidate + " -> " + name);
        auto piece = [&](std::size_t at) -> const std::string& {
            return *std::find_if(pieces.begin(), pieces.end(), [&](const std::string& p) { return candidate.compare(at, p.size(), p) == 0; });
        };
        EXPECT_LE(name.size(), std::min<std::size_t>(limit, 10));
        std::size_t at = 0, next = 0;  // the candidate's characters in order, each kept or "_"
        for (std::size_t k = 0; at < candidate.size(); k += next, at += piece(at).size()) {
            const std::string& p = piece(at);
            const bool kept = p.size() > 1 ? p != "\xF0\x9F\x98\x80" : std::isalnum(static_cast<unsigned char>(p[0])) || p == "_";
            next = kept ? p.size() : 1;
            if (k == name.size()) break;
            EXPECT_EQ(name.compare(k, next, kept ? p : "_"), 0);
        }
        EXPECT_TRUE(at == candidate.size() || name.size() + next > std::min<std::size_t>(limit, 10))
            << "cut only where the next character does not fit";
    }
}

}  // namespace
