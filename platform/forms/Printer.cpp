#include "platform/forms/Printer.h"

#include "platform/forms/UiBackend.h"

namespace platform::printer {

void SetFontSize(double points) { Ui().PrinterSetFontSize(points); }
double FontSize() { return Ui().PrinterFontSize(); }
void Print(const std::string& text) { Ui().PrinterPrint(text); }
void PrintEmptyLine() { Ui().PrinterPrintEmptyLine(); }
void EndDoc() { Ui().PrinterEndDoc(); }

}  // namespace platform::printer
