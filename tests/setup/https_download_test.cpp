#include "platform/HttpDownload.h"

#include "Form1Fixture.h"
#include "TestPrinters.h"
#include "Unit1.h"
#include "fce_import_so.h"
#include "platform/EmulatedPlatform.h"
#include "platform/MachineProfile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSettings>
#include <QSslCertificate>
#include <QSslConfiguration>
#include <QSslKey>
#include <QSslServer>
#include <QSslSocket>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

// Certificates made for one test run with the openssl tool: a certificate
// authority of the test's own, a server certificate for 127.0.0.1 that it
// signed, and a second, self-signed one that nobody trusts.
class TestCertificates
{
public:
    bool Make(QString &error)
    {
        const QString ext = m_dir.filePath(u"server.ext"_s);
        QFile extensions(ext);
        if (!extensions.open(QIODevice::WriteOnly))
            return Fail(error, u"cannot write "_s + ext);
        extensions.write("basicConstraints=CA:FALSE\n"
                         "keyUsage=critical,digitalSignature\n"
                         "extendedKeyUsage=serverAuth\n"
                         "subjectAltName=IP:127.0.0.1\n");
        extensions.close();
        const QStringList ecKey{u"-newkey"_s, u"ec"_s, u"-pkeyopt"_s,
                                u"ec_paramgen_curve:prime256v1"_s, u"-nodes"_s};
        return Run(QStringList{u"req"_s, u"-x509"_s, u"-days"_s, u"1"_s, u"-subj"_s,
                               u"/CN=Corvane test CA"_s, u"-addext"_s,
                               u"basicConstraints=critical,CA:TRUE"_s, u"-addext"_s,
                               u"keyUsage=critical,keyCertSign,cRLSign"_s, u"-keyout"_s,
                               Path("ca.key"), u"-out"_s, Path("ca.pem")} +
                       ecKey,
                   error) &&
               Run(QStringList{u"req"_s, u"-subj"_s, u"/CN=127.0.0.1"_s, u"-keyout"_s,
                               Path("server.key"), u"-out"_s, Path("server.csr")} +
                       ecKey,
                   error) &&
               Run({u"x509"_s, u"-req"_s, u"-days"_s, u"1"_s, u"-in"_s, Path("server.csr"),
                    u"-CA"_s, Path("ca.pem"), u"-CAkey"_s, Path("ca.key"), u"-CAcreateserial"_s,
                    u"-extfile"_s, ext, u"-out"_s, Path("server.pem")},
                   error) &&
               Run(QStringList{u"req"_s, u"-x509"_s, u"-days"_s, u"1"_s, u"-subj"_s,
                               u"/CN=127.0.0.1"_s, u"-addext"_s, u"subjectAltName=IP:127.0.0.1"_s,
                               u"-keyout"_s, Path("stranger.key"), u"-out"_s,
                               Path("stranger.pem")} +
                       ecKey,
                   error);
    }

    QString Path(const char *name) const { return m_dir.filePath(QString::fromLatin1(name)); }

private:
    static bool Fail(QString &error, const QString &reason)
    {
        error = reason;
        return false;
    }

    bool Run(const QStringList &arguments, QString &error)
    {
        QProcess openssl;
        openssl.setProcessChannelMode(QProcess::MergedChannels);
        openssl.start(u"openssl"_s, arguments);
        if (!openssl.waitForFinished(30000) || openssl.exitStatus() != QProcess::NormalExit ||
            openssl.exitCode() != 0)
            return Fail(error, u"openssl "_s + arguments.join(u' ') + u": "_s +
                                   openssl.errorString() + u' ' +
                                   QString::fromLocal8Bit(openssl.readAll()));
        return true;
    }

    QTemporaryDir m_dir;
};

QSslCertificate ReadCertificate(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QSslCertificate(&file, QSsl::Pem) : QSslCertificate();
}

QSslKey ReadKey(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QSslKey(&file, QSsl::Ec, QSsl::Pem) : QSslKey();
}

// An HTTPS server in the test process that answers every request with the
// same file.
class TlsServer : public QObject
{
public:
    TlsServer(const QString &certificate, const QString &key, const QByteArray &body) : m_body(body)
    {
        QSslConfiguration configuration = QSslConfiguration::defaultConfiguration();
        configuration.setLocalCertificate(ReadCertificate(certificate));
        configuration.setPrivateKey(ReadKey(key));
        m_server.setSslConfiguration(configuration);
        connect(&m_server, &QTcpServer::pendingConnectionAvailable, this, [this] {
            while (auto *socket = static_cast<QSslSocket *>(m_server.nextPendingConnection())) {
                socket->setParent(this);
                connect(socket, &QSslSocket::readyRead, this, [this, socket] { Read(socket); });
            }
        });
        m_server.listen(QHostAddress::LocalHost);
    }

    QString Url(const QString &path) const
    {
        return u"https://127.0.0.1:%1"_s.arg(m_server.serverPort()) + path;
    }

private:
    void Read(QSslSocket *socket)
    {
        m_request += socket->readAll();
        if (!m_request.contains("\r\n\r\n"))
            return;
        m_request.clear();
        socket->write("HTTP/1.1 200 OK\r\nContent-Length: " + QByteArray::number(m_body.size()) +
                      "\r\nConnection: close\r\n\r\n" + m_body);
        socket->disconnectFromHost();
    }

