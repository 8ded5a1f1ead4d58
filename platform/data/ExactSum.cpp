#include "platform/data/ExactSum.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdlib>
#include <string>

namespace platform {

namespace {

// The odd integer and the power of two a nonzero double is.
void Decompose(double value, mpz_class& mantissa, long& exponent) {
    int e = 0;
    const double fraction = std::frexp(value, &e);
    const auto whole = static_cast<std::int64_t>(std::ldexp(fraction, 53));
    const auto magnitude = static_cast<std::uint64_t>(whole < 0 ? -whole : whole);
    const int zeros = std::countr_zero(magnitude);
    mantissa = static_cast<long>(magnitude >> zeros);
    if (whole < 0) mantissa = -mantissa;
    exponent = e - 53 + zeros;
}

void Decompose(std::int64_t value, mpz_class& mantissa, long& exponent) {
    const std::uint64_t magnitude = value < 0 ? 0 - static_cast<std::uint64_t>(value) : static_cast<std::uint64_t>(value);
    const int zeros = std::countr_zero(magnitude);
    mantissa = static_cast<unsigned long>(magnitude >> zeros);
    if (value < 0) mantissa = -mantissa;
    exponent = zeros;
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

double Nearest(const ExactRatio& x, bool root) {
    if (sgn(x.numerator) == 0) return 0.0;
    const Scaled scaled = ScaleTo(x, root, 2, 53);
    return Signed(x, std::ldexp(scaled.count.get_d(), static_cast<int>(std::clamp(scaled.k, -2000L, 2000L))));
}

double Decimal15(const ExactRatio& x, bool root) {
    if (sgn(x.numerator) == 0) return 0.0;
    const Scaled scaled = ScaleTo(x, root, 10, 15);
    const std::string text = scaled.count.get_str() + "e" + std::to_string(scaled.k);
    return Signed(x, std::strtod(text.c_str(), nullptr));
}

}  // namespace

void ExactSum::AddScaled(const mpz_class& mantissa, long exponent) {
    if (sgn(mantissa_) == 0) {
        mantissa_ = mantissa;
        exponent_ = exponent;
        return;
    }
    if (exponent < exponent_) {
        mantissa_ <<= static_cast<mp_bitcnt_t>(exponent_ - exponent);
        exponent_ = exponent;
    }
    if (exponent == exponent_)
        mantissa_ += mantissa;
    else
        mantissa_ += mantissa << static_cast<mp_bitcnt_t>(exponent - exponent_);
}

void ExactSum::Add(double value) {
    if (value == 0) return;
    mpz_class mantissa;
    long exponent = 0;
    Decompose(value, mantissa, exponent);
    AddScaled(mantissa, exponent);
}

void ExactSum::AddSquare(double value) {
    if (value == 0) return;
    mpz_class mantissa;
    long exponent = 0;
    Decompose(value, mantissa, exponent);
    AddScaled(mantissa * mantissa, 2 * exponent);
}

void ExactSum::Add(std::int64_t value) {
    if (value == 0) return;
    mpz_class mantissa;
    long exponent = 0;
    Decompose(value, mantissa, exponent);
    AddScaled(mantissa, exponent);
}

void ExactSum::AddSquare(std::int64_t value) {
    if (value == 0) return;
    mpz_class mantissa;
    long exponent = 0;
    Decompose(value, mantissa, exponent);
    AddScaled(mantissa * mantissa, 2 * exponent);
}

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
