#pragma once
// The status bar: a row of panels docked at the bottom of a form. Each panel owns a panel style
// that draws its content and says how wide it wants to be; a painter class draws the bar's edge,
// the bevels, the gaps and the size grip. The bar lays the panels out afresh on every change
// (Recalculate: a whole layout and a repaint), decides whether the size grip shows, and routes
// clicks and hint texts to panels.
#include <functional>
#include <memory>
#include <vector>

#include "platform/classes/ActnList.h"
#include "platform/classes/Collection.h"
#include "platform/classes/Controls.h"
#include "platform/classes/ImageList.h"
#include "ui/foundation/AutoWidthObject.h"
#include "ui/foundation/Canvas.h"
#include "ui/controls/Control.h"
#include "ui/foundation/LookAndFeel.h"
#include "ui/foundation/ThemeManager.h"
#include "ui/pages/StatusBarPainters.h"

VW_ENUM(TdxStatusBarPaintStyle, stpsStandard, stpsFlat, stpsXP, stpsOffice11, stpsUseLookAndFeel)

class TdxStatusBarPanelStyle;
class TdxStatusBarPanels;
using TdxStatusBarPanelStyleClass = TClass;

using TdxStatusBarDrawPanelEvent =
    std::function<void(TdxStatusBarPanel* Sender, TcxCanvas* ACanvas, const TRect& ARect, bool& ADone)>;

class TdxStatusBarPanel : public TCollectionItem {
  VW_CLASS(TdxStatusBarPanel, TCollectionItem)
 public:
  explicit TdxStatusBarPanel(TCollection* Collection);
  ~TdxStatusBarPanel() override;
  static void DeclareProperties(TPropTable& t);
  void Assign(TPersistent* Source) override;

  TdxCustomStatusBar* StatusBarControl() const;

  TdxStatusBarPanelBevel Bevel() const { return FBevel; }
  void SetBevel(TdxStatusBarPanelBevel Value);
  TBiDiMode BiDiMode() const { return FBiDiMode; }
  void SetBiDiMode(TBiDiMode Value);
  bool ParentBiDiMode() const { return FParentBiDiMode; }
  void SetParentBiDiMode(bool Value);
  // The effective values: a style that does its own sizing makes the panel fixed at its default
  // widths, whatever was assigned.
  bool Fixed() const;
  void SetFixed(bool Value);
  int MinWidth() const;
  void SetMinWidth(int Value);
  int Width() const;
  void SetWidth(int Value);
  bool IsMinWidthAssigned() const { return FIsMinWidthAssigned; }
  bool IsWidthAssigned() const { return FIsWidthAssigned; }
  const String& Text() const { return FText; }
  void SetText(const String& Value);
  bool Visible() const { return FVisible; }
  void SetVisible(bool Value);

  TdxStatusBarPanelStyle* PanelStyle() const { return FPanelStyle; }
  // Copies the given style's values into the panel's own.
  void SetPanelStyle(TdxStatusBarPanelStyle* Value);
  TdxStatusBarPanelStyleClass PanelStyleClass() const { return FPanelStyleClass; }
  void SetPanelStyleClass(TdxStatusBarPanelStyleClass Value);
  String PanelStyleClassName() const;
  // Looked up case-sensitively among the registered panel styles; an unknown name removes the style.
  void SetPanelStyleClassName(const String& Value);

  TNotifyEvent OnClick;
  TNotifyEvent OnDblClick;
  TdxStatusBarDrawPanelEvent OnDrawPanel;
  // Nothing calls it: the stored slot of the style's events.
  TNotifyEvent PanelStyleEvents;

  virtual void Click();
  virtual void CreatePanelStyle();
  virtual void DblClick();
  virtual int DefaultMinWidth() const;
  virtual int DefaultWidth() const;
  virtual void DestroyPanelStyle();
  virtual int RealMinWidth() const;
  virtual int RealWidth() const;
  virtual void AdjustWidth(int& AWidth) const;
  // The item change of this panel alone, which reaches the bar as a Recalculate.
  virtual void Changed();
  virtual void RestoreDefaults();

  // Takes the bar's BiDiMode while ParentBiDiMode is on.
  void SyncParentBiDiMode();
  // Raises the change of every item of the collection.
  void ChangedAll() { TCollectionItem::Changed(true); }

