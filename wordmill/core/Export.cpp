// Export of a language for a translator: a lexicon file (the language-file
// layout with every translation flattened into pairs of design text and
// translation) or a plain text list of "design=translation" lines.

#include <wordmill/core/LangCoreData.h>

#include <wordmill/core/ImportExport.h>
#include <wordmill/core/Lexicon.h>
#include <wordmill/core/ProgrammableLexicon.h>
#include <wordmill/core/StringTranslation.h>
#include <wordmill/core/WordmillComponent.h>
#include <wordmill/core/WordmillEngineCore.h>
#include <wordmill/sys/FlagBuffer.h>
#include <wordmill/sys/LanguageFile.h>
#include <wordmill/sys/LanguageNames.h>
#include <wordmill/sys/OneLineForm.h>
#include <wordmill/sys/SaveFile.h>
#include <wordmill/toolkit/ComponentNames.h>

#include <QBuffer>
#include <QMap>
#include <QStringEncoder>

using namespace Qt::StringLiterals;

namespace wordmill {

namespace {

const QString LexiconFileSignature = u"[Wordmill LeXicon File]"_s;

QString inQuotes(const QString &text)
{
    return u'"' + text + u'"';
}

QString escaped(QString text)
{
    EncodeControlChars(text);
    return text;
}

QString decoded(QString text)
{
    DecodeControlChars(text);
    return text;
}

// A design text of a text list: "=" separates it from its translation, so
// it is written as its escape.
QString listKey(const QString &design)
{
    QString key = design;
    return key.replace(u'=', u"'#61'"_s);
}

// "code - name" when the code is valid, else the name alone.
QString languageEntry(const QString &name, QString code)
{
    return NormalizeISOCode(code) ? code + u" - "_s + name : name;
}

QByteArray encodeText(const QString &text, TLFEncoding encoding)
{
    switch (encoding) {
    case TLFEncoding::Unicode:
        return QStringEncoder(QStringConverter::Utf16LE, QStringConverter::Flag::WriteBom)(text);
    case TLFEncoding::BigEndianUnicode:
        return QStringEncoder(QStringConverter::Utf16BE, QStringConverter::Flag::WriteBom)(text);
    case TLFEncoding::UTF8:
        return QStringEncoder(QStringConverter::Utf8, QStringConverter::Flag::WriteBom)(text);
    case TLFEncoding::ANSI:
        break;
    }
    return QStringEncoder(QStringConverter::System)(text);
}

// Pairs of design text and translation, one per design text (a later pair
// replaces an earlier one), sorted by design text. Texts in one-line form.
class ExchangePairs
{
public:
    explicit ExchangePairs(bool textList) : m_textList(textList) {}

