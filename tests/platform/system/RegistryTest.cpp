#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "platform/system/Registry.h"
#include "tests/support/Artifacts.h"

namespace {

using namespace win;
namespace fs = std::filesystem;

class RegistryStore : public ::testing::Test {
 protected:
  void SetUp() override {
    store_ = testsupport::TempDir("registry") + "/sub/registry";
    platform::SetRegistryStorePath(store_);
  }
  void TearDown() override { platform::SetRegistryStorePath(""); }
  std::string store_;
};

std::string QueryString(HKEY key, const char* name) {
  char buf[64];
  DWORD size = sizeof buf, type = 0;
  if (RegQueryValueEx(key, name, nullptr, &type, reinterpret_cast<BYTE*>(buf), &size) != ERROR_SUCCESS) return "<none>";
  EXPECT_EQ(type, REG_SZ);
  return std::string(buf, size ? size - 1 : 0);
}

TEST_F(RegistryStore, KeysAndValuesPersistAcrossReloads) {
  HKEY key = nullptr;
  DWORD disposition = 0;
  ASSERT_EQ(RegCreateKeyEx(HKEY_CURRENT_USER, "Software\\Wall\\Bars\\Bar0", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, &disposition), 0);
  EXPECT_EQ(disposition, REG_CREATED_NEW_KEY);
  const char caption[] = "工具栏";
  ASSERT_EQ(RegSetValueEx(key, "Caption", 0, REG_SZ, reinterpret_cast<const BYTE*>(caption), sizeof caption), 0);
  DWORD row = 3;
  ASSERT_EQ(RegSetValueEx(key, "Row", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&row), sizeof row), 0);
  const BYTE glyph[] = {0, 1, 0xFF};
  ASSERT_EQ(RegSetValueEx(key, "UserGlyph", 0, REG_BINARY, glyph, sizeof glyph), 0);
  ASSERT_EQ(RegCloseKey(key), 0);
  EXPECT_EQ(RegCloseKey(key), static_cast<LONG>(ERROR_INVALID_HANDLE));  // a closed handle is stale

  // A fresh load from the store file sees everything, names compared without case.
  platform::SetRegistryStorePath(store_);
  ASSERT_EQ(RegOpenKeyEx(HKEY_CURRENT_USER, "software\\WALL\\bars\\bar0", 0, KEY_READ, &key), 0);
  EXPECT_EQ(QueryString(key, "caption"), "工具栏");
  DWORD value = 0, size = sizeof value, type = 0;
  ASSERT_EQ(RegQueryValueEx(key, "ROW", nullptr, &type, reinterpret_cast<BYTE*>(&value), &size), 0);
  EXPECT_EQ(type, REG_DWORD);
  EXPECT_EQ(value, 3u);

  // Size queries and too-small buffers.
  size = 0;
  EXPECT_EQ(RegQueryValueEx(key, "UserGlyph", nullptr, &type, nullptr, &size), 0);
  EXPECT_EQ(size, 3u);
  BYTE small[2];
  size = sizeof small;
  EXPECT_EQ(RegQueryValueEx(key, "UserGlyph", nullptr, &type, small, &size), static_cast<LONG>(ERROR_MORE_DATA));
  EXPECT_EQ(size, 3u);
  EXPECT_EQ(RegQueryValueEx(key, "Missing", nullptr, &type, small, &size), static_cast<LONG>(ERROR_FILE_NOT_FOUND));
  // A key opened for reading takes no writes.
  EXPECT_EQ(RegSetValueEx(key, "Row", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&row), sizeof row),
            static_cast<LONG>(ERROR_ACCESS_DENIED));

  char name[16];
  DWORD nameSize = sizeof name;
  ASSERT_EQ(RegEnumValue(key, 1, name, &nameSize, nullptr, &type, nullptr, nullptr), 0);
  EXPECT_EQ(std::string(name, nameSize), "Row");
  nameSize = sizeof name;
  EXPECT_EQ(RegEnumValue(key, 3, name, &nameSize, nullptr, nullptr, nullptr, nullptr), static_cast<LONG>(ERROR_NO_MORE_ITEMS));
  RegCloseKey(key);

  // Sub-keys, including the ones created on the way.
  ASSERT_EQ(RegOpenKeyEx(HKEY_CURRENT_USER, "Software", 0, KEY_READ, &key), 0);
  nameSize = sizeof name;
  ASSERT_EQ(RegEnumKeyEx(key, 0, name, &nameSize, nullptr, nullptr, nullptr, nullptr), 0);
  EXPECT_EQ(std::string(name), "Wall");
  RegCloseKey(key);

  // Deleting: a key with sub-keys refuses; leaf first, then its parent.
  EXPECT_EQ(RegDeleteKey(HKEY_CURRENT_USER, "Software\\Wall\\Bars"), static_cast<LONG>(ERROR_ACCESS_DENIED));
  EXPECT_EQ(RegDeleteKey(HKEY_CURRENT_USER, "Software\\Wall\\Bars\\Bar0"), 0);
  EXPECT_EQ(RegDeleteKey(HKEY_CURRENT_USER, "Software\\Wall\\Bars"), 0);
  EXPECT_EQ(RegOpenKeyEx(HKEY_CURRENT_USER, "Software\\Wall\\Bars", 0, KEY_READ, &key), static_cast<LONG>(ERROR_FILE_NOT_FOUND));
}

