#include "src/core/QuickSortNonCase.h"

#include "src/core/ErrorHandling.h"
#include "src/core/LocaleText.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <cstring>
#include <cwchar>
#include <memory>
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

// Whether arr[lo..hi] holds anything to sort; a range reaching outside is a subscript error.
bool RangeToSort(std::size_t size, std::int32_t lo, std::int32_t hi) {
    if (lo > hi) return false;
    if (lo < 0 || static_cast<std::size_t>(hi) >= size)
        throw platform::RuntimeError(platform::vberr::SubscriptOutOfRange);
    return true;
}

template <class T, class Order>
void Sort(const char* name, std::vector<T>& arr, std::int32_t lo, std::int32_t hi, const Order& order) {
    const Procedure procedure{name, kModule};
    Guarded(procedure, [&] {
        if (RangeToSort(arr.size(), lo, hi))
            SortRange(arr, lo, hi, DepthBudget(std::int64_t{hi} - lo + 1), procedure, order);
    });
}

struct ByDay {
    std::int32_t Key(double date) const { return DateToJulian(date); }
    bool Less(std::int32_t a, std::int32_t b) const { return a < b; }
};

// Numbers carry their own order in their bits: a radix sort on those bits runs
// in linear time on every input, with no recursion at all. Doubles map to
// unsigned integers that order as they do (negatives with every bit flipped,
// the rest with the sign bit set); equal numbers stay equal.
struct DoubleBits {
    using Key = std::uint64_t;
    static Key ToKey(double value) {
        const auto bits = std::bit_cast<Key>(value);
        return (bits >> 63) != 0 ? ~bits : bits | (Key{1} << 63);
    }
    static double FromKey(Key key) { return std::bit_cast<double>((key >> 63) != 0 ? key & ~(Key{1} << 63) : ~key); }
};
struct LongBits {
    using Key = std::uint32_t;
    static Key ToKey(std::int32_t value) { return static_cast<Key>(value) ^ 0x80000000u; }
    static std::int32_t FromKey(Key key) { return static_cast<std::int32_t>(key ^ 0x80000000u); }
};

// Least significant digit first, 11 bits a digit, between the range itself
// (holding keys in place of the numbers) and one spare buffer. The counts of
// every digit come from one pass; a digit every key shares costs no pass.
template <class Bits, class T>
void RadixSort(T* first, std::size_t n) {
    using Key = typename Bits::Key;
    static_assert(sizeof(Key) == sizeof(T));
    constexpr int kDigitBits = 11;
    constexpr std::size_t kDigits = std::size_t{1} << kDigitBits;
    constexpr int kPasses = (static_cast<int>(sizeof(Key)) * 8 + kDigitBits - 1) / kDigitBits;
    const auto load = [](const void* at) {
        Key key;
        std::memcpy(&key, at, sizeof key);
        return key;
    };
    std::vector<std::array<std::size_t, kDigits>> counts(kPasses);
    for (std::size_t i = 0; i < n; ++i) {
        const Key key = Bits::ToKey(first[i]);
        std::memcpy(first + i, &key, sizeof key);
        for (int pass = 0; pass < kPasses; ++pass) ++counts[pass][(key >> (pass * kDigitBits)) & (kDigits - 1)];
    }
    const std::unique_ptr<Key[]> spare(new Key[n]);
    void* from = first;
    void* to = spare.get();
    for (int pass = 0; pass < kPasses; ++pass) {
        auto& starts = counts[static_cast<std::size_t>(pass)];
        if (std::find(starts.begin(), starts.end(), n) != starts.end()) continue;
        std::size_t next = 0;
        for (auto& start : starts) next += std::exchange(start, next);
        const int shift = pass * kDigitBits;
        for (std::size_t i = 0; i < n; ++i) {
            const Key key = load(static_cast<const Key*>(from) + i);
            std::memcpy(static_cast<Key*>(to) + starts[(key >> shift) & (kDigits - 1)]++, &key, sizeof key);
        }
        std::swap(from, to);
    }
    for (std::size_t i = 0; i < n; ++i) first[i] = Bits::FromKey(load(static_cast<const Key*>(from) + i));
}

