#pragma once
// The tabs of a tab control: one TcxTab per entry of the string list TcxTabs, the sorted list of
// the visible ones, and the slant settings of the slanted styles.
#include <functional>
#include <memory>
#include <vector>

#include "platform/classes/Graphics.h"
#include "platform/classes/Strings.h"
#include "ui/foundation/Bitmaps.h"
#include "ui/pages/TabInterfaces.h"

class TcxTabs;

class TcxTab : public TPersistent {
  VW_CLASS(TcxTab, TPersistent)
 public:
  explicit TcxTab(TcxTabs* AOwner);
  ~TcxTab() override;

  // Caption, Enabled, Highlighted and Object directly; ImageIndex, Visible and Selected through
  // their setters. The colour stays.
  void Assign(TPersistent* Source) override;

  String Caption() const { return FCaption; }
  void SetCaption(const String& Value);
  TColor Color() const { return FColor; }
  void SetColor(TColor Value);
  bool Enabled() const { return FEnabled; }
  void SetEnabled(bool Value);
  bool Highlighted() const { return FHighlighted; }
  void SetHighlighted(bool Value);
  int ImageIndex() const { return FImageIndex; }
  void SetImageIndex(int Value);
  // Stored only when it differs from Index.
  bool IsImageIndexStored() const { return FImageIndex != FIndex; }
  int Index() const { return FIndex; }
  TObject* Object() const { return FObject; }
  void SetObject(TObject* Value) { FObject = Value; }
  bool Selected() const { return FSelected; }
  void SetSelected(bool Value);
  bool Visible() const { return FVisible; }
  void SetVisible(bool Value);

  // ---- layout data ----
  int Row() const { return FRow; }
  void SetRow(int Value) { FRow = Value; }
  int VisibleRow() const { return FVisibleRow; }
  void SetVisibleRow(int Value) { FVisibleRow = Value; }
  TPoint Position() const { return FPosition; }
  void SetPosition(const TPoint& Value) { FPosition = Value; }
  int NormalWidth() const { return FNormalWidth; }
  void SetNormalWidth(int Value) { FNormalWidth = Value; }
  // Along the row: the common tab height under Rotate, else the normal width.
  int RotatedWidth();
  // From the position: the extent along the row and the tab height across it.
  TRect NormalRect();
  // The normal rectangle plus the painter's correction (stored first).
  TRect FullRect();
  // Empty when hidden or scrolled out of a single row; else the full rectangle within its band.
  TRect ClippedRect();
  bool IsOnScreen();
  TRect RectCorrection() const { return FRectCorrection; }

  // ---- state by visible position ----
  int VisibleIndex();
  bool IsHotTab();
  bool IsSelectedTab();
  bool IsPressed();
  bool IsFocused();
  // The control's and the tab's.
  bool RealEnabled();
  // tpTop/tpLeft for the rows of the first band, tpBottom/tpRight for the others.
  TcxTabPosition RowSide();
  // By row side and text direction: top 1, 2, 3; bottom 10, 11, 12; left 6, 4, 5; right 9, 7, 8.
  int OrientationCode();

  // ---- bitmaps ----
  TcxBitmap32* PaintBitmap() const { return FPaintBitmap.get(); }
  TcxBitmap32* EnsurePaintBitmap();
  void FreePaintBitmap() { FPaintBitmap.reset(); }
  TcxBitmap32* RotatedTextBitmap() const { return FRotatedTextBitmap.get(); }
  void SetRotatedTextBitmap(std::unique_ptr<TcxBitmap32> Value) { FRotatedTextBitmap = std::move(Value); }
  void FreeRotatedTextBitmap() { FRotatedTextBitmap.reset(); }

  TcxTabs* Tabs() const { return FTabs; }
  IcxTabControl* TabControl() const;

 protected:
  void Changed(TcxPCTabPropertyChanged Kind);

 private:
  friend class TcxTabs;

