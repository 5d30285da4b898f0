// Saving and loading boards, and the program settings file that remembers
// the last one.

#include "editor/board_document.h"
#include "editor/image_list_panel.h"
#include "editor/image_list_rules.h"
#include "editor/mainform.h"

#include "persistence/board_file.h"
#include "persistence/text_file.h"
#include "platform/system_info.h"
#include "show/control_panel.h"
#include "show/show_rules.h"

#include <QAction>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QLocale>
#include <QPlainTextEdit>
#include <QSlider>
#include <QTextDocument>
#include <QToolButton>

#include <algorithm>
#include <cstdint>

using platform::Answer;
using platform::Button;
using platform::MessageKind;

namespace {

// Window bounds from a board, fitted to the screen: a window larger than the
// screen takes the screen's size, and one that would lie wholly off the
// screen (a board saved on a larger or a second screen) is moved onto it.
QRect fittedWindowBounds(const BoardFileFields& f, int screenWidth, int screenHeight) {
    const int w = std::clamp(f.Width, 1, std::max(1, screenWidth));
    const int h = std::clamp(f.Height, 1, std::max(1, screenHeight));
    // A board may put the window's corner anywhere a 32-bit value reaches,
    // and its far edge beyond that: the overlap is worked out in 64 bits.
    const auto overlaps = [](std::int64_t start, int length, int screenLength) {
        return start < screenLength && start + length > 0;
    };
    if (overlaps(f.Left, w, screenWidth) && overlaps(f.Top, h, screenHeight)) {
        // Within a window's size of the screen: every edge fits an int.
        return QRect(f.Left, f.Top, w, h);
    }
    return QRect(std::clamp(f.Left, 0, std::max(0, screenWidth - w)),
                 std::clamp(f.Top, 0, std::max(0, screenHeight - h)), w, h);
}

QString notABoardQuestion(const QString& path) {
    return QStringLiteral("\"%1\" is not a Plakora configuration file.\n\nReplace it with this "
                          "board?")
        .arg(path);
}

} // namespace

void Tmainform::connectBoardCommands() {
    connect(SaveConfig, &QToolButton::clicked, this, &Tmainform::SaveConfigClickFromButton);
    connect(SaveSettingsFile1, &QAction::triggered, this, &Tmainform::SaveSettingsFile1Click);
    connect(OpenSettingsFile1, &QAction::triggered, this, &Tmainform::OpenSettingsFile1Click);
    connect(edit1, &QLineEdit::editingFinished, this,
            [this] { restoreTypingLimit(edit1, kMainTitleTypingLimit); });
    connect(edit2, &QLineEdit::editingFinished, this,
            [this] { restoreTypingLimit(edit2, kLineTypingLimit); });
    connect(Edit3, &QLineEdit::editingFinished, this,
            [this] { restoreTypingLimit(Edit3, kLineTypingLimit); });
}

void Tmainform::decideElementFlags() {
    setElementFlags(showState, elementFlagsFor(showTexts()));
}

BoardFileFields Tmainform::boardFileFields() const {
    BoardFileFields f;
    f.MainTitle = edit1->text();
    f.SecondTitle = edit2->text();
    f.CrawlLine = Edit3->text();
    const QRect outer = frameGeometry();
    f.Left = outer.left();
    f.Top = outer.top();
    f.Width = outer.width();
    f.Height = outer.height();
    f.PlayTime = PlayTime->value();
    f.ImageStretch = ImageStretch->isChecked();
    return f;
}

QStringList Tmainform::imageListEntries() const {
    return imagePanel_->entries();
}

