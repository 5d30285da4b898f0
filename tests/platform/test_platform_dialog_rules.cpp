#include "platform/dialogs.h"
#include "platform/qt_dialogs.h"
#include "tests/support/fifo_watchdog.h"
#include "tests/support/file_bytes.h"
#include "tests/support/picture_bombs.h"
#include "tests/support/picture_files.h"
#include "tests/support/test_main.h"

#include <QColor>
#include <QFile>
#include <QImage>
#include <QObject>
#include <QTemporaryDir>
#include <QTest>

using namespace platform;

Q_DECLARE_METATYPE(platform::MessageKind)
Q_DECLARE_METATYPE(platform::Button)
Q_DECLARE_METATYPE(platform::FileOptions)
Q_DECLARE_METATYPE(platform::FileDialogPurpose)
Q_DECLARE_METATYPE(platform::FileChoiceCheck::Action)

namespace {

// A dialogs implementation that only shows which one is in use.
class MarkerDialogs final : public Dialogs {
public:
    Answer message(MessageKind, const QString&, Buttons) override { return Answer::Cancel; }
    std::optional<QStringList> openFile(const FileDialogSettings&) override { return {}; }
    std::optional<QString> saveFile(const FileDialogSettings&) override { return {}; }
    std::optional<QStringList> openPicture(const FileDialogSettings&) override { return {}; }
    std::optional<std::uint32_t> chooseColor(const ColorDialogSettings&) override { return {}; }
    bool printSetup(const PrintSetupSettings&) override { return false; }
};

} // namespace

class DialogRulesTest : public QObject {
    Q_OBJECT

private slots:
    void messageCaption_namesKind_data();
    void messageCaption_namesKind();
    void buttonText_carriesAccessKeys_data();
    void buttonText_carriesAccessKeys();

    void qtFilter_translatesPairs_data();
    void qtFilter_translatesPairs();

    void dialogs_usesInstalledThenQt();

    void fileDialogSetup_mapsModesAndOptions_data();
    void fileDialogSetup_mapsModesAndOptions();
    void fileDialogSetup_splitsStartingFolder_data();
    void fileDialogSetup_splitsStartingFolder();
    void fileDialogSetup_stripsSuffixDotAndTranslatesFilter();

    void checkChosenFile_followsOptions_data();
    void checkChosenFile_followsOptions();
    void inspectChosenFile_readsFileSystem();

    void picturePreview_shrinksToFitKeepingAspect_data();
    void picturePreview_shrinksToFitKeepingAspect();
    void picturePreview_nullForNonPictures();
    void picturePreview_turnsPhotoUpright_data();
    void picturePreview_turnsPhotoUpright();
    void picturePreview_shrinksSmoothly_data();
    void picturePreview_shrinksSmoothly();
    void picturePreview_decodesOnlyWhatTheLimitAllows_data();
    void picturePreview_decodesOnlyWhatTheLimitAllows();
};

void DialogRulesTest::messageCaption_namesKind_data() {
    QTest::addColumn<MessageKind>("kind");
    QTest::addColumn<QString>("caption");
    QTest::newRow("warning") << MessageKind::Warning << QStringLiteral("Warning");
    QTest::newRow("error") << MessageKind::Error << QStringLiteral("Error");
    QTest::newRow("information") << MessageKind::Information << QStringLiteral("Information");
    QTest::newRow("confirm") << MessageKind::Confirm << QStringLiteral("Confirm");
}

void DialogRulesTest::messageCaption_namesKind() {
    QFETCH(MessageKind, kind);
    QFETCH(QString, caption);
    QCOMPARE(messageCaption(kind), caption);
}

void DialogRulesTest::buttonText_carriesAccessKeys_data() {
    QTest::addColumn<Button>("button");
    QTest::addColumn<QString>("text");
    QTest::newRow("yes") << Button::Yes << QStringLiteral("&Yes");
    QTest::newRow("no") << Button::No << QStringLiteral("&No");
    QTest::newRow("ok") << Button::OK << QStringLiteral("OK");
    QTest::newRow("cancel") << Button::Cancel << QStringLiteral("Cancel");
}

void DialogRulesTest::buttonText_carriesAccessKeys() {
    QFETCH(Button, button);
    QFETCH(QString, text);
    QCOMPARE(buttonText(button), text);
}

