#include "platform/print_setup.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QPushButton>

namespace platform {

QPrinter& sharedPrinter() {
    // Never destroyed: at exit it would be torn down after the application
    // object and the printing system it talks to.
    static QPrinter* printer = new QPrinter;
    return *printer;
}

bool runPrintSetup(const PrintSetupSettings& settings) {
    if (settings.options.testFlag(PrintOption::WarnNoPrinter) &&
        QPrinterInfo::availablePrinterNames().isEmpty()) {
        dialogs().message(MessageKind::Warning,
                          QStringLiteral("No printer is installed. You can still print to a PDF "
                                         "file."),
                          Button::OK);
    }
    QPrintDialog dialog(&sharedPrinter(), QApplication::activeWindow());
    QAbstractPrintDialog::PrintDialogOptions options =
        QAbstractPrintDialog::PrintShowPageSize | QAbstractPrintDialog::PrintCollateCopies;
    options.setFlag(QAbstractPrintDialog::PrintPageRange,
                    settings.options.testFlag(PrintOption::PageNums));
    options.setFlag(QAbstractPrintDialog::PrintToFile,
                    settings.options.testFlag(PrintOption::PrintToFile));
    dialog.setOptions(options);
    // Set-up only chooses the printer: its confirming button prints nothing.
    if (auto* box = dialog.findChild<QDialogButtonBox*>()) {
        if (QPushButton* ok = box->button(QDialogButtonBox::Ok)) {
            ok->setText(buttonText(Button::OK));
        }
    }
    if (!settings.title.isEmpty()) {
        dialog.setWindowTitle(settings.title);
    }
    return dialog.exec() == QDialog::Accepted;
}

} // namespace platform
