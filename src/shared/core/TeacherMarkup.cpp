// A teacher's text in a page: parsed as a browser parses an HTML fragment
// (Gumbo, an HTML5 parser) and written back, so that it holds only itself.
#include <gumbo.h>

#include <algorithm>
#include <cctype>
#include <cstring>
#include <memory>
#include <new>
#include <utility>
#include <vector>

#include "platform/core/TextCodec.h"
#include "shared/core/StringFunctions.h"
#include "shared/core/WebExport.h"

namespace {

// Gumbo allocates from an arena that is freed at once.  The parser's own
// release of a tree walks it recursively, which a deeply nested text could
// take past the stack; running out of memory throws, as anywhere else.
class Arena {
 public:
  static void* Allocate(void* self, size_t n) { return static_cast<Arena*>(self)->Take(n); }
  static void Release(void*, void*) {}

 private:
  void* Take(size_t n) {
    n = (n + 15) & ~static_cast<size_t>(15);
    if (n > left_) {
      const size_t size = n > kChunk ? n : kChunk;
      chunks_.emplace_back(new char[size]);
      next_ = chunks_.back().get();
      left_ = size;
    }
    void* p = next_;
    next_ += n;
    left_ -= n;
    return p;
  }
  static constexpr size_t kChunk = 64 * 1024;
  std::vector<std::unique_ptr<char[]>> chunks_;
  char* next_ = nullptr;
  size_t left_ = 0;
};

// One parse of a text (UTF-8) as the content of a page's <body>.  A browser
// reads a text placed into a page (innerHTML too) as the page's own markup:
// an HTML element that leaves an <svg> or <math> ("<svg><p>x") stands after
// it.  The parser reads a fragment by an older rule that keeps such an
// element inside, so the text is parsed as the body of a document instead.
class Fragment {
 public:
  explicit Fragment(std::string utf8) : text_(std::move(utf8)) {
    source_ = kBefore + text_;
    output_ = Parse(source_, GUMBO_TAG_LAST);
    for (const GumboNode* n = output_->root; body_ == nullptr && n != nullptr;) {
      const GumboVector& c = n->v.element.children;
      n = nullptr;
      for (unsigned i = 0; i < c.length; ++i) {
        const auto* child = static_cast<const GumboNode*>(c.data[i]);
        if (child->type == GUMBO_NODE_ELEMENT && child->v.element.tag == GUMBO_TAG_BODY) body_ = child;
      }
    }
    if (body_ == nullptr) {
      // A frameset took the body's place: read as the content of a <div>,
      // where a frameset is no element.
      source_ = text_;
      output_ = Parse(source_, GUMBO_TAG_DIV);
      body_ = output_->root;
    }
  }
  Fragment(const Fragment&) = delete;
  Fragment& operator=(const Fragment&) = delete;

  // The parent of the text's nodes.
  const GumboNode* Root() const { return body_; }
  // Every node the parse made, those it put outside the body too.
  const GumboNode* Document() const { return output_->document; }
  const std::string& Text() const { return text_; }
  // Where a piece of the source starts in the text.
  size_t OffsetOf(const char* p) const { return OffsetOfSource(static_cast<size_t>(p - source_.data())); }
  size_t OffsetOfSource(size_t at) const {
    const size_t before = source_.size() - text_.size();
    return at > before ? at - before : 0;
  }

 private:
  static constexpr const char* kBefore = "<!DOCTYPE html><body>";

  GumboOutput* Parse(const std::string& source, GumboTag context) {
    GumboOptions options = kGumboDefaultOptions;
    options.allocator = &Arena::Allocate;
    options.deallocator = &Arena::Release;
    options.userdata = &arena_;
    options.max_errors = 0;
    options.fragment_context = context;
    return gumbo_parse_with_options(&options, source.data(), source.size());
  }

