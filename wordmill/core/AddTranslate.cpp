// One design text and its translation applied to everything bound to an
// engine: the import of single pairs.

#include <wordmill/core/LangCoreData.h>

#include <wordmill/core/Lexicon.h>
#include <wordmill/core/ProgrammableLexicon.h>
#include <wordmill/core/ResourcesTranslator.h>
#include <wordmill/core/TranslatorRegistry.h>
#include <wordmill/core/WordmillComponent.h>
#include <wordmill/core/WordmillEngineCore.h>
#include <wordmill/toolkit/ComponentNames.h>
#include <wordmill/sys/OneLineForm.h>

namespace wordmill {

namespace {

// A translation taken over: translatable and marked as the language's own.
constexpr quint16 TakenOver = ChangeableTranslatable | ChangeableOwnTranslation;

bool isOwn(quint16 descent)
{
    return descent == DescentOwn;
}

} // namespace

int TLangCoreData::AddTranslate(const QString &Designed, const QString &Translated,
                                bool OverwritingAllowed)
{
    if (Designed.isEmpty() || Translated.isEmpty() || !Engine)
        return 0;
    TTranslatorRegistry::TBatch batch;
    QString designed = Designed;
    DecodeControlChars(designed);
    EncodeControlChars(designed);
    QString translated = Translated;
    EncodeControlChars(translated);

    // An own global string of the design text (level 0).
    const auto ownGlobal = [&] {
        quint16 descent = DescentNone;
        SmartLexicon.ReadItem(designed, descent);
        return SmartLexicon.IsIncluded(designed) && (descent & 0xFF) == 0;
    };
    const auto writeGlobal = [&] { SmartLexicon.WriteItem(designed, translated, DescentOwn); };

    int count = 0;
    for (QObject *component : SpanClients.Components()) {
        auto *bound = qobject_cast<TWordmillComponent *>(component);
        if (!bound)
            continue;

        if (TComponentStructure *design = bound->DesignStructure()) {
            const bool global = bound->GlobalLexicon();
            for (int i = 0; i < design->Count(); ++i) {
                if (design->Translation(i) != designed)
                    continue;
                const QString key = design->LineID(i);
                const int found = DataStruct.Find(key);
                if (found >= 0) {
                    if (!(DataStruct.Changeable(found) & ChangeableTranslatable))
                        continue; // "%NOTRANS": the superior's text stays
                    if (OverwritingAllowed) {
                        DataStruct.SetupLine(found, translated, DescentOwn, TakenOver);
                        ++count;
                        continue;
                    }
                    if (isOwn(DataStruct.Descent(found)))
                        continue;
                    // an inherited line counts as missing
                }
                if (global) {
                    if (!OverwritingAllowed && ownGlobal())
                        continue;
                    writeGlobal();
                } else {
                    DataStruct.AddLine(TSimpleStructLine{key, translated, DescentOwn, TakenOver});
                }
                ++count;
            }
            continue;
        }

        if (auto *translator = qobject_cast<TCustomResourcesTranslator *>(component)) {
            if (!translator->IsDefined(designed))
                continue;
            const QString name = QualifiedName(translator);
            SmartLexicon.NewLexicon(name);
            quint16 descent = DescentNone;
            SmartLexicon.ReadItem(name, designed, descent);
            if (SmartLexicon.IsIncluded(name, designed) && isOwn(descent)) {
                if (!OverwritingAllowed)
                    continue;
                SmartLexicon.WriteItem(name, designed, translated, DescentOwn);
                ++count;
            } else if (translator->GlobalLexicon()) {
                if (!OverwritingAllowed && ownGlobal())
                    continue;
                writeGlobal();
                ++count;
            } else {
                SmartLexicon.WriteItem(name, designed, translated, DescentOwn);
                ++count;
            }
            translator->ListChanged();
            continue;
        }

        auto *lexicon = qobject_cast<TLexicon *>(component);
        if (!lexicon)
            continue;
        if (lexicon == LangFormLexicon &&
            (!Engine->TranslateWordmill() ||
             LangFormLexicon->InternalLanguages(Engine->CurrentLanguage(),
                                                Engine->CurrentLanguageISO(), false)))
            continue;
        const QString name = QualifiedName(lexicon);
        DataLexicon.NewLexicon(name);
        for (int n = 0; n <= lexicon->MaxIndex(); ++n) {
            if (!lexicon->IsDefined(n) || lexicon->GetLocStr(n) != designed)
                continue;
            quint16 descent = DescentNone;
            DataLexicon.ReadItem(name, n, descent);
            const bool own = DataLexicon.IsIncluded(name, n) && isOwn(descent);
            if (own && !OverwritingAllowed)
                continue;
            if (own || !lexicon->GlobalLexicon()) {
                DataLexicon.WriteItem(name, n, translated, DescentOwn);
            } else {
                if (!OverwritingAllowed && ownGlobal())
                    continue;
                writeGlobal();
            }
            ++count;
        }
    }
    return count;
}

} // namespace wordmill
