// Quitting the program and clearing the board.

#include "editor/board_document.h"
#include "editor/mainform.h"
#include "editor/text_object_box.h"

#include <QCloseEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QTextDocument>

using platform::Answer;
using platform::Button;
using platform::MessageKind;

bool Tmainform::offerSave(bool changed, const QString& question,
                          const std::function<SaveOutcome()>& save) {
    if (!changed) {
        return true;
    }
    const Answer answer =
        platform::dialogs().message(MessageKind::Warning, question, Button::Yes | Button::No);
    // A cancelled dialog or a board with nothing to save goes on; a save that
    // failed has shown its error and ends the flow.
    return answer != Answer::Yes || save() != SaveOutcome::Failed;
}

bool Tmainform::runQuitFlow() {
    if (!offerSave(Memo1->document()->isModified(),
                   QStringLiteral("Text Object 1 has changed, save changes?"),
                   [this] { return saveTextObjectAs(Memo1); }) ||
        !offerSave(Memo2->document()->isModified(),
                   QStringLiteral("Text Object 2 has changed, save changes?"),
                   [this] { return saveTextObjectAs(Memo2); }) ||
        !offerSave(document_->isChanged(),
                   QStringLiteral("This project has Changed, save changes?"),
                   [this] { return SaveConfigClick(SaveSource::SaveButton); })) {
        return false;
    }
    const Answer quit = platform::dialogs().message(
        MessageKind::Confirm, QStringLiteral("Quit Plakora Now?"), Button::Yes | Button::No);
    if (quit != Answer::Yes) {
        return false;
    }
    if (endProgram) {
        endProgram();
    }
    return true;
}

void Tmainform::Exit2Click() {
    runQuitFlow();
}

void Tmainform::Quit1Click() {
    Exit2Click();
}

void Tmainform::closeEvent(QCloseEvent* event) {
    if (runQuitFlow()) {
        event->accept();
    } else {
        event->ignore();
    }
}

void Tmainform::New1Click() {
    const Answer answer = platform::dialogs().message(
        MessageKind::Confirm, QStringLiteral("Clear Current Text Information"),
        Button::Yes | Button::No);
    // Only Yes clears: a question closed without an answer keeps the work.
    if (answer != Answer::Yes) {
        return;
    }
    StatusPanel->clear();
    ListBox1->clear();
    for (QPlainTextEdit* memo : {Memo1, Memo2}) {
        memo->clear();
        memo->document()->setModified(false);
    }
    // Emptying a box that held text is a change of the board.
    edit1->clear();
    edit2->clear();
    Edit3->clear();
    restoreTypingLimit(edit1, kMainTitleTypingLimit);
    restoreTypingLimit(edit2, kLineTypingLimit);
    restoreTypingLimit(Edit3, kLineTypingLimit);
    textObject1_->hidePath();
    textObject2_->hidePath();
    repaint();
}

void Tmainform::Paste1Click() {
    New1Click();
}