  Arena arena_;
  std::string text_;
  std::string source_;
  GumboOutput* output_ = nullptr;
  const GumboNode* body_ = nullptr;
};

const GumboVector* ChildrenOf(const GumboNode* n) {
  if (n->type == GUMBO_NODE_ELEMENT || n->type == GUMBO_NODE_TEMPLATE) return &n->v.element.children;
  if (n->type == GUMBO_NODE_DOCUMENT) return &n->v.document.children;
  return nullptr;
}

const GumboNode* ChildAt(const GumboVector* v, unsigned i) { return static_cast<const GumboNode*>(v->data[i]); }

bool IsTextLike(const GumboNode* n) {
  return n->type == GUMBO_NODE_TEXT || n->type == GUMBO_NODE_WHITESPACE || n->type == GUMBO_NODE_CDATA;
}

// Visits every node below root in document order, without recursion: enter
// is called on the way in (returning false skips the node's children), leave
// on the way out of an element.
template <typename Enter, typename Leave>
void Walk(const GumboNode* root, Enter enter, Leave leave) {
  struct Level {
    const GumboNode* node;
    unsigned next;
  };
  std::vector<Level> stack{{root, 0}};
  while (!stack.empty()) {
    Level& top = stack.back();
    const GumboVector* children = ChildrenOf(top.node);
    if (children == nullptr || top.next >= children->length) {
      if (stack.size() > 1) leave(top.node);
      stack.pop_back();
      continue;
    }
    const GumboNode* child = ChildAt(children, top.next++);
    if (enter(child) && ChildrenOf(child) != nullptr) stack.push_back({child, 0});
  }
}

// Where the last piece of the source that made a node ends.
size_t EndOfSource(const Fragment& f) {
  size_t end = 0;
  auto reach = [&](const GumboStringPiece& piece) {
    if (piece.data != nullptr && piece.length > 0) end = std::max(end, f.OffsetOf(piece.data + piece.length));
  };
  Walk(
      f.Document(),
      [&](const GumboNode* n) {
        if (n->type == GUMBO_NODE_ELEMENT || n->type == GUMBO_NODE_TEMPLATE) {
          reach(n->v.element.original_tag);
          reach(n->v.element.original_end_tag);
        } else if (n->type != GUMBO_NODE_DOCUMENT) {
          reach(n->v.text.original_text);
        }
        return true;
      },
      [](const GumboNode*) {});
  return end;
}

// Characters that close a tag whatever part of it the text ends in (its
// name, an attribute name, a quoted or unquoted value); anywhere else they
// are text.  The private-use character before them makes them a text no
// teacher types.
const char kTagCloser[] = "\xEE\x80\x80\"'>";

bool EndsInTagCloser(const Fragment& f) {
  const std::string closer = kTagCloser;
  bool found = false;
  Walk(
      f.Document(),
      [&](const GumboNode* n) {
        if (IsTextLike(n) || n->type == GUMBO_NODE_COMMENT) {
          const std::string t = n->v.text.text;
          if (t.size() >= closer.size() && t.compare(t.size() - closer.size(), closer.size(), closer) == 0)
            found = true;
        }
        return !found;
      },
      [](const GumboNode*) {});
  return found;
}

// An <svg> or <math> element within which HTML elements stand: an HTML
// integration point, or a MathML text integration point.
bool IsIntegrationPoint(const GumboElement& e) {
  if (e.tag_namespace == GUMBO_NAMESPACE_SVG)
    return e.tag == GUMBO_TAG_FOREIGNOBJECT || e.tag == GUMBO_TAG_DESC || e.tag == GUMBO_TAG_TITLE;
  if (e.tag_namespace != GUMBO_NAMESPACE_MATHML) return true;
  if (e.tag == GUMBO_TAG_ANNOTATION_XML) {
    const GumboAttribute* a = gumbo_get_attribute(&e.attributes, "encoding");
    if (a == nullptr) return false;
    std::string v = a->value;
    for (char& c : v)
      if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return v == "text/html" || v == "application/xhtml+xml";
  }
  return e.tag == GUMBO_TAG_MI || e.tag == GUMBO_TAG_MO || e.tag == GUMBO_TAG_MN || e.tag == GUMBO_TAG_MS ||
         e.tag == GUMBO_TAG_MTEXT;
}

// Past the ">" that ends a tag of s whose name ends at i, read as the
// tokenizer reads attributes; npos where the text ends first.
size_t TagEndIn(const std::string& s, size_t i, bool& selfClosing) {
  enum { kBetween, kName, kAfterName, kBeforeValue, kQuoted, kUnquoted } state = kBetween;
  char quote = 0;
  for (; i < s.size(); ++i) {
    const char c = s[i];
    const bool blank = c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f';
    switch (state) {
      case kQuoted:
        if (c == quote) state = kBetween;
        continue;
      case kUnquoted:
        if (blank) state = kBetween;
        else if (c == '>') return i + 1;
        continue;
      case kBeforeValue:
        if (blank) continue;
        if (c == '"' || c == '\'') {
          quote = c;
          state = kQuoted;
        } else if (c == '>') {
          return i + 1;
        } else {
          state = kUnquoted;
        }
        continue;
      default:
        break;
    }
    if (c == '>') {
      selfClosing = i > 0 && s[i - 1] == '/';
      return i + 1;
    }
    if (blank || c == '/') {
      if (state == kName) state = kAfterName;
      continue;
    }
    if (c == '=' && (state == kName || state == kAfterName)) {
      state = kBeforeValue;
      continue;
    }
    state = kName;
  }
  return std::string::npos;
}


// A "</p>" or "</br>" in an <svg> or <math> leaves it as a browser reads it
// ("<svg></p>x" shows "x" after the drawing); the parser puts the element it
// makes of the end tag inside, and reads on in the drawing.  Read as "<p></p>"
// and "<br>", which leave it as they stand and make the same element.
std::string EndTagsLeavingForeignContent(const Fragment& f) {
  std::vector<std::pair<size_t, bool>> found;  // where, and whether a <p>
  Walk(
      f.Root(),
      [&](const GumboNode* n) {
        if (n->type != GUMBO_NODE_ELEMENT) return false;
        const GumboNode* parent = n->parent;
        if (n->v.element.tag_namespace == GUMBO_NAMESPACE_HTML &&
            (n->parse_flags & GUMBO_INSERTION_CONVERTED_FROM_END_TAG) != 0 && parent != nullptr &&
            parent->type == GUMBO_NODE_ELEMENT && parent->v.element.tag_namespace != GUMBO_NAMESPACE_HTML &&
            !IsIntegrationPoint(parent->v.element) &&
            (n->v.element.tag == GUMBO_TAG_P || n->v.element.tag == GUMBO_TAG_BR))
          found.emplace_back(f.OffsetOfSource(n->v.element.start_pos.offset), n->v.element.tag == GUMBO_TAG_P);
        return true;
      },
      [](const GumboNode*) {});
  if (found.empty()) return std::string();
  std::sort(found.begin(), found.end());
  const std::string& t = f.Text();
  std::string mended;
  mended.reserve(t.size() + found.size() * 4);
  size_t from = 0;
  for (const auto& [at, p] : found) {
    if (at < from || t.compare(at, 2, "</") != 0) continue;
    bool selfClosing = false;
    size_t end = TagEndIn(t, at + 2, selfClosing);
    if (end == std::string::npos) continue;
    mended.append(t, from, at - from);
    mended += p ? "<p></p>" : "<br>";
    from = end;
  }
  mended.append(t, from, std::string::npos);
  return mended;
}

// The parse of a teacher's text.  A parser drops a tag that the end of the
// text cuts short ("a<b", "<a title=\"x"); here every "<" from the start of
// such a tag on is text instead, shown as typed.
std::unique_ptr<Fragment> ParseTeacherText(const std::string& s) {
  auto parse = std::make_unique<Fragment>(tavrel::Win1252ToUtf8(s));
  std::string leaving = EndTagsLeavingForeignContent(*parse);
  if (!leaving.empty()) parse = std::make_unique<Fragment>(std::move(leaving));
  const size_t end = EndOfSource(*parse);
  if (end >= parse->Text().size()) return parse;
  if (EndsInTagCloser(Fragment(parse->Text() + kTagCloser))) return parse;
  const std::string& t = parse->Text();
  std::string mended = t.substr(0, end);
  for (size_t i = end; i < t.size(); ++i) {
    if (t[i] == '<')
      mended += "&lt;";
    else
      mended += t[i];
  }
  return std::make_unique<Fragment>(std::move(mended));
}

bool IsHtml(const GumboNode* n, GumboTag tag) {
  return n->type == GUMBO_NODE_ELEMENT && n->v.element.tag == tag &&
         n->v.element.tag_namespace == GUMBO_NAMESPACE_HTML;
}

bool IsVoid(GumboTag t) {
  switch (t) {
    case GUMBO_TAG_AREA: case GUMBO_TAG_BASE: case GUMBO_TAG_BASEFONT: case GUMBO_TAG_BGSOUND:
    case GUMBO_TAG_BR: case GUMBO_TAG_COL: case GUMBO_TAG_EMBED: case GUMBO_TAG_FRAME:
    case GUMBO_TAG_HR: case GUMBO_TAG_IMG: case GUMBO_TAG_INPUT: case GUMBO_TAG_KEYGEN:
    case GUMBO_TAG_LINK: case GUMBO_TAG_META: case GUMBO_TAG_PARAM: case GUMBO_TAG_SOURCE:
    case GUMBO_TAG_TRACK: case GUMBO_TAG_WBR:
      return true;
    default:
      return false;
  }
}

// Elements whose content is written as it stands, up to their end tag.
bool IsRawText(GumboTag t) {
  switch (t) {
    case GUMBO_TAG_SCRIPT: case GUMBO_TAG_STYLE: case GUMBO_TAG_XMP: case GUMBO_TAG_IFRAME:
    case GUMBO_TAG_NOEMBED: case GUMBO_TAG_NOFRAMES: case GUMBO_TAG_NOSCRIPT:
      return true;
    default:
      return false;
  }
}

std::string LowerAscii(std::string s) {
  for (char& c : s)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return s;
}

// The name of a tag as the text spells it ("BR", "Td"), or "" for none.  The
// parser counts an empty end tag ("</>") before a tag as part of it.
std::string SpelledName(const GumboStringPiece& tag) {
  if (tag.data == nullptr || tag.length == 0) return std::string();
  GumboStringPiece piece = tag;
  while (piece.length > 3 && std::memcmp(piece.data, "</>", 3) == 0) {
    piece.data += 3;
    piece.length -= 3;
  }
  gumbo_tag_from_original_text(&piece);
  return std::string(piece.data, piece.length);
}

// A name written back as it stands: no blank, control character, quote or
// sign that ends or splits a name.
bool IsPlainName(const std::string& name) {
  if (name.empty()) return false;
  for (const char c : name) {
    const auto u = static_cast<unsigned char>(c);
    if (u <= 0x20 || u == 0x7F || c == '/' || c == '>' || c == '<' || c == '=' || c == '"' || c == '\'')
      return false;
  }
  return true;
}

// A name a tag can have: a letter first.
bool IsTagName(const std::string& name) {
  return IsPlainName(name) && std::isalpha(static_cast<unsigned char>(name[0]));
}

// Tags that leave an <svg> or <math> wherever they stand, and plaintext:
// an element of that name inside either is written without its tags, as
// read again it would not stay inside.
bool LeavesForeignContent(GumboTag t) {
  switch (t) {
    case GUMBO_TAG_B: case GUMBO_TAG_BIG: case GUMBO_TAG_BLOCKQUOTE: case GUMBO_TAG_BODY:
    case GUMBO_TAG_BR: case GUMBO_TAG_CENTER: case GUMBO_TAG_CODE: case GUMBO_TAG_DD:
    case GUMBO_TAG_DIV: case GUMBO_TAG_DL: case GUMBO_TAG_DT: case GUMBO_TAG_EM:
    case GUMBO_TAG_EMBED: case GUMBO_TAG_H1: case GUMBO_TAG_H2: case GUMBO_TAG_H3:
    case GUMBO_TAG_H4: case GUMBO_TAG_H5: case GUMBO_TAG_H6: case GUMBO_TAG_HEAD:
    case GUMBO_TAG_HR: case GUMBO_TAG_I: case GUMBO_TAG_IMG: case GUMBO_TAG_LI:
    case GUMBO_TAG_LISTING: case GUMBO_TAG_MENU: case GUMBO_TAG_META: case GUMBO_TAG_NOBR:
    case GUMBO_TAG_OL: case GUMBO_TAG_P: case GUMBO_TAG_PRE: case GUMBO_TAG_RUBY:
    case GUMBO_TAG_S: case GUMBO_TAG_SMALL: case GUMBO_TAG_SPAN: case GUMBO_TAG_STRONG:
    case GUMBO_TAG_STRIKE: case GUMBO_TAG_SUB: case GUMBO_TAG_SUP: case GUMBO_TAG_TABLE:
    case GUMBO_TAG_TT: case GUMBO_TAG_U: case GUMBO_TAG_UL: case GUMBO_TAG_VAR:
    case GUMBO_TAG_FONT: case GUMBO_TAG_PLAINTEXT:
      return true;
    default:
      return false;
  }
}

// An element's name: as the text spells its start tag where that is the
// same name (letter case aside), so that "<BR>" stays "<BR>"; "" where it
// has none a tag could carry.
std::string ElementName(const GumboElement& e) {
  // The parse holds such an element inside an <svg> or <math> only where the
  // text is read as the content of a <div>; a <font> without color, face or
  // size stays inside when read again.
  if (e.tag_namespace != GUMBO_NAMESPACE_HTML && LeavesForeignContent(e.tag) && e.tag != GUMBO_TAG_FONT)
    return std::string();
  const std::string spelled = SpelledName(e.original_tag);
  std::string name = e.tag != GUMBO_TAG_UNKNOWN ? gumbo_normalized_tagname(e.tag) : LowerAscii(spelled);
  if (e.tag_namespace == GUMBO_NAMESPACE_SVG && !name.empty()) {
    const GumboStringPiece piece{name.data(), name.size()};
    if (const char* svgName = gumbo_normalize_svg_tagname(&piece)) name = svgName;
  }
  // A name the parser did not know that reads as one it knows ("<script\v>"
  // is no script) would be another element when read again.
  if (!IsTagName(name) || (e.tag == GUMBO_TAG_UNKNOWN && gumbo_tag_enum(name.c_str()) != GUMBO_TAG_UNKNOWN))
    return std::string();
  return LowerAscii(spelled) == LowerAscii(name) ? spelled : name;
}

// The name of an element's end tag: as the text spells it, where it does.
std::string EndTagName(const GumboElement& e, const std::string& name) {
  const std::string spelled = SpelledName(e.original_end_tag);
  return !spelled.empty() && LowerAscii(spelled) == LowerAscii(name) ? spelled : name;
}

std::string AttributeName(const GumboAttribute& a) {
  const std::string name = a.name;
  switch (a.attr_namespace) {
    case GUMBO_ATTR_NAMESPACE_XLINK: return "xlink:" + name;
    case GUMBO_ATTR_NAMESPACE_XML: return "xml:" + name;
    case GUMBO_ATTR_NAMESPACE_XMLNS: return name == "xmlns" ? name : "xmlns:" + name;
    default: return name;
  }
}

// Text or an attribute's value, escaped.  Control characters come from
// references ("&#3;"): typed as they stand, the parser would read them as
// U+FFFD, so they stay references.
void AppendEscaped(std::string& out, const char* s, bool inAttribute) {
  for (; *s; ++s) {
    const char c = *s;
    const auto u = static_cast<unsigned char>(c);
    if ((u < 0x20 && c != '\t' && c != '\n' && c != '\f') || u == 0x7F) {
      out += "&#" + std::to_string(u) + ";";
    } else if (c == '\xC2' && static_cast<unsigned char>(s[1]) >= 0x80 && static_cast<unsigned char>(s[1]) <= 0x9F) {
      out += "&#" + std::to_string(static_cast<unsigned char>(s[1])) + ";";
      ++s;
    } else if (c == '&') {
      out += "&amp;";
    } else if (c == '\xC2' && s[1] == '\xA0') {
      out += "&nbsp;";
      ++s;
    } else if (inAttribute && c == '"') {
      out += "&quot;";
    } else if (!inAttribute && c == '<') {
      out += "&lt;";
    } else if (!inAttribute && c == '>') {
      out += "&gt;";
    } else {
      out += c;
    }
  }
}

std::string RawTextOf(const GumboNode* element) {
  std::string text;
  const GumboVector& children = element->v.element.children;
  for (unsigned i = 0; i < children.length; ++i) {
    const GumboNode* c = ChildAt(&children, i);
    if (IsTextLike(c)) text += c->v.text.text;
  }
  return text;
}

// A script's text with every "</" and "<!--" broken up by a backslash, as
// in a script string: read again, nothing in it ends the script early or
// keeps its end tag from ending it.
std::string UnendingScript(const std::string& s) {
  std::string r;
  r.reserve(s.size() + 8);
  for (size_t i = 0; i < s.size(); ++i) {
    r += s[i];
    if (s[i] == '<' && (s.compare(i, 2, "</") == 0 || s.compare(i, 4, "<!--") == 0)) r += '\\';
  }
  return r;
}

// Elements whose content a reader never sees as text of the page: raw text,
// a box's typed text, the fallback of what a browser shows in its place
// (a video, a sound, a drawing, an embedded object), and what describes a
// drawing or a formula rather than showing in it.
bool HiddenContent(const GumboNode* n) {
  if (n->type == GUMBO_NODE_TEMPLATE) return true;
  if (n->type != GUMBO_NODE_ELEMENT) return false;
  const GumboTag t = n->v.element.tag;
  if (n->v.element.tag_namespace == GUMBO_NAMESPACE_SVG)
    return t == GUMBO_TAG_DESC || t == GUMBO_TAG_TITLE || t == GUMBO_TAG_STYLE || t == GUMBO_TAG_SCRIPT ||
           LowerAscii(SpelledName(n->v.element.original_tag)) == "metadata";
  if (n->v.element.tag_namespace == GUMBO_NAMESPACE_MATHML)
    return t == GUMBO_TAG_ANNOTATION_XML || LowerAscii(SpelledName(n->v.element.original_tag)) == "annotation";
  if (n->v.element.tag_namespace != GUMBO_NAMESPACE_HTML) return false;
  return IsRawText(t) || t == GUMBO_TAG_TITLE || t == GUMBO_TAG_TEXTAREA || t == GUMBO_TAG_VIDEO ||
         t == GUMBO_TAG_AUDIO || t == GUMBO_TAG_CANVAS || t == GUMBO_TAG_OBJECT;
}

bool IsHeading(GumboTag t) {
  return t == GUMBO_TAG_H1 || t == GUMBO_TAG_H2 || t == GUMBO_TAG_H3 || t == GUMBO_TAG_H4 ||
         t == GUMBO_TAG_H5 || t == GUMBO_TAG_H6;
}

// The elements of the special kind: a search of the open elements for an
// <li>, <dd> or <dt> to close stops at one of them (but at an <address>, <div>
// or <p>).
bool IsSpecial(GumboTag t) {
  switch (t) {
    case GUMBO_TAG_ADDRESS: case GUMBO_TAG_APPLET: case GUMBO_TAG_AREA: case GUMBO_TAG_ARTICLE:
    case GUMBO_TAG_ASIDE: case GUMBO_TAG_BASE: case GUMBO_TAG_BASEFONT: case GUMBO_TAG_BGSOUND:
    case GUMBO_TAG_BLOCKQUOTE: case GUMBO_TAG_BODY: case GUMBO_TAG_BR: case GUMBO_TAG_BUTTON:
    case GUMBO_TAG_CAPTION: case GUMBO_TAG_CENTER: case GUMBO_TAG_COL: case GUMBO_TAG_COLGROUP:
    case GUMBO_TAG_DD: case GUMBO_TAG_DETAILS: case GUMBO_TAG_DIR: case GUMBO_TAG_DIV:
    case GUMBO_TAG_DL: case GUMBO_TAG_DT: case GUMBO_TAG_EMBED: case GUMBO_TAG_FIELDSET:
    case GUMBO_TAG_FIGCAPTION: case GUMBO_TAG_FIGURE: case GUMBO_TAG_FOOTER: case GUMBO_TAG_FORM:
    case GUMBO_TAG_FRAME: case GUMBO_TAG_FRAMESET: case GUMBO_TAG_H1: case GUMBO_TAG_H2:
    case GUMBO_TAG_H3: case GUMBO_TAG_H4: case GUMBO_TAG_H5: case GUMBO_TAG_H6:
    case GUMBO_TAG_HEAD: case GUMBO_TAG_HEADER: case GUMBO_TAG_HGROUP: case GUMBO_TAG_HR:
    case GUMBO_TAG_HTML: case GUMBO_TAG_IFRAME: case GUMBO_TAG_IMG: case GUMBO_TAG_INPUT:
    case GUMBO_TAG_KEYGEN: case GUMBO_TAG_LI: case GUMBO_TAG_LINK: case GUMBO_TAG_LISTING:
    case GUMBO_TAG_MAIN: case GUMBO_TAG_MARQUEE: case GUMBO_TAG_MENU: case GUMBO_TAG_META:
    case GUMBO_TAG_NAV: case GUMBO_TAG_NOEMBED: case GUMBO_TAG_NOFRAMES: case GUMBO_TAG_NOSCRIPT:
    case GUMBO_TAG_OBJECT: case GUMBO_TAG_OL: case GUMBO_TAG_P: case GUMBO_TAG_PARAM:
    case GUMBO_TAG_PLAINTEXT: case GUMBO_TAG_PRE: case GUMBO_TAG_SCRIPT: case GUMBO_TAG_SECTION:
    case GUMBO_TAG_SELECT: case GUMBO_TAG_SOURCE: case GUMBO_TAG_STYLE: case GUMBO_TAG_SUMMARY:
    case GUMBO_TAG_TABLE: case GUMBO_TAG_TBODY: case GUMBO_TAG_TD: case GUMBO_TAG_TEMPLATE:
    case GUMBO_TAG_TEXTAREA: case GUMBO_TAG_TFOOT: case GUMBO_TAG_TH: case GUMBO_TAG_THEAD:
    case GUMBO_TAG_TITLE: case GUMBO_TAG_TR: case GUMBO_TAG_TRACK: case GUMBO_TAG_UL:
    case GUMBO_TAG_WBR: case GUMBO_TAG_XMP:
      return true;
    default:
      return false;
  }
}

// Elements at which a search of the open elements for an <li>, <dd> or <dt>
// to close stops.
bool StopsItemSearch(GumboTag t) {
  return IsSpecial(t) && t != GUMBO_TAG_ADDRESS && t != GUMBO_TAG_DIV && t != GUMBO_TAG_P;
}

// The elements that end a scope: a search of the open elements for one to
// close stops at them.
bool EndsScope(GumboTag t, bool button) {
  switch (t) {
    case GUMBO_TAG_APPLET: case GUMBO_TAG_CAPTION: case GUMBO_TAG_HTML: case GUMBO_TAG_TABLE:
    case GUMBO_TAG_TD: case GUMBO_TAG_TH: case GUMBO_TAG_MARQUEE: case GUMBO_TAG_OBJECT:
    case GUMBO_TAG_TEMPLATE:
      return true;
    default:
      return button && t == GUMBO_TAG_BUTTON;
  }
}

// Start tags that close an open <p> (in button scope) before them.
bool ClosesParagraph(GumboTag t) {
  switch (t) {
    case GUMBO_TAG_ADDRESS: case GUMBO_TAG_ARTICLE: case GUMBO_TAG_ASIDE: case GUMBO_TAG_BLOCKQUOTE:
    case GUMBO_TAG_CENTER: case GUMBO_TAG_DETAILS: case GUMBO_TAG_DIR: case GUMBO_TAG_DIV:
    case GUMBO_TAG_DL: case GUMBO_TAG_FIELDSET: case GUMBO_TAG_FIGCAPTION: case GUMBO_TAG_FIGURE:
    case GUMBO_TAG_FOOTER: case GUMBO_TAG_HEADER: case GUMBO_TAG_HGROUP: case GUMBO_TAG_MAIN:
    case GUMBO_TAG_MENU: case GUMBO_TAG_NAV: case GUMBO_TAG_OL: case GUMBO_TAG_P:
    case GUMBO_TAG_SECTION: case GUMBO_TAG_SUMMARY: case GUMBO_TAG_UL: case GUMBO_TAG_H1:
    case GUMBO_TAG_H2: case GUMBO_TAG_H3: case GUMBO_TAG_H4: case GUMBO_TAG_H5: case GUMBO_TAG_H6:
    case GUMBO_TAG_PRE: case GUMBO_TAG_LISTING: case GUMBO_TAG_FORM: case GUMBO_TAG_LI:
    case GUMBO_TAG_DD: case GUMBO_TAG_DT: case GUMBO_TAG_PLAINTEXT: case GUMBO_TAG_TABLE:
    case GUMBO_TAG_HR: case GUMBO_TAG_XMP:
      return true;
    default:
      return false;
  }
}

// Elements a reader sees as blocks of their own: a line break right at their
// start or end, or right before or after them, is shown by the block.
bool IsBlock(const GumboNode* n) {
  if (n->type != GUMBO_NODE_ELEMENT || n->v.element.tag_namespace != GUMBO_NAMESPACE_HTML)
    return false;
  const GumboTag t = n->v.element.tag;
  return ClosesParagraph(t) || t == GUMBO_TAG_TBODY || t == GUMBO_TAG_THEAD ||
         t == GUMBO_TAG_TFOOT || t == GUMBO_TAG_TR || t == GUMBO_TAG_TD || t == GUMBO_TAG_TH ||
         t == GUMBO_TAG_CAPTION || t == GUMBO_TAG_OPTION || t == GUMBO_TAG_OPTGROUP ||
         t == GUMBO_TAG_SELECT || t == GUMBO_TAG_TEXTAREA || t == GUMBO_TAG_IFRAME ||
         t == GUMBO_TAG_VIDEO || t == GUMBO_TAG_AUDIO;
}

// Elements whose own text is space between structure (rows, cells, items,
// options): a line break there is no line of text.
bool HoldsStructure(GumboTag t) {
  switch (t) {
    case GUMBO_TAG_TABLE: case GUMBO_TAG_TBODY: case GUMBO_TAG_THEAD: case GUMBO_TAG_TFOOT:
    case GUMBO_TAG_TR: case GUMBO_TAG_COLGROUP: case GUMBO_TAG_UL: case GUMBO_TAG_OL:
    case GUMBO_TAG_DL: case GUMBO_TAG_MENU: case GUMBO_TAG_DIR: case GUMBO_TAG_SELECT:
    case GUMBO_TAG_OPTGROUP: case GUMBO_TAG_DATALIST: case GUMBO_TAG_FRAMESET:
    case GUMBO_TAG_HEAD: case GUMBO_TAG_HTML: case GUMBO_TAG_AUDIO: case GUMBO_TAG_VIDEO:
    case GUMBO_TAG_OBJECT: case GUMBO_TAG_MAP:
      return true;
    default:
      return false;
  }
}

// Elements within which line breaks show as typed, or are no text at all:
// none of their text gets a <BR>.
bool KeepsLineBreaks(GumboTag t) {
  switch (t) {
    case GUMBO_TAG_PRE: case GUMBO_TAG_LISTING: case GUMBO_TAG_TEXTAREA: case GUMBO_TAG_TITLE:
    case GUMBO_TAG_SELECT: case GUMBO_TAG_OPTION: case GUMBO_TAG_OPTGROUP:
    case GUMBO_TAG_DATALIST:
      return true;
    default:
      return false;
  }
}

// The page's elements open around each place, outermost first.
std::vector<GumboTag> PlaceElements(TextPlace place) {
  switch (place) {
    case TextPlace::Heading: return {GUMBO_TAG_BODY, GUMBO_TAG_H1};
    case TextPlace::FormRowBlock:
      return {GUMBO_TAG_BODY, GUMBO_TAG_FORM, GUMBO_TAG_OL, GUMBO_TAG_LI, GUMBO_TAG_DIV};
    case TextPlace::ListItemSpan: return {GUMBO_TAG_BODY, GUMBO_TAG_OL, GUMBO_TAG_LI, GUMBO_TAG_SPAN};
    case TextPlace::Block: break;
  }
  return {GUMBO_TAG_BODY, GUMBO_TAG_DIV};
}

// Whether an HTML element of the text, its start tag read with the text's
// elements in open (innermost last) inside the place's elements, would
// close or leave an element of the place, as the tree construction of a
// browser reads it.  Only what a start tag does beyond the current node
// matters: the text's own elements were built by the same rules.
class PlaceGuard {
 public:
  explicit PlaceGuard(TextPlace place) : page_(PlaceElements(place)) {
    for (const GumboTag t : page_) pageForm_ = pageForm_ || t == GUMBO_TAG_FORM;
  }
  bool PageForm() const { return pageForm_; }

