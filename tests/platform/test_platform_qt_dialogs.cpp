#include "platform/colors.h"
#include "platform/dialogs.h"
#include "platform/qt_dialogs.h"
#include "tests/support/test_main.h"

#include <QApplication>
#include <QColorDialog>
#include <QDialog>
#include <QFile>
#include <QFileDialog>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QModelIndex>
#include <QObject>
#include <QPrintDialog>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <algorithm>
#include <functional>
#include <memory>

using namespace platform;

Q_DECLARE_METATYPE(platform::MessageKind)
Q_DECLARE_METATYPE(platform::Buttons)
Q_DECLARE_METATYPE(platform::Answer)

namespace {

// The dialogs a test expects, each with what to do to it. Every action runs
// once, as soon as a visible window of its type (and object name, unless
// empty) shows up; the windows are looked for from whatever event loop runs,
// so an action may also wait for a dialog that another dialog opens.
//
// A script whose dialog does not appear leaves the action waiting, and one
// that leaves a dialog open has it closed after a while, so the test fails
// instead of waiting for ever. Whatever is still waiting when the script goes
// out of scope is dropped with it.
class DialogScript {
public:
    DialogScript() {
        watchdog_.setInterval(5000);
        QObject::connect(&watchdog_, &QTimer::timeout, [this] {
            watchdog_.setInterval(50);
            if (QWidget* modal = QApplication::activeModalWidget()) {
                timedOut_ = true;
                modal->close();
            }
        });
        watchdog_.start();
    }
    DialogScript(const DialogScript&) = delete;
    DialogScript& operator=(const DialogScript&) = delete;

    template <typename W>
    void whenShown(const QString& objectName, std::function<void(W*)> action) {
        auto* poll = new QTimer(&owner_);
        poll->setInterval(10);
        ++waiting_;
        QObject::connect(poll, &QTimer::timeout, [this, poll, objectName, action] {
            for (QWidget* window : QApplication::topLevelWidgets()) {
                auto* found = qobject_cast<W*>(window);
                if (found != nullptr && found->isVisible() &&
                    (objectName.isEmpty() || found->objectName() == objectName)) {
                    poll->stop();
                    poll->deleteLater();
                    --waiting_;
                    action(found);
                    return;
                }
            }
        });
        poll->start();
    }

    // Every expected dialog showed up and none had to be closed by force.
    bool finished() const { return waiting_ == 0 && !timedOut_; }

private:
    QObject owner_;
    QTimer watchdog_;
    int waiting_ = 0;
    bool timedOut_ = false;
};

QStringList buttonNames(const QDialog* box) {
    QStringList names;
    // Children come in creation order, which is the order on screen.
    for (const QPushButton* button : box->findChildren<QPushButton*>()) {
        names << button->objectName();
    }
    return names;
}

QStringList buttonTexts(const QDialog* box) {
    QStringList texts;
    for (const QPushButton* button : box->findChildren<QPushButton*>()) {
        texts << button->text();
    }
    return texts;
}

// Buttons left to right by where they are drawn.
QStringList buttonsByPosition(const QDialog* box) {
    QList<QPushButton*> buttons = box->findChildren<QPushButton*>();
    std::sort(buttons.begin(), buttons.end(),
              [](const QPushButton* a, const QPushButton* b) { return a->x() < b->x(); });
    QStringList names;
    for (const QPushButton* button : buttons) {
        names << button->objectName();
    }
    return names;
}

// What the dialog's Open or Save button does; QFileDialog hides accept().
void pressAccept(QDialog* dialog) {
    dialog->accept();
}

// Writes a name into the file name box, as the operator types it.
void typeFileName(QFileDialog* dialog, const QString& name) {
    auto* edit = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
    QVERIFY(edit != nullptr);
    // With the box focused, a typed name replaces the file picked before.
    dialog->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(dialog));
    edit->setFocus();
    QVERIFY(edit->hasFocus());
    edit->setText(name);
}

// The row of `fileName` in the folder a file view shows, once it is listed.
QModelIndex listedFile(const QAbstractItemView* view, const QString& fileName) {
    const QAbstractItemModel* model = view->model();
    const QModelIndex folder = view->rootIndex();
    for (int row = 0; row < model->rowCount(folder); ++row) {
        const QModelIndex index = model->index(row, 0, folder);
        if (index.data().toString() == fileName) {
            return index;
        }
    }
    return {};
}

