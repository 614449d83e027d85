#include "platform/HttpDownload.h"

#include "SmallDisk.h"
#include "TestPrinters.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QHash>
#include <QPointer>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>
#include <ostream>

using namespace Qt::StringLiterals;

namespace {

// What the test server answers for one path.
struct Route
{
    int status = 200;
    QByteArray body{};
    bool sendLength = true;
    qint64 announcedLength = -1; // Content-Length when it differs from the body
    QByteArray location{};       // redirect target
    int chunkSize = 0;           // 0: the whole body at once
    int chunkDelayMs = 0;
    bool stall = false; // headers only, then silence
};

// A small HTTP/1.1 server inside the test process. It works because the
// download runs a local event loop on this thread.
class TestServer : public QObject
{
public:
    TestServer()
    {
        connect(&m_server, &QTcpServer::newConnection, this, &TestServer::Accept);
        m_server.listen(QHostAddress::LocalHost);
    }

    void Add(const QByteArray &path, const Route &route) { m_routes.insert(path, route); }
    QString Url(const QByteArray &path) const
    {
        return u"http://127.0.0.1:%1"_s.arg(m_server.serverPort()) + QString::fromLatin1(path);
    }

private:
    void Accept()
    {
        while (QTcpSocket *socket = m_server.nextPendingConnection()) {
            socket->setParent(this);
            connect(socket, &QTcpSocket::readyRead, this, [this, socket] { Read(socket); });
        }
    }

    void Read(QTcpSocket *socket)
    {
        QByteArray &request = m_requests[socket];
        request += socket->readAll();
        if (!request.contains("\r\n\r\n"))
            return;
        const QByteArray path = request.split(' ').value(1);
        const auto it = m_routes.constFind(path);
        Respond(socket, it != m_routes.cend() ? *it : Route{.status = 404, .body = "no such file"});
    }

    void Respond(QTcpSocket *socket, const Route &route)
    {
        QByteArray head = "HTTP/1.1 " + QByteArray::number(route.status) + " Status\r\n";
        if (route.sendLength) {
            const qint64 length =
                route.announcedLength >= 0 ? route.announcedLength : route.body.size();
            head += "Content-Length: " + QByteArray::number(length) + "\r\n";
        }
        if (!route.location.isEmpty())
            head += "Location: " + route.location + "\r\n";
        head += "Connection: close\r\n\r\n";
        socket->write(head);
        if (route.stall)
            return;
        if (route.chunkSize <= 0) {
            socket->write(route.body);
            socket->disconnectFromHost();
            return;
        }
        auto *timer = new QTimer(socket);
        auto sent = std::make_shared<qsizetype>(0);
        QPointer<QTcpSocket> guarded(socket);
        connect(timer, &QTimer::timeout, socket, [timer, guarded, sent, route] {
            guarded->write(route.body.mid(*sent, route.chunkSize));
            *sent += route.chunkSize;
            if (*sent >= route.body.size()) {
                timer->stop();
                guarded->disconnectFromHost();
            }
        });
        timer->start(route.chunkDelayMs);
    }

    QTcpServer m_server;
    QHash<QByteArray, Route> m_routes;
    QHash<QTcpSocket *, QByteArray> m_requests;
};

QByteArray Payload(int size)
{
    QByteArray data(size, Qt::Uninitialized);
    for (int i = 0; i < size; ++i)
        data[i] = char('a' + i * 7 % 26);
    return data;
}

QByteArray ReadFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

struct Notification
{
    quint32 progress, max;
};

// Records every notification; cancels when the test's rule says so.
struct Recorder
{
    std::vector<Notification> seen;
    std::function<bool(quint32 progress)> cancelWhen;

