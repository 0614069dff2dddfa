#include "shared/core/ExerciseDocument.h"

#include "shared/core/XMLRoutines.h"

namespace exercisedoc {

namespace {

const std::string kCrLf = "\r\n";

std::string RootPath(const Layout& layout, const std::string& rest) {
  return std::string(layout.root) + "\\" + rest;
}

}  // namespace

std::string Build(const Layout& layout, int majorVersion, const std::string& title,
                  const std::string* readingElement, const std::string& bodyContent,
                  const std::string& configXML, bool lineBreakAtEnd) {
  const std::string body = layout.body;
  std::string doc;
  doc.reserve(bodyContent.size() + configXML.size() + (readingElement ? readingElement->size() : 0) +
              title.size() + 256);
  doc += std::string("<") + layout.root + ">" + kCrLf;
  doc += MakeElement(std::to_string(majorVersion), "version") + kCrLf + kCrLf;
  doc += "<data>" + kCrLf;
  doc += MakeElement(XMLEscape(title), "title") + kCrLf + kCrLf;
  if (readingElement) doc += *readingElement + kCrLf + kCrLf;
  doc += "<" + body + ">" + kCrLf;
  doc += bodyContent;
  doc += kCrLf + "</" + body + ">" + kCrLf;
  doc += "</data>" + kCrLf + kCrLf;
  doc += configXML + kCrLf;
  doc += std::string("</") + layout.root + ">";
  if (lineBreakAtEnd) doc += kCrLf;
  return doc;
}

bool IsDocument(const Layout& layout, const std::string& text) {
  return GetValueByPath(text, RootPath(layout, "version"), "XYZ") != "XYZ";
}

std::string BodyOf(const Layout& layout, const std::string& text) {
  return GetValueByPath(text, RootPath(layout, std::string("data\\") + layout.body), "");
}

Parts Read(const Layout& layout, const std::string& text, const std::string& currentTitle,
           const std::string& currentNextExURL) {
  Parts parts;
  std::string data;
  std::string doc = text;  // ExtractElement takes the document by reference
  ExtractElement(false, "data", doc, data);
  parts.title = XMLUnescape(GetValueByPath(text, RootPath(layout, "data\\title"), currentTitle));
  parts.nextExURL = XMLUnescape(GetValueByPath(
      text, RootPath(layout, std::string("tavrel-config-file\\") + layout.configSection + "\\next-ex-url"),
      currentNextExURL));
  ExtractElement(false, layout.body, data, parts.body);
  ExtractElement(false, "reading", data, parts.reading);
  return parts;
}

}  // namespace exercisedoc