// Clicks `fileName` in the file list the dialog shows.
void clickFile(QFileDialog* dialog, const QString& fileName) {
    QAbstractItemView* view = nullptr;
    for (auto* candidate : dialog->findChildren<QAbstractItemView*>()) {
        if (candidate->isVisible() && (candidate->objectName() == QLatin1String("listView") ||
                                       candidate->objectName() == QLatin1String("treeView"))) {
            view = candidate;
        }
    }
    QVERIFY(view != nullptr);
    QModelIndex index;
    QTRY_VERIFY_WITH_TIMEOUT((index = listedFile(view, fileName)).isValid(), 3000);
    view->scrollTo(index);
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->visualRect(index).center());
}

void writePicture(const QString& path, QSize size, const QColor& color) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(color);
    QVERIFY(image.save(path));
}

void writeText(const QString& path) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("plain text\n");
}

} // namespace

class QtDialogsTest : public QObject {
    Q_OBJECT

private slots:
    void message_showsKindTextAndButtons_data();
    void message_showsKindTextAndButtons();
    void message_veryLongPath_boxStaysOnScreen_logKeepsItWhole();
    void message_closedAnswersNone_data();
    void message_closedAnswersNone();
    void message_keysPressButtons_data();
    void message_keysPressButtons();
    void message_unmarkedKeysLeaveBoxUp_data();
    void message_unmarkedKeysLeaveBoxUp();

    void openFile_returnsChosenAbsolutePath();
    void openFile_cancelReturnsNothing();
    void saveFile_addsDefaultSuffix();
    void saveFile_createPromptAsks_data();
    void saveFile_createPromptAsks();
    void saveFile_refusedChoiceOpensDialogAgain();

    void openPicture_previewFollowsSelection();

    void chooseColor_startsOnAndReturnsBoardColour();
    void chooseColor_cancelReturnsNothing();
    void printSetup_usesTitleAndReportsCancel();
};

void QtDialogsTest::message_showsKindTextAndButtons_data() {
    QTest::addColumn<MessageKind>("kind");
    QTest::addColumn<Buttons>("buttons");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<int>("icon");
    QTest::addColumn<QStringList>("names");
    QTest::addColumn<QStringList>("texts");
    QTest::addColumn<QString>("press");
    QTest::addColumn<Answer>("answer");

    QTest::newRow("confirm yes/no, press yes")
        << MessageKind::Confirm << (Button::Yes | Button::No) << QStringLiteral("Confirm")
        << int(QStyle::SP_MessageBoxQuestion) << QStringList{"button_Yes", "button_No"}
        << QStringList{"&Yes", "&No"} << QStringLiteral("button_Yes") << Answer::Yes;
    QTest::newRow("all four in fixed order, press cancel")
        << MessageKind::Error << (Button::Cancel | Button::OK | Button::No | Button::Yes)
        << QStringLiteral("Error") << int(QStyle::SP_MessageBoxCritical)
        << QStringList{"button_Yes", "button_No", "button_OK", "button_Cancel"}
        << QStringList{"&Yes", "&No", "OK", "Cancel"} << QStringLiteral("button_Cancel")
        << Answer::Cancel;
    QTest::newRow("warning ok/cancel, press ok")
        << MessageKind::Warning << (Button::OK | Button::Cancel) << QStringLiteral("Warning")
        << int(QStyle::SP_MessageBoxWarning) << QStringList{"button_OK", "button_Cancel"}
        << QStringList{"OK", "Cancel"} << QStringLiteral("button_OK") << Answer::OK;
    QTest::newRow("information yes/no/cancel, press no")
        << MessageKind::Information << (Button::Yes | Button::No | Button::Cancel)
        << QStringLiteral("Information") << int(QStyle::SP_MessageBoxInformation)
        << QStringList{"button_Yes", "button_No", "button_Cancel"}
        << QStringList{"&Yes", "&No", "Cancel"} << QStringLiteral("button_No") << Answer::No;
    QTest::newRow("no buttons gives ok")
        << MessageKind::Information << Buttons() << QStringLiteral("Information")
        << int(QStyle::SP_MessageBoxInformation) << QStringList{"button_OK"} << QStringList{"OK"}
        << QStringLiteral("button_OK") << Answer::OK;
}