void DialogRulesTest::qtFilter_translatesPairs_data() {
    QTest::addColumn<QString>("filter");
    QTest::addColumn<QString>("expected");
    QTest::newRow("two pairs") << QStringLiteral("Text Files|*.txt|All|*.*")
                               << QStringLiteral("Text Files (*.txt);;All (*.*)");
    QTest::newRow("single pair") << QStringLiteral("Boards|*.brd")
                                 << QStringLiteral("Boards (*.brd)");
    QTest::newRow("pattern already in description")
        << QStringLiteral("Bitmaps (*.bmp)|*.bmp") << QStringLiteral("Bitmaps (*.bmp)");
    QTest::newRow("several patterns") << QStringLiteral("Pictures|*.bmp;*.jpg;*.png")
                                      << QStringLiteral("Pictures (*.bmp *.jpg *.png)");
    QTest::newRow("several patterns with spaces")
        << QStringLiteral("Pictures|*.bmp; *.jpg") << QStringLiteral("Pictures (*.bmp *.jpg)");
    QTest::newRow("several patterns already in description")
        << QStringLiteral("Pictures (*.bmp;*.jpg)|*.bmp;*.jpg")
        << QStringLiteral("Pictures (*.bmp *.jpg)");
    QTest::newRow("other parentheses in description kept")
        << QStringLiteral("Sounds (old)|*.wav") << QStringLiteral("Sounds (old) (*.wav)");
    QTest::newRow("different pattern in parentheses kept")
        << QStringLiteral("Bitmaps (*.bmp)|*.dib") << QStringLiteral("Bitmaps (*.bmp) (*.dib)");
    QTest::newRow("odd trailing description")
        << QStringLiteral("Text|*.txt|Everything") << QStringLiteral("Text (*.txt);;Everything");
    QTest::newRow("lone description")
        << QStringLiteral("Everything") << QStringLiteral("Everything");
    QTest::newRow("lone extension stands for its files")
        << QStringLiteral("TXT") << QStringLiteral("TXT (*.TXT)");
    QTest::newRow("trailing separator")
        << QStringLiteral("Text|*.txt|") << QStringLiteral("Text (*.txt)");
    QTest::newRow("empty description") << QStringLiteral("|*.txt") << QStringLiteral("(*.txt)");
    QTest::newRow("empty pattern") << QStringLiteral("Text|") << QStringLiteral("Text");
    QTest::newRow("empty") << QString() << QString();
}

void DialogRulesTest::qtFilter_translatesPairs() {
    QFETCH(QString, filter);
    QFETCH(QString, expected);
    QCOMPARE(qtFilter(filter), expected);
}

void DialogRulesTest::dialogs_usesInstalledThenQt() {
    QVERIFY(dynamic_cast<QtDialogs*>(&dialogs()) != nullptr);
    MarkerDialogs marker;
    setDialogs(&marker);
    QCOMPARE(&dialogs(), static_cast<Dialogs*>(&marker));
    QCOMPARE(dialogs().message(MessageKind::Confirm, QString(), Button::Yes), Answer::Cancel);
    setDialogs(nullptr);
    QVERIFY(dynamic_cast<QtDialogs*>(&dialogs()) != nullptr);
    // The Qt implementation is one object for the whole process.
    QCOMPARE(&dialogs(), &dialogs());
}

