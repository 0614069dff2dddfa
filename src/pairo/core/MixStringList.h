// The matching program's shuffling list of strings, and the random source
// behind every jumble of the program (the print copy, the select-list page's
// options, Shuffle Items).  The random source is replaceable so that tests
// fix the order.  Pure: Windows-1252 text, no Qt.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace pairo {

// A source of uniform random positions.  Reseed is called at the start of
// every jumble; Below(n) gives a position in 0..n-1 (n >= 1).
class IMixRandom {
 public:
  virtual ~IMixRandom() = default;
  virtual void Reseed() = 0;
  virtual int Below(int n) = 0;
};

// Milliseconds since midnight, local time.
std::uint32_t MillisecondsOfDay();

// The program's generator: reseeded from the time of day in milliseconds at
// every jumble, so two jumbles within the same millisecond give the same
// order.  The clock can be replaced (a fixed clock gives a fixed order).
class TClockRandom : public IMixRandom {
 public:
  explicit TClockRandom(std::function<std::uint32_t()> clock = MillisecondsOfDay);
  void Reseed() override;
  int Below(int n) override;

 private:
  std::function<std::uint32_t()> clock_;
  std::uint64_t state_ = 0;
};

// The random source the program's jumbles use unless told otherwise; tests
// install their own (nullptr puts the clock generator back).
IMixRandom& MixRandom();
void SetMixRandom(IMixRandom* random);

// One jumble of v: reseed, then for every position i from the first to the
// last in turn, swap it with a position drawn afresh from the whole list
// (which may be i itself).  One draw per position, in order.
template <class T>
void MixInPlace(std::vector<T>& v, IMixRandom& random) {
  random.Reseed();
  const int n = static_cast<int>(v.size());
  for (int i = 0; i < n; ++i) {
    const int r = random.Below(n);
    if (r >= 0 && r < n && r != i) std::swap(v[static_cast<size_t>(i)], v[static_cast<size_t>(r)]);
  }
}

// An ordered list of strings (0-based) that can jumble its own order and
// tell where one chosen entry went.
class TMixStringList {
 public:
  explicit TMixStringList(IMixRandom* random = nullptr);

  int Count() const { return static_cast<int>(strings_.size()); }
  int Add(const std::string& s);  // index of the new entry
  void Insert(int index, const std::string& s);
  const std::string& operator[](int index) const { return strings_[static_cast<size_t>(index)]; }
  const std::vector<std::string>& Strings() const { return strings_; }
  void Clear() { strings_.clear(); }

  // Index of the first entry equal to s without regard to letter case
  // (the Windows-1252 case pairs of SameText1252); -1 when none.
  int IndexOf(const std::string& s) const;

  // Jumbles the order (MixInPlace) and returns the index of the first entry
  // that equals, without regard to case, the string that stood at
  // keepIndex.  An empty list or a keepIndex outside it: nothing changes,
  // -1.
  int Shuffle(int keepIndex);

 private:
  IMixRandom* random_;
  std::vector<std::string> strings_;
};

}  // namespace pairo
