// The font chooser: the size it writes back when it opens and as the slider
// moves, the face picks, the sample of each element, the face list and the
// window's parts.

#include "editor/font_form.h"
#include "editor/font_rules.h"
#include "editor/mainform.h"
#include "persistence/text_file.h"
#include "platform/colors.h"
#include "platform/fonts.h"
#include "show/clock_format.h"
#include "tests/editor/editor_session.h"
#include "tests/support/test_main.h"

#include <QAction>
#include <QApplication>
#include <QFontInfo>
#include <QFontMetrics>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QSlider>
#include <QTest>
#include <QTimer>

#include <functional>

namespace {

QString sampleOf(const TDFontForm& chooser) {
    return chooser.fsamplelabel->text();
}

int samplePixels(const TDFontForm& chooser) {
    return chooser.fsamplelabel->font().pixelSize();
}

QStringList listed(const QListWidget* list) {
    QStringList out;
    for (int i = 0; i < list->count(); ++i) {
        out << list->item(i)->text();
    }
    return out;
}

void clickItem(QListWidget* list, int row) {
    QListWidgetItem* item = list->item(row);
    list->scrollToItem(item);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(item).center());
}

} // namespace

class FontFormTest : public QObject, private EditorSession {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void sortedFamilies_alphabeticalIgnoringCase_data();
    void sortedFamilies_alphabeticalIgnoringCase();
    void leadingTextLines_asTheWholeTextSplits_data();
    void leadingTextLines_asTheWholeTextSplits();
    void samplePixelSize_staysDrawable_data();
    void samplePixelSize_staysDrawable();

    void opening_writesTheSizeBackWithinTheSliderRange_data();
    void opening_writesTheSizeBackWithinTheSliderRange();
    void sliderMoves_writeTheSizeAndResizeTheSample_data();
    void sliderMoves_writeTheSizeAndResizeTheSample();
    void settingTheSliderFromTheProgram_doesNotRunTheSizeChange();
    void sample_perElement_data();
    void sample_perElement();
    void clockSample_isTheTimeOfEachSizeChange();
    void clockSample_takenAfreshWhenTheChooserIsActiveAgain();

    void facePick_writesTheTargetsFace_labelCarriesOver();
    void faceList_sortedAndEachItemAsHighAsItsFace();
    void parts_atTheirPlaces_data();
    void parts_atTheirPlaces();
    void window_captionFrameSliderAndCentring();

private:
    QWidget* box(const QString& name) const;
    ElementFields fieldsOf(QWidget* target);
    // Opens the chooser on `target` as its menu entry does, runs `whileOpen`
    // while it is open and closes it with its close box.
    void runChooser(QWidget* target, const std::function<void(TDFontForm&)>& whileOpen = {});
};

void FontFormTest::init() {
    openSession();
}

void FontFormTest::cleanup() {
    closeSession();
}

QWidget* FontFormTest::box(const QString& name) const {
    for (QWidget* w : std::initializer_list<QWidget*>{m_->Memo1, m_->Memo2, m_->edit1, m_->edit2,
                                                      m_->Edit3, m_->Edit4}) {
        if (w->objectName() == name) {
            return w;
        }
    }
    qFatal("no box %s", qPrintable(name));
}

ElementFields FontFormTest::fieldsOf(QWidget* target) {
    return elementFields(m_->board, *m_->elementOf(target));
}

void FontFormTest::runChooser(QWidget* target, const std::function<void(TDFontForm&)>& whileOpen) {
    TDFontForm* chooser = w_.DFontForm.get();
    bool wasOpen = false;
    QTimer::singleShot(0, chooser, [&] {
        wasOpen = chooser->isVisible();
        if (whileOpen) {
            whileOpen(*chooser);
        }
        chooser->close();
    });
    m_->setPopupTarget(target);
    m_->FontTypeSize1->trigger();
    QVERIFY(wasOpen);
    QVERIFY(!chooser->isVisible());
}

// ---- Plain rules ----------------------------------------------------------------

