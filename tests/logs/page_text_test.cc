#include "logs/page_text.h"

#include <gtest/gtest.h>

#include <string>

namespace velmora {
namespace {

TEST(PageText, AnAnswerIsDescribedByItsTitleElseItsFirstText) {
  const std::string sixty_four(64, 'x');
  struct Case {
    PageAnswer answer;
    std::string title, final_url, host;
  };
  PageAnswer too_large{"", 200, "text/html", "answer larger than 16 MB", "", true};
  const Case cases[] = {
      {{"<HTML><Title>\r\n Sign  <b>in</b> </Title>", 200, "", "", "https://login.example/a?b", false},
       "Sign in", "https://login.example/a?b", "login.example"},
      {{"<html><style>p {}</style><body><p>Caf\xC3\xA9 \r\n" + sixty_four + "</p>", 403, "", "", "", false},
       "Caf\xC3\xA9 " + sixty_four.substr(0, 55), "http://127.0.0.1:80/x?PID=AB1234",
       "127.0.0.1:80"},
      {too_large, "answer larger than 16 MB", "http://127.0.0.1:80/x?PID=AB1234", "127.0.0.1:80"}};
  for (const Case& c : cases) {
    const ForeignAnswer seen = DescribeAnswer(c.answer, "http://127.0.0.1:80/x?PID=AB1234");
    EXPECT_EQ(seen.status, c.answer.status);
    EXPECT_EQ(seen.title, c.title);
    EXPECT_EQ(seen.final_url, c.final_url);
    EXPECT_EQ(seen.host, c.host);
  }
}

}  // namespace
}  // namespace velmora
