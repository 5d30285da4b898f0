// The remote with a fake show, for the test that clicks through its page in
// a browser: listens on a free loopback port, prints the port, and keeps
// the calls it was given in a file, one a line.
//   remote_page_server <token> <calls file>

#include "fake_target.h"
#include "remote/http_remote.h"

#include <QCoreApplication>
#include <QFile>
#include <QTextStream>
#include <QTimer>

#include <cstdio>

namespace {

// A show that freezes, goes on and stops as it is told.
class ShowLikeTarget : public FakeTarget {
public:
    QString freeze() override {
        state = QStringLiteral("frozen");
        return FakeTarget::freeze();
    }
    QString resume() override {
        state = QStringLiteral("playing");
        return FakeTarget::resume();
    }
    QString stop() override {
        state = QStringLiteral("stopped");
        return FakeTarget::stop();
    }
};

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: remote_page_server <token> <calls file>\n");
        return 2;
    }
    ShowLikeTarget target;
    target.state = QStringLiteral("playing");
    HttpRemote remote(target);
    remote.setToken(argv[1]);
    const QString error = remote.start(QHostAddress::LocalHost, 0);
    if (!error.isEmpty()) {
        std::fprintf(stderr, "%s\n", qPrintable(error));
        return 1;
    }
    std::printf("%u\n", unsigned(remote.port()));
    std::fflush(stdout);

    const QString callsPath = QString::fromLocal8Bit(argv[2]);
    qsizetype written = -1;
    QTimer keep;
    QObject::connect(&keep, &QTimer::timeout, [&] {
        if (target.calls.size() == written) {
            return;
        }
        QFile file(callsPath);
        if (file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
            QTextStream(&file) << target.calls.join(QLatin1Char('\n')) << '\n';
            written = target.calls.size();
        }
    });
    keep.start(50);
    return app.exec();
}