void QtDialogsTest::message_showsKindTextAndButtons() {
    QFETCH(MessageKind, kind);
    QFETCH(Buttons, buttons);
    QFETCH(QString, caption);
    QFETCH(int, icon);
    QFETCH(QStringList, names);
    QFETCH(QStringList, texts);
    QFETCH(QString, press);
    QFETCH(Answer, answer);

    // Plain text: markup stays visible as typed.
    const QString text = QStringLiteral("The board <b>Main</b> has changed.\nSave it?");
    bool checked = false;
    DialogScript script;
    script.whenShown<QDialog>(QStringLiteral("plakoraMessageBox"), [&](QDialog* box) {
        QCOMPARE(box->windowTitle(), caption);
        QVERIFY(box->isModal());
        QCOMPARE(buttonNames(box), names);
        QCOMPARE(buttonTexts(box), texts);
        QCOMPARE(buttonsByPosition(box), names);
        auto* first = box->findChild<QPushButton*>(names.first());
        QVERIFY(first != nullptr);
        QVERIFY(first->isDefault());

        auto* label = box->findChild<QLabel*>(QStringLiteral("messageText"));
        QVERIFY(label != nullptr);
        QCOMPARE(label->text(), text);
        QCOMPARE(label->textFormat(), Qt::PlainText);
        QVERIFY(label->wordWrap());

        auto* iconLabel = box->findChild<QLabel*>(QStringLiteral("messageIcon"));
        QVERIFY(iconLabel != nullptr);
        const QPixmap shown = iconLabel->pixmap();
        QVERIFY(!shown.isNull());
        const QPixmap expected =
            box->style()
                ->standardIcon(static_cast<QStyle::StandardPixmap>(icon), nullptr, box)
                .pixmap(shown.size());
        QCOMPARE(shown.toImage(), expected.toImage());

        auto* button = box->findChild<QPushButton*>(press);
        QVERIFY(button != nullptr);
        checked = true;
        QTest::mouseClick(button, Qt::LeftButton);
    });
    const Answer result = QtDialogs().message(kind, text, buttons);
    QVERIFY(checked);
    QVERIFY(script.finished());
    QCOMPARE(result, answer);
}

void QtDialogsTest::message_veryLongPath_boxStaysOnScreen_logKeepsItWhole() {
    const QString path =
        QStringLiteral("/start") + QString(131000, QLatin1Char('x')) + QStringLiteral("/end.SFG");
    const QString text = QStringLiteral("I cant find ") + path;
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    bool checked = false;
    DialogScript script;
    script.whenShown<QDialog>(QStringLiteral("plakoraMessageBox"), [&](QDialog* box) {
        QVERIFY(box->width() <= screen.width());
        auto* ok = box->findChild<QPushButton*>(QStringLiteral("button_OK"));
        QVERIFY(ok != nullptr);
        QVERIFY(screen.contains(QRect(ok->mapToGlobal(QPoint(0, 0)), ok->size())));
        // Cut in the middle: both ends of the path show.
        const QString shown = box->findChild<QLabel*>(QStringLiteral("messageText"))->text();
        QVERIFY(shown.startsWith(QStringLiteral("I cant find /startx")));
        QVERIFY(shown.endsWith(QStringLiteral("x/end.SFG")));
        QVERIFY(shown.size() < 1000);
        checked = true;
        ok->click();
    });
    QStringList log;
    QtDialogs dialogs;
    dialogs.setUnattended(
        UnattendedBoxes{std::chrono::seconds(30), [&log](const QString& l) { log << l; }});
    QCOMPARE(dialogs.message(MessageKind::Information, text, Button::OK), Answer::OK);
    QVERIFY(checked);
    QVERIFY(script.finished());
    QCOMPARE(log, QStringList{QStringLiteral("Information: ") + text});
}

void QtDialogsTest::message_closedAnswersNone_data() {
    QTest::addColumn<bool>("escape");
    QTest::newRow("window closed") << false;
    QTest::newRow("escape pressed") << true;
}