void FontFormTest::sortedFamilies_alphabeticalIgnoringCase_data() {
    QTest::addColumn<QStringList>("families");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("mixed case") << QStringList{"liberation Serif", "DejaVu Sans", "Arial",
                                               "courier"}
                                << QStringList{"Arial", "courier", "DejaVu Sans",
                                               "liberation Serif"};
    QTest::newRow("prefix first") << QStringList{"Noto Sans Mono", "noto sans", "Noto"}
                                  << QStringList{"Noto", "noto sans", "Noto Sans Mono"};
    // Names equal but for case keep one order whichever way they come.
    QTest::newRow("case twins") << QStringList{"abc", "ABC", "Abc"}
                                << QStringList{"ABC", "Abc", "abc"};
    QTest::newRow("empty") << QStringList{} << QStringList{};
}

void FontFormTest::sortedFamilies_alphabeticalIgnoringCase() {
    QFETCH(QStringList, families);
    QFETCH(QStringList, expected);
    QCOMPARE(sortedFamilies(families), expected);
}

void FontFormTest::leadingTextLines_asTheWholeTextSplits_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("secondLine");
    const QChar lineSeparator(QChar::LineSeparator);
    QTest::newRow("three lines") << "one\ntwo\nthree"
                                 << "two";
    QTest::newRow("two lines") << "one\ntwo"
                               << "two";
    QTest::newRow("one line") << "one"
                              << "";
    QTest::newRow("empty") << ""
                           << "";
    QTest::newRow("empty lines first") << "\n\nthree"
                                       << "";
    QTest::newRow("CR LF") << "one\r\ntwo\r\nthree"
                           << "two";
    QTest::newRow("lone CR") << "one\rtwo"
                             << "two";
    QTest::newRow("line separator within a paragraph")
        << QString("one" + QString(lineSeparator) + "two\nthree") << "two";
    QTest::newRow("no-break space")
        << QString("one\ntwo" + QString(QChar(QChar::Nbsp)) + "x") << "two x";
}

void FontFormTest::leadingTextLines_asTheWholeTextSplits() {
    QFETCH(QString, text);
    QFETCH(QString, secondLine);
    QPlainTextEdit memo;
    memo.setPlainText(text);
    const QStringList whole = splitTextLines(memo.toPlainText());
    for (int count : {1, 2, 3}) {
        QCOMPARE(leadingTextLines(*memo.document(), count), whole.mid(0, count));
    }
    QCOMPARE(leadingTextLines(*memo.document(), 2).value(1), secondLine);
}

void FontFormTest::samplePixelSize_staysDrawable_data() {
    QTest::addColumn<int>("points");
    QTest::addColumn<int>("pixels");
    QTest::newRow("ordinary") << 20 << 27;
    QTest::newRow("slider top") << 200 << 267;
    QTest::newRow("zero") << 0 << 1;
    QTest::newRow("negative") << -40 << 1;
    QTest::newRow("from a wild board") << 100000 << platform::pointsToPixels(500);
}

void FontFormTest::samplePixelSize_staysDrawable() {
    QFETCH(int, points);
    QFETCH(int, pixels);
    QCOMPARE(samplePixelSize(points), pixels);
}

// ---- Size ----------------------------------------------------------------------

void FontFormTest::opening_writesTheSizeBackWithinTheSliderRange_data() {
    QTest::addColumn<QString>("target");
    QTest::addColumn<int>("stored");
    QTest::addColumn<int>("expected");
    QTest::newRow("text object 1 below") << "Memo1" << 12 << 16;
    QTest::newRow("main title within") << "edit1" << 40 << 40;
    QTest::newRow("second title above") << "edit2" << 250 << 200;
    QTest::newRow("crawl line at the top") << "Edit3" << 200 << 200;
    QTest::newRow("crawl line from a wild board") << "Edit3" << 100000 << 200;
    QTest::newRow("clock at zero") << "Edit4" << 0 << 16;
    QTest::newRow("clock negative") << "Edit4" << -3 << 16;
}