  bool Leaves(GumboTag t, const std::vector<GumboTag>& open) const {
    if (t == GUMBO_TAG_LI) return ClosesItem(open, [](GumboTag x) { return x == GUMBO_TAG_LI; });
    if (t == GUMBO_TAG_DD || t == GUMBO_TAG_DT)
      return ClosesItem(open, [](GumboTag x) { return x == GUMBO_TAG_DD || x == GUMBO_TAG_DT; });
    if (IsHeading(t) && open.empty() && IsHeading(page_.back())) return true;
    if (ClosesParagraph(t) && InScope(open, GUMBO_TAG_P, true)) return true;
    if (t == GUMBO_TAG_BUTTON && InScope(open, GUMBO_TAG_BUTTON, false)) return true;
    if (t == GUMBO_TAG_NOBR && InScope(open, GUMBO_TAG_NOBR, false)) return true;
    if (t == GUMBO_TAG_A) {
      // An <a> among the active formatting elements since the last marker.
      for (const GumboTag x : open)
        if (IsMarker(x)) return false;
      for (auto x = page_.rbegin(); x != page_.rend(); ++x) {
        if (IsMarker(*x)) return false;
        if (*x == GUMBO_TAG_A) return true;
      }
    }
    return false;
  }

 private:
  static bool IsMarker(GumboTag t) {
    return t == GUMBO_TAG_TD || t == GUMBO_TAG_TH || t == GUMBO_TAG_CAPTION ||
           t == GUMBO_TAG_APPLET || t == GUMBO_TAG_OBJECT || t == GUMBO_TAG_MARQUEE ||
           t == GUMBO_TAG_TEMPLATE;
  }
  template <typename Item>
  bool ClosesItem(const std::vector<GumboTag>& open, Item item) const {
    for (const GumboTag x : open)
      if (StopsItemSearch(x)) return false;
    for (auto x = page_.rbegin(); x != page_.rend(); ++x) {
      if (item(*x)) return true;
      if (StopsItemSearch(*x)) return false;
    }
    return false;
  }
  bool InScope(const std::vector<GumboTag>& open, GumboTag wanted, bool button) const {
    for (const GumboTag x : open)
      if (EndsScope(x, button)) return false;
    for (auto x = page_.rbegin(); x != page_.rend(); ++x) {
      if (*x == wanted) return true;
      if (EndsScope(*x, button)) return false;
    }
    return false;
  }

