#pragma once
// The geometry and the painting of a skinned form's non-client area: where the frame, the caption,
// its buttons, the menu line and the scroll bars lie, from the window's styles, the system metrics
// and the skin's "Form" elements, and how each is drawn. All rectangles are in window coordinates
// (origin at the window's top-left corner) unless said otherwise.
#include <memory>
#include <vector>

#include "platform/classes/Graphics.h"
#include "platform/win/Controls.h"
#include "platform/win/Hooks.h"
#include "ui/foundation/Canvas.h"
#include "ui/skins/SkinElementCache.h"
#include "ui/skins/SkinLookAndFeelPainter.h"

class TdxSkinFormController;
class TdxSkinFormIconInfoList;
class TdxSkinFormNonClientAreaInfo;

// The caption buttons, in the order of their elements.
enum TdxSkinFormIcon { sfiMenu, sfiHelp, sfiMinimize, sfiMaximize, sfiRestore, sfiClose };
using TdxSkinFormIcons = unsigned;  // bit (1 << kind)

win::UINT SkinFormIconCommand(TdxSkinFormIcon Kind);
int SkinFormIconHitTest(TdxSkinFormIcon Kind);

class TdxSkinFormIconInfo : public TObject {
  VW_CLASS(TdxSkinFormIconInfo, TObject)
 public:
  TdxSkinFormIconInfo(TdxSkinFormIconInfoList* AOwner, TdxSkinFormIcon AKind) : FOwner(AOwner), FKind(AKind) {}

  TdxSkinFormIcon Kind() const { return FKind; }
  bool Enabled() const;
  // The element state the button draws in.
  TdxSkinElementState State() const;
  TRect Bounds;
  TRect HitBounds;

 private:
  TdxSkinFormIconInfoList* FOwner;
  TdxSkinFormIcon FKind;
};

class TdxSkinFormIconInfoList : public TObject {
  VW_CLASS(TdxSkinFormIconInfoList, TObject)
 public:
  explicit TdxSkinFormIconInfoList(TdxSkinFormNonClientAreaInfo* AInfo) : FInfo(AInfo) {}

  int Count() const { return static_cast<int>(FItems.size()); }
  TdxSkinFormIconInfo* Items(int Index) const { return FItems[static_cast<std::size_t>(Index)].get(); }
  TdxSkinFormIconInfo* Find(TdxSkinFormIcon Kind) const;
  // Keeps the visible kinds (reusing what is there) and drops the rest.
  void Keep(TdxSkinFormIcons Visible);
  TdxSkinFormIconInfo* HitTest(const TPoint& P) const;
  // Recomputes the hot button from the cursor; answers whether any button's state changed.
  bool UpdateHot();
  TdxSkinFormNonClientAreaInfo* Info() const { return FInfo; }

  TdxSkinFormIconInfo* Hot = nullptr;
  TdxSkinFormIconInfo* Pressed = nullptr;

 private:
  TdxSkinFormNonClientAreaInfo* FInfo;
  std::vector<std::unique_ptr<TdxSkinFormIconInfo>> FItems;
};

// Which scroll bar a drag moves.
enum { sbDragHorz = 0, sbDragVert = 1, sbDragNone = 2 };
// The visible scroll-bar parts: horizontal, vertical, size grip.
enum { sbvHorz = 1, sbvVert = 2, sbvSizeGrip = 4 };

class TdxSkinFormNonClientAreaInfo : public TObject {
  VW_CLASS(TdxSkinFormNonClientAreaInfo, TObject)
 public:
  explicit TdxSkinFormNonClientAreaInfo(TdxSkinFormController* AController);
  ~TdxSkinFormNonClientAreaInfo() override;

  // ---- the slots, in their order ----
  virtual void CalcFrameParts();
  virtual void CalcBorderWidths();
  virtual void CalcCaption();
  virtual TSize CalcButtonSize(TdxSkinFormIcon Kind);
  virtual int CaptionHeight();
  virtual int TallestButtonHeight();
  virtual int CaptionTextHeight();
  virtual void CalcEdgeSizes();
  virtual TRect ClientMargins();
  virtual int MenuBarHeight();
  virtual TSize SystemIconSize();
  virtual void CalcScrollBars();
  virtual void CalcScrollParts();
  virtual void ReadWindow();
  virtual TdxSkinFormIcons VisibleButtons();
  virtual win::HRGN MDIClientEdgeRegion();
  virtual win::HICON WindowIcon();
  virtual void Calculate();
  // Frame parts, MDI client edge, menu line and scroll bars, in window coordinates; the caller
  // deletes it.
  virtual win::HRGN SkinPaintedRegion();

