// Printer set-up and the printed listing of the board's texts.

#include "editor/mainform.h"
#include "editor/print_listing.h"
#include "platform/dialogs.h"
#include "platform/fonts.h"
#include "platform/printing.h"

#include <QCoreApplication>
#include <QPlainTextEdit>

#include <memory>

using platform::Button;
using platform::MessageKind;
using platform::PrintOption;

void Tmainform::PrinterSetup1Click() {
    platform::PrintSetupSettings PrintDialog1;
    PrintDialog1.title = QStringLiteral("Printer Setup");
    PrintDialog1.options = PrintOption::PageNums | PrintOption::PrintToFile |
                           PrintOption::ShowHelp | PrintOption::WarnNoPrinter;
    // Whatever the answer, the printer chosen is the one later listings go to.
    platform::dialogs().printSetup(PrintDialog1);
}

void Tmainform::Print1Click() {
    // The text object boxes' font in the editor's standard layout.
    const QFont font = platform::boardFont(QStringLiteral("Arial"), 12);
    QString error;
    const std::unique_ptr<platform::PrintJob> job =
        platform::PrintJob::start(QCoreApplication::applicationName(), font, &error);
    if (!job) {
        platform::dialogs().message(MessageKind::Error, error, Button::OK);
        return;
    }
    printListing(*job, {board.TextFile1, textObjectLines(Memo1), board.TextFile2,
                        textObjectLines(Memo2), imageListEntries()});
    if (!job->finish(&error)) {
        platform::dialogs().message(MessageKind::Error, error, Button::OK);
    }
}