    corvane::DownloadProgressHandler Handler()
    {
        return [this](QObject *, quint32 progress, quint32 max, quint32, const QString &,
                      bool &cancel) {
            seen.push_back({progress, max});
            // As the setup window does: the queue is served from the handler.
            QCoreApplication::processEvents();
            if (cancelWhen && cancelWhen(progress))
                cancel = true;
        };
    }
};

class DownloadTest : public testing::Test
{
protected:
    QString Target(const QString &name = u"setup.exe"_s) const { return dir.filePath(name); }
    void Download(const QString &url, Recorder &recorder)
    {
        corvane::HttpDownloadToFile(url, Target(), recorder.Handler(), nullptr);
    }

    QTemporaryDir dir;
    TestServer server;
};

TEST_F(DownloadTest, ProgressReachesTheAnnouncedSizeAndReplacesAnEarlierCopy)
{
    const QByteArray body = Payload(300 * 1024);
    server.Add("/big.exe", {.body = body, .chunkSize = 32 * 1024, .chunkDelayMs = 1});
    QFile earlier(Target());
    ASSERT_TRUE(earlier.open(QIODevice::WriteOnly));
    earlier.write("an earlier, longer copy of the installer that must go away");
    earlier.close();

    Recorder recorder;
    Download(server.Url("/big.exe"), recorder);

    EXPECT_EQ(ReadFile(Target()), body);
    ASSERT_GE(recorder.seen.size(), 2u);
    EXPECT_EQ(recorder.seen.back().progress, quint32(body.size()));
    EXPECT_EQ(recorder.seen.back().max, quint32(body.size()));
    for (size_t i = 1; i < recorder.seen.size(); ++i)
        EXPECT_GE(recorder.seen[i].progress, recorder.seen[i - 1].progress);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{u"setup.exe"_s});
}

TEST_F(DownloadTest, ServerWithoutSizeReportsMaximumZero)
{
    const QByteArray body = Payload(100 * 1024);
    server.Add("/nosize.exe",
               {.body = body, .sendLength = false, .chunkSize = 16 * 1024, .chunkDelayMs = 1});
    Recorder recorder;
    Download(server.Url("/nosize.exe"), recorder);

    EXPECT_EQ(ReadFile(Target()), body);
    ASSERT_FALSE(recorder.seen.empty());
    for (const Notification &n : recorder.seen)
        EXPECT_EQ(n.max, 0u);
    EXPECT_EQ(recorder.seen.back().progress, quint32(body.size()));
}

TEST_F(DownloadTest, RedirectsAreFollowed)
{
    const QByteArray body = Payload(5000);
    server.Add("/moved.msi", {.status = 302, .body = "see elsewhere", .location = "/here.msi"});
    server.Add("/here.msi", {.body = body});
    Recorder recorder;
    Download(server.Url("/moved.msi"), recorder);
    EXPECT_EQ(ReadFile(Target()), body);
}

struct FailureCase
{
    const char *name;
    QByteArray path;
    Route route;
    quint32 cancelAtProgress = 0; // cancel once this much arrived, 0: never
    int cancelAfterMs = 0;        // cancel once this long passed, 0: never
    bool targetFolderMissing = false;
};

// A failing row is printed by its name.
void PrintTo(const FailureCase &c, std::ostream *os)
{
    *os << c.name;
}

class DownloadFailureTest : public DownloadTest, public testing::WithParamInterface<FailureCase>
{
};

