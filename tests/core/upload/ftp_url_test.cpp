#include "upload/ftp_url.h"

#include <gtest/gtest.h>

namespace folix {
namespace {

TEST(FtpUrl, BareHostIsReadAsFtpAndAPortIsKept) {
    auto url = ParseFtpUrl("ftp.example.com");
    ASSERT_TRUE(url);
    EXPECT_EQ(url->endpoint.protocol, FtpProtocol::kFtp);
    EXPECT_EQ(url->endpoint.host, "ftp.example.com");
    EXPECT_EQ(url->endpoint.port, 0);

    url = ParseFtpUrl("127.0.0.1:2121");
    ASSERT_TRUE(url);
    EXPECT_EQ(url->endpoint.host, "127.0.0.1");
    EXPECT_EQ(url->endpoint.port, 2121);

    url = ParseFtpUrl("example.com:2121/www/docs");
    ASSERT_TRUE(url);
    EXPECT_EQ(url->endpoint.port, 2121);
    EXPECT_EQ(url->path, "/www/docs");
}

TEST(FtpUrl, PathIsDecodedAndEachSchemeIsKnown) {
    auto url = ParseFtpUrl("ftp://example.com/www/%E6%97%A5%E8%A8%98%20a");
    ASSERT_TRUE(url);
    EXPECT_EQ(url->path, "/www/日記 a");

    url = ParseFtpUrl("ftps://example.com:2990/");
    ASSERT_TRUE(url);
    EXPECT_EQ(url->endpoint.protocol, FtpProtocol::kFtps);
    EXPECT_EQ(url->endpoint.port, 2990);

    url = ParseFtpUrl("sftp://example.com/home/me");
    ASSERT_TRUE(url);
    EXPECT_EQ(url->endpoint.protocol, FtpProtocol::kSftp);
    EXPECT_EQ(url->path, "/home/me");
}

TEST(FtpUrl, OtherSchemesAndTextWithoutHostAreRefused) {
    EXPECT_FALSE(ParseFtpUrl(""));
    EXPECT_FALSE(ParseFtpUrl("http://example.com/"));
    EXPECT_FALSE(ParseFtpUrl("file:///etc/hosts"));
    EXPECT_FALSE(ParseFtpUrl("ftp://"));
    EXPECT_FALSE(ParseFtpUrl("exa mple.com"));
    EXPECT_FALSE(ParseFtpUrl("example.com:99999"));
}

}  // namespace
}  // namespace folix
