#include "editor/crawl_source_dialog.h"

#include "editor/board_document.h"
#include "editor/mainform.h"
#include "platform/dialogs.h"

#include <QButtonGroup>
#include <QDialogButtonBox>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace {

template <class W> W* named(W* widget, const char* name) {
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

} // namespace

CrawlSourceDialog::CrawlSourceDialog(const CrawlSourceChoice& start, QWidget* parent)
    : QDialog(parent) {
    setObjectName(QStringLiteral("CrawlSourceDialog"));
    setWindowTitle(QStringLiteral("Crawl Source"));

    CrawlLineChoice =
        named(new QRadioButton(QStringLiteral("Crawl Line (as typed)"), this), "CrawlLineChoice");
    TextFileChoice = named(new QRadioButton(QStringLiteral("Text File"), this), "TextFileChoice");
    NewsFeedChoice = named(new QRadioButton(QStringLiteral("News Feed"), this), "NewsFeedChoice");
    auto* sources = new QButtonGroup(this);
    auto* sourceColumn = new QVBoxLayout;
    for (QRadioButton* button : {CrawlLineChoice, TextFileChoice, NewsFeedChoice}) {
        sources->addButton(button);
        sourceColumn->addWidget(button);
    }

    FileEdit = named(new QLineEdit(start.file, this), "FileEdit");
    FileEdit->setPlaceholderText(QStringLiteral("One item on each line"));
    FileEdit->setMinimumWidth(320);
    BrowseButton = named(new QPushButton(QStringLiteral("Browse\u2026"), this), "BrowseButton");
    auto* fileRow = new QHBoxLayout;
    fileRow->addWidget(FileEdit, 1);
    fileRow->addWidget(BrowseButton);

    FeedEdit = named(new QLineEdit(start.feed, this), "FeedEdit");
    FeedEdit->setPlaceholderText(QStringLiteral("https://"));

    RefreshEdit = named(new QSpinBox(this), "RefreshEdit");
    RefreshEdit->setRange(kMinCrawlRefresh, kMaxCrawlRefresh);
    RefreshEdit->setSuffix(QStringLiteral(" seconds"));
    RefreshEdit->setValue(start.refresh);

    SeparatorEdit = named(new QLineEdit(start.separator, this), "SeparatorEdit");
    SeparatorEdit->setMaximumWidth(160);
    SeparatorSample = named(new QLabel(this), "SeparatorSample");
    SeparatorSample->setText(separatorSample(start.separator));
    connect(SeparatorEdit, &QLineEdit::textChanged, SeparatorSample,
            [this](const QString& text) { SeparatorSample->setText(separatorSample(text)); });

    auto* form = new QFormLayout;
    form->setFieldGrowthPolicy(QFormLayout::ExpandingFieldsGrow);
    form->setLabelAlignment(Qt::AlignRight | Qt::AlignVCenter);
    form->addRow(QStringLiteral("Items from:"), sourceColumn);
    form->addRow(QStringLiteral("Text file:"), fileRow);
    form->addRow(QStringLiteral("Feed address:"), FeedEdit);
    form->addRow(QStringLiteral("Fetch every:"), RefreshEdit);
    form->addRow(QStringLiteral("Separator:"), SeparatorEdit);
    form->addRow(QString(), SeparatorSample);

    auto* buttons = new QDialogButtonBox(this);
    OkButton =
        named(buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole), "OkButton");
    CancelButton = named(buttons->addButton(QStringLiteral("Cancel"), QDialogButtonBox::RejectRole),
                         "CancelButton");
    OkButton->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &CrawlSourceDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CrawlSourceDialog::reject);

    auto* whole = new QVBoxLayout(this);
    whole->addLayout(form);
    whole->addSpacing(6);
    whole->addWidget(buttons);
    whole->setSizeConstraint(QLayout::SetFixedSize);

    switch (start.kind) {
    case CrawlSourceKind::CrawlLine:
        CrawlLineChoice->setChecked(true);
        break;
    case CrawlSourceKind::TextFile:
        TextFileChoice->setChecked(true);
        break;
    case CrawlSourceKind::NewsFeed:
        NewsFeedChoice->setChecked(true);
        break;
    }
    connect(sources, &QButtonGroup::buttonToggled, this, &CrawlSourceDialog::enableFields);
    connect(BrowseButton, &QPushButton::clicked, this, &CrawlSourceDialog::browse);
    enableFields();
    sources->checkedButton()->setFocus();
}

CrawlSourceChoice CrawlSourceDialog::choice() const {
    CrawlSourceChoice c;
    c.kind = TextFileChoice->isChecked()   ? CrawlSourceKind::TextFile
             : NewsFeedChoice->isChecked() ? CrawlSourceKind::NewsFeed
                                           : CrawlSourceKind::CrawlLine;
    c.file = FileEdit->text();
    c.feed = FeedEdit->text();
    c.refresh = RefreshEdit->value();
    c.separator = SeparatorEdit->text();
    return c;
}

void CrawlSourceDialog::accept() {
    const CrawlSourceChoice c = choice();
    const QString problem = crawlSourceProblem(c);
    if (!problem.isEmpty()) {
        platform::dialogs().message(platform::MessageKind::Warning, problem, platform::Button::OK);
        (c.kind == CrawlSourceKind::TextFile ? FileEdit : FeedEdit)->setFocus();
        return;
    }
    QDialog::accept();
}

void CrawlSourceDialog::browse() {
    platform::FileDialogSettings settings;
    settings.title = QStringLiteral("Open a Text File");
    settings.filter = QStringLiteral("Text Files|*.txt|All Files|*");
    settings.defaultExt = QStringLiteral("TXT");
    settings.options = platform::FileOption::FileMustExist | platform::FileOption::PathMustExist |
                       platform::FileOption::NoNetworkButton;
    if (!FileEdit->text().trimmed().isEmpty()) {
        const QFileInfo current(FileEdit->text());
        settings.fileName = current.fileName();
        settings.initialDir = current.absolutePath();
    }
    const std::optional<QStringList> chosen = platform::dialogs().openFile(settings);
    if (chosen && !chosen->isEmpty()) {
        FileEdit->setText(chosen->front());
    }
}

void CrawlSourceDialog::enableFields() {
    const bool file = TextFileChoice->isChecked();
    const bool feed = NewsFeedChoice->isChecked();
    FileEdit->setEnabled(file);
    BrowseButton->setEnabled(file);
    FeedEdit->setEnabled(feed);
    RefreshEdit->setEnabled(feed);
    SeparatorEdit->setEnabled(file || feed);
    SeparatorSample->setEnabled(file || feed);
}

// The Configuration menu's command.
void Tmainform::CrawlSource1Click() {
    CrawlSourceDialog dialog(crawlSourceOf(board), this);
    if (dialog.exec() == QDialog::Accepted && applyCrawlSource(dialog.choice(), board)) {
        document()->setChanged(true);
    }
}