  win::HWND Handle() const;
  TdxSkinFormController* Controller() const { return FController; }
  bool UsesSystemMetrics();
  // The window has a border, does not use the system's frame sizes and is no maximized MDI child.
  bool UsesSkinMargins();
  bool HasBorder() const { return (Style & win::WS_BORDER) != 0; }
  bool HasCaption() const { return (Style & win::WS_CAPTION) == win::WS_CAPTION; }
  bool IsToolWindow() const { return (ExStyle & win::WS_EX_TOOLWINDOW) != 0; }
  bool IsMaximized() const { return WindowState == 2; }
  bool IsMinimized() const { return WindowState == 1; }
  // The set of elements: 0 small (tool windows), 1 normal.
  int ElementSet() const { return IsToolWindow() ? 0 : 1; }
  TdxSkinElement* CaptionElement() const;
  TdxSkinElement* FrameElement(int Part) const;
  TdxSkinElement* ButtonElement(TdxSkinFormIcon Kind) const;
  // Cursor position in window coordinates.
  TPoint CursorPos() const;
  // The hit-test code of a window point; 0 leaves it to the window's default.
  int HitTest(const TPoint& P);
  void SetActive(bool Value);
  void ForgetThemesActive() { FThemesKnown = false; }

  // Window.
  win::DWORD Style = 0, ExStyle = 0;
  int FormBorderWidth = 0;
  win::RECT ClientRectScreen{}, WindowRectScreen{};
  TRect ClientRect, FrameRect;
  win::NONCLIENTMETRICS Metrics{};
  bool IsMDIChild = false, IsMDIClient = false, HasMenu = false, Active = true;
  // 0 normal, 1 minimized, 2 maximized.
  int WindowState = 0;
  // Left, caption height, right, bottom.
  TRect BorderWidths;
  // Left strip, caption strip, right strip, bottom strip.
  TRect FrameParts[4];
  TRect CaptionTextRect, MenuLine;
  int MenuBarHeightValue = 0;
  TSize ClientEdge, SizingThickness;
  // Caption.
  String CaptionText;
  std::unique_ptr<TFont> CaptionFont;
  TColor ActiveTextColor = clCaptionText, InactiveTextColor = clInactiveCaptionText, ShadowColor = clBtnShadow;
  win::HICON Icon = nullptr;
  // Skin.
  const TdxSkinLookAndFeelPainter* Painter = nullptr;
  TdxSkinInfo* Info = nullptr;
  // Scroll bars: [0] horizontal, [1] vertical.
  int ScrollVisible = 0;
  TRect ScrollRects[2], SizeGripRect;
  win::SCROLLBARINFO ScrollInfos[2]{};
  int PartStates[2][6]{};
  TRect PartRects[2][6];
  int DraggedBar = sbDragNone;
  // The update region of the current paint, in screen coordinates; null paints everything.
  win::HRGN UpdateRegion = nullptr;
  TdxSkinFormIconInfoList* Buttons() const { return FButtons.get(); }

 private:
  TRect CaptionContentRect();
  TdxSkinFormController* FController;
  std::unique_ptr<TdxSkinFormIconInfoList> FButtons;
  bool FThemesKnown = false, FThemesActive = false;
};

class TdxSkinFormPainter : public TObject {
  VW_CLASS(TdxSkinFormPainter, TObject)
 public:
  explicit TdxSkinFormPainter(TdxSkinFormNonClientAreaInfo* AInfo);
  ~TdxSkinFormPainter() override;

  virtual void DrawContent(win::HDC DC, const TRect& R);
  virtual void DrawCaptionTextRaw(win::HDC DC, TRect R, const String& Text);
  virtual void DrawScrollBars(win::HDC DC);
  virtual void DrawScrollBar(win::HDC DC, bool Vertical, const TRect& R);
  virtual void DrawCaption(win::HDC DC, const TRect& R, TdxSkinElement* Caption);
  virtual void DrawCaptionBackground(win::HDC DC, TRect R, TdxSkinElement* Caption);
  virtual void DrawCaptionText(win::HDC DC, const TRect& R);
  virtual void DrawButton(win::HDC DC, const TRect& R, TdxSkinElementState State, TdxSkinElement* Element,
                          TdxSkinFormIcon Kind);
  virtual void DrawFormBorderWidth(win::HDC DC);
  virtual void DrawMDIClientEdge(win::HDC DC);
  virtual void DrawMenuLine(win::HDC DC);
  // The client background over the client rectangle of DC (client coordinates).
  virtual void PaintClient(win::HDC DC);
  // On DC in window coordinates; 0 takes the window's DC.
  virtual void PaintNonClient(win::HDC DC);
  virtual void PaintScrollBarsOnly(win::HDC DC);
  void ClearCaches();

 private:
  void DrawFrameParts(win::HDC DC);
  TdxSkinFormNonClientAreaInfo* FInfo;
  TdxSkinElementCache FFrameCaches[4];
  TdxSkinElementCache FButtonCaches[6];
  TdxSkinElementCache FContentCache;
};