 protected:
  String GetDisplayName() override;

 private:
  bool IsBiDiModeStored() const { return !FParentBiDiMode; }

  TdxStatusBarPanelBevel FBevel = dxpbLowered;
  TBiDiMode FBiDiMode = bdLeftToRight;
  bool FFixed = true;
  int FMinWidth = 20;
  TdxStatusBarPanelStyle* FPanelStyle = nullptr;
  TdxStatusBarPanelStyleClass FPanelStyleClass = nullptr;
  bool FIsMinWidthAssigned = false;
  bool FIsWidthAssigned = false;
  bool FParentBiDiMode = true;
  String FText;
  bool FVisible = true;
  int FWidth = 50;
};

class TdxStatusBarPanels : public TCollection {
  VW_CLASS(TdxStatusBarPanels, TCollection)
 public:
  explicit TdxStatusBarPanels(TdxCustomStatusBar* AStatusBarControl);

  TdxStatusBarPanel* Add() { return static_cast<TdxStatusBarPanel*>(TCollection::Add()); }
  // A 0-based index; outside 0 .. Count - 1 the collection's list-index error.
  TdxStatusBarPanel* PanelAt(int Index) const { return static_cast<TdxStatusBarPanel*>(Items(Index)); }
  TdxCustomStatusBar* StatusBarControl() const { return FStatusBarControl; }

 protected:
  TPersistent* GetOwner() override;
  void Update(TCollectionItem* Item) override;

 private:
  TdxCustomStatusBar* FStatusBarControl;
};

class TdxStatusBarPanelViewInfo : public TObject {
  VW_CLASS(TdxStatusBarPanelViewInfo, TObject)
 public:
  explicit TdxStatusBarPanelViewInfo(TdxStatusBarPanel* APanel) : FPanel(APanel) {}

  const TRect& Bounds() const { return FBounds; }
  // Tells the panel's style, which may place a control there.
  void SetBounds(const TRect& Value);
  TdxStatusBarPanel* Panel() const { return FPanel; }
  // The gap after the panel; empty after the last visible one.
  TRect SeparatorBounds;

 private:
  TRect FBounds;
  TdxStatusBarPanel* FPanel;
};

class TdxStatusBarViewInfo : public TObject {
  VW_CLASS(TdxStatusBarViewInfo, TObject)
 public:
  explicit TdxStatusBarViewInfo(TdxCustomStatusBar* AStatusBar) : FStatusBar(AStatusBar) {}

  // Lays the visible panels out in the content bounds R.
  virtual void Calculate(const TRect& R);
  // The first visible panel whose bounds hold the point; null over gaps and past the last panel.
  TdxStatusBarPanel* PanelAt(const TPoint& P) const;

  TdxCustomStatusBar* StatusBar() const { return FStatusBar; }
  int PanelCount() const { return static_cast<int>(FPanelViewInfos.size()); }
  TdxStatusBarPanelViewInfo* PanelViewInfo(int Index) const { return FPanelViewInfos[Index].get(); }
  bool SizeGripOverlapped() const { return FSizeGripOverlapped; }

 protected:
  // One item per visible panel and one per gap between them.
  int AutoWidthItemCount() const { return PanelCount() * 2 - 1; }
  virtual void PlacePanels(const TRect& R, TcxAutoWidthObject* AutoWidthObject);

 private:
  TdxCustomStatusBar* FStatusBar;
  std::vector<std::unique_ptr<TdxStatusBarPanelViewInfo>> FPanelViewInfos;
  bool FSizeGripOverlapped = false;
};

class TdxCustomStatusBar : public TcxControl, public IcxSkinnableMarker {
  VW_CLASS(TdxCustomStatusBar, TcxControl)
 public:
  explicit TdxCustomStatusBar(TComponent* AOwner);
  ~TdxCustomStatusBar() override;

