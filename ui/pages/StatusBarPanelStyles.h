#pragma once
// What a status bar panel shows and how wide it wants to be: text with an optional image, a row
// of indicator lamps, the lock keys' states, or a container hosting other controls. A style is
// created and freed by its panel and draws through the bar's painter.
#include <memory>
#include <vector>

#include "platform/classes/Graphics.h"
#include "platform/classes/StdCtrls.h"
#include "platform/classes/Timer.h"
#include "ui/pages/StatusBar.h"

VW_ENUM(TdxStatusBarEllipsisType, dxetNone, dxetTruncate, dxetSmartPath)
VW_ENUM(TdxStatusBarStateIndicatorType, sitOff, sitYellow, sitBlue, sitGreen, sitRed, sitTeal, sitPurple)
VW_ENUM(TdxStatusBarKeyboardState, dxksCapsLock, dxksNumLock, dxksScrollLock, dxksInsert)
using TdxStatusBarKeyboardStates = TSet<TdxStatusBarKeyboardState>;
inline constexpr TdxStatusBarKeyboardStates dxksAllKeyboardStates{dxksCapsLock, dxksNumLock, dxksScrollLock,
                                                                  dxksInsert};

using TdxStatusBarTextEvent = std::function<void(TObject* Sender, const TRect& R, String& AText)>;

class TdxStatusBarPanelStyle : public TPersistent {
  VW_CLASS(TdxStatusBarPanelStyle, TPersistent)
 public:
  using CreateArgType = TdxStatusBarPanel;
  explicit TdxStatusBarPanelStyle(TdxStatusBarPanel* AOwner);
  ~TdxStatusBarPanelStyle() override;
  void Assign(TPersistent* Source) override;

  TdxStatusBarPanel* Owner() const { return FOwner; }
  TdxCustomStatusBar* StatusBarControl() const;
  TAlignment Alignment() const { return FAlignment; }
  void SetAlignment(TAlignment Value);
  TColor Color() const;
  void SetColor(TColor Value);
  bool IsColorAssigned() const { return FIsColorAssigned; }
  TFont* Font() const { return FFont.get(); }
  void SetFont(TFont* Value) { FFont->Assign(Value); }
  bool ParentFont() const { return FParentFont; }
  void SetParentFont(bool Value);

  // Virtual operations, in their slot order.
  virtual void ResolveDefaultTextColor(TColor& AColor, bool Enabled);
  virtual void BoundsChanged(const TRect& Bounds);
  virtual bool CanDelete();
  // False for a style that sizes its panel itself: the panel is then fixed at ContentMinWidth.
  virtual bool UsesPanelSizing();
  virtual void NotifyChanged();
  // Shortens R by the grip for the collection's last panel while the grip shows.
  virtual void FitToSizeGrip(TRect& R);
  virtual TColor DefaultColor();
  virtual void CopyFrom(TdxStatusBarPanelStyle* Source);
  virtual void DrawContent(TcxCanvas* ACanvas, TRect R, TdxStatusBarPainterClass APainter);
  virtual int ContentMinWidth();
  static bool IsUnavailable() { return false; }
  virtual bool SuppressPanelBevel();
  virtual void StyleLoaded();
  virtual void VisibleChanged();
  virtual void UpdateParentFont();
  virtual void RestoreDefaults();

 protected:
  static void DeclareBaseProperties(TPropTable& t, bool WithAlignment, bool WithFont);
  bool IsFontStored() const { return !FParentFont; }
  bool IsColorStored() const { return FIsColorAssigned; }
  void FontChanged(TObject* Sender);

 private:
  TAlignment FAlignment = taLeftJustify;
  TColor FColor = clBtnFace;
  std::unique_ptr<TFont> FFont;
  bool FIsColorAssigned = false;
  TdxStatusBarPanel* FOwner;
  bool FParentFont = true;
};

class TdxStatusBarTextPanelStyle : public TdxStatusBarPanelStyle {
  VW_CLASS(TdxStatusBarTextPanelStyle, TdxStatusBarPanelStyle)
 public:
  explicit TdxStatusBarTextPanelStyle(TdxStatusBarPanel* AOwner);
  static void DeclareProperties(TPropTable& t);

