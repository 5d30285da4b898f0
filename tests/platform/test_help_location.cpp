// Where the program finds its help file: beside itself in a build tree, or
// under share/ in an installed tree.

#include "platform/help.h"
#include "tests/support/test_main.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QObject>
#include <QTemporaryDir>
#include <QTest>

using platform::locateHelpFile;

namespace {

// A folder laid out like an installation prefix: bin/ for the program and,
// when asked, the help pages beside it and under share/.
struct Prefix {
    QTemporaryDir root;

    QString bin() const { return root.filePath(QStringLiteral("bin")); }
    QString besidePage() const {
        return bin() + QStringLiteral("/Plakora Help Files/Plakora.html");
    }
    QString installedPage() const {
        return root.filePath(QStringLiteral("share/plakora/help/Plakora.html"));
    }

    bool makeBin() const { return QDir().mkpath(bin()); }
    static bool writePage(const QString& path) {
        if (!QDir().mkpath(QFileInfo(path).absolutePath())) {
            return false;
        }
        QFile file(path);
        return file.open(QIODevice::WriteOnly) && file.write("<html></html>") > 0;
    }
};

} // namespace

class HelpLocationTest : public QObject {
    Q_OBJECT

private slots:
    void pagesBesideTheProgramAreFound();
    void installedPagesAreFoundUnderShare();
    void pagesBesideTheProgramComeFirst();
    void withNoPagesThePlaceBesideTheProgramIsNamed();
    void aFolderOfThatNameIsNotTheHelpFile();
};

void HelpLocationTest::pagesBesideTheProgramAreFound() {
    Prefix p;
    QVERIFY(p.makeBin());
    QVERIFY(Prefix::writePage(p.besidePage()));
    QCOMPARE(locateHelpFile(p.bin()), p.besidePage());
}

void HelpLocationTest::installedPagesAreFoundUnderShare() {
    Prefix p;
    QVERIFY(p.makeBin());
    QVERIFY(Prefix::writePage(p.installedPage()));
    // The path is clean: the help window's title and links read it.
    QCOMPARE(locateHelpFile(p.bin()), p.installedPage());
}

void HelpLocationTest::pagesBesideTheProgramComeFirst() {
    Prefix p;
    QVERIFY(p.makeBin());
    QVERIFY(Prefix::writePage(p.besidePage()));
    QVERIFY(Prefix::writePage(p.installedPage()));
    QCOMPARE(locateHelpFile(p.bin()), p.besidePage());
}

void HelpLocationTest::withNoPagesThePlaceBesideTheProgramIsNamed() {
    Prefix p;
    QVERIFY(p.makeBin());
    // The Help command then reports this path as the file it cannot open.
    QCOMPARE(locateHelpFile(p.bin()), p.besidePage());
}

void HelpLocationTest::aFolderOfThatNameIsNotTheHelpFile() {
    Prefix p;
    QVERIFY(QDir().mkpath(p.besidePage()));
    QVERIFY(Prefix::writePage(p.installedPage()));
    QCOMPARE(locateHelpFile(p.bin()), p.installedPage());
}

PLAKORA_TEST_MAIN(HelpLocationTest)
#include "test_help_location.moc"
