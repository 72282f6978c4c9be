// Installation planning at its bounds: request sizes, unterminated names, full working
// lists, saturated totals and extreme sequence numbers.
#include <climits>
#include <cstdio>
#include <cstring>
#include <sstream>
#include <string>
#include <vector>

#include "TestSupport.h"
#include "ZYNINSMediaToc.h"
#include "ZYNINSPlanLists.h"

#if !defined(_WIN32)
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace {

// count units U0, U1, ... of size 1 where each needs the next; unit k has the sequence
// number numberOf(k).
template <typename Numbering>
std::string PrerequisiteChain(int count, Numbering numberOf) {
  std::string text;
  for (int k = 0; k < count; ++k) {
    std::string prereq = k + 1 < count ? "U" + std::to_string(k + 1) + " " : "";
    text += TocLine("code", "PRD", "U" + std::to_string(k)).Prereqs(prereq).Size(1).OnMedia(numberOf(k));
  }
  return text;
}

struct Plan {
  unsigned int result;
  std::vector<std::string> install;
  bool touched;
};

Plan PlanOn(const ZYNINSMediaToc &media, NameFields names, ZYNINSType type = ZYNINSCode) {
  char untouched[1][32] = {""};
  char(*list)[32] = untouched;
  unsigned int count = 0;
  Plan plan;
  plan.result = media.GetSize(names.Fields(), names.Count(), type, 0, &count, list, nullptr);
  plan.touched = list != untouched;
  if (plan.touched) {
    for (unsigned int i = 0; i < count; ++i) plan.install.emplace_back(list[i], strnlen(list[i], 32));
    delete[] list;
  }
  return plan;
}

class MediaPlanLimits : public TocTest {
 protected:
  std::string Load(const std::string &text) {
    _Path = WriteFile("media.toc", text);
    return _Path;
  }
  // Loads the medium, which must hold that many lines, and plans the one name on it.
  Plan LoadAndPlan(const std::string &text, int lines, const char *name) {
    std::string path = Load(text);
    ZYNINSMediaToc media(&path[0]);
    EXPECT_EQ(media.GetNbToc(), lines);
    return PlanOn(media, NameFields({name}));
  }
  std::string _Path;
};

TEST_F(MediaPlanLimits, RefusesMoreThan4096Names) {
  std::string path = Load(TocLine("code", "PRD", "P1").OnMedia(3));
  ZYNINSMediaToc media(&path[0]);
  Plan plan = PlanOn(media, NameFields("P1", 4097));
  EXPECT_EQ(plan.result, 0xFFFFFFFFu);
  EXPECT_FALSE(plan.touched);
  EXPECT_EQ(TakeDiagnostics(), "ZYNINSMediaToc::GetSize: 4097 names requested, at most 4096 can be planned\n\n");

  char(*list)[32] = nullptr;
  unsigned int count = 7;
  EXPECT_EQ(media.GetSize(nullptr, 2, ZYNINSCode, 0, &count, list, nullptr), 0xFFFFFFFFu);
  EXPECT_EQ(list, nullptr);
  EXPECT_EQ(count, 7u);
  EXPECT_EQ(TakeDiagnostics(), "ZYNINSMediaToc::GetSize: 2 names requested without a name list\n\n");

  plan = PlanOn(media, NameFields("P1", 4096));
  EXPECT_EQ(plan.result, 410u);
  EXPECT_EQ(plan.install, std::vector<std::string>{"P1"});
  EXPECT_EQ(TakeDiagnostics(), "");
}

TEST_F(MediaPlanLimits, NamesFillingAll32BytesAreNeverReadBeyond) {
  std::string path = Load(TocLine("code", "PRD", std::string(31, 'X')).OnMedia(3));
  ZYNINSMediaToc media(&path[0]);
  Plan plan = PlanOn(media, NameFields({std::string(32, 'X')}));  // no NUL at all
  EXPECT_EQ(plan.result, 0xFFFFFFFFu);
  EXPECT_EQ(TakeDiagnostics(), std::string(32, 'X') + " code is not found on the media\n\n");
}

TEST_F(MediaPlanLimits, FullWorkingListsAreInternalErrors) {
  std::string names = NumberedNames("S", 4097), pairs;
  for (int i = 0; i < 4097; ++i) pairs += "C" + std::to_string(i) + "/R" + std::to_string(i) + " ";
  std::string path = Load(TocLine("code", "PRD", "SUPERSEDES").Supersedes(names).OnMedia(3) +
                          TocLine("code", "PRD", "NEEDS").Prereqs(names).OnMedia(4) +
                          TocLine("code", "PRD", "PAIRS").Size(10).Ifreqs(pairs).OnMedia(5));
  ZYNINSMediaToc media(&path[0]);
  ASSERT_EQ(media.GetNbToc(), 3);
  const char *cases[][2] = {{"SUPERSEDES", "nbscanned"}, {"NEEDS", "nbtoscanafter"}, {"PAIRS", "nbifreq"}};
  for (auto &check : cases) {
    SCOPED_TRACE(check[0]);
    Plan plan = PlanOn(media, NameFields({check[0]}));
    EXPECT_EQ(plan.result, 0xFFFFFFFFu);
    EXPECT_FALSE(plan.touched);
    EXPECT_EQ(TakeDiagnostics(), std::string("ZYNINSMediaToc::GetSize: internal error ") + check[1] + "\n");
  }
}

// Sums saturate one below the failure value, the 400 of code units included.
TEST_F(MediaPlanLimits, TotalsSaturateBelowTheFailureValue) {
  std::string path = Load(TocLine("code", "PRD", "P1").Size(0xFFFFFFFFu - 400).OnMedia(3) +
                          TocLine("code", "PRD", "P2").Size(0xFFFFFFFFu).OnMedia(4) +
                          TocLine("zarn", "PRD", "Z1").Size(0xFFFFFFFFu).OnMedia(5) +
                          TocLine("zarn", "PRD", "Z2").Size(1).OnMedia(6) +
                          TocLine("code", "PRD", "M1").Size(1).OnMedia(7, 0xFFFFFFFFu) +
                          TocLine("code", "PRD", "M2").Size(1).OnMedia(8, 2));
  ZYNINSMediaToc media(&path[0]);
  EXPECT_EQ(PlanOn(media, NameFields({"P1"})).result, 0xFFFFFFFEu);
  EXPECT_EQ(PlanOn(media, NameFields({"P2"})).result, 0xFFFFFFFEu);
  EXPECT_EQ(PlanOn(media, NameFields({"Z1"}), ZYNINSZarn).result, 0xFFFFFFFEu);
  Plan both = PlanOn(media, NameFields({"Z1", "Z2"}), ZYNINSZarn);
  EXPECT_EQ(both.result, 0xFFFFFFFEu);
  EXPECT_EQ(both.install, (std::vector<std::string>{"Z1", "Z2"}));

  char(*list)[32] = nullptr;
  unsigned int count = 0;
  NameFields names({"M1", "M2"});
  EXPECT_EQ(media.GetSize(names.Fields(), names.Count(), ZYNINSCode, 1, &count, list, nullptr), 4194303u + 1u);
  delete[] list;
}

// Planning costs what the medium's lines are, whatever their numbers: a medium numbered at
// both ends of the 32-bit range and at 0 plans in a few megabytes. Measured in a child
// process, whose peak resident memory is its own.
TEST_F(MediaPlanLimits, ExtremeSequenceNumbersCostNoMemory) {
#if defined(_WIN32)
  GTEST_SKIP() << "measured in a forked child through getrusage, neither of which Windows has";
#else
  std::string path = Load(TocLine("code", "PRD", "TOP").Prereqs("HIGH LOW ").Size(1).OnMedia(0) +
                          TocLine("code", "GRP", "HIGH").Size(2).OnMedia(INT_MAX) +
                          TocLine("code", "GRP", "LOW").Size(4).OnMedia(INT_MIN));
  std::fflush(nullptr);
  pid_t child = fork();
  ASSERT_NE(child, -1);
  if (child == 0) {
    ZYNINSMediaToc media(&path[0]);
    Plan plan = PlanOn(media, NameFields({"TOP"}));
    if (plan.result != 407 || plan.install != std::vector<std::string>{"LOW", "TOP", "HIGH"}) _exit(1);
    rusage usage = {};
    getrusage(RUSAGE_SELF, &usage);
    if (usage.ru_maxrss >= 64 * 1024) {  // KiB on Linux
      std::fprintf(stderr, "peak resident memory %ld KiB\n", static_cast<long>(usage.ru_maxrss));
      _exit(2);
    }
    _exit(0);
  }
  int status = 0;
  ASSERT_EQ(waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFEXITED(status)) << "the planning child ended by signal " << WTERMSIG(status);
  EXPECT_EQ(WEXITSTATUS(status), 0) << "1: a wrong plan; 2: a peak of 64 MB or more";
#endif
}

TEST_F(MediaPlanLimits, LongPrerequisiteChainOnAFullMedium) {
  // Unit k needs unit k + 1; sequence numbers run backwards, so the list is reversed.
  Plan plan = LoadAndPlan(PrerequisiteChain(4095, [](int k) { return 5000 - k; }), 4095, "U0");
  EXPECT_EQ(ZYNINSLastPlanWork().passes, 4095u);  // one unit a pass, each scanned once
  EXPECT_EQ(ZYNINSLastPlanWork().steps, 4095u);
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
  std::string text = TocLine("code", "PRD", "HEAD").Prereqs("U0 ").Size(1).Ifreqs(pairs).OnMedia(1);
  text += TocLine("code", "GRP", "LATE").Size(1).OnMedia(9000);
  text += PrerequisiteChain(4000, [](int k) { return k + 2; });
  Plan plan = LoadAndPlan(text, 4002, "HEAD");
  EXPECT_EQ(plan.result, 4002u + 400u);
  ASSERT_EQ(plan.install.size(), 4002u);
  EXPECT_EQ(plan.install.back(), "LATE");
  EXPECT_EQ(TakeDiagnostics(), "");
}

}  // namespace