  int BorderWidth() const { return FBorderWidth; }
  void SetBorderWidth(int Value);
  TCustomImageList* Images() const { return FImages; }
  void SetImages(TCustomImageList* Value);
  TdxStatusBarPainterClass Painter() const { return FPainter; }
  TdxStatusBarPaintStyle PaintStyle() const { return FPaintStyle; }
  void SetPaintStyle(TdxStatusBarPaintStyle Value);
  TdxStatusBarPanels* Panels() const { return FPanels; }
  void SetPanels(TdxStatusBarPanels* Value) { FPanels->Assign(Value); }
  bool SizeGrip() const { return FSizeGrip; }
  void SetSizeGrip(bool Value);
  bool ThemesAvailable() const { return FThemesAvailable; }
  TdxStatusBarViewInfo* ViewInfo() const { return FViewInfo.get(); }
  TNotifyEvent OnHint;

  // The client bounds inside the painter's border widths.
  TRect ContentBounds();
  // The bar's bottom-right corner, or any point of the bar, in the coordinates of Form (the bar's
  // form when null).
  TPoint PointInForm(const TPoint& P, TWinControl* Form = nullptr);
  bool IsLoading() const { return ComponentState().Contains(csLoading) || ComponentState().Contains(csReading); }

  // Virtual operations, in their slot order.
  virtual void AdjustDefaultTextColor(TColor& Color, bool Enabled);
  virtual std::unique_ptr<TdxStatusBarViewInfo> CreateViewInfo();
  virtual void CalculateLayout();
  virtual TdxStatusBarPanel* CreatePanel();
  virtual TdxStatusBarPanels* CreatePanels();
  virtual bool DoHint();
  virtual TdxStatusBarPanelStyleClass DefaultPanelStyleClass();
  virtual TdxStatusBarPainterClass PainterClass();
  virtual TdxStatusBarPaintStyle EffectivePaintStyle();
  virtual TClass PanelClass();
  virtual void UpdatePainter();
  virtual void PainterChanged();
  virtual bool SizeGripVisible();
  virtual void ThemeChanged();
  // A whole layout and a repaint; never partial.
  virtual void Recalculate();
  virtual bool CanUsePanelStyleClass(TdxStatusBarPanelStyleClass AClass);
  virtual TdxStatusBarPanel* PanelAtPos(int X, int Y);

  void Layout();
  // Answers whether the action was taken: a hint action writes into the AutoHint text panel.
  virtual bool ExecuteAction(TBasicAction* Action);
  void WndProc(TMessage& Message) override;
  bool IsFocusable() override { return false; }
  bool HandlesSystemErase() override { return false; }
  bool UsesInternalScrollBars() override { return false; }
  void NotifyFontListeners() override;
  void LookAndFeelChanged(TcxLookAndFeel* Sender, TcxLookAndFeelValues ChangedValues) override;

 protected:
  void Loaded() override;
  void Notification(TComponent* AComponent, TOperation Operation) override;
  void Paint() override;
  void Resize() override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void Dispatch(TMessage& Message) override;
  void CMColorChanged(TMessage& Message) override;
  void CMParentFontChanged(TMessage& Message) override;
  void CMSysColorChange(TMessage& Message) override;
  void CMEnabledChanged(TMessage& Message) override;
  virtual void CMBiDiModeChanged(TMessage& Message);
  virtual void CMWinIniChange(TMessage& Message);
  virtual void WMNCHitTest(TMessage& Message);

  void ImagesChanged(TObject* Sender);

 private:
  int FBorderWidth = 0;
  TCustomImageList* FImages = nullptr;
  std::unique_ptr<TChangeLink> FImageChangeLink;
  TdxStatusBarPainterClass FPainter = nullptr;
  TdxStatusBarPaintStyle FPaintStyle = stpsStandard;
  TdxStatusBarPanels* FPanels = nullptr;
  bool FSizeGrip = true;
  bool FThemesAvailable = false;
  std::unique_ptr<TdxThemeChangedNotificator> FThemeChangedNotificator;
  std::unique_ptr<TdxStatusBarViewInfo> FViewInfo;
};

class TdxStatusBar : public TdxCustomStatusBar {
  VW_CLASS(TdxStatusBar, TdxCustomStatusBar)
 public:
  explicit TdxStatusBar(TComponent* AOwner) : TdxCustomStatusBar(AOwner) {}
  static void DeclareProperties(TPropTable& t);
};

// The panel styles' registry, in which PanelStyleClassName finds its classes.
class TcxRegisteredClasses;
TcxRegisteredClasses* PanelStyleRegistry();
