#include "tests/support/scripted_dialogs.h"

namespace support {

using platform::Answer;

namespace {

QString answerName(Answer answer) {
    switch (answer) {
    case Answer::None:
        return QStringLiteral("None");
    case Answer::Yes:
        return QStringLiteral("Yes");
    case Answer::No:
        return QStringLiteral("No");
    case Answer::OK:
        return QStringLiteral("OK");
    case Answer::Cancel:
        return QStringLiteral("Cancel");
    }
    return QStringLiteral("?");
}

// The button that gives `answer`, if any.
std::optional<platform::Button> buttonOf(Answer answer) {
    switch (answer) {
    case Answer::Yes:
        return platform::Button::Yes;
    case Answer::No:
        return platform::Button::No;
    case Answer::OK:
        return platform::Button::OK;
    case Answer::Cancel:
        return platform::Button::Cancel;
    case Answer::None:
        break;
    }
    return std::nullopt;
}

// How a question reads in a problem line.
QString describe(const Question& question) {
    const auto quoted = [](const QString& text) {
        return QLatin1Char('"') + text + QLatin1Char('"');
    };
    switch (question.kind) {
    case Question::Kind::Message:
        return QStringLiteral("message ") + quoted(question.text);
    case Question::Kind::OpenFile:
        return QStringLiteral("open file dialog ") + quoted(question.file.title);
    case Question::Kind::SaveFile:
        return QStringLiteral("save file dialog ") + quoted(question.file.title);
    case Question::Kind::OpenPicture:
        return QStringLiteral("open picture dialog ") + quoted(question.file.title);
    case Question::Kind::Color:
        return QStringLiteral("colour dialog");
    case Question::Kind::PrintSetup:
        return QStringLiteral("printer set-up ") + quoted(question.print.title);
    }
    return QStringLiteral("question");
}

Question fileQuestion(Question::Kind kind, const platform::FileDialogSettings& settings) {
    Question question;
    question.kind = kind;
    question.file = settings;
    return question;
}

// The files an open dialog answers; several only make sense with AllowMultiSelect.
std::optional<QStringList> openAnswer(const std::optional<QStringList>& files,
                                      const Question& question, QStringList& problems) {
    if (files && files->size() > 1 &&
        !question.file.options.testFlag(platform::FileOption::AllowMultiSelect)) {
        problems << QStringLiteral("%1 answered %2 files without AllowMultiSelect")
                        .arg(describe(question))
                        .arg(files->size());
    }
    return files;
}

} // namespace

ScriptedDialogs::ScriptedDialogs() {
    platform::setDialogs(this);
}

ScriptedDialogs::~ScriptedDialogs() {
    // Only the one in place is taken out; a newer one stays.
    if (&platform::dialogs() == this) {
        platform::setDialogs(nullptr);
    }
}

void ScriptedDialogs::answerMessage(Answer answer) {
    answers_.emplace_back(answer);
}

void ScriptedDialogs::answerFiles(const QStringList& files) {
    answers_.emplace_back(FileAnswer{false, files});
}

void ScriptedDialogs::answerFile(const QString& file) {
    answers_.emplace_back(FileAnswer{false, QStringList{file}});
}

void ScriptedDialogs::cancelFile() {
    answers_.emplace_back(FileAnswer{true, {}});
}

void ScriptedDialogs::answerColor(std::uint32_t color) {
    answers_.emplace_back(ColorAnswer{color});
}

void ScriptedDialogs::cancelColor() {
    answers_.emplace_back(ColorAnswer{std::nullopt});
}

void ScriptedDialogs::answerPrintSetup(bool confirmed) {
    answers_.emplace_back(PrintAnswer{confirmed});
}

// Takes the front answer when it is of the kind the question needs. Anything
// else is written down as a problem, and a queued answer of another kind stays
// for the question it was meant for.
template <typename T> std::optional<T> ScriptedDialogs::take(const char* what) {
    const QString question =
        questions.isEmpty() ? QString::fromUtf8(what) : describe(questions.back());
    if (answers_.empty()) {
        problems << QStringLiteral("no answer queued for %1").arg(question);
        return std::nullopt;
    }
    if (!std::holds_alternative<T>(answers_.front())) {
        static constexpr const char* kAnswerKinds[] = {"a message answer", "a file answer",
                                                       "a colour answer", "a printer answer"};
        problems << QStringLiteral("%1 found %2 queued; expected %3")
                        .arg(question, QLatin1String(kAnswerKinds[answers_.front().index()]),
                             QString::fromUtf8(what));
        return std::nullopt;
    }
    T answer = std::get<T>(answers_.front());
    answers_.pop_front();
    return answer;
}

Answer ScriptedDialogs::message(platform::MessageKind kind, const QString& text,
                                platform::Buttons buttons) {
    Question question;
    question.kind = Question::Kind::Message;
    question.messageKind = kind;
    question.caption = platform::messageCaption(kind);
    question.text = text;
    question.buttons = buttons;
    questions << question;
    if (onMessage) {
        onMessage(question);
    }

    const std::optional<Answer> answer = take<Answer>("a message answer");
    if (!answer) {
        return Answer::None;
    }
    const std::optional<platform::Button> button = buttonOf(*answer);
    if (button && !buttons.testFlag(*button)) {
        problems << QStringLiteral("%1 answered %2, which is not one of its buttons")
                        .arg(describe(question), answerName(*answer));
    }
    return *answer;
}

std::optional<QStringList> ScriptedDialogs::openFile(const platform::FileDialogSettings& settings) {
    questions << fileQuestion(Question::Kind::OpenFile, settings);
    const std::optional<FileAnswer> answer = take<FileAnswer>("a file answer");
    return openAnswer(answer ? answer->chosen() : std::nullopt, questions.back(), problems);
}

std::optional<QString> ScriptedDialogs::saveFile(const platform::FileDialogSettings& settings) {
    questions << fileQuestion(Question::Kind::SaveFile, settings);
    const std::optional<FileAnswer> answer = take<FileAnswer>("a file answer");
    if (!answer || answer->cancelled || answer->files.isEmpty()) {
        return std::nullopt;
    }
    if (answer->files.size() > 1) {
        problems << QStringLiteral("%1 answered %2 files; a save dialog gives one")
                        .arg(describe(questions.back()))
                        .arg(answer->files.size());
    }
    return answer->files.first();
}

std::optional<QStringList>
ScriptedDialogs::openPicture(const platform::FileDialogSettings& settings) {
    questions << fileQuestion(Question::Kind::OpenPicture, settings);
    const std::optional<FileAnswer> answer = take<FileAnswer>("a file answer");
    return openAnswer(answer ? answer->chosen() : std::nullopt, questions.back(), problems);
}

std::optional<std::uint32_t>
ScriptedDialogs::chooseColor(const platform::ColorDialogSettings& settings) {
    Question question;
    question.kind = Question::Kind::Color;
    question.color = settings;
    questions << question;
    const std::optional<ColorAnswer> answer = take<ColorAnswer>("a colour answer");
    if (!answer) {
        return std::nullopt;
    }
    return answer->color;
}

bool ScriptedDialogs::printSetup(const platform::PrintSetupSettings& settings) {
    Question question;
    question.kind = Question::Kind::PrintSetup;
    question.print = settings;
    questions << question;
    const std::optional<PrintAnswer> answer = take<PrintAnswer>("a printer answer");
    return answer && answer->confirmed;
}

} // namespace support
