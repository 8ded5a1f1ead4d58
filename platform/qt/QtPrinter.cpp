#include "platform/qt/QtPrinter.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>

#include "platform/com/ComError.h"
#include "platform/forms/FormsError.h"
#include "platform/qt/QtText.h"

namespace platform::qt {

std::unique_ptr<QPrinter> OpenDefaultPrinter() {
    const QPrinterInfo info = QPrinterInfo::defaultPrinter();
    if (info.isNull()) return nullptr;
    return std::make_unique<QPrinter>(info, QPrinter::HighResolution);
}

QtPrinter::QtPrinter() : QtPrinter(&OpenDefaultPrinter) {}

QtPrinter::QtPrinter(PrinterSource source) : source_(std::move(source)) {}

QtPrinter::~QtPrinter() = default;

std::unique_ptr<QPrinter> QtPrinter::Require() const {
    auto printer = source_ ? source_() : nullptr;
    if (!printer) {
        throw ComError(formerr::PrinterError, "Printer",
                       "Printer error: no default printer is set up on this computer.");
    }
    return printer;
}

void QtPrinter::SetFontSize(double points) {
    Require();
    if (points <= 0) throw FormError(formerr::InvalidPropertyValue);
    fontSize_ = points;
}

double QtPrinter::FontSize() {
    Require();
    return fontSize_;
}

void QtPrinter::Print(const std::string& text) {
    Require();
    for (const QString& line : WithLineFeeds(text).split(QLatin1Char('\n'))) lines_.push_back({line, fontSize_});
}

void QtPrinter::PrintEmptyLine() { Print(""); }

void QtPrinter::EndDoc() {
    std::unique_ptr<QPrinter> printer = Require();
    std::vector<Line> lines = std::move(lines_);
    lines_.clear();
    if (lines.empty()) return;  // nothing printed: no page goes out
    QPainter painter;
    if (!painter.begin(printer.get())) {
        throw ComError(formerr::PrinterError, "Printer", "Printer error: the printer could not start the document.");
    }
    const int width = printer->width();
    const int height = printer->height();
    int y = 0;
    for (const Line& line : lines) {
        QFont font;
        font.setPointSizeF(line.points);
        const QFont printed(font, printer.get());
        painter.setFont(printed);
        const QFontMetrics metrics(printed, printer.get());
        const QRect needed =
            line.text.isEmpty()
                ? QRect(0, 0, width, metrics.lineSpacing())
                : metrics.boundingRect(QRect(0, 0, width, height), Qt::TextWordWrap | Qt::TextExpandTabs, line.text);
        if (y > 0 && y + needed.height() > height) {
            printer->newPage();
            y = 0;
        }
        painter.drawText(QRect(0, y, width, needed.height()), Qt::TextWordWrap | Qt::TextExpandTabs, line.text);
        y += needed.height();
    }
    painter.end();
}

}  // namespace platform::qt
