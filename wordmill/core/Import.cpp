// Import of a language: a lexicon file or language file, a text list, or a
// packed multi-language file, merged into the engine's translation data
// without overwriting what the language translates itself.

#include <wordmill/core/WordmillEngineCore.h>

#include <wordmill/core/ImportExport.h>
#include <wordmill/core/LangCoreData.h>
#include <wordmill/core/Lexicon.h>
#include <wordmill/core/PackedImport.h>
#include <wordmill/core/ProgrammableLexicon.h>
#include <wordmill/core/ResourcesTranslator.h>
#include <wordmill/core/Spans.h>
#include <wordmill/core/TranslatorRegistry.h>
#include <wordmill/iso/ISO639.h>
#include <wordmill/sys/FlagBuffer.h>
#include <wordmill/sys/LanguageFile.h>
#include <wordmill/sys/LanguageNames.h>
#include <wordmill/sys/TextHelpers.h>
#include <wordmill/sys/TextLines.h>
#include <wordmill/toolkit/ComponentNames.h>

#include <QFile>
#include <QFileInfo>
#include <QSet>

using namespace Qt::StringLiterals;

namespace wordmill {

namespace {

// Lexicon files name the language their texts are translated from.
const QString RefLangKey = u"%REF_LANG="_s;
constexpr int MaxItemNumber = 0xFFFF;
constexpr int SettingLines = 4;

// A language named in an import file.
struct LanguageRef
{
    QString Name;
    QString Code;
    bool Given() const { return !Name.isEmpty() || !Code.isEmpty(); }
};

// A setting's language: an ISO code, optionally followed by " - " and a
// name, or a name. A value counts as beginning with a code when its first
// two characters are a valid code not followed by another letter, so that
// "Czech" is a name and "cs - Czech" a code with a name.
LanguageRef readLanguageSetting(const QString &value)
{
    LanguageRef ref;
    QString code = value.left(2);
    const bool isCode = value.size() >= 2 && (value.size() == 2 || !value.at(2).isLetter()) &&
                        NormalizeISOCode(code);
    if (isCode) {
        ref.Code = code;
        ref.Name = NameOfEntry(value);
    } else {
        ref.Name = value;
    }
    return ref;
}

// A setting's value: cut at the first "//" and trimmed.
QString settingValue(const QString &value)
{
    const qsizetype comment = value.indexOf(u"//"_s);
    return TrimText(comment >= 0 ? value.left(comment) : value);
}

bool isAllowing(const QString &value)
{
    static const QSet<QString> yes{u"true"_s,   u"1"_s,     u"yes"_s,
                                   u"enable"_s, u"allow"_s, u"permit"_s};
    return yes.contains(value.toLower());
}

struct FileLine
{
    int id = 0;
    QString value;
};

bool readLine(const QStringList &lines, int index, FileLine &line)
{
    if (!TryLineID(lines, index, line.id))
        return false;
    line.value = LineValue(lines.at(index));
    return true;
}

bool isMarker(const QString &value, const QString &marker)
{
    return !value.startsWith(u'"') && value.contains(marker);
}

bool isOwn(quint16 descent)
{
    return descent == DescentOwn;
}

// The library's text for failure Number: item 44 of the form lexicon, with
// the number in its place when the text has one.
[[noreturn]] void fail(TWordmillCore &engine, int number)
{
    QString text = engine.FormLexicon()
                       ? engine.FormLexicon()->GetItem(FormLexiconItem::CannotImport)
                       : QString();
    for (const QString &place : {u"%d"_s, u"%s"_s, u"%1"_s}) {
        const qsizetype at = text.indexOf(place);
        if (at >= 0) {
            text.replace(at, place.size(), QString::number(number));
            break;
        }
    }
    throw EImportExport(text, number);
}

} // namespace

int TWordmillCore::ImportFromFile(const QString &FileName, bool ToCurrentLanguage)
{
    // Qt's lookups see the import's translations all at once, at its end.
    TTranslatorRegistry::TBatch batch;
    TLangCoreData &d = *fData;
    TLangFormLexicon *formLexicon = d.LangFormLexicon;
    QFile file(FileName);
    if (!QFileInfo(FileName).isFile() || !file.open(QIODevice::ReadOnly))
        fail(*this, ifFileMissing);
    const int currentPos = d.IndexOfLanguage(fCurrentLanguage);
    const bool currentIsDesign =
        currentPos == 0 || (currentPos < 0 && fCurrentLanguage == fDesignLanguage);
    if (ToCurrentLanguage && currentIsDesign)
        fail(*this, ifIntoDesignLanguage);

    const QByteArray bytes = file.readAll();
    file.close();
    QString text;
    if (ToCurrentLanguage && d.EditorOpened()) {
        const QStringList codes = d.LangCodes();
        const TPackedImport packed = ReadPackedImport(bytes, [&](const QString &code) {
            return currentPos >= 0 && codes.indexOf(code) == currentPos;
        });
        if (packed.Result == TPackedImport::Empty)
            return 0;
        text = packed.Text;
    }
    if (text.isEmpty())
        text = DecodeText(bytes);
    if (text.isEmpty())
        return 0;
    const QStringList lines = SplitTextLines(text);
    const int count = int(lines.size());

    // ---- languages named by the file and the target's preparation
    const auto checkSource = [&](const LanguageRef &source) {
        if (!source.Code.isEmpty() && !d.DesignLangISO.isEmpty()) {
            if (source.Code != d.DesignLangISO)
                fail(*this, ifSourceCode);
        } else if (source.Name != fDesignLanguage) {
            fail(*this, ifSourceName);
        }
    };
    const auto findTarget = [&](const LanguageRef &target) {
        int position = target.Code.isEmpty() ? -1 : int(d.LangCodes().indexOf(target.Code));
        if (position < 0 && !target.Name.isEmpty())
            position = d.IndexOfLanguage(target.Name);
        if (ToCurrentLanguage && target.Code != fCurrentLangISO && position != currentPos)
            fail(*this, ifNotCurrentLanguage);
        return position;
    };
    QString targetName = fCurrentLanguage;
    QString targetCode = fCurrentLangISO;
    QString targetFile;
    const auto prepareTarget = [&](const LanguageRef &target, int position) {
        targetName = target.Name;
        targetCode = target.Code;
        if (position < 0) {
            // a new language, inheriting from the design language
            if (!LoadLanguage(fDesignLanguage, llAsSuperior, QString()))
                fail(*this, ifTargetNotLoaded);
            d.NewLanguage();
            targetFile = UniqueLanguageFileName(QFileInfo(FileName).completeBaseName());
            if (targetName.isEmpty())
                targetName = NameForCode(targetCode);
            if (targetName.isEmpty())
                fail(*this, ifNoLanguageName);
            fCurrentLanguage = targetName;
            fCurrentLangISO = targetCode;
        } else if (position != currentPos || !d.EditorOpened()) {
            // An existing language is loaded (with its flag) and saved back
            // into its own file. That holds for the current language too when
            // no editor keeps it open: the switch that follows the import
            // reads the language from its file again.
            if (!LoadLanguage(d.LanguageEntries().at(position).Name, llReadFlag, QString()))
                fail(*this, ifTargetNotLoaded);
            const QString source = d.GetFile(position);
            targetFile = QFileInfo(source).isFile() ? source : UniqueLanguageFileName(source);
            if (targetName.isEmpty())
                targetName = d.LanguageEntries().at(position).Name;
        } else if (targetName.isEmpty()) {
            targetName = fCurrentLanguage;
        }
        if (fCurrentLangISO.isEmpty())
            fCurrentLangISO = targetCode;
        if (targetCode.isEmpty())
            targetCode = fCurrentLangISO;
    };

    // ---- settings: the first lines up to one that holds a tab
    bool overwrite = false;
    LanguageRef source, target;
    int targetPos = currentPos;
    bool tabFound = false;
    QSet<int> settingLines;
    for (int i = qMin(SettingLines, count) - 1; i >= 0; --i) {
        const QString &line = lines.at(i);
        if (line.contains(u'\t')) {
            tabFound = true;
            break;
        }
        const qsizetype separator = line.indexOf(u'=');
        if (separator <= 0)
            continue;
        const QString key = TrimText(line.left(separator)).toLower();
        const QString value = settingValue(line.mid(separator + 1));
        if (key == u"$overwrite_existing"_s) {
            overwrite = isAllowing(value);
        } else if (key == u"$original"_s) {
            source = readLanguageSetting(value);
            checkSource(source);
        } else if (key == u"$translation"_s) {
            target = readLanguageSetting(value);
            targetPos = findTarget(target);
        } else {
            continue;
        }
        settingLines.insert(i);
    }

    // ---- a text list: design=translation lines
    if (!tabFound) {
        if (!ToCurrentLanguage) {
            if (!target.Given() || !source.Given())
                fail(*this, ifTextListLanguages);
            prepareTarget(target, targetPos);
        }
        int taken = 0;
        for (int i = 0; i < count; ++i) {
            const QString &line = lines.at(i);
            const qsizetype separator = line.indexOf(u'=');
            if (separator > 0 && !settingLines.contains(i))
                taken += d.AddTranslate(line.left(separator), line.mid(separator + 1), overwrite);
        }
        return taken;
    }

    // ---- a lexicon file or language file
    if (count < SettingLines)
        fail(*this, ifTooFewLines);
    int header = -1;
    for (int i = 0; i < count && header < 0; ++i) {
        const QString &line = lines.at(i);
        if (line.contains(RefLangKey)) {
            LanguageRef reference{ExtractQuoted(line), ExtractField(line, LangFileKey::Code)};
            NormalizeISOCode(reference.Code);
            checkSource(reference);
        }
        if (line.contains(LangFileKey::LanguageName)) {
            if (ExtractField(line, LangFileKey::FileVersion) != LangFileVersion)
                fail(*this, ifFileVersion);
            target = LanguageRef{ExtractQuoted(line), ExtractField(line, LangFileKey::Code)};
            NormalizeISOCode(target.Code);
            prepareTarget(target, findTarget(target));
            header = i;
        }
    }
    if (header < 0)
        fail(*this, ifNoLanguageName);

    // An own global string (level 0) of a design text.
    const auto ownGlobal = [&d](const QString &design) {
        quint16 descent = DescentNone;
        d.SmartLexicon.ReadItem(design, descent);
        return d.SmartLexicon.IsIncluded(design) && (descent & 0xFF) == 0;
    };

    int taken = 0;
    FileLine line;
    int i = header + 1;
    // Component lines that some client knows and the language does not
    // translate itself.
    for (; i < count; ++i) {
        if (!readLine(lines, i, line))
            continue;
        if (isMarker(line.value, LangFileKey::LexiconStrings))
            break;
        if (line.value.size() < 3 || line.id < 0 || line.id > MaxItemNumber)
            continue;
        TFullStructLine item;
        item.CompName = ExtractField(line.value, LangFileKey::Component);
        item.Translation = ExtractQuotedText(line.value);
        if (item.CompName.isEmpty() || item.Translation.isEmpty())
            continue;
        item.PropertyID = quint16(line.id);
        item.OwnerName = ExtractField(line.value, LangFileKey::Owner);
        item.ItemAddr = ExtractField(line.value, LangFileKey::Item);
        item.Descent = DescentOwn;
        item.Changeable = ChangeableTranslatable | ChangeableOwnTranslation;
        if (line.value.contains(LangFileKey::Old))
            item.Changeable |= ChangeableOld;
        TWordmillComponent *client = d.SpanClients.GetClientByStructLine(item);
        if (!client)
            continue;
        const int found = d.DataStruct.Find(item);
        if (found >= 0 && isOwn(d.DataStruct.Descent(found)))
            continue;
        if (client->GlobalLexicon()) {
            TComponentStructure *design = client->DesignStructure();
            if (ownGlobal(design->Translation(design->Find(item))))
                continue;
        }
        d.DataStruct.AddLine(item);
        ++taken;
    }

    // Lexicon items the language does not translate itself.
    TLexicon *lexicon = nullptr;
    QString lexiconName;
    for (++i; i < count; ++i) {
        if (!readLine(lines, i, line))
            continue;
        if (isMarker(line.value, LangFileKey::SmartStrings))
            break;
        if (line.value.size() < 3)
            continue;
        if (!line.value.startsWith(u'"')) {
            lexicon = nullptr;
            if (line.value.contains(LangFileKey::FormLexicon)) {
                if (fIncludeWordmill) {
                    lexiconName = QualifiedName(formLexicon);
                    if (lexiconName.isEmpty())
                        fail(*this, ifFormLexiconUnnamed);
                    lexicon = formLexicon;
                }
                continue;
            }
            lexiconName = ExtractField(line.value, LangFileKey::LexiconName);
            if (lexiconName.isEmpty())
                fail(*this, ifLexiconUnnamed);
            auto *bound = qobject_cast<TLexicon *>(d.SpanClients.GetListByName(lexiconName));
            if (bound && (bound != formLexicon || fIncludeWordmill))
                lexicon = bound;
            continue;
        }
        const QString text = ExtractQuotedText(line.value);
        if (!lexicon || line.id < 0 || line.id > MaxItemNumber || text.isEmpty() ||
            !lexicon->IsDefined(line.id))
            continue;
        quint16 descent = DescentNone;
        d.DataLexicon.ReadItem(lexiconName, line.id, descent);
        if (d.DataLexicon.IsIncluded(lexiconName, line.id) && isOwn(descent))
            continue;
        if (lexicon->GlobalLexicon() && ownGlobal(lexicon->GetLocStr(line.id)))
            continue;
        d.DataLexicon.NewLexicon(lexiconName);
        d.DataLexicon.WriteItem(lexiconName, line.id, text, DescentOwn);
        ++taken;
    }

    // Smart strings: global pairs go everywhere, the pairs of a bound
    // resource-string translator to it.
    TCustomResourcesTranslator *translator = nullptr;
    QList<TCustomResourcesTranslator *> touched;
    bool global = true;
    QString smartName;
    int flagMarker = -1;
    for (++i; i < count; ++i) {
        if (!readLine(lines, i, line))
            continue;
        if (isMarker(line.value, LangFileKey::FlagIcon)) {
            flagMarker = i;
            break;
        }
        if (line.value.size() < 3)
            continue;
        if (!line.value.startsWith(u'"') && line.value.contains(LangFileKey::LexiconName)) {
            smartName = ExtractField(line.value, LangFileKey::LexiconName);
            if (smartName.isEmpty())
                fail(*this, ifSmartLexiconUnnamed);
            global = false;
            translator =
                qobject_cast<TCustomResourcesTranslator *>(d.SpanClients.GetListByName(smartName));
            continue;
        }
        const QString original = ExtractQuotedText(line.value);
        if (original.isEmpty())
            continue;
        int next = i + 1;
        FileLine second;
        while (next < count && !readLine(lines, next, second))
            ++next;
        if (next >= count)
            break;
        const QString translation = ExtractQuotedText(second.value);
        if (second.id != line.id || translation.isEmpty()) {
            i = next - 1; // the next line starts a new pair
            continue;
        }
        i = next;
        if (global) {
            taken += d.AddTranslate(original, translation, false);
            continue;
        }
        if (!translator || !translator->IsDefined(original))
            continue;
        quint16 descent = DescentNone;
        d.SmartLexicon.ReadItem(smartName, original, descent);
        if (d.SmartLexicon.IsIncluded(smartName, original) && isOwn(descent))
            continue;
        if (translator->GlobalLexicon() && ownGlobal(original))
            continue;
        d.SmartLexicon.NewLexicon(smartName);
        d.SmartLexicon.WriteItem(smartName, original, translation, DescentOwn);
        if (!touched.contains(translator))
            touched.append(translator);
        ++taken;
    }
    for (TCustomResourcesTranslator *changed : std::as_const(touched))
        changed->ListChanged();

    // The library's own texts of a built-in language come from its table.
    if (formLexicon && formLexicon->InternalLanguages(targetName, targetCode, fIncludeWordmill)) {
        const QString formName = QualifiedName(formLexicon);
        taken = qMax(0, taken - d.DataLexicon.ItemsCount(formName));
        d.DataLexicon.DeleteLexicon(formName);
    }

    if (!FlagBufferHasData() && flagMarker >= 0) {
        ReadFlagIcon(lines, flagMarker + 1);
        if (FlagBufferHasData())
            ++taken;
    }

    if (!d.EditorOpened()) {
        SaveLanguageFile(targetName, d.CurrentSuperiorLang.Name, targetCode, targetFile);
        RefreshLanguages();
        Translate(targetName);
    }
    return taken;
}

} // namespace wordmill
