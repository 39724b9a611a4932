#include <gtest/gtest.h>

#include "platform/classes/IniFiles.h"
#include "platform/classes/Registry.h"
#include "platform/classes/Streams.h"
#include "tests/support/Artifacts.h"

namespace {

class RegistryClasses : public ::testing::Test {
 protected:
  void SetUp() override { platform::SetRegistryStorePath(testsupport::TempDir("reg-classes") + "/registry"); }
  void TearDown() override { platform::SetRegistryStorePath(""); }
};

TEST_F(RegistryClasses, IniInterfaceKeepsSectionsAsSubKeys) {
  {
    TRegistryIniFile ini("\\Software\\Wall\\");
    ini.WriteString("\\Software\\Wall\\", "Version", "55");
    ini.WriteInteger("Bar0", "Row", 2);
    ini.WriteBool("Bar0", "Visible", true);
    ini.WriteString("Bar0\\ItemLink0", "ItemName", "按钮1");
    TMemoryStream glyph;
    const unsigned char raw[] = {1, 2, 0xFE};
    glyph.WriteBuffer(raw, 3);
    glyph.SetPosition(0);
    ini.WriteBinaryStream("Bar0\\ItemLink0", "UserDefine", &glyph);
  }
  // A second object on the same path sees it all; numbers went in as numbers.
  TRegistryIniFile ini("\\Software\\Wall\\");
  EXPECT_EQ(ini.ReadInteger("\\Software\\Wall\\", "Version", 0), 55);  // text that reads as a number
  EXPECT_EQ(ini.ReadInteger("bar0", "row", 0), 2);
  EXPECT_TRUE(ini.ReadBool("BAR0", "Visible", false));
  EXPECT_EQ(ini.ReadString("Bar0\\ItemLink0", "ItemName", ""), "按钮1");
  EXPECT_EQ(ini.ReadString("Bar9", "Caption", "none"), "none");
  EXPECT_EQ(ini.ReadInteger("Bar0", "Missing", -1), -1);
  TRegistry reg;
  ASSERT_TRUE(reg.OpenKeyReadOnly("\\Software\\Wall\\Bar0"));
  EXPECT_EQ(reg.GetDataType("Row"), rdInteger);
  EXPECT_EQ(reg.GetDataType("Visible"), rdString);
  reg.CloseKey();

  TMemoryStream back;
  EXPECT_EQ(ini.ReadBinaryStream("Bar0\\ItemLink0", "UserDefine", &back), 3);
  unsigned char got[3] = {};
  back.ReadBuffer(got, 3);
  EXPECT_EQ(got[2], 0xFE);

  TStringList names;
  ini.ReadSections(&names);
  EXPECT_EQ(names.CommaText(), "Bar0");
  ini.ReadSection("Bar0", &names);
  EXPECT_EQ(names.CommaText(), "Row,Visible");
  ini.ReadSectionValues("Bar0", &names);
  EXPECT_EQ(names.CommaText(), "Row=2,Visible=1");

  // Erasing the base path takes everything below it; writing afterwards starts afresh.
  ini.EraseSection("\\Software\\Wall\\");
  EXPECT_FALSE(reg.KeyExists("\\Software\\Wall"));
  ini.WriteString("\\Software\\Wall\\", "Version", "55");
  EXPECT_EQ(ini.ReadString("\\Software\\Wall\\", "Version", ""), "55");
}

TEST_F(RegistryClasses, RegistryReadsAndRefusesWithThePlatformTexts) {
  TRegistry reg;
  EXPECT_FALSE(reg.OpenKey("Software\\Missing", false));
  ASSERT_TRUE(reg.OpenKey("Software\\App", true));
  EXPECT_EQ(reg.CurrentPath(), "Software\\App");
  ASSERT_TRUE(reg.OpenKey("Sub", true));  // relative to the current key
  EXPECT_EQ(reg.CurrentPath(), "Software\\App\\Sub");
  reg.WriteString("Name", "x");
  EXPECT_EQ(reg.ReadString("Missing"), "");
  try {
    reg.ReadInteger("Name");
    ADD_FAILURE() << "no error";
  } catch (const ERegistryException& e) {
    EXPECT_EQ(e.Message(), "Invalid data type for 'Name'");
  }
  try {
    reg.ReadInteger("Missing");
    ADD_FAILURE() << "no error";
  } catch (const ERegistryException& e) {
    EXPECT_EQ(e.Message(), "Failed to get data for 'Missing'");
  }

  // The hardware keys open for reading only.
  reg.SetRootKey(win::HKEY_LOCAL_MACHINE);
  EXPECT_FALSE(reg.OpenKey("HARDWARE\\DEVICEMAP", false));
  ASSERT_TRUE(reg.OpenKeyReadOnly("HARDWARE\\DEVICEMAP"));
  EXPECT_THROW(reg.WriteString("x", "y"), ERegistryException);

  // The theme scheme lookup of the library: a missing value reads as the default.
  TRegIniFile theme("\\Software\\Microsoft\\Windows\\CurrentVersion");
  EXPECT_EQ(theme.ReadString("ThemeManager", "ColorName", ""), "");
}

}  // namespace

namespace {

TEST_F(RegistryClasses, AKeyPathEndingInABackslashOpensTheSameKey) {
  {
    TRegistry reg;
    ASSERT_TRUE(reg.OpenKey("\\Software\\Wall\\Bars\\", true));
    reg.WriteInteger("Count", 3);
  }
  TRegistry reg;
  ASSERT_TRUE(reg.OpenKey("\\Software\\Wall\\Bars", false));
  EXPECT_EQ(reg.ReadInteger("Count"), 3);
  reg.CloseKey();
  ASSERT_TRUE(reg.OpenKeyReadOnly("\\Software\\Wall\\Bars\\"));
  EXPECT_EQ(reg.ReadInteger("Count"), 3);
  EXPECT_TRUE(reg.KeyExists("\\Software\\Wall\\Bars\\"));
}

}  // namespace
