// The picture library: lets the user choose a picture and hands back an HTML
// picture tag (or only the picture's address) as text for the caller to
// insert.  An empty result means nothing was chosen.
#pragma once

#include <string>

namespace tavrel {

// Lets the user choose a local picture.  With asTag the result is a complete
// <img> tag (src relative to the folder of dataFileName with "/" and "../",
// alt, width and height); without it only the picture's address.  While the
// exercise is untitled (dataFileName empty) the address is the picture's
// absolute file: URL.
void GetPicInfo(bool asTag, const std::string& dataFileName, std::string& result);

// Asks for a picture's web address and gives its <img> tag.
void GetWebPicTag(std::string& result);

}  // namespace tavrel