  std::vector<GumboTag> page_;
  bool pageForm_ = false;
};

// ------------------------------------------------------ ids and names ----

bool HasTeacherPrefix(const std::string& v) {
  return v.compare(0, std::strlen(kTeacherIdPrefix), kTeacherIdPrefix) == 0;
}

bool Before(const char* a, const std::string& b) { return b.compare(a) > 0; }

bool InTable(const char* const* begin, const char* const* end, const std::string& v) {
  const char* const* at = std::lower_bound(begin, end, v, Before);
  return at != end && v == *at;
}

// The ids and names the pages of an exercise use, in lower case, sorted: in
// their markup (the templates, and what the export writes into them) and in
// what their scripts look up, name or make (frames, windows, the hash of an
// address).  A template that gains one this table lacks fails the test of
// the page places (EveryIdAndNameOfTheTemplatesClashes).
const char* const kPageNames[] = {
    "acrosshead", "acrosslist", "announce", "backbutton", "board", "cards", "checkbutton",
    "clues", "codeframe", "contentsbutton", "crossword", "currentclue", "downhead", "downlist",
    "exercise", "exinstructions", "exsubtitle", "extitle", "feedbackframe", "gridholder",
    "gridsource", "guess", "help", "helpheading", "helpslot", "hintbutton", "keyhelp",
    "matchform", "navbar", "nextexbutton", "nextq", "pairs", "popup", "popupnext", "popupok",
    "popuptext", "prevq", "printlist", "puzzleinstructions", "puzzlesubtitle", "puzzletitle",
    "qannounce", "qfeedback", "qhead", "qmark", "qnext", "qnextbutton", "qnumber", "qtext",
    "questions", "quiztitle", "reading", "readingbar", "readingbutton", "readingframe",
    "readingprompt", "readingstatus", "readingtoggle", "rows", "score", "showbutton", "status",
    "timeleft", "topnav", "tray", "trayback", "welcometoggle",
};

// Families of them, a word and a number ("G12", "QT3"), in lower case,
// sorted; "" for a number alone (the select lists of the matching page).
const char* const kPageNameFamilies[] = {"", "choice", "f", "g", "left", "mark", "n", "q", "qn", "qt"};

// The property names of a document and of a form in Chromium and Firefox
// ESR, sorted: an element of that id or name would be found in their place.
// Written by tests/web/tools/page-property-names.mjs; ids.test.mjs compares
// it with both browsers.
const char* const kPropertyNames[] = {
#include "shared/core/PagePropertyNames.inc"
};

}  // namespace