  bool AutoHint() const { return FAutoHint; }
  // At most one text panel of a bar carries it.
  void SetAutoHint(bool Value);
  TdxStatusBarEllipsisType EllipsisType() const { return FEllipsisType; }
  void SetEllipsisType(TdxStatusBarEllipsisType Value);
  int ImageIndex() const { return FImageIndex; }
  void SetImageIndex(int Value);
  TdxStatusBarTextEvent OnGetText;

  void CopyFrom(TdxStatusBarPanelStyle* Source) override;
  void DrawContent(TcxCanvas* ACanvas, TRect R, TdxStatusBarPainterClass APainter) override;
  void RestoreDefaults() override;
  // The library's text flags for the alignment and the ellipsis.
  LibraryTextFlags TextFlags() const;

 private:
  bool FAutoHint = false;
  TdxStatusBarEllipsisType FEllipsisType = dxetNone;
  int FImageIndex = -1;
};

class TdxStatusBarStateIndicatorItem : public TCollectionItem {
  VW_CLASS(TdxStatusBarStateIndicatorItem, TCollectionItem)
 public:
  explicit TdxStatusBarStateIndicatorItem(TCollection* Collection);
  ~TdxStatusBarStateIndicatorItem() override;
  static void DeclareProperties(TPropTable& t);
  void Assign(TPersistent* Source) override;

  TdxStatusBarStateIndicatorType IndicatorType() const { return FIndicatorType; }
  void SetIndicatorType(TdxStatusBarStateIndicatorType Value);
  bool Visible() const { return FVisible; }
  void SetVisible(bool Value);
  // Null when the type's picture could not be loaded.
  TBitmap* IndicatorBitmap() const { return FIndicatorBitmap.get(); }
  // The resource name of a type's picture ("DXSTATUSBAR_GRAY" for sitOff).
  static const char* ResourceName(TdxStatusBarStateIndicatorType Type);

 private:
  void LoadBitmap();
  TdxStatusBarStateIndicatorType FIndicatorType = sitOff;
  bool FVisible = true;
  std::unique_ptr<TBitmap> FIndicatorBitmap;
};

class TdxStatusBarStateIndicators : public TCollection {
  VW_CLASS(TdxStatusBarStateIndicators, TCollection)
 public:
  explicit TdxStatusBarStateIndicators(TdxStatusBarPanelStyle* AOwner);
  TdxStatusBarStateIndicatorItem* Add() { return static_cast<TdxStatusBarStateIndicatorItem*>(TCollection::Add()); }
  TdxStatusBarStateIndicatorItem* ItemAt(int Index) const {
    return static_cast<TdxStatusBarStateIndicatorItem*>(Items(Index));
  }

 protected:
  TPersistent* GetOwner() override { return FOwner; }
  void Update(TCollectionItem* Item) override;

 private:
  TdxStatusBarPanelStyle* FOwner;
};

class TdxStatusBarStateIndicatorPanelStyle : public TdxStatusBarPanelStyle {
  VW_CLASS(TdxStatusBarStateIndicatorPanelStyle, TdxStatusBarPanelStyle)
 public:
  explicit TdxStatusBarStateIndicatorPanelStyle(TdxStatusBarPanel* AOwner);
  ~TdxStatusBarStateIndicatorPanelStyle() override;
  static void DeclareProperties(TPropTable& t);

  TdxStatusBarStateIndicators* Indicators() const { return FIndicators.get(); }
  void SetIndicators(TdxStatusBarStateIndicators* Value) { FIndicators->Assign(Value); }
  int Spacing() const { return FSpacing; }
  void SetSpacing(int Value);

  bool UsesPanelSizing() override { return false; }
  void CopyFrom(TdxStatusBarPanelStyle* Source) override;
  void DrawContent(TcxCanvas* ACanvas, TRect R, TdxStatusBarPainterClass APainter) override;
  int ContentMinWidth() override;
  void RestoreDefaults() override;