void DialogRulesTest::fileDialogSetup_mapsModesAndOptions_data() {
    QTest::addColumn<FileDialogPurpose>("purpose");
    QTest::addColumn<FileOptions>("options");
    QTest::addColumn<int>("fileMode");
    QTest::addColumn<int>("acceptMode");
    QTest::addColumn<bool>("confirmOverwrite");

    const auto open = FileDialogPurpose::Open;
    const auto save = FileDialogPurpose::Save;
    QTest::newRow("open any name") << open << FileOptions() << int(QFileDialog::AnyFile)
                                   << int(QFileDialog::AcceptOpen) << true;
    QTest::newRow("open existing")
        << open << FileOptions(FileOption::FileMustExist) << int(QFileDialog::ExistingFile)
        << int(QFileDialog::AcceptOpen) << true;
    QTest::newRow("open several existing")
        << open << (FileOption::FileMustExist | FileOption::AllowMultiSelect)
        << int(QFileDialog::ExistingFiles) << int(QFileDialog::AcceptOpen) << true;
    QTest::newRow("open several") << open << FileOptions(FileOption::AllowMultiSelect)
                                  << int(QFileDialog::ExistingFiles) << int(QFileDialog::AcceptOpen)
                                  << true;
    QTest::newRow("open ignores overwrite prompt")
        << open << (FileOption::FileMustExist | FileOption::OverwritePrompt)
        << int(QFileDialog::ExistingFile) << int(QFileDialog::AcceptOpen) << true;
    QTest::newRow("save without prompt") << save << FileOptions() << int(QFileDialog::AnyFile)
                                         << int(QFileDialog::AcceptSave) << false;
    QTest::newRow("save with overwrite prompt")
        << save << (FileOption::OverwritePrompt | FileOption::HideReadOnly)
        << int(QFileDialog::AnyFile) << int(QFileDialog::AcceptSave) << true;
    QTest::newRow("save ignores must exist")
        << save << (FileOption::FileMustExist | FileOption::AllowMultiSelect)
        << int(QFileDialog::AnyFile) << int(QFileDialog::AcceptSave) << false;
}

void DialogRulesTest::fileDialogSetup_mapsModesAndOptions() {
    QFETCH(FileDialogPurpose, purpose);
    QFETCH(FileOptions, options);
    QFETCH(int, fileMode);
    QFETCH(int, acceptMode);
    QFETCH(bool, confirmOverwrite);

    FileDialogSettings settings;
    settings.options = options;
    const QtFileDialogSetup setup = fileDialogSetup(settings, purpose);
    QCOMPARE(int(setup.fileMode), fileMode);
    QCOMPARE(int(setup.acceptMode), acceptMode);
    QVERIFY(setup.options.testFlag(QFileDialog::DontUseNativeDialog));
    QCOMPARE(!setup.options.testFlag(QFileDialog::DontConfirmOverwrite), confirmOverwrite);
}

void DialogRulesTest::fileDialogSetup_splitsStartingFolder_data() {
    QTest::addColumn<QString>("fileName");
    QTest::addColumn<QString>("initialDir");
    QTest::addColumn<QString>("directory");
    QTest::addColumn<QString>("selectedFile");
    QTest::newRow("bare name in folder")
        << QStringLiteral("board.brd") << QStringLiteral("/home/op/boards")
        << QStringLiteral("/home/op/boards") << QStringLiteral("board.brd");
    QTest::newRow("full path wins over folder")
        << QStringLiteral("/srv/shows/main.brd") << QStringLiteral("/home/op/boards")
        << QStringLiteral("/srv/shows") << QStringLiteral("main.brd");
    QTest::newRow("full path alone") << QStringLiteral("/srv/shows/main.brd") << QString()
                                     << QStringLiteral("/srv/shows") << QStringLiteral("main.brd");
    QTest::newRow("relative path in folder")
        << QStringLiteral("old/main.brd") << QStringLiteral("/home/op/boards")
        << QStringLiteral("/home/op/boards/old") << QStringLiteral("main.brd");
    QTest::newRow("folder only in file name")
        << QStringLiteral("/srv/shows/") << QString() << QStringLiteral("/srv/shows") << QString();
    QTest::newRow("no file name") << QString() << QStringLiteral("/home/op")
                                  << QStringLiteral("/home/op") << QString();
    QTest::newRow("bare name without folder")
        << QStringLiteral("main.brd") << QString() << QString() << QStringLiteral("main.brd");
    QTest::newRow("nothing") << QString() << QString() << QString() << QString();
}

void DialogRulesTest::fileDialogSetup_splitsStartingFolder() {
    QFETCH(QString, fileName);
    QFETCH(QString, initialDir);
    QFETCH(QString, directory);
    QFETCH(QString, selectedFile);

    FileDialogSettings settings;
    settings.fileName = fileName;
    settings.initialDir = initialDir;
    for (const FileDialogPurpose purpose : {FileDialogPurpose::Open, FileDialogPurpose::Save}) {
        const QtFileDialogSetup setup = fileDialogSetup(settings, purpose);
        QCOMPARE(setup.directory, directory);
        QCOMPARE(setup.selectedFile, selectedFile);
    }
}

