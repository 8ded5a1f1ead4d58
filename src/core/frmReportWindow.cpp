#include "src/core/frmReportWindow.h"

#include "platform/forms/Clipboard.h"
#include "platform/forms/Printer.h"
#include "src/core/ErrorHandling.h"
#include "src/core/frmReportPrintWrap.h"

namespace tessaly {

ReportWindow::ReportWindow(const char* className, const char* module) : Form(className), module_(module) {
    cmdCopy.Click = [this] { cmdCopy_Click(); };
    cmdPrint.Click = [this] { cmdPrint_Click(); };
    cmdOK.Click = [this] { cmdOK_Click(); };
}

void ReportWindow::Design() {
    SetCaption("Report");
    SetClientSize(5310, 3180);
    txtBackground.Move(120, 105, 5160, 2580);
    txtBackground.SetLocked(true);
    txtReport.Move(180, 165, 5040, 2460);
    txtReport.SetMultiLine(true);
    txtReport.SetLocked(true);
    txtReport.SetFontName("MS Sans Serif");
    txtReport.SetFontSize(9.75);
    cmdPrint.SetCaption("&Print");
    cmdPrint.Move(345, 2745, 1500, 405);
    cmdCopy.SetCaption("&Copy to Clipboard");
    cmdCopy.Move(1905, 2745, 1500, 405);
    cmdOK.SetCaption("&Exit");
    cmdOK.Move(3465, 2745, 1500, 405);
    imgCornerBars.SetPicture("cornerbars");
    imgCornerBars.Move(5070, 2940, 240, 240);
}

void ReportWindow::cmdCopy_Click() {
    Guarded(Procedure{"cmdCopy_Click", module_}, [&] {
        platform::clipboard::Clear();
        platform::clipboard::SetText(txtReport.Text());
        cmdOK.SetFocus();
    });
}

void ReportWindow::cmdPrint_Click() {
    Guarded(Procedure{"cmdPrint_Click", module_}, [&] {
        const std::string wrapped = WrapForPrinting(txtReport.Text());
        platform::printer::SetFontSize(12);
        platform::printer::Print(wrapped);
        platform::printer::PrintEmptyLine();
        platform::printer::EndDoc();
        cmdOK.SetFocus();
    });
}

}  // namespace tessaly