void QtDialogsTest::message_closedAnswersNone() {
    QFETCH(bool, escape);
    bool shown = false;
    DialogScript script;
    script.whenShown<QDialog>(QStringLiteral("plakoraMessageBox"), [&](QDialog* box) {
        shown = true;
        if (escape) {
            QTest::keyClick(box, Qt::Key_Escape);
        } else {
            box->close();
        }
    });
    // Cancel is among the buttons, yet closing still answers None.
    const Answer result = QtDialogs().message(MessageKind::Confirm, QStringLiteral("Quit?"),
                                              Button::Yes | Button::No | Button::Cancel);
    QVERIFY(shown);
    QVERIFY(script.finished());
    QCOMPARE(result, Answer::None);
}

void QtDialogsTest::message_keysPressButtons_data() {
    QTest::addColumn<Buttons>("buttons");
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<Answer>("answer");
    QTest::newRow("return presses first button")
        << (Button::Yes | Button::No) << int(Qt::Key_Return) << int(Qt::NoModifier) << Answer::Yes;
    QTest::newRow("return presses first of ok/cancel")
        << (Button::OK | Button::Cancel) << int(Qt::Key_Return) << int(Qt::NoModifier)
        << Answer::OK;
    QTest::newRow("alt+n presses no")
        << (Button::Yes | Button::No) << int(Qt::Key_N) << int(Qt::AltModifier) << Answer::No;
    QTest::newRow("alt+y presses yes") << (Button::Yes | Button::No | Button::Cancel)
                                       << int(Qt::Key_Y) << int(Qt::AltModifier) << Answer::Yes;
    QTest::newRow("y alone presses yes") << (Button::Yes | Button::No | Button::Cancel)
                                         << int(Qt::Key_Y) << int(Qt::NoModifier) << Answer::Yes;
    QTest::newRow("n alone presses no, not the default")
        << (Button::Yes | Button::No) << int(Qt::Key_N) << int(Qt::NoModifier) << Answer::No;
    QTest::newRow("shift+n presses no")
        << (Button::Yes | Button::No) << int(Qt::Key_N) << int(Qt::ShiftModifier) << Answer::No;
    QTest::newRow("keypad enter presses first button")
        << (Button::No | Button::Cancel) << int(Qt::Key_Enter) << int(Qt::KeypadModifier)
        << Answer::No;
}

void QtDialogsTest::message_unmarkedKeysLeaveBoxUp_data() {
    QTest::addColumn<Buttons>("buttons");
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::newRow("ok and cancel underline nothing")
        << (Button::OK | Button::Cancel) << int(Qt::Key_O) << int(Qt::NoModifier);
    QTest::newRow("c is not cancel")
        << (Button::OK | Button::Cancel) << int(Qt::Key_C) << int(Qt::NoModifier);
    QTest::newRow("y without a yes button")
        << (Button::No | Button::Cancel) << int(Qt::Key_Y) << int(Qt::NoModifier);
    QTest::newRow("ctrl+y") << (Button::Yes | Button::No) << int(Qt::Key_Y)
                            << int(Qt::ControlModifier);
    QTest::newRow("letter of the text")
        << (Button::Yes | Button::No) << int(Qt::Key_G) << int(Qt::NoModifier);
}

void QtDialogsTest::message_unmarkedKeysLeaveBoxUp() {
    QFETCH(Buttons, buttons);
    QFETCH(int, key);
    QFETCH(int, modifiers);
    bool stayedUp = false;
    // Sent from a timer once the box is modal, the way the operator's keys come.
    QTimer::singleShot(0, [&] {
        QWidget* box = QApplication::activeModalWidget();
        QVERIFY(box != nullptr);
        QCOMPARE(box->objectName(), QStringLiteral("plakoraMessageBox"));
        QWidget* target = box->focusWidget() != nullptr ? box->focusWidget() : box;
        QTest::keyClick(target, static_cast<Qt::Key>(key),
                        static_cast<Qt::KeyboardModifiers>(modifiers));
        QCoreApplication::processEvents();
        stayedUp = box->isVisible();
        QTest::keyClick(target, Qt::Key_Escape);
    });
    const Answer result =
        QtDialogs().message(MessageKind::Confirm, QStringLiteral("Go on?"), buttons);
    QVERIFY(stayedUp);
    QCOMPARE(result, Answer::None);
}

