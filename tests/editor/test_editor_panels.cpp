// The panels the editor is made of, where they meet: the path above a text
// object stands over the image panel, and only the path does.

#include "editor/image_list_panel.h"
#include "editor/text_object_box.h"
#include "tests/editor/editor_session.h"
#include "tests/support/test_main.h"

#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>

class EditorPanelsTest : public QObject, public EditorSession {
    Q_OBJECT

private slots:
    void init() { openSession(); }
    void cleanup() { closeSession(); }

    void pathRow_takesClicksOnlyOnThePath_data();
    void pathRow_takesClicksOnlyOnThePath();
};

void EditorPanelsTest::pathRow_takesClicksOnlyOnThePath_data() {
    QTest::addColumn<QString>("path"); // "" for none shown
    QTest::addColumn<bool>("pathTakesIt");
    QTest::newRow("no path") << "" << false;
    QTest::newRow("short path") << "/a.txt" << false;
    QTest::newRow("long path") << QStringLiteral("/shows/").repeated(40) + "a.txt" << true;
}

void EditorPanelsTest::pathRow_takesClicksOnlyOnThePath() {
    QFETCH(QString, path);
    QFETCH(bool, pathTakesIt);
    TextObjectBox* box = m_->textObjectBox(m_->Memo1);
    if (path.isEmpty()) {
        box->hidePath();
    } else {
        box->showPath(path);
    }
    QWidget* client = m_->centralWidget();
    // A point of the path row that lies over the image list's last rows.
    const QRect list(m_->ListBox1->mapTo(client, QPoint()), m_->ListBox1->size());
    const QPoint point(list.center().x(), m_->label5->mapTo(client, QPoint()).y() + 3);
    QVERIFY(list.contains(point));
    QVERIFY(box->geometry().contains(point));

    QWidget* hit = client->childAt(point);
    QVERIFY(hit);
    QCOMPARE(hit == m_->label5, pathTakesIt);
    QCOMPARE(m_->Panel1->isAncestorOf(hit), !pathTakesIt);
    // The path, where it is, is never under the panel.
    if (!path.isEmpty()) {
        QCOMPARE(client->childAt(m_->label5->mapTo(client, QPoint(2, 2))), m_->label5);
    }
}

PLAKORA_TEST_MAIN(EditorPanelsTest)
#include "test_editor_panels.moc"