void FontFormTest::opening_writesTheSizeBackWithinTheSliderRange() {
    QFETCH(QString, target);
    QFETCH(int, stored);
    QFETCH(int, expected);
    m_->Memo1->setPlainText(QStringLiteral("one\ntwo"));
    m_->Memo2->setPlainText(QStringLiteral("one\ntwo"));
    QWidget* t = box(target);
    const ElementFields f = fieldsOf(t);
    *f.fontSize = stored;
    const QList<QWidget*> boxes{m_->Memo1, m_->Memo2, m_->edit1, m_->edit2, m_->Edit3, m_->Edit4};
    QList<int> sizesBefore;
    for (QWidget* b : boxes) {
        sizesBefore << *fieldsOf(b).fontSize;
    }
    int sliderSeen = 0;
    QString labelSeen;
    int pixelsSeen = 0;
    runChooser(t, [&](TDFontForm& chooser) {
        sliderSeen = chooser.FontSizeTrackbar->value();
        labelSeen = chooser.fontsizelabel->text();
        pixelsSeen = samplePixels(chooser);
    });
    // Closed without a touch, and still the size is written back.
    QCOMPARE(*f.fontSize, expected);
    QCOMPARE(sliderSeen, expected);
    QCOMPARE(labelSeen, QString::number(expected));
    QCOMPARE(pixelsSeen, platform::pointsToPixels(expected));
    // No other element's size moved.
    for (qsizetype i = 0; i < boxes.size(); ++i) {
        if (boxes[i] != t) {
            QCOMPARE(*fieldsOf(boxes[i]).fontSize, sizesBefore[i]);
        }
    }
}

void FontFormTest::sliderMoves_writeTheSizeAndResizeTheSample_data() {
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("expected");
    QTest::newRow("one step") << int(Qt::Key_Right) << 41;
    QTest::newRow("one step back") << int(Qt::Key_Left) << 39;
    QTest::newRow("one page") << int(Qt::Key_PageUp) << 44;
    QTest::newRow("to the top") << int(Qt::Key_End) << 200;
    QTest::newRow("to the bottom") << int(Qt::Key_Home) << 16;
}

void FontFormTest::sliderMoves_writeTheSizeAndResizeTheSample() {
    QFETCH(int, key);
    QFETCH(int, expected);
    m_->board.MainTitleFontSize = 40;
    m_->edit1->setText(QStringLiteral("Notices"));
    int during = 0;
    int pixels = 0;
    QString label;
    QString sample;
    runChooser(m_->edit1, [&](TDFontForm& chooser) {
        QTest::keyClick(chooser.FontSizeTrackbar, Qt::Key(key));
        during = m_->board.MainTitleFontSize;
        pixels = samplePixels(chooser);
        label = chooser.fontsizelabel->text();
        sample = sampleOf(chooser);
    });
    QCOMPARE(during, expected);
    QCOMPARE(m_->board.MainTitleFontSize, expected);
    QCOMPARE(pixels, platform::pointsToPixels(expected));
    QCOMPARE(label, QString::number(expected));
    QCOMPARE(sample, QStringLiteral("Notices"));
    QCOMPARE(m_->board.SecondTitleFontSize, 34);
}

void FontFormTest::settingTheSliderFromTheProgram_doesNotRunTheSizeChange() {
    TDFontForm chooser(QStringList{QStringLiteral("Arial")});
    std::int32_t size = 100;
    QString face = QStringLiteral("Arial");
    const Colour colour = 0x0000FF;
    int sizeChanges = 0;
    chooser.setTarget({&size, &face, &colour, [&] {
                           ++sizeChanges;
                           return QStringLiteral("sample");
                       }});
    chooser.show();
    QVERIFY(QTest::qWaitForWindowExposed(&chooser));
    // The slider moved from 16 to 100 on activation; the size change ran once.
    QCOMPARE(chooser.FontSizeTrackbar->value(), 100);
    QCOMPARE(sizeChanges, 1);
    QCOMPARE(chooser.fsamplelabel->palette().color(QPalette::WindowText), QColor(Qt::red));

    size = 50;
    chooser.FormShow();
    QCOMPARE(chooser.FontSizeTrackbar->value(), 50);
    QCOMPARE(sizeChanges, 2);

    // The operator's move runs it.
    chooser.FontSizeTrackbar->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    QCOMPARE(sizeChanges, 3);
    QCOMPARE(size, 51);
}