class SerialPorts : public ::testing::Test {
 protected:
  void SetUp() override {
    root_ = testsupport::TempDir("serial");
    sys_ = root_ + "/sys";
    dev_ = root_ + "/dev";
    fs::create_directories(dev_);
    // type 0: the kernel lists the port, but no UART answers there
    struct Tty {
      const char* name;
      bool device;
      const char* type;
      bool node;
    } ttys[] = {
        {"ttyUSB1", true, nullptr, true}, {"ttyS10", true, "4", true}, {"ttyS1", true, "0", true},
        {"ttyS0", true, "4", true},       {"ttyACM0", true, nullptr, true}, {"ttyUSB0", true, nullptr, true},
        {"tty0", false, nullptr, true},   {"ttyS2", true, "4", false}, {"ttyAMA0", true, nullptr, true},
        {"ttyUSB2", true, nullptr, true},
    };
    for (const Tty& t : ttys) {
      fs::create_directories(sys_ + "/" + t.name);
      if (t.device) fs::create_directories(sys_ + "/" + t.name + "/device");
      if (t.type) std::ofstream(sys_ + "/" + t.name + "/type") << t.type << "\n";
      if (t.node) std::ofstream(dev_ + "/" + t.name);
    }
    platform::SetSerialDeviceRoots(sys_, dev_);
  }
  void TearDown() override { platform::SetSerialDeviceRoots("", ""); }
  std::string root_, sys_, dev_;
};

TEST_F(SerialPorts, ComNumbersFollowTheStableDeviceOrder) {
  std::vector<std::string> expected;
  for (const char* n : {"ttyS0", "ttyS10", "ttyUSB0", "ttyUSB1", "ttyUSB2", "ttyACM0", "ttyAMA0"}) expected.push_back(dev_ + "/" + n);
  EXPECT_EQ(platform::SerialDevicePaths(), expected);
  EXPECT_EQ(platform::SerialPortNames(), (std::vector<std::string>{"COM1", "COM2", "COM3", "COM4", "COM5", "COM6", "COM7"}));

  struct Case {
    const char* name;
    std::string path;
  } cases[] = {
      {"COM1", dev_ + "/ttyS0"},   {"com3", dev_ + "/ttyUSB0"},         {"\\\\.\\COM2", dev_ + "/ttyS10"},
      {"//./COM7", dev_ + "/ttyAMA0"}, {"COM8", ""},                     {"COM0", ""},
      {"//./dev/pts/3", "/dev/pts/3"}, {"/dev/ttyUSB9", "/dev/ttyUSB9"}, {"COMX", ""},
      {"", ""},
  };
  for (const Case& c : cases) EXPECT_EQ(platform::SerialPortPath(c.name), c.path) << c.name;
}

TEST_F(SerialPorts, TheHardwareKeyListsThePortsAndIsReadOnly) {
  HKEY key = nullptr;
  ASSERT_EQ(RegOpenKeyEx(HKEY_LOCAL_MACHINE, "HARDWARE\\DEVICEMAP\\SERIALCOMM", 0, KEY_READ, &key), 0);
  std::vector<std::string> names, ports;
  for (DWORD i = 0;; ++i) {
    char name[256], data[256];
    DWORD nameSize = sizeof name, dataSize = sizeof data, type = 0;
    if (RegEnumValue(key, i, name, &nameSize, nullptr, &type, reinterpret_cast<BYTE*>(data), &dataSize) != ERROR_SUCCESS) break;
    EXPECT_EQ(type, REG_SZ);
    names.push_back(name);
    ports.push_back(data);
  }
  EXPECT_EQ(ports, (std::vector<std::string>{"COM1", "COM2", "COM3", "COM4", "COM5", "COM6", "COM7"}));
  EXPECT_EQ(names.front(), "\\Device\\ttyS0");
  // A name buffer too small ends the enumeration, as the port refresh relies on.
  char tiny[4];
  DWORD tinySize = sizeof tiny;
  EXPECT_EQ(RegEnumValue(key, 0, tiny, &tinySize, nullptr, nullptr, nullptr, nullptr), static_cast<LONG>(ERROR_MORE_DATA));
  const BYTE b = 1;
  EXPECT_EQ(RegSetValueEx(key, "x", 0, REG_BINARY, &b, 1), static_cast<LONG>(ERROR_ACCESS_DENIED));
  RegCloseKey(key);
  EXPECT_EQ(RegOpenKeyEx(HKEY_LOCAL_MACHINE, "HARDWARE\\DEVICEMAP\\SERIALCOMM", 0, KEY_ALL_ACCESS, &key),
            static_cast<LONG>(ERROR_ACCESS_DENIED));
  EXPECT_EQ(RegOpenKeyEx(HKEY_LOCAL_MACHINE, "HARDWARE\\DESCRIPTION", 0, KEY_READ, &key), static_cast<LONG>(ERROR_FILE_NOT_FOUND));

  // Without any serial device there is no such key, so a port refresh leaves its lists alone.
  platform::SetSerialDeviceRoots(root_ + "/none", dev_);
  EXPECT_EQ(RegOpenKeyEx(HKEY_LOCAL_MACHINE, "HARDWARE\\DEVICEMAP\\SERIALCOMM", 0, KEY_READ, &key),
            static_cast<LONG>(ERROR_FILE_NOT_FOUND));
  EXPECT_EQ(RegOpenKeyEx(HKEY_LOCAL_MACHINE, "HARDWARE\\DEVICEMAP", 0, KEY_READ, &key), 0);
  RegCloseKey(key);
}

}  // namespace
