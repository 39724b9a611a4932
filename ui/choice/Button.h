#pragma once
// The library's push button: a standard push button that draws itself through the painter of its
// own look-and-feel, with a glyph and a caption laid out together, colours per state, a drop-down
// or split kind with a menu, and a tool-button mode (not focusable, staying down, grouped).
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "platform/classes/Menus.h"
#include "platform/classes/StdCtrls.h"
#include "platform/win/Controls.h"
#include "ui/controls/MouseTracking.h"
#include "ui/foundation/ImageList.h"
#include "ui/foundation/LookAndFeel.h"

VW_ENUM(TcxButtonKind, cxbkStandard, cxbkDropDown, cxbkDropDownButton)
VW_ENUM(TcxButtonPaintStyle, bpsDefault, bpsCaption, bpsGlyph)
VW_ENUM(TcxButtonAssignedColor, cxbcDefault, cxbcDefaultText, cxbcDisabled, cxbcDisabledText, cxbcHot, cxbcHotText,
        cxbcNormal, cxbcNormalText, cxbcPressed, cxbcPressedText)
using TcxButtonAssignedColors = TSet<TcxButtonAssignedColor>;

class TcxCustomButton;

using TcxButtonGetDrawParamsEvent =
    std::function<void(TcxCustomButton* Sender, TcxButtonState AState, TColor& AColor, TFont* AFont)>;
using TcxButtonDropDownMenuPopupEvent =
    std::function<void(TObject* Sender, TPopupMenu*& APopupMenu, bool& AHandled)>;

// The button's own messages: open the drop-down menu, and the menu has closed.
constexpr win::UINT CM_DROPDOWNPOPUPMENU = 0x8098;
constexpr win::UINT CM_CLOSEUPPOPUPMENU = 0x8099;
// The width of a split button's arrow part, and how far it overlaps the main part.
constexpr int cxDropDownButtonWidth = 15;
constexpr int cxDropDownButtonOverlap = 2;

// The colours of the face and the caption per drawing state; only assigned ones count.
class TcxButtonColors : public TPersistent {
  VW_CLASS(TcxButtonColors, TPersistent)
 public:
  explicit TcxButtonColors(TcxCustomButton* AButton);
  static void DeclareProperties(TPropTable& t);
  void Assign(TPersistent* Source) override;

  TcxButtonAssignedColors AssignedColors() const { return FAssignedColors; }
  void SetAssignedColors(TcxButtonAssignedColors Value);
  TColor Color(TcxButtonAssignedColor Index) const { return FColors[Index]; }
  void SetColor(TcxButtonAssignedColor Index, TColor Value);

  TColor Default() const { return FColors[cxbcDefault]; }
  void SetDefault(TColor V) { SetColor(cxbcDefault, V); }
  TColor DefaultText() const { return FColors[cxbcDefaultText]; }
  void SetDefaultText(TColor V) { SetColor(cxbcDefaultText, V); }
  TColor Normal() const { return FColors[cxbcNormal]; }
  void SetNormal(TColor V) { SetColor(cxbcNormal, V); }
  TColor NormalText() const { return FColors[cxbcNormalText]; }
  void SetNormalText(TColor V) { SetColor(cxbcNormalText, V); }
  TColor Hot() const { return FColors[cxbcHot]; }
  void SetHot(TColor V) { SetColor(cxbcHot, V); }
  TColor HotText() const { return FColors[cxbcHotText]; }
  void SetHotText(TColor V) { SetColor(cxbcHotText, V); }
  TColor Pressed() const { return FColors[cxbcPressed]; }
  void SetPressed(TColor V) { SetColor(cxbcPressed, V); }
  TColor PressedText() const { return FColors[cxbcPressedText]; }
  void SetPressedText(TColor V) { SetColor(cxbcPressedText, V); }
  TColor Disabled() const { return FColors[cxbcDisabled]; }
  void SetDisabled(TColor V) { SetColor(cxbcDisabled, V); }
  TColor DisabledText() const { return FColors[cxbcDisabledText]; }
  void SetDisabledText(TColor V) { SetColor(cxbcDisabledText, V); }

  // An unassigned colour falls back one step: normal to default, any other state to normal.
  TColor FaceColorFor(TcxButtonState State) const;
  TColor TextColorFor(TcxButtonState State) const;

 private:
  TColor ColorFor(TcxButtonAssignedColor Index, TcxButtonAssignedColor Normal) const;
  template <TcxButtonAssignedColor I>
  bool IsStored() const { return FAssignedColors.Contains(I); }

  TcxCustomButton* FButton;
  TcxButtonAssignedColors FAssignedColors;
  TColor FColors[10];
};

