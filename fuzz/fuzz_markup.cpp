// A teacher's text made a balanced fragment.  Placed in a page as
// <div id=s>text</div><p id=after></p>, it stays inside s, whatever it
// holds; made a fragment again, it comes out the same.  Its shown text
// comes to no harm either.
#include <gumbo.h>

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

#include "FuzzSupport.h"
#include "platform/core/TextCodec.h"
#include "shared/core/WebExport.h"

namespace {

using fuzzsupport::Check;

const GumboNode* Child(const GumboNode* n, unsigned i) {
  return static_cast<const GumboNode*>(n->v.element.children.data[i]);
}

bool HasId(const GumboNode* n, const char* id) {
  if (n->type != GUMBO_NODE_ELEMENT) return false;
  const GumboAttribute* a = gumbo_get_attribute(&n->v.element.attributes, "id");
  return a != nullptr && std::strcmp(a->value, id) == 0;
}

void CheckStaysInside(const std::string& markup) {
  const std::string page = "<div id=s>" + tavrel::Win1252ToUtf8(markup) + "</div><p id=after></p>";
  GumboOutput* out = gumbo_parse_with_options(&kGumboDefaultOptions, page.data(), page.size());
  // html > head, body; the body holds s and after, and nothing else.
  const GumboNode* body = nullptr;
  for (unsigned i = 0; i < out->root->v.element.children.length; ++i) {
    const GumboNode* c = Child(out->root, i);
    if (c->type == GUMBO_NODE_ELEMENT && c->v.element.tag == GUMBO_TAG_BODY) body = c;
  }
  Check(body != nullptr);
  Check(body->v.element.children.length == 2);
  Check(HasId(Child(body, 0), "s"));
  Check(HasId(Child(body, 1), "after"));
  Check(Child(body, 1)->v.element.children.length == 0);
  gumbo_destroy_output(&kGumboDefaultOptions, out);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  const std::string markup = MarkupText(text);
  CheckStaysInside(markup);
  Check(MarkupText(markup) == markup);
  const std::string shown = ShownText(text);
  Check(shown.find('<') == std::string::npos && shown.find('>') == std::string::npos);
  return 0;
}