void DialogRulesTest::fileDialogSetup_stripsSuffixDotAndTranslatesFilter() {
    FileDialogSettings settings;
    settings.title = QStringLiteral("Save Board As");
    settings.filter = QStringLiteral("Boards|*.brd|All|*.*");
    settings.defaultExt = QStringLiteral(".brd");
    const QtFileDialogSetup setup = fileDialogSetup(settings, FileDialogPurpose::Save);
    QCOMPARE(setup.title, QStringLiteral("Save Board As"));
    QCOMPARE(setup.nameFilter, QStringLiteral("Boards (*.brd);;All (*.*)"));
    QCOMPARE(setup.defaultSuffix, QStringLiteral("brd"));

    settings.defaultExt = QStringLiteral("txt");
    QCOMPARE(fileDialogSetup(settings, FileDialogPurpose::Open).defaultSuffix,
             QStringLiteral("txt"));
    settings.defaultExt.clear();
    QVERIFY(fileDialogSetup(settings, FileDialogPurpose::Open).defaultSuffix.isEmpty());
}

void DialogRulesTest::checkChosenFile_followsOptions_data() {
    using Action = FileChoiceCheck::Action;
    QTest::addColumn<FileOptions>("options");
    QTest::addColumn<bool>("exists");
    QTest::addColumn<bool>("writable");
    QTest::addColumn<bool>("folderExists");
    QTest::addColumn<Action>("action");
    QTest::addColumn<QString>("text");

    const QString path = QStringLiteral("/boards/main.brd");
    const QString noFolder = path + QStringLiteral("\nPath does not exist.\n"
                                                   "Check the path and try again.");
    const QString notFound = path + QStringLiteral("\nFile not found.\n"
                                                   "Check the file name and try again.");
    const QString readOnly = path + QStringLiteral("\nThis file is read-only.");
    const QString create = path + QStringLiteral("\nThis file does not exist.\nCreate the file?");

    QTest::newRow("no options, missing everything")
        << FileOptions() << false << false << false << Action::Accept << QString();
    QTest::newRow("path must exist, folder missing")
        << FileOptions(FileOption::PathMustExist) << false << false << false << Action::Refuse
        << noFolder;
    QTest::newRow("path must exist, new file in folder")
        << FileOptions(FileOption::PathMustExist) << false << false << true << Action::Accept
        << QString();
    QTest::newRow("file must exist, missing") << FileOptions(FileOption::FileMustExist) << false
                                              << false << true << Action::Refuse << notFound;
    QTest::newRow("file must exist, folder missing")
        << FileOptions(FileOption::FileMustExist) << false << false << false << Action::Refuse
        << noFolder;
    QTest::newRow("file must exist, present") << FileOptions(FileOption::FileMustExist) << true
                                              << false << true << Action::Accept << QString();
    QTest::newRow("no read-only return, read-only")
        << FileOptions(FileOption::NoReadOnlyReturn) << true << false << true << Action::Refuse
        << readOnly;
    QTest::newRow("no read-only return, writable")
        << FileOptions(FileOption::NoReadOnlyReturn) << true << true << true << Action::Accept
        << QString();
    QTest::newRow("no read-only return, new file")
        << FileOptions(FileOption::NoReadOnlyReturn) << false << false << true << Action::Accept
        << QString();
    QTest::newRow("read-only allowed") << FileOptions(FileOption::OverwritePrompt) << true << false
                                       << true << Action::Accept << QString();
    QTest::newRow("create prompt, new file") << FileOptions(FileOption::CreatePrompt) << false
                                             << false << true << Action::AskCreate << create;
    QTest::newRow("create prompt, existing file") << FileOptions(FileOption::CreatePrompt) << true
                                                  << true << true << Action::Accept << QString();
    QTest::newRow("create prompt, folder missing") << FileOptions(FileOption::CreatePrompt) << false
                                                   << false << false << Action::Refuse << noFolder;
    QTest::newRow("read-only checked before create prompt")
        << (FileOption::CreatePrompt | FileOption::NoReadOnlyReturn) << true << false << true
        << Action::Refuse << readOnly;
}

void DialogRulesTest::checkChosenFile_followsOptions() {
    QFETCH(FileOptions, options);
    QFETCH(bool, exists);
    QFETCH(bool, writable);
    QFETCH(bool, folderExists);
    QFETCH(FileChoiceCheck::Action, action);
    QFETCH(QString, text);

    const ChosenFile file{QStringLiteral("/boards/main.brd"), exists, writable, folderExists};
    const FileChoiceCheck check = checkChosenFile(file, options);
    QCOMPARE(check.action, action);
    QCOMPARE(check.text, text);
}

