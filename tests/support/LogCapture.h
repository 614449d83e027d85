#pragma once

#include <QStringList>
#include <QtGlobal>

// Records the warnings logged while it lives, on top of the usual output.
class LogCapture
{
public:
    LogCapture() : m_previous(qInstallMessageHandler(&LogCapture::Handle)) { Current() = this; }
    ~LogCapture()
    {
        qInstallMessageHandler(m_previous);
        Current() = nullptr;
    }
    LogCapture(const LogCapture &) = delete;
    LogCapture &operator=(const LogCapture &) = delete;

    // "category: message" of every warning so far.
    const QStringList &Warnings() const { return m_warnings; }

private:
    static LogCapture *&Current()
    {
        static LogCapture *capture = nullptr;
        return capture;
    }

    static void Handle(QtMsgType type, const QMessageLogContext &context, const QString &message)
    {
        LogCapture *capture = Current();
        if (capture && type == QtWarningMsg)
            capture->m_warnings.append(
                QString::fromLatin1(context.category ? context.category : "") +
                QStringLiteral(": ") + message);
        if (capture && capture->m_previous)
            capture->m_previous(type, context, message);
    }

    QtMessageHandler m_previous;
    QStringList m_warnings;
};
