#include "shared/core/TQList.h"

#include <algorithm>
#include <chrono>
#include <random>

#include "shared/core/StringFunctions.h"

namespace {

bool IsBlank(const std::string& s) {
  for (char c : s)
    if (static_cast<unsigned char>(c) > 32) return false;
  return true;
}

bool AnsEmpty(const Ans& a) { return IsBlank(a.Text) && IsBlank(a.Feedback); }

bool QuestEmpty(const Quest& q) {
  if (!IsBlank(q.Text) || !IsBlank(q.Extra)) return false;
  return std::all_of(q.Answers.begin(), q.Answers.end(), AnsEmpty);
}

}  // namespace

TQList::TQList(const TQList& other) {
  items_.reserve(other.items_.size());
  for (const auto& q : other.items_) items_.push_back(std::make_unique<Quest>(*q));
}

TQList& TQList::operator=(const TQList& other) {
  if (this != &other) *this = TQList(other);
  return *this;
}

int TQList::Count() const { return static_cast<int>(items_.size()); }

void TQList::Move(int from, int to) {
  const int n = Count();
  if (from < 0 || from >= n || to < 0 || to >= n || from == to) return;
  const auto f = items_.begin() + from;
  const auto t = items_.begin() + to;
  if (from < to)
    std::rotate(f, f + 1, t + 1);
  else
    std::rotate(t, f, f + 1);
}

int TQList::AddQuestion() {
  items_.push_back(std::make_unique<Quest>());
  return Count();
}

// Grows the list to qIndex questions; nullptr for a number below 1.
Quest* TQList::Grow(int qIndex) {
  if (qIndex < 1) return nullptr;
  while (Count() < qIndex) items_.push_back(std::make_unique<Quest>());
  return items_[static_cast<size_t>(qIndex) - 1].get();
}

const Quest* TQList::At(int qIndex) const {
  if (qIndex < 1 || qIndex > Count()) return nullptr;
  return items_[static_cast<size_t>(qIndex) - 1].get();
}

Quest* TQList::At(int qIndex) {
  return const_cast<Quest*>(static_cast<const TQList*>(this)->At(qIndex));
}

const Ans* TQList::AnswerAt(int qIndex, int aIndex) const {
  const Quest* q = At(qIndex);
  if (!q || aIndex < 1 || aIndex > static_cast<int>(q->Answers.size())) return nullptr;
  return &q->Answers[static_cast<size_t>(aIndex) - 1];
}

int TQList::AddAnswer(int qIndex) {
  Quest* q = Grow(qIndex);
  if (!q) return 0;
  q->Answers.emplace_back();
  return static_cast<int>(q->Answers.size());
}

void TQList::SetQuestionText(int qIndex, const std::string& s) {
  if (Quest* q = Grow(qIndex)) q->Text = s;
}

void TQList::SetQuestionExtra(int qIndex, const std::string& s) {
  if (Quest* q = Grow(qIndex)) q->Extra = s;
}

void TQList::SetQuestionFlag(int qIndex, bool value) {
  if (Quest* q = Grow(qIndex)) q->Flag = value;
}

void TQList::SetAnswer(int qIndex, int aIndex, const std::string& text,
                       const std::string& feedback, int correct) {
  if (aIndex < 1) return;
  Quest* q = Grow(qIndex);
  if (!q) return;
  if (static_cast<int>(q->Answers.size()) < aIndex) q->Answers.resize(static_cast<size_t>(aIndex));
  Ans& a = q->Answers[static_cast<size_t>(aIndex) - 1];
  a.Text = text;
  a.Feedback = feedback;
  a.Correct = correct;
}

std::string TQList::GetQuestionText(int qIndex) const {
  const Quest* q = At(qIndex);
  return q ? q->Text : std::string();
}

std::string TQList::GetQuestionExtra(int qIndex) const {
  const Quest* q = At(qIndex);
  return q ? q->Extra : std::string();
}

bool TQList::GetQuestionFlag(int qIndex) const {
  const Quest* q = At(qIndex);
  return q ? q->Flag : false;
}

int TQList::GetAnswerCount(int qIndex) const {
  const Quest* q = At(qIndex);
  return q ? static_cast<int>(q->Answers.size()) : 0;
}

std::string TQList::GetAnswerText(int qIndex, int aIndex) const {
  const Ans* a = AnswerAt(qIndex, aIndex);
  return a ? a->Text : std::string();
}

std::string TQList::GetAnswerFeedback(int qIndex, int aIndex) const {
  const Ans* a = AnswerAt(qIndex, aIndex);
  return a ? a->Feedback : std::string();
}