// ---- Samples ---------------------------------------------------------------------

void FontFormTest::sample_perElement_data() {
    QTest::addColumn<QString>("target");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected");
    QTest::newRow("text object: its second line") << "Memo1"
                                                  << "first\nsecond line\nthird"
                                                  << "second line";
    QTest::newRow("text object of one line") << "Memo1"
                                             << "only line"
                                             << "";
    QTest::newRow("empty second line") << "Memo2"
                                       << "a\n\nc"
                                       << "";
    QTest::newRow("main title") << "edit1"
                                << "Main Title"
                                << "Main Title";
    QTest::newRow("second title, markup shown as typed") << "edit2"
                                                         << "<b>Sub</b>"
                                                         << "<b>Sub</b>";
    QTest::newRow("crawl line") << "Edit3"
                                << "Hori scroll region"
                                << "Hori scroll region";
}

void FontFormTest::sample_perElement() {
    QFETCH(QString, target);
    QFETCH(QString, text);
    QFETCH(QString, expected);
    QWidget* t = box(target);
    if (auto* memo = qobject_cast<QPlainTextEdit*>(t)) {
        memo->setPlainText(text);
    } else {
        qobject_cast<QLineEdit*>(t)->setText(text);
    }
    const ElementFields f = fieldsOf(t);
    *f.fontColour = 0x00FF00;
    *f.fontSize = 30;
    QString sample;
    QColor colour;
    Qt::TextFormat format = Qt::AutoText;
    runChooser(t, [&](TDFontForm& chooser) {
        sample = sampleOf(chooser);
        colour = chooser.fsamplelabel->palette().color(QPalette::WindowText);
        format = chooser.fsamplelabel->textFormat();
        // Without a sample the size is chosen all the same.
        QTest::keyClick(chooser.FontSizeTrackbar, Qt::Key_Right);
    });
    QCOMPARE(sample, expected);
    QCOMPARE(colour, QColor(0, 0xFF, 0));
    QCOMPARE(format, Qt::PlainText);
    QCOMPARE(*f.fontSize, 31);
}

void FontFormTest::clockSample_isTheTimeOfEachSizeChange() {
    m_->board.ClockColor = 0x00FFFF;
    m_->Edit4->setText(QStringLiteral("the box's own sample"));
    QString atOpening;
    QString before;
    QString after;
    QString atMove;
    runChooser(m_->Edit4, [&](TDFontForm& chooser) {
        atOpening = sampleOf(chooser);
        // Wait for the clock to tick on, then move the slider.
        QTRY_VERIFY_WITH_TIMEOUT(clockText(QDateTime::currentDateTime()) != atOpening, 2500);
        before = clockText(QDateTime::currentDateTime());
        QTest::keyClick(chooser.FontSizeTrackbar, Qt::Key_Right);
        after = clockText(QDateTime::currentDateTime());
        atMove = sampleOf(chooser);
    });
    QVERIFY2(atMove == before || atMove == after, qPrintable(atMove));
    QVERIFY(atMove != atOpening);
    // The sample is not the box's text.
    QCOMPARE(m_->Edit4->text(), QStringLiteral("the box's own sample"));
    QCOMPARE(m_->board.ClockFontSize, 21);
}

void FontFormTest::clockSample_takenAfreshWhenTheChooserIsActiveAgain() {
    QWidget elsewhere;
    elsewhere.setWindowTitle(QStringLiteral("elsewhere"));
    QString atOpening;
    QString before;
    QString after;
    QString atReturn;
    bool switched = false;
    // No QVERIFY in here: the chooser must close whatever happens.
    runChooser(m_->Edit4, [&](TDFontForm& chooser) {
        atOpening = sampleOf(chooser);
        if (!QTest::qWaitFor([&] { return clockText(QDateTime::currentDateTime()) != atOpening; },
                             2500)) {
            return;
        }
        elsewhere.show();
        elsewhere.activateWindow();
        const bool away = QTest::qWaitForWindowActive(&elsewhere);
        before = clockText(QDateTime::currentDateTime());
        chooser.activateWindow();
        switched = away && QTest::qWaitForWindowActive(&chooser);
        after = clockText(QDateTime::currentDateTime());
        atReturn = sampleOf(chooser);
        elsewhere.hide();
    });
    QVERIFY(switched);
    QVERIFY2(atReturn != atOpening, qPrintable(atReturn));
    QVERIFY2(atReturn == before || atReturn == after, qPrintable(atReturn));
}

