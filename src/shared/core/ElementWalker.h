// Takes the repeated elements of one name out of a text one after another,
// giving exactly the contents that calling ExtractElement(true, tag, text)
// again and again would give, but in time linear in the text: instead of
// cutting each element out of the front of the string, the walker keeps an
// offset into the untouched text and only the text before the elements
// taken so far (where an opening tag could still be formed across the place
// of a removed element).
#pragma once

#include <string>

class TElementWalker {
 public:
  // text must outlive the walker.
  TElementWalker(const std::string& tag, const std::string& text);

  // The content of the next element; false when ExtractElement would find
  // none (no opening tag, or no closing tag after it).
  bool Next(std::string& content);

 private:
  std::string open_;
  std::string close_;
  const std::string& text_;
  size_t pos_ = 0;     // start of the text not yet examined
  std::string kept_;   // text left before pos_ once the elements are removed
  bool done_ = false;
};
