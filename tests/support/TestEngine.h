#pragma once

#include <wordmill/WordmillCore.h>
#include <wordmill/core/LangCoreData.h>

#include <QBuffer>
#include <QStringList>

// An engine for tests: its language folder is given, the design flag is a
// marker text, and refreshed selectors are recorded.
class TestEngine : public wordmill::TWordmillCore
{
public:
    explicit TestEngine(QObject *owner = nullptr) : wordmill::TWordmillCore(owner)
    {
        AfterConstruction();
    }

    QString langsDir;
    QStringList refreshed;

    QString GetLangsDir() const override { return langsDir; }
    void FillSpecialFlag(QIODevice &Stream, int Kind) override
    {
        if (auto *buffer = qobject_cast<QBuffer *>(&Stream)) {
            buffer->buffer() = QByteArray("special flag ") + QByteArray::number(Kind);
            buffer->seek(0);
        }
    }
    void RefreshControl(QObject *Control, int Index) override
    {
        refreshed << Control->objectName() + u':' + QString::number(Index);
    }
};
