#include <wordmill/sys/ClassTable.h>

#include <QBuffer>
#include <QFile>
#include <QTimer>

#include <gtest/gtest.h>

using namespace wordmill;

namespace {

constexpr TClassEntry Table[] = {
    {0, &QIODevice::staticMetaObject},
    {1, &QTimer::staticMetaObject},
    {1, &QFile::staticMetaObject},
};

TEST(ClassTable, MatchesKeyAndClassOrDescendant)
{
    QBuffer Buffer;
    QFile File;
    QTimer Timer;
    QObject Plain;
    EXPECT_TRUE(MatchesClassEntry(&Buffer, 0, Table)) << "QBuffer derives from QIODevice";
    EXPECT_TRUE(MatchesClassEntry(&File, 0, Table));
    EXPECT_FALSE(MatchesClassEntry(&Buffer, 1, Table)) << "key 1 lists no base of QBuffer";
    EXPECT_TRUE(MatchesClassEntry(&File, 1, Table)) << "a later row with the same key counts";
    EXPECT_TRUE(MatchesClassEntry(&Timer, 1, Table));
    EXPECT_FALSE(MatchesClassEntry(&Timer, 0, Table));
    EXPECT_FALSE(MatchesClassEntry(&Plain, 0, Table));
    EXPECT_FALSE(MatchesClassEntry(&Buffer, 2, Table));
    EXPECT_FALSE(MatchesClassEntry(nullptr, 0, Table));
    EXPECT_FALSE(MatchesClassEntry(&Buffer, 0, {}));
}

} // namespace
