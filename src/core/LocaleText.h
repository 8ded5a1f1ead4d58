#pragma once
#include <string>
#include <string_view>
#include <vector>

// Letter case and collation by the user's locale, for the routines that compare
// text "ignoring case". Text is UTF-8; a byte that is not part of a valid sequence
// stands for itself (as U+0080 to U+00FF would).
namespace tessaly::localetext {

// One character of a UTF-8 text: where it starts, how many bytes, which character.
struct Char {
    std::size_t offset;
    std::size_t length;
    wchar_t code;
};

std::vector<Char> DecodeUtf8(std::string_view text);

// The lower-case form of one character in the user's locale.
wchar_t FoldCase(wchar_t c);

// The text as wide characters, each in its lower-case form.
std::wstring Folded(std::string_view text);
void AppendFolded(std::string_view text, std::wstring& out);

// <0, 0 or >0 as `a` sorts before, with or after `b` in the user's locale.
int Collate(const std::wstring& a, const std::wstring& b);
// Appends the first level of the collation key of `text` up to its first NUL
// (no NUL is appended). Where the first levels of two texts differ, wcscmp of
// them orders the texts as Collate does; where they are equal, only Collate
// can tell (the C library's full keys and its comparison disagree on the last
// level, on texts that differ only in punctuation).
void AppendPrimaryKey(const std::wstring& text, std::wstring& out);

}  // namespace tessaly::localetext
