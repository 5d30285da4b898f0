#pragma once

// The texts a show plays: the two titles, the crawl line, the lines of both
// text objects, the image list and the time each slide stays. A show is
// started with the editor's texts and keeps its own copy, which a change
// taken while it runs replaces.

#include <QString>
#include <QStringList>

struct ShowTexts {
    QString MainTitle;
    QString SecondTitle;
    QString CrawlLine;
    QStringList Text1Lines;
    QStringList Text2Lines;
    QStringList ImageList;
    // The seconds each slide stays.
    int PlayTime = 1;
    // The crawl line comes from a live source (a file or a news feed): its
    // strip stays in the show while the source has nothing yet.
    bool LiveCrawl = false;

    bool operator==(const ShowTexts&) const = default;
};
