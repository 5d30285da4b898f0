// The image control panel: adding pictures and movies, deleting, the time
// per slide, the image stretch and panel switches and the count labels.

#include "editor/mainform.h"
#include "editor/startup.h"
#include "show/play_screen.h"
#include "show/show_rules.h"
#include "tests/editor/editor_session.h"
#include "tests/support/fixed_system_info.h"
#include "tests/support/scripted_dialogs.h"
#include "tests/support/test_main.h"

#include <QAction>
#include <QFrame>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QSlider>
#include <QTest>
#include <QToolButton>

using platform::Answer;
using platform::FileOption;
using support::Question;

namespace {

constexpr const char* kPictureFilter =
    "Pictures (*.bmp *.png *.jpg *.jpeg *.gif *.webp *.tif *.tiff)|"
    "*.bmp;*.png;*.jpg;*.jpeg;*.gif;*.webp;*.tif;*.tiff|Bitmaps (*.bmp)|*.bmp";
constexpr const char* kMovieFilter = "Movies (*.avi *.mp4 *.m4v *.mkv *.webm *.mov *.mpg)|"
                                     "*.avi;*.mp4;*.m4v;*.mkv;*.webm;*.mov;*.mpg|AVI FILE|*.avi";

QStringList entries(const QListWidget* list) {
    QStringList out;
    for (int i = 0; i < list->count(); ++i) {
        out << list->item(i)->text();
    }
    return out;
}

} // namespace

class ImageListTest : public QObject, private EditorSession {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void addPicture_takesTheFirstOfSeveral_withThePictureDialog();
    void addPicture_sameFileTwice_givesTwoEntries();
    void addPicture_cancel_changesNothing();
    void addMovie_appendsAndLeavesTheTextFileSettings_data();
    void addMovie_appendsAndLeavesTheTextFileSettings();
    void entryKinds_byTheirEnding_data();
    void entryKinds_byTheirEnding();
    void dialogFilters_offerEveryKindFirst_data();
    void dialogFilters_offerEveryKindFirst();

    void delete_removesTheSelectedEntry();
    void delete_nothingSelected_removesNothingAndStillDisables();
    void mouseDown_anyButton_enablesDelete_data();
    void mouseDown_anyButton_enablesDelete();
    void imageCount_followsEveryChangeOfTheList();

    void playTime_showsItsPositionAndStaysWithinRange();
    void imageStretch_menuAndButtonStayInStep_data();
    void imageStretch_menuAndButtonStayInStep();
    void imageControl_hidesAndShowsThePanel_keepsTheList();
    void markerCount_countsLinesWithBothMarks_data();
    void markerCount_countsLinesWithBothMarks();

private:
};

void ImageListTest::init() {
    openSession();
}

void ImageListTest::cleanup() {
    closeSession();
}

// ---- Adding -------------------------------------------------------------------

void ImageListTest::addPicture_takesTheFirstOfSeveral_withThePictureDialog() {
    dialogs_->answerFiles({"/pics/one.bmp", "/pics/two.bmp", "/pics/three.bmp"});
    m_->ToolButton9->click();
    QCOMPARE(dialogs_->questions.size(), 1);
    const Question& open = dialogs_->lastQuestion();
    QCOMPARE(open.kind, Question::Kind::OpenPicture);
    QCOMPARE(open.file.title, QStringLiteral("Bitmap To Image List"));
    QCOMPARE(open.file.filter, QString::fromLatin1(kPictureFilter));
    QCOMPARE(open.file.defaultExt, QStringLiteral("BMP"));
    QCOMPARE(open.file.options, FileOption::AllowMultiSelect | FileOption::HideReadOnly);
    QCOMPARE(entries(m_->ListBox1), QStringList{"/pics/one.bmp"});
    QCOMPARE(m_->Label4->text(), QStringLiteral("1 Images"));
}

void ImageListTest::addPicture_sameFileTwice_givesTwoEntries() {
    dialogs_->answerFile(QStringLiteral("/pics/one.bmp"));
    dialogs_->answerFile(QStringLiteral("/pics/two.bmp"));
    dialogs_->answerFile(QStringLiteral("/pics/one.bmp"));
    for (int i = 0; i < 3; ++i) {
        m_->ToolButton9Click();
    }
    // Entries keep the order they were added in.
    QCOMPARE(entries(m_->ListBox1),
             (QStringList{"/pics/one.bmp", "/pics/two.bmp", "/pics/one.bmp"}));
    QCOMPARE(m_->Label4->text(), QStringLiteral("3 Images"));
}

