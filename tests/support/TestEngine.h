#pragma once

#include <wordmill/WordmillCore.h>
#include <wordmill/core/LangCoreData.h>

#include <QBuffer>
#include <QStringList>

#include <memory>

// An engine for tests: its language folder is given, the design flag is a
// marker text, and refreshed selectors are recorded. A data object with an
// editor can be given.
class TestEngine : public wordmill::TWordmillCore
{
public:
    explicit TestEngine(QObject *owner = nullptr,
                        std::unique_ptr<wordmill::TLangCoreData> data = {})
        : wordmill::TWordmillCore(owner, std::move(data))
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
