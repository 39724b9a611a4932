#pragma once
// The window controller of every form window (and MDI client area) while a skin is chosen: it
// takes the non-client area from the window system, sets the client area inside the skin's
// frame, paints frame, caption, icon and caption buttons from the skin, answers hit-testing, runs
// the caption buttons and the window menu itself, fills the form's background with the skin's
// content and gives the window a rectangular region.
#include "ui/skins/SkinFormPainter.h"
#include "ui/skins/SkinWinController.h"

class TdxSkinFormController : public TdxSkinWinController {
  VW_CLASS(TdxSkinFormController, TdxSkinWinController)
 public:
  explicit TdxSkinFormController(win::HWND AHandle);
  ~TdxSkinFormController() override;

  bool HasSkinPainter() override;
  void Initialize() override;
  void Unhook() override;
  void WndProc(TMessage& Message) override;
  void MouseLeft() override;
  void FrameChanged() override;
  void ResetSkinPainter() override;

  // ---- added, in their order ----
  virtual void CalculateNonClient();
  virtual void UpdateRegion();
  virtual void PaintClientBackground(win::HDC DC);
  virtual void PaintNonClient(win::HDC DC);
  virtual void PaintScrollBars(win::HDC DC);
  virtual void RemoveRegion(bool PostRedrawFlag);
  virtual void MakeLabelsTransparent();
  virtual bool HandleSkinMessage(TMessage& Message);
  virtual bool DispatchMessage(TMessage& Message);

  void LockRedraw();
  void UnlockRedraw();
  int RedrawLockCount() const { return FRedrawLockCount; }
  void PostRedraw();
  void RequestRedrawOnOldSystems();
  void ShowSystemMenu(const TPoint& ScreenPoint, const TRect& Exclude, int Alignment);
  void NotifySystemMenu(win::HMENU Menu);
  // Rebuilds the window menu from the window system's template, fitted to the window.
  void RebuildSystemMenu();
  void SyncWindowState();
  // Answers whether a state changed.
  bool UpdateHotTracking(bool ForceRepaint);
  bool RegionSet() const { return FRegionSet; }

  TdxSkinFormNonClientAreaInfo* NonClientInfo() const { return FInfo.get(); }
  TdxSkinFormPainter* FormPainter() const { return FPainter.get(); }

 protected:
  void WMActivate(TMessage& Message);
  bool WMContextMenu(TMessage& Message);
  void WMEraseBkgnd(TMessage& Message);
  void WMInitMenu(TMessage& Message);
  void WMNCActivate(TMessage& Message);
  void WMNCLButtonDown(TMessage& Message);
  void WMNCCalcSize(TMessage& Message);
  bool WMNCHitTest(TMessage& Message);
  bool WMNCLButtonUp(TMessage& Message);
  void WMNCPaint(TMessage& Message);
  void WMPaint(TMessage& Message);
  void WMPrint(TMessage& Message);
  void WMSetText(TMessage& Message);
  void WMSize(TMessage& Message);
  void WMSysCommand(TMessage& Message);
  void WMPopupSystemMenu(TMessage& Message);
  void WMWindowPosChanged(TMessage& Message);

 private:
  void PreProcess(TMessage& Message);
  void PostProcess(TMessage& Message);
  bool FPendingRepaint = false;
  bool FRegionSet = false;
  // Signed: a mouse-leave repaint unlocks from 0 and locks back.
  int FRedrawLockCount = 0;
  std::unique_ptr<TdxSkinFormNonClientAreaInfo> FInfo;
  std::unique_ptr<TdxSkinFormPainter> FPainter;
};
