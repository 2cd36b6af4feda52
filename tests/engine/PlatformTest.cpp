#include <gtest/gtest.h>
#include <ventrel/Platform.h>

#include <cctype>

#include "EngineFixture.h"

using namespace ventrel::platform;
using enginetest::LogLines;

TEST(PlatformTest, PercentEncodingRoundTrips) {
    EXPECT_EQ(percentEncode("a b&c=d?e#f%"), "a%20b%26c%3Dd%3Fe%23f%25");
    EXPECT_EQ(percentEncode("Ünï-._~"), "%C3%9Cn%C3%AF-._~");
    EXPECT_EQ(percentDecode(percentEncode("line\nbreak & more")), "line\nbreak & more");
    EXPECT_EQ(percentDecode("%zz%4"), "%zz%4") << "broken escapes stay as they are";
}

TEST(PlatformTest, MailUrlCannotGainFieldsFromItsText) {
    kit::String url = makeMailToUrl("cards@studio.test", "My & card", "x&bcc=evil@example.com\nSubject: y");
    EXPECT_EQ(url.rfind("mailto:cards@studio.test?subject=My%20%26%20card&body=", 0), 0u);
    EXPECT_EQ(url.find("&bcc="), kit::String::npos);
    EXPECT_EQ(url.find('\n'), kit::String::npos);
}

TEST(PlatformTest, HardwareIdIsEightHexDigitsOrTheFallback) {
    kit::String id = getUniqueHardwareId();
    if (id != "win32_unique_hardware_id") {
        ASSERT_EQ(id.size(), 8u);
        for (char c : id) {
            EXPECT_TRUE(std::isxdigit(static_cast<unsigned char>(c)) &&
                        !std::islower(static_cast<unsigned char>(c)));
        }
    }
    EXPECT_EQ(getUniqueHardwareId(), id);
}

TEST(PlatformTest, UpdateWarningComesOnce) {
    LogLines log;
    const kit::String warning = "Checking for updates it not supported on this platform!";
    EXPECT_EQ(getUpdateVersion(), "");
    EXPECT_EQ(log.count(warning), 1);
    checkForUpdates();
    EXPECT_EQ(log.count("Checking for available updates..."), 1);
    EXPECT_EQ(getUpdateVersion(), "");
    EXPECT_EQ(log.count(warning), 1);
}

TEST(PlatformTest, InitMarksThePlatform) {
    init();
    EXPECT_TRUE(isInitialized());
}
