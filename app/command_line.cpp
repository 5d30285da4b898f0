#include "app/command_line.h"

#include "board/board_state.h"

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QFile>

#include <cstdio>

namespace {

QString usageError(const QString& message) {
    return QStringLiteral("plakora: %1\nTry 'plakora --help' for the options.\n").arg(message);
}

CommandLine endWithError(CommandLine line, const QString& message) {
    line.exitCode = kUsageExitCode;
    line.output.clear();
    line.errors = usageError(message);
    return line;
}

void write(const QString& text, std::FILE* stream) {
    if (text.isEmpty()) {
        return;
    }
    const QByteArray bytes = text.toLocal8Bit();
    std::fwrite(bytes.constData(), 1, static_cast<std::size_t>(bytes.size()), stream);
    std::fflush(stream);
}

// File names are read as UTF-8: a name of other bytes comes out with
// replacement characters and names no file. Said plainly, with the bytes
// shown, rather than as a file that cannot be found.
QString boardNameProblem(const QString& board, const QList<QByteArray>& rawArguments) {
    for (const QByteArray& raw : rawArguments) {
        if (QFile::decodeName(raw) == board && QFile::encodeName(board) != raw) {
            return QStringLiteral("\"%1\" cannot be opened: its name is not valid UTF-8, the "
                                  "encoding file names are read in. Rename the file with a UTF-8 "
                                  "name and open it again.")
                .arg(readableFileName(raw));
        }
    }
    return QString();
}

} // namespace

QString readableFileName(const QByteArray& bytes) {
    QString readable;
    qsizetype i = 0;
    while (i < bytes.size()) {
        const auto lead = static_cast<unsigned char>(bytes.at(i));
        const int length = lead < 0x80             ? 1
                           : (lead & 0xE0) == 0xC0 ? 2
                           : (lead & 0xF0) == 0xE0 ? 3
                           : (lead & 0xF8) == 0xF0 ? 4
                                                   : 0;
        if (length > 0 && i + length <= bytes.size()) {
            const QByteArray sequence = bytes.mid(i, length);
            const QString decoded = QString::fromUtf8(sequence);
            // The decoder marks broken, overlong and surrogate sequences.
            if (!decoded.contains(QChar::ReplacementCharacter) ||
                sequence == QByteArrayLiteral("\xEF\xBF\xBD")) {
                readable += decoded;
                i += length;
                continue;
            }
        }
        readable += QStringLiteral("\\x") +
                    QString::number(lead, 16).toUpper().rightJustified(2, QLatin1Char('0'));
        ++i;
    }
    return readable;
}

CommandLine readCommandLine(const QStringList& givenArguments,
                            const QList<QByteArray>& rawArguments) {
    const QStringList arguments = withoutQtOptions(givenArguments);
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Composes message boards and shows them on the whole screen.\n"
                       "With no options and no BOARD it starts as ever: with the offer to load "
                       "the last board."));
    // Not addHelpOption(): its --help-all is only answered by process(),
    // which ends the program from inside the parser.
    const QCommandLineOption helpOption({QStringLiteral("h"), QStringLiteral("help")},
                                        QStringLiteral("Shows these options."));
    parser.addOption(helpOption);
    const QCommandLineOption versionOption = parser.addVersionOption();
    const QCommandLineOption playOption(
        QStringLiteral("play"),
        QStringLiteral("Play BOARD as soon as it is loaded, asking nothing. Boxes that only "
                       "inform close themselves after 15 seconds and are written to standard "
                       "error."));
    const QCommandLineOption screenOption(
        QStringLiteral("screen"),
        QStringLiteral("Play shows on this screen in this run, without keeping it: its name or "
                       "its number as --list-screens shows them, or its model or serial number."),
        QStringLiteral("NAME|N"));
    const QCommandLineOption listScreensOption(
        QStringLiteral("list-screens"),
        QStringLiteral("List the connected screens: number, name, size, position and model."));
    const QCommandLineOption newInstanceOption(
        QStringLiteral("new-instance"),
        QStringLiteral("Start a program of its own even when Plakora runs already; without it "
                       "the running program takes BOARD (and --play) and this one ends."));
    parser.addOption(playOption);
    parser.addOption(screenOption);
    parser.addOption(listScreensOption);
    parser.addOption(newInstanceOption);
    parser.addPositionalArgument(QStringLiteral("BOARD"),
                                 QStringLiteral("The board file (.SFG) to load at start, in "
                                                "place of the offer to load the last board."),
                                 QStringLiteral("[BOARD]"));

    CommandLine line;
    if (!parser.parse(arguments)) {
        return endWithError(line, parser.errorText());
    }
    const QStringList boards = parser.positionalArguments();
    if (boards.size() > 1) {
        return endWithError(line, QStringLiteral("'%1': only one BOARD can be given (the first "
                                                 "is '%2').")
                                      .arg(boards.at(1), boards.at(0)));
    }
    line.help = parser.isSet(helpOption);
    line.version = parser.isSet(versionOption);
    line.listScreens = parser.isSet(listScreensOption);
    line.newInstance = parser.isSet(newInstanceOption);
    line.start.play = parser.isSet(playOption);
    if (!boards.isEmpty()) {
        line.start.board = boards.first();
        line.start.boardProblem = boardNameProblem(line.start.board, rawArguments);
    }

    if (line.help) {
        line.exitCode = 0;
        line.output = parser.helpText();
        // With no application yet, Qt does not know the program's name.
        line.output.replace(QStringLiteral("<executable_name>"),
                            arguments.value(0, QStringLiteral("plakora")));
        return line;
    }
    if (line.version) {
        line.exitCode = 0;
        line.output = QStringLiteral("%1 %2\n").arg(QString::fromLatin1(kApplicationTitle),
                                                    QString::fromLatin1(kVersionString));
        return line;
    }
    if (parser.isSet(screenOption)) {
        line.screenWanted = parser.value(screenOption);
    }
    // A mistake that the screens cannot come before is answered now.
    if (!line.listScreens && !line.screenWanted && line.start.play && line.start.board.isEmpty()) {
        return endWithError(line, QStringLiteral("--play needs the BOARD to play."));
    }
    return line;
}

