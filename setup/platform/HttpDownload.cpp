#include "platform/HttpDownload.h"

#include "platform/SetupLog.h"
#include <wordmill/sys/SaveFile.h>

#include <QEventLoop>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QSaveFile>
#include <QTimer>
#include <QUrl>

#include <limits>

using namespace Qt::StringLiterals;

namespace corvane {

namespace {

// Status codes passed with the progress, as a bind-status callback names them.
enum DownloadStatus : quint32 {
    StatusConnecting = 2,
    StatusDownloadingData = 5,
};

// A server that sends nothing for this long fails the download.
constexpr int StallTimeoutMs = 60000;
// While no data arrives the handler still hears from the download this often,
// so a cancel request does not wait for the next block of data.
constexpr int IdleNotifyMs = 200;

quint32 ClampToUInt32(qint64 value)
{
    return value <= 0 ? 0 : quint32(qMin<qint64>(value, std::numeric_limits<quint32>::max()));
}

class Download
{
public:
    Download(const QString &url, const DownloadProgressHandler &onProgress, QObject *sender)
        : m_url(url), m_onProgress(onProgress), m_sender(sender)
    {
    }

    bool Run(QSaveFile &file);
    // Why Run failed, for the log.
    const QString &Failure() const { return m_failure; }

private:
    void Notify(quint32 status);
    void Abort(const QString &reason);

    const QString &m_url;
    const DownloadProgressHandler &m_onProgress;
    QObject *m_sender;
    QNetworkReply *m_reply = nullptr;
    quint32 m_received = 0;
    quint32 m_total = 0;
    bool m_inHandler = false;
    bool m_failed = false;
    QString m_failure;
};

void Download::Notify(quint32 status)
{
    // The handler serves the event queue, so more data may arrive while it
    // runs; those notifications are folded into the next one.
    if (!m_onProgress || m_inHandler || m_failed)
        return;
    bool cancel = false;
    m_inHandler = true;
    m_onProgress(m_sender, m_received, m_total, status, m_url, cancel);
    m_inHandler = false;
    if (cancel)
        Abort(u"cancelled"_s);
}

void Download::Abort(const QString &reason)
{
    if (!m_failed)
        m_failure = reason;
    m_failed = true;
    if (m_reply && m_reply->isRunning())
        m_reply->abort();
}

bool Download::Run(QSaveFile &file)
{
    const QUrl address(m_url, QUrl::StrictMode);
    const QString scheme = address.scheme().toLower();
    if (!address.isValid() || address.host().isEmpty() ||
        (scheme != u"http"_s && scheme != u"https"_s)) {
        m_failure = u"not an http or https address"_s;
        return false;
    }

    QNetworkAccessManager manager;
    QNetworkRequest request(address);
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute,
                         QNetworkRequest::NoLessSafeRedirectPolicy);
    request.setTransferTimeout(StallTimeoutMs);
    // The file is stored as the server holds it, and the sizes stay comparable.
    request.setRawHeader("Accept-Encoding", "identity");
    m_reply = manager.get(request);

    QEventLoop loop;
    QTimer idle;
    idle.setInterval(IdleNotifyMs);
    QObject::connect(&idle, &QTimer::timeout, &loop, [this] { Notify(StatusDownloadingData); });
    QObject::connect(m_reply, &QNetworkReply::readyRead, &loop, [this, &file, &idle] {
        const QByteArray data = m_reply->readAll();
        if (m_failed)
            return;
        if (file.write(data) != data.size()) {
            Abort(file.errorString());
            return;
        }
        idle.start();
    });
    QObject::connect(
        m_reply, &QNetworkReply::downloadProgress, &loop, [this](qint64 received, qint64) {
            // The expected size is what the server announced; the
            // network layer would report the received amount as
            // the total once a download of unknown size ends.
            const QVariant length = m_reply->header(QNetworkRequest::ContentLengthHeader);
            m_received = ClampToUInt32(received);
            m_total = length.isValid() ? ClampToUInt32(length.toLongLong()) : 0;
            Notify(StatusDownloadingData);
        });
    QObject::connect(m_reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);

    idle.start();
    Notify(StatusConnecting);
    if (!m_reply->isFinished())
        loop.exec();
    idle.stop();

    const int httpStatus = m_reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    if (!m_failed && m_reply->error() != QNetworkReply::NoError)
        Abort(m_reply->errorString());
    else if (!m_failed && (httpStatus < 200 || httpStatus >= 300))
        Abort(u"HTTP status %1"_s.arg(httpStatus));
    const bool succeeded = !m_failed;
    m_reply->disconnect(&loop);
    m_reply = nullptr;
    return succeeded;
}

} // namespace

void HttpDownloadToFile(const QString &url, const QString &fileName,
                        const DownloadProgressHandler &onProgress, QObject *sender)
{
    QSaveFile file(fileName);
    Download download(url, onProgress, sender);
    QString failure;
    if (!file.open(QIODevice::WriteOnly))
        failure = file.errorString();
    else if (!download.Run(file))
        failure = download.Failure();
    else
        // Every write and the final flush are checked: a full disk must not
        // leave an empty installer in place of the earlier one.
        failure = wordmill::CommitSaveFile(file);
    if (!failure.isEmpty()) {
        file.cancelWriting();
        qCWarning(lcSetup, "Download of %ls to %ls failed: %ls", qUtf16Printable(url),
                  qUtf16Printable(fileName), qUtf16Printable(failure));
        throw Exception(u"Error downloading URL: "_s + url);
    }
}

} // namespace corvane