Tmainform::SaveOutcome Tmainform::SaveConfigClick(SaveSource source) {
    platform::systemInfo().setCurrentDirectory(board.StartDirectory);

    // Judged on the board as it stands, not on the flags of the last Play.
    decideElementFlags();
    if (!PROJECTISVALID(showState, board.ClockOn)) {
        platform::dialogs().message(MessageKind::Confirm, QStringLiteral("Nothing To Save"),
                                    Button::OK);
        return SaveOutcome::NotSaved;
    }

    if (source == SaveSource::SaveAs || document_->fileName().isEmpty()) {
        SaveDialog1.defaultExt = QStringLiteral("SFG");
        SaveDialog1.filter = QStringLiteral("SFG|*.SFG");
        SaveDialog1.title = QStringLiteral("Save a Plakora Configuration");
        SaveDialog1.fileName = document_->fileName();
        SaveDialog1.options |= platform::FileOption::OverwritePrompt;
        SaveDialog1.options |= platform::FileOption::CreatePrompt;
        const std::optional<QString> chosen = platform::dialogs().saveFile(SaveDialog1);
        if (!chosen) {
            return SaveOutcome::NotSaved;
        }
        document_->setFileName(*chosen);
        SaveDialog1.fileName.clear();
    }
    // Kept absolute from here on: the Project key and the settings file must
    // name this file whatever folder the program starts from next time.
    document_->setFileName(boardFilePath(document_->fileName()));
    const BoardDocument::PreparedSave save =
        document_->prepareSave(document_->fileName(), boardFileFields(), imageListEntries(),
                               saveStamp(QDateTime::currentDateTime(), QLocale::system()));
    if (!save.error.isEmpty()) {
        platform::dialogs().message(MessageKind::Error, save.error, Button::OK);
        return SaveOutcome::Failed;
    }
    if (save.replacesNonBoard &&
        platform::dialogs().message(MessageKind::Confirm, notABoardQuestion(save.path),
                                    Button::Yes | Button::No) != Answer::Yes) {
        return SaveOutcome::NotSaved;
    }
    if (const QString error = document_->writeSave(save); !error.isEmpty()) {
        platform::dialogs().message(MessageKind::Error, error, Button::OK);
        return SaveOutcome::Failed;
    }

    // The board and its list are saved whatever becomes of the settings
    // file: a settings file that cannot be written is reported, and a quit
    // that asked for this save goes on.
    WriteTheIniFile();
    return SaveOutcome::Saved;
}

void Tmainform::SaveConfigClickFromButton() {
    SaveConfigClick(SaveSource::SaveButton);
}

void Tmainform::SaveSettingsFile1Click() {
    SaveConfigClick(SaveSource::SaveAs);
}

void Tmainform::ToolButton1Click() {
    const QString filter = OpenDialog1.filter;
    const QString defaultExt = OpenDialog1.defaultExt;
    const QString title = OpenDialog1.title;
    OpenDialog1.filter = QStringLiteral("SFG|*.SFG");
    OpenDialog1.defaultExt = QStringLiteral("SFG");
    OpenDialog1.title = QStringLiteral("Load Configuration");
    OpenDialog1.options |= platform::FileOption::FileMustExist;
    const std::optional<QStringList> chosen = platform::dialogs().openFile(OpenDialog1);
    if (!chosen || chosen->isEmpty()) {
        return;
    }
    loadConfiguration(chosen->first());
    OpenDialog1.filter = filter;
    OpenDialog1.defaultExt = defaultExt;
    OpenDialog1.title = title;
}

void Tmainform::OpenSettingsFile1Click() {
    ToolButton1Click();
}

bool Tmainform::loadConfiguration(const QString& path) {
    // Resolved once, here: a board opened through a link has its image list
    // beside the board file itself, and a relative name stays right when the
    // working folder changes.
    const QString resolved = boardFilePath(path);
    // The board takes the file's name only once it has been loaded: a file
    // that is no board must not become the target of the next save.
    if (!OpenSFGfile(resolved)) {
        return false;
    }
    document_->setFileName(resolved);
    return true;
}

bool Tmainform::OpenSFGfile(const QString& FileName) {
    const BoardLoad load = readBoardIntoEditor(FileName);
    if (!load.error.isEmpty()) {
        platform::dialogs().message(load.missing ? MessageKind::Information : MessageKind::Error,
                                    load.error, Button::OK);
        return false;
    }
    if (!load.imageListError.isEmpty()) {
        platform::dialogs().message(MessageKind::Error, load.imageListError, Button::OK);
    }
    return true;
}

