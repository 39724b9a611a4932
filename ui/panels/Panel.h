#pragma once
// The framed panel: a container that draws its own outer and inner frames with a band between
// them, an optional grid, a caption aligned both ways, and a plain, gradient or see-through
// background.
#include <map>
#include <memory>

#include "platform/classes/ExtCtrls.h"
#include "ui/panels/Drawing.h"
#include "ui/panels/FrameController.h"

VW_ENUM(TAlignmentVertical, avTop, avCenter, avBottom)
VW_ENUM(TRzVisualStyle, vsClassic, vsWinXP, vsGradient)
VW_ENUM(TRzGridStyle, gsDots, gsDottedLines, gsSolidLines)

class TRzCustomPanel;

// Draws the grabbers and captions of the clients docked in a panel, and repaints the panel when
// its window is clicked or commanded.
class TRzPanelDockManager : public TObject {
  VW_CLASS(TRzPanelDockManager, TObject)
 public:
  explicit TRzPanelDockManager(TRzCustomPanel* Panel);
  ~TRzPanelDockManager() override;

  TRzCustomPanel* Panel() const { return FPanel; }
  int GripSize() const { return FGripSize; }
  TFont* CaptionFont() const { return FCaptionFont.get(); }
  // The grabber runs along the left of a client when the panel is aligned top or bottom.
  bool GrabbersOnLeft() const;
  // The place a client's frame takes around its rectangle.
  void AdjustDockRect(TControl* Client, win::RECT& ARect) const;
  // The grabber and caption of a client whose frame is ARect, on Canvas.
  void PaintDockFrame(TCanvas* Canvas, TControl* Client, const win::RECT& ARect);

 private:
  TRzCustomPanel* FPanel;
  int FGripSize = 14;
  std::unique_ptr<TFont> FCaptionFont;
  std::unique_ptr<TFont> FGlyphFont;
  std::function<void(TMessage&)> FOldWindowProc;
};

class TRzCustomPanel : public TCustomPanel, public IFrameControllerClient {
  VW_CLASS(TRzCustomPanel, TCustomPanel)
 public:
  explicit TRzCustomPanel(TComponent* AOwner);
  ~TRzCustomPanel() override;
  static void DeclareProperties(TPropTable& t);

  win::RECT ClientRect() override;
  void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;

  // 1 to 10 of the panel's own operations.
  virtual win::POINT CursorPosition();
  virtual void AdjustRectForBorders(win::RECT& Rect, bool IncludeBorderWidth);
  virtual win::RECT PanelBounds();
  virtual win::POINT RepaintMargin();
  virtual void EnableChildren(bool Enabled);
  virtual void GradientColors(TColor& Start, TColor& Stop);
  virtual void FlatColors(TColor& Color, int& Adjustment);
  virtual void DrawCaption(const win::RECT& Rect);
  virtual void DrawGrid(const win::RECT& Rect);
  void ApplyFrameController() override;

  TAlignmentVertical AlignmentVertical() const { return FAlignmentVertical; }
  virtual void SetAlignmentVertical(TAlignmentVertical Value);
  TColor BorderColor() const { return FBorderColor; }
  virtual void SetBorderColor(TColor Value);
  TFrameStyleEx BorderInner() const { return FBorderInner; }
  virtual void SetBorderInner(TFrameStyleEx Value);
  TFrameStyleEx BorderOuter() const { return FBorderOuter; }
  virtual void SetBorderOuter(TFrameStyleEx Value);
  TSides BorderSides() const { return FBorderSides; }
  virtual void SetBorderSides(TSides Value);
  TColor BorderHighlight() const { return FBorderHighlight; }
  virtual void SetBorderHighlight(TColor Value);
  TColor BorderShadow() const { return FBorderShadow; }
  virtual void SetBorderShadow(TColor Value);
  TColor FlatColor() const { return FFlatColor; }
  virtual void SetFlatColor(TColor Value);
  int FlatColorAdjustment() const { return FFlatColorAdjustment; }
  virtual void SetFlatColorAdjustment(int Value);
  TRzFrameController* FrameController() const { return FFrameController; }
  virtual void SetFrameController(TRzFrameController* Value);
  TRzGradientColorStyle GradientColorStyle() const { return FGradientColorStyle; }
  virtual void SetGradientColorStyle(TRzGradientColorStyle Value);
  TColor GradientColorStart() const { return FGradientColorStart; }
  virtual void SetGradientColorStart(TColor Value);
  TColor GradientColorStop() const { return FGradientColorStop; }
  virtual void SetGradientColorStop(TColor Value);
  TGradientDirection GradientDirection() const { return FGradientDirection; }
  virtual void SetGradientDirection(TGradientDirection Value);
  TColor GridColor() const { return FGridColor; }
  virtual void SetGridColor(TColor Value);
  TRzGridStyle GridStyle() const { return FGridStyle; }
  virtual void SetGridStyle(TRzGridStyle Value);
  std::uint16_t GridXSize() const { return FGridXSize; }
  virtual void SetGridXSize(std::uint16_t Value);
  std::uint16_t GridYSize() const { return FGridYSize; }
  virtual void SetGridYSize(std::uint16_t Value);
  bool PaintClientArea() const { return FPaintClientArea; }
  virtual void SetPaintClientArea(bool Value);
  bool ShowGrid() const { return FShowGrid; }
  virtual void SetShowGrid(bool Value);
  bool Transparent() const { return FTransparent; }
  virtual void SetTransparent(bool Value);
  int TextMargin() const { return FTextMargin; }
  virtual void SetTextMargin(int Value);
  int TextMarginVertical() const { return FTextMarginVertical; }
  virtual void SetTextMarginVertical(int Value);
  bool WordWrap() const { return FWordWrap; }
  virtual void SetWordWrap(bool Value);
  TRzVisualStyle VisualStyle() const { return FVisualStyle; }
  virtual void SetVisualStyle(TRzVisualStyle Value);