// ---- Faces -------------------------------------------------------------------------

void FontFormTest::facePick_writesTheTargetsFace_labelCarriesOver() {
    QListWidget* list = w_.DFontForm->ListBox1;
    if (list->count() < 2) {
        QSKIP("needs two installed font families");
    }
    const QString first = list->item(0)->text();
    const QString last = list->item(list->count() - 1)->text();
    m_->Memo1->setPlainText(QStringLiteral("a\nb"));

    QString label;
    QString sampleFamily;
    runChooser(m_->Memo1, [&](TDFontForm& chooser) {
        clickItem(chooser.ListBox1, chooser.ListBox1->count() - 1);
        label = chooser.fontlabel->text();
        sampleFamily = chooser.fsamplelabel->font().family();
    });
    QCOMPARE(m_->board.Text1FontName, last);
    QCOMPARE(label, last);
    QCOMPARE(sampleFamily, last);

    int selectedRow = -1;
    // The next element shows its own face in the sample, while the label and
    // the list keep the face picked last until a face is picked again.
    m_->board.MainTitleFontName = QStringLiteral("Liberation Serif");
    runChooser(m_->edit1, [&](TDFontForm& chooser) {
        label = chooser.fontlabel->text();
        sampleFamily = chooser.fsamplelabel->font().family();
        selectedRow = chooser.ListBox1->currentRow();
    });
    QCOMPARE(selectedRow, list->count() - 1);
    QCOMPARE(label, last);
    QCOMPARE(sampleFamily, QStringLiteral("Liberation Serif"));
    QCOMPARE(m_->board.MainTitleFontName, QStringLiteral("Liberation Serif"));

    // Clicking the face already selected picks it for this element too.
    runChooser(m_->edit2, [&](TDFontForm& chooser) {
        clickItem(chooser.ListBox1, chooser.ListBox1->count() - 1);
    });
    QCOMPARE(m_->board.SecondTitleFontName, last);

    // A pick with the keyboard.
    runChooser(m_->Edit3, [&](TDFontForm& chooser) {
        chooser.ListBox1->setFocus();
        QTest::keyClick(chooser.ListBox1, Qt::Key_Home);
        label = chooser.fontlabel->text();
    });
    QCOMPARE(m_->board.CrawlFontName, first);
    QCOMPARE(label, first);
    QCOMPARE(m_->board.Text1FontName, last);
    QCOMPARE(m_->board.SecondTitleFontName, last);
}

void FontFormTest::faceList_sortedAndEachItemAsHighAsItsFace() {
    TDFontForm chooser(QStringList{"Liberation Serif", "DejaVu Sans Mono", "liberation mono",
                                   "Arial", "DejaVu Sans"});
    QCOMPARE(listed(chooser.ListBox1), (QStringList{"Arial", "DejaVu Sans", "DejaVu Sans Mono",
                                                    "liberation mono", "Liberation Serif"}));
    chooser.show();
    QVERIFY(QTest::qWaitForWindowExposed(&chooser));
    const int defaultPixels = QFontInfo(QApplication::font()).pixelSize();
    for (int i = 0; i < chooser.ListBox1->count(); ++i) {
        QFont face(chooser.ListBox1->item(i)->text());
        face.setPixelSize(defaultPixels);
        face.setBold(true);
        QCOMPARE(chooser.ListBox1->visualItemRect(chooser.ListBox1->item(i)).height(),
                 QFontMetrics(face).height() + 2);
        QCOMPARE(chooser.itemFont(i).family(), chooser.ListBox1->item(i)->text());
    }
}

