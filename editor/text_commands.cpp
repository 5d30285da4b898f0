// The context menu of the element boxes: text files, colours, fonts and
// centring of the board's elements, and the change tracking of its texts.

#include "editor/board_document.h"
#include "editor/mainform.h"
#include "editor/text_object_box.h"

#include "persistence/text_file.h"

#include <QAction>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QTextDocument>
#include <QTextOption>

using platform::Answer;
using platform::Button;
using platform::MessageKind;

namespace {

QAction* popupItem(QMenu* menu, const char* name, const QString& text, bool checkable = false) {
    QAction* action = menu->addAction(text);
    action->setObjectName(QString::fromLatin1(name));
    action->setCheckable(checkable);
    return action;
}

// Centres every line of a text object in its editor box, or sets them flush
// left; text put in later follows the same alignment.
void alignTextObject(QPlainTextEdit* memo, bool centred) {
    QTextDocument* doc = memo->document();
    QTextOption option = doc->defaultTextOption();
    option.setAlignment(centred ? Qt::AlignHCenter : Qt::AlignLeft);
    doc->setDefaultTextOption(option);
}

} // namespace

void Tmainform::createPopupMenu1() {
    PopupMenu1 = new QMenu(this);
    PopupMenu1->setObjectName(QStringLiteral("PopupMenu1"));
    New2 = popupItem(PopupMenu1, "New2", QStringLiteral("New Text File"));
    ReadInTextFile1 =
        popupItem(PopupMenu1, "ReadInTextFile1", QStringLiteral("Read In Text File..."));
    SaveCurrentText1 =
        popupItem(PopupMenu1, "SaveCurrentText1", QStringLiteral("Save Current Text..."));
    FontTypeSize1 = popupItem(PopupMenu1, "FontTypeSize1", QStringLiteral("Font Type - Size..."));
    SetBackgroundColor1 =
        popupItem(PopupMenu1, "SetBackgroundColor1", QStringLiteral("Set Background Color..."));
    setfontcolor1 = popupItem(PopupMenu1, "setfontcolor1", QStringLiteral("Set Font Color..."));
    AutoCenter1 = popupItem(PopupMenu1, "AutoCenter1", QStringLiteral("Center"), true);
    // "Auto Size" carries no command.
    AutoSize1 = popupItem(PopupMenu1, "AutoSize1", QStringLiteral("Auto Size"));

    connect(PopupMenu1, &QMenu::aboutToShow, this, &Tmainform::PopupMenu1Popup);
    connect(New2, &QAction::triggered, this, &Tmainform::New2Click);
    connect(ReadInTextFile1, &QAction::triggered, this, &Tmainform::ReadInTextFile1Click);
    connect(SaveCurrentText1, &QAction::triggered, this, &Tmainform::SaveCurrentText1Click);
    connect(FontTypeSize1, &QAction::triggered, this, &Tmainform::FontTypeSize1Click);
    connect(SetBackgroundColor1, &QAction::triggered, this, &Tmainform::SetBackgroundColor1Click);
    connect(setfontcolor1, &QAction::triggered, this, &Tmainform::setfontcolor1Click);
    connect(AutoCenter1, &QAction::triggered, this, &Tmainform::AutoCenter1Click);

    for (QWidget* box : std::initializer_list<QWidget*>{Memo1, Memo2, edit1, edit2, Edit3, Edit4}) {
        box->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(box, &QWidget::customContextMenuRequested, this, [this, box](const QPoint& pos) {
            // A text object reports the click in the coordinates of its viewport.
            auto* memo = qobject_cast<QPlainTextEdit*>(box);
            const QWidget* origin = memo ? memo->viewport() : box;
            openPopupMenu1(box, origin->mapToGlobal(pos));
        });
    }
}

std::optional<BoardElement> Tmainform::elementOf(const QWidget* box) const {
    if (!box) {
        return std::nullopt;
    }
    if (box == Memo1) {
        return BoardElement::Text1;
    }
    if (box == Memo2) {
        return BoardElement::Text2;
    }
    if (box == edit1) {
        return BoardElement::MainTitle;
    }
    if (box == edit2) {
        return BoardElement::SecondTitle;
    }
    if (box == Edit3) {
        return BoardElement::Crawl;
    }
    if (box == Edit4) {
        return BoardElement::Clock;
    }
    return std::nullopt;
}

