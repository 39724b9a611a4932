#pragma once
// The plain push buttons and panels of the class library on a skinned form: their window
// controllers paint them with the form's skin painter, a button as the skin's button with its
// caption, a panel as a frameless group panel with its caption.
#include <memory>

#include "platform/classes/Graphics.h"
#include "ui/foundation/Canvas.h"
#include "ui/skins/SkinWinController.h"

class TdxSkinCustomController;

class TdxSkinCustomControlViewInfo : public TObject {
  VW_CLASS(TdxSkinCustomControlViewInfo, TObject)
 public:
  explicit TdxSkinCustomControlViewInfo(TdxSkinCustomController* AController) : FController(AController) {}
  TRect Bounds() const;
  bool IsEnabled() const;
  bool IsFocused() const;
  bool IsMouseOver() const;
  TdxSkinCustomController* Controller() const { return FController; }

 private:
  TdxSkinCustomController* FController;
};

class TdxSkinButtonViewInfo : public TdxSkinCustomControlViewInfo {
  VW_CLASS(TdxSkinButtonViewInfo, TdxSkinCustomControlViewInfo)
 public:
  explicit TdxSkinButtonViewInfo(TdxSkinCustomController* AController);
  // Recomputes the state; answers whether it changed.
  bool CalculateState();
  String Caption;
  bool Default = false;
  TcxButtonState State = cxbsNormal;
};

class TdxSkinCustomControlPainter : public TObject {
  VW_CLASS(TdxSkinCustomControlPainter, TObject)
 public:
  explicit TdxSkinCustomControlPainter(TdxSkinCustomControlViewInfo* AViewInfo);
  ~TdxSkinCustomControlPainter() override;

  // 0 takes the window's context and gives it back at EndDraw.
  void BeginDraw(win::HDC DC);
  void EndDraw();
  void DrawParentBackground();
  void DrawButton(const String& Caption, const TRect& R, TFont* Font, bool WordWrap, TcxButtonState State);
  void DrawFocus(const TRect& R);
  TcxCanvas* Canvas() const { return FCxCanvas.get(); }
  win::HDC DC() const { return FDC; }

 private:
  TdxSkinCustomControlViewInfo* FViewInfo;
  std::unique_ptr<TCanvas> FCanvas;
  std::unique_ptr<TcxCanvas> FCxCanvas;
  win::HDC FDC = nullptr;
  bool FOwnDC = false;
};

class TdxSkinCustomController : public TdxSkinWinController {
  VW_CLASS(TdxSkinCustomController, TdxSkinWinController)
 public:
  explicit TdxSkinCustomController(win::HWND AHandle);
  ~TdxSkinCustomController() override;

  TdxSkinWinController* FindParentController(win::HWND AHandle) override;
  void Initialize() override {}
  void WndProc(TMessage& Message) override;

  virtual bool HandleEraseBackground(TMessage& Message);
  virtual bool HandlePaint(TMessage& Message);
  virtual void Paint(win::HDC) {}

  TdxSkinCustomControlViewInfo* ViewInfo() const { return FViewInfo.get(); }
  TdxSkinCustomControlPainter* Painter() const { return FPainter.get(); }

 protected:
  void SetViewInfo(std::unique_ptr<TdxSkinCustomControlViewInfo> Value);

 private:
  std::unique_ptr<TdxSkinCustomControlViewInfo> FViewInfo;
  std::unique_ptr<TdxSkinCustomControlPainter> FPainter;
};

class TdxSkinButtonController : public TdxSkinCustomController {
  VW_CLASS(TdxSkinButtonController, TdxSkinCustomController)
 public:
  explicit TdxSkinButtonController(win::HWND AHandle);
  void WndProc(TMessage& Message) override;
  void MouseLeft() override;
  void Paint(win::HDC DC) override;
  TdxSkinButtonViewInfo* ButtonViewInfo() const { return static_cast<TdxSkinButtonViewInfo*>(ViewInfo()); }

 private:
  void UpdateState();
};

class TdxSkinPanelController : public TdxSkinCustomController {
  VW_CLASS(TdxSkinPanelController, TdxSkinCustomController)
 public:
  using TdxSkinCustomController::TdxSkinCustomController;
  void WndProc(TMessage& Message) override;
  bool HandleEraseBackground(TMessage&) override { return false; }
  bool HandlePaint(TMessage& Message) override;
  void Paint(win::HDC DC) override;
  virtual bool HandlePrintClient(TMessage& Message);

 private:
  bool FPainting = false;
};
