// A teacher's text in a page: parsed as a browser parses an HTML fragment
// (Gumbo, an HTML5 parser) and written back, so that it holds only itself.
#include <gumbo.h>

#include <cctype>
#include <cstring>
#include <memory>
#include <new>
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

// One parse of a text (UTF-8) as the content of a <div>.
class Fragment {
 public:
  explicit Fragment(std::string utf8) : text_(std::move(utf8)) {
    GumboOptions options = kGumboDefaultOptions;
    options.allocator = &Arena::Allocate;
    options.deallocator = &Arena::Release;
    options.userdata = &arena_;
    options.max_errors = 0;
    options.fragment_context = GUMBO_TAG_DIV;
    output_ = gumbo_parse_with_options(&options, text_.data(), text_.size());
  }
  Fragment(const Fragment&) = delete;
  Fragment& operator=(const Fragment&) = delete;

  const GumboNode* Root() const { return output_->root; }
  const std::string& Text() const { return text_; }
  size_t OffsetOf(const char* p) const { return static_cast<size_t>(p - text_.data()); }

 private:
  Arena arena_;
  std::string text_;
  GumboOutput* output_ = nullptr;
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
    if (piece.data != nullptr && piece.length > 0) end = std::max(end, f.OffsetOf(piece.data) + piece.length);
  };
  Walk(
      f.Root(),
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
      f.Root(),
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

// The parse of a teacher's text.  A parser drops a tag that the end of the
// text cuts short ("a<b", "<a title=\"x"); here every "<" from the start of
// such a tag on is text instead, shown as typed.
std::unique_ptr<Fragment> ParseTeacherText(const std::string& s) {
  auto parse = std::make_unique<Fragment>(tavrel::Win1252ToUtf8(s));
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

// An <svg> or <math> element within which HTML elements may stand.
bool IsIntegrationPoint(const GumboElement& e) {
  if (e.tag_namespace == GUMBO_NAMESPACE_SVG)
    return e.tag == GUMBO_TAG_FOREIGNOBJECT || e.tag == GUMBO_TAG_DESC || e.tag == GUMBO_TAG_TITLE;
  if (e.tag_namespace == GUMBO_NAMESPACE_MATHML)
    return e.tag == GUMBO_TAG_MI || e.tag == GUMBO_TAG_MO || e.tag == GUMBO_TAG_MN || e.tag == GUMBO_TAG_MS ||
           e.tag == GUMBO_TAG_MTEXT || e.tag == GUMBO_TAG_ANNOTATION_XML;
  return true;
}

// An element's name: as the text spells its start tag where that is the
// same name (letter case aside), so that "<BR>" stays "<BR>"; "" where it
// has none a tag could carry.
std::string ElementName(const GumboElement& e) {
  if (e.tag_namespace != GUMBO_NAMESPACE_HTML && LeavesForeignContent(e.tag)) return std::string();
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

// Elements whose content a reader never sees as text of the page.
bool HiddenContent(const GumboNode* n) {
  if (n->type == GUMBO_NODE_TEMPLATE) return true;
  if (n->type != GUMBO_NODE_ELEMENT || n->v.element.tag_namespace != GUMBO_NAMESPACE_HTML) return false;
  const GumboTag t = n->v.element.tag;
  return IsRawText(t) || t == GUMBO_TAG_TITLE || t == GUMBO_TAG_TEXTAREA;
}

// The tree written back as markup (UTF-8, LF line ends).
std::string Serialize(const Fragment& f) {
  std::string out;
  out.reserve(f.Text().size() + f.Text().size() / 8 + 16);
  size_t textEnd = std::string::npos;           // where the last text written ends
  size_t lineBreakDropped = std::string::npos;  // where a <pre>'s content starts
  std::vector<std::string> endTags;             // of the elements entered
  std::vector<bool> htmlInside{true};           // whether HTML elements may stand there
  int forms = 0;                                // forms open
  Walk(
      f.Root(),
      [&](const GumboNode* n) {
        switch (n->type) {
          case GUMBO_NODE_TEXT:
          case GUMBO_NODE_WHITESPACE:
          case GUMBO_NODE_CDATA:
            // The parser drops a line break right after <pre>.
            if (out.size() == lineBreakDropped && n->v.text.text[0] == '\n') out += '\n';
            AppendEscaped(out, n->v.text.text, false);
            textEnd = out.size();
            return false;
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
        const std::string name = ElementName(e);
        const bool html = e.tag_namespace == GUMBO_NAMESPACE_HTML;
        // A form within a form is left out when read again, and an HTML
        // element within an <svg> or <math> leaves it.
        const bool form = IsHtml(n, GUMBO_TAG_FORM);
        if (name.empty() || (form && forms > 0) || (html && !htmlInside.back())) {
          endTags.emplace_back();  // its content stands in its place
          htmlInside.push_back(htmlInside.back());
          return true;
        }
        out += '<';
        out += name;
        for (unsigned i = 0; i < e.attributes.length; ++i) {
          const auto* a = static_cast<const GumboAttribute*>(e.attributes.data[i]);
          if (!IsPlainName(a->name)) continue;
          out += ' ';
          out += AttributeName(*a);
          out += "=\"";
          AppendEscaped(out, a->value, true);
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
          out += text;
          out += "</" + EndTagName(e, name) + ">";
          return false;
        }
        if (html && (e.tag == GUMBO_TAG_PRE || e.tag == GUMBO_TAG_TEXTAREA || e.tag == GUMBO_TAG_LISTING))
          lineBreakDropped = out.size();
        if (form) ++forms;
        endTags.push_back("</" + EndTagName(e, name) + ">");
        htmlInside.push_back(html || IsIntegrationPoint(e));
        return true;
      },
      [&](const GumboNode* n) {
        htmlInside.pop_back();
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

}  // namespace

std::string MarkupText(const std::string& s) {
  if (s.empty()) return s;
  const auto parse = ParseTeacherText(s);
  std::string written = ToPageText(Serialize(*parse));
  // Tags the text nests wrongly may be built into another tree when the
  // markup is read again: it is written back until it reads as written.
  for (int i = 0; i < 4; ++i) {
    std::string again = ToPageText(Serialize(*ParseTeacherText(written)));
    if (again == written) return written;
    written = std::move(again);
  }
  return ToPageText(TextOnly(*parse));
}

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

}  // namespace

std::string ShownText(const std::string& s, bool typedWhenBlank) {
  const auto parse = ParseTeacherText(s);
  std::string shown;
  shown.reserve(s.size() + 8);
  Walk(
      parse->Root(),
      [&](const GumboNode* n) {
        if (HiddenContent(n)) return false;
        if (!IsTextLike(n)) return true;
        for (const char* p = n->v.text.text; *p; ++p) {
          if (*p == '\n')
            shown += ' ';
          else if (*p == '[')
            shown += "&#91;";
          else if (*p == '&')
            shown += "&amp;";
          else if (*p == '<')
            shown += "&lt;";
          else if (*p == '>')
            shown += "&gt;";
          else
            shown += *p;
        }
        return false;
      },
      [](const GumboNode*) {});
  shown = tavrel::Utf8ToWin1252(shown);
  return typedWhenBlank && Trim(shown).empty() ? TypedText(s) : shown;
}
