// The XML data file the programs share in shape: a root element holding the
// version, the data (the title, the reading, the exercise's own element)
// and the embedded configuration.  Each program names its root, its
// exercise element and its configuration section.  No Qt.
#pragma once

#include <string>

namespace exercisedoc {

struct Layout {
  const char* root;           // "tavrel-askery-file"
  const char* body;           // the exercise's element, "questions"
  const char* configSection;  // the program's section of the embedded configuration, "askery"
};

// The file's text: the reading element follows the title unless null; the
// exercise element holds bodyContent on lines of its own; lineBreakAtEnd
// ends the file with a line break after the root's closing tag.
std::string Build(const Layout& layout, int majorVersion, const std::string& title,
                  const std::string* readingElement, const std::string& bodyContent,
                  const std::string& configXML, bool lineBreakAtEnd);

// True when the text holds a version below the root (an XML data file), false
// when it is to be read as an old line-based file.
bool IsDocument(const Layout& layout, const std::string& text);

// The content of the exercise element alone ("" when there is none).
std::string BodyOf(const Layout& layout, const std::string& text);

struct Parts {
  std::string title;      // unescaped
  std::string nextExURL;  // unescaped, from the embedded configuration
  std::string body;       // the exercise element's content
  std::string reading;    // the reading element's content
};

// The parts of an XML data file; a missing title or next exercise address
// keeps the current one, a missing element reads as empty.
Parts Read(const Layout& layout, const std::string& text, const std::string& currentTitle,
           const std::string& currentNextExURL);

}  // namespace exercisedoc
