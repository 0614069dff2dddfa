// The help document beside the programs has a section for every help context
// the programs open, each listed in its contents, and each section fits the
// programs that open it.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "platform/core/Platform.h"
#include "shared/core/HelpContexts.h"
#include "support/TempDir.h"

namespace {

std::string HelpDocument() {
  return tavrel::testing::ReadFileBytes(tavrel::programFolder() + "tavrelhelp.htm");
}

TEST(HelpDocument, EveryHelpContextHasASectionInTheContents) {
  const std::string html = HelpDocument();
  ASSERT_FALSE(html.empty()) << "the build places tavrelhelp.htm beside the programs";
  // Every context the programs open is named in HelpContexts.h.
  for (int c : kAllHelpContexts) {
    const std::string id = "context-" + std::to_string(c);
    const auto section = html.find("id=\"" + id + "\"");
    EXPECT_NE(section, std::string::npos) << id;
    const auto link = html.find("href=\"#" + id + "\"");
    EXPECT_NE(link, std::string::npos) << id;
    EXPECT_LT(link, section) << id << " is listed before the sections";
  }
}

// What each program opens in the help document, and the commands of the
// other programs that it does not have.  Another program's name or
// data-file extension counts as such a word too.
struct Program {
  std::string name;
  std::string extension;
  std::vector<int> contexts;
  std::vector<std::string> lacks;
};

const std::vector<Program>& Programs() {
  static const std::vector<Program> programs = {
      {"Askery",
       ".aky",
       {kHelpOpenFile, kHelpContents, kHelpSaveQuestion, kHelpConfigFile, kHelpPicture, kHelpLink,
        kHelpWebExport, kHelpFileMenu, kHelpEditMenu, kHelpInsertMenu, kHelpManageMenu, kHelpReloadConfig,
        kHelpHelpMenu, kHelpReading, kHelpScoring, kHelpAskeryWindow, kHelpFindReplace, kHelpAskeryConfig,
        kHelpConfigSave, kHelpColours, kHelpOldVersion, kHelpTemplates, kHelpAbout},
       {"Manage Items", "View Exercise Outline", "Shuffle Items", "Manage Grid", "Change grid size",
        "Add Clues", "Reload config info from file"}},
      {"Pairo",
       ".pry",
       {kHelpOpenFile, kHelpContents, kHelpSaveQuestion, kHelpConfigFile, kHelpPicture, kHelpLink,
        kHelpWebExport, kHelpFileMenu, kHelpEditMenu, kHelpInsertMenu, kHelpManageMenu, kHelpReloadConfig,
        kHelpHelpMenu, kHelpReading, kHelpScoring, kHelpAskeryConfig, kHelpPairoConfigPages,
        kHelpPairoWindow, kHelpPairoConfig, kHelpOldVersion, kHelpTemplates, kHelpAbout},
       {"Manage Questions", "View Quiz Outline", "Clone Question", "Shuffle Order of Questions",
        "Manage Grid", "Change grid size", "Add Clues", "Reload config info from data file"}},
      {"Gridel",
       ".gdl",
       {kHelpOpenFile, kHelpContents, kHelpSaveQuestion, kHelpConfigFile, kHelpPicture, kHelpLink,
        kHelpWebExport, kHelpFileMenu, kHelpEditMenu, kHelpInsertMenu, kHelpReloadConfig, kHelpHelpMenu,
        kHelpScoring, kHelpGridelWindow, kHelpClues, kHelpGridelConfig, kHelpColours, kHelpOldVersion,
        kHelpTemplates, kHelpAbout},
       {"Manage Questions", "Manage Items", "View Quiz Outline", "View Exercise Outline",
        "Add Reading Text", "Append File", "Export for Printing", "Reload config info from data file"}},
  };
  return programs;
}

std::vector<std::string> WordsLackedBy(const Program& p) {
  std::vector<std::string> words = p.lacks;
  for (const Program& other : Programs()) {
    if (other.name == p.name) continue;
    words.push_back(other.name);
    words.push_back(other.extension);
  }
  return words;
}

bool Has(const Program& p, const std::string& word) {
  const auto lacked = WordsLackedBy(p);
  return std::find(lacked.begin(), lacked.end(), word) == lacked.end();
}

bool Names(const std::string& text, const Program& p) {
  return text.find(p.name) != std::string::npos || text.find(p.extension) != std::string::npos;
}

// Text as a reader sees it: tags dropped, entities of the document decoded,
// white space run together.
std::string Plain(const std::string& html) {
  std::string text;
  bool inTag = false;
  for (char ch : html) {
    if (ch == '<') inTag = true;
    else if (ch == '>') inTag = false;
    else if (!inTag) text += ch;
  }
  for (const auto& [entity, ch] : std::vector<std::pair<std::string, std::string>>{
           {"&lt;", "<"}, {"&gt;", ">"}, {"&quot;", "\""}, {"&amp;", "&"}}) {
    for (auto at = text.find(entity); at != std::string::npos; at = text.find(entity, at + ch.size()))
      text.replace(at, entity.size(), ch);
  }
  std::string out;
  for (char ch : text) {
    const bool blank = ch == ' ' || ch == '\n' || ch == '\r' || ch == '\t';
    if (blank && (out.empty() || out.back() == ' ')) continue;
    out += blank ? ' ' : ch;
  }
  return out;
}

// The section of a context: from its heading to the next section heading,
// cut into its paragraphs, list items, table rows and headings.
std::vector<std::string> SectionBlocks(const std::string& html, int context) {
  const auto start = html.find("<h2 id=\"context-" + std::to_string(context) + "\"");
  if (start == std::string::npos) return {};
  auto end = html.find("<h2", start + 1);
  if (end == std::string::npos) end = html.size();
  const std::string section = html.substr(start, end - start);
  std::vector<std::string> blocks;
  size_t from = 0;
  while (from < section.size()) {
    size_t next = std::string::npos;
    for (const char* opener : {"<p", "<li", "<tr", "<h3", "<dt", "<dd"}) {
      const auto at = section.find(opener, from + 1);
      if (at < next) next = at;
    }
    if (next == std::string::npos) next = section.size();
    blocks.push_back(Plain(section.substr(from, next - from)));
    from = next;
  }
  return blocks;
}

// A section speaks to every program that opens it: a command, program name or
// extension that one of them lacks appears only where the text says which of
// them it belongs to, and a section that names one of its programs names all.
TEST(HelpDocument, EachSectionFitsTheProgramsThatOpenIt) {
  const std::string html = HelpDocument();
  ASSERT_FALSE(html.empty());

  std::map<int, std::vector<const Program*>> openedBy;
  for (const Program& p : Programs())
    for (int c : p.contexts) openedBy[c].push_back(&p);
  std::set<int> all(std::begin(kAllHelpContexts), std::end(kAllHelpContexts));
  for (const auto& entry : openedBy) EXPECT_EQ(all.count(entry.first), 1u) << entry.first;
  for (int c : all) EXPECT_EQ(openedBy.count(c), 1u) << "which programs open context " << c << "?";

  for (const auto& [context, programs] : openedBy) {
    const std::vector<std::string> blocks = SectionBlocks(html, context);
    ASSERT_FALSE(blocks.empty()) << context;
    for (const Program* reader : programs) {
      for (const std::string& word : WordsLackedBy(*reader)) {
        for (const std::string& block : blocks) {
          if (block.find(word) == std::string::npos) continue;
          const bool owned = std::any_of(programs.begin(), programs.end(), [&](const Program* owner) {
            return owner != reader && Has(*owner, word) && Names(block, *owner);
          });
          EXPECT_TRUE(owned) << "context-" << context << " is opened by " << reader->name << ", which lacks \""
                             << word << "\": " << block;
        }
      }
    }
    if (programs.size() < 2) continue;
    std::string text;
    for (const std::string& block : blocks) text += block + "\n";
    const bool namesOne =
        std::any_of(programs.begin(), programs.end(), [&](const Program* p) { return Names(text, *p); });
    if (!namesOne) continue;
    for (const Program* p : programs)
      EXPECT_TRUE(Names(text, *p)) << "context-" << context << " names some of the programs that open it but not "
                                   << p->name;
  }
}

}  // namespace
