#include "core/feedbackaddress.h"
#include "helpers/testsupport.h"

#include <gtest/gtest.h>

namespace pw {
namespace {

TEST(FeedbackAddressTest, FieldsArePercentEncoded)
{
    EXPECT_EQ(PercentEncode("Tom & Jerry #1?=/+%"), "Tom%20%26%20Jerry%20%231%3F%3D%2F%2B%25");
    EXPECT_EQ(PercentEncode("a-b_c.d~e"), "a-b_c.d~e");
    EXPECT_EQ(PercentEncode("é\n"), "%C3%A9%0A");
    EXPECT_EQ(BuildFeedbackAddress("http://127.0.0.1:8080", "Ann Lee", "ann@example.org", "A & B"),
              "http://127.0.0.1:8080/suggest/post.php?name=Ann%20Lee&age=ann%40example.org"
              "&comment=(Pagewick)A%20%26%20B");
}

TEST(FeedbackAddressTest, EndpointSetting)
{
    test::TempFolder folder;
    const std::string path = folder / kFeedbackFileName;
    const std::pair<const char*, const char*> cases[] = {
        {"[Feedback]\nEndpoint=http://127.0.0.1:8080\n", "http://127.0.0.1:8080"},
        {"; note\r\n[Other]\r\nEndpoint=http://wrong\r\n[Feedback]\r\n  Endpoint = https://fb.example.net/ \r\n",
         "https://fb.example.net"},
        {"[Feedback]\nEndpoint=ftp://host\n", ""},
        {"[Feedback]\nEndpoint=http://\n", ""},
        {"[Feedback]\nEndpoint=http://host/?x=1\n", ""},
        {"[Feedback]\nEndpoint=\n", ""},
        {"Endpoint=http://no.section\n", ""},
        {"", ""},
    };
    for (const auto& [bytes, expected] : cases) {
        test::WriteFile(path, bytes);
        EXPECT_EQ(ReadFeedbackEndpoint(path), expected) << bytes;
    }
    EXPECT_EQ(ReadFeedbackEndpoint(folder / "missing.ini"), "");
}

} // namespace
} // namespace pw
