// The address splitter of the settings flags.
#include <gtest/gtest.h>

#include "core/sensor_info.h"

TEST(SensorInfoTest, SplitIP) {
  const struct {
    const char* address;
    std::array<std::string, 4> parts;
  } rows[] = {
      {"192.168.0.1", {"192", "168", "0", "1"}},
      {"10.0.1", {"10", "0", "", "1"}},
      {"", {"", "", "", ""}},
      {"1.2.3.4.5", {"1", "2", "3", "4.5"}},
      {"nodots", {"", "", "", "nodots"}},
  };
  for (const auto& r : rows) {
    std::array<std::string, 4> parts{"x", "x", "x", "x"};
    EXPECT_EQ(CSensorInfo::SplitIP(r.address, parts), 0);
    EXPECT_EQ(parts, r.parts) << r.address;
  }
  CSensorInfo flags;
  EXPECT_EQ(flags.SetNetworkChanged(1), 1);
  EXPECT_EQ(flags.networkChanged, 1);
  EXPECT_EQ(flags.generalChanged, 0);
}
