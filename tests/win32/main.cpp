// The Win32 backend's test program, run under Wine by scripts/wine-tests.sh.
// Besides GoogleTest's report it ends with the plain line "N passed, N failed".

#include "TestOptions.h"

#include <gtest/gtest.h>

#include <cstdio>

namespace {

class PlainSummary : public testing::EmptyTestEventListener
{
    void OnTestProgramEnd(const testing::UnitTest &unit) override
    {
        std::printf("%d passed, %d failed\n", unit.successful_test_count(),
                    unit.failed_test_count());
        std::fflush(stdout);
    }
};

} // namespace

int wmain(int argc, wchar_t **argv)
{
    testing::InitGoogleTest(&argc, argv);
    TestOptions::Parse(argc, argv);
    testing::UnitTest::GetInstance()->listeners().Append(new PlainSummary);
    return RUN_ALL_TESTS();
}
