#include "shared/forms/PictureLibrary.h"

#include "shared/core/HelpContexts.h"

#include <QFileInfo>
#include <QImageReader>
#include <QUrl>

#include "platform/core/Platform.h"
#include "platform/qt/QtText.h"
#include "shared/core/FileFunctions.h"
#include "shared/core/StringFunctions.h"

namespace tavrel {

namespace {

const char* const kPictureFilter =
    "Pictures (*.gif;*.jpg;*.jpeg;*.png;*.bmp;*.svg)|*.gif;*.jpg;*.jpeg;*.png;*.bmp;*.svg|"
    "All files (*.*)|*.*";

// A double quote would end the attribute value.
std::string attributeText(const std::string& s) { return ReplaceAll("\"", "&quot;", s); }

}  // namespace

void GetPicInfo(bool asTag, const std::string& dataFileName, std::string& result) {
  result.clear();
  FileDialogOptions dlg;
  dlg.title = "Choose a picture";
  dlg.filter = kPictureFilter;
  dlg.initialDir = ExtractFilePath(dataFileName);
  dlg.fileMustExist = true;
  dlg.pathMustExist = true;
  dlg.helpContext = kHelpPicture;
  if (!platform().openDialog(dlg) || dlg.fileName.empty()) return;

  const std::string picture = dlg.fileName;
  std::string address;
  if (dataFileName.empty()) {
    // Untitled: no folder to be relative to yet.
    address = fromQString(QUrl::fromLocalFile(QFileInfo(pathToQString(picture)).absoluteFilePath())
                              .toString(QUrl::FullyEncoded));
  } else {
    RelativeWebPath(dataFileName, picture, address);
  }
  if (!asTag) {
    result = address;
    return;
  }

  const QString name = QFileInfo(pathToQString(picture)).completeBaseName();
  result = "<img src=\"" + attributeText(address) + "\" alt=\"" + attributeText(fromQString(name)) + "\"";
  QImageReader reader(pathToQString(picture));
  const QSize size = reader.size();
  if (size.isValid() && !size.isEmpty())
    result += " width=\"" + std::to_string(size.width()) + "\" height=\"" + std::to_string(size.height()) + "\"";
  result += ">";
}

void GetWebPicTag(std::string& result) {
  result.clear();
  std::string url;
  if (!platform().inputQuery("Picture from the Web", "Web address (URL) of the picture:", url)) return;
  url = Trim(url);
  if (url.empty()) return;
  result = "<img src=\"" + attributeText(url) + "\" alt=\"\">";
}

}  // namespace tavrel
