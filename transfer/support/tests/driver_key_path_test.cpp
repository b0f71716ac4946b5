#include "transfer/support/driver_key_path.h"

#include <string>

#include <gtest/gtest.h>

namespace ostrand {
namespace {

TEST(DriverKeyPath, JoinsCompanyAndDriverUnderTheSkorvinBranch) {
  char path[kNameBufferSize];
  ASSERT_TRUE(BuildDriverKeyPath(kMakerCompany, "Skorvin LX-9", path));
  EXPECT_STREQ("SOFTWARE\\Quorbel Industries, Ltd.\\Skorvin\\Driver\\3.0\\Skorvin LX-9", path);
  ASSERT_TRUE(BuildDriverKeyPath("Acme %s %n", "D", path));
  EXPECT_STREQ("SOFTWARE\\Acme %s %n\\Skorvin\\Driver\\3.0\\D", path);
}

TEST(DriverKeyPath, TakesAtMost259Characters) {
  const std::string prefix = "SOFTWARE\\Quorbel Industries, Ltd.\\Skorvin\\Driver\\3.0\\";
  const std::string fits(259 - prefix.size(), 'd');
  char path[kNameBufferSize];
  ASSERT_TRUE(BuildDriverKeyPath(kMakerCompany, fits.c_str(), path));
  EXPECT_EQ(prefix + fits, path);

  const std::string tooLong = fits + "d";
  EXPECT_FALSE(BuildDriverKeyPath(kMakerCompany, tooLong.c_str(), path));
  EXPECT_STREQ("", path);
  const std::string longCompany(300, 'c');
  EXPECT_FALSE(BuildDriverKeyPath(longCompany.c_str(), "D", path));
  EXPECT_STREQ("", path);
}

TEST(DriverKeyPath, RefusesNullNames) {
  char path[kNameBufferSize];
  EXPECT_FALSE(BuildDriverKeyPath(nullptr, "D", path));
  EXPECT_FALSE(BuildDriverKeyPath(kMakerCompany, nullptr, path));
}

}  // namespace
}  // namespace ostrand
