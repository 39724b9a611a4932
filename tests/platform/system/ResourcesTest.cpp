#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "platform/system/Resources.h"

namespace {

std::string Load(win::LPCSTR name, win::LPCSTR type) {
  win::HRSRC r = win::FindResource(nullptr, name, type);
  if (!r) return "<missing>";
  auto* data = static_cast<const char*>(win::LockResource(win::LoadResource(nullptr, r)));
  return std::string(data, win::SizeofResource(nullptr, r));
}

TEST(Resources, FoundByTypeAndNameWithoutRegardToCase) {
  EXPECT_EQ(Load("HELLO", win::RT_RCDATA), "hello resource\n");
  EXPECT_EQ(Load("hello", "rcdata"), "hello resource\n");
  EXPECT_EQ(Load("bytes", "DxSkins"), std::string("\x01\x02\x03\x00\xff", 5));
  // Integer names and types match their "#n" spelling.
  EXPECT_EQ(Load(win::MAKEINTRESOURCE(101), win::RT_BITMAP), std::string("\x01\x02\x03\x00\xff", 5));
  EXPECT_EQ(Load("#101", "#2"), std::string("\x01\x02\x03\x00\xff", 5));
}

TEST(Resources, FilesTheBuildMakesAreEmbeddedAndPlacedBesideTheProgram) {
  EXPECT_EQ(Load("GENERATED", win::RT_RCDATA), "made by the build: resources\n");
  const auto beside = std::filesystem::read_symlink("/proc/self/exe").parent_path() / "generated.txt";
  std::ifstream file(beside);
  ASSERT_TRUE(file) << beside;
  std::stringstream text;
  text << file.rdbuf();
  EXPECT_EQ(text.str(), "made by the build: resources\n");
}

TEST(Resources, MissingOnesReportNotFound) {
  EXPECT_EQ(win::FindResource(nullptr, "Hello", win::RT_BITMAP), nullptr);
  EXPECT_EQ(win::GetLastError(), win::ERROR_RESOURCE_NAME_NOT_FOUND);
  EXPECT_EQ(win::FindResource(nullptr, "nothing", "RCDATA"), nullptr);
  EXPECT_EQ(win::SizeofResource(nullptr, nullptr), 0u);
}

}  // namespace
