#pragma once
#include <cstdint>
#include <string>

namespace platform {

// A number format turns a value into its display text. Both formats below
// round half away from zero, starting from the shortest decimal text that
// reads back as the same double, so 2.675 shown with two decimals is 2.68.
// Digits are grouped with "," and the decimal point is "."; ValueToString
// throws ComError for an infinite or undefined value.
class NumberFormat {
public:
    virtual ~NumberFormat() = default;
    virtual std::string ValueToString(double value) const = 0;
};

// The host's numeric format. Its seven settings:
//   Setting1  rounding: 0 to a number of decimal places, any other value to
//             a number of significant digits
//   Setting2  the number of decimal places or significant digits
//   Setting3  alignment within the width: 0 right, any other value left
//   Setting4  the width the text is padded to (a longer text is not cut)
//   Setting5  group the integer digits in thousands
//   Setting6  show "+" in front of a number above zero
//   Setting7  pad a right-aligned text with leading zeros instead of blanks
class NumericFormat : public NumberFormat {
public:
    std::int32_t Setting1() const { return rounding_; }
    void SetSetting1(std::int32_t value) { rounding_ = value; }
    std::int32_t Setting2() const { return roundingValue_; }
    void SetSetting2(std::int32_t value) { roundingValue_ = value; }
    std::int32_t Setting3() const { return alignment_; }
    void SetSetting3(std::int32_t value) { alignment_ = value; }
    std::int32_t Setting4() const { return width_; }
    void SetSetting4(std::int32_t value) { width_ = value; }
    bool Setting5() const { return separator_; }
    void SetSetting5(bool value) { separator_ = value; }
    bool Setting6() const { return plusSign_; }
    void SetSetting6(bool value) { plusSign_ = value; }
    bool Setting7() const { return zeroPad_; }
    void SetSetting7(bool value) { zeroPad_ = value; }

    std::string ValueToString(double value) const override;

private:
    std::int32_t rounding_ = 0;
    std::int32_t roundingValue_ = 6;
    std::int32_t alignment_ = 0;
    std::int32_t width_ = 12;
    bool separator_ = false;
    bool plusSign_ = false;
    bool zeroPad_ = false;
};

// The host's scientific format: one digit, the decimal places, "e", the
// exponent's sign and at least three exponent digits ("1.23e+007").
class ScientificFormat : public NumberFormat {
public:
    std::int32_t DecimalPlaces() const { return decimalPlaces_; }
    void SetDecimalPlaces(std::int32_t value) { decimalPlaces_ = value; }

    std::string ValueToString(double value) const override;

private:
    std::int32_t decimalPlaces_ = 6;
};

}  // namespace platform