Tmainform::BoardLoad Tmainform::readBoardIntoEditor(const QString& FileName) {
    if (!QFileInfo::exists(FileName)) {
        return BoardLoad{QStringLiteral("I cant find ") + FileName, true, {}};
    }
    platform::SystemInfo& sys = platform::systemInfo();
    const BoardDocument::Loaded loaded =
        document_->read(FileName, sys.screenWidth(), sys.screenHeight());
    if (!loaded.error.isEmpty()) {
        return BoardLoad{loaded.error, false, {}};
    }
    StatusPanel->setText(FileName);
    // What was read while the editor was hidden is older than this board.
    unshownLive_.reset();

    const BoardFileFields& fields = loaded.fields;
    setLoadedLineText(edit1, fields.MainTitle, kMainTitleTypingLimit);
    setLoadedLineText(edit2, fields.SecondTitle, kLineTypingLimit);
    setLoadedLineText(Edit3, fields.CrawlLine, kLineTypingLimit);
    const QRect bounds = fittedWindowBounds(fields, sys.screenWidth(), sys.screenHeight());
    move(bounds.topLeft());
    // Only a change of size runs the layout.
    if (bounds.size() != frameGeometry().size()) {
        setOuterSize(bounds.width(), bounds.height());
    }
    PlayTime->setValue(std::clamp(fields.PlayTime, PlayTime->minimum(), PlayTime->maximum()));
    ImageStretch->setChecked(fields.ImageStretch);

    for (QPlainTextEdit* memo : {Memo1, Memo2}) {
        const QString& file = memo == Memo1 ? board.TextFile1 : board.TextFile2;
        if (!file.isEmpty() && QFileInfo::exists(file)) {
            readTextObject(memo, file);
        }
    }

    Label1->setText(QString::number(PlayTime->value()));
    PagePause->setChecked(board.PagePause1);
    ToggleClockOn->setChecked(board.ClockOn);
    if (controlPanel_) {
        controlPanel_->setBarsFromBoard();
    }

    if (loaded.imageList) {
        ListBox1->clear();
        ListBox1->addItems(*loaded.imageList);
    }
    Label4->setText(imageCountText(ListBox1->count()));

    document_->setChanged(false);
    Memo1->document()->setModified(false);
    Memo2->document()->setModified(false);
    return BoardLoad{{}, false, loaded.imageListError};
}

void Tmainform::setLoadedLineText(QLineEdit* box, const QString& text, int limit) {
    // The typing limit of a box holds for what the operator types; a loaded
    // text is shown whole, and the limit comes back once the text fits it.
    const qsizetype length = std::min<qsizetype>(text.size(), INT_MAX);
    box->setMaxLength(static_cast<int>(std::max<qsizetype>(limit, length)));
    box->setText(text);
}

void Tmainform::restoreTypingLimit(QLineEdit* box, int limit) {
    if (box->maxLength() > limit) {
        box->setMaxLength(static_cast<int>(std::max<qsizetype>(limit, box->text().size())));
    }
}

QString Tmainform::settingsFile() {
    board.WindowsDirectory = trimControls(platform::systemInfo().windowsDirectory());
    return settingsFilePath(board.WindowsDirectory);
}

bool Tmainform::WriteTheIniFile() {
    const QString path = settingsFile();
    if (!board.WindowsDirectory.isEmpty()) {
        // The configuration folder of a new account may not be there yet.
        QDir().mkpath(board.WindowsDirectory);
    }
    if (const QString error = document_->rememberAsLast(path); !error.isEmpty()) {
        platform::dialogs().message(MessageKind::Error, error, Button::OK);
        return false;
    }
    return true;
}

void Tmainform::ReadTheIniFile() {
    const QString path = settingsFile();
    if (!QFileInfo::exists(path)) {
        return;
    }
    const IniReadResult read = readSettingsFile(path);
    if (!read.ok()) {
        platform::dialogs().message(MessageKind::Error, read.error, Button::OK);
        return;
    }
    const std::optional<QString> kept =
        read.file.value(QString::fromLatin1(kSettingsSection), QString::fromLatin1(kLastBoardKey));
    board.SettingsLoaded = true;
    if (!kept) {
        // Without the key the default name is taken as it stands, and its
        // board is loaded only when there is one.
        const QString last = QString::fromLatin1(kDefaultLastBoard);
        if (!QFileInfo::exists(last) || OpenSFGfile(last)) {
            document_->setFileName(last);
        }
        return;
    }
    const QString last = boardFilePath(*kept);
    if (last.isEmpty()) {
        return;
    }
    // A file that is there becomes the board's name only once it has loaded,
    // as with Load Configuration: a file that is no board must not become
    // the target of the next save. A last board that is gone is reported as
    // a load reports it; its full path is kept, so the first save makes the
    // file again where it was. A relative name (older settings files) may
    // have meant another folder: it is not kept, and the save asks.
    const bool gone = !QFileInfo::exists(last);
    if (OpenSFGfile(last) || (gone && QFileInfo(*kept).isAbsolute())) {
        document_->setFileName(last);
    }
}

void Tmainform::offerLastBoard() {
    // A board named at start is loaded instead, and nothing is asked.
    if (!startBoard.path.isEmpty()) {
        if (!startBoard.problem.isEmpty()) {
            platform::dialogs().message(MessageKind::Error, startBoard.problem, Button::OK);
            startBoard.loaded = false;
            return;
        }
        startBoard.loaded = loadConfiguration(startBoard.path);
        return;
    }
    if (board.SettingsLoaded) {
        return;
    }
    const Answer answer = platform::dialogs().message(
        MessageKind::Confirm, QStringLiteral("Load Last Configuration "), Button::Yes | Button::No);
    if (answer == Answer::Yes) {
        ReadTheIniFile();
    }
}
