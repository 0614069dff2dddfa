// Every page kind, exported from the supplied templates with a hostile text
// in every place a teacher's text lands, and read back as a browser reads
// it: the whole page as a document, and each script string that a page
// script puts into an element as a fragment in that element.  Read beside
// the same export with a plain word in those places, the page around the
// texts is the same tree (nothing a text holds closed or left its place);
// every id and name of a text is the teacher's own, none is one of the
// page's, and none names a property of the document.
#include <gtest/gtest.h>
#include <gumbo.h>

#include <cctype>
#include <cstring>
#include <fstream>
#include <functional>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "askery/core/QuizExport.h"
#include "gridel/core/CrosswordExport.h"
#include "gridel/core/LetterGrid.h"
#include "pairo/core/MatchExport.h"
#include "platform/core/TextCodec.h"
#include "shared/core/ConfigDocument.h"
#include "shared/core/ReadingPage.h"
#include "shared/core/TQList.h"

namespace {

const char* const kWord = "Zq9";  // the plain word that marks the places

std::string Template(const std::string& name) {
  std::ifstream f(std::string(TAVREL_SOURCE_DIR) + "/templates/" + name, std::ios::binary);
  std::stringstream s;
  s << f.rdbuf();
  return s.str();
}

// What a browser reads: a whole page, or a script string's value put into
// an element (context) between the script's own markup.
struct Reading {
  std::string name;
  std::string markup;  // UTF-8
  GumboTag context = GUMBO_TAG_LAST;
};

// The value of every single-quoted string assigned to name ("x='..';" and
// the "x+='..';" that follow), joined.
std::string ScriptValue(const std::string& page, const std::string& name) {
  std::string value;
  for (const std::string& start : {name + "='", name + " = '", name + "+='"}) {
    for (size_t at = page.find(start); at != std::string::npos; at = page.find(start, at + 1)) {
      if (at > 0 && (std::isalnum(static_cast<unsigned char>(page[at - 1])) || page[at - 1] == '.'))
        continue;
      for (size_t i = at + start.size(); i < page.size() && page[i] != '\''; ++i) {
        if (page[i] != '\\') {
          value += page[i];
          continue;
        }
        const char e = page[++i];
        if (e == 'r') value += '\r';
        else if (e == 'n') value += '\n';
        else if (e == 'x') {
          value += static_cast<char>(std::stoi(page.substr(i + 1, 2), nullptr, 16));
          i += 2;
        } else value += e;
      }
    }
  }
  return value;
}

Reading Fragment(const std::string& page, const std::string& name, GumboTag context,
                 const std::string& before = "", const std::string& after = "") {
  return {name, before + tavrel::Win1252ToUtf8(ScriptValue(page, name)) + after, context};
}

Reading Document(const std::string& name, const std::string& page) {
  return {name, tavrel::Win1252ToUtf8(page), GUMBO_TAG_LAST};
}

std::string PageOf(const ExportPlan& plan, const std::string& path) {
  for (const ExportStep& s : plan.steps)
    if (s.kind == ExportStep::Kind::WritePage && s.path == path) return s.PageText();
  ADD_FAILURE() << "no page " << path;
  return {};
}

class FirstDraw : public pairo::IMixRandom {
 public:
  void Reseed() override {}
  int Below(int) override { return 0; }
};

ConfigValues Config(configdoc::Program program, const std::string& text) {
  ConfigValues c = configdoc::Defaults(program);
  for (const char* box : {"mmoWelcome", "mmoInstructions", "mmoQuizSubtitle", "mmoExerciseSubtitle",
                          "mmoSubtitle", "editCluesAcross", "editCluesDown"})
    c.text[box] = text;
  c.checked["chkIncludeHelp"] = true;
  return c;
}

// Every page kind with text in every place.
std::vector<Reading> Quiz(const std::string& text) {
  askery::QuizExportInput in;
  in.fileName = "/out/quiz.htm";
  in.title = text;
  in.config = Config(configdoc::Program::Askery, text);
  in.frameset.disk = Template("askery.ht_");
  in.welcome.disk = Template("askeryw.ht_");
  in.code.disk = Template("askeryc.ht_");
  in.dhtml.disk = Template("daskery.ht_");
  auto questions = [&] {
    TQList q;
    for (int i = 0; i < 2; ++i) {
      const int n = q.AddQuestion();
      q.SetQuestionText(n, text);
      q.SetAnswer(n, 1, "yes", "", 1);
    }
    return q;
  };
  TQList frames = questions();
  const ExportPlan plan = askery::BuildFramesExport(frames, in);
  TQList single = questions();
  const std::string page = PageOf(askery::BuildSinglePageExport(single, in), in.fileName);
  return {Document("quiz frameset", PageOf(plan, in.fileName)),
          Document("quiz welcome", PageOf(plan, "/out/quizw.htm")),
          Document("quiz questions", PageOf(plan, "/out/quizc.htm")),
          Document("quiz page", page),
          Fragment(page, "ExerciseTitle", GUMBO_TAG_H1),
          Fragment(page, "ExerciseSubtitle", GUMBO_TAG_DIV),
          Fragment(page, "Instructions", GUMBO_TAG_DIV),
          Fragment(page, "I[0][0]", GUMBO_TAG_DIV),
          Fragment(page, "I[0][0]", GUMBO_TAG_LI, "<div class=\"qtext\">", "</div><div class=\"line\"></div>")};
}

std::vector<Reading> Matching(const std::string& text) {
  pairo::MatchExportInput in;
  in.fileName = "/out/match.htm";
  in.title = text;
  in.defaultRight = "???";
  in.config = Config(configdoc::Program::Pairo, text);
  in.frameset.disk = Template("pairo.ht_");
  in.code.disk = Template("pairoc.ht_");
  in.dhtml.disk = Template("dpairo.ht_");
  auto pairs = [&] {
    TQList l;
    const std::pair<std::string, std::string> rows[] = {{text, "Paris"}, {"Spain", text}, {"Italy", "Rome"}};
    for (int i = 0; i < 3; ++i) {
      l.SetQuestionText(i + 1, rows[i].first);
      l.SetQuestionExtra(i + 1, rows[i].second);
    }
    l.SetQuestionFlag(2, true);  // a fixed pair: its right item in the row
    return l;
  };
  TQList select = pairs();
  FirstDraw random;
  const std::string list = PageOf(pairo::BuildSelectListExport(select, in, random).plan, in.fileName);
  TQList drag = pairs();
  const std::string page = PageOf(pairo::BuildDragDropExport(drag, in).plan, in.fileName);
  return {Document("select lists", list),
          Document("drag and drop", page),
          Fragment(page, "ExerciseTitle", GUMBO_TAG_H1),
          Fragment(page, "ExerciseSubtitle", GUMBO_TAG_DIV),
          Fragment(page, "Instructions", GUMBO_TAG_DIV),
          Fragment(page, "FixedStuff[0][0]", GUMBO_TAG_DIV),
          Fragment(page, "DragStuff[1][0]", GUMBO_TAG_BUTTON)};
}

std::vector<Reading> Crossword(const std::string& text) {
  gridel::CrosswordExportInput in;
  in.fileName = "/out/cross.htm";
  in.title = text;
  in.config = Config(configdoc::Program::Gridel, text);
  in.frameset.disk = Template("gridel.ht_");
  in.welcome.disk = Template("gridelw.ht_");
  in.code.disk = Template("gridelc.ht_");
  in.dhtml.disk = Template("dgridel.ht_");
  gridel::Crossword c;
  c.grid = gridel::LetterGrid(4);
  for (int i = 0; i < 3; ++i) {
    c.grid.SetCell(i, 0, std::string(1, "CAT"[i]));
    c.grid.SetCell(0, i, std::string(1, "CAR"[i]));
  }
  c.clues = {{"CAT", text}, {"CAR", text}};
  gridel::CrosswordWords words;
  EXPECT_EQ(gridel::CheckBeforeExport(c, words), "");
  const ExportPlan frames = gridel::BuildFramesExport(c.grid, words, in);
  const std::string page =
      PageOf(gridel::BuildSinglePageExport(c.grid, words, in), in.fileName);
  return {Document("crossword frameset", PageOf(frames, in.fileName)),
          Document("crossword welcome", PageOf(frames, "/out/crossw.htm")),
          Document("crossword grid", PageOf(frames, "/out/crossc.htm")),
          Document("crossword page", page),
          Fragment(page, "ExerciseTitle", GUMBO_TAG_H1),
          Fragment(page, "ExerciseSubtitle", GUMBO_TAG_DIV),
          Fragment(page, "Instructions", GUMBO_TAG_DIV),
          Fragment(page, "ClueCode", GUMBO_TAG_DIV),
          Fragment(page, "AClues[1]", GUMBO_TAG_SPAN),
          Fragment(page, "DClues[1]", GUMBO_TAG_SPAN)};
}

std::vector<Reading> ReadingPages(const std::string& text) {
  ReadingPageInput in;
  in.title = text;
  in.text = text;
  const std::string t = Template("tavrelr.ht_");
  return {Document("reading (frames)", BuildReadingPage(t, 3, in)),
          Document("reading (single page)", BuildReadingPage(t, 4, in))};
}

// ------------------------------------------------------------ reading ----

struct Tree {
  GumboOutput* output = nullptr;
  explicit Tree(const Reading& r) {
    GumboOptions options = kGumboDefaultOptions;
    options.fragment_context = r.context;
    output = gumbo_parse_with_options(&options, r.markup.data(), r.markup.size());
  }
  ~Tree() { gumbo_destroy_output(&kGumboDefaultOptions, output); }
  Tree(const Tree&) = delete;
  Tree& operator=(const Tree&) = delete;
};

const GumboVector* Children(const GumboNode* n) {
  if (n->type == GUMBO_NODE_ELEMENT || n->type == GUMBO_NODE_TEMPLATE) return &n->v.element.children;
  if (n->type == GUMBO_NODE_DOCUMENT) return &n->v.document.children;
  return nullptr;
}

const GumboNode* At(const GumboVector* v, unsigned i) { return static_cast<const GumboNode*>(v->data[i]); }

// The places: the elements holding the plain word, by their path of child
// numbers from the root.
void FindPlaces(const GumboNode* n, std::vector<unsigned>& path, std::set<std::vector<unsigned>>& places) {
  const GumboVector* c = Children(n);
  if (c == nullptr) return;
  for (unsigned i = 0; i < c->length; ++i) {
    const GumboNode* child = At(c, i);
    if ((child->type == GUMBO_NODE_TEXT) && std::strstr(child->v.text.text, kWord) != nullptr)
      places.insert(path);
    path.push_back(i);
    FindPlaces(child, path, places);
    path.pop_back();
  }
}

struct Seen {
  std::string outline;                      // the tree outside the places
  std::set<std::string> pageIds;            // ids and names outside them
  std::vector<std::string> textIds;         // ids and names inside them
  std::vector<std::string> textElements;    // the tags inside them
};

void IdsOf(const GumboNode* n, std::set<std::string>* page, std::vector<std::string>* text) {
  if (n->type != GUMBO_NODE_ELEMENT && n->type != GUMBO_NODE_TEMPLATE) return;
  for (const char* name : {"id", "name"}) {
    // A plugin's parameter keeps the name the plugin knows it by.
    if (n->v.element.tag == GUMBO_TAG_PARAM && std::strcmp(name, "name") == 0) continue;
    if (const GumboAttribute* a = gumbo_get_attribute(&n->v.element.attributes, name)) {
      if (page) page->insert(a->value);
      if (text) text->push_back(a->value);
    }
  }
}

void Look(const GumboNode* n, std::vector<unsigned>& path, const std::set<std::vector<unsigned>>& places,
          bool inside, Seen& seen) {
  if (inside) {
    IdsOf(n, nullptr, &seen.textIds);
    if (n->type == GUMBO_NODE_ELEMENT) seen.textElements.push_back(gumbo_normalized_tagname(n->v.element.tag));
  } else {
    seen.outline += std::string(path.size(), ' ');
    if (n->type == GUMBO_NODE_ELEMENT || n->type == GUMBO_NODE_TEMPLATE)
      seen.outline += gumbo_normalized_tagname(n->v.element.tag);
    else if (n->type == GUMBO_NODE_TEXT || n->type == GUMBO_NODE_WHITESPACE || n->type == GUMBO_NODE_CDATA)
      seen.outline += "#text";
    else if (n->type == GUMBO_NODE_COMMENT)
      seen.outline += "#comment";
    seen.outline += '\n';
    IdsOf(n, &seen.pageIds, nullptr);
  }
  const GumboVector* c = Children(n);
  if (c == nullptr) return;
  const bool place = places.count(path) > 0;
  for (unsigned i = 0; i < c->length; ++i) {
    path.push_back(i);
    Look(At(c, i), path, places, inside || place, seen);
    path.pop_back();
  }
}

Seen SeenIn(const Reading& r, const std::set<std::vector<unsigned>>& places) {
  const Tree tree(r);
  Seen seen;
  std::vector<unsigned> path;
  Look(tree.output->document, path, places, false, seen);
  return seen;
}

std::set<std::vector<unsigned>> PlacesIn(const Reading& r) {
  const Tree tree(r);
  std::set<std::vector<unsigned>> places;
  std::vector<unsigned> path;
  FindPlaces(tree.output->document, path, places);
  return places;
}

// The corpus: texts that, read in some place of some page, would leave it,
// close it, or hand the page's scripts an element of theirs.
const char* const kHostile[] = {
    "<li>France",
    "A pet <li>cat</li> or <li>dog",
    "<h2>Pets</h2> and <h3>more",
    "<xmp></noframes><frameset><frame src=x.htm></xmp></title></textarea>",
    "<span id=G1>x</span><i id=Guess>y</i><b id=CheckButton>z</b><a id=help href=#help>Help</a>",
    "<span id=GridHolder></span><div id=Score></div><p id=PopupText></p><a name=F1></a><b id=QT1>q</b>",
    "<img name=getElementById src=x.png><object id=createElement></object><form name=body><input name=title></form>",
    "<base href=http://example.com/><meta http-equiv=refresh content=\"0;url=http://example.com/\">",
    "<table>\r\n<tr><td>1</td></tr>\r\n</table>\r\n<pre>a\r\nb</pre><script>\r\nvar a=[1],i=0;window.v=a[i];\r\n</script>",
    "<style>a[href]{color:red}</style><textarea>x\r\ny</textarea><xmp>caf\xE9 [Questions]</xmp>",
    "<dd>x<dt>y</dd><button>b<button>c</button><a href=#x>a<a>b</a></a><nobr>n<nobr>m",
    "</div></li></ol></form></h1></h2></span></section></main><li>z<form>f</form></li>",
    "<ul><li>own</li></ul><dl><dt>t</dt><dd>d</dd></dl><p>para<table><tr><td><li>in a cell</td></tr></table>",
    "<div><li>in a div</li></div><address><li>x</address><p><dd>y</p>",
    "<svg><a id=Score xlink:href=#Score><rect fill=\"url(#Score)\"></rect></a></svg><math><mi id=Guess>x</mi></math>",
    "<select><option>a<li>b</select><noscript><li>n</noscript><iframe>Video<li></iframe>",
    "[strPlainTitle] [Questions] <script>[Answers] [Clue]</script> <label for=Guess>l</label><input form=MatchForm list=x>",
    "<form><li>one</li></form><fieldset><li>two</fieldset><h1>big</h1>",
};

std::string Deep() {
  std::string s;
  for (int i = 0; i < 600; ++i) s += "<div><li>";
  return s + "x";
}

const std::set<std::string> kDocumentProperties = {
    "getElementById", "createElement", "body",  "forms",         "title",  "cookie", "location",
    "images",         "head",          "links", "documentElement", "write", "all",   "querySelector",
    "anchors",        "domain",        "URL",   "scripts",       "embeds", "plugins"};

std::string Lower(std::string s) {
  for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return s;
}

void CheckKind(const char* kind, const std::function<std::vector<Reading>(const std::string&)>& make) {
  const std::vector<Reading> plain = make(kWord);
  std::vector<std::string> corpus(std::begin(kHostile), std::end(kHostile));
  corpus.push_back(Deep());
  for (const std::string& text : corpus) {
    const std::vector<Reading> hostile = make(text);
    ASSERT_EQ(hostile.size(), plain.size());
    for (size_t k = 0; k < plain.size(); ++k) {
      SCOPED_TRACE(std::string(kind) + ": " + plain[k].name + " with " + text.substr(0, 120));
      const std::set<std::vector<unsigned>> places = PlacesIn(plain[k]);
      ASSERT_FALSE(places.empty());
      const Seen expected = SeenIn(plain[k], places);
      const Seen seen = SeenIn(hostile[k], places);
      // Everything the text holds stays in its place.
      EXPECT_EQ(seen.outline, expected.outline);
      std::set<std::string> pageIds;
      for (const std::string& id : expected.pageIds) pageIds.insert(Lower(id));
      for (const std::string& id : seen.textIds) {
        EXPECT_TRUE(id.empty() || id.rfind(kTeacherIdPrefix, 0) == 0 || !ClashesWithPage(id)) << id;
        EXPECT_EQ(pageIds.count(Lower(id)), 0u) << id;
        EXPECT_EQ(kDocumentProperties.count(id), 0u) << id;
      }
      for (const std::string& tag : seen.textElements) EXPECT_TRUE(tag != "base" && tag != "meta") << tag;
    }
  }
}

TEST(TeacherTextPlaces, QuizPagesHoldEachTextInItsPlace) {
  CheckKind("quiz", Quiz);
}

TEST(TeacherTextPlaces, MatchingPagesHoldEachTextInItsPlace) {
  CheckKind("matching", Matching);
}

TEST(TeacherTextPlaces, CrosswordPagesHoldEachTextInItsPlace) {
  CheckKind("crossword", Crossword);
}

TEST(TeacherTextPlaces, ReadingPagesHoldEachTextInItsPlace) {
  CheckKind("reading", ReadingPages);
}

}  // namespace

