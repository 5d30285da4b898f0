#include "platform/qt_dialogs.h"

#include "platform/colors.h"

#include <QApplication>
#include <QColorDialog>
#include <QDialog>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QImage>
#include <QImageReader>
#include <QKeyEvent>
#include <QKeySequence>
#include <QLabel>

#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QTimer>
#include <algorithm>

#include <array>
#include <bit>
#include <cstdio>
#include <utility>

namespace platform {

QPrinter& sharedPrinter() {
    // Never destroyed: at exit it would be torn down after the application
    // object and the printing system it talks to.
    static QPrinter* printer = new QPrinter;
    return *printer;
}

QtFileDialogSetup fileDialogSetup(const FileDialogSettings& settings, FileDialogPurpose purpose) {
    QtFileDialogSetup setup;
    setup.title = settings.title;
    setup.nameFilter = qtFilter(settings.filter);

    setup.defaultSuffix = settings.defaultExt.trimmed();
    while (setup.defaultSuffix.startsWith(QLatin1Char('.'))) {
        setup.defaultSuffix.remove(0, 1);
    }

    setup.directory = settings.initialDir;
    setup.selectedFile = settings.fileName;
    if (!settings.fileName.isEmpty()) {
        QString path = settings.fileName;
        if (QDir::isRelativePath(path) && !settings.initialDir.isEmpty()) {
            path = QDir(settings.initialDir).filePath(path);
        }
        if (path.contains(QLatin1Char('/'))) {
            const QFileInfo info(path);
            setup.directory = QDir::cleanPath(info.path());
            setup.selectedFile = info.fileName();
        }
    }

    setup.options = QFileDialog::DontUseNativeDialog;
    if (purpose == FileDialogPurpose::Save) {
        setup.acceptMode = QFileDialog::AcceptSave;
        setup.fileMode = QFileDialog::AnyFile;
        if (!settings.options.testFlag(FileOption::OverwritePrompt)) {
            setup.options |= QFileDialog::DontConfirmOverwrite;
        }
    } else {
        setup.acceptMode = QFileDialog::AcceptOpen;
        if (settings.options.testFlag(FileOption::AllowMultiSelect)) {
            setup.fileMode = QFileDialog::ExistingFiles;
        } else if (settings.options.testFlag(FileOption::FileMustExist)) {
            setup.fileMode = QFileDialog::ExistingFile;
        } else {
            setup.fileMode = QFileDialog::AnyFile;
        }
    }
    return setup;
}

void applyFileDialogSetup(QFileDialog& dialog, const QtFileDialogSetup& setup) {
    // The options first: they decide whether Qt builds its own widgets.
    dialog.setOptions(setup.options);
    if (!setup.title.isEmpty()) {
        dialog.setWindowTitle(setup.title);
    }
    dialog.setAcceptMode(setup.acceptMode);
    dialog.setFileMode(setup.fileMode);
    if (!setup.nameFilter.isEmpty()) {
        dialog.setNameFilter(setup.nameFilter);
    }
    dialog.setDefaultSuffix(setup.defaultSuffix);
    if (!setup.directory.isEmpty()) {
        dialog.setDirectory(setup.directory);
    }
    if (!setup.selectedFile.isEmpty()) {
        dialog.selectFile(setup.selectedFile);
    }
}

ChosenFile inspectChosenFile(const QString& path) {
    const QFileInfo info(path);
    ChosenFile file;
    file.path = info.absoluteFilePath();
    file.exists = info.exists();
    file.writable = file.exists && info.isWritable();
    file.folderExists = info.absoluteDir().exists();
    return file;
}

FileChoiceCheck checkChosenFile(const ChosenFile& file, FileOptions options) {
    using Action = FileChoiceCheck::Action;
    // A file that must exist, or that may be created, needs an existing folder.
    const bool folderNeeded = options & (FileOption::PathMustExist | FileOption::FileMustExist |
                                         FileOption::CreatePrompt);
    if (folderNeeded && !file.folderExists) {
        return {Action::Refuse, file.path + QStringLiteral("\nPath does not exist.\n"
                                                           "Check the path and try again.")};
    }
    if (options.testFlag(FileOption::FileMustExist) && !file.exists) {
        return {Action::Refuse, file.path + QStringLiteral("\nFile not found.\n"
                                                           "Check the file name and try again.")};
    }
    if (options.testFlag(FileOption::NoReadOnlyReturn) && file.exists && !file.writable) {
        return {Action::Refuse, file.path + QStringLiteral("\nThis file is read-only.")};
    }
    if (options.testFlag(FileOption::CreatePrompt) && !file.exists) {
        return {Action::AskCreate,
                file.path + QStringLiteral("\nThis file does not exist.\nCreate the file?")};
    }
    return {};
}

QPixmap picturePreview(const QString& path, QSize box) {
    // Only a regular file is previewed: opening a FIFO would hold the dialog
    // until a writer came.
    if (path.isEmpty() || box.isEmpty() || !QFileInfo(path).isFile()) {
        return {};
    }
    QImageReader reader(path);
    reader.setAutoTransform(true);
    if (!reader.canRead()) {
        return {};
    }
    // Decoding at the preview size saves memory on large photographs.
    const QSize size = reader.size();
    if (size.isValid() && (size.width() > box.width() || size.height() > box.height())) {
        reader.setScaledSize(size.scaled(box, Qt::KeepAspectRatio));
    }
    QImage image = reader.read();
    if (image.isNull()) {
        return {};
    }
    // Some formats ignore the scaled size, and a turned photograph may still
    // be too large.
    if (image.width() > box.width() || image.height() > box.height()) {
        image = image.scaled(box, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    }
    return QPixmap::fromImage(image);
}

namespace {

QStyle::StandardPixmap messageIcon(MessageKind kind) {
    switch (kind) {
    case MessageKind::Warning:
        return QStyle::SP_MessageBoxWarning;
    case MessageKind::Error:
        return QStyle::SP_MessageBoxCritical;
    case MessageKind::Information:
        return QStyle::SP_MessageBoxInformation;
    case MessageKind::Confirm:
        return QStyle::SP_MessageBoxQuestion;
    }
    return QStyle::SP_MessageBoxInformation;
}

struct ButtonChoice {
    Button button;
    Answer answer;
    const char* objectName;
};

// The order the buttons appear in, left to right.
constexpr std::array<ButtonChoice, 4> kButtonOrder{{
    {Button::Yes, Answer::Yes, "button_Yes"},
    {Button::No, Answer::No, "button_No"},
    {Button::OK, Answer::OK, "button_OK"},
    {Button::Cancel, Answer::Cancel, "button_Cancel"},
}};

// The message box. It takes the keyboard as the system's own boxes do: a
// letter alone, as well as with Alt, presses the button that underlines it.
class MessageBox final : public QDialog {
public:
    using QDialog::QDialog;

protected:
    void keyPressEvent(QKeyEvent* event) override {
        const Qt::KeyboardModifiers others =
            event->modifiers() & ~(Qt::ShiftModifier | Qt::KeypadModifier);
        if (others == Qt::NoModifier) {
            for (QPushButton* button : findChildren<QPushButton*>()) {
                const QKeySequence access = QKeySequence::mnemonic(button->text());
                if (!access.isEmpty() && access[0].key() == event->key() && button->isEnabled()) {
                    button->click();
                    return;
                }
            }
        }
        QDialog::keyPressEvent(event);
    }
};

void writeToStandardError(const QString& line) {
    const QByteArray bytes = line.toLocal8Bit() + '\n';
    std::fwrite(bytes.constData(), 1, static_cast<std::size_t>(bytes.size()), stderr);
    std::fflush(stderr);
}

} // namespace

QString fittedMessageText(const QString& text, const QFontMetrics& metrics, int maxWidth) {
    QString fitted;
    fitted.reserve(std::min<qsizetype>(text.size(), 4096));
    qsizetype start = 0;
    while (start < text.size()) {
        // Blanks and line breaks are kept as they are; each run between them
        // is measured on its own.
        qsizetype end = start;
        const bool blank = text.at(start).isSpace();
        while (end < text.size() && text.at(end).isSpace() == blank) {
            ++end;
        }
        const QString run = text.mid(start, end - start);
        fitted += !blank && metrics.horizontalAdvance(run) > maxWidth
                      ? metrics.elidedText(run, Qt::ElideMiddle, maxWidth)
                      : run;
        start = end;
    }
    return fitted;
}

bool boxOnlyInforms(Buttons buttons) {
    return std::popcount(buttons.toInt()) <= 1;
}

void QtDialogs::setUnattended(std::optional<UnattendedBoxes> unattended) {
    unattended_ = std::move(unattended);
}

QtDialogs& qtDialogs() {
    static QtDialogs dialogs;
    return dialogs;
}

Answer QtDialogs::message(MessageKind kind, const QString& text, Buttons buttons) {
    // Not a QMessageBox: closing one of those answers its escape button,
    // while closing this box must answer None.
    MessageBox box(QApplication::activeWindow());
    box.setObjectName(QStringLiteral("plakoraMessageBox"));
    box.setWindowTitle(messageCaption(kind));
    box.setModal(true);

    QStyle* style = box.style();
    const int iconSize = style->pixelMetric(QStyle::PM_MessageBoxIconSize, nullptr, &box);
    auto* icon = new QLabel(&box);
    icon->setObjectName(QStringLiteral("messageIcon"));
    icon->setPixmap(style->standardIcon(messageIcon(kind), nullptr, &box).pixmap(iconSize));
    icon->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    auto* label = new QLabel(&box);
    label->setObjectName(QStringLiteral("messageText"));
    label->setTextFormat(Qt::PlainText);
    label->setWordWrap(true);
    // At most two thirds of the screen wide, whatever the text holds.
    const QScreen* screen = box.screen() ? box.screen() : QGuiApplication::primaryScreen();
    const int widest = screen ? std::max(300, screen->availableGeometry().width() * 2 / 3) : 800;
    const QString shown = fittedMessageText(text, label->fontMetrics(), widest);
    label->setText(shown);
    // Short messages stay on one line; long ones wrap at a readable width.
    label->setMinimumWidth(std::min(label->fontMetrics().horizontalAdvance(shown) + 4, 420));
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);

    if (!buttons) {
        buttons = Button::OK;
    }
    Answer answer = Answer::None;
    auto* row = new QHBoxLayout;
    row->addStretch();
    QPushButton* first = nullptr;
    for (const ButtonChoice& choice : kButtonOrder) {
        if (!buttons.testFlag(choice.button)) {
            continue;
        }
        auto* button = new QPushButton(buttonText(choice.button), &box);
        button->setObjectName(QLatin1String(choice.objectName));
        QObject::connect(button, &QPushButton::clicked, &box, [&box, &answer, choice] {
            answer = choice.answer;
            box.accept();
        });
        row->addWidget(button);
        if (first == nullptr) {
            first = button;
        }
    }
    row->addStretch();
    first->setDefault(true);
    first->setFocus();

    // Unattended, a box that only informs goes to the log and presses its
    // own default button after a while.
    if (unattended_ && boxOnlyInforms(buttons)) {
        const QString line = messageCaption(kind) + QStringLiteral(": ") + text;
        if (unattended_->echo) {
            unattended_->echo(line);
        } else {
            writeToStandardError(line);
        }
        auto* closer = new QTimer(&box);
        closer->setObjectName(QStringLiteral("selfClose"));
        closer->setSingleShot(true);
        closer->setInterval(unattended_->closeAfter);
        QObject::connect(closer, &QTimer::timeout, first, &QPushButton::click);
        closer->start();
    }

    auto* layout = new QGridLayout(&box);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    layout->addWidget(icon, 0, 0);
    layout->addWidget(label, 0, 1);
    layout->setColumnMinimumWidth(1, 200);
    layout->addLayout(row, 1, 0, 1, 2);

    // Esc and the window's close button reject the box, which leaves None.
    if (box.exec() != QDialog::Accepted) {
        return Answer::None;
    }
    return answer;
}

std::optional<QStringList> QtDialogs::runFileDialog(const FileDialogSettings& settings,
                                                    FileDialogPurpose purpose, bool preview) {
    QFileDialog dialog(QApplication::activeWindow());
    applyFileDialogSetup(dialog, fileDialogSetup(settings, purpose));

    if (preview) {
        auto* label = new QLabel(&dialog);
        label->setObjectName(QStringLiteral("picturePreview"));
        label->setFixedSize(kPicturePreviewSize);
        label->setAlignment(Qt::AlignCenter);
        if (auto* grid = qobject_cast<QGridLayout*>(dialog.layout())) {
            // Qt's own dialog lays out its parts in a grid three columns
            // wide; the preview takes a fourth beside the file list.
            grid->addWidget(label, 1, 3, 3, 1);
        } else if (dialog.layout() != nullptr) {
            dialog.layout()->addWidget(label);
        }
        const auto showPreview = [label](const QString& path) {
            const QPixmap pixmap = picturePreview(path, kPicturePreviewSize);
            if (pixmap.isNull()) {
                label->clear();
            } else {
                label->setPixmap(pixmap);
            }
        };
        QObject::connect(&dialog, &QFileDialog::currentChanged, label, showPreview);
        // The picture the dialog starts on is previewed before anything is clicked.
        const QStringList starting = dialog.selectedFiles();
        if (!settings.fileName.isEmpty() && starting.size() == 1) {
            showPreview(starting.first());
        }
    }

    // A refused choice is explained and the dialog opens again where it was.
    for (;;) {
        if (dialog.exec() != QDialog::Accepted) {
            return std::nullopt;
        }
        QStringList files;
        for (const QString& file : dialog.selectedFiles()) {
            files << QFileInfo(file).absoluteFilePath();
        }
        if (files.isEmpty()) {
            return std::nullopt;
        }
        bool chooseAgain = false;
        for (const QString& file : std::as_const(files)) {
            const FileChoiceCheck check =
                checkChosenFile(inspectChosenFile(file), settings.options);
            if (check.action == FileChoiceCheck::Action::Refuse) {
                message(MessageKind::Warning, check.text, Button::OK);
                chooseAgain = true;
                break;
            }
            if (check.action == FileChoiceCheck::Action::AskCreate &&
                message(MessageKind::Confirm, check.text, Button::Yes | Button::No) !=
                    Answer::Yes) {
                return std::nullopt;
            }
        }
        if (!chooseAgain) {
            return files;
        }
    }
}

std::optional<QStringList> QtDialogs::openFile(const FileDialogSettings& settings) {
    return runFileDialog(settings, FileDialogPurpose::Open, false);
}

std::optional<QString> QtDialogs::saveFile(const FileDialogSettings& settings) {
    const std::optional<QStringList> files =
        runFileDialog(settings, FileDialogPurpose::Save, false);
    if (!files) {
        return std::nullopt;
    }
    return files->first();
}

std::optional<QStringList> QtDialogs::openPicture(const FileDialogSettings& settings) {
    return runFileDialog(settings, FileDialogPurpose::Open, true);
}

std::optional<std::uint32_t> QtDialogs::chooseColor(const ColorDialogSettings& settings) {
    QColorDialog dialog(toQColor(settings.color), QApplication::activeWindow());
    dialog.setOption(QColorDialog::DontUseNativeDialog, true);
    dialog.setOption(QColorDialog::ShowAlphaChannel, false);
    if (dialog.exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    return fromQColor(dialog.selectedColor());
}

bool QtDialogs::printSetup(const PrintSetupSettings& settings) {
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