void QtDialogsTest::message_keysPressButtons() {
    QFETCH(Buttons, buttons);
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QFETCH(Answer, answer);
    bool shown = false;
    DialogScript script;
    script.whenShown<QDialog>(QStringLiteral("plakoraMessageBox"), [&](QDialog* box) {
        shown = true;
        QWidget* target = box->focusWidget() != nullptr ? box->focusWidget() : box;
        QTest::keyClick(target, static_cast<Qt::Key>(key),
                        static_cast<Qt::KeyboardModifiers>(modifiers));
    });
    const Answer result =
        QtDialogs().message(MessageKind::Confirm, QStringLiteral("Go on?"), buttons);
    QVERIFY(shown);
    QVERIFY(script.finished());
    QCOMPARE(result, answer);
}

void QtDialogsTest::openFile_returnsChosenAbsolutePath() {
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    writeText(dir.filePath(QStringLiteral("main.brd")));
    writeText(dir.filePath(QStringLiteral("other.brd")));

    FileDialogSettings settings;
    settings.title = QStringLiteral("Open Board");
    settings.filter = QStringLiteral("Boards|*.brd|All|*.*");
    settings.options = FileOption::FileMustExist | FileOption::HideReadOnly;
    settings.initialDir = dir.path();
    settings.fileName = QStringLiteral("main.brd");

    DialogScript script;
    bool shown = false;
    script.whenShown<QFileDialog>({}, [&](QFileDialog* dialog) {
        shown = true;
        QCOMPARE(dialog->windowTitle(), QStringLiteral("Open Board"));
        QCOMPARE(dialog->nameFilters(), (QStringList{"Boards (*.brd)", "All (*.*)"}));
        QCOMPARE(dialog->fileMode(), QFileDialog::ExistingFile);
        QVERIFY(dialog->testOption(QFileDialog::DontUseNativeDialog));
        QCOMPARE(QDir(dialog->directory()).canonicalPath(), QDir(dir.path()).canonicalPath());
        typeFileName(dialog, QStringLiteral("other.brd"));
        pressAccept(dialog);
    });
    const std::optional<QStringList> files = QtDialogs().openFile(settings);
    QVERIFY(shown);
    QVERIFY(script.finished());
    QVERIFY(files.has_value());
    QCOMPARE(files->size(), 1);
    QCOMPARE(QFileInfo(files->first()).canonicalFilePath(),
             QFileInfo(dir.filePath(QStringLiteral("other.brd"))).canonicalFilePath());
    QVERIFY(QFileInfo(files->first()).isAbsolute());
}

void QtDialogsTest::openFile_cancelReturnsNothing() {
    DialogScript script;
    bool shown = false;
    script.whenShown<QFileDialog>({}, [&](QFileDialog* dialog) {
        shown = true;
        dialog->reject();
    });
    FileDialogSettings settings;
    settings.title = QStringLiteral("Open");
    QCOMPARE(QtDialogs().openFile(settings), std::nullopt);
    QVERIFY(shown);
    QVERIFY(script.finished());
}

void QtDialogsTest::saveFile_addsDefaultSuffix() {
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    FileDialogSettings settings;
    settings.title = QStringLiteral("Save Board As");
    settings.filter = QStringLiteral("Boards|*.brd");
    settings.defaultExt = QStringLiteral("brd");
    settings.fileName = dir.filePath(QStringLiteral("untitled"));
    settings.options = FileOption::OverwritePrompt;

    DialogScript script;
    bool shown = false;
    script.whenShown<QFileDialog>({}, [&](QFileDialog* dialog) {
        shown = true;
        QCOMPARE(dialog->acceptMode(), QFileDialog::AcceptSave);
        QVERIFY(!dialog->testOption(QFileDialog::DontConfirmOverwrite));
        typeFileName(dialog, QStringLiteral("report"));
        pressAccept(dialog);
    });
    const std::optional<QString> file = QtDialogs().saveFile(settings);
    QVERIFY(shown);
    QVERIFY(script.finished());
    QVERIFY(file.has_value());
    QCOMPARE(QFileInfo(*file).fileName(), QStringLiteral("report.brd"));
    QCOMPARE(QFileInfo(*file).absoluteDir().canonicalPath(), QDir(dir.path()).canonicalPath());
}