template <class Bits, class T>
void SortNumbers(const char* name, std::vector<T>& arr, std::int32_t lo, std::int32_t hi) {
    Guarded(Procedure{name, kModule}, [&] {
        if (RangeToSort(arr.size(), lo, hi)) RadixSort<Bits>(arr.data() + lo, static_cast<std::size_t>(hi - lo) + 1);
    });
}

// Each lower-cased text is given the first level of its collation key once,
// into one block of keys; the sort then orders positions by those keys, far
// cheaper than collating the texts at every comparison, and collates only the
// texts whose keys are equal. The texts are moved once, to their places.
struct PrimaryKeys {
    PrimaryKeys(std::vector<std::string>::const_iterator first, std::vector<std::string>::const_iterator last) {
        std::size_t bytes = 0;
        for (auto at = first; at != last; ++at) bytes += at->size() + 1;
        block.reserve(bytes);  // a character takes at least a byte, and has at most one first-level weight
        starts.reserve(static_cast<std::size_t>(last - first));
        std::wstring folded;
        for (auto at = first; at != last; ++at) {
            folded.clear();
            localetext::AppendFolded(*at, folded);
            starts.push_back(block.size());
            localetext::AppendPrimaryKey(folded, block);
            block.push_back(L'\0');
        }
    }
    const wchar_t* At(std::int32_t position) const { return block.data() + starts[static_cast<std::size_t>(position)]; }
    std::wstring block;
    std::vector<std::size_t> starts;
};

struct ByCollation {
    const PrimaryKeys& keys;
    const std::string* texts;  // the first text of the range
    std::int32_t Key(std::int32_t position) const { return position; }
    bool Less(std::int32_t a, std::int32_t b) const {
        if (const int primary = std::wcscmp(keys.At(a), keys.At(b)); primary != 0) return primary < 0;
        const std::string& first = texts[a];
        const std::string& second = texts[b];
        if (first == second) return false;
        const std::wstring foldedFirst = localetext::Folded(first);
        const std::wstring foldedSecond = localetext::Folded(second);
        // Texts that differ only in letter case are equal.
        return foldedFirst != foldedSecond && localetext::Collate(foldedFirst, foldedSecond) < 0;
    }
};

// Puts arr[lo + order[k]] at lo + k, following each cycle of the permutation.
void MoveIntoOrder(std::vector<std::string>& arr, std::int32_t lo, std::vector<std::int32_t>& order) {
    for (std::size_t start = 0; start < order.size(); ++start) {
        if (order[start] < 0 || static_cast<std::size_t>(order[start]) == start) continue;
        const auto base = static_cast<std::size_t>(lo);
        std::string held = std::move(arr[base + start]);
        std::size_t at = start;
        for (;;) {
            const auto from = static_cast<std::size_t>(order[at]);
            order[at] = -1;
            if (from == start) {
                arr[base + at] = std::move(held);
                break;
            }
            arr[base + at] = std::move(arr[base + from]);
            at = from;
        }
    }
}

// The calendar's range: 1 January 100 to 31 December 9999.
constexpr double kFirstDay = -657434.0;
constexpr double kDayAfterLast = 2958466.0;

}  // namespace

void LongAscending(std::vector<std::int32_t>& arr, std::int32_t lo, std::int32_t hi) {
    SortNumbers<LongBits>("LongAscending", arr, lo, hi);
}

void DoubleAscending(std::vector<double>& arr, std::int32_t lo, std::int32_t hi) {
    SortNumbers<DoubleBits>("DoubleAscending", arr, lo, hi);
}

void StringsAscending(std::vector<std::string>& arr, std::int32_t lo, std::int32_t hi) {
    Guarded(Procedure{"StringsAscending", kModule}, [&] {
        if (!RangeToSort(arr.size(), lo, hi)) return;
        const PrimaryKeys keys(arr.begin() + lo, arr.begin() + hi + 1);
        std::vector<std::int32_t> order(static_cast<std::size_t>(hi - lo) + 1);
        for (std::size_t k = 0; k < order.size(); ++k) order[k] = static_cast<std::int32_t>(k);
        Sort("StringsAscending", order, 0, static_cast<std::int32_t>(order.size()) - 1, ByCollation{keys, arr.data() + lo});
        MoveIntoOrder(arr, lo, order);
    });
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
