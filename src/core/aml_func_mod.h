#pragma once
#include "platform/data/Field.h"
#include "platform/data/Variant.h"

#include <concepts>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

// Text, path, file, registry and system routines that every part of the library
// shares. They keep no state. Unless said otherwise an error inside one is
// reported at top level and the routine returns the empty text or false.
// Path routines split and join at `sep`, "/" on this platform.
namespace tessaly {

// Splits `s` at the one-character `delim`: parts trimmed of blanks, a stretch in
// apostrophes kept whole (its apostrophes dropped), a single trailing delimiter
// ignored. When `s` holds nothing but delimiters and blanks, `parts` is left as
// it was. Never reports.
void ParseString(const std::string& s, std::vector<std::string>& parts, std::string_view delim);

// The folder part of `path`, with a trailing separator ("C:\dir\file" gives
// "C:\dir\"), and its last part ("file"). Components keep their blanks and
// apostrophes, as file names here may hold them. A path of only separators is
// reported as a subscript error.
std::string ReturnDir(const std::string& path, std::string_view sep = "/");
std::string ReturnFilename(const std::string& path, std::string_view sep = "/");

// The long (resolved) form of an existing path; `path` unchanged when it does not
// exist or its long form does not fit 260 characters. "*" and "?" are name
// characters here, not patterns, in this and the two routines below.
std::string GetFullFileString(const std::string& path);

// Whether a file or folder of that path exists. Never reports.
bool ExistFileDir(const std::string& path);

// `name` when nothing of that path exists, else the first free "<base>_<n><ext>"
// for n = 2, 3, ...; the extension is the last "." and what follows it, taken only
// when it lies in the last five characters and after the last separator.
std::string MakeUniqueFilename(const std::string& name, std::string_view sep = "/");

// Removes trailing characters found in `rightSet`, then leading ones found in
// `leftSet`, ignoring letter case; sets are single characters, not affixes.
// `s` receives the result too.
std::string BasicTrimAvenue(std::string& s, std::string_view leftSet, std::string_view rightSet);

// The value's text with its integer part grouped by "," in threes ("1234567.5"
// gives "1,234,567.5"); a leading sign stays in front of the digits. A Null has
// no text: reported, empty result.
std::string InsertCommas(const platform::Variant& value);
template <std::integral T>
std::string InsertCommas(T count) {
    return InsertCommas(platform::Variant(std::to_string(count)));
}

// Whether a field's type code is one of the numeric ones (0 to 3). A missing
// field is the "object not set" error, reported; false.
bool FieldIsNumeric(const platform::Field& field);
bool FieldIsNumeric(const std::shared_ptr<const platform::Field>& field);

// A folder the host catalog remembered (which 0 to 3: last browsed, exported,
// visited, saved to) or the host's install folder (4), with one trailing `sep`
// removed; a "Unable to determine ..." text when it cannot be read, and the
// empty text for any other `which`.
std::string ReturnArcGISGeneralDir(std::int32_t which, std::string_view sep = "/");

// The system's temporary folder with its trailing separator.
std::string TempPathLocation();

// The name of the user running the process; empty when it cannot be had.
std::string GetTheUserName();

// The text before and after the first occurrence of `find`; empty when there is none.
std::string Before(const std::string& s, const std::string& find);
std::string After(const std::string& s, const std::string& find);

// `s` with the occurrences of `find` deleted.
std::string Subst(const std::string& s, const std::string& find);
// `s` with each occurrence of `find` overwritten in place by `repl`; the length
// stays that of `s`, so only a `repl` as long as `find` truly replaces.
// An empty `find` or `repl` gives `s` unchanged.
std::string Subst(const std::string& s, const std::string& find, const std::string& repl);

}  // namespace tessaly
