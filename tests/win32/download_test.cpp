// DownloadToFile through urlmon against the loopback server that
// scripts/wine-tests.sh started (--server) and a port nobody listens on
// (--refused). The server's payload.bin holds --payload-size bytes, byte i
// being i % 251.

#include "TestOptions.h"
#include "Win32Download.h"
#include "Win32Failure.h"
#include "Win32Probes.h"
#include "Win32TestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace corvane::win32;

namespace {

bool IsPayload(const std::string &data)
{
    for (std::size_t i = 0; i < data.size(); ++i) {
        if (static_cast<unsigned char>(data[i]) != i % 251)
            return false;
    }
    return true;
}

enum class Source { Payload, MissingOnServer, RefusedConnection };

struct Case
{
    const char *name;
    Source source;
    bool cancelWhileReceiving;
    bool earlierCopy; // the target already holds an earlier download
};

// Failures name the row.
void PrintTo(const Case &c, std::ostream *out)
{
    *out << c.name;
}

class DownloadToFileTest : public testing::TestWithParam<Case>
{
protected:
    void SetUp() override
    {
        m_target = GetTempFolder() + L"corvane-" + Widened(GetParam().name) + L".bin";
        DeleteFileW(m_target.c_str());
    }
    void TearDown() override { DeleteFileW(m_target.c_str()); }

    std::wstring m_target;
};

TEST_P(DownloadToFileTest, LeavesACompleteFileOrNone)
{
    const Case &c = GetParam();
    const long long payloadSize = std::stoll(TestOptions::Text(L"payload-size", L"0"));
    ASSERT_GT(payloadSize, 0) << "the script names the payload's size";
    std::wstring url;
    switch (c.source) {
    case Source::Payload:
        url = TestOptions::Text(L"server") + L"/payload.bin";
        break;
    case Source::MissingOnServer:
        url = TestOptions::Text(L"server") + L"/no/such/installer.msi";
        break;
    case Source::RefusedConnection:
        url = TestOptions::Text(L"refused") + L"/payload.bin";
        break;
    }
    if (c.earlierCopy) {
        ASSERT_TRUE(WriteAll(m_target, "earlier copy"));
    }

    unsigned long lastProgress = 0;
    unsigned long largestMax = 0;
    int notifications = 0;
    bool cancelled = false;
    const ProgressHandler onProgress = [&](unsigned long progress, unsigned long max, unsigned long,
                                           const std::wstring &, bool &cancel) {
        ++notifications;
        lastProgress = progress;
        largestMax = std::max(largestMax, max);
        if (c.cancelWhileReceiving && progress > 0 && progress < max) {
            cancel = true;
            cancelled = true;
        }
    };

    const bool succeeds = c.source == Source::Payload && !c.cancelWhileReceiving;
    try {
        DownloadToFile(url, m_target, onProgress);
        EXPECT_TRUE(succeeds) << "the download reported success";
    } catch (const Failure &failure) {
        EXPECT_FALSE(succeeds) << "the download failed";
        EXPECT_EQ(failure.Kind(), L"Exception");
        EXPECT_EQ(failure.Message(), L"Error downloading URL: " + url);
    }

    EXPECT_FALSE(FileExists(m_target + L".download"))
        << "no partial file is left beside the target";
    if (succeeds) {
        EXPECT_EQ(largestMax, payloadSize) << "the announced size reaches the handler";
        EXPECT_EQ(lastProgress, payloadSize) << "progress reaches the announced size";
        const std::string data = ReadAll(m_target);
        EXPECT_EQ(static_cast<long long>(data.size()), payloadSize);
        EXPECT_TRUE(IsPayload(data)) << "the file holds what the server sent";
    } else if (c.earlierCopy) {
        const std::string data = ReadAll(m_target);
        EXPECT_TRUE(data == "earlier copy")
            << "a failed download leaves the earlier copy alone; the file holds " << data.size()
            << " bytes";
    } else {
        EXPECT_FALSE(FileExists(m_target)) << "nothing is left under the target's name";
    }
    if (c.cancelWhileReceiving) {
        EXPECT_TRUE(cancelled) << "a notification arrived while data was coming in";
    }
    if (c.source == Source::Payload) {
        EXPECT_GT(notifications, 0);
    }
}

const Case Cases[] = {
    {"complete_download", Source::Payload, false, false},
    {"replaces_an_earlier_copy", Source::Payload, false, true},
    {"missing_on_the_server", Source::MissingOnServer, false, false},
    {"refused_connection", Source::RefusedConnection, false, false},
    {"cancelled_from_the_progress_handler", Source::Payload, true, false},
    {"cancel_keeps_the_earlier_copy", Source::Payload, true, true},
    {"missing_file_keeps_the_earlier_copy", Source::MissingOnServer, false, true},
};

INSTANTIATE_TEST_SUITE_P(Download, DownloadToFileTest, testing::ValuesIn(Cases),
                         [](const auto &info) { return std::string(info.param.name); });

} // namespace
