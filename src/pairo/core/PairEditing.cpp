#include "pairo/core/PairEditing.h"

#include <vector>

#include "shared/core/TQList.h"

namespace pairo {

namespace {
const std::string kCrLf = "\r\n";
const std::string kTabs = "\t\t\t";
}  // namespace

std::optional<std::string> PrintCopyText(TQList& pairs, const std::string& title,
                                         const std::optional<PrintReading>& reading,
                                         IMixRandom& random) {
  const int n = pairs.RemoveTrailingEmptyQuestions();
  if (n < 1) return std::nullopt;
  TMixStringList mixed(&random);
  for (int j = 1; j <= n; ++j) mixed.Add(pairs.GetQuestionExtra(j));
  mixed.Shuffle(0);

  std::string t;
  for (int j = 1; j <= n; ++j) t += pairs.GetQuestionText(j) + kTabs + mixed[j - 1] + kCrLf;
  t = title + kCrLf + kCrLf + t;
  if (reading) t = reading->title + kCrLf + kCrLf + reading->text + kCrLf + kCrLf + t;
  t += kCrLf + kCrLf + "----------Key----------" + kCrLf + kCrLf;
  for (int j = 1; j <= n; ++j)
    t += pairs.GetQuestionText(j) + kTabs + pairs.GetQuestionExtra(j) + kCrLf;
  return t;
}

int ShuffleItems(TQList& pairs, IMixRandom& random) {
  const int n = pairs.RemoveEmptyQuestions();
  random.Reseed();
  for (int i = 0; i < n; ++i) pairs.Move(i, random.Below(n));
  return n;
}

bool MovePair(TQList& pairs, int from, int to) {
  if (from < 1 || to < 1 || from == to) return false;
  const int needed = from > to ? from : to;
  // Growing through a setter of the last number keeps every pair as it is.
  if (pairs.Count() < needed) pairs.SetQuestionText(needed, pairs.GetQuestionText(needed));
  pairs.Move(from - 1, to - 1);
  return true;
}

int ClonePair(TQList& pairs, int number) {
  if (number < 1 || number > pairs.Count()) return 0;
  const bool fixed = pairs.GetQuestionFlag(number);
  const int copy = pairs.DuplicateQuestion(number);
  if (copy > 0) pairs.SetQuestionFlag(copy, fixed);
  return copy;
}

}  // namespace pairo