void QtDialogsTest::saveFile_createPromptAsks_data() {
    QTest::addColumn<QString>("press");
    QTest::addColumn<bool>("returned");
    QTest::newRow("yes keeps the file") << QStringLiteral("button_Yes") << true;
    QTest::newRow("no gives up") << QStringLiteral("button_No") << false;
}

void QtDialogsTest::saveFile_createPromptAsks() {
    QFETCH(QString, press);
    QFETCH(bool, returned);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = QDir(dir.path()).absoluteFilePath(QStringLiteral("fresh.brd"));

    FileDialogSettings settings;
    settings.title = QStringLiteral("Save As");
    settings.initialDir = dir.path();
    settings.options = FileOption::CreatePrompt;

    DialogScript script;
    QString question;
    QString caption;
    script.whenShown<QFileDialog>({}, [&](QFileDialog* dialog) {
        script.whenShown<QDialog>(QStringLiteral("plakoraMessageBox"), [&](QDialog* box) {
            caption = box->windowTitle();
            if (auto* label = box->findChild<QLabel*>(QStringLiteral("messageText"))) {
                question = label->text();
            }
            if (auto* button = box->findChild<QPushButton*>(press)) {
                QTest::mouseClick(button, Qt::LeftButton);
            }
        });
        typeFileName(dialog, path);
        pressAccept(dialog);
    });
    const std::optional<QString> file = QtDialogs().saveFile(settings);
    QVERIFY(script.finished());
    QCOMPARE(caption, QStringLiteral("Confirm"));
    QCOMPARE(question, path + QStringLiteral("\nThis file does not exist.\nCreate the file?"));
    QCOMPARE(file.has_value(), returned);
    if (returned) {
        QCOMPARE(*file, path);
    }
}

void QtDialogsTest::saveFile_refusedChoiceOpensDialogAgain() {
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString missing =
        QDir(dir.path()).absoluteFilePath(QStringLiteral("no-such-folder/board.brd"));
    const QString good = QDir(dir.path()).absoluteFilePath(QStringLiteral("board.brd"));

    FileDialogSettings settings;
    settings.title = QStringLiteral("Save As");
    settings.initialDir = dir.path();
    settings.options = FileOption::PathMustExist;

    DialogScript script;
    QString warning;
    QString caption;
    bool reopened = false;
    QFileDialog* first = nullptr;
    script.whenShown<QFileDialog>({}, [&](QFileDialog* dialog) {
        first = dialog;
        script.whenShown<QDialog>(QStringLiteral("plakoraMessageBox"), [&](QDialog* box) {
            caption = box->windowTitle();
            if (auto* label = box->findChild<QLabel*>(QStringLiteral("messageText"))) {
                warning = label->text();
            }
            // After the warning the same dialog comes back for another choice.
            script.whenShown<QFileDialog>({}, [&](QFileDialog* again) {
                reopened = again == first;
                typeFileName(again, good);
                pressAccept(again);
            });
            if (auto* ok = box->findChild<QPushButton*>(QStringLiteral("button_OK"))) {
                QTest::mouseClick(ok, Qt::LeftButton);
            }
        });
        typeFileName(dialog, missing);
        pressAccept(dialog);
    });
    const std::optional<QString> file = QtDialogs().saveFile(settings);
    QVERIFY(script.finished());
    QCOMPARE(caption, QStringLiteral("Warning"));
    QVERIFY2(warning.startsWith(missing + QStringLiteral("\nPath does not exist.")),
             qPrintable(warning));
    QVERIFY(reopened);
    QCOMPARE(file, std::optional<QString>(good));
}

