#include "pairo/core/MixStringList.h"

#include <chrono>
#include <ctime>

#include "shared/core/StringFunctions.h"

namespace pairo {

std::uint32_t MillisecondsOfDay() {
  const auto now = std::chrono::system_clock::now();
  const std::time_t t = std::chrono::system_clock::to_time_t(now);
  std::tm local{};
  localtime_r(&t, &local);
  const auto ms =
      std::chrono::duration_cast<std::chrono::milliseconds>(now.time_since_epoch()).count() % 1000;
  return static_cast<std::uint32_t>(
      ((local.tm_hour * 60 + local.tm_min) * 60 + local.tm_sec) * 1000 + ms);
}

TClockRandom::TClockRandom(std::function<std::uint32_t()> clock) : clock_(std::move(clock)) {
  Reseed();
}

void TClockRandom::Reseed() { state_ = clock_ ? clock_() : 0; }

int TClockRandom::Below(int n) {
  if (n <= 1) return 0;
  // splitmix64: the same sequence for the same seed on every machine.
  state_ += 0x9E3779B97F4A7C15ull;
  std::uint64_t z = state_;
  z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
  z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
  z ^= z >> 31;
  // The top 32 bits scaled to 0..n-1.
  return static_cast<int>(((z >> 32) * static_cast<std::uint64_t>(n)) >> 32);
}

namespace {

IMixRandom*& Installed() {
  static IMixRandom* random = nullptr;
  return random;
}

}  // namespace

IMixRandom& MixRandom() {
  static TClockRandom clockRandom;
  IMixRandom* r = Installed();
  return r ? *r : clockRandom;
}

void SetMixRandom(IMixRandom* random) { Installed() = random; }

TMixStringList::TMixStringList(IMixRandom* random) : random_(random) {}

int TMixStringList::Add(const std::string& s) {
  strings_.push_back(s);
  return Count() - 1;
}

void TMixStringList::Insert(int index, const std::string& s) {
  if (index < 0) index = 0;
  if (index > Count()) index = Count();
  strings_.insert(strings_.begin() + index, s);
}

int TMixStringList::IndexOf(const std::string& s) const {
  for (int i = 0; i < Count(); ++i) {
    if (SameText1252(strings_[static_cast<size_t>(i)], s)) return i;
  }
  return -1;
}

int TMixStringList::Shuffle(int keepIndex) {
  if (keepIndex < 0 || keepIndex >= Count()) return -1;
  const std::string keep = strings_[static_cast<size_t>(keepIndex)];
  MixInPlace(strings_, random_ ? *random_ : MixRandom());
  return IndexOf(keep);
}

}  // namespace pairo