bool ClashesWithPage(const std::string& v) {
  if (v.empty()) return false;
  if (InTable(std::begin(kPropertyNames), std::end(kPropertyNames), v)) return true;
  const std::string lower = LowerAscii(v);
  if (InTable(std::begin(kPageNames), std::end(kPageNames), lower)) return true;
  const size_t word = lower.find_last_not_of("0123456789") + 1;  // npos + 1: a number alone
  return word < lower.size() &&
         InTable(std::begin(kPageNameFamilies), std::end(kPageNameFamilies), lower.substr(0, word));
}

namespace {

// An id or name as written: as typed, but one that clashes with the page's
// own, which gets the prefix.  One that has the prefix already stays, so that
// a text written twice comes out the same.
std::string TeacherId(const std::string& v) {
  return HasTeacherPrefix(v) || !ClashesWithPage(v) ? v : kTeacherIdPrefix + v;
}

// A list of ids parted by blanks, each one a teacher's.
std::string TeacherIdList(const std::string& v) {
  std::string out;
  size_t i = 0;
  while (i < v.size()) {
    const size_t start = i;
    const bool blank = std::isspace(static_cast<unsigned char>(v[i])) != 0;
    while (i < v.size() && (std::isspace(static_cast<unsigned char>(v[i])) != 0) == blank) ++i;
    const std::string part = v.substr(start, i - start);
    out += blank ? part : TeacherId(part);
  }
  return out;
}

// "#x" as "#" + the teacher's x; anything else (another page, "#", "#top")
// stays.
std::string TeacherFragment(const std::string& v) {
  if (v.size() < 2 || v[0] != '#' || LowerAscii(v.substr(1)) == "top") return v;
  return "#" + TeacherId(v.substr(1));
}

// Every "url(#x)" of a picture's attribute with the teacher's x.
std::string TeacherUrls(const std::string& v) {
  std::string out;
  size_t from = 0;
  for (size_t at; (at = v.find("url(", from)) != std::string::npos;) {
    size_t i = at + 4;
    while (i < v.size() && (v[i] == ' ' || v[i] == '"' || v[i] == '\'')) ++i;
    out.append(v, from, i - from);
    from = i;
    if (i < v.size() && v[i] == '#') {
      size_t end = i + 1;
      while (end < v.size() && v[end] != ')' && v[end] != '"' && v[end] != '\'' && v[end] != ' ')
        ++end;
      out += TeacherFragment(v.substr(i, end - i));
      from = end;
    }
  }
  out.append(v, from, std::string::npos);
  return out;
}

// An attribute's value as written: ids, names and references to them the
// teacher's own.
std::string AttributeText(const GumboElement& e, const std::string& name, const char* value) {
  const std::string v = value;
  // A plugin's parameter is named for the plugin, not for the page.
  if (name == "name" && e.tag == GUMBO_TAG_PARAM && e.tag_namespace == GUMBO_NAMESPACE_HTML) return v;
  if (name == "id" || name == "name") return TeacherId(v);
  if (name == "href" || name == "xlink:href" || name == "usemap") return TeacherFragment(v);
  if (name == "for" || name == "headers" || name == "aria-labelledby" ||
      name == "aria-describedby" || name == "aria-controls" || name == "aria-owns" ||
      name == "aria-flowto" || name == "aria-details" || name == "aria-errormessage" ||
      name == "itemref")
    return TeacherIdList(v);
  if (name == "list" || name == "form" || name == "aria-activedescendant" ||
      name == "popovertarget" || name == "commandfor" || name == "anchor" || name == "contextmenu")
    return TeacherId(v);
  if (e.tag_namespace == GUMBO_NAMESPACE_SVG && v.find("url(") != std::string::npos)
    return TeacherUrls(v);
  return v;
}

// The content of a script, style and the like between the marks of raw
// text, its brackets marked, and no control character that would read as a
// mark.
void AppendRawText(std::string& out, const std::string& text) {
  out += kRawTextStart;
  for (const char c : text) {
    if (c == '[')
      out += kRawTextBracket;
    else if (static_cast<unsigned char>(c) < 0x20 && c != '\t' && c != '\n' && c != '\f')
      out += "\xEF\xBF\xBD";  // no mark of the page's own
    else
      out += c;
  }
  out += kRawTextEnd;
}

// A text node with its line breaks as <BR> (and tabs as five no-break
// spaces), but a break that the block or <BR> before it, or the block it
// starts or ends, shows already.  A break before a block stays: a <BR> that
// ends a line adds no line of its own, and a blank line typed there is kept.
void AppendWithBreaks(std::string& out, const GumboNode* n, bool insideBlock) {
  const char* text = n->v.text.text;
  const size_t length = std::strlen(text);
  const GumboNode* parent = n->parent;
  const GumboVector* siblings = parent != nullptr ? ChildrenOf(parent) : nullptr;
  const unsigned at = static_cast<unsigned>(n->index_within_parent);
  const bool first = siblings == nullptr || at == 0;
  // A break right after a <BR> is shown by it.
  const bool afterBlock =
      first ? insideBlock
            : IsBlock(ChildAt(siblings, at - 1)) || IsHtml(ChildAt(siblings, at - 1), GUMBO_TAG_BR);
  const bool endsBlock = insideBlock && (siblings == nullptr || at + 1 >= siblings->length);
  auto blank = [](char c) { return c == ' ' || c == '\t'; };
  size_t skipFirst = std::string::npos;
  size_t skipLast = std::string::npos;
  if (afterBlock) {
    size_t i = 0;
    while (i < length && blank(text[i])) ++i;
    if (i < length && text[i] == '\n') skipFirst = i;
  }
  if (endsBlock) {
    size_t i = length;
    while (i > 0 && blank(text[i - 1])) --i;
    if (i > 0 && text[i - 1] == '\n' && i - 1 != skipFirst) skipLast = i - 1;
  }
  // Escaped piece by piece, the breaks and tabs written as markup.
  size_t from = 0;
  for (size_t i = 0; i <= length; ++i) {
    const bool br = i < length && text[i] == '\n' && i != skipFirst && i != skipLast;
    const bool tab = i < length && text[i] == '\t';
    if (i < length && !br && !tab) continue;
    AppendEscaped(out, std::string(text + from, i - from).c_str(), false);
    if (br) out += "<BR>\n";
    if (tab) out += "&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;";
    from = i + 1;
  }
}

// The tree written back as markup (UTF-8, LF line ends), for the place it
// lands in.  With rawMarks, the content of raw text elements stands between
// the marks of raw text.
std::string Serialize(const Fragment& f, TextPlace place, bool rawMarks) {
  const PlaceGuard guard(place);
  std::string out;
  out.reserve(f.Text().size() + f.Text().size() / 8 + 16);
  size_t textEnd = std::string::npos;           // where the last text written ends
  size_t lineBreakDropped = std::string::npos;  // where a <pre>'s content starts
  std::vector<std::string> endTags;             // of the elements entered
  std::vector<bool> htmlInside{true};           // whether HTML elements may stand there
  std::vector<bool> breaksShown{true};          // whether text there gets <BR>s
  std::vector<GumboTag> written;                // the HTML elements written, open
  int forms = guard.PageForm() ? 1 : 0;         // forms open
  int depth = 0;                                // elements written, open
  Walk(
      f.Root(),
      [&](const GumboNode* n) {
        switch (n->type) {
          case GUMBO_NODE_TEXT:
          case GUMBO_NODE_WHITESPACE:
          case GUMBO_NODE_CDATA: {
            // The parser drops a line break right after <pre>.
            if (out.size() == lineBreakDropped && n->v.text.text[0] == '\n') out += '\n';
            const GumboNode* parent = n->parent;
            const bool root = parent == nullptr || parent == f.Root();
            const bool structure = !root && parent->type == GUMBO_NODE_ELEMENT &&
                                   parent->v.element.tag_namespace == GUMBO_NAMESPACE_HTML &&
                                   HoldsStructure(parent->v.element.tag);
            if (breaksShown.back() && !structure && n->type != GUMBO_NODE_CDATA)
              AppendWithBreaks(out, n, !root && IsBlock(parent));
            else
              AppendEscaped(out, n->v.text.text, false);
            textEnd = out.size();
            return false;
          }
          case GUMBO_NODE_COMMENT:
            out += "<!--";
            out += n->v.text.text;
            out += "-->";
            return false;
          case GUMBO_NODE_ELEMENT:
          case GUMBO_NODE_TEMPLATE:
            break;
          default:
            return false;
        }
        const GumboElement& e = n->v.element;
        if (IsHtml(n, GUMBO_TAG_PLAINTEXT)) {
          // Everything after it would be its text, the rest of the page too:
          // it is shown as typed instead.
          const std::string tag(e.original_tag.data ? e.original_tag.data : "", e.original_tag.length);
          AppendEscaped(out, tag.c_str(), false);
          AppendEscaped(out, RawTextOf(n).c_str(), false);
          textEnd = out.size();
          return false;
        }
        // A base or meta element acts on the whole page.
        if (IsHtml(n, GUMBO_TAG_BASE) || IsHtml(n, GUMBO_TAG_META)) return false;
        const std::string name = ElementName(e);
        const bool html = e.tag_namespace == GUMBO_NAMESPACE_HTML;
        // A form within a form is left out when read again, and an HTML
        // element within an <svg> or <math> leaves it; so does one that
        // would close or leave the page's elements around the text, and one
        // nested deeper than a browser nests.
        const bool form = IsHtml(n, GUMBO_TAG_FORM);
        if (name.empty() || (form && forms > 0) || (html && !htmlInside.back()) ||
            (html && guard.Leaves(e.tag, written)) || depth >= kMaxMarkupDepth) {
          endTags.emplace_back();  // its content stands in its place
          htmlInside.push_back(htmlInside.back());
          breaksShown.push_back(breaksShown.back() && (!html || !KeepsLineBreaks(e.tag)));
          return true;
        }
        out += '<';
        out += name;
        for (unsigned i = 0; i < e.attributes.length; ++i) {
          const auto* a = static_cast<const GumboAttribute*>(e.attributes.data[i]);
          if (!IsPlainName(a->name)) continue;
          const std::string attribute = AttributeName(*a);
          out += ' ';
          out += attribute;
          out += "=\"";
          AppendEscaped(out, AttributeText(e, attribute, a->value).c_str(), true);
          out += '"';
        }
        out += '>';
        if (html && IsVoid(e.tag)) return false;
        if (html && IsRawText(e.tag)) {
          std::string text = RawTextOf(n);
          // A script the text left open may end where its end tag would not
          // close it ("<!--<script>"), or hold an end tag that would close
          // it once that is mended.
          if (e.tag == GUMBO_TAG_SCRIPT && e.original_end_tag.length == 0) text = UnendingScript(text);
          if (rawMarks)
            AppendRawText(out, text);
          else
            out += text;
          out += "</" + EndTagName(e, name) + ">";
          return false;
        }
        if (html && (e.tag == GUMBO_TAG_PRE || e.tag == GUMBO_TAG_TEXTAREA || e.tag == GUMBO_TAG_LISTING))
          lineBreakDropped = out.size();
        if (form) ++forms;
        ++depth;
        written.push_back(html ? e.tag : GUMBO_TAG_UNKNOWN);
        endTags.push_back("</" + EndTagName(e, name) + ">");
        htmlInside.push_back(html || IsIntegrationPoint(e));
        // Text in an <svg> or <math> is no line of the page; in an element
        // where HTML may stand again, it is.
        breaksShown.push_back(html ? breaksShown.back() && !KeepsLineBreaks(e.tag)
                                   : breaksShown.back() && IsIntegrationPoint(e) &&
                                         e.tag == GUMBO_TAG_FOREIGNOBJECT);
        return true;
      },
      [&](const GumboNode* n) {
        htmlInside.pop_back();
        breaksShown.pop_back();
        if (endTags.back().empty()) {
          endTags.pop_back();
          return;
        }
        if (IsHtml(n, GUMBO_TAG_FORM)) {
          // Gumbo puts text that stands right before "</form>" after the
          // form; an empty comment keeps it inside.
          if (textEnd == out.size()) out += "<!---->";
          --forms;
        }
        --depth;
        written.pop_back();
        out += endTags.back();
        endTags.pop_back();
      });
  return out;
}

// UTF-8 back to the page's code page: line ends CR LF, characters it cannot
// hold as numeric references, placeholder brackets as "&#91;".
std::string ToPageText(const std::string& utf8) {
  std::string crlf;
  crlf.reserve(utf8.size() + utf8.size() / 16);
  for (const char c : utf8) {
    if (c == '\n') crlf += '\r';
    crlf += c;
  }
  return NoPlaceholderWords(tavrel::Utf8ToWin1252(crlf));
}

// The text of the parse alone, escaped.
std::string TextOnly(const Fragment& f) {
  std::string out;
  Walk(
      f.Root(),
      [&](const GumboNode* n) {
        if (IsTextLike(n)) AppendEscaped(out, n->v.text.text, false);
        return n->type != GUMBO_NODE_COMMENT && !HiddenContent(n);
      },
      [](const GumboNode*) {});
  return out;
}

// ---------------------------------------------------------------- depth ----

// The text (Windows-1252) with the tags of the elements nested deeper than
// a browser nests left out, their content kept: a quick reading of the tags
// as the parser reads them, so that the parser, whose cost grows with the
// square of the depth, never sees a deeper tree.  Texts with fewer tags than
// the bound cannot be that deep and are left as they are.
class DepthBound {
 public:
  explicit DepthBound(const std::string& s) : s_(s) {}

