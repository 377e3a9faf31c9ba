#include "text/PageKey.h"

#include <gtest/gtest.h>

namespace {

TEST(PageKey, KeepsWhatTellsPagesApart) {
  const struct {
    const char* url;
    const char* key;
  } cases[] = {
      {"https://Example.com/", "https://example.com"},
      {"HTTPS://EXAMPLE.COM:443", "https://example.com"},
      {"https://example.com/A", "https://example.com/A"},
      {"http://a.example:80/x", "http://a.example/x"},
      {"http://a.example:0080", "http://a.example"},
      {"http://a.example:/x", "http://a.example/x"},
      {"ftp://a.example:21/", "ftp://a.example"},
      {"https://a.example:80/", "https://a.example:80"},
      {"http://a.example:80x/", "http://a.example:80x"},
      {"http://[::FFFF:1]:80/", "http://[::ffff:1]"},
      {"http://U:P@x@Host.example:80/P", "http://U:P@x@host.example/P"},
      {"https://a.example?X", "https://a.example?X"},
      {"https://a.example/?X", "https://a.example?X"},
      {"https://a.example/#F", "https://a.example#F"},
      {"https://a.example//", "https://a.example//"},
      {"http://A.example:80\\P", "http://a.example\\P"},
      {"Web+X://Host/", "web+x://host"},
      {"file:///C:/X/", "file:///C:/X/"},
      {"1http://A/", "1http://A/"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.url);
    EXPECT_EQ(text::PageKey(c.url), c.key);
  }
}

}  // namespace
