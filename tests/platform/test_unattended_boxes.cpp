// The message boxes of a show nobody attends: a box that only informs
// closes itself with its default answer and goes to the log; a question, and
// every box of an attended program, waits for the operator.

#include "platform/dialogs.h"
#include "platform/qt_dialogs.h"
#include "tests/support/test_main.h"

#include <QApplication>
#include <QDialog>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <chrono>

using namespace platform;
using namespace std::chrono_literals;

Q_DECLARE_METATYPE(platform::MessageKind)
Q_DECLARE_METATYPE(platform::Buttons)
Q_DECLARE_METATYPE(platform::Answer)

namespace {

QDialog* shownBox() {
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (window->objectName() == u"plakoraMessageBox" && window->isVisible()) {
            return qobject_cast<QDialog*>(window);
        }
    }
    return nullptr;
}

} // namespace

class UnattendedBoxesTest : public QObject {
    Q_OBJECT

private slots:
    void box_data();
    void box();
};

void UnattendedBoxesTest::box_data() {
    QTest::addColumn<bool>("unattended");
    QTest::addColumn<MessageKind>("kind");
    QTest::addColumn<Buttons>("buttons");
    QTest::addColumn<QString>("press"); // empty: the box must close itself
    QTest::addColumn<Answer>("answer");
    const QString self;
    QTest::newRow("movie error") << true << MessageKind::Error << Buttons(Button::OK) << self
                                 << Answer::OK;
    QTest::newRow("nothing to play")
        << true << MessageKind::Confirm << Buttons(Button::OK) << self << Answer::OK;
    QTest::newRow("no button asked")
        << true << MessageKind::Warning << Buttons() << self << Answer::OK;
    QTest::newRow("cancel alone") << true << MessageKind::Information << Buttons(Button::Cancel)
                                  << self << Answer::Cancel;
    QTest::newRow("question yes/no")
        << true << MessageKind::Confirm << (Button::Yes | Button::No) << "button_No" << Answer::No;
    QTest::newRow("question ok/cancel")
        << true << MessageKind::Warning << (Button::OK | Button::Cancel) << "button_Cancel"
        << Answer::Cancel;
    QTest::newRow("attended error")
        << false << MessageKind::Error << Buttons(Button::OK) << "button_OK" << Answer::OK;
}

void UnattendedBoxesTest::box() {
    QFETCH(bool, unattended);
    QFETCH(MessageKind, kind);
    QFETCH(Buttons, buttons);
    QFETCH(QString, press);
    QFETCH(Answer, answer);

    QtDialogs dialogs;
    QVERIFY(!dialogs.unattended()); // attended unless told otherwise
    QStringList log;
    if (unattended) {
        dialogs.setUnattended(UnattendedBoxes{20ms, [&log](const QString& l) { log << l; }});
    }
    // Long after a box that closes itself would have gone, the operator
    // presses the button; a box still up then is closed, answering None.
    bool stillUp = false;
    QTimer::singleShot(300ms, [&] {
        if (QDialog* box = shownBox()) {
            stillUp = true;
            if (auto* button = box->findChild<QPushButton*>(press); !press.isEmpty() && button) {
                button->click();
            } else {
                box->close();
            }
        }
    });
    const QString text = QStringLiteral("Sorry, MCI problem : no such file");
    QCOMPARE(dialogs.message(kind, text, buttons), answer);
    const bool closesItself = press.isEmpty();
    QCOMPARE(stillUp, !closesItself);
    QCOMPARE(log, closesItself ? QStringList{messageCaption(kind) + QStringLiteral(": ") + text}
                               : QStringList{});
    QVERIFY(UnattendedBoxes{}.closeAfter == 15s);
}

PLAKORA_TEST_MAIN(UnattendedBoxesTest)
#include "test_unattended_boxes.moc"
