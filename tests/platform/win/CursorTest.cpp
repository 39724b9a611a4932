#include "platform/system/Modules.h"
#include "platform/system/Resources.h"
#include "platform/win/Controls.h"
#include "tests/platform/win/WindowFixture.h"

namespace wintest {
namespace {

using namespace win;

class CursorTest : public WindowTest {
 protected:
  HINSTANCE program = GetModuleHandle(nullptr);

  std::uint32_t At(const platform::CursorImage& image, int x, int y) {
    return image.pixels[static_cast<std::size_t>(y) * image.width + x];
  }
};

TEST_F(CursorTest, ResourceCursorsKeepTheirPictureAndHotSpot) {
  struct Case {
    LPCSTR name;
    int hotX, hotY;
    POINT opaque, clear;
    std::uint32_t opaqueColour;
  };
  const Case cases[] = {
      {"test_arrow", 4, 2, {6, 10}, {30, 2}, 0xFFFF7800},     // 32 bits with alpha: orange inside
      {MAKEINTRESOURCE(300), 16, 16, {16, 8}, {2, 2}, 0xFFFFFFFF},  // monochrome: white where the mask is clear
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(platform::ResourceKey(c.name));
    HCURSOR cursor = LoadCursor(program, c.name);
    ASSERT_NE(cursor, nullptr);
    EXPECT_EQ(LoadCursor(program, c.name), cursor) << "resource cursors are shared";
    SetCursor(cursor);
    EXPECT_EQ(GetCursor(), cursor);
    EXPECT_EQ(Screen().Cursor(), platform::CursorShape::Image);
    auto image = Screen().CursorImageShown();
    ASSERT_TRUE(image);
    EXPECT_EQ(image->width, 32);
    EXPECT_EQ(image->height, 32);
    EXPECT_EQ(image->hotX, c.hotX);
    EXPECT_EQ(image->hotY, c.hotY);
    EXPECT_EQ(At(*image, c.opaque.x, c.opaque.y), c.opaqueColour);
    EXPECT_EQ(At(*image, c.clear.x, c.clear.y) >> 24, 0u);
    EXPECT_TRUE(DestroyCursor(cursor));
  }
  // The arrow's shadow keeps its partial alpha.
  SetCursor(LoadCursor(program, "TEST_ARROW"));
  auto arrow = Screen().CursorImageShown();
  EXPECT_EQ(At(*arrow, 4 + 2, 22 + 2) >> 24, 96u);

  SetCursor(LoadCursor(nullptr, IDC_IBEAM));
  EXPECT_EQ(Screen().Cursor(), platform::CursorShape::IBeam);
  EXPECT_FALSE(Screen().CursorImageShown());
}

TEST_F(CursorTest, MissingOrDamagedCursorsAreNil) {
  struct Case {
    HINSTANCE module;
    LPCSTR name;
    DWORD error;
  };
  const Case cases[] = {
      {program, "NO_SUCH_CURSOR", ERROR_RESOURCE_NAME_NOT_FOUND},
      {program, "NOT_A_CURSOR", ERROR_RESOURCE_NAME_NOT_FOUND},  // a resource of another type
      {program, "BROKEN", ERROR_INVALID_DATA},
      {nullptr, "TEST_ARROW", ERROR_RESOURCE_NAME_NOT_FOUND},    // the system has no such cursor
      {program, IDC_ARROW, ERROR_RESOURCE_NAME_NOT_FOUND},       // nor the program a standard one
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(platform::ResourceKey(c.name));
    SetLastError(0);
    EXPECT_EQ(LoadCursor(c.module, c.name), nullptr);
    EXPECT_EQ(GetLastError(), c.error);
  }
}

TEST_F(CursorTest, AClassCursorFromResourcesShowsOverTheWindow) {
  WNDCLASS wc;
  wc.lpfnWndProc = DefWindowProc;
  wc.lpszClassName = "ResourceCursorClass";
  wc.hCursor = LoadCursor(program, "TEST_ARROW");
  ASSERT_TRUE(RegisterClass(&wc));
  HWND hwnd = CreateWindowEx(0, "ResourceCursorClass", "", WS_POPUP | WS_VISIBLE, 100, 100, 80, 80, nullptr, nullptr,
                             nullptr, nullptr);
  Pump();
  Screen().InjectMouseMove(130, 130);
  Pump();
  EXPECT_EQ(Screen().Cursor(), platform::CursorShape::Image);
  Screen().InjectMouseMove(10, 10);
  Pump();
  DestroyWindow(hwnd);
  UnregisterClass("ResourceCursorClass", nullptr);
}

}  // namespace
}  // namespace wintest
