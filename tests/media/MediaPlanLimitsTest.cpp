// Installation planning at its bounds: request sizes, unterminated names, full working
// lists, the failure value and media whose sequence numbers are shared.
#include <array>
#include <cstring>
#include <sstream>
#include <string>
#include <vector>

#include "TestSupport.h"
#include "ZYNINSMediaToc.h"

namespace {

const char *kStamp = "20240101000000";

std::string Line(int number, const std::string &type, const std::string &pkg, const std::string &name,
                 const std::string &supersede = "", const std::string &prereq = "", unsigned int size = 10,
                 const std::string &ifreq = "") {
  std::ostringstream line;
  line << "0M:" << number << ":0:" << type << ':' << pkg << ':' << name << ':' << supersede << ':' << prereq
       << ':' << ifreq << ':' << size << ':' << kStamp << ":LNX:R1:0:Unit " << name << ":\n";
  return line.str();
}

struct Plan {
  unsigned int result;
  std::vector<std::string> install;
  bool touched;
};

Plan PlanOn(const ZYNINSMediaToc &media, std::vector<std::array<char, 32>> names, ZYNINSType type = ZYNINSCode) {
  char untouched[1][32] = {""};
  char(*list)[32] = untouched;
  unsigned int count = 0;
  Plan plan;
  plan.result = media.GetSize(reinterpret_cast<char(*)[32]>(names.data()), static_cast<unsigned int>(names.size()),
                              type, 0, &count, list, nullptr);
  plan.touched = list != untouched;
  if (plan.touched) {
    for (unsigned int i = 0; i < count; ++i) plan.install.emplace_back(list[i], strnlen(list[i], 32));
    delete[] list;
  }
  return plan;
}

std::vector<std::array<char, 32>> Names(std::initializer_list<const char *> names) {
  std::vector<std::array<char, 32>> result;
  for (const char *name : names) {
    std::array<char, 32> field{};
    strncpy(field.data(), name, 31);
    result.push_back(field);
  }
  return result;
}

class MediaPlanLimits : public TocTest {
 protected:
  std::string Load(const std::string &text) {
    _Path = WriteFile("media.toc", text);
    return _Path;
  }
  std::string _Path;
};

TEST_F(MediaPlanLimits, RefusesMoreThan4096Names) {
  std::string path = Load(Line(3, "code", "PRD", "P1"));
  ZYNINSMediaToc media(&path[0]);
  std::vector<std::array<char, 32>> names(4097, Names({"P1"})[0]);
  Plan plan = PlanOn(media, names);
  EXPECT_EQ(plan.result, 0xFFFFFFFFu);
  EXPECT_FALSE(plan.touched);
  EXPECT_EQ(TakeDiagnostics(), "ZYNINSMediaToc::GetSize: 4097 names requested, at most 4096 can be planned\n\n");

  char(*list)[32] = nullptr;
  unsigned int count = 7;
  EXPECT_EQ(media.GetSize(nullptr, 2, ZYNINSCode, 0, &count, list, nullptr), 0xFFFFFFFFu);
  EXPECT_EQ(list, nullptr);
  EXPECT_EQ(count, 7u);
  EXPECT_EQ(TakeDiagnostics(), "ZYNINSMediaToc::GetSize: 2 names requested without a name list\n\n");

  names.resize(4096);
  plan = PlanOn(media, names);
  EXPECT_EQ(plan.result, 410u);
  EXPECT_EQ(plan.install, std::vector<std::string>{"P1"});
  EXPECT_EQ(TakeDiagnostics(), "");
}

TEST_F(MediaPlanLimits, NamesFillingAll32BytesAreNeverReadBeyond) {
  std::string path = Load(Line(3, "code", "PRD", std::string(31, 'X')));
  ZYNINSMediaToc media(&path[0]);
  std::vector<std::array<char, 32>> names(1);
  names[0].fill('X');  // no NUL at all
  Plan plan = PlanOn(media, names);
  EXPECT_EQ(plan.result, 0xFFFFFFFFu);
  EXPECT_EQ(TakeDiagnostics(), std::string(32, 'X') + " code is not found on the media\n\n");
}

TEST_F(MediaPlanLimits, FullWorkingListsAreInternalErrors) {
  std::string names, pairs;
  for (int i = 0; i < 4097; ++i) {
    names += "S" + std::to_string(i) + " ";
    pairs += "C" + std::to_string(i) + "/R" + std::to_string(i) + " ";
  }
  std::string path = Load(Line(3, "code", "PRD", "SUPERSEDES", names) + Line(4, "code", "PRD", "NEEDS", "", names) +
                          Line(5, "code", "PRD", "PAIRS", "", "", 10, pairs));
  ZYNINSMediaToc media(&path[0]);
  ASSERT_EQ(media.GetNbToc(), 3);
  const char *cases[][2] = {{"SUPERSEDES", "nbscanned"}, {"NEEDS", "nbtoscanafter"}, {"PAIRS", "nbifreq"}};
  for (auto &check : cases) {
    SCOPED_TRACE(check[0]);
    Plan plan = PlanOn(media, Names({check[0]}));
    EXPECT_EQ(plan.result, 0xFFFFFFFFu);
    EXPECT_FALSE(plan.touched);
    EXPECT_EQ(TakeDiagnostics(), std::string("ZYNINSMediaToc::GetSize: internal error ") + check[1] + "\n");
  }
}

TEST_F(MediaPlanLimits, RealTotalNeverEqualsTheFailureValue) {
  std::string path = Load(Line(3, "code", "PRD", "P1", "", "", 0xFFFFFFFFu - 400) +
                          Line(4, "zarn", "PRD", "Z1", "", "", 0xFFFFFFFFu) + Line(5, "zarn", "PRD", "Z2", "", "", 1));
  ZYNINSMediaToc media(&path[0]);
  EXPECT_EQ(PlanOn(media, Names({"P1"})).result, 0xFFFFFFFEu);
  EXPECT_EQ(PlanOn(media, Names({"Z1"}), ZYNINSZarn).result, 0xFFFFFFFEu);
  // Sums wrap at 32 bits; a wrapped total of 0 is returned as 0.
  Plan wrapped = PlanOn(media, Names({"Z1", "Z2"}), ZYNINSZarn);
  EXPECT_EQ(wrapped.result, 0u);
  EXPECT_EQ(wrapped.install, (std::vector<std::string>{"Z1", "Z2"}));
}

// Units sharing a sequence number count once: the number maps back to one line, the
// one at number - 3 when it carries the number, else the first in table order.
TEST_F(MediaPlanLimits, SharedSequenceNumbersMapBackToOneLine) {
  std::string path = Load(Line(5, "code", "PRD", "FIRST", "", "", 10) + Line(9, "code", "PRD", "OTHER", "", "", 20) +
                          Line(5, "code", "PRD", "SECOND", "", "", 30) + Line(4, "code", "PRD", "EARLY", "", "", 40));
  ZYNINSMediaToc media(&path[0]);
  Plan first = PlanOn(media, Names({"FIRST"}));
  EXPECT_EQ(first.install, std::vector<std::string>{"SECOND"});
  EXPECT_EQ(first.result, 30u + 400u);
  EXPECT_EQ(PlanOn(media, Names({"OTHER", "SECOND", "EARLY", "FIRST"})).install,
            (std::vector<std::string>{"EARLY", "SECOND", "OTHER"}));
}

TEST_F(MediaPlanLimits, LongPrerequisiteChainOnAFullMedium) {
  // Unit k needs unit k + 1; sequence numbers run backwards, so the list is reversed.
  std::string text;
  for (int k = 0; k < 4095; ++k) {
    std::string prereq = k + 1 < 4095 ? "U" + std::to_string(k + 1) + " " : "";
    text += Line(5000 - k, "code", "PRD", "U" + std::to_string(k), "", prereq, 1);
  }
  std::string path = Load(text);
  ZYNINSMediaToc media(&path[0]);
  ASSERT_EQ(media.GetNbToc(), 4095);
  Plan plan = PlanOn(media, Names({"U0"}));
  EXPECT_EQ(plan.result, 4095u + 400u);
  ASSERT_EQ(plan.install.size(), 4095u);
  EXPECT_EQ(plan.install.front(), "U4094");
  EXPECT_EQ(plan.install.back(), "U0");
}

// Requisites waiting through thousands of passes: only the one whose condition is reached fires.
TEST_F(MediaPlanLimits, RequisitesWaitingThroughALongChain) {
  std::string pairs;
  for (int i = 0; i < 3000; ++i) pairs += "C" + std::to_string(i) + "/R" + std::to_string(i) + " ";
  pairs += "U3999/LATE ";
  std::string text = Line(1, "code", "PRD", "HEAD", "", "U0 ", 1, pairs);
  text += Line(9000, "code", "GRP", "LATE", "", "", 1);
  for (int k = 0; k < 4000; ++k) {
    std::string prereq = k + 1 < 4000 ? "U" + std::to_string(k + 1) + " " : "";
    text += Line(k + 2, "code", "PRD", "U" + std::to_string(k), "", prereq, 1);
  }
  std::string path = Load(text);
  ZYNINSMediaToc media(&path[0]);
  ASSERT_EQ(media.GetNbToc(), 4002);
  Plan plan = PlanOn(media, Names({"HEAD"}));
  EXPECT_EQ(plan.result, 4002u + 400u);
  ASSERT_EQ(plan.install.size(), 4002u);
  EXPECT_EQ(plan.install.back(), "LATE");
  EXPECT_EQ(TakeDiagnostics(), "");
}

}  // namespace
