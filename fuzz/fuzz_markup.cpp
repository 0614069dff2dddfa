// A teacher's text made a fragment for each place a page gives it.  Read
// by a browser inside the real elements of that place, with a marker
// element after them, it stays inside: the page around it is the same tree
// as with no text at all, and the marker is still there, empty.  No id or
// name it holds clashes with the page's; those that harm nothing stay as
// typed.  Made a fragment again, it comes out
// the same.  Its shown text comes to no harm either.
#include <gumbo.h>

#include <cstddef>
#include <cstdint>
#include <cctype>
#include <cstring>
#include <iterator>
#include <string>
#include <vector>

#include "FuzzSupport.h"
#include "platform/core/TextCodec.h"
#include "shared/core/WebExport.h"

namespace {

using fuzzsupport::Check;

std::string LowerAscii(std::string s) {
  for (char& c : s)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return s;
}

struct Place {
  TextPlace place;
  const char* before;  // the page's markup up to the text
  const char* after;   // and after it, with the marker
};

// The places as the pages hold them.
const Place kPlaces[] = {
    {TextPlace::Block, "<!DOCTYPE html><body><main><section><div id=s>",
     "</div><p id=marker></p></section></main>"},
    {TextPlace::Heading, "<!DOCTYPE html><body><header><h1 id=s>",
     "</h1><div id=marker></div></header>"},
    {TextPlace::FormRowBlock,
     "<!DOCTYPE html><body><main><form><ol><li><div id=s>",
     "</div><div></div><span></span></li><li id=marker></li></ol></form></main>"},
    {TextPlace::ListItemSpan, "<!DOCTYPE html><body><ol><li><span></span><span id=s>",
     "</span></li><li id=marker></li></ol>"},
};

const GumboVector* Children(const GumboNode* n) {
  if (n->type == GUMBO_NODE_ELEMENT || n->type == GUMBO_NODE_TEMPLATE) return &n->v.element.children;
  if (n->type == GUMBO_NODE_DOCUMENT) return &n->v.document.children;
  return nullptr;
}

const char* IdOf(const GumboNode* n) {
  if (n->type != GUMBO_NODE_ELEMENT && n->type != GUMBO_NODE_TEMPLATE) return nullptr;
  const GumboAttribute* a = gumbo_get_attribute(&n->v.element.attributes, "id");
  return a != nullptr ? a->value : nullptr;
}

// The page's tree outside the text: one line per node, with its depth; the
// nodes inside the place are looked at by inside.
template <typename Inside>
std::string Outline(const GumboNode* n, int depth, Inside inside) {
  std::string s(static_cast<size_t>(depth), ' ');
  if (n->type == GUMBO_NODE_ELEMENT || n->type == GUMBO_NODE_TEMPLATE) {
    s += gumbo_normalized_tagname(n->v.element.tag);
    if (const char* id = IdOf(n)) s += std::string("#") + id;
  } else if (n->type == GUMBO_NODE_DOCUMENT) {
    s += "document";
  } else {
    s += "text";
  }
  s += '\n';
  const GumboVector* c = Children(n);
  if (c == nullptr) return s;
  const char* id = IdOf(n);
  if (id != nullptr && std::strcmp(id, "s") == 0) {
    for (unsigned i = 0; i < c->length; ++i) inside(static_cast<const GumboNode*>(c->data[i]));
    return s;
  }
  for (unsigned i = 0; i < c->length; ++i) {
    const auto* child = static_cast<const GumboNode*>(c->data[i]);
    // A page without the text has no text node there; one next to it would
    // be the text's.
    s += Outline(child, depth + 1, inside);
  }
  return s;
}

// No id or name of the text clashes with the page's: it is as typed where it
// harms nothing, or has the prefix.  Nothing inside is the marker.
void CheckInside(const GumboNode* n) {
  if (n->type != GUMBO_NODE_ELEMENT && n->type != GUMBO_NODE_TEMPLATE) return;
  const std::string prefix = kTeacherIdPrefix;
  for (const char* attribute : {"id", "name"}) {
    // A plugin's parameter keeps the name the plugin knows it by.
    if (n->v.element.tag == GUMBO_TAG_PARAM && std::strcmp(attribute, "name") == 0) continue;
    const GumboAttribute* a = gumbo_get_attribute(&n->v.element.attributes, attribute);
    Check(a == nullptr || std::string(a->value).rfind(prefix, 0) == 0 || !ClashesWithPage(a->value));
  }
  // Only an HTML base or meta acts on the page; in a drawing it is the
  // drawing's.
  Check(n->v.element.tag_namespace != GUMBO_NAMESPACE_HTML ||
        (n->v.element.tag != GUMBO_TAG_BASE && n->v.element.tag != GUMBO_TAG_META));
  const GumboVector* c = Children(n);
  for (unsigned i = 0; i < c->length; ++i) CheckInside(static_cast<const GumboNode*>(c->data[i]));
}

std::string PageOutline(const std::string& page) {
  GumboOutput* out = gumbo_parse_with_options(&kGumboDefaultOptions, page.data(), page.size());
  const std::string outline = Outline(out->document, 0, CheckInside);
  gumbo_destroy_output(&kGumboDefaultOptions, out);
  return outline;
}

void CheckStaysInside(const Place& p, const std::string& markup) {
  const std::string empty = PageOutline(std::string(p.before) + p.after);
  const std::string page =
      std::string(p.before) + tavrel::Win1252ToUtf8(PageText(markup)) + p.after;
  Check(PageOutline(page) == empty);
}

// Names that clash with a page's: properties of the document and of a form
// (in their own letter case), ids of the pages (in any), families of
// numbered ones.
const struct {
  const char* name;
  bool anyCase;
  bool numbered;
} kClashing[] = {{"forms", false, false},    {"getElementById", false, false}, {"elements", false, false},
                 {"submit", false, false},   {"Score", true, false},           {"codeframe", true, false},
                 {"G", true, true},          {"QT", true, true},               {"", false, true}};

// The input's first word as an id, a name and a reference to it: as typed
// where it harms nothing; and a name made from the input to clash with the
// page, prefixed.
void CheckIdsOfWord(const std::string& text) {
  std::string word;
  for (const char c : text) {
    if (!std::isalnum(static_cast<unsigned char>(c)) && c != '-' && c != '_' && c != '.') break;
    word += c;
  }
  auto written = [](const std::string& id) {
    return "<p id=\"" + id + "\"><a name=\"" + id + "\" href=\"#" + id + "\">x</a><label for=\"" + id +
           "\">y</label></p>";
  };
  if (!word.empty() && LowerAscii(word) != "top") {
    const bool clashes = ClashesWithPage(word) && word.rfind(kTeacherIdPrefix, 0) != 0;
    Check(MarkupText(written(word), TextPlace::Block) == written(clashes ? kTeacherIdPrefix + word : word));
  }
  if (text.empty()) return;
  const auto& pick = kClashing[static_cast<unsigned char>(text[0]) % std::size(kClashing)];
  std::string clash = pick.name;
  for (size_t i = 0; pick.anyCase && i < clash.size() && i + 1 < text.size(); ++i)
    if (text[i + 1] & 1) clash[i] = static_cast<char>(std::isupper(static_cast<unsigned char>(clash[i]))
                                                           ? std::tolower(static_cast<unsigned char>(clash[i]))
                                                           : std::toupper(static_cast<unsigned char>(clash[i])));
  if (pick.numbered) clash += std::to_string(text.size());
  Check(ClashesWithPage(clash));
  Check(MarkupText(written(clash), TextPlace::Block) == written(kTeacherIdPrefix + clash));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  for (const Place& p : kPlaces) {
    const std::string markup = MarkupText(text, p.place);
    CheckStaysInside(p, markup);
    Check(MarkupText(markup, p.place) == markup);
  }
  CheckIdsOfWord(text);
  const std::string shown = ShownText(text);
  Check(shown.find('<') == std::string::npos && shown.find('>') == std::string::npos);
  return 0;
}
