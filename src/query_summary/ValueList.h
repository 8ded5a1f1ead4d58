#pragma once
#include <functional>
#include <string>
#include <vector>

#include "platform/data/Variant.h"

// The lines of the query builder's value list: a field's distinct values,
// sorted by the field's type and written as they go into a query.
namespace tessaly {

// How one value is written into a where clause of the theme's source
// (SourceTable::WhereLiteralWriter): appends its line, or one line for each
// text the source keeps the value in. Every line, inserted after "field = ",
// selects exactly the rows holding that text.
using ValueLiteral = std::function<void(const platform::Variant&, std::vector<std::string>&)>;

// The values one by one; Empty after the last.
using ValueSource = std::function<platform::Variant()>;

// Sorted by the host's field type code:
//   4 (text)           ignoring letter case
//   0, 1, 6 (integers) as numbers (object IDs past 2^31 too)
//   2, 3 (reals)       as numbers (64-bit integers too, kept exact)
//   5 (date)           by day
// Another type is error 13; a value that does not convert raises what the
// conversion raises (13, or 6 for an integer out of range).
// `count` is how many values there are, to make room for them.
std::vector<std::string> ValueListLines(int fieldType, const ValueSource& next, std::size_t count,
                                        const ValueLiteral& literal);

}  // namespace tessaly