// ---- The window ----------------------------------------------------------------------

void FontFormTest::parts_atTheirPlaces_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QRect>("geometry"); // an empty size: sized to its text
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("pixelSize");
    QTest::addColumn<bool>("bold");
    QTest::newRow("size caption") << "FontSize" << QRect(8, 11, 0, 0) << "Font Size" << 11 << false;
    QTest::newRow("size number") << "fontsizelabel" << QRect(59, 7, 0, 0) << "" << 11 << true;
    QTest::newRow("slider") << "FontSizeTrackbar" << QRect(8, 27, 134, 46) << "" << 11 << false;
    QTest::newRow("face label") << "fontlabel" << QRect(16, 75, 0, 0) << "**" << 16 << true;
    QTest::newRow("face list") << "ListBox1" << QRect(8, 103, 137, 178) << "" << 11 << true;
    QTest::newRow("panel") << "Panel1" << QRect(160, 16, 281, 265) << "" << 11 << false;
    QTest::newRow("sample") << "fsamplelabel" << QRect(8, 8, 0, 0) << "test" << 21 << false;
}

void FontFormTest::parts_atTheirPlaces() {
    QFETCH(QString, name);
    QFETCH(QRect, geometry);
    QFETCH(QString, text);
    QFETCH(int, pixelSize);
    QFETCH(bool, bold);
    // The chooser as it is before its first opening.
    const TDFontForm* chooser = w_.DFontForm.get();
    const QWidget* part = chooser->findChild<QWidget*>(name);
    QVERIFY(part);
    QCOMPARE(part->pos(), geometry.topLeft());
    if (!geometry.size().isEmpty()) {
        QCOMPARE(part->size(), geometry.size());
    }
    if (const auto* label = qobject_cast<const QLabel*>(part); label && !text.isEmpty()) {
        QCOMPARE(label->text(), text);
    }
    QCOMPARE(part->font().pixelSize(), pixelSize);
    QCOMPARE(part->font().bold(), bold);
    if (name == QLatin1String("fontlabel") || name == QLatin1String("fsamplelabel")) {
        QCOMPARE(QFontInfo(part->font()).family(), QFontInfo(QFont("Arial")).family());
    }
}

void FontFormTest::window_captionFrameSliderAndCentring() {
    TDFontForm* chooser = w_.DFontForm.get();
    QCOMPARE(chooser->windowTitle(), QStringLiteral("Change Font and Size "));
    const Qt::WindowFlags flags = chooser->windowFlags();
    QVERIFY(flags & Qt::WindowCloseButtonHint);
    QVERIFY(!(flags & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint |
                       Qt::WindowContextHelpButtonHint)));
    QCOMPARE(chooser->minimumSize(), QSize(492, 329));
    QCOMPARE(chooser->maximumSize(), QSize(492, 329));

    const QSlider* slider = chooser->FontSizeTrackbar;
    QCOMPARE(slider->orientation(), Qt::Horizontal);
    QCOMPARE(slider->minimum(), 16);
    QCOMPARE(slider->maximum(), 200);
    QCOMPARE(slider->tickInterval(), 4);
    QVERIFY(slider->tickPosition() != QSlider::NoTicks);
    QCOMPARE(slider->value(), 16);
    QCOMPARE(chooser->Panel1->palette().color(QPalette::Window), QColor(Qt::black));
    QCOMPARE(chooser->Panel1->frameShadow(), QFrame::Sunken);
    QCOMPARE(chooser->Panel1->frameWidth(), 2);

    QRect frame;
    bool modal = false;
    runChooser(m_->edit1, [&](TDFontForm& c) {
        frame = c.frameGeometry();
        modal = QApplication::activeModalWidget() == &c;
    });
    QVERIFY(modal);
    // Centred on the 800 x 600 screen of the session.
    QCOMPARE(frame.topLeft(), QPoint((800 - frame.width()) / 2, (600 - frame.height()) / 2));
}

PLAKORA_TEST_MAIN(FontFormTest)
#include "test_font_form.moc"