void ImageListTest::addPicture_cancel_changesNothing() {
    m_->ListBox1->addItem(QStringLiteral("/pics/kept.bmp"));
    dialogs_->cancelFile();
    m_->ToolButton9Click();
    QCOMPARE(entries(m_->ListBox1), QStringList{"/pics/kept.bmp"});
    QCOMPARE(m_->Label4->text(), QStringLiteral("1 Images"));
}

void ImageListTest::addMovie_appendsAndLeavesTheTextFileSettings_data() {
    QTest::addColumn<bool>("chosen");
    QTest::newRow("ok") << true;
    QTest::newRow("cancel") << false;
}

void ImageListTest::addMovie_appendsAndLeavesTheTextFileSettings() {
    QFETCH(bool, chosen);
    m_->ListBox1->addItem(QStringLiteral("/pics/first.bmp"));
    if (chosen) {
        dialogs_->answerFile(QStringLiteral("/films/clip.avi"));
    } else {
        dialogs_->cancelFile();
    }
    QVERIFY(m_->ToolButton12->isEnabled()); // the NT family plays movies
    m_->ToolButton12->click();
    const Question& open = dialogs_->lastQuestion();
    QCOMPARE(open.kind, Question::Kind::OpenFile);
    QCOMPARE(open.file.title, QStringLiteral("Open A Media File"));
    QCOMPARE(open.file.filter, QString::fromLatin1(kMovieFilter));
    QCOMPARE(open.file.defaultExt, QStringLiteral("AVI"));
    QCOMPARE(open.file.options, FileOption::FileMustExist | FileOption::PathMustExist |
                                    FileOption::NoReadOnlyReturn | FileOption::NoNetworkButton);
    const QStringList expected =
        chosen ? QStringList{"/pics/first.bmp", "/films/clip.avi"} : QStringList{"/pics/first.bmp"};
    QCOMPARE(entries(m_->ListBox1), expected);
    QCOMPARE(m_->Label4->text(), QString::number(expected.size()) + " Images");

    // The Play command's offer to load a text file opens the dialog as left.
    m_->Memo1->clear();
    dialogs_->answerMessage(Answer::Yes);
    dialogs_->cancelFile();
    m_->Mode1Click();
    const Question& offer = dialogs_->lastQuestion();
    QCOMPARE(offer.kind, Question::Kind::OpenFile);
    QCOMPARE(offer.file.title, QStringLiteral("Open Text File"));
    QCOMPARE(offer.file.filter, QStringLiteral("TXT"));
    QCOMPARE(offer.file.defaultExt, QStringLiteral("TXT"));
    w_.PlayScreen->ClosePlayScreen();
}

void ImageListTest::entryKinds_byTheirEnding_data() {
    QTest::addColumn<QString>("path");
    QTest::addColumn<bool>("picture");
    QTest::newRow("bmp") << "/pics/a.bmp" << true;
    QTest::newRow("Bmp") << "/pics/a.Bmp" << true;
    QTest::newRow("bMP") << "/PICS/A.bMP" << true;
    QTest::newRow("dib") << "/pics/a.dib" << false;
    QTest::newRow("avi") << "/films/a.avi" << false;
    QTest::newRow("bmp in the folder only") << "/a.bmp/clip.avi" << false;
    QTest::newRow("no dot") << "/pics/oddbmp" << true;
    QTest::newRow("png") << "/pics/logo.png" << true;
    QTest::newRow("JPG") << "/pics/PHOTO.JPG" << true;
    QTest::newRow("jpeg") << "/pics/photo.jpeg" << true;
    QTest::newRow("gif") << "/pics/wave.gif" << true;
    QTest::newRow("WebP") << "/pics/shot.WebP" << true;
    QTest::newRow("tif") << "/pics/scan.tif" << true;
    QTest::newRow("TIFF") << "/pics/scan.TIFF" << true;
    QTest::newRow("png without the dot") << "/pics/oddpng" << false;
    QTest::newRow("png in the folder only") << "/a.png/clip.mp4" << false;
    QTest::newRow("jpg.mp4") << "/films/holiday.jpg.mp4" << false;
    QTest::newRow("mp4") << "/films/phone.mp4" << false;
    QTest::newRow("webm") << "/films/clip.webm" << false;
    QTest::newRow("mkv") << "/films/clip.mkv" << false;
}

void ImageListTest::entryKinds_byTheirEnding() {
    QFETCH(QString, path);
    QFETCH(bool, picture);
    dialogs_->answerFile(path);
    m_->ToolButton9Click();
    // The list keeps the path as chosen; the slideshow decides the kind.
    QCOMPARE(m_->ListBox1->item(0)->text(), path);
    QCOMPARE(isBitmapEntry(m_->showTexts().ImageList.first()), picture);
}

