#include "platform/data/ExactSum.h"

#include <algorithm>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <string>

namespace platform {

namespace {

// The odd integer and the power of two a nonzero double or integer is.
void Decompose(double value, std::int64_t& mantissa, long& exponent) {
    const auto bits = std::bit_cast<std::uint64_t>(value);
    const auto biased = static_cast<long>((bits >> 52) & 0x7FF);
    std::uint64_t whole = bits & ((std::uint64_t{1} << 52) - 1);
    if (biased != 0) whole |= std::uint64_t{1} << 52;  // not subnormal: the hidden bit
    const int zeros = std::countr_zero(whole);
    mantissa = static_cast<std::int64_t>(whole >> zeros);
    if (bits >> 63) mantissa = -mantissa;
    exponent = (biased != 0 ? biased : 1) - 1075 + zeros;
}

void Decompose(std::int64_t value, __int128& mantissa, long& exponent) {
    const int zeros = std::countr_zero(static_cast<std::uint64_t>(value));
    mantissa = static_cast<__int128>(value) >> zeros;
    exponent = zeros;
}

mpz_class Wide(__int128 value) {
    const bool negative = value < 0;
    const unsigned __int128 magnitude = negative ? 0 - static_cast<unsigned __int128>(value) : static_cast<unsigned __int128>(value);
    mpz_class result = static_cast<unsigned long>(magnitude >> 64);
    result <<= 64;
    result += static_cast<unsigned long>(magnitude & 0xFFFFFFFFFFFFFFFFu);
    return negative ? mpz_class(-result) : result;
}

// value * 2^bits, which the caller knows to fit.
__int128 Shifted(__int128 value, long bits) {
    return static_cast<__int128>(static_cast<unsigned __int128>(value) << bits);
}

// The bits of a 128-bit integer's magnitude.
int Bits(__int128 value) {
    const unsigned __int128 magnitude = value < 0 ? 0 - static_cast<unsigned __int128>(value) : static_cast<unsigned __int128>(value);
    const auto high = static_cast<std::uint64_t>(magnitude >> 64);
    return high ? 128 - std::countl_zero(high) : 64 - std::countl_zero(static_cast<std::uint64_t>(magnitude));
}

mpz_class Power(unsigned long base, unsigned long exponent) {
    mpz_class result;
    mpz_ui_pow_ui(result.get_mpz_t(), base, exponent);
    return result;
}

// a / b or the square root of a / b (a at least 0, b above 0), rounded down
// or to the nearest integer, ties to even.
mpz_class Quotient(const mpz_class& a, const mpz_class& b, bool root, bool nearest) {
    mpz_class q, r;
    if (!root) {
        mpz_fdiv_qr(q.get_mpz_t(), r.get_mpz_t(), a.get_mpz_t(), b.get_mpz_t());
        if (!nearest) return q;
        const int side = cmp(mpz_class(2 * r), b);
        if (side > 0 || (side == 0 && mpz_odd_p(q.get_mpz_t()))) ++q;
        return q;
    }
    // s = floor(2 * sqrt(a / b)): the root lies in [s / 2, (s + 1) / 2).
    const mpz_class four = 4 * a;
    mpz_class s = four / b;
    mpz_sqrt(s.get_mpz_t(), s.get_mpz_t());
    q = s / 2;
    if (nearest && mpz_odd_p(s.get_mpz_t())) {
        const bool tie = s * s * b == four;
        if (!tie || mpz_odd_p(q.get_mpz_t())) ++q;
    }
    return q;
}

// |x| (or its root) in units of base^k, with k chosen so that the rounded-down
// count has `digits` digits in that base; binary counts stop at 2^-1074.
struct Scaled {
    mpz_class count;  // rounded to nearest
    long k;
};

Scaled ScaleTo(const ExactRatio& x, bool root, unsigned long base, unsigned long digits) {
    mpz_class a = abs(x.numerator);
    mpz_class b = x.denominator;
    if (x.exponent >= 0)
        a <<= static_cast<mp_bitcnt_t>(x.exponent);
    else
        b <<= static_cast<mp_bitcnt_t>(-x.exponent);
    const mpz_class lower = Power(base, digits - 1);
    const mpz_class upper = lower * base;
    const bool binary = base == 2;
    const long smallest = -1074;
    // A first guess from the sizes, then a step or two to the right k.
    const double log2 = static_cast<double>(mpz_sizeinbase(a.get_mpz_t(), 2)) -
                        static_cast<double>(mpz_sizeinbase(b.get_mpz_t(), 2));
    const double logBase = (root ? log2 / 2 : log2) / std::log2(static_cast<double>(base));
    long k = static_cast<long>(std::floor(logBase)) - static_cast<long>(digits) + 1;
    if (binary) k = std::max(k, smallest);
    auto quotient = [&](long at, bool nearest) {
        const unsigned long steps = static_cast<unsigned long>(std::labs(at)) * (root ? 2 : 1);
        if (at >= 0) return Quotient(a, b * Power(base, steps), root, nearest);
        return Quotient(a * Power(base, steps), b, root, nearest);
    };
    while (true) {
        const mpz_class down = quotient(k, false);
        if (down >= upper)
            ++k;
        else if (down < lower && !(binary && k == smallest))
            --k;
        else
            break;
    }
    return {quotient(k, true), k};
}

double Signed(const ExactRatio& x, double magnitude) { return sgn(x.numerator) < 0 ? -magnitude : magnitude; }

// Whether x is a double as it stands (a sum of one value, mostly), and which.
bool IsDouble(const ExactRatio& x, double& value) {
    if (x.denominator != 1 || mpz_sizeinbase(x.numerator.get_mpz_t(), 2) > 53 || x.exponent < -1074 || x.exponent > 971)
        return false;
    value = std::ldexp(x.numerator.get_d(), static_cast<int>(x.exponent));
    return true;
}

double Nearest(const ExactRatio& x, bool root) {
    if (sgn(x.numerator) == 0) return 0.0;
    if (double value = 0; !root && IsDouble(x, value)) return value;
    const Scaled scaled = ScaleTo(x, root, 2, 53);
    return Signed(x, std::ldexp(scaled.count.get_d(), static_cast<int>(std::clamp(scaled.k, -2000L, 2000L))));
}

double Decimal15(const ExactRatio& x, bool root) {
    if (sgn(x.numerator) == 0) return 0.0;
    if (double value = 0; !root && IsDouble(x, value)) {
        char text[40];
        *std::to_chars(text, text + sizeof text - 1, value, std::chars_format::scientific, 14).ptr = '\0';
        return std::strtod(text, nullptr);
    }
    const Scaled scaled = ScaleTo(x, root, 10, 15);
    const std::string text = scaled.count.get_str() + "e" + std::to_string(scaled.k);
    return Signed(x, std::strtod(text.c_str(), nullptr));
}

}  // namespace

void ExactSum::AddTerm(__int128 term, long exponent) {
    constexpr int kRoom = 126;  // bits a sum of two may take in 128
    if (!wide_) {
        if (small_ == 0) {
            small_ = term;
            exponent_ = exponent;
            return;
        }
        if (exponent < exponent_ && Bits(small_) + (exponent_ - exponent) <= kRoom) {
            small_ = Shifted(small_, exponent_ - exponent);
            exponent_ = exponent;
        }
        const bool fits = exponent >= exponent_ && Bits(term) + (exponent - exponent_) <= kRoom;
        if (fits) {
            small_ += Shifted(term, exponent - exponent_);
            if (Bits(small_) <= kRoom) return;
        }
        wide_ = std::make_unique<mpz_class>(Wide(small_));
        if (fits) return;
    }
    mpz_class& sum = *wide_;
    if (exponent < exponent_) {
        sum <<= static_cast<mp_bitcnt_t>(exponent_ - exponent);
        exponent_ = exponent;
    }
    sum += Wide(term) << static_cast<mp_bitcnt_t>(exponent - exponent_);
}

void ExactSum::Add(double value) {
    if (value == 0) return;
    std::int64_t mantissa = 0;
    long exponent = 0;
    Decompose(value, mantissa, exponent);
    AddTerm(mantissa, exponent);
}

void ExactSum::AddSquare(double value) {
    if (value == 0) return;
    std::int64_t mantissa = 0;
    long exponent = 0;
    Decompose(value, mantissa, exponent);
    AddTerm(static_cast<__int128>(mantissa) * mantissa, 2 * exponent);
}

void ExactSum::Add(std::int64_t value) {
    if (value == 0) return;
    __int128 mantissa = 0;
    long exponent = 0;
    Decompose(value, mantissa, exponent);
    AddTerm(mantissa, exponent);
}

void ExactSum::AddSquare(std::int64_t value) {
    if (value == 0) return;
    __int128 mantissa = 0;
    long exponent = 0;
    Decompose(value, mantissa, exponent);
    AddTerm(mantissa * mantissa, 2 * exponent);  // an odd mantissa of up to 63 bits: a square of up to 126
}

ExactRatio ExactSum::Value() const { return {wide_ ? *wide_ : Wide(small_), 1, exponent_}; }

ExactRatio ExactMean(const ExactSum& sum, std::int64_t n) {
    ExactRatio mean = sum.Value();
    mean.denominator = static_cast<long>(n);
    return mean;
}

ExactRatio ExactVariance(const ExactSum& sum, const ExactSum& squares, std::int64_t n) {
    if (n < 2) return {};
    // (n * sum of squares - sum^2) / (n (n - 1)), on a common power of two.
    const ExactRatio s1 = sum.Value();
    const ExactRatio s2 = squares.Value();
    const long exponent = std::min(s2.exponent, 2 * s1.exponent);
    const mpz_class count = static_cast<long>(n);
    ExactRatio variance;
    variance.numerator = ((count * s2.numerator) << static_cast<mp_bitcnt_t>(s2.exponent - exponent)) -
                         ((s1.numerator * s1.numerator) << static_cast<mp_bitcnt_t>(2 * s1.exponent - exponent));
    variance.denominator = count * (count - 1);
    variance.exponent = exponent;
    return variance;
}

double NearestDouble(const ExactRatio& x) { return Nearest(x, false); }
double NearestDoubleOfRoot(const ExactRatio& x) { return Nearest(x, true); }
double Rounded15(const ExactRatio& x) { return Decimal15(x, false); }
double Rounded15OfRoot(const ExactRatio& x) { return Decimal15(x, true); }

}  // namespace platform
