// The editor's file-dialog filters and export file names.

#include "TestPrinters.h"

#include <wordmill/editor/FileFilters.h>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace wordmill;

namespace {

TEST(EditorFileFilters, ImportListsEveryKindFirst)
{
    EXPECT_EQ(BuildImportFilter(u"Language files"_s, u"Wordmill export/import"_s, u"Old|files"_s,
                                u"Text files"_s, u".LNG"_s),
              u"Language files (*.wlx;*.lng;*.txt)|*.wlx;*.lng;*.txt|"
              u"Wordmill export/import (*.wlx)|*.wlx|Language files (*.lng)|*.lng|"
              u"Old;files (*.lng)|*.lng|Text files (*.txt)|*.txt"_s);
    // Another extension adds the older one to the first entry.
    EXPECT_TRUE(BuildImportFilter(u"A"_s, u"B"_s, u"C"_s, u"D"_s, u".lang"_s)
                    .startsWith(u"A (*.wlx;*.lang;*.lng;*.txt)|"_s));
}

TEST(EditorFileFilters, PairsBecomeQtNameFilters)
{
    EXPECT_EQ(FileDialogFilters(LanguageFilesFilter(u"Language|files"_s, u".lng"_s)),
              QStringList{u"Language;files (*.lng)"_s});
    EXPECT_EQ(FileDialogFilters(ExportFilter(u"Export"_s, u"Text files"_s)),
              (QStringList{u"Export (*.wlx)"_s, u"Text files (*.txt)"_s}));
    EXPECT_EQ(FileDialogFilters(u"All (*.wlx;*.txt)|*.wlx;*.txt|Odd"_s),
              QStringList{u"All (*.wlx *.txt)"_s})
        << "patterns once, separated Qt's way; a lone title is dropped";
}

struct NameCase
{
    const char *name;
    QString fileName;
    int filter;
    QString expected;
    friend void PrintTo(const NameCase &c, std::ostream *os) { *os << c.name; }
};

class ExportNames : public testing::TestWithParam<NameCase>
{
};

TEST_P(ExportNames, GetTheFiltersExtensionUnlessTheyHaveOne)
{
    EXPECT_EQ(ExportFileName(GetParam().fileName, GetParam().filter), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Editor, ExportNames,
    testing::Values(NameCase{"NoExtensionLexicon", u"/d/de"_s, 1, u"/d/de.wlx"_s},
                    NameCase{"NoExtensionText", u"/d/de"_s, 2, u"/d/de.txt"_s},
                    NameCase{"OwnExtensionStays", u"/d/de.TXT"_s, 1, u"/d/de.TXT"_s},
                    NameCase{"AnyThreeLetterExtensionStays", u"/d/de.lng"_s, 2, u"/d/de.lng"_s},
                    NameCase{"ShortExtensionGetsOne", u"/d/de.x"_s, 1, u"/d/de.x.wlx"_s},
                    NameCase{"DotInFolderOnly", u"/d.x/de"_s, 2, u"/d.x/de.txt"_s}),
    [](const testing::TestParamInfo<NameCase> &info) { return info.param.name; });

} // namespace