void ImageListTest::dialogFilters_offerEveryKindFirst_data() {
    QTest::addColumn<bool>("pictures");
    QTest::addColumn<QString>("qtForm");
    QTest::addColumn<int>("patterns");
    QTest::newRow("picture dialog")
        << true << "Pictures (*.bmp *.png *.jpg *.jpeg *.gif *.webp *.tif *.tiff);;Bitmaps (*.bmp)"
        << 8;
    QTest::newRow("movie dialog")
        << false << "Movies (*.avi *.mp4 *.m4v *.mkv *.webm *.mov *.mpg);;AVI FILE (*.avi)" << 7;
}

void ImageListTest::dialogFilters_offerEveryKindFirst() {
    QFETCH(bool, pictures);
    QFETCH(QString, qtForm);
    QFETCH(int, patterns);
    dialogs_->cancelFile();
    (pictures ? m_->ToolButton9 : m_->ToolButton12)->click();
    const QString filter = dialogs_->lastQuestion().file.filter;
    // The dialog lists the first choice first, every pattern of it once.
    QCOMPARE(platform::qtFilter(filter), qtForm);
    // Whatever the first choice offers plays as the kind the dialog adds.
    const QStringList offered = filter.section(QLatin1Char('|'), 1, 1).split(QLatin1Char(';'));
    QCOMPARE(offered.size(), patterns);
    for (const QString& pattern : offered) {
        const QString name = QStringLiteral("/files/name") + pattern.mid(1);
        QVERIFY2(isBitmapEntry(name) == pictures, qPrintable(name));
        QVERIFY2(isBitmapEntry(name.toUpper()) == pictures, qPrintable(name));
    }
}

// ---- Deleting -------------------------------------------------------------------

void ImageListTest::delete_removesTheSelectedEntry() {
    m_->ListBox1->addItems({"/p/0.bmp", "/p/1.avi", "/p/2.bmp"});
    QVERIFY(!m_->ToolButton10->isEnabled());
    const QRect second = m_->ListBox1->visualItemRect(m_->ListBox1->item(1));
    QTest::mouseClick(m_->ListBox1->viewport(), Qt::LeftButton, {}, second.center());
    QVERIFY(m_->ToolButton10->isEnabled());
    QVERIFY(m_->ListBox1->item(1)->isSelected());

    m_->ToolButton10->click();
    QCOMPARE(entries(m_->ListBox1), (QStringList{"/p/0.bmp", "/p/2.bmp"}));
    QCOMPARE(m_->Label4->text(), QStringLiteral("2 Images"));
    QVERIFY(!m_->ToolButton10->isEnabled());
}

void ImageListTest::delete_nothingSelected_removesNothingAndStillDisables() {
    m_->ListBox1->addItems({"/p/0.bmp", "/p/1.avi"});
    // A press below the last entry selects nothing but enables the button.
    QTest::mouseClick(m_->ListBox1->viewport(), Qt::LeftButton, {},
                      QPoint(5, m_->ListBox1->viewport()->height() - 3));
    QVERIFY(m_->ListBox1->selectedItems().isEmpty());
    QVERIFY(m_->ToolButton10->isEnabled());
    m_->ToolButton10->click();
    QCOMPARE(entries(m_->ListBox1), (QStringList{"/p/0.bmp", "/p/1.avi"}));
    QCOMPARE(m_->Label4->text(), QStringLiteral("2 Images"));
    QVERIFY(!m_->ToolButton10->isEnabled());
}

void ImageListTest::mouseDown_anyButton_enablesDelete_data() {
    QTest::addColumn<Qt::MouseButton>("button");
    QTest::newRow("left") << Qt::LeftButton;
    QTest::newRow("right") << Qt::RightButton;
    QTest::newRow("middle") << Qt::MiddleButton;
}

void ImageListTest::mouseDown_anyButton_enablesDelete() {
    QFETCH(Qt::MouseButton, button);
    QVERIFY(!m_->ToolButton10->isEnabled());
    QTest::mousePress(m_->ListBox1->viewport(), button, {}, QPoint(5, 5));
    QVERIFY(m_->ToolButton10->isEnabled());
    QTest::mouseRelease(m_->ListBox1->viewport(), button, {}, QPoint(5, 5));
}

void ImageListTest::imageCount_followsEveryChangeOfTheList() {
    QCOMPARE(m_->Label4->text(), QStringLiteral("0 Images"));
    // A board load or the clear command change the list directly.
    m_->ListBox1->addItems({"/p/a.bmp", "/p/b.bmp", "/p/c.avi"});
    QCOMPARE(m_->Label4->text(), QStringLiteral("3 Images"));
    delete m_->ListBox1->takeItem(0);
    QCOMPARE(m_->Label4->text(), QStringLiteral("2 Images"));
    m_->ListBox1->clear();
    QCOMPARE(m_->Label4->text(), QStringLiteral("0 Images"));
}

