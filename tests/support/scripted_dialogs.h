#pragma once

// A stand-in for the program's dialogs: answers every question from a queue
// the test fills beforehand and records each question asked, so a test can
// check the exact caption, text, buttons and dialog settings.
//
// Constructing one puts it in place of the real dialogs; destroying it puts
// the real ones back.

#include "platform/dialogs.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <deque>
#include <functional>
#include <optional>
#include <variant>

namespace support {

struct Question {
    enum class Kind { Message, OpenFile, SaveFile, OpenPicture, Color, PrintSetup };
    Kind kind = Kind::Message;
    // Message boxes.
    platform::MessageKind messageKind = platform::MessageKind::Information;
    QString caption;
    QString text;
    platform::Buttons buttons;
    // File and picture dialogs.
    platform::FileDialogSettings file;
    // Colour dialog.
    platform::ColorDialogSettings color;
    // Printer set-up.
    platform::PrintSetupSettings print;
};

class ScriptedDialogs final : public platform::Dialogs {
public:
    ScriptedDialogs();
    ~ScriptedDialogs() override;
    ScriptedDialogs(const ScriptedDialogs&) = delete;
    ScriptedDialogs& operator=(const ScriptedDialogs&) = delete;

    // Queue the answer of the next question.
    void answerMessage(platform::Answer answer);
    void answerFiles(const QStringList& files); // open and picture dialogs
    void answerFile(const QString& file);       // any file dialog
    void cancelFile();
    void answerColor(std::uint32_t color);
    void cancelColor();
    void answerPrintSetup(bool confirmed);

    QList<Question> questions;
    // Runs when a message box comes up, before it is answered: the code a
    // test puts here runs while the box would be on the screen.
    std::function<void(const Question&)> onMessage;
    // Questions that found no answer, or an answer of another kind, in the
    // queue; they were answered as if cancelled or closed.
    QStringList problems;

    int pendingAnswers() const { return static_cast<int>(answers_.size()); }
    const Question& lastQuestion() const { return questions.back(); }

    platform::Answer message(platform::MessageKind kind, const QString& text,
                             platform::Buttons buttons) override;
    std::optional<QStringList> openFile(const platform::FileDialogSettings& settings) override;
    std::optional<QString> saveFile(const platform::FileDialogSettings& settings) override;
    std::optional<QStringList> openPicture(const platform::FileDialogSettings& settings) override;
    std::optional<std::uint32_t>
    chooseColor(const platform::ColorDialogSettings& settings) override;
    bool printSetup(const platform::PrintSetupSettings& settings) override;

private:
    // A plain flag rather than an optional list: GCC 12 at -O2 took the
    // optional inside the variant for uninitialised when it was copied out.
    struct FileAnswer {
        bool cancelled = false;
        QStringList files;
        std::optional<QStringList> chosen() const {
            return cancelled ? std::nullopt : std::optional<QStringList>(files);
        }
    };
    struct ColorAnswer {
        std::optional<std::uint32_t> color;
    };
    struct PrintAnswer {
        bool confirmed = false;
    };
    using AnswerVariant = std::variant<platform::Answer, FileAnswer, ColorAnswer, PrintAnswer>;
    std::deque<AnswerVariant> answers_;

    template <typename T> std::optional<T> take(const char* what);
};

} // namespace support
