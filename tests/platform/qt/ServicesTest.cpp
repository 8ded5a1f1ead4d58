#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QTemporaryDir>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>

#include "QtTestSupport.h"
#include "platform/com/ComError.h"
#include "platform/forms/Clipboard.h"
#include "platform/forms/ErrorReportWindow.h"
#include "platform/forms/FormsError.h"
#include "platform/forms/MessageBox.h"
#include "platform/forms/Printer.h"
#include "platform/forms/Screen.h"
#include "platform/qt/DesktopLaunch.h"
#include "platform/qt/ErrorReportDialog.h"
#include "platform/qt/QtPrinter.h"

namespace {

using platform::qt::QtPrinter;

struct BoxCase {
    const char* name;
    int style;
    QMessageBox::StandardButton press;  // NoButton: close the box
    int answer;
    QMessageBox::Icon icon;
    int buttons;
};

void PrintTo(const BoxCase& c, std::ostream* os) { *os << c.name; }

class MessageBoxes : public ::testing::TestWithParam<BoxCase> {};

TEST_P(MessageBoxes, ShowTheStylesButtonsAndIconAndAnswerThePressedOne) {
    ScopedQtUi ui;
    const BoxCase& c = GetParam();
    QString title;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    int buttons = 0;
    WhenIdle([&] {
        auto* box = dynamic_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        title = box->windowTitle();
        icon = box->icon();
        buttons = static_cast<int>(box->buttons().size());
        if (c.press == QMessageBox::NoButton) {
            box->close();
        } else {
            box->button(c.press)->click();
        }
    });
    EXPECT_EQ(platform::MsgBox("Delete it?", c.style), c.answer);
    EXPECT_EQ(title, "TessalyOpenTable");
    EXPECT_EQ(icon, c.icon);
    EXPECT_EQ(buttons, c.buttons);
}

INSTANTIATE_TEST_SUITE_P(
    Styles, MessageBoxes,
    ::testing::Values(BoxCase{"OkOnly", 0, QMessageBox::Ok, 1, QMessageBox::NoIcon, 1},
                      BoxCase{"OkCancelCancelled", 1, QMessageBox::Cancel, 2, QMessageBox::NoIcon, 2},
                      BoxCase{"YesNoNo", 4, QMessageBox::No, 7, QMessageBox::NoIcon, 2},
                      BoxCase{"YesNoYes", 4, QMessageBox::Yes, 6, QMessageBox::NoIcon, 2},
                      BoxCase{"CriticalOk", 16, QMessageBox::Ok, 1, QMessageBox::Critical, 1},
                      BoxCase{"ExclamationOk", 48, QMessageBox::Ok, 1, QMessageBox::Warning, 1},
                      BoxCase{"InformationOkCancel", 65, QMessageBox::Ok, 1, QMessageBox::Information, 2},
                      BoxCase{"ClosedOkCancelIsCancel", 1, QMessageBox::NoButton, 2, QMessageBox::NoIcon, 2},
                      BoxCase{"ClosedOkOnlyIsOk", 64, QMessageBox::NoButton, 1, QMessageBox::Information, 1}));

TEST(MessageBoxText, ShowsTheTextPlainWithLineBreaksAndItsOwnTitle) {
    ScopedQtUi ui;
    QString text;
    QString title;
    WhenIdle([&] {
        auto* box = dynamic_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        text = box->text();
        title = box->windowTitle();
        EXPECT_EQ(box->textFormat(), Qt::PlainText);
        box->button(QMessageBox::Ok)->click();
    });
    platform::MsgBox("Query <b>didn't</b> work!\r\n --> x <> 1", 16, "Syntax Error:");
    EXPECT_EQ(text, "Query <b>didn't</b> work!\n --> x <> 1");
    EXPECT_EQ(title, "Syntax Error:");
}

TEST(Clipboard, HoldsTheTextPutOnItAndClearEmptiesIt) {
    ScopedQtUi ui;
    platform::clipboard::SetText("Line one\r\nLine two");
    EXPECT_EQ(platform::clipboard::GetText(), "Line one\r\nLine two");
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "Line one\r\nLine two");
    platform::clipboard::Clear();
    EXPECT_EQ(platform::clipboard::GetText(), "");
}

TEST(Printer, EveryCallFailsWithAClearErrorWhenThereIsNoPrinter) {
    ScopedQtUi ui;
    ui->SetPrinter(std::make_unique<QtPrinter>([] { return std::unique_ptr<QPrinter>(); }));
    const std::vector<std::function<void()>> calls = {
        [] { platform::printer::SetFontSize(12); }, [] { platform::printer::FontSize(); },
        [] { platform::printer::Print("text"); },   [] { platform::printer::PrintEmptyLine(); },
        [] { platform::printer::EndDoc(); }};
    for (const auto& call : calls) {
        try {
            call();
            ADD_FAILURE() << "no error";
        } catch (const platform::ComError& error) {
            EXPECT_EQ(error.Number(), platform::formerr::PrinterError);
            EXPECT_NE(error.Description().find("no default printer"), std::string::npos);
        }
    }
}

// Prints into a PDF file in place of paper.
std::unique_ptr<QtPrinter> PdfPrinter(const QString& path) {
    return std::make_unique<QtPrinter>([path] {
        auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
        printer->setOutputFormat(QPrinter::PdfFormat);
        printer->setOutputFileName(path);
        return printer;
    });
}

