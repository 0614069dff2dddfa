// A random source that gives the draws a test scripts (cycling through
// them) and records how it was used.
#pragma once

#include <vector>

#include "pairo/core/MixStringList.h"

namespace pairo::testing {

class ScriptedRandom : public IMixRandom {
 public:
  explicit ScriptedRandom(std::vector<int> draws = {}) : draws_(std::move(draws)) {}
  void Reseed() override { ++reseeds; }
  // Without scripted draws every position stays where it is.
  int Below(int n) override {
    ranges.push_back(n);
    if (draws_.empty()) return static_cast<int>(ranges.size() - 1) % n;
    const int d = draws_[next_++ % draws_.size()];
    return d < n ? d : n - 1;
  }
  int reseeds = 0;
  std::vector<int> ranges;  // the n of every draw, in order

 private:
  std::vector<int> draws_;
  size_t next_ = 0;
};

}  // namespace pairo::testing
