#include "editor/screen_menu.h"

#include "editor/mainform.h"
#include "persistence/board_file.h"
#include "platform/dialogs.h"
#include "platform/system_info.h"

#include <QActionGroup>
#include <QDir>
#include <QGuiApplication>
#include <QMenu>
#include <QScreen>
#include <QStatusBar>

#include <algorithm>

QList<PlayScreenMenuEntry> playScreenMenu(const QList<platform::ScreenEntry>& screens,
                                          const QString& chosen) {
    QList<PlayScreenMenuEntry> entries;
    const bool chosenConnected =
        std::any_of(screens.begin(), screens.end(),
                    [&chosen](const platform::ScreenEntry& s) { return s.name == chosen; });
    for (const platform::ScreenEntry& screen : screens) {
        const bool checked =
            chosenConnected ? screen.name == chosen : chosen.isEmpty() && screen.primary;
        entries.append({platform::screenMenuText(screen), screen.name, checked, true});
    }
    if (!chosen.isEmpty() && !chosenConnected) {
        entries.append({QStringLiteral("%1 (not connected)").arg(chosen), chosen, true, false});
    }
    return entries;
}

void Tmainform::createPlayScreenMenu() {
    Configuration1->addSeparator();
    PlayScreen1 = Configuration1->addMenu(QStringLiteral("Play Screen"));
    PlayScreen1->setObjectName(QStringLiteral("PlayScreen1"));
    // The entries are made afresh whenever screens come and go, and before
    // the menu opens, so they follow the screens and a choice made elsewhere.
    connect(PlayScreen1, &QMenu::aboutToShow, this, &Tmainform::fillPlayScreenMenu);
    connect(qApp, &QGuiApplication::screenAdded, this, &Tmainform::fillPlayScreenMenu);
    connect(qApp, &QGuiApplication::screenRemoved, this, [this] {
        QMetaObject::invokeMethod(this, &Tmainform::fillPlayScreenMenu, Qt::QueuedConnection);
    });
    connect(qApp, &QGuiApplication::primaryScreenChanged, this, &Tmainform::fillPlayScreenMenu);
    fillPlayScreenMenu();
}

void Tmainform::fillPlayScreenMenu() {
    PlayScreen1->clear();
    auto* group = new QActionGroup(PlayScreen1);
    const QList<PlayScreenMenuEntry> entries =
        playScreenMenu(platform::connectedScreens(), platform::chosenPlayScreenNow());
    for (const PlayScreenMenuEntry& entry : entries) {
        QAction* action = PlayScreen1->addAction(entry.text);
        action->setCheckable(true);
        action->setChecked(entry.checked);
        action->setEnabled(entry.enabled);
        action->setActionGroup(group);
        const QString name = entry.name;
        connect(action, &QAction::triggered, this, [this, name] { choosePlayScreen(name); });
    }
}

void Tmainform::choosePlayScreen(const QString& name) {
    platform::choosePlayScreen(name);
    const QString path = settingsFile();
    if (!board.WindowsDirectory.isEmpty()) {
        QDir().mkpath(board.WindowsDirectory);
    }
    // Kept with what the screen reports of itself, so that it is found again
    // under another name in another session.
    const QString error = writePlayScreenIdentity(path, platform::chosenPlayScreenIdentity());
    if (!error.isEmpty()) {
        platform::dialogs().message(platform::MessageKind::Error, error, platform::Button::OK);
    }
    fillPlayScreenMenu();
}

void Tmainform::readPlayScreenChoice() {
    // Read without taking the folder into the board, which a save does.
    platform::choosePlayScreen(readPlayScreenIdentity(
        settingsFilePath(trimControls(platform::systemInfo().windowsDirectory()))));
}

void Tmainform::reportPlayScreen(const QString& note) {
    if (note.isEmpty()) {
        StatusBar1->clearMessage();
    } else {
        StatusBar1->showMessage(note);
    }
}
