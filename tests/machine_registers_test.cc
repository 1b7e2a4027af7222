#include "machine_registers.h"
#include "register_usage.h"

#include <gtest/gtest.h>

#include <string>

#include "fatal_message.h"

namespace pl_config::testing {
namespace {

const char* const two_names[] = {"m1", "m2"};

TEST(MachineRegistersTest, EntriesKeepTheirOwnCopiesOfTheNames) {
  MachineRegisters registers(two_names);
  std::string name = "R1";
  registers.append(two_names[1], name, "WamWord");
  name = "XX";
  ASSERT_EQ(registers.count(), 1);
  EXPECT_STREQ(registers.entries()[0].register_name.c_str(), "R1");
  EXPECT_STREQ(registers.entries()[0].type_name.c_str(), "WamWord");
  EXPECT_STREQ(registers.entries()[0].machine_register, "m2");
}

TEST(MachineRegistersTest, TableHolds256Entries) {
  MachineRegisters registers(two_names);
  for (int i = 0; i < 256; ++i) registers.append(two_names[i % 2], "R", "T");
  EXPECT_EQ(registers.count(), 256);
  EXPECT_EQ(registers.room(), 0u);
  EXPECT_EQ(fatal_message([&] { registers.append(two_names[0], "R", "T"); }),
            "too many machine registers in use (the table holds 256)");
  EXPECT_EQ(registers.count(), 256);
}

TEST(MachineRegistersTest, NamesLongerThan31CharactersAreRejected) {
  MachineRegisters registers(two_names);
  registers.append(two_names[0], std::string(31, 'r'), std::string(31, 't'));
  EXPECT_EQ(fatal_message([&] { registers.append(two_names[0], std::string(32, 'r'), "T"); }),
            "name too long for the machine register table: " + std::string(32, 'r'));
  EXPECT_EQ(registers.count(), 1);
}

}  // namespace
}  // namespace pl_config::testing