 private:
  std::unique_ptr<TdxStatusBarStateIndicators> FIndicators;
  int FSpacing = 4;
};

class TdxStatusBarKeyStateAppearance : public TPersistent {
  VW_CLASS(TdxStatusBarKeyStateAppearance, TPersistent)
 public:
  TdxStatusBarKeyStateAppearance(TdxStatusBarKeyboardState AId, int AKeyCode, TColor AActiveFontColor,
                                 const String& AActiveCaption, TColor AInactiveFontColor,
                                 const String& AInactiveCaption, TNotifyEvent AOnChange);
  static void DeclareProperties(TPropTable& t);
  void Assign(TPersistent* Source) override;

  TdxStatusBarKeyboardState Id() const { return FId; }
  int KeyCode() const { return FKeyCode; }
  TColor ActiveFontColor() const { return FActiveFontColor; }
  void SetActiveFontColor(TColor Value);
  TColor InactiveFontColor() const { return FInactiveFontColor; }
  void SetInactiveFontColor(TColor Value);
  const String& ActiveCaption() const { return FActiveCaption; }
  void SetActiveCaption(const String& Value);
  const String& InactiveCaption() const { return FInactiveCaption; }
  void SetInactiveCaption(const String& Value);
  // The wider caption's width in the canvas's font, plus 4.
  int CaptionWidth(TcxCanvas* ACanvas) const;

 protected:
  void NotifyAppearanceChanged();

 private:
  TdxStatusBarKeyboardState FId;
  int FKeyCode;
  TColor FActiveFontColor;
  TColor FInactiveFontColor;
  String FActiveCaption;
  String FInactiveCaption;
  TNotifyEvent FOnChange;
};

class TdxStatusBarKeyboardStateWatchedKey : public TObject {
  VW_CLASS(TdxStatusBarKeyboardStateWatchedKey, TObject)
 public:
  explicit TdxStatusBarKeyboardStateWatchedKey(int AKeyCode);
  int KeyCode() const { return FKeyCode; }
  // The low byte of the key's state when last seen: 1 toggled on.
  int KeyState = 0;

 private:
  int FKeyCode;
};

// Polls the watched keys every 100 ms and recalculates the bar when one toggled.
class TdxStatusBarKeyboardStateNotifier : public TObject {
  VW_CLASS(TdxStatusBarKeyboardStateNotifier, TObject)
 public:
  explicit TdxStatusBarKeyboardStateNotifier(TdxCustomStatusBar* AStatusBar);
  ~TdxStatusBarKeyboardStateNotifier() override;

  void WatchKey(int KeyCode);
  void UnwatchKey(int KeyCode);
  int WatchedKeyCount() const { return static_cast<int>(FKeys.size()); }
  TTimer* Timer() const { return FTimer.get(); }
  void PollKeys(TObject* Sender);

 private:
  TdxCustomStatusBar* FStatusBar;
  std::unique_ptr<TTimer> FTimer;
  std::vector<std::unique_ptr<TdxStatusBarKeyboardStateWatchedKey>> FKeys;
};

class TdxStatusBarKeyboardStatePanelStyle : public TdxStatusBarPanelStyle {
  VW_CLASS(TdxStatusBarKeyboardStatePanelStyle, TdxStatusBarPanelStyle)
 public:
  explicit TdxStatusBarKeyboardStatePanelStyle(TdxStatusBarPanel* AOwner);
  ~TdxStatusBarKeyboardStatePanelStyle() override;
  static void DeclareProperties(TPropTable& t);

