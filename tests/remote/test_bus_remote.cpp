// The program's interface on the session bus, called as another program
// calls it (over a connection of its own), against a show in the offscreen
// platform: every method, its errors, the properties and their change
// signal, and the desktop's media player interface.

#include "editor/board_document.h"
#include "remote/bus_adaptor.h"
#include "remote/show_commands.h"
#include "show/control_panel.h"
#include "tests/editor/editor_session.h"
#include "tests/support/test_main.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusVariant>
#include <QLineEdit>
#include <QPlainTextEdit>

#include <memory>

namespace {

// Calls a method of the program from a connection of its own, without
// blocking the event loop the program answers in. The reply's error
// message, empty when there was none.
QString callOn(const char* service, const char* path, const QString& interface,
               const QString& method, const QVariantList& args = {}) {
    QDBusConnection client =
        QDBusConnection::connectToBus(QDBusConnection::SessionBus, QStringLiteral("client"));
    QDBusMessage call = QDBusMessage::createMethodCall(
        QString::fromLatin1(service), QString::fromLatin1(path), interface, method);
    call.setArguments(args);
    QDBusPendingCallWatcher watcher(client.asyncCall(call));
    if (!QTest::qWaitFor([&] { return watcher.isFinished(); }, 10000)) {
        return QStringLiteral("no answer");
    }
    return watcher.isError() ? watcher.error().name() + ": " + watcher.error().message()
                             : QString();
}

QString call(const QString& method, const QVariantList& args = {}) {
    return callOn(kBusService, kBusPath, QString::fromLatin1(kBusInterface), method, args);
}

QVariant busProperty(const char* service, const char* path, const char* interface,
                     const char* name) {
    QDBusConnection client =
        QDBusConnection::connectToBus(QDBusConnection::SessionBus, QStringLiteral("client"));
    QDBusMessage get = QDBusMessage::createMethodCall(
        QString::fromLatin1(service), QString::fromLatin1(path),
        QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("Get"));
    get << QString::fromLatin1(interface) << QString::fromLatin1(name);
    QDBusPendingCallWatcher watcher(client.asyncCall(get));
    if (!QTest::qWaitFor([&] { return watcher.isFinished(); }, 10000)) {
        return QVariant();
    }
    const QDBusMessage reply = watcher.reply();
    return reply.arguments().isEmpty() ? QVariant()
                                       : reply.arguments().first().value<QDBusVariant>().variant();
}

QString state() {
    return busProperty(kBusService, kBusPath, kBusInterface, "State").toString();
}

} // namespace

class BusRemoteTest : public QObject, private EditorSession {
    Q_OBJECT

public slots:
    void countSignal() { ++propertySignals_; }

private slots:
    void init();
    void cleanup();
    void methods_driveTheShow();
    void mediaPlayer_freezesResumesAndStops();

private:
    std::unique_ptr<ShowCommands> commands_;
    std::unique_ptr<ProgramBus> bus_;
    int propertySignals_ = 0;
};

void BusRemoteTest::init() {
    openSession();
    commands_ = std::make_unique<ShowCommands>(*m_, *screen_, *w_.AlignCntrlBox);
    bus_ = std::make_unique<ProgramBus>(*commands_);
    QVERIFY(bus_->ownsName());
    propertySignals_ = 0;
    QDBusConnection::connectToBus(QDBusConnection::SessionBus, QStringLiteral("client"))
        .connect(QString(), QString::fromLatin1(kBusPath),
                 QStringLiteral("org.freedesktop.DBus.Properties"),
                 QStringLiteral("PropertiesChanged"), this, SLOT(countSignal()));
    m_->edit1->setText(QStringLiteral("Title"));
    m_->Memo1->setPlainText(QStringLiteral("one\ntwo"));
    m_->document()->setChanged(false);
}

void BusRemoteTest::cleanup() {
    bus_.reset();
    commands_.reset();
    if (screen_->isVisible()) {
        screen_->ClosePlayScreen();
    }
    closeSession();
}

void BusRemoteTest::methods_driveTheShow() {
    const QString failed = QString::fromLatin1(kBusError) + ": ";
    QCOMPARE(call("Stop"), failed + "No show is playing.");
    QCOMPARE(call("Play", {QStringLiteral("/nowhere/board.SFG")}),
             failed + "I cant find /nowhere/board.SFG");
    QCOMPARE(state(), QStringLiteral("stopped"));

    QCOMPARE(call("Play", {QString()}), QString());
    QCOMPARE(state(), QStringLiteral("playing"));
    QVERIFY(dialogs_->questions.isEmpty());
    QCOMPARE(call("Freeze"), QString());
    QVERIFY(w_.AlignCntrlBox->isVisible());
    QCOMPARE(state(), QStringLiteral("frozen"));
    QCOMPARE(call("Resume"), QString());
    QCOMPARE(state(), QStringLiteral("playing"));
    QCOMPARE(call("Refresh"), QString());

    QCOMPARE(call("SetTitle", {1, QStringLiteral("From afar")}), QString());
    QCOMPARE(screen_->Panel3->caption(), QStringLiteral("From afar"));
    QCOMPARE(m_->edit1->text(), QStringLiteral("From afar"));
    QVERIFY(call("SetTitle", {3, QStringLiteral("x")}).startsWith(failed));
    QVERIFY(call("SetTitle", {1, QStringLiteral("two\nlines")}).startsWith(failed));
    QCOMPARE(call("SetCrawlLine", {QStringLiteral("News")}), QString());
    QCOMPARE(m_->showState.Texts.CrawlLine, QStringLiteral("News"));
    QCOMPARE(call("SetTextObject", {2, QStringList{"new", "box"}}), QString());
    QCOMPARE(m_->showState.Texts.Text2Lines, (QStringList{"new", "box"}));
    QVERIFY(call("SetTextObject", {1, QStringList{QString(70000, 'x')}}).startsWith(failed));

    QCOMPARE(call("Stop"), QString());
    QCOMPARE(state(), QStringLiteral("stopped"));
    QVERIFY(!screen_->isVisible());
    // Each change of state was announced.
    QTRY_VERIFY(propertySignals_ >= 4);
}

void BusRemoteTest::mediaPlayer_freezesResumesAndStops() {
    const QString player = QStringLiteral("org.mpris.MediaPlayer2.Player");
    auto status = [] {
        return busProperty(kMprisService, kMprisPath, "org.mpris.MediaPlayer2.Player",
                           "PlaybackStatus")
            .toString();
    };
    QCOMPARE(
        busProperty(kMprisService, kMprisPath, "org.mpris.MediaPlayer2", "Identity").toString(),
        QStringLiteral("Plakora"));
    QCOMPARE(status(), QStringLiteral("Stopped"));
    QCOMPARE(callOn(kMprisService, kMprisPath, player, "PlayPause"), QString());
    QCOMPARE(status(), QStringLiteral("Playing"));
    QCOMPARE(callOn(kMprisService, kMprisPath, player, "PlayPause"), QString());
    QCOMPARE(status(), QStringLiteral("Paused"));
    QCOMPARE(callOn(kMprisService, kMprisPath, player, "PlayPause"), QString());
    QCOMPARE(status(), QStringLiteral("Playing"));
    // No slideshow plays: Next says so.
    QVERIFY(!callOn(kMprisService, kMprisPath, player, "Next").isEmpty());
    QCOMPARE(callOn(kMprisService, kMprisPath, player, "Stop"), QString());
    QCOMPARE(status(), QStringLiteral("Stopped"));
}

PLAKORA_TEST_MAIN(BusRemoteTest)
#include "test_bus_remote.moc"
