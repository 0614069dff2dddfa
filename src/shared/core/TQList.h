// The items of a quiz (questions with their answers) or of a matching
// exercise (pairs), numbered from 1.  Setters grow the list with empty
// records; getters give empty values out of range; a number below 1 or
// beyond the end never reaches undefined behaviour.
#pragma once

#include <memory>
#include <string>
#include <vector>

struct Ans {
  std::string Text;
  std::string Feedback;
  int Correct = 0;  // 1 = correct
};

struct Quest {
  std::string Text;
  std::string Extra;
  bool Flag = false;
  std::vector<Ans> Answers;
};

class TQList {
 public:
  TQList() = default;
  // A copy holds records of its own with the same items.
  TQList(const TQList& other);
  TQList& operator=(const TQList& other);
  TQList(TQList&&) = default;
  TQList& operator=(TQList&&) = default;

  int Count() const;
  // Moves the item at 0-based position from to 0-based position to; the items
  // between shift by one.  Positions out of range change nothing.
  void Move(int from, int to);

  int AddQuestion();
  int AddAnswer(int qIndex);
  void SetQuestionText(int qIndex, const std::string& s);
  void SetQuestionExtra(int qIndex, const std::string& s);
  void SetQuestionFlag(int qIndex, bool value);
  void SetAnswer(int qIndex, int aIndex, const std::string& text, const std::string& feedback,
                 int correct);

  std::string GetQuestionText(int qIndex) const;
  std::string GetQuestionExtra(int qIndex) const;
  bool GetQuestionFlag(int qIndex) const;
  int GetAnswerCount(int qIndex) const;
  std::string GetAnswerText(int qIndex, int aIndex) const;
  std::string GetAnswerFeedback(int qIndex, int aIndex) const;
  int GetAnswerCorrect(int qIndex, int aIndex) const;

  bool DeleteQuestion(int qIndex);
  bool DeleteAnswer(int qIndex, int aIndex);
  bool InsertQuestion(int qIndex);
  bool AnswerIsEmpty(int qIndex, int aIndex) const;
  bool QuestionIsEmpty(int qIndex) const;
  int RemoveEmptyQuestions();
  int RemoveTrailingEmptyQuestions();
  int TrimEmptyAnswers(int qIndex);
  void ClearQuestions();
  int FirstEmptyQuestion() const;
  void Shuffle();
  int DuplicateQuestion(int qIndex);
  int ReplaceInAll(const std::string& find, const std::string& replace);
  int ReplaceInQuestion(const std::string& find, const std::string& replace, int qIndex);

 private:
  Quest* Grow(int qIndex);
  const Quest* At(int qIndex) const;
  Quest* At(int qIndex);
  const Ans* AnswerAt(int qIndex, int aIndex) const;

  std::vector<std::unique_ptr<Quest>> items_;
};
