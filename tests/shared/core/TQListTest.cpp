#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "shared/core/TQList.h"

namespace {

std::vector<std::string> Texts(const TQList& list) {
  std::vector<std::string> out;
  for (int i = 1; i <= list.Count(); ++i) out.push_back(list.GetQuestionText(i));
  return out;
}

TQList ListOf(const std::vector<std::string>& texts) {
  TQList list;
  for (size_t i = 0; i < texts.size(); ++i) list.SetQuestionText(static_cast<int>(i) + 1, texts[i]);
  return list;
}

TEST(TQList, SettersGrowGettersDoNot) {
  TQList list;
  list.SetQuestionText(5, "five");
  EXPECT_EQ(list.Count(), 5);
  EXPECT_TRUE(list.QuestionIsEmpty(4));
  EXPECT_EQ(list.GetQuestionText(5), "five");
  EXPECT_EQ(list.GetQuestionText(6), "");
  EXPECT_EQ(list.GetQuestionText(0), "");
  EXPECT_EQ(list.GetQuestionText(-3), "");
  EXPECT_FALSE(list.GetQuestionFlag(9));
  EXPECT_EQ(list.Count(), 5);

  list.SetAnswer(1, 3, "c", "fb", 1);
  EXPECT_EQ(list.GetAnswerCount(1), 3);
  EXPECT_EQ(list.GetAnswerText(1, 1), "");
  EXPECT_EQ(list.GetAnswerCorrect(1, 2), 0);
  EXPECT_EQ(list.GetAnswerText(1, 3), "c");
  EXPECT_EQ(list.GetAnswerFeedback(1, 3), "fb");
  EXPECT_EQ(list.GetAnswerCorrect(1, 3), 1);
  EXPECT_EQ(list.GetAnswerText(1, 4), "");
  EXPECT_EQ(list.GetAnswerText(1, 0), "");
  EXPECT_EQ(list.GetAnswerCorrect(7, 1), 0);
  EXPECT_EQ(list.GetAnswerCount(0), 0);

  EXPECT_EQ(list.AddAnswer(7), 1);
  EXPECT_EQ(list.Count(), 7);
  EXPECT_EQ(list.AddQuestion(), 8);
  list.SetQuestionExtra(2, "right");
  list.SetQuestionFlag(2, true);
  EXPECT_EQ(list.GetQuestionExtra(2), "right");
  EXPECT_TRUE(list.GetQuestionFlag(2));
}

TEST(TQList, NumbersBelowOneChangeNothing) {
  TQList list = ListOf({"a"});
  list.SetQuestionText(0, "x");
  list.SetQuestionExtra(-1, "x");
  list.SetQuestionFlag(0, true);
  list.SetAnswer(0, 1, "x", "", 1);
  list.SetAnswer(1, 0, "x", "", 1);
  EXPECT_EQ(list.AddAnswer(0), 0);
  EXPECT_FALSE(list.InsertQuestion(0));
  EXPECT_FALSE(list.DeleteQuestion(0));
  EXPECT_FALSE(list.DeleteQuestion(2));
  EXPECT_FALSE(list.DeleteAnswer(1, 1));
  EXPECT_EQ(list.TrimEmptyAnswers(0), 0);
  EXPECT_EQ(list.TrimEmptyAnswers(2), 0);
  EXPECT_EQ(list.DuplicateQuestion(0), 0);
  EXPECT_EQ(list.DuplicateQuestion(2), 0);
  EXPECT_EQ(list.ReplaceInQuestion("a", "b", 0), 0);
  EXPECT_TRUE(list.QuestionIsEmpty(0));
  EXPECT_TRUE(list.AnswerIsEmpty(1, 1));
  list.Move(-1, 0);
  list.Move(0, 1);
  EXPECT_EQ(Texts(list), (std::vector<std::string>{"a"}));
  EXPECT_EQ(list.GetAnswerCount(1), 0);
}

TEST(TQList, InsertDeleteAndMoveRenumber) {
  TQList list = ListOf({"1", "2", "3"});
  EXPECT_TRUE(list.InsertQuestion(2));
  EXPECT_EQ(Texts(list), (std::vector<std::string>{"1", "", "2", "3"}));
  EXPECT_TRUE(list.DeleteQuestion(2));
  EXPECT_TRUE(list.InsertQuestion(6));
  EXPECT_EQ(list.Count(), 6);
  list.SetQuestionText(6, "6");
  EXPECT_EQ(Texts(list), (std::vector<std::string>{"1", "2", "3", "", "", "6"}));

  list = ListOf({"a", "b", "c", "d"});
  list.Move(0, 2);
  EXPECT_EQ(Texts(list), (std::vector<std::string>{"b", "c", "a", "d"}));
  list.Move(3, 0);
  EXPECT_EQ(Texts(list), (std::vector<std::string>{"d", "b", "c", "a"}));
  list.Move(1, 4);
  EXPECT_EQ(Texts(list), (std::vector<std::string>{"d", "b", "c", "a"}));

  list.SetAnswer(2, 2, "y", "", 1);
  EXPECT_TRUE(list.DeleteAnswer(2, 1));
  EXPECT_EQ(list.GetAnswerText(2, 1), "y");
  EXPECT_FALSE(list.DeleteAnswer(2, 2));
}

TEST(TQList, EmptinessIgnoresBlanksAndTheCorrectFlag) {
  TQList list;
  list.SetQuestionText(1, " ");
  list.SetAnswer(1, 1, "\t", " ", 1);
  list.SetAnswer(1, 2, "x", "", 0);
  list.SetQuestionText(2, " \t\r\n");
  list.SetAnswer(2, 1, " ", "\t", 1);
  list.SetQuestionExtra(3, "right");
  list.AddQuestion();
  EXPECT_TRUE(list.AnswerIsEmpty(1, 1));
  EXPECT_FALSE(list.QuestionIsEmpty(1));
  EXPECT_TRUE(list.QuestionIsEmpty(2));
  EXPECT_FALSE(list.QuestionIsEmpty(3));
  EXPECT_EQ(list.FirstEmptyQuestion(), 2);
  EXPECT_EQ(list.RemoveEmptyQuestions(), 2);
  EXPECT_EQ(list.GetQuestionExtra(2), "right");
  EXPECT_EQ(list.FirstEmptyQuestion(), 3);
  list.ClearQuestions();
  EXPECT_EQ(list.Count(), 0);
  EXPECT_EQ(list.FirstEmptyQuestion(), 1);
}

TEST(TQList, TrailingEmptiesAndTrimmedAnswers) {
  TQList list = ListOf({"", "a", "", "b", "", ""});
  EXPECT_EQ(list.RemoveTrailingEmptyQuestions(), 4);
  EXPECT_EQ(Texts(list), (std::vector<std::string>{"", "a", "", "b"}));

  list.SetAnswer(2, 1, "x", "", 1);
  list.SetAnswer(2, 2, "", "", 1);
  list.SetAnswer(2, 3, " ", "", 0);
  EXPECT_EQ(list.TrimEmptyAnswers(2), 1);
  list.SetAnswer(4, 2, "", "", 0);
  EXPECT_EQ(list.TrimEmptyAnswers(4), 0);
}

TEST(TQList, ShuffleKeepsTheNonEmptyQuestions) {
  TQList list = ListOf({"A", "", "B", "C"});
  list.SetAnswer(3, 1, "b1", "", 1);
  list.SetAnswer(3, 2, "b2", "", 0);
  list.Shuffle();
  std::vector<std::string> texts = Texts(list);
  std::sort(texts.begin(), texts.end());
  EXPECT_EQ(texts, (std::vector<std::string>{"A", "B", "C"}));
  for (int i = 1; i <= 3; ++i) {
    if (list.GetQuestionText(i) != "B") continue;
    EXPECT_EQ(list.GetAnswerText(i, 1), "b1");
    EXPECT_EQ(list.GetAnswerText(i, 2), "b2");
  }
}

TEST(TQList, DuplicateCopiesTheNumberedQuestion) {
  TQList list = ListOf({"one", "", "three"});
  list.SetAnswer(3, 1, "t1", "f1", 1);
  list.SetAnswer(3, 2, "", "", 0);
  list.SetQuestionFlag(3, true);
  EXPECT_EQ(list.DuplicateQuestion(3), 3);
  EXPECT_EQ(Texts(list), (std::vector<std::string>{"one", "three", "three"}));
  EXPECT_EQ(list.GetAnswerCount(2), 1);  // the source lost its empty answer too
  EXPECT_EQ(list.GetAnswerCount(3), 1);
  EXPECT_EQ(list.GetAnswerFeedback(3, 1), "f1");
  EXPECT_EQ(list.GetAnswerCorrect(3, 1), 1);
  EXPECT_FALSE(list.GetQuestionFlag(3));
  list.SetAnswer(3, 1, "changed", "", 0);
  EXPECT_EQ(list.GetAnswerText(2, 1), "t1");
}

TEST(TQList, ReplaceCountsEveryReplacement) {
  TQList list;
  list.SetQuestionText(1, "a a");
  list.SetAnswer(1, 1, "a", "", 1);
  EXPECT_EQ(list.ReplaceInQuestion("a", "b", 1), 3);
  EXPECT_EQ(list.GetQuestionText(1), "b b");
  EXPECT_EQ(list.GetAnswerCorrect(1, 1), 1);

  list.SetQuestionText(1, "a a");
  list.SetAnswer(1, 1, "a", "an a", 0);
  list.SetAnswer(1, 2, "", "", 0);
  EXPECT_EQ(list.ReplaceInQuestion("a", "aa", 1), 5);
  EXPECT_EQ(list.GetQuestionText(1), "aa aa");
  EXPECT_EQ(list.GetAnswerFeedback(1, 1), "aan aa");
  EXPECT_EQ(list.GetAnswerCount(1), 1);

  // Beyond the end the list grows, as when the question is typed there.
  EXPECT_EQ(list.ReplaceInQuestion("x", "y", 3), 0);
  EXPECT_EQ(list.Count(), 3);

  EXPECT_EQ(list.ReplaceInAll("", "z"), 0);
  EXPECT_EQ(list.Count(), 3);
  list.SetQuestionExtra(2, "aa");
  EXPECT_EQ(list.ReplaceInAll("aa", "a"), 6);
  EXPECT_EQ(list.Count(), 2);
  EXPECT_EQ(list.GetQuestionExtra(2), "a");
}

TEST(TQList, LargeListsAreFreedWithoutTrouble) {
  auto list = std::make_unique<TQList>();
  for (int i = 1; i <= 20000; ++i) list->SetAnswer(i, 3, "x", "y", 1);
  EXPECT_EQ(list->Count(), 20000);
  list.reset();
}

}  // namespace
