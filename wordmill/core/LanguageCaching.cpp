// The compiled cache of loaded languages.
//
// A plain language switch reads the language's file and its superiors and
// merges them into the stores. Afterwards the engine writes what the stores
// hold to a cache file in the user's cache folder, with the size and content
// hash of every file it read and the settings that shaped the load. The next
// switch to that language checks all of that and, when nothing changed,
// takes the stores from the cache instead of parsing: the cache is mapped and
// the stores' texts refer to it where they lie, so that the texts are not
// copied at all.
//
// Texts handed out from the stores may live anywhere (a label keeps its
// text), so a cache that has been taken into the stores stays mapped until
// the process ends; switching back to a language maps its cache only once.
// The cache is written whole or not at all (a save file), and a changed
// cache gets a new inode, so a mapping never sees its bytes change.
//
// The language files stay the only source of truth: a cache that is stale,
// foreign, damaged or unreadable is ignored (and replaced), and a cache that
// cannot be written only costs speed.

#include <wordmill/core/WordmillEngineCore.h>

#include <wordmill/core/ProgrammableLexicon.h>
#include <wordmill/sys/FileBytes.h>
#include <wordmill/sys/Logging.h>
#include <wordmill/toolkit/ComponentNames.h>

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QHash>
#include <QMutex>
#include <QSaveFile>
#include <QStandardPaths>

using namespace Qt::StringLiterals;