    // The current text of a place against its design text (both decoded).
    void Offer(const QString &design, const QString &current)
    {
        if (current != design)
            m_pairs.insert(escaped(design), escaped(current));
        else if (m_textList && !m_pairs.contains(escaped(design)))
            m_pairs.insert(escaped(design), QString()); // to be translated
    }
    void Set(const QString &design, const QString &translation)
    {
        m_pairs.insert(design, translation);
    }
    const QMap<QString, QString> &Pairs() const { return m_pairs; }

private:
    bool m_textList;
    QMap<QString, QString> m_pairs;
};

} // namespace

void TLangCoreData::ExportLanguage(const QString &FileName, const QString &LangName,
                                   const QString &LangISO)
{
    WriteExportFile(FileName, LangName, LangISO);
}

void TLangCoreData::WriteExportFile(const QString &FileName, const QString &LangName,
                                    const QString &Code)
{
    if (FileName.isEmpty() || LangName.isEmpty() || !Engine)
        return;
    const TWordmillCore &engine = *Engine;
    const bool textList = FileName.endsWith(u".txt"_s, Qt::CaseInsensitive);
    TLangFormLexicon *formLexicon = LangFormLexicon;
    const QString formName = QualifiedName(formLexicon);
    const bool builtIn = formLexicon && formLexicon->InternalLanguages(LangName, Code, false);

    // The exchange pairs: global strings (lexicon file only), then the
    // property lines of every client, then the items of every list.
    ExchangePairs pairs(textList);
    if (!textList)
        for (int n = 0; n <= SmartLexicon.MaxItemNr(); ++n)
            if (SmartLexicon.IsIncluded(n))
                pairs.Set(SmartLexicon.GetLocStr(n), SmartLexicon.ReadItem(n));
    for (QObject *component : SpanClients.Components()) {
        auto *client = qobject_cast<TWordmillComponent *>(component);
        if (!client)
            continue;
        if (TComponentStructure *design = client->DesignStructure()) {
            for (int i = 0; i < design->Count(); ++i) {
                const TFullStructLine line = design->GetFull(i);
                if (textList && !(line.Changeable & ChangeableTranslatable))
                    continue;
                pairs.Offer(decoded(line.Translation),
                            FindTranslation(client, line.CompName, line.OwnerName, line.ItemAddr,
                                            line.PropertyID));
            }
            continue;
        }
        auto *list = qobject_cast<TWordmillList *>(component);
        if (!list || list == formLexicon)
            continue;
        for (int n = 0; n <= list->MaxIndex(); ++n)
            if (list->IsDefined(n))
                pairs.Offer(decoded(list->GetLocStr(n)), list->GetItem(n));
    }

    QStringList lines;
    if (textList) {
        lines << u"$translation="_s + languageEntry(LangName, Code);
        lines << u"$original="_s +
                     (LanguageEntries().isEmpty()
                          ? engine.DesignLanguageName()
                          : languageEntry(engine.DesignLanguageName(), DesignLangISO));
        lines << u"$overwrite_existing=false"_s << QString(50, u'-');
        if (engine.TranslateWordmill() && formLexicon && !builtIn && !DesignLangISO.isEmpty() &&
            formLexicon->InternalLanguage().Code == DesignLangISO) {
            for (int n = 0; n <= formLexicon->MaxIndex(); ++n)
                lines << listKey(formLexicon->GetLocStr(n)) + u'=' +
                             DataLexicon.ReadItem(formName, n);
            lines << QString(10, u'-');
        }
        for (auto it = pairs.Pairs().cbegin(); it != pairs.Pairs().cend(); ++it)
            lines << listKey(it.key()) + u'=' + it.value();
    } else {
        lines << LexiconFileSignature;
        QString reference = u"0\t%REF_LANG="_s + inQuotes(engine.DesignLanguageName());
        if (!LanguageEntries().isEmpty() && !DesignLangISO.isEmpty())
            reference += u"\t%CODE="_s + DesignLangISO + u';';
        lines << reference;
        QString header = u"0\t%LANGUAGE_NAME="_s + inQuotes(LangName);
        QString code = Code;
        if (NormalizeISOCode(code))
            header += u"\t%CODE="_s + code + u';';
        lines << header + u"\t%FILEVER=WMLF1;"_s;
        lines << u"0\t%LEXICON_STRINGS"_s;
        if (engine.TranslateWordmill() && formLexicon && !builtIn &&
            DataLexicon.ItemsCount(formName) > 0) {
            lines << u"0\t%WORDMILL"_s;
            for (int n = 0; n <= DataLexicon.MaxItemNr(formName); ++n) {
                const QString text = DataLexicon.ReadItem(formName, n);
                if (DataLexicon.IsIncluded(formName, n) && !text.isEmpty())
                    lines << QString::number(n) + u'\t' + inQuotes(text);
            }
        }
        lines << u"0\t%SMART_STRINGS"_s;
        int pair = 0;
        for (auto it = pairs.Pairs().cbegin(); it != pairs.Pairs().cend(); ++it) {
            const QString id = QString::number(pair++) + u'\t';
            lines << id + inQuotes(it.key()) << id + inQuotes(it.value());
        }
        if (FlagBufferHasData())
            WriteFlagIcon(lines);
    }

    const QByteArray bytes =
        encodeText(lines.join(u"\r\n"_s) + u"\r\n"_s, engine.LangFileEncoding());
    // Written beside the target and renamed over it: a failed export leaves
    // any previous file intact.
    const QString failure = SaveFileContents(FileName, bytes);
    if (!failure.isEmpty())
        throw EWordmillFileError(FileName + u": "_s + failure);
}

void TWordmillCore::ExportToFile(const QString &FileName)
{
    TLangCoreData &d = *LData();
    const int index = d.IndexOfLanguage(fCurrentLanguage);
    if (index <= 0)
        throw EImportExport(FormLexicon()->GetItem(FormLexiconItem::DesignLanguageNotExported), 0);
    QBuffer &flag = FlagIconBuffer();
    flag.close();
    const QBuffer *own = d.Flag(index);
    flag.setData(own ? own->data() : QByteArray());
    flag.open(QIODevice::ReadWrite);
    d.WriteExportFile(FileName, fCurrentLanguage, fCurrentLangISO);
}

} // namespace wordmill
