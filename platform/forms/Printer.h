#pragma once
#include <string>

// The default printer. A document gathers what is printed until EndDoc
// sends it. With no printer installed every call throws ComError.
namespace platform::printer {

void SetFontSize(double points);
double FontSize();
// Prints the text and ends the line (line breaks inside the text are kept).
void Print(const std::string& text);
void PrintEmptyLine();
void EndDoc();

}  // namespace platform::printer
