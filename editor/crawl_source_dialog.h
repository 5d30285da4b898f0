#pragma once

// The "Crawl Source…" dialog of the Configuration menu: where a playing
// show's crawl line takes its items from (the crawl line as typed, a text
// file or a news feed), how often a feed is fetched and what stands between
// two items. The rules it follows are in crawl_source_rules.h; the
// Configuration menu builds a fresh one for each use.

#include "editor/crawl_source_rules.h"

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QSpinBox;

class CrawlSourceDialog : public QDialog {
    Q_OBJECT
public:
    explicit CrawlSourceDialog(const CrawlSourceChoice& start, QWidget* parent = nullptr);

    // The choice as the controls stand.
    CrawlSourceChoice choice() const;

    // OK is refused, with a warning that says why, while the chosen source
    // cannot be used.
    void accept() override;

    QRadioButton* CrawlLineChoice = nullptr; // "Crawl Line (as typed)"
    QRadioButton* TextFileChoice = nullptr;  // "Text File"
    QRadioButton* NewsFeedChoice = nullptr;  // "News Feed"
    QLineEdit* FileEdit = nullptr;
    QPushButton* BrowseButton = nullptr; // "Browse…"
    QLineEdit* FeedEdit = nullptr;
    QSpinBox* RefreshEdit = nullptr; // seconds between two fetches of the feed
    QLineEdit* SeparatorEdit = nullptr;
    QLabel* SeparatorSample = nullptr; // two items joined, the blanks made visible
    QPushButton* OkButton = nullptr;
    QPushButton* CancelButton = nullptr;

private:
    void browse();
    // Only the chosen source's fields take input.
    void enableFields();
};