// What makes the button a tool button: not focusable, staying down, one of an exclusive group.
class TcxSpeedButtonOptions : public TPersistent {
  VW_CLASS(TcxSpeedButtonOptions, TPersistent)
 public:
  explicit TcxSpeedButtonOptions(TcxCustomButton* AOwner);
  static void DeclareProperties(TPropTable& t);
  void Assign(TPersistent* Source) override;

  bool AllowAllUp() const { return FAllowAllUp; }
  void SetAllowAllUp(bool Value);
  bool CanBeFocused() const { return FCanBeFocused; }
  void SetCanBeFocused(bool Value);
  bool Down() const;
  void SetDown(bool Value);
  bool Flat() const { return FFlat; }
  void SetFlat(bool Value);
  int GroupIndex() const { return FGroupIndex; }
  void SetGroupIndex(int Value);
  bool Transparent() const { return FTransparent; }
  void SetTransparent(bool Value);

  bool IsSpeedButtonMode() const { return FOwner && (FGroupIndex != 0 || !FCanBeFocused); }
  // Tells the group's other members of this button's settings and that it went down.
  void UpdateGroup();
  void AdoptGroupSettings(TcxSpeedButtonOptions* Sender);

 protected:
  TPersistent* GetOwner() override;

 private:
  bool FAllowAllUp = false;
  bool FCanBeFocused = true;
  int FGroupIndex = 0;
  bool FFlat = false;
  int FLockCount = 0;
  TcxCustomButton* FOwner;
  bool FTransparent = false;
};

// An image list of one image size whose slots are handed out and given back; a freed slot keeps
// its image until it is reused.
class TcxGlyphList : public TcxImageList {
  VW_CLASS(TcxGlyphList, TcxImageList)
 public:
  TcxGlyphList(int AWidth, int AHeight);
  int AddGlyph(TBitmap* Image, TBitmap* Mask);
  void ReleaseGlyph(int Index);
  int UsedCount() const { return FUsedCount; }

 private:
  std::vector<bool> FUsed;
  int FUsedCount = 0;
};

// The glyph lists of the whole process, one per image size, shared by every button.
class TcxGlyphCache : public TObject {
  VW_CLASS(TcxGlyphCache, TObject)
 public:
  ~TcxGlyphCache() override;
  TcxGlyphList* ListFor(int AWidth, int AHeight);
  void ReturnList(TcxGlyphList* List);
  int ListCount() const { return static_cast<int>(FLists.size()); }

 private:
  std::vector<TcxGlyphList*> FLists;
};

// The process-wide cache; null while no button glyph exists.
TcxGlyphCache* GlyphCache();

// The glyph and the caption of a button: their layout, and the images per state kept in the
// shared glyph lists.
class TcxButtonGlyph : public TObject {
  VW_CLASS(TcxButtonGlyph, TObject)
 public:
  // Where the glyph comes from: a bitmap of its own, else an image of a list.
  class TcxImageInfo : public TObject {
    VW_CLASS(TcxImageInfo, TObject)
   public:
    TcxImageInfo();
    ~TcxImageInfo() override;
    TBitmap* Glyph() const { return FGlyph; }
    void SetGlyph(TBitmap* Value) { FGlyph->Assign(Value); }
    TCustomImageList* Images() const { return FImages; }
    void SetImages(TCustomImageList* Value);
    int ImageIndex() const { return FImageIndex; }
    void SetImageIndex(int Value);
    bool HasImage() const;
    TSize ImageSize() const;

   private:
    void ListChanged();
    TBitmap* FGlyph;
    TCustomImageList* FImages = nullptr;
    int FImageIndex = -1;
  };

  explicit TcxButtonGlyph(TcxCustomButton* AOwner);
  ~TcxButtonGlyph() override;

  TBitmap* Glyph() const { return FImageInfo->Glyph(); }
  void SetGlyph(TBitmap* Value);
  TCustomImageList* Images() const { return FImageInfo->Images(); }
  void SetImages(TCustomImageList* Value) { FImageInfo->SetImages(Value); }
  int ImageIndex() const { return FImageInfo->ImageIndex(); }
  void SetImageIndex(int Value) { FImageInfo->SetImageIndex(Value); }
  int NumGlyphs() const { return FNumGlyphs; }
  void SetNumGlyphs(int Value);
  TcxImageInfo* ImageInfo() const { return FImageInfo.get(); }

  TSize GlyphSize() const;
  // The slot of the state's image in the shared list, built on first use; -1 without an image.
  int GlyphImageIndex(TcxButtonState State);
  TcxGlyphList* GlyphList() const { return FGlyphList; }