    QSslServer m_server;
    QByteArray m_body;
    QByteArray m_request;
};

class HttpsDownloadTest : public testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        if (!QSslSocket::supportsSsl())
            return;
        certificates = new TestCertificates;
        QString error;
        if (!certificates->Make(error)) {
            setupError = error;
            return;
        }
        // The test's own authority is trusted for this process, as a
        // company's authority would be on its machines.
        previous = QSslConfiguration::defaultConfiguration();
        QSslConfiguration trusting = previous;
        trusting.addCaCertificate(ReadCertificate(certificates->Path("ca.pem")));
        QSslConfiguration::setDefaultConfiguration(trusting);
    }

    static void TearDownTestSuite()
    {
        QSslConfiguration::setDefaultConfiguration(previous);
        delete certificates;
        certificates = nullptr;
    }

    void SetUp() override
    {
        if (!QSslSocket::supportsSsl())
            GTEST_SKIP() << "Qt has no TLS backend here";
        ASSERT_TRUE(setupError.isEmpty()) << qPrintable(setupError);
    }

    QByteArray Download(const QString &url, quint32 &lastProgress)
    {
        const QString target = dir.filePath(u"crvsetup.exe"_s);
        corvane::HttpDownloadToFile(
            url, target,
            [&lastProgress](QObject *, quint32 progress, quint32, quint32, const QString &,
                            bool &) { lastProgress = progress; },
            nullptr);
        QFile file(target);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    static inline TestCertificates *certificates = nullptr;
    static inline QString setupError;
    static inline QSslConfiguration previous;
    QTemporaryDir dir;
};

TEST_F(HttpsDownloadTest, ServerWithATrustedCertificateDeliversTheFile)
{
    const QByteArray body(200 * 1024, 'c');
    TlsServer server(certificates->Path("server.pem"), certificates->Path("server.key"), body);
    quint32 progress = 0;
    EXPECT_EQ(Download(server.Url(u"/data/crv/crvsetup.exe"_s), progress), body);
    EXPECT_EQ(progress, quint32(body.size()));
}

TEST_F(HttpsDownloadTest, ServerWithAnUntrustedCertificateFailsTheDownload)
{
    TlsServer server(certificates->Path("stranger.pem"), certificates->Path("stranger.key"),
                     "must not arrive");
    const QString url = server.Url(u"/data/crv/crvsetup.exe"_s);
    quint32 progress = 0;
    try {
        Download(url, progress);
        FAIL() << "the download succeeded";
    } catch (const corvane::Exception &error) {
        EXPECT_EQ(error.Message(), u"Error downloading URL: "_s + url);
        EXPECT_EQ(error.ClassName(), u"Exception"_s);
    }
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList());
}

TEST_F(HttpsDownloadTest, StepThreeReportsAnUntrustedServerInTheUsualErrorBox)
{
    TlsServer server(certificates->Path("stranger.pem"), certificates->Path("stranger.key"),
                     "must not arrive");
    const QString base = server.Url(QString());
    qputenv("CORVANE_DOWNLOAD_BASE", base.toUtf8());
    const QString profile = dir.filePath(u"profile"_s);
    ASSERT_TRUE(corvane::PrepareMachineProfile(profile));
    QSettings(profile + u"/machine.ini"_s, QSettings::IniFormat).setValue(u"windows/admin"_s, true);
    QDir(profile + u"/registry/HKLM"_s).mkpath(corvane::LocalDbKey.toString().replace(u'\\', u'/'));
    corvane::SetPlatform(std::make_unique<corvane::EmulatedPlatform>(profile));
    QList<ShownBox> boxes;
    const wordmill::MessageBoxHandler previousBoxes =
        wordmill::SetMessageBoxHandler([&boxes](const wordmill::MessageBoxRequest &r) {
            boxes.append({r.text, r.caption, r.icon});
        });

    {
        TForm1 form;
        auto *lexicon = form.findChild<wordmill::TDesignedLexicon *>(u"Lexicon1"_s);
        form.findChild<QPushButton *>(u"instalovat3b"_s)->setEnabled(true);
        form.findChild<QPushButton *>(u"instalovat3b"_s)->click();

        const QString message = u"Error downloading URL: "_s + base + u"/data/crv/crvsetup.exe"_s;
        EXPECT_EQ(boxes, (QList<ShownBox>{{u"Exception "_s + lexicon->Item(6) + u' ' + message +
                                               u' ' + lexicon->Item(7),
                                           lexicon->Item(8), QMessageBox::Critical}}));
        EXPECT_EQ(form.findChild<QStatusBar *>(u"sb1"_s)->currentMessage(), message);
    }
    wordmill::SetMessageBoxHandler(previousBoxes);
    corvane::SetPlatform(nullptr);
    qunsetenv("CORVANE_DOWNLOAD_BASE");
}

} // namespace