// Every id and name a page of the exercise uses, in its markup or in what its
// scripts look up, name or number, clashes with the page: a teacher's element
// of that id or name, in any letter case, gets the prefix.  A template that
// gains an id the table lacks fails here.
TEST(TeacherTextPlaces, EveryIdAndNameOfTheTemplatesClashes) {
  const char* const templates[] = {"askery.ht_",  "askeryc.ht_", "askeryw.ht_", "daskery.ht_",
                                   "dgridel.ht_", "dpairo.ht_",  "gridel.ht_",  "gridelc.ht_",
                                   "gridelw.ht_", "pairo.ht_",   "pairoc.ht_",  "tavrelr.ht_"};
  const std::regex meta("<meta[^>]*>", std::regex::icase);
  const std::regex placeholder("\\[[A-Za-z]+\\]");
  // What names an id, a name, a frame or a window; a "+" after a quoted word
  // makes a family of numbered ones.
  const std::regex patterns[] = {
      std::regex("\\b(?:id|name)=\\\\?[\"']([^\"'\\\\]+)", std::regex::icase),
      std::regex("getElementById\\(\\s*'([^']+)'\\s*(\\+)?"),
      std::regex("\\.(?:id|name)\\s*=\\s*'([^']+)'\\s*(\\+)?"),
      std::regex("#([A-Za-z][\\w-]*)"),
      std::regex("frame\\[name=\"([^\"]+)\""),
      std::regex("window\\.open\\([^,)]*,\\s*'([^']+)'"),
      std::regex("(?:parent|top)\\.([A-Za-z]\\w*)\\.location"),
      std::regex("Caption\\('([^']+)'"),
  };
  const std::regex selector("querySelector(?:All)?\\(\\s*'([^']*)'|location\\.hash\\s*===?\\s*'([^']*)'");
  std::set<std::string> names;
  for (const char* name : templates) {
    const std::string text = std::regex_replace(std::regex_replace(Template(name), meta, ""), placeholder, "7");
    ASSERT_FALSE(text.empty()) << name;
    for (size_t k = 0; k < std::size(patterns); ++k) {
      // "#x" counts only within a selector or an address's hash.
      if (k == 3) continue;
      for (std::sregex_iterator m(text.begin(), text.end(), patterns[k]), end; m != end; ++m)
        names.insert((*m)[1].str() + ((*m).size() > 2 && (*m)[2].matched ? "7" : ""));
    }
    for (std::sregex_iterator m(text.begin(), text.end(), selector), end; m != end; ++m) {
      const std::string sel = (*m)[1].matched ? (*m)[1].str() : (*m)[2].str();
      for (std::sregex_iterator h(sel.begin(), sel.end(), patterns[3]); h != end; ++h) names.insert((*h)[1].str());
    }
  }
  // The matching page's select lists are named by their numbers.
  names.insert("0");
  names.insert("15");
  EXPECT_GT(names.size(), 60u);
  for (const std::string& name : names) {
    if (name.find_first_of(" '+") != std::string::npos) continue;  // a script's expression
    for (const std::string& typed : {name, Lower(name)}) {
      EXPECT_TRUE(ClashesWithPage(typed)) << typed;
      EXPECT_EQ(MarkupText("<b id=\"" + typed + "\">x</b>", TextPlace::Block),
                "<b id=\"" + std::string(kTeacherIdPrefix) + typed + "\">x</b>");
    }
  }
}