// ---- Slider and switches ----------------------------------------------------------

void ImageListTest::playTime_showsItsPositionAndStaysWithinRange() {
    QVERIFY(m_->Label1->text().isEmpty());
    QTest::keyClick(m_->PlayTime, Qt::Key_End);
    QCOMPARE(m_->PlayTime->value(), 30);
    QCOMPARE(m_->Label1->text(), QStringLiteral("30"));
    // The slideshow thread reads the time per slide from the show record.
    QCOMPARE(m_->showState.PlayTime.load(), 30);
    QTest::keyClick(m_->PlayTime, Qt::Key_Left);
    QCOMPARE(m_->Label1->text(), QStringLiteral("29"));
    QCOMPARE(m_->showState.PlayTime.load(), 29);
    QCOMPARE(m_->showTexts().PlayTime, 29);
    m_->PlayTime->setValue(0);
    QCOMPARE(m_->PlayTime->value(), 1);
    QCOMPARE(m_->Label1->text(), QStringLiteral("1"));
    QCOMPARE(m_->showState.PlayTime.load(), 1);
}

void ImageListTest::imageStretch_menuAndButtonStayInStep_data() {
    QTest::addColumn<QString>("clicks"); // b = tool button, m = menu entry
    QTest::newRow("button twice") << "bb";
    QTest::newRow("menu twice") << "mm";
    QTest::newRow("mixed") << "bmmbbm";
}

void ImageListTest::imageStretch_menuAndButtonStayInStep() {
    QFETCH(QString, clicks);
    // The button shows the flag from the start.
    QVERIFY(!m_->ImageStretch->isChecked());
    QVERIFY(!m_->stretchbutton->isChecked());
    bool expected = false;
    for (QChar c : clicks) {
        if (c == u'b') {
            m_->stretchbutton->click();
        } else {
            m_->ImageStretch->trigger();
        }
        expected = !expected;
        QCOMPARE(m_->ImageStretch->isChecked(), expected);
        QCOMPARE(m_->stretchbutton->isChecked(), expected);
        QCOMPARE(m_->imageStretch(), expected);
    }
}

void ImageListTest::imageControl_hidesAndShowsThePanel_keepsTheList() {
    m_->ListBox1->addItems({"/p/a.bmp", "/p/b.avi"});
    QVERIFY(m_->ImageControl1->isChecked());
    QVERIFY(m_->Panel1->isVisible());

    m_->ImageControl1->trigger();
    QVERIFY(!m_->ImageControl1->isChecked());
    QVERIFY(!m_->Panel1->isVisible());
    // The show still gets the whole list.
    QCOMPARE(m_->showTexts().ImageList, (QStringList{"/p/a.bmp", "/p/b.avi"}));

    m_->ImageControl1->trigger();
    QVERIFY(m_->ImageControl1->isChecked());
    QVERIFY(m_->Panel1->isVisible());
    QCOMPARE(entries(m_->ListBox1), (QStringList{"/p/a.bmp", "/p/b.avi"}));
}

void ImageListTest::markerCount_countsLinesWithBothMarks_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("label");
    QTest::newRow("no lines") << ""
                              << "Markers 0";
    QTest::newRow("plain lines") << "one\ntwo"
                                 << "Markers 0";
    QTest::newRow("one marker") << "//0\\\\"
                                << "Markers 1";
    QTest::newRow("marks anywhere, either order") << "a \\\\ b // c\nx //3\\\\ y"
                                                  << "Markers 2";
    QTest::newRow("one backslash only") << "//1\\ picture"
                                        << "Markers 0";
    QTest::newRow("separated slashes") << "/ /1\\\\"
                                       << "Markers 0";
    QTest::newRow("backslashes apart") << "//1\\ \\"
                                       << "Markers 0";
    QTest::newRow("mixed") << "title\n//0\\\\\n\n//1\\\\ more\nend"
                           << "Markers 2";
}

void ImageListTest::markerCount_countsLinesWithBothMarks() {
    QFETCH(QString, text);
    QFETCH(QString, label);
    m_->Memo1->setPlainText(text);
    // Text object 2 does not count.
    m_->Memo2->setPlainText(QStringLiteral("//5\\\\"));
    m_->ToolButton2->click();
    QCOMPARE(m_->Label2->text(), label);
}

PLAKORA_TEST_MAIN(ImageListTest)
#include "test_image_list.moc"
