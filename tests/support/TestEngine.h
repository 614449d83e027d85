#pragma once

#include <wordmill/WordmillCore.h>
#include <wordmill/core/LangCoreData.h>
#include <wordmill/sys/FileBytes.h>

#include <QBuffer>
#include <QHash>
#include <QStringList>

#include <memory>

// The data object of an engine without editor window whose editor can be
// said to be open: imports then go into the current language.
class TestLangData : public wordmill::TLangCoreData
{
public:
    explicit TestLangData(bool editorOpen = false) : open(editorOpen) {}
    bool open = false;
    bool EditorOpened() override { return open; }
    // There is no editor page.
    QString EditorExecute(int) override { return QString(); }
    void AddEditorRow(const QString &, const QString &) override {}
    QString GetEditorRow(int) override { return QString(); }
    void EditorSelect(int, int, int, wordmill::TEditorSearch) override {}
};

// The engine core completed for tests, benchmarks and fuzz targets: its
// language folder is given, the special flags are marker texts, refreshed
// selectors are recorded, languages can be held in memory instead of files,
// and a data object with an editor can be given.
class TestEngine : public wordmill::TWordmillCore
{
public:
    explicit TestEngine(QObject *owner = nullptr,
                        std::unique_ptr<wordmill::TLangCoreData> data = {})
        : wordmill::TWordmillCore(owner, std::move(data))
    {
    }

    QString langsDir;
    QStringList refreshed;
    // Language sources served from memory, by source name.
    QHash<QString, QByteArray> memoryLanguages;

    // Lists a language whose file is held in memory under `source`.
    void ListMemoryLanguage(const QString &name, const QString &source, const QByteArray &bytes)
    {
        memoryLanguages.insert(source, bytes);
        wordmill::TLangFileHeaderInfo header;
        header.IDs.Name = name;
        AddDiscoveredLanguage(source, header, true);
    }

    // How often the language folder was asked for.
    mutable int langsDirReads = 0;
    QString GetLangsDir() const override
    {
        ++langsDirReads;
        return langsDir;
    }
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

protected:
    bool ReadLanguageSource(const QString &Source, wordmill::TFileBytes &Bytes) override
    {
        const auto found = memoryLanguages.constFind(Source);
        if (found == memoryLanguages.constEnd())
            return wordmill::TWordmillCore::ReadLanguageSource(Source, Bytes);
        Bytes.SetBytes(*found);
        return true;
    }
};