  // Places the glyph and the caption in the client rectangle; all divisions truncate.
  void CalcLayout(TCanvas* Canvas, const TRect& Client, const TPoint& Offset, const String& Caption,
                  TButtonLayout Layout, int Margin, int Spacing, TPoint& GlyphPos, TRect& TextBounds,
                  win::UINT BiDiFlags, bool WordWrap);
  virtual TRect TextMargins(TButtonLayout Layout);
  virtual void DrawGlyph(TCanvas* Canvas, const TPoint& Pos, TcxButtonState State);
  virtual void DrawCaption(TCanvas* Canvas, const String& Caption, const TRect& TextBounds, TcxButtonState State,
                           win::UINT BiDiFlags, bool NativeStyle, bool WordWrap, bool Skinned);
  virtual void Draw(TCanvas* Canvas, const TRect& Client, const TPoint& Offset, const String& Caption,
                    TButtonLayout Layout, int Margin, int Spacing, TcxButtonState State, win::UINT BiDiFlags,
                    bool NativeStyle, bool WordWrap, bool Skinned);

  std::function<void()> OnChange;

 private:
  bool ShowsGlyph() const;
  bool ShowsCaption(const String& Caption) const;
  void Invalidate();

  TcxCustomButton* FOwner;
  TcxGlyphList* FGlyphList = nullptr;
  int FIndexes[4] = {-1, -1, -1, -1};
  int FNumGlyphs = 1;
  std::unique_ptr<TcxImageInfo> FImageInfo;
};