  String FCaption;
  TColor FColor = clDefault;
  bool FEnabled = true;
  bool FHighlighted = false;
  int FImageIndex = -1;
  int FIndex = -1;
  TObject* FObject = nullptr;
  std::unique_ptr<TcxBitmap32> FPaintBitmap;
  int FRow = 0;
  bool FSelected = false;
  TPoint FPosition;
  int FNormalWidth = 0;
  TRect FRectCorrection;
  TcxTabs* FTabs;
  std::unique_ptr<TcxBitmap32> FRotatedTextBitmap;
  bool FVisible = true;
  int FVisibleRow = 0;
  bool FDestroying = false;
};

// The Index values of the visible tabs, ascending, each once.
class TcxVisibleTabList {
 public:
  explicit TcxVisibleTabList(TcxTabs* ATabs) : FTabs(ATabs) {}

  int Count() const { return static_cast<int>(FItems.size()); }
  // Raises "TcxVisibleTabList.GetTab: ..." when empty or out of range.
  TcxTab* GetTab(int TabVisibleIndex);
  int IndexAt(int TabVisibleIndex) const { return FItems[static_cast<std::size_t>(TabVisibleIndex)]; }
  // By halving: true when found; Position is where the index is or would be inserted.
  bool Find(int TabIndex, int& Position) const;
  void Add(int TabIndex);
  void Remove(int TabIndex);
  void Rebuild();
  // -1 when the tab is not visible.
  int VisibleIndexOf(int TabIndex) const;

 private:
  TcxTabs* FTabs;
  std::vector<int> FItems;
};

class TcxTabs : public TStrings {
  VW_CLASS(TcxTabs, TStrings)
 public:
  explicit TcxTabs(IcxTabControl* AControl);
  ~TcxTabs() override;

  void Clear() override;
  void Delete(int Index) override;
  void Insert(int Index, const String& S) override;
  void Move(int CurIndex, int NewIndex) override;

  IcxTabControl* Control() const { return FControl; }
  TcxTab* Tab(int Index);
  // Raises "TcxTabs.GetVisibleTab: ..." outside the visible range.
  TcxTab* VisibleTab(int TabVisibleIndex);
  TcxVisibleTabList* VisibleTabs() { return &FVisibleTabs; }
  int VisibleCount() const { return FVisibleTabs.Count(); }
  // Common to every tab.
  int TabHeight() const { return FTabHeight; }
  void SetTabHeight(int Value) { FTabHeight = Value; }

  // The change notification of a tab (or of the control, with -1): kind 7 with -1 rebuilds the
  // visible list; then, unless updating, loading or destroying, -1 or kind 7 relayout and anything
  // else repaints that tab.
  void Changed(int TabVisibleIndex, TcxPCTabPropertyChanged Kind);
  void FreeRotatedTextBitmaps();

 protected:
  String Get(int Index) override;
  int GetCount() override { return static_cast<int>(FItems.size()); }
  TObject* GetObject(int Index) override;
  void Put(int Index, const String& S) override;
  void PutObject(int Index, TObject* AObject) override;
  void SetUpdateState(bool Updating) override;

 private:
  friend class TcxTab;
  void CheckIndex(int Index, const char* Operation);
  void Renumber(int From, int To);
  void Removing(TcxTab* Tab);

  IcxTabControl* FControl;
  std::vector<TcxTab*> FItems;
  TcxVisibleTabList FVisibleTabs;
  int FTabHeight = 0;
};

class TcxTabSlants : public TPersistent {
  VW_CLASS(TcxTabSlants, TPersistent)
 public:
  explicit TcxTabSlants(std::function<void()> AOnChange = {}) : FOnChange(std::move(AOnChange)) {}
  void Assign(TPersistent* Source) override;

  TcxTabSlantKind Kind() const { return FKind; }
  void SetKind(TcxTabSlantKind Value);
  TcxTabSlantPositions Positions() const { return FPositions; }
  void SetPositions(TcxTabSlantPositions Value);

 private:
  void Changed() {
    if (FOnChange) FOnChange();
  }
  TcxTabSlantKind FKind = skSlant;
  TcxTabSlantPositions FPositions{spLeft};
  std::function<void()> FOnChange;
};
