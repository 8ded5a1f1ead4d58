#pragma once
// Statistics of doubles in exact rational arithmetic (GMP), rounded once: an
// oracle for what the summary writes and the statistics report prints.
#include <algorithm>
#include <bit>
#include <cstdint>
#include <cmath>
#include <string>
#include <vector>

#include <gmpxx.h>

namespace testsupport {

struct ExactMoments {
    mpq_class sum, mean, variance;  // sample variance, 0 for one value
};

// Two passes over the values' exact rational values.
inline ExactMoments Moments(const std::vector<double>& values) {
    ExactMoments m;
    for (double x : values) m.sum += mpq_class(x);
    m.mean = m.sum / static_cast<long>(values.size());
    for (double x : values) m.variance += (mpq_class(x) - m.mean) * (mpq_class(x) - m.mean);
    if (values.size() > 1) m.variance /= static_cast<long>(values.size() - 1);
    return m;
}

// q, or its square root, rounded to 15 significant digits (ties to even) and read as a double.
inline double Round15(const mpq_class& q, bool root = false) {
    if (q == 0) return 0.0;
    const mpq_class a = abs(q);
    const long power = root ? 2 : 1;
    auto ten = [](long e) { mpz_class p; mpz_ui_pow_ui(p.get_mpz_t(), 10, static_cast<unsigned long>(e)); return mpq_class(p); };
    // v = a^(1/power) / 10^k must lie in [10^14, 10^15): compare a / 10^(k power) against powers.
    long k = static_cast<long>((static_cast<double>(mpz_sizeinbase(a.get_num_mpz_t(), 2)) -
                                static_cast<double>(mpz_sizeinbase(a.get_den_mpz_t(), 2))) * std::log10(2.0) / power) - 14;
    auto scaled = [&](long at) { return at >= 0 ? mpq_class(a / ten(at * power)) : mpq_class(a * ten(-at * power)); };
    while (scaled(k) >= ten(15 * power)) ++k;
    while (scaled(k) < ten(14 * power)) --k;
    const mpq_class w = scaled(k);
    mpz_class m = w.get_num() / w.get_den();
    if (root) mpz_sqrt(m.get_mpz_t(), m.get_mpz_t());
    const mpq_class half = mpq_class(m) + mpq_class(1, 2);
    const int side = cmp(root ? mpq_class(half * half) : half, w);  // the midpoint above m against v
    if (side < 0 || (side == 0 && mpz_odd_p(m.get_mpz_t()))) ++m;
    const double magnitude = std::strtod((m.get_str() + "e" + std::to_string(k)).c_str(), nullptr);
    return q < 0 ? -magnitude : magnitude;
}

// The double nearest to q or to its square root, ties to even.
inline double Nearest(const mpq_class& q, bool root = false) {
    const mpq_class a = abs(q);
    mpf_class start(a, 256);  // GMP truncates: the start is at most the value
    if (root) start = sqrt(start);
    double c = start.get_d();
    auto f = [root](const mpq_class& x) { return root ? mpq_class(x * x) : x; };
    auto middle = [](double x, double y) { return mpq_class((mpq_class(x) + mpq_class(y)) / 2); };
    auto above = [&](double x) {  // the bound to the next double up; past the largest, the overflow bound
        const double up = std::nextafter(x, INFINITY);
        return std::isinf(up) ? mpq_class(mpq_class(x) * 2 - middle(std::nextafter(x, 0.0), x)) : middle(x, up);
    };
    auto odd = [](double x) { return (std::bit_cast<std::uint64_t>(x) & 1) != 0; };
    for (int side; std::isfinite(c) && ((side = cmp(f(above(c)), a)) < 0 || (side == 0 && odd(c)));) c = std::nextafter(c, INFINITY);
    return q < 0 ? -c : c;
}

}  // namespace testsupport
