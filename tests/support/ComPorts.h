#pragma once
// The machine's COM1, COM2, ... as pseudo-terminal peers: USB adapters in the kernel's list under a
// test folder, their device nodes the ptys, found through the registry's device roots.
#include <gtest/gtest.h>

#include <filesystem>
#include <span>
#include <string>

#include "platform/system/Registry.h"
#include "tests/support/SerialPeer.h"

namespace testsupport {

// Peer i answers as COM(i + 1).
inline void ServeAsComPorts(std::span<SerialPeer> peers, const std::string& folder) {
  namespace fs = std::filesystem;
  const std::string sys = folder + "/sys", dev = folder + "/dev";
  fs::create_directories(dev);
  for (std::size_t i = 0; i < peers.size(); ++i) {
    ASSERT_FALSE(peers[i].DevicePath().empty());
    const std::string name = "ttyUSB" + std::to_string(i);
    fs::create_directories(sys + "/" + name + "/device");
    fs::create_symlink(peers[i].DevicePath(), dev + "/" + name);
  }
  platform::SetSerialDeviceRoots(sys, dev);
}

}  // namespace testsupport