class TcxCustomButton : public TButton,
                        public IcxLookAndFeelContainer,
                        public IcxMouseTrackingCaller,
                        public IcxSkinnableMarker {
  VW_CLASS(TcxCustomButton, TButton)
 public:
  explicit TcxCustomButton(TComponent* AOwner);
  ~TcxCustomButton() override;

  TcxButtonColors* Colors() const { return FColors.get(); }
  void SetColors(TcxButtonColors* Value) { FColors->Assign(Value); }
  TPopupMenu* DropDownMenu() const { return FDropDownMenu; }
  void SetDropDownMenu(TPopupMenu* Value);
  TBitmap* Glyph() const { return FGlyph->Glyph(); }
  void SetGlyph(TBitmap* Value) { FGlyph->SetGlyph(Value); }
  int NumGlyphs() const { return FGlyph->NumGlyphs(); }
  void SetNumGlyphs(int Value) { FGlyph->SetNumGlyphs(Value); }
  TcxButtonKind Kind() const { return FKind; }
  void SetKind(TcxButtonKind Value);
  TButtonLayout Layout() const { return FLayout; }
  void SetLayout(TButtonLayout Value);
  TcxLookAndFeel* LookAndFeel() const { return FLookAndFeel.get(); }
  void SetLookAndFeel(TcxLookAndFeel* Value) { FLookAndFeel->Assign(Value); }
  int Margin() const { return FMargin; }
  void SetMargin(int Value);
  TcxButtonPaintStyle PaintStyle() const { return FPaintStyle; }
  void SetPaintStyle(TcxButtonPaintStyle Value);
  TPopupAlignment PopupAlignment() const { return FPopupAlignment; }
  void SetPopupAlignment(TPopupAlignment Value) { FPopupAlignment = Value; }
  TComponent* PopupMenu() const { return FPopupMenu; }
  void SetPopupMenu(TComponent* Value);
  int Spacing() const { return FSpacing; }
  void SetSpacing(int Value);
  TcxSpeedButtonOptions* SpeedButtonOptions() const { return FSpeedButtonOptions.get(); }
  void SetSpeedButtonOptions(TcxSpeedButtonOptions* Value) { FSpeedButtonOptions->Assign(Value); }
  bool UseSystemPaint() const { return FUseSystemPaint; }
  void SetUseSystemPaint(bool Value) { FUseSystemPaint = Value; }

  // The tool-button settings, also on the button so that older descriptions still load.
  bool CanBeFocused() const { return FSpeedButtonOptions->CanBeFocused(); }
  void SetCanBeFocused(bool V) { FSpeedButtonOptions->SetCanBeFocused(V); }
  int GroupIndex() const { return FSpeedButtonOptions->GroupIndex(); }
  void SetGroupIndex(int V) { FSpeedButtonOptions->SetGroupIndex(V); }
  bool Down() const { return FSpeedButtonOptions->Down(); }
  void SetDown(bool V) { FSpeedButtonOptions->SetDown(V); }
  bool AllowAllUp() const { return FSpeedButtonOptions->AllowAllUp(); }
  void SetAllowAllUp(bool V) { FSpeedButtonOptions->SetAllowAllUp(V); }
  bool Checked() { return GetChecked(); }
  void SetCheckedValue(bool Value) { SetChecked(Value); }

  TcxButtonGlyph* ButtonGlyph() const { return FGlyph.get(); }
  bool CanFocus() override;
  void Click() override;
  // The standard click of the button's kind: toggles a focusable tool button, opens a drop-down.
  virtual void PerformClick();
  virtual TcxCustomLookAndFeelPainterClass ButtonPainter();
  virtual bool PaintsNatively() { return false; }
  virtual TSize AutoSizeExtent();
  // The drawing state the next paint uses.
  TcxButtonState DrawingState();

  // What the flags say now; for tests and descendants.
  bool IsHot() const { return FState & kHot; }
  bool IsMenuOpen() const { return FState & kMenuOpen; }
  bool MenuClosedByClick() const { return FMenuClosedByClick; }
  TRect ArrowPartRect();

  // IcxLookAndFeelContainer
  TcxLookAndFeel* GetLookAndFeel() override { return FLookAndFeel.get(); }
  // IcxMouseTrackingCaller
  void MouseLeave() override { LeaveHotState(); }

  TcxButtonDropDownMenuPopupEvent OnDropDownMenuPopup;
  TcxButtonGetDrawParamsEvent OnGetDrawParams;

  static void DeclareProperties(TPropTable& t);

 protected:
  friend class TcxSpeedButtonOptions;
  friend class TcxButtonColors;

  virtual bool FireDropDownMenuPopup(TPopupMenu*& Menu);
  virtual bool ShowContextMenu(TComponent* Menu, int X, int Y);
  virtual void FireMouseEnter();
  virtual void FireMouseLeave();
  virtual void EnterHotState();
  virtual void LeaveHotState();

  void CreateParams(TCreateParams& Params) override;
  void CreateWnd() override;
  void DestroyWnd() override;
  void WndProc(TMessage& Message) override;
  void Notification(TComponent* AComponent, TOperation Operation) override;
  void SetButtonStyle(bool ADefault) override;
  bool GetChecked() override { return Down(); }
  void SetChecked(bool Value) override { SetDown(Value); }
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseMove(TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void DblClick() override;
  void WMContextMenu(TMessage& Message) override;
  void ActionChange(TBasicAction* Sender, bool CheckDefaults) override;
  void InitiateAction() override;
  std::unique_ptr<TControlActionLink> CreateActionLink() override;
  void CMMouseEnter(TMessage& Message) override;
  void CMMouseLeave(TMessage& Message) override;
  void CMEnabledChanged(TMessage& Message) override;
  void CMFontChanged(TMessage& Message) override;

 private:
  static constexpr std::uint8_t kDown = 1, kHot = 2, kMainPressed = 4, kArrowPressed = 8, kMenuOpen = 16,
                                kAccelClick = 32;

  void DrawItem(const win::DRAWITEMSTRUCT& Item);
  void DrawBackground(TcxCustomLookAndFeelPainterClass Painter, TRect R, TcxButtonState State, TColor FaceColor);
  void UpdateImageInfo();
  void RequestDropDown();
  void DoDropDownMenu();
  void CloseUpPopupMenu();
  void RecordPressedPart(int X, int Y);
  bool IsDesigning() const { return HasState(csDesigning); }
  bool IsColorsStored() const { return !FColors->AssignedColors().Empty(); }
  bool IsSkinned() { return FLookAndFeel->SkinPainter() != nullptr; }
  win::UINT BiDiTextFlags() const;

  bool FAutoSize = false;
  std::uint8_t FState = 0;
  std::unique_ptr<TControlCanvas> FControlCanvas;
  std::unique_ptr<TcxCanvas> FCanvas;
  std::unique_ptr<TcxButtonColors> FColors;
  TPopupMenu* FDropDownMenu = nullptr;
  bool FIsDefault = false;
  TcxButtonKind FKind = cxbkStandard;
  std::unique_ptr<TcxLookAndFeel> FLookAndFeel;
  bool FMenuClosedByClick = false;
  // The last press was on the split button's arrow: its click is the menu's.
  bool FArrowClick = false;
  bool FDrawAsDefault = false;
  bool FDrawPressed = false;
  TcxButtonPaintStyle FPaintStyle = bpsDefault;
  TPopupAlignment FPopupAlignment = paLeft;
  TComponent* FPopupMenu = nullptr;
  std::unique_ptr<TcxSpeedButtonOptions> FSpeedButtonOptions;
  bool FUseSystemPaint = false;
  std::unique_ptr<TcxButtonGlyph> FGlyph;
  TButtonLayout FLayout = blGlyphLeft;
  int FMargin = -1;
  int FSpacing = 4;
};

class TcxButton : public TcxCustomButton {
  VW_CLASS(TcxButton, TcxCustomButton)
 public:
  explicit TcxButton(TComponent* AOwner) : TcxCustomButton(AOwner) {}
};

// The button's action link: the glyph follows the action's image.
class TcxButtonActionLink : public TButtonActionLink {
  VW_CLASS(TcxButtonActionLink, TButtonActionLink)
 public:
  explicit TcxButtonActionLink(TObject* AClient);
  ~TcxButtonActionLink() override;
  void SetImageIndex(int Value) override;

 private:
  TcxCustomButton* FCxButton = nullptr;
};