void Tmainform::openPopupMenu1(QWidget* box, const QPoint& globalPos) {
    setPopupTarget(box);
    PopupMenu1->popup(globalPos);
}

void Tmainform::PopupMenu1Popup() {
    const std::optional<BoardElement> element = elementOf(popupTarget_);
    if (!element) {
        return;
    }
    bool hasContent = false;
    bool centred = false;
    if (auto* memo = qobject_cast<QPlainTextEdit*>(popupTarget_)) {
        hasContent = !textObjectLines(memo).isEmpty();
        centred = memo == Memo1 ? board.CenterText1 : board.CenterText2;
    } else if (auto* line = qobject_cast<QLineEdit*>(popupTarget_)) {
        hasContent = !line->text().isEmpty();
    }
    const PopupEntries e = popupEntries(*element, hasContent, centred);
    New2->setEnabled(e.newTextFile);
    ReadInTextFile1->setEnabled(e.readIn);
    SaveCurrentText1->setEnabled(e.saveCurrent);
    FontTypeSize1->setEnabled(e.fontTypeSize);
    SetBackgroundColor1->setEnabled(e.setBackground);
    setfontcolor1->setEnabled(e.setFontColor);
    AutoCenter1->setEnabled(e.center);
    AutoSize1->setEnabled(e.autoSize);
    AutoCenter1->setChecked(e.centerChecked);
}

void Tmainform::emptyTextObject(QPlainTextEdit* memo) {
    memo->clear();
    textObjectBox(memo)->hidePath();
}

void Tmainform::New2Click() {
    auto* memo = qobject_cast<QPlainTextEdit*>(popupTarget_);
    if (!memo) {
        return;
    }
    if (!memo->document()->isModified()) {
        emptyTextObject(memo);
        return;
    }
    const Answer answer =
        platform::dialogs().message(MessageKind::Confirm, QStringLiteral("Save Before Clearing"),
                                    Button::Yes | Button::No | Button::Cancel);
    if (answer == Answer::Yes) {
        // The operator asked for an empty text object; it is emptied once its
        // lines are safe in a file.
        if (saveTextObjectAs(memo) == SaveOutcome::Saved) {
            emptyTextObject(memo);
        }
    } else if (answer == Answer::No) {
        emptyTextObject(memo);
    }
}

bool Tmainform::loadTextObjectFile(QPlainTextEdit* memo, const QString& path) {
    if (!readTextObject(memo, path)) {
        return false;
    }
    if (memo == Memo1) {
        showState.Box1On = true;
    } else {
        showState.Box2On = true;
    }
    return true;
}

bool Tmainform::readTextObject(QPlainTextEdit* memo, const QString& path) {
    Q_ASSERT(memo == Memo1 || memo == Memo2);
    const TextFileResult read = readTextFile(path);
    if (!read.ok()) {
        platform::dialogs().message(MessageKind::Error, read.error, Button::OK);
        return false;
    }
    memo->setPlainText(textObjectText(read.lines));
    textObjectBox(memo)->showPath(path);
    // Paths are kept whole: a shortened one would name a file that does not exist.
    (memo == Memo1 ? board.TextFile1 : board.TextFile2) = path;
    return true;
}

void Tmainform::ReadInTextFile1Click() {
    auto* memo = qobject_cast<QPlainTextEdit*>(popupTarget_);
    if (!memo) {
        return;
    }
    OpenDialog1.title = QStringLiteral("Open a Text File");
    OpenDialog1.filter = QStringLiteral("Text Files|*.txt");
    OpenDialog1.defaultExt = QStringLiteral("TXT");
    OpenDialog1.fileName.clear();
    const std::optional<QStringList> chosen = platform::dialogs().openFile(OpenDialog1);
    if (chosen && !chosen->isEmpty()) {
        loadTextObjectFile(memo, chosen->first());
    }
}