  std::string Bounded() {
    if (static_cast<size_t>(std::count(s_.begin(), s_.end(), '<')) <= kMaxDepth) return s_;
    out_.reserve(s_.size());
    size_t copied = 0;
    size_t i = 0;
    while ((i = s_.find('<', i)) != std::string::npos) {
      const size_t start = i;
      if (s_.compare(i, 4, "<!--") == 0) {
        const size_t end = s_.find("-->", i + 4);
        i = end == std::string::npos ? s_.size() : end + 3;
        continue;
      }
      if (i + 1 < s_.size() && (s_[i + 1] == '!' || s_[i + 1] == '?')) {
        const size_t end = s_.find('>', i);
        i = end == std::string::npos ? s_.size() : end + 1;
        continue;
      }
      const bool endTag = i + 1 < s_.size() && s_[i + 1] == '/';
      size_t n = i + (endTag ? 2 : 1);
      if (n >= s_.size() || !std::isalpha(static_cast<unsigned char>(s_[n]))) {
        i = n;
        continue;
      }
      size_t nameEnd = n;
      while (nameEnd < s_.size() && !IsTagEnd(s_[nameEnd])) ++nameEnd;
      const std::string name = LowerAscii(s_.substr(n, nameEnd - n));
      bool selfClosing = false;
      const size_t end = TagEndIn(s_, nameEnd, selfClosing);
      if (end == std::string::npos) break;  // cut short: shown as typed
      i = end;
      const GumboTag tag = gumbo_tag_enum(name.c_str());
      bool keep = true;
      if (endTag) {
        keep = Close(tag);
      } else {
        keep = Open(tag, selfClosing);
        if (keep && IsRawTextTag(tag)) i = RawTextEnd(i, name);
        if (tag == GUMBO_TAG_PLAINTEXT) i = s_.size();
      }
      if (!keep) {
        out_.append(s_, copied, start - copied);
        copied = end;
      }
    }
    out_.append(s_, copied, std::string::npos);
    return out_;
  }

