// The three text tables and the progress statistics texts.

#include "download/progress_statistics.h"
#include "download/status_texts.h"

#include <gtest/gtest.h>

namespace {

TEST(StatusTexts, ResponseCodes) {
    EXPECT_EQ(ResponseCodeToStr(200), "OK");
    EXPECT_EQ(ResponseCodeToStr(302), "Moved Temporarily");
    EXPECT_EQ(ResponseCodeToStr(406), "None Acceptable");
    EXPECT_EQ(ResponseCodeToStr(505), "HTTP Version Not Supported");
    for (const int unknown : {0, 306, 307, 418, -1, 999}) EXPECT_EQ(ResponseCodeToStr(unknown), "Unknown Response") << unknown;
}

TEST(StatusTexts, BindStatuses) {
    EXPECT_EQ(BindStatusToStr(1), "Finding resource...");
    EXPECT_EQ(BindStatusToStr(5), "Downloading data...");
    EXPECT_EQ(BindStatusToStr(12), "CLSID available...");
    EXPECT_EQ(BindStatusToStr(14), "Cache file name available...");
    EXPECT_EQ(BindStatusToStr(0), "Bindstatus Unknown");
    EXPECT_EQ(BindStatusToStr(15), "Bindstatus Unknown");
    EXPECT_EQ(BindStatusToStr(0xFFFFFFFFu), "Bindstatus Unknown");
}

TEST(StatusTexts, ResultCodes) {
    EXPECT_EQ(HResultToStr(0), "Download complete...");
    EXPECT_EQ(HResultToStr(hresult(0x80004004u)), "Cancelled ...");
    EXPECT_EQ(HResultToStr(-2147467260), "Cancelled ...");
    EXPECT_EQ(HResultToStr(hresult(0x800C000Bu)), "The Internet connection has timed out.");
    EXPECT_EQ(HResultToStr(hresult(0x800C0016u)), "The requested resource could not be locked.");
    EXPECT_EQ(HResultToStr(hresult(0x800401E7u)),
              "An intermediate object was found but it did not support an interface required for an operation. "
              "For example, an item moniker returns this value if its container does not support the "
              "IOleItemContainer interface.");
    EXPECT_EQ(HResultToStr(1), "Error: 1");
    EXPECT_EQ(HResultToStr(hresult(0x800C0012u)), "Error: -2146697198");
    // A handler that raised an error: the one failure only the program itself causes.
    EXPECT_EQ(HResultToStr(E_FAIL), "The download failed: the program could not handle its data.");
}

TEST(ProgressStatistics, SpeedIsCutTwoPlacesBehindThePoint) {
    using std::chrono::milliseconds;
    const ProgressTexts even = progress_statistics(250000, 1000000, milliseconds(5000));
    EXPECT_EQ(even.Speed, "50 kb/sec");
    EXPECT_EQ(even.ElapsedTime, "00:00:05");
    EXPECT_EQ(even.EstimatedTime, "00:00:15");
    EXPECT_EQ(progress_statistics(262144, 0, milliseconds(5000)).Speed, "52.42 kb/sec");
    EXPECT_EQ(progress_statistics(262144, 0, milliseconds(5000)).EstimatedTime, "");
    EXPECT_EQ(progress_statistics(1500, 0, milliseconds(1000)).Speed, "1.5 kb/sec");

    // Nothing measurable yet: no speed, no estimate.
    const ProgressTexts instant = progress_statistics(100, 200, milliseconds(0));
    EXPECT_EQ(instant.ElapsedTime, "00:00:00");
    EXPECT_EQ(instant.Speed, "");
    EXPECT_EQ(instant.EstimatedTime, "");
}

TEST(ProgressStatistics, TimesWrapAtWholeDays) {
    EXPECT_EQ(long_time_text(3723.9), "01:02:03");
    EXPECT_EQ(long_time_text(86400 + 61), "00:01:01");
    // More received than announced: the remainder wraps as an unsigned 32-bit number.
    EXPECT_EQ(progress_statistics(2000, 1000, std::chrono::milliseconds(1000)).EstimatedTime,
              long_time_text((4294967296.0 - 1000.0) / 2000.0));
}

}  // namespace