void DialogRulesTest::inspectChosenFile_readsFileSystem() {
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString present = dir.filePath(QStringLiteral("present.txt"));
    {
        QFile file(present);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("x");
    }

    const ChosenFile existing = inspectChosenFile(present);
    QCOMPARE(existing.path, present);
    QVERIFY(existing.exists);
    QVERIFY(existing.writable);
    QVERIFY(existing.folderExists);

    const ChosenFile missing = inspectChosenFile(dir.filePath(QStringLiteral("missing.txt")));
    QVERIFY(!missing.exists);
    QVERIFY(!missing.writable);
    QVERIFY(missing.folderExists);

    const ChosenFile noFolder = inspectChosenFile(dir.filePath(QStringLiteral("gone/missing.txt")));
    QVERIFY(!noFolder.exists);
    QVERIFY(!noFolder.folderExists);
}

void DialogRulesTest::picturePreview_shrinksToFitKeepingAspect_data() {
    QTest::addColumn<QString>("suffix");
    QTest::addColumn<QSize>("picture");
    QTest::addColumn<QSize>("preview");
    QTest::newRow("wide") << "png" << QSize(400, 100) << QSize(200, 50);
    QTest::newRow("tall") << "png" << QSize(60, 600) << QSize(20, 200);
    QTest::newRow("square") << "png" << QSize(300, 300) << QSize(200, 200);
    QTest::newRow("small kept") << "png" << QSize(16, 8) << QSize(16, 8);
    QTest::newRow("exact fit") << "png" << QSize(200, 120) << QSize(200, 120);
    // Its decoder cannot scale: decoded whole, shrunk afterwards.
    QTest::newRow("wide bitmap") << "bmp" << QSize(400, 100) << QSize(200, 50);
    QTest::newRow("small bitmap kept") << "bmp" << QSize(16, 8) << QSize(16, 8);
    QTest::newRow("thin line") << "png" << QSize(1000, 1) << QSize(200, 1);
}

void DialogRulesTest::picturePreview_shrinksToFitKeepingAspect() {
    QFETCH(QString, suffix);
    QFETCH(QSize, picture);
    QFETCH(QSize, preview);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("picture.") + suffix);
    QImage image(picture, QImage::Format_RGB32);
    image.fill(QColor(10, 200, 30));
    QVERIFY(image.save(path));

    const QPixmap pixmap = picturePreview(path, kPicturePreviewSize);
    QVERIFY(!pixmap.isNull());
    QCOMPARE(pixmap.size(), preview);
    QCOMPARE(pixmap.toImage().pixelColor(preview.width() / 2, preview.height() / 2),
             QColor(10, 200, 30));
}

void DialogRulesTest::picturePreview_nullForNonPictures() {
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString text = dir.filePath(QStringLiteral("notes.png"));
    {
        QFile file(text);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("not a picture at all");
    }
    QVERIFY(picturePreview(text, kPicturePreviewSize).isNull());
    QVERIFY(picturePreview(dir.path(), kPicturePreviewSize).isNull());
    QVERIFY(
        picturePreview(dir.filePath(QStringLiteral("missing.png")), kPicturePreviewSize).isNull());
    QVERIFY(picturePreview(QString(), kPicturePreviewSize).isNull());
    // A FIFO named like a picture is passed over, not waited on.
    const FifoWatchdog fifo(dir.filePath(QStringLiteral("pipe.png")));
    QVERIFY(fifo.made());
    QVERIFY(picturePreview(fifo.path(), kPicturePreviewSize).isNull());
    QVERIFY(!fifo.fired());
}

void DialogRulesTest::picturePreview_turnsPhotoUpright_data() {
    QTest::addColumn<int>("orientation");
    QTest::addColumn<QSize>("preview");
    QTest::addColumn<QColor>("topLeft");
    QTest::addColumn<QColor>("bottomRight");
    // The camera saw red on the left and blue on the right.
    const QColor red(220, 0, 0);
    const QColor blue(0, 0, 220);
    QTest::newRow("upright") << 1 << QSize(200, 100) << red << blue;
    QTest::newRow("quarter right") << 6 << QSize(100, 200) << red << blue;
    QTest::newRow("quarter left") << 8 << QSize(100, 200) << blue << red;
    QTest::newRow("upside down") << 3 << QSize(200, 100) << blue << red;
}

