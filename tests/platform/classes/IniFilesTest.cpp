#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "platform/classes/IniFiles.h"
#include "platform/classes/Streams.h"
#include "tests/support/Artifacts.h"

namespace {

std::string Slurp(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream ss;
  ss << in.rdbuf();
  return ss.str();
}

std::string FreshFile(const char* hint) { return testsupport::TempDir(hint) + "/cfg.ini"; }

TEST(TIniFile, IntegerAndBooleanFormsReadAsStoredOrFallBackToTheDefault) {
  std::string file = FreshFile("ini-forms");
  {
    std::ofstream out(file, std::ios::binary);
    out << "[setting]\r\n"
           "dec=12\r\nneg=-7\r\nhexd=$1F\r\nhexx=0x1f\r\nhexup=0X10\r\nneghex=-$10\r\nall=$FFFFFFFF\r\n"
           "blanks=  5  \r\nquoted=\"8\"\r\nword=yes\r\ntrue=true\r\nempty=\r\ninner=5 6\r\n"
           "big=2147483648\r\nfloat=1.0\r\ntwo=2\r\nzero=0\r\nminus=-1\r\n";
  }
  TIniFile ini(file);
  struct Case {
    const char* key;
    int integer;  // read with default 99
    bool boolean;  // read with default true
  } cases[] = {
      {"dec", 12, true},      {"neg", -7, true},     {"hexd", 31, true},   {"hexx", 31, true},
      {"hexup", 16, true},     {"neghex", -16, true}, {"all", -1, true},    {"blanks", 5, true},
      {"quoted", 8, true},    {"word", 99, true},    {"true", 99, true},   {"empty", 99, true},
      {"inner", 99, true},    {"big", 99, true},     {"float", 99, true},  {"two", 2, true},
      {"zero", 0, false},     {"minus", -1, true},   {"missing", 99, true},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ini.ReadInteger("setting", c.key, 99), c.integer) << c.key;
    EXPECT_EQ(ini.ReadBool("SETTING", c.key, true), c.boolean) << c.key;
  }
  EXPECT_FALSE(ini.ReadBool("setting", "word", false));  // "yes" is no number: the default

  // Written forms: decimal integers, 1 and 0 for booleans, read back in the other form too.
  ini.WriteInteger("w", "int", -42);
  ini.WriteBool("w", "on", true);
  ini.WriteBool("w", "off", false);
  EXPECT_EQ(ini.ReadString("w", "int", ""), "-42");
  EXPECT_EQ(ini.ReadInteger("w", "on", 5), 1);
  EXPECT_EQ(ini.ReadString("w", "off", ""), "0");
}

TEST(TIniFile, TwoObjectsOnOneFileSeeEachOthersWritesAtOnce) {
  std::string file = FreshFile("ini-two");
  TIniFile a(file), b(file);
  EXPECT_EQ(b.ReadString("config", "name", "LCD WALL"), "LCD WALL");
  EXPECT_FALSE(std::filesystem::exists(file));

  a.WriteString("config", "name", "大厅");
  EXPECT_EQ(b.ReadString("Config", "NAME", "LCD WALL"), "大厅");
  b.WriteInteger("setting", "com port A", 12);
  b.WriteString("stringgrid", "2,3", "clRed");
  b.WriteString("cellName", "1,2,HDMI", "主屏");
  EXPECT_EQ(a.ReadInteger("setting", "COM PORT a", 1), 12);
  EXPECT_EQ(a.ReadString("stringgrid", "2,3", ""), "clRed");
  EXPECT_EQ(a.ReadString("cellname", "1,2,hdmi", "HDMI"), "主屏");

  // An empty value is present: its empty text wins over the default.
  a.WriteString("config", "caption", "");
  EXPECT_EQ(b.ReadString("config", "caption", "传统液晶拼接系统 "), "");
  // A missing key gives the default without its trailing blanks.
  EXPECT_EQ(b.ReadString("config", "other", "传统液晶拼接系统 "), "传统液晶拼接系统");

  TStringList list;
  b.ReadSections(&list);
  EXPECT_EQ(list.CommaText(), "config,setting,stringgrid,cellName");
  b.ReadSection("config", &list);
  EXPECT_EQ(list.CommaText(), "name,caption");
  b.ReadSectionValues("setting", &list);
  EXPECT_EQ(list.Values("com port a"), "12");
  EXPECT_TRUE(a.SectionExists("CELLNAME"));
  EXPECT_TRUE(a.ValueExists("config", "Caption"));
  a.DeleteKey("config", "caption");
  EXPECT_FALSE(b.ValueExists("config", "caption"));
  a.EraseSection("stringgrid");
  EXPECT_FALSE(b.SectionExists("stringgrid"));
}

