// Tests of the name table behind every index: a name field interns as its name, whatever
// its bytes after the NUL.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "ZYNINSNameTable.h"

namespace {
// A 32-byte name field holding the name, then a NUL, then leftovers of an older name.
struct Field {
  explicit Field(const std::string &name) {
    memset(bytes, 'z', sizeof bytes);
    memcpy(bytes, name.c_str(), name.size() + 1);
  }
  char bytes[32];
};
}  // namespace

TEST(NameTableTest, FieldsInternAsTheirNamesAtEveryLength) {
  ZYNINSNameTable table;
  // Names ending in each word of the field, and on its word boundaries.
  for (std::size_t length : {0, 1, 7, 8, 9, 15, 16, 17, 23, 24, 25, 31}) {
    std::string name(length, 'N');
    if (length) name.back() = static_cast<char>('a' + length % 26);
    int id = table.Intern(name.c_str());
    EXPECT_EQ(table.InternField(Field(name).bytes), id) << length;
    EXPECT_EQ(table.FindField(Field(name).bytes), id) << length;
    EXPECT_STREQ(table.Text(id), name.c_str());
  }
  EXPECT_EQ(table.FindField(Field("ABSENT").bytes), -1);
  // A prefix of a known name is another name.
  table.Intern("PREFIXED");
  EXPECT_EQ(table.FindField(Field("PREFIX").bytes), -1);
}
