#pragma once
#include <QString>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class QPrinter;

namespace platform::qt {

// The printer of the forms' Printer object: what is printed is gathered, each
// line in the font size set when it was printed, and EndDoc paints the pages
// on a printer and sends them. Every call throws ComError (482, "Printer
// error") when there is no printer to print on.
class QtPrinter {
public:
    // Opens the printer to print on, or none when there is none.
    using PrinterSource = std::function<std::unique_ptr<QPrinter>()>;

    // The system's default printer.
    QtPrinter();
    explicit QtPrinter(PrinterSource source);
    ~QtPrinter();

    void SetFontSize(double points);
    double FontSize();
    void Print(const std::string& text);
    void PrintEmptyLine();
    void EndDoc();

private:
    struct Line {
        QString text;
        double points;
    };
    std::unique_ptr<QPrinter> Require() const;

    PrinterSource source_;
    double fontSize_ = 10;
    std::vector<Line> lines_;
};

// The default printer of the system, or none when none is set up.
std::unique_ptr<QPrinter> OpenDefaultPrinter();

}  // namespace platform::qt
