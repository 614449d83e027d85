// The Authenticode check of downloaded installers. scripts/wine-tests.sh
// signs copies of the child program and of the package at test time with a
// certificate of its own (--signed-files names the folder). Wine checks that
// a signature is there and matches the file; it does not judge the signer's
// certificate, so a signer nobody trusts passes here.

#include "TestOptions.h"
#include "Win32Probes.h"
#include "Win32TestSupport.h"
#include "Win32Trust.h"

#include <gtest/gtest.h>

using namespace corvane::win32;

namespace {

struct Case
{
    const char *name;
    const wchar_t *file;   // in the folder of signed files; nullptr: no file at all
    const wchar_t *status; // empty: trusted
};

// Failures name the row.
void PrintTo(const Case &c, std::ostream *out)
{
    *out << c.name;
}

class AuthenticodeTest : public testing::TestWithParam<Case>
{
protected:
    void SetUp() override
    {
        const Case &c = GetParam();
        const std::wstring extension =
            c.file && std::wstring(c.file).ends_with(L".msi") ? L".msi" : L".exe";
        m_target = GetTempFolder() + L"corvane trust " + Widened(c.name) + extension;
        DeleteFileW(m_target.c_str());
        if (c.file) {
            const std::wstring source = TestOptions::Text(L"signed-files") + L"\\" + c.file;
            ASSERT_TRUE(CopyFileW(source.c_str(), m_target.c_str(), FALSE)) << "copy of " << c.file;
        }
    }
    void TearDown() override { DeleteFileW(m_target.c_str()); }

    std::wstring m_target;
};

TEST_P(AuthenticodeTest, AcceptsOnlyIntactSignedFiles)
{
    const Case &c = GetParam();
    const std::wstring status = c.status;
    const std::wstring problem = AuthenticodeProblem(m_target);
    if (status.empty()) {
        EXPECT_EQ(problem, L"");
    } else {
        EXPECT_TRUE(problem.ends_with(L" (" + status + L")")) << "the reason ends with " << status;
        EXPECT_GT(problem.size(), status.size() + 3) << "the reason is worded too";
    }
    if (c.file) {
        // The check let go of the file: a refused installer is deleted at once.
        EXPECT_TRUE(DeleteFileW(m_target.c_str())) << "error " << GetLastError();
    }
}

const Case Cases[] = {
    {"signed_program", L"signed.exe", L""},
    {"signed_package", L"signed.msi", L""},
    {"unsigned_program", L"unsigned.exe", L"0x800B0100"},
    {"unsigned_package", L"unsigned.msi", L"0x800B0100"},
    {"program_altered_after_signing", L"altered.exe", L"0x80096010"},
    {"no_file", nullptr, L"0x00000002"},
};

INSTANTIATE_TEST_SUITE_P(Authenticode, AuthenticodeTest, testing::ValuesIn(Cases),
                         [](const auto &info) { return std::string(info.param.name); });

} // namespace