  bool FullRect() const { return FFullRect; }
  void SetFullRect(bool Value);
  TdxStatusBarKeyboardStates KeyboardStates() const { return FKeyboardStates; }
  void SetKeyboardStates(TdxStatusBarKeyboardStates Value);
  TdxStatusBarKeyStateAppearance* CapsLockKeyAppearance() const { return FAppearances[0].get(); }
  TdxStatusBarKeyStateAppearance* NumLockKeyAppearance() const { return FAppearances[1].get(); }
  TdxStatusBarKeyStateAppearance* ScrollLockKeyAppearance() const { return FAppearances[2].get(); }
  TdxStatusBarKeyStateAppearance* InsertKeyAppearance() const { return FAppearances[3].get(); }
  void SetCapsLockKeyAppearance(TdxStatusBarKeyStateAppearance* V) { FAppearances[0]->Assign(V); }
  void SetNumLockKeyAppearance(TdxStatusBarKeyStateAppearance* V) { FAppearances[1]->Assign(V); }
  void SetScrollLockKeyAppearance(TdxStatusBarKeyStateAppearance* V) { FAppearances[2]->Assign(V); }
  void SetInsertKeyAppearance(TdxStatusBarKeyStateAppearance* V) { FAppearances[3]->Assign(V); }
  TdxStatusBarKeyboardStateNotifier* Notifier() const { return FNotifier.get(); }
  // Whether the key counts as on: toggled, and never at design time.
  bool IsKeyOn(TdxStatusBarKeyStateAppearance* Appearance);

  bool UsesPanelSizing() override { return false; }
  bool SuppressPanelBevel() override { return !FFullRect; }
  void CopyFrom(TdxStatusBarPanelStyle* Source) override;
  void DrawContent(TcxCanvas* ACanvas, TRect R, TdxStatusBarPainterClass APainter) override;
  int ContentMinWidth() override;
  void RestoreDefaults() override;

 private:
  void AppearanceChanged(TObject* Sender) { (void)Sender; NotifyChanged(); }
  bool FFullRect = false;
  TdxStatusBarKeyboardStates FKeyboardStates = dxksAllKeyboardStates;
  std::unique_ptr<TdxStatusBarKeyStateAppearance> FAppearances[4];
  std::unique_ptr<TdxStatusBarKeyboardStateNotifier> FNotifier;
};

class TdxStatusBarContainerPanelStyle;

// The control a container panel places over itself; other controls go inside it.
class TdxStatusBarContainerControl : public TcxControl {
  VW_CLASS(TdxStatusBarContainerControl, TcxControl)
 public:
  explicit TdxStatusBarContainerControl(TComponent* AOwner);
  ~TdxStatusBarContainerControl() override;

  TdxStatusBarContainerPanelStyle* PanelStyle() const { return FPanelStyle; }
  void SetPanelStyle(TdxStatusBarContainerPanelStyle* Value) { FPanelStyle = Value; }
  bool IsFocusable() override { return false; }
  bool UsesInternalScrollBars() override { return false; }

 protected:
  void Paint() override;

 private:
  TdxStatusBarContainerPanelStyle* FPanelStyle = nullptr;
};

class TdxStatusBarContainerPanelStyle : public TdxStatusBarPanelStyle {
  VW_CLASS(TdxStatusBarContainerPanelStyle, TdxStatusBarPanelStyle)
 public:
  explicit TdxStatusBarContainerPanelStyle(TdxStatusBarPanel* AOwner);
  ~TdxStatusBarContainerPanelStyle() override;
  static void DeclareProperties(TPropTable& t);

  bool AlignControl() const { return FAlignControl; }
  void SetAlignControl(bool Value);
  TdxStatusBarContainerControl* Container() const { return FContainer; }
  void SetContainer(TdxStatusBarContainerControl* Value);

  void BoundsChanged(const TRect& Bounds) override;
  bool CanDelete() override;
  void CopyFrom(TdxStatusBarPanelStyle* Source) override;
  void VisibleChanged() override;
  void RestoreDefaults() override;
  // Forgets the control without freeing it (the control is going away itself).
  void UnlinkContainer() { FContainer = nullptr; }

 protected:
  TdxStatusBarContainerControl* FindContainerControl(const String& Name);
  void FitChildControl();
  String NameContainerControl();

 private:
  bool FAlignControl = true;
  TdxStatusBarContainerControl* FContainer = nullptr;
};

// Registers the four styles and the container control; runs once, on first use of a bar.
void RegisterStatusBarPanelStyles();
