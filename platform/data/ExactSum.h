#pragma once
// Sums, means and variances of doubles computed exactly, then rounded once.
#include <cstdint>
#include <memory>

#include <gmpxx.h>

namespace platform {

// numerator * 2^exponent / denominator, denominator above 0.
struct ExactRatio {
    mpz_class numerator;
    mpz_class denominator = 1;
    long exponent = 0;
};

// The exact sum of finite doubles and 64-bit integers, or of their squares:
// an integer times a power of two, in 128 bits while it fits there (sums of
// prices, counts and measures of one scale), else as wide as it needs.
class ExactSum {
public:
    void Add(double value);
    void AddSquare(double value);
    void Add(std::int64_t value);
    void AddSquare(std::int64_t value);

    ExactRatio Value() const;

private:
    void AddTerm(__int128 term, long exponent);

    __int128 small_ = 0;  // the sum is small_ * 2^exponent_ ...
    long exponent_ = 0;
    std::unique_ptr<mpz_class> wide_;  // ... or, once that would overflow, *wide_ * 2^exponent_
};

// The mean and the sample variance (divisor n - 1, 0 for n below 2) of n values
// whose exact sum and sum of squares are given.
ExactRatio ExactMean(const ExactSum& sum, std::int64_t n);
ExactRatio ExactVariance(const ExactSum& sum, const ExactSum& squares, std::int64_t n);

// The double nearest to x or to the square root of x (x at least 0), ties to
// even; beyond the range of doubles an infinity.
double NearestDouble(const ExactRatio& x);
double NearestDoubleOfRoot(const ExactRatio& x);

// x, or its square root, rounded to 15 significant digits (ties to even),
// given as the double nearest to that decimal.
double Rounded15(const ExactRatio& x);
double Rounded15OfRoot(const ExactRatio& x);

}  // namespace platform
