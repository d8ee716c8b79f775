#include "app/port_choice.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <stdlib.h>
#include <unistd.h>

#include "support/file_bytes.h"
#include "support/temp_folder.h"

namespace hvt {
namespace {

TEST(PortAtStartup, KeepsAPortThatIsThereAndOtherwiseTakesTheFirstEntry) {
  const std::vector<SerialPortEntry> realAndVirtual = {{"COM3", ""}, {"COM7", "USB"}, {kVirtualPortName, ""}};
  const std::vector<SerialPortEntry> virtualOnly = {{kVirtualPortName, ""}};
  const std::vector<SerialPortEntry> onLinux = {{"/dev/ttyS0", ""}, {kVirtualPortName, ""}};
  const struct {
    std::string Saved;
    std::vector<SerialPortEntry> Present;
    bool Exists;  // what the system says of the saved name as a device
    std::string Expected;
  } cases[] = {
      {"COM7", realAndVirtual, false, "COM7"},
      {"COM9", realAndVirtual, false, "COM3"},
      {"", realAndVirtual, false, "COM3"},
      {"", realAndVirtual, true, "COM3"},
      {"COM7", virtualOnly, false, kVirtualPortName},
      {"COM7", {}, false, kVirtualPortName},
      // The virtual radio needs no hardware, so it is kept even when a lister leaves it out.
      {kVirtualPortName, {{"COM3", ""}}, false, kVirtualPortName},
      {"/dev/ttyUSB0", {{"/dev/ttyUSB1", ""}, {"/dev/ttyUSB0", ""}}, false, "/dev/ttyUSB0"},
      // A pseudo-terminal is not in the system's list but is still there.
      {"/dev/pts/3", onLinux, true, "/dev/pts/3"},
      {"/dev/pts/3", onLinux, false, "/dev/ttyS0"},
      {"/dev/pts/3", virtualOnly, true, "/dev/pts/3"},
  };
  for (const auto& c : cases) {
    const auto exists = [&c](std::string_view name) {
      EXPECT_EQ(name, c.Saved);
      return c.Exists;
    };
    EXPECT_EQ(PortAtStartup(c.Saved, c.Present, exists), c.Expected)
        << "saved " << c.Saved << " " << c.Exists;
  }
}

TEST(PortAtStartup, ADeviceIsThereWhileItExists) {
  const int terminal = ::posix_openpt(O_RDWR | O_NOCTTY);
  ASSERT_GE(terminal, 0);
  ASSERT_EQ(::grantpt(terminal), 0);
  ASSERT_EQ(::unlockpt(terminal), 0);
  const std::string name = ::ptsname(terminal);
  TempFolder folder;
  WriteFileBytes(folder / "plain", "not a device");
  const std::vector<SerialPortEntry> listed = {{"/dev/ttyS0", ""}};
  EXPECT_TRUE(IsExistingDevice(name));
  EXPECT_EQ(PortAtStartup(name, listed), name) << "a pseudo-terminal saved by the tool";
  EXPECT_FALSE(IsExistingDevice((folder / "plain").string()));
  EXPECT_FALSE(IsExistingDevice((folder / "gone").string()));
  EXPECT_FALSE(IsExistingDevice(""));
  ::close(terminal);
  EXPECT_FALSE(IsExistingDevice(name)) << "its pseudo-terminal closed";
  EXPECT_EQ(PortAtStartup(name, listed), "/dev/ttyS0");
}

}  // namespace
}  // namespace hvt