void Tmainform::SaveCurrentText1Click() {
    auto* memo = qobject_cast<QPlainTextEdit*>(popupTarget_);
    if (!memo) {
        return;
    }
    SaveDialog1.title = QStringLiteral("Save as Text File");
    SaveDialog1.filter = QStringLiteral("Text Files|*.txt");
    SaveDialog1.defaultExt = QStringLiteral("TXT");
    SaveDialog1.fileName.clear();
    const std::optional<QString> chosen = platform::dialogs().saveFile(SaveDialog1);
    if (!chosen) {
        return;
    }
    if (const QString error = writeTextFile(*chosen, textObjectLines(memo)); !error.isEmpty()) {
        platform::dialogs().message(
            MessageKind::Error,
            QStringLiteral("File Name Problem, Try a different name.\n\n") + error, Button::OK);
        return;
    }
    setWindowTitle(QStringLiteral("SAVE ") + QFileInfo(*chosen).fileName());
    memo->document()->setModified(false);
}

Tmainform::SaveOutcome Tmainform::saveTextObjectAs(QPlainTextEdit* memo) {
    Q_ASSERT(memo == Memo1 || memo == Memo2);
    QString& remembered = memo == Memo1 ? board.TextFile1 : board.TextFile2;
    SaveDialog1.title = QStringLiteral("Save File");
    SaveDialog1.filter = QStringLiteral("Text|*.TXT");
    SaveDialog1.defaultExt = QStringLiteral("TXT");
    SaveDialog1.fileName = remembered;
    const std::optional<QString> chosen = platform::dialogs().saveFile(SaveDialog1);
    if (!chosen) {
        return SaveOutcome::NotSaved;
    }
    const QString error = writeTextFile(*chosen, textObjectLines(memo));
    if (!error.isEmpty()) {
        platform::dialogs().message(MessageKind::Error, error, Button::OK);
        return SaveOutcome::Failed;
    }
    memo->document()->setModified(false);
    remembered = *chosen;
    SaveDialog1.fileName.clear();
    return SaveOutcome::Saved;
}

void Tmainform::SaveAs1Click() {
    saveTextObjectAs(Memo1);
}

void Tmainform::SaveAs2Click() {
    saveTextObjectAs(Memo2);
}

void Tmainform::chooseElementColour(bool background) {
    const std::optional<BoardElement> element = elementOf(popupTarget_);
    if (!element) {
        return;
    }
    const std::optional<std::uint32_t> chosen = platform::dialogs().chooseColor(ColorDialog1);
    if (!chosen) {
        return;
    }
    ColorDialog1.color = *chosen;
    const ElementFields fields = elementFields(board, *element);
    *(background ? fields.backColour : fields.fontColour) = *chosen;
}

void Tmainform::setfontcolor1Click() {
    chooseElementColour(false);
}

void Tmainform::SetBackgroundColor1Click() {
    chooseElementColour(true);
}

void Tmainform::AutoCenter1Click() {
    if (popupTarget_ == Memo1) {
        board.CenterText1 = !board.CenterText1;
        AutoCenter1->setChecked(board.CenterText1);
        alignTextObject(Memo1, board.CenterText1);
    } else if (popupTarget_ == Memo2) {
        board.CenterText2 = !board.CenterText2;
        AutoCenter1->setChecked(board.CenterText2);
        alignTextObject(Memo2, board.CenterText2);
    } else {
        // Nothing to centre in a single-line box; the entry keeps the clear
        // check the menu showed.
        AutoCenter1->setChecked(false);
    }
}

void Tmainform::textObjectChanged(QPlainTextEdit* memo) {
    if (memo == Memo1) {
        Memo1Change();
    } else {
        Memo2Change();
    }
}

void Tmainform::Memo1Change() {
    QTextDocument* doc = Memo1->document();
    doc->setModified(modifiedAfterChange(doc->isModified(), textObjectLines(Memo1).size()));
}

void Tmainform::Memo2Change() {
    QTextDocument* doc = Memo2->document();
    doc->setModified(modifiedAfterChange(doc->isModified(), textObjectLines(Memo2).size()));
}

void Tmainform::edit1Change() {
    document_->setChanged(true);
}

void Tmainform::edit2Change() {
    document_->setChanged(true);
}

void Tmainform::Edit3Change() {
    document_->setChanged(true);
}

void Tmainform::Edit4Change() {
    document_->setChanged(true);
}
