// Measures how long the feed reader takes over a 2 MB feed, the largest the
// crawl line fetches: one it reads to the end (200 items whose descriptions
// fill the megabytes) and one of many short items, where it stops after the
// 200th title. The median of 21 readings of each. It measures; it never
// fails on time.

#include "live/crawl_feed.h"
#include "live/feed_parser.h"

#include <QByteArray>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

QByteArray rssOfSize(qsizetype bytes, int items) {
    const QByteArray head = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<rss version=\"2.0\">"
                            "<channel><title>Bench</title>\n";
    const QByteArray tail = "</channel></rss>\n";
    const QByteArray words = "Some text of the story, <b>with</b> markup in it. ";
    const qsizetype perItem = (bytes - head.size() - tail.size()) / items;
    QByteArray xml = head;
    for (int i = 0; i < items; ++i) {
        const QByteArray start = "<item><title>Headline number " + QByteArray::number(i) +
                                 " &amp; a few more words</title><description><![CDATA[";
        const QByteArray end = "]]></description></item>\n";
        const qsizetype fill = std::max<qsizetype>(0, perItem - start.size() - end.size());
        xml += start + words.repeated(fill / words.size() + 1).left(fill) + end;
    }
    return xml + tail;
}

double medianMillis(const QByteArray& xml, qsizetype* titles) {
    std::vector<double> times;
    for (int run = 0; run < 21; ++run) {
        const auto begin = Clock::now();
        const FeedParse parse = parseFeed(xml);
        times.push_back(std::chrono::duration<double, std::milli>(Clock::now() - begin).count());
        *titles = parse.titles.size();
    }
    std::nth_element(times.begin(), times.begin() + 10, times.end());
    return times[10];
}

} // namespace

int main() {
    const struct {
        const char* name;
        int items;
    } feeds[] = {{"200 long items", 200}, {"5000 short items", 5000}};
    for (const auto& feed : feeds) {
        const QByteArray xml = rssOfSize(kMaxFeedBytes - 1024, feed.items);
        qsizetype titles = 0;
        const double ms = medianMillis(xml, &titles);
        std::printf("feed of %lld bytes, %s: %lld titles in %.2f ms (median of 21)\n",
                    static_cast<long long>(xml.size()), feed.name, static_cast<long long>(titles),
                    ms);
    }
    return 0;
}
