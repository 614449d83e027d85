#pragma once

#include <QLoggingCategory>
#include <QStringList>
#include <QtGlobal>

#include <utility>

// Records the warnings logged while it lives, on top of the usual output.
// The test mains silence the library's "wordmill" category; while a
// LogCapture lives its warnings are on, so a test can check what the library
// reports.
class LogCapture
{
public:
    LogCapture()
    {
        m_previousCapture = std::exchange(Current(), this);
        m_previous = qInstallMessageHandler(&LogCapture::Handle);
        m_previousFilter = QLoggingCategory::installFilter(&LogCapture::Filter);
    }
    ~LogCapture()
    {
        Current() = m_previousCapture;
        QLoggingCategory::installFilter(m_previousFilter);
        qInstallMessageHandler(m_previous);
    }
    LogCapture(const LogCapture &) = delete;
    LogCapture &operator=(const LogCapture &) = delete;

    // "category: message" of every warning so far.
    const QStringList &Warnings() const { return m_warnings; }
    // Whether some warning contains text.
    bool Contains(const QString &text) const
    {
        for (const QString &warning : m_warnings)
            if (warning.contains(text))
                return true;
        return false;
    }

private:
    static LogCapture *&Current()
    {
        static LogCapture *capture = nullptr;
        return capture;
    }

    // Runs whenever the categories are configured: the rules first, then the
    // library's warnings on.
    static void Filter(QLoggingCategory *category)
    {
        LogCapture *capture = Current();
        if (capture && capture->m_previousFilter)
            capture->m_previousFilter(category);
        // By name: the filter also runs while lcWordmill() creates its
        // category, which must not be entered again then.
        if (capture && qstrcmp(category->categoryName(), "wordmill") == 0)
            category->setEnabled(QtWarningMsg, true);
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

    QtMessageHandler m_previous = nullptr;
    QLoggingCategory::CategoryFilter m_previousFilter = nullptr;
    LogCapture *m_previousCapture = nullptr;
    QStringList m_warnings;
};
