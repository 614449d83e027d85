#include "ISO639.h"

#include <wordmill/sys/TextHelpers.h>

#include <iterator>

namespace wordmill {

namespace {

// Ordered by English name, not by code; a lookup by code takes the first
// matching entry ("ny" is Chewa before Nyanja).
constexpr QStringView Entries[] = {
    u"ab - Abkhazian",
    u"aa - Afar",
    u"af - Afrikaans",
    u"ak - Akan",
    u"sq - Albanian",
    u"am - Amharic",
    u"ar - Arabic",
    u"an - Aragonese",
    u"hy - Armenian",
    u"as - Assamese",
    u"av - Avaric",
    u"ae - Avestan",
    u"ay - Aymara",
    u"az - Azerbaijani",
    u"bm - Bambara",
    u"ba - Bashkir",
    u"eu - Basque",
    u"be - Belarusian",
    u"bn - Bengali",
    u"bh - Bihari languages",
    u"bi - Bislama",
    u"bs - Bosnian",
    u"br - Breton",
    u"bg - Bulgarian",
    u"my - Burmese",
    u"ca - Catalan",
    u"km - Central Khmer",
    u"ch - Chamorro",
    u"ce - Chechen",
    u"ny - Chewa",
    u"zh - Chinese",
    u"cu - Church Slavic",
    u"cv - Chuvash",
    u"kw - Cornish",
    u"co - Corsican",
    u"cr - Cree",
    u"hr - Croatian",
    u"cs - Czech",
    u"da - Danish",
    u"dv - Dhivehi",
    u"nl - Dutch",
    u"dz - Dzongkha",
    u"en - English",
    u"eo - Esperanto",
    u"et - Estonian",
    u"ee - Ewe",
    u"fo - Faroese",
    u"fj - Fijian",
    u"fi - Finnish",
    u"fr - French",
    u"ff - Fulah",
    u"gl - Galician",
    u"lg - Ganda",
    u"gd - Gaelic",
    u"ka - Georgian",
    u"de - German",
    u"el - Greek",
    u"gn - Guarani",
    u"gu - Gujarati",
    u"ht - Haitian",
    u"ha - Hausa",
    u"he - Hebrew",
    u"hz - Herero",
    u"hi - Hindi",
    u"ho - Hiri Motu",
    u"hu - Hungarian",
    u"is - Icelandic",
    u"io - Ido",
    u"ig - Igbo",
    u"id - Indonesian",
    u"ia - Interlingua",
    u"ie - Interlingue",
    u"iu - Inuktitut",
    u"ik - Inupiaq",
    u"ga - Irish",
    u"it - Italian",
    u"ja - Japanese",
    u"jv - Javanese",
    u"kl - Kalaallisut",
    u"kn - Kannada",
    u"kr - Kanuri",
    u"ks - Kashmiri",
    u"kk - Kazakh",
    u"ki - Kikuyu",
    u"rw - Kinyarwanda",
    u"ky - Kirghiz",
    u"kv - Komi",
    u"kg - Kongo",
    u"ko - Korean",
    u"kj - Kuanyama",
    u"ku - Kurdish",
    u"lo - Lao",
    u"la - latin",
    u"lv - Latvian",
    u"li - Limburgish",
    u"ln - Lingala",
    u"lt - Lithuanian",
    u"lu - Luba-Katanga",
    u"lb - Luxembourgish",
    u"mk - Macedonian",
    u"mg - Malagasy",
    u"ms - Malay",
    u"ml - Malayalam",
    u"mt - Maltese",
    u"gv - Manx",
    u"mi - Maori",
    u"mr - Marathi",
    u"mh - Marshallese",
    u"mn - Mongolian",
    u"na - Nauru",
    u"nv - Navaho",
    u"nd - Ndebele, North",
    u"nr - Ndebele, South",
    u"ng - Ndonga",
    u"ne - Nepali",
    u"se - Northern Sami",
    u"no - Norwegian",
    u"nb - Norwegian Bokmål",
    u"nn - Norwegian Nynorsk",
    u"ny - Nyanja",
    u"oc - Occitan",
    u"oj - Ojibwa",
    u"or - Oriya",
    u"om - Oromo",
    u"os - Ossetian",
    u"pi - Pali",
    u"pa - Panjabi",
    u"ps - Pashto",
    u"fa - Persian",
    u"pl - Polish",
    u"pt - Portuguese",
    u"qu - Quechua",
    u"ro - Romanian, Moldavian",
    u"rm - Romansh",
    u"rn - Rundi",
    u"ru - Russian",
    u"sm - Samoan",
    u"sg - Sango",
    u"sa - Sanskrit",
    u"sc - Sardinian",
    u"sr - Serbian",
    u"sh - Serbo-Croatian",
    u"sn - Shona",
    u"ii - Sichuan Yi",
    u"sd - Sindhi",
    u"si - Sinhala",
    u"sk - Slovak",
    u"sl - Slovenian",
    u"so - Somali",
    u"st - Southern Sotho",
    u"es - Spanish",
    u"su - Sundanese",
    u"sw - Swahili",
    u"ss - Swati",
    u"sv - Swedish",
    u"tl - Tagalog",
    u"ty - Tahitian",
    u"tg - Tajik",
    u"ta - Tamil",
    u"tt - Tatar",
    u"te - Telugu",
    u"th - Thai",
    u"bo - Tibetan",
    u"ti - Tigrinya",
    u"to - Tonga",
    u"ts - Tsonga",
    u"tn - Tswana",
    u"tr - Turkish",
    u"tk - Turkmen",
    u"tw - Twi",
    u"ug - Uighur",
    u"uk - Ukrainian",
    u"ur - Urdu",
    u"uz - Uzbek",
    u"ve - Venda",
    u"vi - Vietnamese",
    u"vo - Volapük",
    u"wa - Walloon",
    u"cy - Welsh",
    u"fy - Western Frisian",
    u"wo - Wolof",
    u"xh - Xhosa",
    u"yi - Yiddish",
    u"yo - Yoruba",
    u"za - Zhuang",
    u"zu - Zulu",
};

static_assert(std::size(Entries) == 186);

} // namespace

const QStringList &ISO639Entries()
{
    static const QStringList List = [] {
        QStringList Result;
        Result.reserve(std::size(Entries));
        for (QStringView Entry : Entries)
            Result.append(Entry.toString());
        return Result;
    }();
    return List;
}

QString NameOfEntry(const QString &Entry)
{
    const qsizetype Dash = Entry.indexOf(u'-');
    if (Dash < 1 || Dash == Entry.size() - 1)
        return QString();
    return TrimText(Entry.mid(Dash + 1));
}

QString NameForCode(const QString &Code)
{
    const QString Key = AsciiLowerCase(TrimText(Code));
    if (Key.size() != 2)
        return QString();
    for (QStringView Entry : Entries) {
        if (Entry.startsWith(Key))
            return NameOfEntry(Entry.toString());
    }
    return QString();
}

} // namespace wordmill