int PageCount(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return -1;
    const QByteArray pdf = file.readAll();
    return static_cast<int>(pdf.count("/Type /Page\n") + pdf.count("/Type /Page\r") + pdf.count("/Type /Page ") +
                            pdf.count("/Type /Page/") + pdf.count("/Type /Page>"));
}

TEST(Printer, EndDocSendsTheGatheredLinesAsPages) {
    QTemporaryDir folder;
    const QString path = folder.filePath("report.pdf");
    ScopedQtUi ui;
    ui->SetPrinter(PdfPrinter(path));
    platform::printer::SetFontSize(12);
    EXPECT_EQ(platform::printer::FontSize(), 12);
    std::string text;
    for (int i = 0; i < 120; ++i) text += "Line " + std::to_string(i) + "\r\n";
    platform::printer::Print(text);
    platform::printer::PrintEmptyLine();
    EXPECT_FALSE(QFile::exists(path));
    platform::printer::EndDoc();
    ASSERT_TRUE(QFile::exists(path));
    EXPECT_GE(PageCount(path), 2);
}

TEST(Printer, AnEmptyDocumentSendsNoPage) {
    QTemporaryDir folder;
    const QString path = folder.filePath("empty.pdf");
    ScopedQtUi ui;
    ui->SetPrinter(PdfPrinter(path));
    platform::printer::EndDoc();
    EXPECT_FALSE(QFile::exists(path));
}

TEST(ScreenPointer, TheHourglassIsTheApplicationsPointerUntilReset) {
    ScopedQtUi ui;
    platform::screen::SetMousePointer(platform::vbHourglass);
    ASSERT_NE(QGuiApplication::overrideCursor(), nullptr);
    EXPECT_EQ(QGuiApplication::overrideCursor()->shape(), Qt::WaitCursor);
    platform::screen::SetMousePointer(platform::vbHourglass);
    platform::screen::SetMousePointer(platform::vbDefault);
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
    EXPECT_EQ(platform::screen::MousePointer(), platform::vbDefault);
}

TEST(ErrorReport, OneKeptWindowShowsTheLatestReport) {
    ScopedQtUi ui;
    auto window = platform::CreateErrorReportWindow();
    window->SetText("Record Call Stack Sequence\r\n\tOnClick cmdStats");
    window->Show(true);
    platform::qt::ErrorReportDialog* dialog = ui->ErrorReportWindow();
    ASSERT_NE(dialog, nullptr);
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_EQ(dialog->Text(), "Record Call Stack Sequence\n\tOnClick cmdStats");
    window->SetText("Second report");
    window->Show(true);
    EXPECT_EQ(ui->ErrorReportWindow(), dialog);
    EXPECT_EQ(dialog->Text(), "Second report");
    EXPECT_TRUE(dialog->findChild<QPlainTextEdit*>()->isReadOnly());
}

struct UrlCase {
    const char* target;
    const char* folder;
    const char* expected;
};

TEST(DesktopUrl, AddressesStayFilesResolveAgainstTheWorkingFolder) {
    const UrlCase cases[] = {
        {"http://www.example.org/", "", "http://www.example.org/"},
        {"mailto:someone@example.org", "/tmp", "mailto:someone@example.org"},
        {"report.pdf", "/data/lesson", "file:///data/lesson/report.pdf"},
        {"../media/film one.mp4", "/data/lesson", "file:///data/media/film one.mp4"},
        {"/srv/pictures/map.png", "/data/lesson", "file:///srv/pictures/map.png"},
    };
    for (const UrlCase& c : cases) {
        EXPECT_EQ(platform::qt::DesktopUrl(c.target, c.folder), QUrl(QString::fromUtf8(c.expected))) << c.target;
    }
    EXPECT_TRUE(platform::qt::DesktopUrl("", "/tmp").isEmpty());
}

TEST(DesktopUrl, AnExistingFileIsAFileEvenWhenItsNameReadsLikeAnAddress) {
    QTemporaryDir folder;
    QFile(folder.filePath("v2:final.pdf")).open(QIODevice::WriteOnly);
    const std::string base = folder.path().toStdString();
    EXPECT_EQ(platform::qt::DesktopUrl("v2:final.pdf", base), QUrl::fromLocalFile(folder.filePath("v2:final.pdf")));
    EXPECT_EQ(platform::qt::DesktopUrl("v3:final.pdf", base), QUrl("v3:final.pdf")) << "no such file: an address";
}

TEST(DesktopUrl, AFolderNameThatIsNotUtf8ReachesTheDesktopAsItsBytes) {
    QTemporaryDir temporary;
    const std::string folder = temporary.path().toStdString() + "/Le\xe7on \xe9t\xe9";  // Latin-1 bytes
    std::filesystem::create_directories(folder + "/media");
    std::ofstream(folder + "/media/lake.jpg") << "x";
    const QUrl url = platform::qt::DesktopUrl("media/lake.jpg", folder + "/");
    ASSERT_TRUE(url.isLocalFile());
    const QByteArray bytes = QByteArray::fromPercentEncoding(url.toEncoded(QUrl::RemoveScheme).mid(2));
    EXPECT_EQ(bytes.toStdString(), folder + "/media/lake.jpg");
    EXPECT_TRUE(std::filesystem::exists(bytes.toStdString()));
}

TEST(StartProgram, ReportsWhetherTheProgramStarted) {
    ScopedQtUi ui;
    EXPECT_TRUE(ui->StartProgram("/bin/true"));
    EXPECT_FALSE(ui->StartProgram("/no/such/program"));
}

}  // namespace