  TRzFrameControllerNotifications FrameControllerNotifications() const { return FFrameControllerNotifications; }
  void SetFrameControllerNotifications(TRzFrameControllerNotifications Value) {
    FFrameControllerNotifications = Value;
  }
  bool ShowDockClientCaptions() const { return FShowDockClientCaptions; }
  void SetShowDockClientCaptions(bool Value);
  TRzPanelDockManager* DockManager() const { return FDockManager.get(); }
  // Makes the dock manager when the panel is a dock site that uses one.
  void UpdateDockManager();

  TNotifyEvent OnPaint;

 protected:
  void Paint() override;
  void WndProc(TMessage& Message) override;
  void AdjustClientRect(win::RECT& Rect) override;
  void Notification(TComponent* AComponent, TOperation Operation) override;
  void DefineProperties(TFiler* Filer) override;
  void CMEnabledChanged(TMessage& Message) override;
  void WMWindowPosChanged(TMessage& Message) override;

 private:
  template <class T>
  bool Change(T& Field, const T& Value) {
    if (Field == Value) return false;
    Field = Value;
    Invalidate();
    return true;
  }
  void InvalidateTransparentChildren();
  void InvalidateFrameStrips(int NewWidth, int NewHeight);

  TAlignmentVertical FAlignmentVertical = avCenter;
  TFrameStyleEx FBorderInner = fsNone;
  TFrameStyleEx FBorderOuter = fsRaised;
  TSides FBorderSides = sdAllSides;
  TColor FBorderColor = clBtnFace;
  TColor FBorderHighlight = clBtnHighlight;
  TColor FBorderShadow = clBtnShadow;
  TColor FFlatColor = clBtnShadow;
  int FFlatColorAdjustment = 30;
  bool FPaintClientArea = true;
  TRzVisualStyle FVisualStyle = vsWinXP;
  TRzGradientColorStyle FGradientColorStyle = gcsSystem;
  TColor FGradientColorStart = clWhite;
  TColor FGradientColorStop = clBtnFace;
  TGradientDirection FGradientDirection = gdHorizontalEnd;
  TColor FGridColor = clBtnShadow;
  TRzGridStyle FGridStyle = gsDots;
  std::uint16_t FGridXSize = 8;
  std::uint16_t FGridYSize = 8;
  bool FShowGrid = false;
  bool FTransparent = false;
  int FTextMargin = 0;
  int FTextMarginVertical = 0;
  bool FWordWrap = true;
  bool FShowDockClientCaptions = true;
  TRzFrameController* FFrameController = nullptr;
  TRzFrameControllerNotifications FFrameControllerNotifications = fccAll;
  // The enabled state of each child, recorded while the panel is disabled.
  std::map<TControl*, bool> FEnabledStates;
  std::unique_ptr<TRzPanelDockManager> FDockManager;
};

class TRzPanel : public TRzCustomPanel {
  VW_CLASS(TRzPanel, TRzCustomPanel)
 public:
  explicit TRzPanel(TComponent* AOwner) : TRzCustomPanel(AOwner) {}
};