namespace wordmill {

namespace {

// A cache file kept mapped for the rest of the process.
struct KeptCache
{
    QFile *File = nullptr;
    QByteArrayView Bytes;
};

// The caches taken into stores, by path, size and content hash. Never
// freed: texts made from them may be anywhere until the process ends.
struct KeptCaches
{
    QMutex Lock;
    QHash<QString, KeptCache> ByKey;
};

KeptCaches &keptCaches()
{
    static auto *kept = new KeptCaches;
    return *kept;
}

QString keptKey(const QString &path, quint64 size, quint64 hash)
{
    return path + u'|' + QString::number(size) + u'|' + QString::number(hash);
}

// Size and content hash a cache file's header claims, or false.
bool peekHeader(QFile &file, quint64 &size, quint64 &hash)
{
    const QByteArray header = file.read(LanguageCacheHeaderSize);
    return ReadLanguageCacheHeader(header, size, hash) && size == quint64(file.size());
}

} // namespace

QString TWordmillCore::LanguageCacheFolder() const
{
    if (fCacheFolder)
        return *fCacheFolder;
    const QString base = QStandardPaths::writableLocation(QStandardPaths::CacheLocation);
    return base.isEmpty() ? QString() : base + u"/languages"_s;
}

QString TWordmillCore::CacheSettings() const
{
    // Which file a superior name leads to depends on the whole language
    // list, so the list is part of the settings.
    QCryptographicHash list(QCryptographicHash::Sha256);
    for (const TLanguageEntry &entry : fData->LanguageList) {
        list.addData(QStringView(entry.Name).toUtf8());
        list.addData("\n");
        list.addData(QStringView(entry.Source).toUtf8());
        list.addData("\n");
    }
    return QStringList{u"signature="_s + fLangFileSign,
                       u"design="_s + fDesignLanguage,
                       u"design-code="_s + fData->DesignLangISO,
                       u"own-texts="_s + (fIncludeWordmill ? u"1"_s : u"0"_s),
                       u"form-lexicon="_s + QualifiedName(fData->LangFormLexicon),
                       u"list="_s + QString::fromLatin1(list.result().toHex())}
        .join(u'\n');
}

QString TWordmillCore::CacheFilePath(const QString &Name, const QString &Source,
                                     const QString &Settings) const
{
    const QByteArray key = (Name + u'\n' + Source + u'\n' + Settings).toUtf8();
    const QByteArray digest = QCryptographicHash::hash(key, QCryptographicHash::Sha256).toHex();
    return LanguageCacheFolder() + u'/' + QString::fromLatin1(digest.left(32)) + u".wmc"_s;
}

QString TWordmillCore::CacheMismatch(const TLanguageCacheInfo &Info, const QString &Name,
                                     const QString &Source, const QString &Settings)
{
    if (Info.Settings != Settings)
        return u"made with other settings"_s;
    if (Info.Chain.isEmpty() || Info.Chain.first().Name != Name ||
        Info.Chain.first().Path != Source)
        return u"made for another language"_s;
    for (const TLanguageCacheSource &source : Info.Chain) {
        TFileBytes current;
        if (!ReadLanguageSource(source.Path, current) || current.Bytes().size() != source.Size ||
            LanguageCacheHash(current.Bytes()) != source.Hash)
            return source.Path + u" changed"_s;
    }
    return QString();
}

bool TWordmillCore::LoadCachedLanguage(const QString &Name, const QString &Source)
{
    const QString settings = CacheSettings();
    const QString path = CacheFilePath(Name, Source, settings);
    auto file = std::make_unique<QFile>(path);
    // Only the header is read; the rest is mapped.
    if (!file->open(QIODevice::ReadOnly | QIODevice::Unbuffered))
        return false; // not made yet: nothing to say
    const auto ignore = [&](const QString &reason) {
        qCInfo(lcWordmill).noquote()
            << "language cache" << path << "of" << Name << "not used:" << reason;
        return false;
    };
    quint64 size = 0, hash = 0;
    if (!peekHeader(*file, size, hash))
        return ignore(u"not a whole cache file"_s);

    // A cache already kept is checked once: its bytes cannot change.
    KeptCaches &kept = keptCaches();
    const QString key = keptKey(path, size, hash);
    QByteArrayView bytes;
    QFile *mapped = nullptr;
    {
        QMutexLocker lock(&kept.Lock);
        const auto it = kept.ByKey.constFind(key);
        if (it != kept.ByKey.constEnd())
            bytes = it->Bytes;
    }
    if (bytes.isNull()) {
        uchar *map = file->map(0, file->size());
        if (!map)
            return ignore(file->errorString());
        bytes = QByteArrayView(reinterpret_cast<const char *>(map), file->size());
        mapped = file.get();
    }

    TLanguageCacheInfo info;
    QString problem;
    // A kept cache passed the check of its content when it was mapped.
    if (ReadLanguageCacheInfo(bytes, info, &problem, mapped != nullptr))
        problem = CacheMismatch(info, Name, Source, settings);
    if (!problem.isEmpty()) {
        if (mapped)
            mapped->unmap(const_cast<uchar *>(reinterpret_cast<const uchar *>(bytes.data())));
        return ignore(problem);
    }
    if (mapped) {
        QMutexLocker lock(&kept.Lock);
        kept.ByKey.insert(key, {file.release(), bytes});
    }

    // From here on the stores refer to the cache.
    ResetToDesignLanguage(0);
    TLangCoreData &d = *fData;
    if (!ReadLanguageCacheStores(bytes, d.DataStruct, d.DataLexicon, d.SmartLexicon, &problem)) {
        ResetToDesignLanguage(0);
        return ignore(problem);
    }
    // The library's own texts follow the built-in languages of the chain,
    // the deepest superior first, as the load of the files left them.
    for (qsizetype i = info.Chain.size() - 1; i >= 0; --i)
        d.LangFormLexicon->InternalLanguages(info.Chain.at(i).Name, info.Chain.at(i).Code,
                                             fIncludeWordmill);
    fCurrentLanguage = Name;
    fCurrentLangISO = info.Code;
    d.CurrentSuperiorLang = info.Superior;
    return true;
}

void TWordmillCore::StoreLanguageCache(const QString &Name, const QString &Source,
                                       const QList<TLanguageCacheSource> &Chain)
{
    const QString folder = LanguageCacheFolder();
    const QString settings = CacheSettings();
    const QString path = CacheFilePath(Name, Source, settings);
    const auto fail = [&](const QString &reason) {
        qCWarning(lcWordmill).noquote()
            << "cannot write the language cache" << path << "of" << Name << ':' << reason;
    };
    if (!QDir().mkpath(folder))
        return fail(u"cannot make the folder"_s);
    TLanguageCacheInfo info;
    info.Settings = settings;
    info.Chain = Chain;
    info.Code = fCurrentLangISO;
    info.Superior = fData->CurrentSuperiorLang;
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return fail(file.errorString());
    const TLangCoreData &d = *fData;
    if (!WriteLanguageCache(file, info, d.DataStruct, d.DataLexicon, d.SmartLexicon)) {
        const QString reason = file.errorString();
        file.cancelWriting();
        return fail(reason);
    }
    if (!file.commit())
        return fail(file.errorString());
}

} // namespace wordmill