 private:
  static constexpr size_t kMaxDepth = kMaxMarkupDepth;
  struct Open_ {
    GumboTag tag;
    bool foreign;
  };

  static bool IsTagEnd(char c) {
    return c == '>' || c == '/' || c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f';
  }
  static bool IsRawTextTag(GumboTag t) {
    return IsRawText(t) || t == GUMBO_TAG_TEXTAREA || t == GUMBO_TAG_TITLE;
  }

  // Past the end tag of a raw text element named name that starts at i.
  size_t RawTextEnd(size_t i, const std::string& name) const {
    for (size_t at = s_.find("</", i); at != std::string::npos; at = s_.find("</", at + 2)) {
      if (at + 2 + name.size() > s_.size()) break;
      if (LowerAscii(s_.substr(at + 2, name.size())) != name) continue;
      const size_t after = at + 2 + name.size();
      if (after < s_.size() && !IsTagEnd(s_[after])) continue;
      return at;
    }
    return s_.size();
  }

  bool InForeign() const { return !open_.empty() && open_.back().foreign; }

  void Push(GumboTag t, bool foreign) {
    open_.push_back({t, foreign});
    ++count_[t];
  }
  void PopTo(size_t size) {
    while (open_.size() > size) {
      --count_[open_.back().tag];
      open_.pop_back();
    }
  }
  // Closes the innermost t, unless an element that ends the search comes
  // first; true when it did.
  template <typename Stop>
  bool CloseInnermost(GumboTag t, Stop stop) {
    if (count_[t] == 0) return false;
    for (size_t k = open_.size(); k-- > 0;) {
      if (open_[k].tag == t && !open_[k].foreign) {
        PopTo(k);
        return true;
      }
      if (stop(open_[k].tag)) return false;
    }
    return false;
  }

