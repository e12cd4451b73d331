// Kavir.hlp: the help file the desktop program shows in its own viewer.
#include <gtest/gtest.h>

#include <string>

#include "shipped_data.h"

namespace kavir::data_test {
namespace {

bool IsUtf8(const std::string& s) {
  for (std::size_t i = 0; i < s.size();) {
    const auto c = static_cast<unsigned char>(s[i]);
    std::size_t extra = 0;
    if (c >= 0xF0 && c <= 0xF4) extra = 3;
    else if (c >= 0xE0) extra = 2;
    else if (c >= 0xC2) extra = 1;
    else if (c >= 0x80) return false;
    if (c > 0xF4 || i + extra >= s.size() + (extra == 0)) return false;
    for (std::size_t k = 1; k <= extra; ++k) {
      if ((static_cast<unsigned char>(s[i + k]) & 0xC0) != 0x80) return false;
    }
    i += extra + 1;
  }
  return true;
}

TEST(HelpFile, IsPlainUtf8HtmlThatSaysSo) {
  const std::string html = RawBytes(Files().HelpFile());
  ASSERT_FALSE(html.empty());
  EXPECT_TRUE(IsUtf8(html));
  EXPECT_NE(html.find("<meta charset=\"utf-8\">"), std::string::npos);
  EXPECT_NE(html.find("<html"), std::string::npos);
  EXPECT_NE(html.find("</html>"), std::string::npos);
  // the viewer runs no scripts and loads nothing from outside
  EXPECT_EQ(html.find("<script"), std::string::npos);
  EXPECT_EQ(html.find("http://"), std::string::npos);
  EXPECT_EQ(html.find("https://"), std::string::npos);
}

TEST(HelpFile, CoversWhatATechnicianNeeds) {
  const std::string html = RawBytes(Files().HelpFile());
  for (const char* topic : {"串口(&amp;K)", "串口配置", "dialout", "读出", "写入", "Enter", "Esc",
                            "双击", "6.25 kHz", "CH", "TX", "打开所有信道", "关闭所有信道", ".dat",
                            "键盘设置", "打印", "PDF", "Read.ini", "Write.ini", "KAVIR.ini",
                            "QTDQT.ini", "backups", "768", "WaitFor", "提示信息!"}) {
    EXPECT_NE(html.find(topic), std::string::npos) << topic;
  }
  // every model file it names is one that ships
  for (const auto& model : SettingList("Type")) {
    EXPECT_NE(html.find(model + ".ini"), std::string::npos) << model;
  }
}

// Every internal link points at an anchor that exists.
TEST(HelpFile, InternalLinksResolve) {
  const std::string html = RawBytes(Files().HelpFile());
  int links = 0;
  for (std::size_t pos = 0; (pos = html.find("href=\"#", pos)) != std::string::npos; ++pos) {
    const std::size_t start = pos + 7;
    const std::string anchor = html.substr(start, html.find('"', start) - start);
    EXPECT_NE(html.find("name=\"" + anchor + "\""), std::string::npos) << anchor;
    ++links;
  }
  EXPECT_GE(links, 10);
}

}  // namespace
}  // namespace kavir::data_test
