#include "app/port_choice.h"

#include <gtest/gtest.h>

namespace hvt {
namespace {

TEST(PortAtStartup, KeepsAPresentPortAndOtherwiseTakesTheFirstEntry) {
  const std::vector<SerialPortEntry> realAndVirtual = {{"COM3", ""}, {"COM7", "USB"}, {kVirtualPortName, ""}};
  const std::vector<SerialPortEntry> virtualOnly = {{kVirtualPortName, ""}};
  const struct {
    std::string Saved;
    std::vector<SerialPortEntry> Present;
    std::string Expected;
  } cases[] = {
      {"COM7", realAndVirtual, "COM7"},
      {"COM9", realAndVirtual, "COM3"},
      {"", realAndVirtual, "COM3"},
      {"COM7", virtualOnly, kVirtualPortName},
      {"COM7", {}, kVirtualPortName},
      // The virtual radio needs no hardware, so it is kept even when a lister leaves it out.
      {kVirtualPortName, {{"COM3", ""}}, kVirtualPortName},
      {"/dev/ttyUSB0", {{"/dev/ttyUSB1", ""}, {"/dev/ttyUSB0", ""}}, "/dev/ttyUSB0"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(PortAtStartup(c.Saved, c.Present), c.Expected) << "saved " << c.Saved;
  }
}

}  // namespace
}  // namespace hvt