  bool Open(GumboTag t, bool selfClosing) {
    if (InForeign()) {
      if (LeavesForeignContent(t)) {
        while (InForeign()) PopTo(open_.size() - 1);
      } else {
        if (selfClosing) return true;
        return Enter(t, true);
      }
    }
    if (t == GUMBO_TAG_SVG || t == GUMBO_TAG_MATH) return selfClosing || Enter(t, true);
    if (IsVoid(t)) return true;
    auto scope = [](GumboTag x) { return EndsScope(x, true); };
    if (ClosesParagraph(t)) CloseInnermost(GUMBO_TAG_P, scope);
    if (t == GUMBO_TAG_LI) CloseInnermost(GUMBO_TAG_LI, StopsItemSearch);
    if (t == GUMBO_TAG_DD || t == GUMBO_TAG_DT) {
      CloseInnermost(GUMBO_TAG_DD, StopsItemSearch);
      CloseInnermost(GUMBO_TAG_DT, StopsItemSearch);
    }
    if (IsHeading(t) && !open_.empty() && IsHeading(open_.back().tag)) PopTo(open_.size() - 1);
    if (t == GUMBO_TAG_OPTION && !open_.empty() && open_.back().tag == GUMBO_TAG_OPTION)
      PopTo(open_.size() - 1);
    auto table = [](GumboTag x) { return x == GUMBO_TAG_TABLE; };
    if (t == GUMBO_TAG_TD || t == GUMBO_TAG_TH || t == GUMBO_TAG_TR) {
      CloseInnermost(GUMBO_TAG_TD, table);
      CloseInnermost(GUMBO_TAG_TH, table);
    }
    if (t == GUMBO_TAG_TR || t == GUMBO_TAG_TBODY || t == GUMBO_TAG_THEAD || t == GUMBO_TAG_TFOOT)
      CloseInnermost(GUMBO_TAG_TR, table);
    if (t == GUMBO_TAG_A || t == GUMBO_TAG_NOBR || t == GUMBO_TAG_BUTTON)
      CloseInnermost(t, scope);
    return Enter(t, false);
  }

  bool Enter(GumboTag t, bool foreign) {
    if (open_.size() >= kMaxDepth) {
      ++dropped_[t];
      return false;
    }
    Push(t, foreign);
    return true;
  }

  bool Close(GumboTag t) {
    if (dropped_[t] > 0) {
      --dropped_[t];
      return false;
    }
    CloseInnermost(t, [](GumboTag x) { return EndsScope(x, false); });
    return true;
  }

  const std::string& s_;
  std::string out_;
  std::vector<Open_> open_;
  size_t count_[GUMBO_TAG_LAST + 1] = {};
  size_t dropped_[GUMBO_TAG_LAST + 1] = {};
};

std::string BoundedDepth(const std::string& s) { return DepthBound(s).Bounded(); }

// The text with the marks of raw text taken out (its brackets back), as a
// text that was written once is read again.
std::string WithoutRawMarks(const std::string& s) {
  if (s.find_first_of(std::string{kRawTextStart, kRawTextEnd, kRawTextBracket}) == std::string::npos)
    return s;
  std::string out;
  out.reserve(s.size());
  for (const char c : s) {
    if (c == kRawTextBracket)
      out += '[';
    else if (c != kRawTextStart && c != kRawTextEnd)
      out += c;
  }
  return out;
}

}  // namespace

const char* const kTeacherIdPrefix = "tt-";

std::string MarkupText(const std::string& typed, TextPlace place) {
  if (typed.empty()) return typed;
  const std::string s = BoundedDepth(WithoutRawMarks(typed));
  auto parse = ParseTeacherText(s);
  std::string written = ToPageText(Serialize(*parse, place, true));
  // Tags the text nests wrongly may be built into another tree when the
  // markup is read again: it is written back until it reads as written.
  for (int i = 0; i < 4; ++i) {
    std::string again = ToPageText(Serialize(*ParseTeacherText(WithoutRawMarks(written)), place, true));
    if (again == written) return written;
    written = std::move(again);
  }
  return ToPageText(TextOnly(*parse));
}

std::string PageEntities(const std::string& s) {
  std::string out;
  out.reserve(s.size() + s.size() / 8);
  size_t from = 0;
  while (from < s.size()) {
    const size_t start = s.find(kRawTextStart, from);
    out += HighCharsToEntities(s.substr(from, start == std::string::npos ? std::string::npos : start - from));
    if (start == std::string::npos) break;
    size_t end = s.find(kRawTextEnd, start);
    end = end == std::string::npos ? s.size() : end + 1;
    out.append(s, start, end - start);
    from = end;
  }
  return out;
}

std::string PageText(const std::string& s) { return WithoutRawMarks(PageEntities(s)); }

namespace {

// The text as typed, as text: every "<" and ">" shown, line breaks as blanks.
std::string TypedText(const std::string& s) {
  std::string r;
  r.reserve(s.size() + 8);
  for (size_t i = 0; i < s.size(); ++i) {
    const char c = s[i];
    if (c == '<')
      r += "&lt;";
    else if (c == '>')
      r += "&gt;";
    else if (c == '[')
      r += "&#91;";
    else if (c == '\n' && i > 0 && s[i - 1] == '\r')
      continue;  // CR LF is one line break
    else if (c == '\r' || c == '\n')
      r += ' ';
    else
      r += c;
  }
  return r;
}

// Elements that innerText sets on lines of their own: blocks, list items,
// and a table's rows and cells.
bool BreaksShownLine(const GumboNode* n) {
  if (IsBlock(n)) return true;
  if (n->type != GUMBO_NODE_ELEMENT || n->v.element.tag_namespace != GUMBO_NAMESPACE_HTML) return false;
  const GumboTag t = n->v.element.tag;
  return t == GUMBO_TAG_LEGEND || t == GUMBO_TAG_BODY || t == GUMBO_TAG_HTML ||
         t == GUMBO_TAG_FRAMESET || t == GUMBO_TAG_FRAME;
}

}  // namespace

std::string ShownText(const std::string& s, bool typedWhenBlank) {
  const auto parse = ParseTeacherText(BoundedDepth(s));
  std::string shown;
  shown.reserve(s.size() + 8);
  bool blank = false;  // a blank to come before the next character shown
  auto put = [&](const char* c) {
    if (blank && !shown.empty()) shown += ' ';
    blank = false;
    shown += c;
  };
  Walk(
      parse->Root(),
      [&](const GumboNode* n) {
        if (HiddenContent(n)) return false;
        if (BreaksShownLine(n) || IsHtml(n, GUMBO_TAG_BR)) blank = true;
        if (!IsTextLike(n)) return true;
        for (const char* p = n->v.text.text; *p; ++p) {
          const char c[2] = {*p, 0};
          if (*p == ' ' || *p == '\t' || *p == '\n' || *p == '\r' || *p == '\f')
            blank = true;
          else if (*p == '[')
            put("&#91;");
          else if (*p == '&')
            put("&amp;");
          else if (*p == '<')
            put("&lt;");
          else if (*p == '>')
            put("&gt;");
          else
            put(c);
        }
        return false;
      },
      [&](const GumboNode* n) {
        if (BreaksShownLine(n)) blank = true;
      });
  shown = tavrel::Utf8ToWin1252(shown);
  return typedWhenBlank && Trim(shown).empty() ? TypedText(s) : shown;
}
