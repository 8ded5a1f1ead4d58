#include "src/core/QuickSortNonCase.h"

#include "src/core/ErrorHandling.h"
#include "src/core/LocaleText.h"

#include <cmath>
#include <utility>

namespace tessaly {
namespace {

constexpr const char* kModule = "QuickSortNonCase";

// The middle index, halves going to the even one: (0,1) gives 0, (1,2) and (0,3) give 2.
std::int64_t Middle(std::int64_t lo, std::int64_t hi) {
    const std::int64_t sum = lo + hi;
    const std::int64_t down = sum >= 0 ? sum / 2 : -((-sum + 1) / 2);
    if (sum % 2 == 0) return down;
    return down % 2 == 0 ? down : down + 1;
}

template <class T, class Order>
bool LessAt(const std::vector<T>& arr, std::int64_t a, std::int64_t b, const Order& order) {
    return order.Less(order.Key(arr[a]), order.Key(arr[b]));
}

// The index of the median of three elements.
template <class T, class Order>
std::int64_t MedianIndex(const std::vector<T>& arr, std::int64_t a, std::int64_t b, std::int64_t c,
                         const Order& order) {
    if (LessAt(arr, a, b, order)) {
        if (LessAt(arr, b, c, order)) return b;
        return LessAt(arr, a, c, order) ? c : a;
    }
    if (LessAt(arr, a, c, order)) return a;
    return LessAt(arr, b, c, order) ? c : b;
}

// Heapsort of arr[lo..hi]: the fallback when partitions keep coming out
// unbalanced, so that no input costs more than n log n.
template <class T, class Order>
void HeapSortRange(std::vector<T>& arr, std::int64_t lo, std::int64_t hi, const Order& order) {
    const std::int64_t n = hi - lo + 1;
    const auto siftDown = [&](std::int64_t root, std::int64_t size) {
        for (;;) {
            std::int64_t child = 2 * root + 1;
            if (child >= size) return;
            if (child + 1 < size && LessAt(arr, lo + child, lo + child + 1, order)) ++child;
            if (!LessAt(arr, lo + root, lo + child, order)) return;
            std::swap(arr[lo + root], arr[lo + child]);
            root = child;
        }
    };
    for (std::int64_t root = n / 2; root-- > 0;) siftDown(root, n);
    for (std::int64_t size = n - 1; size > 0; --size) {
        std::swap(arr[lo], arr[lo + size]);
        siftDown(0, size);
    }
}

// Partitions allowed before a range is heapsorted: twice the bits of its length.
std::int64_t DepthBudget(std::int64_t length) {
    std::int64_t budget = 0;
    for (; length > 1; length >>= 1) budget += 2;
    return budget;
}

// The partition sort of arr[lo..hi] by `order`'s keys. The pivot is the median
// of the elements at a quarter, the middle and three quarters of the range, so
// that sorted, reversed and rise-then-fall input all split evenly; a range that
// still splits badly too often is heapsorted. Each level reports its own errors
// and returns; the level above carries on. The smaller side is sorted by
// recursion and the larger one by the loop, so the depth stays below log2 of the
// range's length.
template <class T, class Order>
void SortRange(std::vector<T>& arr, std::int64_t lo, std::int64_t hi, std::int64_t budget,
               const Procedure& procedure, const Order& order) {
    Guarded(procedure, [&] {
        while (lo < hi) {
            if (budget-- <= 0) {
                HeapSortRange(arr, lo, hi, order);
                return;
            }
            const std::int64_t middle = Middle(lo, hi);
            const std::int64_t quarter = (hi - lo) / 4;
            const auto pivot = order.Key(arr[MedianIndex(arr, lo + quarter, middle, hi - quarter, order)]);
            std::int64_t i = lo;
            std::int64_t j = hi;
            while (i <= j) {
                while (order.Less(order.Key(arr[i]), pivot) && i < hi) ++i;
                while (order.Less(pivot, order.Key(arr[j])) && j > lo) --j;
                if (i <= j) {
                    std::swap(arr[i], arr[j]);
                    ++i;
                    --j;
                }
            }
            if (j - lo < hi - i) {
                if (lo < j) SortRange(arr, lo, j, budget, procedure, order);
                lo = i;
            } else {
                if (i < hi) SortRange(arr, i, hi, budget, procedure, order);
                hi = j;
            }
        }
    });
}

template <class T, class Order>
void Sort(const char* name, std::vector<T>& arr, std::int32_t lo, std::int32_t hi, const Order& order) {
    const Procedure procedure{name, kModule};
    Guarded(procedure, [&] {
        if (lo > hi) return;
        if (lo < 0 || static_cast<std::size_t>(hi) >= arr.size())
            throw platform::RuntimeError(platform::vberr::SubscriptOutOfRange);
        SortRange(arr, lo, hi, DepthBudget(std::int64_t{hi} - lo + 1), procedure, order);
    });
}

struct ByValue {
    template <class T>
    T Key(T value) const {
        return value;
    }
    template <class T>
    bool Less(T a, T b) const {
        return a < b;
    }
};

struct ByDay {
    std::int32_t Key(double date) const { return DateToJulian(date); }
    bool Less(std::int32_t a, std::int32_t b) const { return a < b; }
};

struct ByTextIgnoringCase {
    std::wstring Key(const std::string& text) const { return localetext::Folded(text); }
    bool Less(const std::wstring& a, const std::wstring& b) const { return localetext::Collate(a, b) < 0; }
};

// The calendar's range: 1 January 100 to 31 December 9999.
constexpr double kFirstDay = -657434.0;
constexpr double kDayAfterLast = 2958466.0;

}  // namespace

void LongAscending(std::vector<std::int32_t>& arr, std::int32_t lo, std::int32_t hi) {
    Sort("LongAscending", arr, lo, hi, ByValue{});
}

void DoubleAscending(std::vector<double>& arr, std::int32_t lo, std::int32_t hi) {
    Sort("DoubleAscending", arr, lo, hi, ByValue{});
}

void StringsAscending(std::vector<std::string>& arr, std::int32_t lo, std::int32_t hi) {
    Sort("StringsAscending", arr, lo, hi, ByTextIgnoringCase{});
}

void DatesAscending(std::vector<double>& arr, std::int32_t lo, std::int32_t hi) {
    Sort("DatesAscending", arr, lo, hi, ByDay{});
}

std::int32_t DateToJulian(double date) {
    return PassedOn(Procedure{"DateToJulian", kModule}, [&] {
        if (!(date > kFirstDay - 1.0 && date < kDayAfterLast))
            throw platform::RuntimeError(platform::vberr::Overflow);
        // The whole-day part: before 30 December 1899 the day counts down while the
        // time of day still counts up, so -1.25 is 29 December, 06:00.
        return static_cast<std::int32_t>(std::trunc(date));
    });
}

}  // namespace tessaly
