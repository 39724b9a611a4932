#include "ui/controls/ControlsUnit.h"

#include "platform/classes/Forms.h"
#include "platform/system/Modules.h"
#include "platform/win/Focus.h"
#include "ui/controls/ContainerViewInfo.h"
#include "ui/controls/ControlChildComponent.h"
#include "ui/controls/CustomPopupWindow.h"
#include "ui/controls/EditStyle.h"
#include "ui/controls/EditUtils.h"
#include "ui/controls/MessageWindow.h"
#include "ui/controls/MouseTracking.h"
#include "ui/controls/SettingsController.h"
#include "ui/controls/Timer.h"
#include "ui/controls/WindowProcController.h"

using namespace win;

bool ControlsUnitFinalized = false;
UINT SkinQueryMessage = 0;
UINT SkinRefreshMessage = 0;
TSetMenuInfoProc SetMenuInfoProc = nullptr;

bool RefuseSkinQuery(TMessage& Message) {
  if (!SkinQueryMessage || Message.Msg != SkinQueryMessage) return false;
  Message.Result = 1;
  return true;
}

namespace {

struct TCursorEntry {
  int Index;
  const char* ResourceName;  // null: the system's hand
};

constexpr TCursorEntry kCursors[] = {
    {crcxDragCopy, "CX_DRAGCOPYCURSOR"},     {crcxFullScroll, "CX_FULLSCROLLCURSOR"},
    {crcxHorScroll, "CX_HORSCROLLCURSOR"},   {crcxVerScroll, "CX_VERSCROLLCURSOR"},
    {crcxUpScroll, "CX_UPSCROLLCURSOR"},     {crcxRightScroll, "CX_RIGHTSCROLLCURSOR"},
    {crcxDownScroll, "CX_DOWNSCROLLCURSOR"}, {crcxLeftScroll, "CX_LEFTSCROLLCURSOR"},
    {crcxRemove, "CX_REMOVECURSOR"},         {crcxVertSize, "CX_VERTSIZECURSOR"},
    {crcxHorzSize, "CX_HORZSIZECURSOR"},     {crcxMultiDrag, "CX_MULTIDRAGCURSOR"},
    {crcxNoDrop, "CX_NODROPCURSOR"},         {crcxDrag, "CX_DRAGCURSOR"},
    {crcxHandPoint, nullptr},                {crcxColorPicker, "CX_COLORPICKERCURSOR"},
    {crcxMultiDragCopy, "CX_MULTIDRAGCOPYCURSOR"},
};

void LoadCursors() {
  if (!Screen) return;
  // The library's own cursors are the program's resources; the hand is the system's.
  HINSTANCE program = GetModuleHandle(nullptr);
  for (const TCursorEntry& c : kCursors) {
    HCURSOR h = c.ResourceName ? LoadCursor(program, c.ResourceName) : LoadCursor(nullptr, IDC_HAND);
    if (h) Screen->SetCursors(c.Index, h);
  }
}

}  // namespace

void ControlsUnitStartup() {
  ControlsUnitFinalized = false;
  SetMenuInfoProc = nullptr;
  if (HMODULE user32 = GetModuleHandle("user32.dll"))
    SetMenuInfoProc = reinterpret_cast<TSetMenuInfoProc>(GetProcAddress(user32, "SetMenuInfo"));
  LoadCursors();
  SkinQueryMessage = RegisterWindowMessage("{B2CE3777-44D8-4998-9701-47BBBC10B656}");
  SkinRefreshMessage = RegisterWindowMessage("{B2CE3777-44D8-1321-4656-12C54AA613BB}");
  SystemControllerInstance = new TcxSystemController();
  ControlChildComponentStartup();
  BindGetScrollBarInfo();
  PopupUnitStartup();
  EditPaintingStartup();
  EditUnitStartup();
}

void ControlsUnitShutdown() {
  ControlsUnitFinalized = true;
  EditUnitShutdown();
  EditPaintingShutdown();
  PopupUnitShutdown();
  FreeAndNil(SystemControllerInstance);
  controls_detail::FreeMouseTrackingTimerList();
  controls_detail::FreeSettingsController();
  controls_detail::FreeTimerWindow();
  controls_detail::FreeActiveTimerList();
  controls_detail::FreeMessageWindow();
  controls_detail::FreeWindowProcController();
}
