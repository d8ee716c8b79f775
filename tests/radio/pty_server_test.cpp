#include "radio/pty_server.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <unistd.h>

#include <atomic>
#include <thread>

#include "support/image_bytes.h"

namespace hvt {
namespace {

// Reads until `count` bytes are in or nothing comes for `quiet` ms.
Bytes ReadSome(int fd, std::size_t count, int quiet) {
  Bytes bytes;
  while (bytes.size() < count) {
    pollfd watch{fd, POLLIN, 0};
    if (::poll(&watch, 1, quiet) <= 0) break;
    std::uint8_t buffer[64];
    const ssize_t n = ::read(fd, buffer, sizeof buffer);
    if (n <= 0) break;
    bytes.insert(bytes.end(), buffer, buffer + n);
  }
  return bytes;
}

TEST(PtyServer, AClientOnTheTerminalGetsTheEchoAndTheReply) {
  VirtualRadio radio({.Paced = true});
  PtyServer server(radio);
  std::string error;
  ASSERT_TRUE(server.Open(error)) << error;
  std::atomic<bool> stop = false;
  bool served = false;
  std::thread serving([&] { served = server.Serve(stop, error); });

  const int client = ::open(server.SlavePath().c_str(), O_RDWR | O_NOCTTY);
  ASSERT_GE(client, 0) << server.SlavePath();
  const Bytes handshake = {'P', 'R', 'O', 'G', 'R', 'A', 'M'};
  ASSERT_EQ(::write(client, handshake.data(), handshake.size()), 7);
  EXPECT_EQ(ReadSome(client, 10, 2000), (Bytes{'P', 'R', 'O', 'G', 'R', 'A', 'M', 'Q', 'X', 0x06}));
  EXPECT_EQ(ReadSome(client, 1, 100), Bytes{}) << "a second echo, from the terminal itself";

  ::close(client);
  stop = true;
  serving.join();
  EXPECT_TRUE(served) << error;
  EXPECT_TRUE(radio.InProgrammingMode());
}

}  // namespace
}  // namespace hvt