TEST(TIniFile, ValuesAreCutAt2047Characters) {
  std::string file = FreshFile("ini-long");
  TIniFile ini(file);
  String longText;
  for (int i = 0; i < 3000; ++i) longText += i % 2 ? "字" : "a";
  ini.WriteString("subtitle", "displaytext", longText);
  String back = ini.ReadString("subtitle", "displaytext", "");
  EXPECT_EQ(Length(back), 2047);
  EXPECT_EQ(back, Copy(longText, 1, 2047));
  EXPECT_EQ(Length(ini.ReadString("subtitle", "missing", longText)), 2047);
}

TEST(TIniFile, AWriteTheFileSystemRefusesIsDroppedSilently) {
  // A folder that does not exist refuses the file whoever runs the test.
  TIniFile ini(testsupport::TempDir("ini-refused") + "/missing/cfg.ini");
  EXPECT_NO_THROW(ini.WriteString("config", "row", "4"));
  EXPECT_EQ(ini.ReadInteger("config", "row", 3), 3);
}

TEST(TMemIniFile, HoldsTheFileUntilUpdateFile) {
  std::string file = FreshFile("memini");
  {
    std::ofstream out(file, std::ios::binary);
    out << "; layout\r\n[Main]\r\n Version = 55 \r\n\r\n[Bar0]\r\nCaption=" << "\xB9\xA4\xBE\xDF"  // 工具 in GBK
        << "\r\n";
  }
  TMemIniFile ini(file);
  EXPECT_EQ(ini.ReadInteger("main", "version", 0), 55);
  EXPECT_EQ(ini.ReadString("BAR0", "caption", ""), "工具");
  TStringList sections;
  ini.ReadSections(&sections);
  EXPECT_EQ(sections.CommaText(), "Main,Bar0");

  ini.WriteBool("Bar0", "Visible", true);
  TMemoryStream bytes;
  const unsigned char raw[] = {0x00, 0xFF, 0x10};
  bytes.WriteBuffer(raw, 3);
  bytes.SetPosition(0);
  ini.WriteBinaryStream("Bar0", "UserDefine", &bytes);
  EXPECT_EQ(bytes.Position(), 0);
  EXPECT_EQ(ini.ReadString("Bar0", "UserDefine", ""), "00FF10");
  TMemoryStream back;
  EXPECT_EQ(ini.ReadBinaryStream("Bar0", "UserDefine", &back), 3);
  EXPECT_EQ(back.Size(), 3);
  unsigned char got[3] = {};
  back.ReadBuffer(got, 3);
  EXPECT_EQ(std::string(reinterpret_cast<char*>(got), 3), std::string(reinterpret_cast<const char*>(raw), 3));
  EXPECT_EQ(ini.ReadBinaryStream("Bar0", "Missing", &back), 0);

  // Nothing reaches the disk before UpdateFile.
  std::string before = Slurp(file);
  ini.EraseSection("main");
  EXPECT_EQ(Slurp(file), before);
  ini.UpdateFile();
  EXPECT_EQ(Slurp(file), "[Bar0]\r\nCaption=\xB9\xA4\xBE\xDF\r\nVisible=1\r\nUserDefine=00FF10\r\n\r\n");

  // Lines in and out, as the layout stream uses them.
  TStringList lines;
  lines.SetText("[A.Main]\nBarCount=2\n[A.Bar0]\nCaption=x");
  TMemIniFile mem;
  mem.SetStrings(&lines);
  EXPECT_EQ(mem.ReadInteger("a.main", "BarCount", 0), 2);
  TStringList out;
  mem.GetStrings(&out);
  EXPECT_EQ(out.Text(), "[A.Main]\r\nBarCount=2\r\n\r\n[A.Bar0]\r\nCaption=x\r\n\r\n");
  EXPECT_NO_THROW(mem.UpdateFile());  // no file: nothing to do

  TMemIniFile unwritable(testsupport::TempDir("memini-missing") + "/no/such/dir/cfg.ini");
  unwritable.WriteString("a", "b", "c");
  EXPECT_THROW(unwritable.UpdateFile(), EFCreateError);
}

}  // namespace