void QtDialogsTest::openPicture_previewFollowsSelection() {
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString picture = dir.filePath(QStringLiteral("logo.png"));
    writePicture(picture, QSize(400, 100), QColor(200, 20, 20));
    const QString notes = dir.filePath(QStringLiteral("notes.png"));
    writeText(notes);

    FileDialogSettings settings;
    settings.title = QStringLiteral("Choose Picture");
    settings.filter = QStringLiteral("Pictures|*.png;*.bmp");
    settings.options = FileOption::FileMustExist;
    settings.initialDir = dir.path();
    settings.fileName = QStringLiteral("logo.png");

    DialogScript script;
    bool shown = false;
    QPixmap previewOfPicture;
    bool clearedForNonPicture = false;
    script.whenShown<QFileDialog>({}, [&](QFileDialog* dialog) {
        shown = true;
        auto* preview = dialog->findChild<QLabel*>(QStringLiteral("picturePreview"));
        QVERIFY(preview != nullptr);
        QVERIFY(preview->isVisible());
        // Beside the file list, not under or over it.
        auto* files = dialog->findChild<QWidget*>(QStringLiteral("splitter"));
        QVERIFY(files != nullptr);
        const QRect listArea(files->mapTo(dialog, QPoint()), files->size());
        const QRect previewArea(preview->mapTo(dialog, QPoint()), preview->size());
        QVERIFY(previewArea.left() >= listArea.right());
        QVERIFY(previewArea.top() < listArea.bottom() && previewArea.bottom() > listArea.top());
        // The starting file is shown at once.
        previewOfPicture = preview->pixmap();
        QVERIFY(!previewOfPicture.isNull());

        clickFile(dialog, QStringLiteral("notes.png"));
        QVERIFY(preview->pixmap().isNull());
        clearedForNonPicture = true;

        clickFile(dialog, QStringLiteral("logo.png"));
        QVERIFY(!preview->pixmap().isNull());
        pressAccept(dialog);
    });
    const std::optional<QStringList> files = QtDialogs().openPicture(settings);
    QVERIFY(shown);
    QVERIFY(script.finished());
    QCOMPARE(previewOfPicture.size(), QSize(200, 50));
    QCOMPARE(previewOfPicture.toImage().pixelColor(100, 25), QColor(200, 20, 20));
    QVERIFY(clearedForNonPicture);
    QVERIFY(files.has_value());
    QCOMPARE(files->size(), 1);
    QCOMPARE(QFileInfo(files->first()).canonicalFilePath(), QFileInfo(picture).canonicalFilePath());
}

void QtDialogsTest::chooseColor_startsOnAndReturnsBoardColour() {
    DialogScript script;
    QColor startedOn;
    bool alphaShown = true;
    script.whenShown<QColorDialog>({}, [&](QColorDialog* dialog) {
        startedOn = dialog->currentColor();
        alphaShown = dialog->testOption(QColorDialog::ShowAlphaChannel);
        dialog->setCurrentColor(QColor(0, 0, 255));
        pressAccept(dialog);
    });
    const ColorDialogSettings settings{0x00332211, ColorOption::FullOpen | ColorOption::AnyColor};
    const std::optional<std::uint32_t> chosen = QtDialogs().chooseColor(settings);
    QVERIFY(script.finished());
    QCOMPARE(startedOn, QColor(0x11, 0x22, 0x33));
    QVERIFY(!alphaShown);
    QCOMPARE(chosen, std::optional<std::uint32_t>(0xFF0000));
}

void QtDialogsTest::chooseColor_cancelReturnsNothing() {
    DialogScript script;
    bool shown = false;
    script.whenShown<QColorDialog>({}, [&](QColorDialog* dialog) {
        shown = true;
        dialog->setCurrentColor(QColor(0, 255, 0));
        dialog->reject();
    });
    QCOMPARE(QtDialogs().chooseColor({0x0000FF, {}}), std::nullopt);
    QVERIFY(shown);
    QVERIFY(script.finished());
}

void QtDialogsTest::printSetup_usesTitleAndReportsCancel() {
    DialogScript script;
    QString title;
    QPrinter* printer = nullptr;
    script.whenShown<QPrintDialog>({}, [&](QPrintDialog* dialog) {
        title = dialog->windowTitle();
        printer = dialog->printer();
        dialog->reject();
    });
    QVERIFY(!QtDialogs().printSetup({QStringLiteral("Printer Setup")}));
    QVERIFY(script.finished());
    QCOMPARE(title, QStringLiteral("Printer Setup"));
    QCOMPARE(printer, &sharedPrinter());
}

PLAKORA_TEST_MAIN(QtDialogsTest)

#include "test_platform_qt_dialogs.moc"
