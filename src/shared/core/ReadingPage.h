// The reading page: the typed reading (title and text) put into the reading
// template "tavrelr.ht_", in its frames form (browser version 3) or its
// single-page form (browser version 4).  Also the test that tells a reading
// given as a web address from reading text.  Pure: Windows-1252 text, no Qt.
#pragma once

#include <string>

// What the reading page shows beside the typed reading: the background
// picture and colours of the configuration in force.
struct ReadingPageInput {
  std::string title;  // as typed (HTML allowed)
  std::string text;   // as typed (HTML allowed), CR LF line breaks
  std::string graphicURL;
  std::string pageBGColor;
  std::string titleColor;
  std::string textColor;
  std::string exBGColor;
};

// Builds the page from the template text: the sections of the other browser
// version removed, those of this one kept (version 3 or 4; any other number
// processes neither), the placeholders filled, the author tag inserted and
// every character above 127 turned into its entity.
std::string BuildReadingPage(const std::string& templateText, int browserVersion,
                             const ReadingPageInput& in);

// True when s starts with "http://" or "https://" in any letter case: the
// reading is then an external web address that the pages open themselves.
bool IsWebAddress(const std::string& s);

// The suite's name, written into the author tag of every exported page.
inline constexpr const char* kAuthorProgramName = "Tavrel";
