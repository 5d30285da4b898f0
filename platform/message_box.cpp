#include "platform/message_box.h"

#include <QApplication>
#include <QDialog>
#include <QFontMetrics>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QKeySequence>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QTimer>

#include <algorithm>
#include <array>
#include <cstdio>

namespace platform {

namespace {

QStyle::StandardPixmap messageIcon(MessageKind kind) {
    switch (kind) {
    case MessageKind::Warning:
        return QStyle::SP_MessageBoxWarning;
    case MessageKind::Error:
        return QStyle::SP_MessageBoxCritical;
    case MessageKind::Information:
        return QStyle::SP_MessageBoxInformation;
    case MessageKind::Confirm:
        return QStyle::SP_MessageBoxQuestion;
    }
    return QStyle::SP_MessageBoxInformation;
}

struct ButtonChoice {
    Button button;
    Answer answer;
    const char* objectName;
};

// The order the buttons appear in, left to right.
constexpr std::array<ButtonChoice, 4> kButtonOrder{{
    {Button::Yes, Answer::Yes, "button_Yes"},
    {Button::No, Answer::No, "button_No"},
    {Button::OK, Answer::OK, "button_OK"},
    {Button::Cancel, Answer::Cancel, "button_Cancel"},
}};

// The message box. It takes the keyboard as the system's own boxes do: a
// letter alone, as well as with Alt, presses the button that underlines it.
class MessageBox final : public QDialog {
public:
    using QDialog::QDialog;

protected:
    void keyPressEvent(QKeyEvent* event) override {
        const Qt::KeyboardModifiers others =
            event->modifiers() & ~(Qt::ShiftModifier | Qt::KeypadModifier);
        if (others == Qt::NoModifier) {
            for (QPushButton* button : findChildren<QPushButton*>()) {
                const QKeySequence access = QKeySequence::mnemonic(button->text());
                if (!access.isEmpty() && access[0].key() == event->key() && button->isEnabled()) {
                    button->click();
                    return;
                }
            }
        }
        QDialog::keyPressEvent(event);
    }
};

void writeToStandardError(const QString& line) {
    const QByteArray bytes = line.toLocal8Bit() + '\n';
    std::fwrite(bytes.constData(), 1, static_cast<std::size_t>(bytes.size()), stderr);
    std::fflush(stderr);
}

} // namespace

QString fittedMessageText(const QString& text, const QFontMetrics& metrics, int maxWidth) {
    QString fitted;
    fitted.reserve(std::min<qsizetype>(text.size(), 4096));
    qsizetype start = 0;
    while (start < text.size()) {
        // Blanks and line breaks are kept as they are; each run between them
        // is measured on its own.
        qsizetype end = start;
        const bool blank = text.at(start).isSpace();
        while (end < text.size() && text.at(end).isSpace() == blank) {
            ++end;
        }
        const QString run = text.mid(start, end - start);
        fitted += !blank && metrics.horizontalAdvance(run) > maxWidth
                      ? metrics.elidedText(run, Qt::ElideMiddle, maxWidth)
                      : run;
        start = end;
    }
    return fitted;
}

Answer runMessageBox(MessageKind kind, const QString& text, Buttons buttons,
                     const UnattendedBoxes* unattended) {
    // Not a QMessageBox: closing one of those answers its escape button,
    // while closing this box must answer None.
    MessageBox box(QApplication::activeWindow());
    box.setObjectName(QStringLiteral("plakoraMessageBox"));
    box.setWindowTitle(messageCaption(kind));
    box.setModal(true);

    QStyle* style = box.style();
    const int iconSize = style->pixelMetric(QStyle::PM_MessageBoxIconSize, nullptr, &box);
    auto* icon = new QLabel(&box);
    icon->setObjectName(QStringLiteral("messageIcon"));
    icon->setPixmap(style->standardIcon(messageIcon(kind), nullptr, &box).pixmap(iconSize));
    icon->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    auto* label = new QLabel(&box);
    label->setObjectName(QStringLiteral("messageText"));
    label->setTextFormat(Qt::PlainText);
    label->setWordWrap(true);
    // At most two thirds of the screen wide, whatever the text holds.
    const QScreen* screen = box.screen() ? box.screen() : QGuiApplication::primaryScreen();
    const int widest = screen ? std::max(300, screen->availableGeometry().width() * 2 / 3) : 800;
    const QString shown = fittedMessageText(text, label->fontMetrics(), widest);
    label->setText(shown);
    // Short messages stay on one line; long ones wrap at a readable width.
    label->setMinimumWidth(std::min(label->fontMetrics().horizontalAdvance(shown) + 4, 420));
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);

    if (!buttons) {
        buttons = Button::OK;
    }
    Answer answer = Answer::None;
    auto* row = new QHBoxLayout;
    row->addStretch();
    QPushButton* first = nullptr;
    for (const ButtonChoice& choice : kButtonOrder) {
        if (!buttons.testFlag(choice.button)) {
            continue;
        }
        auto* button = new QPushButton(buttonText(choice.button), &box);
        button->setObjectName(QLatin1String(choice.objectName));
        QObject::connect(button, &QPushButton::clicked, &box, [&box, &answer, choice] {
            answer = choice.answer;
            box.accept();
        });
        row->addWidget(button);
        if (first == nullptr) {
            first = button;
        }
    }
    row->addStretch();
    first->setDefault(true);
    first->setFocus();

    // Unattended, a box that only informs goes to the log and presses its
    // own default button after a while.
    if (unattended && boxOnlyInforms(buttons)) {
        const QString line = messageCaption(kind) + QStringLiteral(": ") + text;
        if (unattended->echo) {
            unattended->echo(line);
        } else {
            writeToStandardError(line);
        }
        auto* closer = new QTimer(&box);
        closer->setObjectName(QStringLiteral("selfClose"));
        closer->setSingleShot(true);
        closer->setInterval(unattended->closeAfter);
        QObject::connect(closer, &QTimer::timeout, first, &QPushButton::click);
        closer->start();
    }

    auto* layout = new QGridLayout(&box);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    layout->addWidget(icon, 0, 0);
    layout->addWidget(label, 0, 1);
    layout->setColumnMinimumWidth(1, 200);
    layout->addLayout(row, 1, 0, 1, 2);

    // Esc and the window's close button reject the box, which leaves None.
    if (box.exec() != QDialog::Accepted) {
        return Answer::None;
    }
    return answer;
}

} // namespace platform