void applyScreens(CommandLine& line, const QList<platform::ScreenEntry>& screens) {
    if (line.exitCode) {
        return;
    }
    if (line.listScreens) {
        line.exitCode = 0;
        for (qsizetype i = 0; i < screens.size(); ++i) {
            line.output += platform::screenListLine(static_cast<int>(i + 1), screens.at(i));
            line.output += QLatin1Char('\n');
        }
        return;
    }
    if (line.screenWanted) {
        const QString& wanted = *line.screenWanted;
        const qsizetype found = platform::findScreen(screens, wanted);
        if (found < 0 && line.start.play && !line.start.board.isEmpty()) {
            // A show nobody attends plays anyway, and moves to its screen
            // once that is connected.
            line.start.screen = wanted;
            line.errors = QStringLiteral("plakora: no screen is named or numbered '%1': the "
                                         "show plays on the primary screen until it is "
                                         "connected.\n")
                              .arg(wanted);
            return;
        }
        if (found < 0) {
            line = endWithError(line, QStringLiteral("no screen is named or numbered '%1' "
                                                     "(--list-screens shows them).")
                                          .arg(wanted));
            return;
        }
        line.start.screen = screens.at(found).name;
    }
    if (line.start.play && line.start.board.isEmpty()) {
        line = endWithError(line, QStringLiteral("--play needs the BOARD to play."));
    }
}

CommandLine parseCommandLine(const QStringList& arguments,
                             const QList<platform::ScreenEntry>& screens,
                             const QList<QByteArray>& rawArguments) {
    CommandLine line = readCommandLine(arguments, rawArguments);
    applyScreens(line, screens);
    return line;
}

QStringList withoutQtOptions(const QStringList& arguments) {
    // The options of QGuiApplication and QApplication; Qt takes them with one
    // dash or two, and those in the first list with the next argument, or
    // after "=".
    static const QStringList withValue{"platform",
                                       "platformpluginpath",
                                       "platformtheme",
                                       "plugin",
                                       "qwindowgeometry",
                                       "qwindowicon",
                                       "qwindowtitle",
                                       "session",
                                       "display",
                                       "geometry",
                                       "title",
                                       "icon",
                                       "name",
                                       "visual",
                                       "ncols",
                                       "im",
                                       "style",
                                       "stylesheet",
                                       "qmljsdebugger"};
    static const QStringList flags{"reverse",     "nograb", "dograb",     "sync",
                                   "widgetcount", "cmap",   "testability"};
    QStringList kept;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& arg = arguments.at(i);
        if (i == 0 || !arg.startsWith(QLatin1Char('-')) || arg == QLatin1String("--")) {
            kept << arg;
            if (arg == QLatin1String("--") && i > 0) {
                kept << arguments.mid(i + 1);
                break;
            }
            continue;
        }
        const QString name = arg.mid(arg.startsWith(QLatin1String("--")) ? 2 : 1);
        const QString key = name.section(QLatin1Char('='), 0, 0);
        if (withValue.contains(key)) {
            if (!name.contains(QLatin1Char('=')) && i + 1 < arguments.size()) {
                ++i;
            }
            continue;
        }
        if (flags.contains(name)) {
            continue;
        }
        kept << arg;
    }
    return kept;
}

void printCommandLineOutput(const CommandLine& commandLine) {
    write(commandLine.output, stdout);
    write(commandLine.errors, stderr);
}
