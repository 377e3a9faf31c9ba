#include "text/FailureText.h"

#include <gtest/gtest.h>

namespace {

TEST(FailureText, AppendsAFullStopOnlyAfterCharactersAboveIt) {
  const std::pair<const wchar_t*, const wchar_t*> cases[] = {
      {L"", L""},
      {L"ビットマップイメージが不正です", L"ビットマップイメージが不正です."},
      {L"ファイル glyph.bmp は開けません", L"ファイル glyph.bmp は開けません."},
      {L"done.", L"done."},
      {L"path C:\\x\\", L"path C:\\x\\."},
      {L"ends in slash/", L"ends in slash/."},  // 0x2F, just above the dot
      {L"ends in minus-", L"ends in minus-"},
      {L"ends in space ", L"ends in space "},
      {L"line\r\n", L"line\r\n"},
      {L"0", L"0."},
      {L"。", L"。."},
  };
  for (const auto& [in, out] : cases) EXPECT_EQ(text::WithFinalDot(in), out) << in;
}

TEST(FailureText, SystemTextsLoseTheirTrailingBlanksAndDots) {
  const std::pair<const wchar_t*, const wchar_t*> cases[] = {
      {L"アクセスが拒否されました。\r\n", L"アクセスが拒否されました。"},
      {L"Access denied.. \t\r\n", L"Access denied"},
      {L"v1.0 fails", L"v1.0 fails"},
  };
  for (const auto& [in, out] : cases) EXPECT_EQ(text::WithoutTrailingBlanksAndDots(in), out) << in;
}

TEST(FailureText, FillsMarkersInOrder) {
  EXPECT_EQ(text::Format(L"%s に書き込めません", {L"C:\\Settings.ini"}), L"C:\\Settings.ini に書き込めません");
  EXPECT_EQ(text::Format(L"コード：%d.\r\n%s", {L"5", L"拒否"}), L"コード：5.\r\n拒否");
  EXPECT_EQ(text::Format(L"100%s", {}), L"100%s");
  EXPECT_EQ(text::Format(L"%s", {L"%d"}), L"%d");
}

}  // namespace
