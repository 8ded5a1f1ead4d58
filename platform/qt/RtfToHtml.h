#pragma once
#include <QString>
#include <string>

namespace platform::qt {

// Converts the rich text a rich-text box is given into HTML for a Qt text
// widget. Understood: groups, bold, italic and underline (on and off),
// \plain, font size (\fs, half points), fonts named in the font table,
// paragraphs (\par, \pard) with left and first-line indents (\li, \fi, twips)
// and alignment (\ql, \qc, \qr, \qj), \line, \tab, escaped characters
// (\\, \{, \}, \'hh in Windows-1252, \uN). Other control words and the
// contents of other destinations are left out. Text that is not rich text
// is shown as plain paragraphs.
QString RtfToHtml(const std::string& rtf);

}  // namespace platform::qt
