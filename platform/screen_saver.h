#pragma once

// Keeps the desktop from blanking, dimming or locking the screen while a show
// runs. The program asks this interface rather than the desktop, so tests can
// put a recording stand-in in place.

#include <QDBusConnection>
#include <QString>

#include <optional>

namespace platform {

class ScreenSaver {
public:
    virtual ~ScreenSaver() = default;

    // Keeps the screen on until release(), telling the desktop `reason`.
    virtual void inhibit(const QString& reason) = 0;
    // Lets the screen saver work again; nothing happens when nothing is held.
    virtual void release() = 0;
};

// The screen saver in use: the desktop's unless a test put another in place.
ScreenSaver& screenSaver();
// Puts `replacement` in place (nullptr restores the desktop's). The caller
// keeps ownership.
void setScreenSaver(ScreenSaver* replacement);

// The desktop's screen saver, reached over the session bus through the
// org.freedesktop.ScreenSaver service. Without a session bus, or without the
// service, both calls quietly do nothing.
class DBusScreenSaver final : public ScreenSaver {
public:
    DBusScreenSaver();
    // Talks over `bus` instead of the session bus.
    explicit DBusScreenSaver(const QDBusConnection& bus);
    ~DBusScreenSaver() override;

    // A second call while the screen is held keeps the first hold.
    void inhibit(const QString& reason) override;
    void release() override;

    // True while the desktop holds the screen on for this program.
    bool holding() const { return cookie_.has_value(); }

private:
    QDBusConnection bus_;
    QString path_; // the object that answered Inhibit
    std::optional<uint> cookie_;
};

} // namespace platform
