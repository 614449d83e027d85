#include <QCoreApplication>
#include <QLoggingCategory>
#include <QTemporaryDir>

#include <gtest/gtest.h>

int main(int argc, char **argv)
{
    // Every run starts with an empty cache folder of its own, so that the
    // compiled language caches of one run never meet another's.
    QTemporaryDir cacheHome;
    qputenv("XDG_CACHE_HOME", cacheHome.path().toLocal8Bit());
    QCoreApplication app(argc, argv);
    // The library's warnings about the broken files and folders the tests feed
    // it would bury the test output; LogCapture turns them on where a test
    // checks them, QT_LOGGING_RULES where a developer wants to see them.
    QLoggingCategory::setFilterRules(QStringLiteral("wordmill=false\nwordmill.*=false"));
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
