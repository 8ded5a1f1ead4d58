#include "src/statistics/TessalyFunctionsNumNames.h"

#include <array>

#include "platform/com/ComError.h"
#include "src/core/ErrorHandling.h"

namespace tessaly {
namespace {

// 10^3 to 10^30.
constexpr std::array<const char*, 10> kLowNames = {
    "thousand",    "million",    "billion",   "trillion",  "quadrillion",
    "quintillion", "sexillion",  "septillion", "octillion", "nonillion"};

// 10^(3 + 30t + 3u) from 10^33 to 10^300: the unit prefix u, then the tens word t.
constexpr std::array<const char*, 10> kTensWords = {
    "",                  "decillion",      "vigintillion",     "trigintillion",
    "quadragintillion",  "quinquagintillion", "sexagintillion", "septuagintillion",
    "octogintillion",    "nonagintillion"};
constexpr std::array<const char*, 10> kUnitPrefixes = {
    "", "un", "duo", "tre", "quattuor", "quin", "sex", "sept", "octo", "novem"};

std::string PositiveName(int n) {
    if (n == 100) return "Googol";
    if (n == 303) return "centillion";
    if (n <= 30) return kLowNames[static_cast<std::size_t>(n / 3 - 1)];
    const int k = (n - 3) / 3;
    return std::string(kUnitPrefixes[static_cast<std::size_t>(k % 10)]) +
           kTensWords[static_cast<std::size_t>(k / 10)];
}

std::string NegativeName(int n) {
    switch (n) {
        case -2: return "hundredths";
        case -4: return "ten thousandths";
        case -5: return "hundred thousandths";
        // The name users of the reports have always seen for this power.
        case -249: return "duooctogintilliovnths";
        default: return PositiveName(-n) + "ths";
    }
}

// The exponents in the order the entries are added.
std::vector<int> Exponents() {
    std::vector<int> exponents;
    for (int n = -303; n <= -102; n += 3) exponents.push_back(n);
    exponents.push_back(-100);
    for (int n = -99; n <= -6; n += 3) exponents.push_back(n);
    for (int n : {-5, -4, -3, -2}) exponents.push_back(n);
    for (int n = 3; n <= 99; n += 3) exponents.push_back(n);
    exponents.push_back(100);
    for (int n = 102; n <= 303; n += 3) exponents.push_back(n);
    return exponents;
}

}  // namespace

void NumNameDictionary::Add(std::string key, std::string name) {
    if (index_.contains(key)) throw platform::RuntimeError(platform::vberr::KeyAlreadyInCollection);
    index_.emplace(key, entries_.size());
    entries_.emplace_back(std::move(key), std::move(name));
}

const std::string& NumNameDictionary::Item(const std::string& key) const {
    const auto found = index_.find(key);
    if (found == index_.end()) throw platform::RuntimeError(platform::vberr::InvalidCall);
    return entries_[found->second].second;
}

NumNameDictionary MakeNumNameDictionary() {
    return Guarded(Procedure{"MakeNumNameDictionary", "TessalyFunctions"}, NumNameDictionary{}, [] {
        NumNameDictionary names;
        for (int n : Exponents()) names.Add(std::to_string(n), n < 0 ? NegativeName(n) : PositiveName(n));
        return names;
    });
}

}  // namespace tessaly
