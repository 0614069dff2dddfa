#include "shared/core/ElementWalker.h"

#include <algorithm>

TElementWalker::TElementWalker(const std::string& tag, const std::string& text)
    : open_("<" + tag + ">"), close_("</" + tag + ">"), text_(text) {}

bool TElementWalker::Next(std::string& content) {
  if (done_) return false;
  const size_t openLen = open_.size();

  // The remaining document is kept_ + text_[pos_..].  kept_ holds no whole
  // opening tag, so the first one either straddles the seam (starts in the
  // last openLen - 1 characters of kept_) or lies wholly behind pos_.
  size_t keptCut = std::string::npos;  // where the opening tag starts in kept_
  size_t contentStart = std::string::npos;
  const size_t tailLen = std::min(kept_.size(), openLen - 1);
  if (tailLen > 0 && pos_ < text_.size()) {
    std::string seam = kept_.substr(kept_.size() - tailLen);
    seam.append(text_, pos_, openLen - 1);
    const size_t at = seam.find(open_);
    if (at != std::string::npos && at < tailLen) {
      keptCut = kept_.size() - tailLen + at;
      contentStart = pos_ + (openLen - (tailLen - at));
    }
  }
  size_t openAt = std::string::npos;
  if (keptCut == std::string::npos) {
    openAt = text_.find(open_, pos_);
    if (openAt == std::string::npos) {
      done_ = true;
      return false;
    }
    contentStart = openAt + openLen;
  }
  const size_t closeAt = text_.find(close_, contentStart);
  if (closeAt == std::string::npos) {
    done_ = true;
    return false;
  }
  content.assign(text_, contentStart, closeAt - contentStart);
  if (keptCut != std::string::npos) {
    kept_.resize(keptCut);
  } else {
    kept_.append(text_, pos_, openAt - pos_);
  }
  pos_ = closeAt + close_.size();
  return true;
}
