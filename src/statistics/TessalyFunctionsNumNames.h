#pragma once
#include <cstddef>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

namespace tessaly {

// The English names of powers of ten, keyed by the exponent's decimal text
// ("6" million, "-5" hundred thousandths). Lookups are by that text only.
class NumNameDictionary {
public:
    using Entry = std::pair<std::string, std::string>;  // key, name

    // A key already present raises runtime error 457.
    void Add(std::string key, std::string name);
    // A missing key raises runtime error 5.
    const std::string& Item(const std::string& key) const;
    std::size_t Count() const { return entries_.size(); }
    // In the order added.
    const std::vector<Entry>& Entries() const { return entries_; }

private:
    std::vector<Entry> entries_;
    std::unordered_map<std::string, std::size_t> index_;
};

// The 207 names from 10^-303 to 10^303 that FormatNumberTessaly uses: every
// multiple of three, -100 and 100 (Googol), and -2, -4, -5. Build it once per
// statistics run. An error is reported and leaves the dictionary empty.
NumNameDictionary MakeNumNameDictionary();

}  // namespace tessaly