TEST_P(DownloadFailureTest, FailsWithTheDownloadErrorAndKeepsTheEarlierCopy)
{
    const FailureCase &c = GetParam();
    QString url = server.Url(c.path);
    if (c.path == "refused") {
        QTcpServer closed;
        closed.listen(QHostAddress::LocalHost);
        url = u"http://127.0.0.1:%1/setup.exe"_s.arg(closed.serverPort());
    } else if (c.path.startsWith("ftp:")) {
        url = QString::fromLatin1(c.path);
    } else {
        server.Add(c.path, c.route);
    }
    const QString target =
        c.targetFolderMissing ? dir.filePath(u"no such folder/setup.exe"_s) : Target();
    QFile earlier(Target());
    ASSERT_TRUE(earlier.open(QIODevice::WriteOnly));
    earlier.write("earlier copy");
    earlier.close();

    Recorder recorder;
    QElapsedTimer clock;
    clock.start();
    recorder.cancelWhen = [&](quint32 progress) {
        return (c.cancelAtProgress && progress >= c.cancelAtProgress) ||
               (c.cancelAfterMs && clock.elapsed() >= c.cancelAfterMs);
    };
    try {
        corvane::HttpDownloadToFile(url, target, recorder.Handler(), nullptr);
        FAIL() << "the download did not fail";
    } catch (const corvane::Exception &error) {
        EXPECT_EQ(error.Message(), u"Error downloading URL: "_s + url);
        EXPECT_EQ(error.ClassName(), u"Exception"_s);
    }
    EXPECT_EQ(ReadFile(Target()), QByteArray("earlier copy"));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{u"setup.exe"_s});
    if (c.cancelAtProgress || c.cancelAfterMs) {
        // Nothing more is reported once the handler cancelled.
        EXPECT_TRUE(recorder.cancelWhen(recorder.seen.back().progress));
        EXPECT_LT(clock.elapsed(), 5000);
    }
}

const FailureCase failureCases[] = {
    {"NotFound", "/missing.exe", {.status = 404, .body = "not here"}},
    {"ServerError", "/broken.exe", {.status = 500, .body = "oops"}},
    {"ConnectionRefused", "refused", {}},
    {"NotHttp", "ftp://127.0.0.1/setup.exe", {}},
    {"BodyCutShort", "/short.exe", {.body = Payload(5000), .announcedLength = 10000}},
    {"CancelledMidway",
     "/slow.exe",
     {.body = Payload(64 * 1024), .chunkSize = 1024, .chunkDelayMs = 20},
     4096},
    {"CancelledWhileTheServerIsSilent",
     "/stalled.exe",
     {.body = Payload(1000), .stall = true},
     0,
     300},
    {"TargetFolderMissing", "/fine.exe", {.body = Payload(100)}, 0, 0, true},
};

INSTANTIATE_TEST_SUITE_P(Failures, DownloadFailureTest, testing::ValuesIn(failureCases),
                         [](const auto &info) { return std::string(info.param.name); });

// A download into a full disk: one that fits the file's buffer and one
// larger than it.
struct FullDiskCase
{
    const char *name;
    int bytes;
    friend void PrintTo(const FullDiskCase &c, std::ostream *os) { *os << c.name; }
};

class DownloadToFullDiskTest : public testing::TestWithParam<FullDiskCase>
{
protected:
    SmallDisk disk;
    TestServer server;
};

TEST_P(DownloadToFullDiskTest, FailsWithTheDownloadErrorAndKeepsTheEarlierCopy)
{
    if (!disk.IsMounted())
        GTEST_SKIP() << qPrintable(disk.Reason());
    const QString target = disk.FilePath(u"setup.exe"_s);
    QFile earlier(target);
    ASSERT_TRUE(earlier.open(QIODevice::WriteOnly));
    earlier.write("earlier copy");
    earlier.close();
    ASSERT_TRUE(disk.Fill());
    server.Add("/setup.exe", {.body = Payload(GetParam().bytes)});
    const QString url = server.Url("/setup.exe");

    Recorder recorder;
    try {
        corvane::HttpDownloadToFile(url, target, recorder.Handler(), nullptr);
        FAIL() << "the download reported success";
    } catch (const corvane::Exception &error) {
        EXPECT_EQ(error.Message(), u"Error downloading URL: "_s + url);
    }
    EXPECT_EQ(ReadFile(target), QByteArray("earlier copy"));
    EXPECT_EQ(disk.Files(), (QStringList{u"filler"_s, u"setup.exe"_s}));
}

INSTANTIATE_TEST_SUITE_P(Sizes, DownloadToFullDiskTest,
                         testing::Values(FullDiskCase{"SmallFileInTheBuffer", 2 * 1024},
                                         FullDiskCase{"LargeFile", 300 * 1024}),
                         [](const auto &info) { return std::string(info.param.name); });

} // namespace
