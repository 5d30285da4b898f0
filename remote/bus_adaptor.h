#pragma once

// The program on the session bus: the service org.plakora.Plakora with the
// object /org/plakora/Plakora, whose interface org.plakora.Plakora.Show
// drives a show as the menus and keys do (`gdbus call` works on it), and the
// desktop's media player interface (MPRIS 2) under
// org.mpris.MediaPlayer2.plakora, for media keys and the desktop's media
// controls. A command that fails answers with a D-Bus error whose message
// says why.

#include <QDBusAbstractAdaptor>
#include <QDBusContext>
#include <QObject>
#include <QStringList>
#include <QVariantMap>

class ShowCommands;

inline constexpr const char* kBusService = "org.plakora.Plakora";
inline constexpr const char* kBusPath = "/org/plakora/Plakora";
inline constexpr const char* kBusInterface = "org.plakora.Plakora.Show";
inline constexpr const char* kBusError = "org.plakora.Plakora.Error";
inline constexpr const char* kMprisService = "org.mpris.MediaPlayer2.plakora";
inline constexpr const char* kMprisPath = "/org/mpris/MediaPlayer2";

// The object exported on the bus; its adaptors answer for it.
class BusObject : public QObject, protected QDBusContext {
    Q_OBJECT
public:
    explicit BusObject(ShowCommands& commands, QObject* parent = nullptr);
    ShowCommands& commands() { return commands_; }
    // Answers the current call with an error when `problem` says one.
    void failIf(const QString& problem);
    // Tells the bus that `properties` of `interface` changed.
    void announce(const char* interface, const QVariantMap& properties);

private:
    ShowCommands& commands_;
};

class ShowBusAdaptor : public QDBusAbstractAdaptor {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.plakora.Plakora.Show")
    Q_PROPERTY(QString State READ state)
    Q_PROPERTY(QString Board READ board)
    Q_PROPERTY(QString Screen READ screen)
public:
    explicit ShowBusAdaptor(BusObject* object);
    QString state() const;
    QString board() const;
    QString screen() const;

public slots:
    void Play(const QString& board);
    void Stop();
    void Freeze();
    void Resume();
    void Refresh();
    void SetCrawlLine(const QString& text);
    void SetTitle(int which, const QString& text);
    void SetTextObject(int which, const QStringList& lines);
    // What a second start of the program hands over: a board to load into
    // the editor, and the editor brought to the front.
    void Open(const QString& board);
    void Raise();

private:
    void changed();
    BusObject* object_;
    QVariantMap last_;
};

// Owns the bus names and objects of a running program.
class ProgramBus : public QObject {
    Q_OBJECT
public:
    // Exports the objects on the session bus and takes the names; true when
    // the program's own name was taken (no other instance has it).
    explicit ProgramBus(ShowCommands& commands, QObject* parent = nullptr);
    ~ProgramBus() override;
    bool ownsName() const { return owns_; }

private:
    BusObject* object_ = nullptr;
    BusObject* mpris_ = nullptr;
    bool owns_ = false;
};
