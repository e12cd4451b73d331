// The shipped data files: encoded as the radio family's files are, every list
// usable by the screen and the radio, every model file complete.
#include <algorithm>
#include <cctype>
#include <set>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "ini/gbk.h"
#include "setup/option_lists.h"
#include "setup/profile_file.h"
#include "setup/profile_keys.h"
#include "setup/program_data.h"
#include "support.h"

namespace kavir::test {
namespace {

namespace fs = std::filesystem;

TEST(ShippedFiles, AreGbkWithWindowsLineEnds) {
  int count = 0;
  for (const auto& e : fs::directory_iterator(KAVIR_DATA_DIR)) {
    if (e.path().extension() != ".ini") continue;
    SCOPED_TRACE(e.path().string());
    ++count;
    const std::string bytes = ReadBytes(e.path().string());
    ASSERT_GT(bytes.size(), 2u);
    EXPECT_TRUE(GbkToUtf8(bytes).has_value());
    EXPECT_EQ(IniDocument::Parse(bytes).encoding(), IniDocument::Encoding::Gbk) << "taken for UTF-8 or marked";
    EXPECT_EQ(bytes.find('\0'), std::string::npos);
    std::string lines = bytes;  // every line ends in CR LF
    for (std::size_t pos = 0; (pos = lines.find("\r\n", pos)) != std::string::npos;) lines.erase(pos, 2);
    EXPECT_EQ(lines.find_first_of("\r\n"), std::string::npos);
    EXPECT_EQ(bytes.substr(bytes.size() - 2), "\r\n");
  }
  EXPECT_GE(count, 5);
}

// Each drop-down list is a clean run 1..n of distinct texts that a load
// selects again.
TEST(SettingLists, AreCleanRunsThatALoadSelectsAgain) {
  ShippedScreen s;
  const IniDocument kavir = s.Kavir();
  for (const SettingBox& c : s.view->combos()) {
    SCOPED_TRACE(c.key);
    ASSERT_FALSE(c.options.empty());
    EXPECT_EQ(kavir.Keys(c.key).size(), c.options.size()) << "entries beyond the end of the list";
    std::set<std::string> seen(c.options.begin(), c.options.end());
    EXPECT_EQ(seen.size(), c.options.size());
    for (int i = 0; i < static_cast<int>(c.options.size()); ++i) {
      EXPECT_EQ(kavir.Find(c.key, std::to_string(i + 1)).value_or(""), c.options[i]) << "cut by the 19-byte read";
      EXPECT_EQ(ResolveChoice(c.options, {-1, c.options[i]}, {}).index, i) << c.options[i];
    }
  }
}

// Each model file is complete and found by the handshake.
TEST(ModelFiles, EachIsCompleteForTheModelItsNumberNames) {
  ShippedScreen s;
  const IniDocument kavir = s.Kavir();
  const auto types = s.Models();
  const auto modes = ReadOptionList(kavir, "Mode", kSettingListLimit);
  ASSERT_GE(types.size(), 3u);
  ASSERT_EQ(modes.size(), types.size());
  EXPECT_NE(std::find(types.begin(), types.end(), kavir.GetString("PreviousType", "1", "", 20)), types.end());
  for (std::size_t i = 0; i < types.size(); ++i) {
    SCOPED_TRACE(types[i]);
    std::string name = types[i];  // a file name on every system
    for (std::size_t pos; (pos = name.find("可定义")) != std::string::npos;) name.erase(pos, 9);
    ASSERT_FALSE(name.empty());
    for (char ch : name) EXPECT_TRUE(std::isalnum(static_cast<unsigned char>(ch))) << name;
    const IniDocument m = ReadIniFile(s.files.ModelFile(types[i]));
    EXPECT_EQ(m.Keys("Previous"), ProfileKeys());
    EXPECT_EQ(m.GetString("Previous", "Type", "", 20), types[i]);
    EXPECT_EQ(m.GetString("Previous", "Mode", "", 20), modes[i]);
    for (const char* key : {"FreqV", "FreqU"})  // three digits
      EXPECT_EQ(std::to_string(std::clamp(m.GetInt("Previous", key, 0), 100, 999)),
                m.GetString("Previous", key, "", 20));
    // A radio naming model i + 1 is read as this model, with this band.
    const ProgramData data = ProgramData::Load(s.files);
    const kavir::Setup answered = ModelRecord(static_cast<int>(i) + 1, data);
    EXPECT_EQ(answered.model(), types[i]);
    EXPECT_TRUE(HasBand(answered));
  }
}

TEST(HelpFile, IsSelfContainedUtf8HtmlWhoseLinksResolve) {
  ShippedDir d;
  const std::string html = ReadBytes(d.files.HelpFile());
  ASSERT_FALSE(html.empty());
  EXPECT_TRUE(Utf8ToGbk(html).has_value()) << "not UTF-8";
  EXPECT_NE(html.find("<meta charset=\"utf-8\">"), std::string::npos);
  for (const char* outside : {"<script", "http://", "https://"}) EXPECT_EQ(html.find(outside), std::string::npos);
  int links = 0;
  for (std::size_t pos = 0; (pos = html.find("href=\"#", pos)) != std::string::npos; ++pos, ++links) {
    const std::size_t start = pos + 7;
    const std::string anchor = html.substr(start, html.find('"', start) - start);
    EXPECT_NE(html.find("name=\"" + anchor + "\""), std::string::npos) << anchor;
  }
  EXPECT_GE(links, 10);
}

// The help's outline: each section's anchor with the number of its
// subsections, in order, and the anchors its contents list links to.
struct HelpOutline {
  std::vector<std::string> sections, contents;
};

HelpOutline OutlineOf(const std::string& html) {
  HelpOutline out;
  for (std::size_t pos = 0; (pos = html.find("<h", pos)) != std::string::npos; ++pos) {
    const char level = html[pos + 2];
    if (level == '2') {
      const std::size_t name = html.find("name=\"", pos);
      const std::size_t end = html.find("</h2>", pos);
      out.sections.push_back(name < end ? html.substr(name + 6, html.find('"', name + 6) - name - 6) : "?");
    } else if (level == '3' && !out.sections.empty()) {
      out.sections.back() += "+";
    }
  }
  const std::size_t toc_end = html.find("</ol>");
  for (std::size_t pos = 0; (pos = html.find("href=\"#", pos)) != std::string::npos && pos < toc_end; ++pos)
    out.contents.push_back(html.substr(pos + 7, html.find('"', pos + 7) - pos - 7));
  return out;
}

// One help per language with the same sections and subsections, each listed
// in the contents.
TEST(HelpFile, BothLanguagesHaveTheSameSections) {
  const std::string zh = ReadBytes(std::string(KAVIR_DATA_DIR) + "/Kavir.hlp");
  const std::string en = ReadBytes(std::string(KAVIR_DATA_DIR) + "/Kavir_en.hlp");
  const HelpOutline zh_outline = OutlineOf(zh), en_outline = OutlineOf(en);
  EXPECT_GE(zh_outline.sections.size(), 13u);
  EXPECT_EQ(zh_outline.sections, en_outline.sections);
  for (const HelpOutline* o : {&zh_outline, &en_outline}) {
    std::vector<std::string> bare;
    for (std::string s : o->sections) bare.push_back(s.substr(0, s.find('+')));
    EXPECT_EQ(o->contents, bare);
  }
}

// No menu's accelerator marks ("工具(&T)") in the text.
TEST(HelpFile, HoldsNoAcceleratorMarks) {
  const std::string zh = ReadBytes(std::string(KAVIR_DATA_DIR) + "/Kavir.hlp");
  const std::string en = ReadBytes(std::string(KAVIR_DATA_DIR) + "/Kavir_en.hlp");
  for (const std::string* html : {&zh, &en})
    for (const char* mark : {"(&amp;", "(&"}) EXPECT_EQ(html->find(mark), std::string::npos) << mark;
}

}  // namespace
}  // namespace kavir::test
