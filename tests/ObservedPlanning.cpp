// With ZYNTOC_TEST_OBSERVER set, every test of the program runs with a planning observer
// in effect, which CTest does for the planning programs once more: planning must give
// the very same results while it is being observed. The observer copies every name it
// is told, so that a name that is not a valid unit name shows (under ASan too).
#include <cstdlib>
#include <cstring>
#include <string>

#include <gtest/gtest.h>

#include "ZYNINSExplain.h"

namespace {

class CopyingObserver : public ZYNINSPlanObserver {
 public:
  void Requested(const char *unit) override { Take({unit}); }
  void PrerequisiteOf(const char *unit, const char *needer) override { Take({unit, needer}); }
  void StandsInFor(const char *unit, const char *missing) override { Take({unit, missing}); }
  void ConditionalRequisite(const char *unit, const char *holder, const char *condition, bool) override {
    Take({unit, holder, condition});
  }
  void RemovalRequested(const char *unit) override { Take({unit}); }
  void NeedsRemoved(const char *unit, const char *removed, bool) override { Take({unit, removed}); }
  void SupersessorsRemoved(const char *name, const char *supersessor) override { Take({name, supersessor}); }
  void FrameworkOnlyFor(const char *framework, const char *removed) override { Take({framework, removed}); }
  void FixOf(const char *fix, const char *removed) override { Take({fix, removed}); }

 private:
  void Take(std::initializer_list<const char *> names) {
    for (const char *name : names) {
      ASSERT_NE(name, nullptr);
      std::string copy(name, strnlen(name, 32));
      EXPECT_LT(copy.size(), 32u) << "a unit name is at most 31 bytes";
    }
  }
};

class ObservedPlanning : public ::testing::Environment {
 public:
  void SetUp() override {
    if (std::getenv("ZYNTOC_TEST_OBSERVER")) ZYNINSSetPlanObserver(&_Observer);
  }
  void TearDown() override { ZYNINSSetPlanObserver(nullptr); }

 private:
  CopyingObserver _Observer;
};

const auto *const kRegistered = ::testing::AddGlobalTestEnvironment(new ObservedPlanning);

}  // namespace