int TQList::GetAnswerCorrect(int qIndex, int aIndex) const {
  const Ans* a = AnswerAt(qIndex, aIndex);
  return a ? a->Correct : 0;
}

bool TQList::DeleteQuestion(int qIndex) {
  if (!At(qIndex)) return false;
  items_.erase(items_.begin() + (qIndex - 1));
  return true;
}

bool TQList::DeleteAnswer(int qIndex, int aIndex) {
  if (!AnswerAt(qIndex, aIndex)) return false;
  auto& answers = At(qIndex)->Answers;
  answers.erase(answers.begin() + (aIndex - 1));
  return true;
}

bool TQList::InsertQuestion(int qIndex) {
  if (qIndex < 1) return false;
  if (qIndex <= Count()) {
    items_.insert(items_.begin() + (qIndex - 1), std::make_unique<Quest>());
  } else {
    Grow(qIndex);
  }
  return true;
}

bool TQList::AnswerIsEmpty(int qIndex, int aIndex) const {
  const Ans* a = AnswerAt(qIndex, aIndex);
  return !a || AnsEmpty(*a);
}

bool TQList::QuestionIsEmpty(int qIndex) const {
  const Quest* q = At(qIndex);
  return !q || QuestEmpty(*q);
}

int TQList::RemoveEmptyQuestions() {
  // One pass that keeps the order of the questions that stay.
  items_.erase(std::remove_if(items_.begin(), items_.end(),
                              [](const std::unique_ptr<Quest>& q) { return QuestEmpty(*q); }),
               items_.end());
  return Count();
}

int TQList::RemoveTrailingEmptyQuestions() {
  while (!items_.empty() && QuestEmpty(*items_.back())) items_.pop_back();
  return Count();
}

int TQList::TrimEmptyAnswers(int qIndex) {
  Quest* q = At(qIndex);
  if (!q) return 0;
  while (!q->Answers.empty() && AnsEmpty(q->Answers.back())) q->Answers.pop_back();
  return static_cast<int>(q->Answers.size());
}

void TQList::ClearQuestions() {
  while (!items_.empty()) items_.pop_back();
}

int TQList::FirstEmptyQuestion() const {
  for (int i = 1; i <= Count(); ++i)
    if (QuestEmpty(*items_[static_cast<size_t>(i) - 1])) return i;
  return Count() + 1;
}

void TQList::Shuffle() {
  std::mt19937 rng(static_cast<std::mt19937::result_type>(
      std::chrono::high_resolution_clock::now().time_since_epoch().count()));
  const int n = RemoveEmptyQuestions();
  if (n < 2) return;
  std::uniform_int_distribution<int> pick(0, n - 1);
  for (int i = 0; i < n; ++i) Move(i, pick(rng));
}

int TQList::DuplicateQuestion(int qIndex) {
  if (!At(qIndex)) return 0;
  TrimEmptyAnswers(qIndex);
  const Quest& source = *At(qIndex);
  auto copy = std::make_unique<Quest>();
  copy->Text = source.Text;
  copy->Extra = source.Extra;
  copy->Answers = source.Answers;
  RemoveEmptyQuestions();
  items_.push_back(std::move(copy));
  return Count();
}

int TQList::ReplaceInAll(const std::string& find, const std::string& replace) {
  if (find.empty()) return 0;
  const int n = RemoveEmptyQuestions();
  int total = 0;
  for (int i = 1; i <= n; ++i) total += ReplaceInQuestion(find, replace, i);
  return total;
}

int TQList::ReplaceInQuestion(const std::string& find, const std::string& replace, int qIndex) {
  if (find.empty() || qIndex < 1) return 0;
  int total = 0;
  int n = 0;
  SetQuestionText(qIndex, ReplaceAll(find, replace, GetQuestionText(qIndex), &n));
  total += n;
  SetQuestionExtra(qIndex, ReplaceAll(find, replace, GetQuestionExtra(qIndex), &n));
  total += n;
  const int answers = TrimEmptyAnswers(qIndex);
  for (int a = 1; a <= answers; ++a) {
    int nText = 0;
    int nFeedback = 0;
    const std::string text = ReplaceAll(find, replace, GetAnswerText(qIndex, a), &nText);
    const std::string feedback = ReplaceAll(find, replace, GetAnswerFeedback(qIndex, a), &nFeedback);
    SetAnswer(qIndex, a, text, feedback, GetAnswerCorrect(qIndex, a));
    total += nText + nFeedback;
  }
  return total;
}