void DialogRulesTest::picturePreview_turnsPhotoUpright() {
    QFETCH(int, orientation);
    QFETCH(QSize, preview);
    QFETCH(QColor, topLeft);
    QFETCH(QColor, bottomRight);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    QImage stored(400, 200, QImage::Format_RGB32);
    stored.fill(QColor(220, 0, 0));
    for (int y = 0; y < stored.height(); ++y) {
        for (int x = 200; x < stored.width(); ++x) {
            stored.setPixel(x, y, qRgb(0, 0, 220));
        }
    }
    const QString path = dir.filePath(QStringLiteral("phone.jpg"));
    const QByteArray photo =
        support::jpegWithOrientation(stored, static_cast<quint16>(orientation));
    QVERIFY(!photo.isEmpty());
    support::writeBytes(path, photo);

    const QImage shown = picturePreview(path, kPicturePreviewSize).toImage();
    QCOMPARE(shown.size(), preview);
    const QRgb first = shown.pixel(preview.width() / 4, preview.height() / 4);
    const QRgb last = shown.pixel(preview.width() * 3 / 4, preview.height() * 3 / 4);
    QVERIFY2(support::nearColour(first, topLeft.rgb(), 24), qPrintable(QColor(first).name()));
    QVERIFY2(support::nearColour(last, bottomRight.rgb(), 24), qPrintable(QColor(last).name()));
}

void DialogRulesTest::picturePreview_shrinksSmoothly_data() {
    QTest::addColumn<QString>("suffix");
    QTest::newRow("decoded scaled") << "png";
    QTest::newRow("decoded whole") << "bmp";
}

void DialogRulesTest::picturePreview_shrinksSmoothly() {
    QFETCH(QString, suffix);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    // Black and white pixels in turn: halved, they average to grey, where
    // taking the nearest pixel would leave black or white.
    QImage board(400, 400, QImage::Format_RGB32);
    for (int y = 0; y < board.height(); ++y) {
        for (int x = 0; x < board.width(); ++x) {
            board.setPixel(x, y, (x + y) % 2 == 0 ? qRgb(0, 0, 0) : qRgb(255, 255, 255));
        }
    }
    const QString path = dir.filePath(QStringLiteral("board.") + suffix);
    QVERIFY(board.save(path));

    const QImage shown = picturePreview(path, kPicturePreviewSize).toImage();
    QCOMPARE(shown.size(), QSize(200, 200));
    const QRgb middle = shown.pixel(100, 100);
    QVERIFY2(support::nearColour(middle, qRgb(128, 128, 128), 40),
             qPrintable(QColor(middle).name()));
}

void DialogRulesTest::picturePreview_decodesOnlyWhatTheLimitAllows_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QSize>("preview"); // 0 x 0: no preview
    // Small files that claim huge pictures.
    QTest::newRow("PNG of zeros, 16000 x 16000") << support::zeroPng(16000, 16000) << QSize(0, 0);
    QTest::newRow("progressive JPEG, 16000 x 16000")
        << support::zeroProgressiveJpeg(16000, 16000, 3, 1) << QSize(0, 0);
    QTest::newRow("progressive JPEG of 1000 scans")
        << support::zeroProgressiveJpeg(1024, 1024, 1, 1000) << QSize(0, 0);
    // Decoded straight at the preview's size, they cost little.
    QTest::newRow("baseline JPEG, 16000 x 16000")
        << support::zeroBaselineJpeg(16000, 16000) << QSize(200, 200);
    QTest::newRow("PNG of zeros, 7000 x 3500") << support::zeroPng(7000, 3500) << QSize(200, 100);
}

void DialogRulesTest::picturePreview_decodesOnlyWhatTheLimitAllows() {
    QFETCH(QByteArray, bytes);
    QFETCH(QSize, preview);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("claims.pic"));
    support::writeBytes(path, bytes);

    QCOMPARE(picturePreview(path, kPicturePreviewSize).size(), preview);
}

PLAKORA_TEST_MAIN(DialogRulesTest)

#include "test_platform_dialog_rules.moc"
