#include "FormLexiconTables.h"

using namespace Qt::StringLiterals;

namespace wordmill {
const TInternalLangDefs &EnglishDefs()
{
    static const TInternalLangDefs defs = {
        u"English"_s,
        u"en"_s,
        u"Language Editor"_s, // 0
        u"> Add <"_s, // 1
        u"> Edit <"_s, // 2
        u"Choose source language"_s, // 3
        u"Language"_s, // 4
        u"Source language"_s, // 5
        u"Source string"_s, // 6
        u"Property / Item"_s, // 7
        u"Translation"_s, // 8
        u""_s, // 9
        u"Group"_s, // 10
        u"Object"_s, // 11
        u"Create new language"_s, // 12
        u""_s, // 13
        u"Group of language data"_s, // 14
        u"Back - to untranslated object + Shift"_s, // 15
        u"Next - untranslated object + Shift"_s, // 16
        u"Read error from language file"_s, // 17
        u"New language name"_s, // 18
        u"already exists! Enter another name."_s, // 19
        u"Language files"_s, // 20
        u"New language file name"_s, // 21
        u"Saving of language file fail!"_s, // 22
        u"Not found any untranslated object."_s, // 23
        u"Close without saving changes?"_s, // 24
        u"Click for change flag. Right button for remove."_s, // 25
        u"Import language flag"_s, // 26
        u"Do you really want to remove flag?"_s, // 27
        u"Save"_s, // 28
        u"Wrong path to language files!"_s, // 29
        u"Toggle item status (Click or Ctrl + Left Arrow)"_s, // 30
        u"Internal language"_s, // 31
        u"Source translation"_s, // 32
        u"Global source translation"_s, // 33
        u"Translated"_s, // 34
        u"Global translation"_s, // 35
        u"Cancel translation"_s, // 36
        u"Restored translation"_s, // 37
        u"Keep source translation"_s, // 38
        u"Invalid translation"_s, // 39
        u"Export language"_s, // 40
        u"Wordmill export/import"_s, // 41
        u"The design language of the application can not be exported"_s, // 42
        u"Select the file to import"_s, // 43
        u"This file can not be imported"_s, // 44
        u"Import"_s, // 45
        u"FireMonkey Lang Files"_s, // 46
        u"Text files"_s, // 47
        u"Global translation removed"_s, // 48
        u"%s items has been imported"_s, // 49
    };
    return defs;
}

const TInternalLangDefs &CzechDefs()
{
    static const TInternalLangDefs defs = {
        u"Čeština"_s,
        u"cs"_s,
        u"Editor jazyků"_s, // 0
        u"> Přidat jazyk <"_s, // 1
        u"> Upravit jazyk <"_s, // 2
        u"Zvolte referenční jazyk"_s, // 3
        u"Jazyk"_s, // 4
        u"Referenční jazyk"_s, // 5
        u"Referenční řetězec"_s, // 6
        u"Položka"_s, // 7
        u"Překlad"_s, // 8
        u""_s, // 9
        u"Skupina"_s, // 10
        u"Objekt"_s, // 11
        u"Založit nový jazyk pod uvedeným názvem"_s, // 12
        u""_s, // 13
        u"Skupina jazykových dat"_s, // 14
        u"Zpět - na nepřeložený objekt + Shift"_s, // 15
        u"Další - nepřeložený objekt + Shift"_s, // 16
        u"Chyba při načítání jazyka. Jazykový soubor nelze načíst."_s, // 17
        u"Název nového jazyka"_s, // 18
        u"již v programu existuje! Zvolte jiný název."_s, // 19
        u"Jazykové soubory"_s, // 20
        u"Soubor nového jazyka"_s, // 21
        u"Chyba při ukládání jazykového souboru!"_s, // 22
        u"Nebyl nalezen žádný nepřeložený objekt."_s, // 23
        u"Opravdu chcete odejít bez uložení změn?"_s, // 24
        u"Klikněte pro změnu vlajky. Pravým tlačítkem odebrat."_s, // 25
        u"Import vlajky jazyka"_s, // 26
        u"Opravdu chcete vymazat vlajku jazyka?"_s, // 27
        u"Uložit"_s, // 28
        u"Chybná cesta k jazykovým souborům!"_s, // 29
        u"Přepnout stav položky (Klik nebo Ctrl+Šipka vlevo)"_s, // 30
        u"Vnitřní jazyk návrhu"_s, // 31
        u"Zdrojový překlad"_s, // 32
        u"Globální zdrojový překlad"_s, // 33
        u"Přeloženo"_s, // 34
        u"Globální překlad"_s, // 35
        u"Zrušení překladu"_s, // 36
        u"Obnovený překlad"_s, // 37
        u"Ponechat zdrojový překlad"_s, // 38
        u"Neplatný překlad"_s, // 39
        u"Export jazyka"_s, // 40
        u"Wordmill export/import"_s, // 41
        u"Výchozí jazyk aplikace nemůže být exportován"_s, // 42
        u"Vyberte soubor k importu"_s, // 43
        u"Tento soubor nelze importovat"_s, // 44
        u"Import"_s, // 45
        u"Jazykové soubory FireMonkey"_s, // 46
        u"Textové soubory"_s, // 47
        u"Odstraněn globální překlad"_s, // 48
        u"Importováno %s položek"_s, // 49
    };
    return defs;
}

const TInternalLangDefs &SlovakDefs()
{
    static const TInternalLangDefs defs = {
        u"Slovenčina"_s,
        u"sk"_s,
        u"Editor jazykov"_s, // 0
        u"> Pridať jazyk <"_s, // 1
        u"> Opraviť jazyk <"_s, // 2
        u"Vyberte referenčný jazyk"_s, // 3
        u"Jazyk"_s, // 4
        u"Referenčný jazyk"_s, // 5
        u"Referenčný reťazec"_s, // 6
        u"Položka"_s, // 7
        u"Preklad"_s, // 8
        u""_s, // 9
        u"Skupina"_s, // 10
        u"Objekt"_s, // 11
        u"Založiť nový jazyk s uvedeným názvom"_s, // 12
        u""_s, // 13
        u"Skupina jazykových dát"_s, // 14
        u"Späť - na nepreložený objekt + Shift"_s, // 15
        u"Ďalej - na nepreložený objekt + Shift"_s, // 16
        u"Chyba pri načítání jazykového súboru"_s, // 17
        u"Názov nového jazyka"_s, // 18
        u"už v programe existuje! Zvoľte iný názov."_s, // 19
        u"Jazykové súbory"_s, // 20
        u"Súbor nového jazyka"_s, // 21
        u"Chyba pri zápise do jazykového súboru!"_s, // 22
        u"Nebol nájdený nepreložený objekt."_s, // 23
        u"Naozaj chcete odísť bez uloženia zmien?"_s, // 24
        u"Kliknite pre zmenu vlajky. Pravým tlačítkom zrušiť."_s, // 25
        u"Import vlajky jazyka"_s, // 26
        u"Skutočne chcete vymazať vlajku jazyka?"_s, // 27
        u"Uložiť"_s, // 28
        u"Chybná cesta k jazykovým súborom!"_s, // 29
        u"Prepnúť stav položky (Klik alebo Ctrl + šípka vľavo)"_s, // 30
        u"Vnútorný jazyk návrhu"_s, // 31
        u"Zdrojový preklad"_s, // 32
        u"Globálny zdrojový preklad"_s, // 33
        u"Preložené"_s, // 34
        u"Globálny preklad"_s, // 35
        u"Zrušenie prekladu"_s, // 36
        u"Obnovený preklad"_s, // 37
        u"Zachovať zdrojový preklad"_s, // 38
        u"Neplatný preklad"_s, // 39
        u"Export jazyka"_s, // 40
        u"Wordmill export/import"_s, // 41
        u"Východzí jazyk programu nie je možné exportovať"_s, // 42
        u"Vyberte súbor pre import"_s, // 43
        u"Tento súbor sa nedá importovať"_s, // 44
        u"Import"_s, // 45
        u"Jazykové súbory FireMonkey"_s, // 46
        u"Textové súbory"_s, // 47
        u"Odstránený globálny preklad"_s, // 48
        u"Importovaných %s položiek"_s, // 49
    };
    return defs;
}

const TInternalLangDefs &ItalianDefs()
{
    static const TInternalLangDefs defs = {
        u"Italiano"_s,
        u"it"_s,
        u"Editor di lingue"_s, // 0
        u"> Aggiungere lingua <"_s, // 1
        u"> Modificare lingua <"_s, // 2
        u"Scegliere lingua di riferimento"_s, // 3
        u"Lingua"_s, // 4
        u"Lingua di riferimento"_s, // 5
        u"Catena di riferimento"_s, // 6
        u"Voce"_s, // 7
        u"Traduzione"_s, // 8
        u""_s, // 9
        u"Gruppo"_s, // 10
        u"Oggetto"_s, // 11
        u"Creare nuova lingua sotto il seguente nome"_s, // 12
        u""_s, // 13
        u"Gruppo dei dati linguistici"_s, // 14
        u"Indietro -  sull'oggetto non tradotto + Shift"_s, // 15
        u"Prossimo - oggetto non tradotto + Shift"_s, // 16
        u"Errore durante caricamento. File di lingua impossibile da caricare"_s, // 17
        u"Nome della nuova lingua"_s, // 18
        u"già esistente nel programma. Scegliere nuovo nome."_s, // 19
        u"File lingue"_s, // 20
        u"File nuova lingua"_s, // 21
        u"Errore durante il salvataggio del file lingua."_s, // 22
        u"Non è stato trovato alcun oggetto non tradotto."_s, // 23
        u"Sicuro di uscire senza salvare?"_s, // 24
        u"Cliccare per cambiare la bandiera. Togliere con pulsante destro."_s, // 25
        u"Import bandiera della lingua"_s, // 26
        u"Sicuro di cancellare la bandiera della lingua?"_s, // 27
        u"Salvare"_s, // 28
        u"Percorso errato ai file di lingue."_s, // 29
        u"Cambire lo stato della voce. (Click oppure Ctrl+Freccia sinistra)"_s, // 30
        u"Lingua originale della proposta"_s, // 31
        u"Traduzione di riferimento"_s, // 32
        u"Traduzione di riferimento globale"_s, // 33
        u"Tradotto"_s, // 34
        u"Traduzione globale"_s, // 35
        u"Cancellazione della traduzione"_s, // 36
        u"Traduzione rinnovata"_s, // 37
        u"Mantenere la traduzione di riferimento"_s, // 38
        u"Traduzione non valida"_s, // 39
        u"Export di lingua"_s, // 40
        u"Wordmill export/import"_s, // 41
        u"Lingua originale dell'applicazione non può essere esportata"_s, // 42
        u"Scegli file destinato all'import"_s, // 43
        u"Impossibile importare questo file"_s, // 44
        u"Import"_s, // 45
        u"File linguistici FireMonkey"_s, // 46
        u"File di testo"_s, // 47
        u"Traduzione globale rimosso"_s, // 48
        u"%s voci sono stati importati"_s, // 49
    };
    return defs;
}

} // namespace wordmill
