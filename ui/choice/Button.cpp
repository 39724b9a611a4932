#include "ui/choice/Button.h"

#include <algorithm>

#include "platform/classes/ActnList.h"
#include "platform/classes/Forms.h"
#include "platform/gdi/Gdi.h"
#include "platform/win/Controls.h"
#include "platform/win/Focus.h"
#include "platform/win/Keys.h"
#include "platform/win/Rects.h"
#include "ui/controls/ControlServices.h"
#include "ui/foundation/DrawingRoutines.h"
#include "ui/foundation/ImageDrawing.h"
#include "ui/foundation/ParentBackground.h"
#include "ui/foundation/StandardPainters.h"
#include "ui/foundation/WinXPPainter.h"

using namespace win;

namespace {

TcxGlyphCache* TheGlyphCache = nullptr;

TRect ClientTRect(TControl* Control) {
  RECT r = Control->ClientRect();
  return TRect(r.left, r.top, r.right, r.bottom);
}

// Whether a component was freed while code that holds it ran: a handler may free its button.
class TFreeWatch : public TComponent {
 public:
  explicit TFreeWatch(TComponent* Watched) : TComponent(nullptr), FWatched(Watched) { Watched->FreeNotification(this); }
  ~TFreeWatch() override {
    if (FWatched) FWatched->RemoveFreeNotification(this);
  }
  bool Gone() const { return FWatched == nullptr; }

 protected:
  void Notification(TComponent* AComponent, TOperation Operation) override {
    TComponent::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == FWatched) FWatched = nullptr;
  }

 private:
  TComponent* FWatched;
};

bool PointIn(const TRect& R, int X, int Y) { return X >= R.Left && X < R.Right && Y >= R.Top && Y < R.Bottom; }

// The parent's background behind the control, through the theme when there is one.
void DrawThemeParentBackground(TWinControl* Control, TcxCanvas* Canvas, const TRect& R) {
  if (Control->Parent() && Control->Parent()->DoubleBuffered()) {
    PaintParentBackground(Control, Canvas, R, false);
    return;
  }
  if (IsUxThemeBound() && UxDrawThemeParentBackground(Control->Handle(), Canvas->DeviceContext(), &R) == S_OK) return;
  PaintParentBackground(Control, Canvas, R, false);
}

}  // namespace

TcxGlyphCache* GlyphCache() { return TheGlyphCache; }

// ---- TcxButtonColors ------------------------------------------------------------------------------

TcxButtonColors::TcxButtonColors(TcxCustomButton* AButton) : FButton(AButton) {
  std::fill(std::begin(FColors), std::end(FColors), clDefault);
}

void TcxButtonColors::DeclareProperties(TPropTable& t) {
  t.Add("AssignedColors", &TcxButtonColors::AssignedColors, &TcxButtonColors::SetAssignedColors).Stored(false);
  t.Add("Default", &TcxButtonColors::Default, &TcxButtonColors::SetDefault).Stored(&TcxButtonColors::IsStored<cxbcDefault>)
      .Idents(&ColorToIdent, &IdentToColor);
  t.Add("DefaultText", &TcxButtonColors::DefaultText, &TcxButtonColors::SetDefaultText)
      .Stored(&TcxButtonColors::IsStored<cxbcDefaultText>)
      .Idents(&ColorToIdent, &IdentToColor);
  t.Add("Normal", &TcxButtonColors::Normal, &TcxButtonColors::SetNormal).Stored(&TcxButtonColors::IsStored<cxbcNormal>)
      .Idents(&ColorToIdent, &IdentToColor);
  t.Add("NormalText", &TcxButtonColors::NormalText, &TcxButtonColors::SetNormalText)
      .Stored(&TcxButtonColors::IsStored<cxbcNormalText>)
      .Idents(&ColorToIdent, &IdentToColor);
  t.Add("Hot", &TcxButtonColors::Hot, &TcxButtonColors::SetHot).Stored(&TcxButtonColors::IsStored<cxbcHot>)
      .Idents(&ColorToIdent, &IdentToColor);
  t.Add("HotText", &TcxButtonColors::HotText, &TcxButtonColors::SetHotText).Stored(&TcxButtonColors::IsStored<cxbcHotText>)
      .Idents(&ColorToIdent, &IdentToColor);
  t.Add("Pressed", &TcxButtonColors::Pressed, &TcxButtonColors::SetPressed).Stored(&TcxButtonColors::IsStored<cxbcPressed>)
      .Idents(&ColorToIdent, &IdentToColor);
  t.Add("PressedText", &TcxButtonColors::PressedText, &TcxButtonColors::SetPressedText)
      .Stored(&TcxButtonColors::IsStored<cxbcPressedText>)
      .Idents(&ColorToIdent, &IdentToColor);
  t.Add("Disabled", &TcxButtonColors::Disabled, &TcxButtonColors::SetDisabled)
      .Stored(&TcxButtonColors::IsStored<cxbcDisabled>)
      .Idents(&ColorToIdent, &IdentToColor);
  t.Add("DisabledText", &TcxButtonColors::DisabledText, &TcxButtonColors::SetDisabledText)
      .Stored(&TcxButtonColors::IsStored<cxbcDisabledText>)
      .Idents(&ColorToIdent, &IdentToColor);
}

void TcxButtonColors::Assign(TPersistent* Source) {
  auto* other = dynamic_cast<TcxButtonColors*>(Source);
  if (!other) {
    TPersistent::Assign(Source);
    return;
  }
  std::copy(std::begin(other->FColors), std::end(other->FColors), std::begin(FColors));
  FAssignedColors = other->FAssignedColors;
  FButton->Invalidate();
}

void TcxButtonColors::SetAssignedColors(TcxButtonAssignedColors Value) {
  // Only a designer edits the set itself; at run time colours assign themselves.
  if (!FButton->HasState(csDesigning) || Value == FAssignedColors) return;
  for (int i = 0; i < 10; ++i) {
    auto index = static_cast<TcxButtonAssignedColor>(i);
    if (!Value.Contains(index)) FColors[i] = clDefault;
    else if (FColors[i] == clDefault) Value.Exclude(index);
  }
  FAssignedColors = Value;
  FButton->Invalidate();
}

void TcxButtonColors::SetColor(TcxButtonAssignedColor Index, TColor Value) {
  if (Value == clNone || Value == clDefault) {
    FColors[Index] = clDefault;
    FAssignedColors.Exclude(Index);
    FButton->Invalidate();
    return;
  }
  if (FColors[Index] == Value) return;
  FColors[Index] = Value;
  FAssignedColors.Include(Index);
  FButton->Invalidate();
}

TColor TcxButtonColors::ColorFor(TcxButtonAssignedColor Index, TcxButtonAssignedColor Normal) const {
  if (FAssignedColors.Contains(Index)) return FColors[Index];
  // One step back only: the normal colour for every state, the default colour for the normal one.
  if (Index == Normal) return FColors[Normal == cxbcNormal ? cxbcDefault : cxbcDefaultText];
  return FColors[Normal];
}

TColor TcxButtonColors::FaceColorFor(TcxButtonState State) const {
  static constexpr TcxButtonAssignedColor kFace[] = {cxbcDefault, cxbcNormal, cxbcHot, cxbcPressed, cxbcDisabled};
  return ColorFor(kFace[State], cxbcNormal);
}

TColor TcxButtonColors::TextColorFor(TcxButtonState State) const {
  static constexpr TcxButtonAssignedColor kText[] = {cxbcDefaultText, cxbcNormalText, cxbcHotText, cxbcPressedText,
                                                     cxbcDisabledText};
  return ColorFor(kText[State], cxbcNormalText);
}

// ---- TcxSpeedButtonOptions ------------------------------------------------------------------------

TcxSpeedButtonOptions::TcxSpeedButtonOptions(TcxCustomButton* AOwner) : FOwner(AOwner) {
  SetCanBeFocused(true);
  SetGroupIndex(0);
}

void TcxSpeedButtonOptions::DeclareProperties(TPropTable& t) {
  t.Add("GroupIndex", &TcxSpeedButtonOptions::GroupIndex, &TcxSpeedButtonOptions::SetGroupIndex).SetDefault(0);
  t.Add("CanBeFocused", &TcxSpeedButtonOptions::CanBeFocused, &TcxSpeedButtonOptions::SetCanBeFocused).SetDefault(true);
  t.Add("AllowAllUp", &TcxSpeedButtonOptions::AllowAllUp, &TcxSpeedButtonOptions::SetAllowAllUp).SetDefault(false);
  t.Add("Down", &TcxSpeedButtonOptions::Down, &TcxSpeedButtonOptions::SetDown).SetDefault(false);
  t.Add("Flat", &TcxSpeedButtonOptions::Flat, &TcxSpeedButtonOptions::SetFlat).SetDefault(false);
  t.Add("Transparent", &TcxSpeedButtonOptions::Transparent, &TcxSpeedButtonOptions::SetTransparent).SetDefault(false);
}

void TcxSpeedButtonOptions::Assign(TPersistent* Source) {
  auto* other = dynamic_cast<TcxSpeedButtonOptions*>(Source);
  if (!other) {
    TPersistent::Assign(Source);
    return;
  }
  SetGroupIndex(other->GroupIndex());
  SetAllowAllUp(other->AllowAllUp());
  SetCanBeFocused(other->CanBeFocused());
  SetDown(other->Down());
  SetFlat(other->Flat());
  SetTransparent(other->Transparent());
}

TPersistent* TcxSpeedButtonOptions::GetOwner() { return FOwner; }

bool TcxSpeedButtonOptions::Down() const { return FOwner && (FOwner->FState & TcxCustomButton::kDown); }

void TcxSpeedButtonOptions::SetDown(bool Value) {
  if (FGroupIndex == 0) Value = false;
  if (Value == Down()) return;
  // A down member of an exclusive group comes up only when another member goes down.
  if (Down() && !FAllowAllUp && FGroupIndex != 0 && FLockCount == 0) return;
  if (!FOwner) return;
  if (Value) {
    FOwner->FState |= TcxCustomButton::kDown;
    UpdateGroup();
  } else {
    FOwner->FState &= ~TcxCustomButton::kDown;
  }
  FOwner->Invalidate();
}

void TcxSpeedButtonOptions::SetGroupIndex(int Value) {
  if (Value == FGroupIndex) return;
  FGroupIndex = Value;
  if (Value != 0) UpdateGroup();
  else SetDown(false);
}

void TcxSpeedButtonOptions::SetAllowAllUp(bool Value) {
  if (Value == FAllowAllUp) return;
  FAllowAllUp = Value;
  UpdateGroup();
}

void TcxSpeedButtonOptions::SetCanBeFocused(bool Value) {
  if (Value == FCanBeFocused) return;
  FCanBeFocused = Value;
  UpdateGroup();
  if (FOwner) FOwner->Repaint();
}

void TcxSpeedButtonOptions::SetFlat(bool Value) {
  if (Value == FFlat) return;
  FFlat = Value;
  UpdateGroup();
  if (IsSpeedButtonMode()) FOwner->Invalidate();
}

void TcxSpeedButtonOptions::SetTransparent(bool Value) {
  if (Value == FTransparent) return;
  FTransparent = Value;
  UpdateGroup();
  if (IsSpeedButtonMode()) FOwner->Invalidate();
}

void TcxSpeedButtonOptions::UpdateGroup() {
  if (FLockCount != 0 || !IsSpeedButtonMode() || FGroupIndex == 0 || !FOwner->Parent()) return;
  TMessage m{CM_BUTTONPRESSED, static_cast<WPARAM>(FGroupIndex), reinterpret_cast<LPARAM>(FOwner), 0};
  FOwner->Parent()->Broadcast(m);
}

void TcxSpeedButtonOptions::AdoptGroupSettings(TcxSpeedButtonOptions* Sender) {
  ++FLockCount;
  SetCanBeFocused(Sender->CanBeFocused());
  SetAllowAllUp(Sender->AllowAllUp());
  SetFlat(Sender->Flat());
  SetTransparent(Sender->Transparent());
  if (Sender->Down() && Down()) {
    SetDown(false);
    if (auto* action = dynamic_cast<TCustomAction*>(FOwner->Action())) action->SetChecked(false);
  }
  --FLockCount;
}

// ---- TcxGlyphList and TcxGlyphCache ---------------------------------------------------------------

TcxGlyphList::TcxGlyphList(int AWidth, int AHeight) : TcxImageList(nullptr, AWidth, AHeight) {}

int TcxGlyphList::AddGlyph(TBitmap* Image, TBitmap* Mask) {
  auto free = std::find(FUsed.begin(), FUsed.end(), false);
  int index;
  if (free != FUsed.end()) {
    index = static_cast<int>(free - FUsed.begin());
    ReplaceImage(index, Image, Mask);
  } else {
    index = AddWithMask(Image, Mask);
    if (index < 0) return -1;
    FUsed.resize(static_cast<size_t>(index) + 1, false);
  }
  FUsed[static_cast<size_t>(index)] = true;
  ++FUsedCount;
  return index;
}

void TcxGlyphList::ReleaseGlyph(int Index) {
  if (Index < 0 || Index >= static_cast<int>(FUsed.size()) || !FUsed[static_cast<size_t>(Index)]) return;
  FUsed[static_cast<size_t>(Index)] = false;
  --FUsedCount;
}

TcxGlyphCache::~TcxGlyphCache() {
  for (TcxGlyphList* list : FLists) delete list;
}

TcxGlyphList* TcxGlyphCache::ListFor(int AWidth, int AHeight) {
  for (auto it = FLists.rbegin(); it != FLists.rend(); ++it)
    if ((*it)->Width() == AWidth && (*it)->Height() == AHeight) return *it;
  FLists.push_back(new TcxGlyphList(AWidth, AHeight));
  return FLists.back();
}

void TcxGlyphCache::ReturnList(TcxGlyphList* List) {
  if (!List || List->UsedCount() != 0) return;
  auto it = std::find(FLists.begin(), FLists.end(), List);
  if (it == FLists.end()) return;
  FLists.erase(it);
  delete List;
}

// ---- TcxButtonGlyph -------------------------------------------------------------------------------

TcxButtonGlyph::TcxImageInfo::TcxImageInfo() : FGlyph(new TBitmap) {
  if (!TheGlyphCache) TheGlyphCache = new TcxGlyphCache;
}

TcxButtonGlyph::TcxImageInfo::~TcxImageInfo() {
  FGlyph->OnChange = nullptr;
  delete FGlyph;
}

void TcxButtonGlyph::TcxImageInfo::SetImages(TCustomImageList* Value) {
  if (Value == FImages) return;
  FImages = Value;
  if (FImageIndex != -1) ListChanged();
}

void TcxButtonGlyph::TcxImageInfo::SetImageIndex(int Value) {
  if (Value == FImageIndex) return;
  FImageIndex = Value;
  if (FImages) ListChanged();
}

void TcxButtonGlyph::TcxImageInfo::ListChanged() {
  // A bitmap of the button's own wins over the list, so the list changes nothing then.
  if (!HasGlyph(FGlyph) && FGlyph->OnChange) FGlyph->OnChange(FGlyph);
}

bool TcxButtonGlyph::TcxImageInfo::HasImage() const { return HasGlyph(FGlyph) || HasListImage(FImages, FImageIndex); }

TSize TcxButtonGlyph::TcxImageInfo::ImageSize() const {
  if (HasGlyph(FGlyph)) return TSize(FGlyph->Width(), FGlyph->Height());
  if (FImages) return TSize(FImages->Width(), FImages->Height());
  return TSize(0, 0);
}

TcxButtonGlyph::TcxButtonGlyph(TcxCustomButton* AOwner)
    : FOwner(AOwner), FImageInfo(std::make_unique<TcxImageInfo>()) {
  FImageInfo->Glyph()->OnChange = [this](TObject*) { Invalidate(); };
}

TcxButtonGlyph::~TcxButtonGlyph() {
  Invalidate();
  FImageInfo.reset();
  if (TheGlyphCache && TheGlyphCache->ListCount() == 0) {
    delete TheGlyphCache;
    TheGlyphCache = nullptr;
  }
}

void TcxButtonGlyph::SetGlyph(TBitmap* Value) {
  FImageInfo->SetGlyph(Value);
  // A strip of square images says how many it holds; anything else is one image.
  TBitmap* g = FImageInfo->Glyph();
  int n = 1;
  if (HasGlyph(g) && g->Height() > 0 && g->Width() % g->Height() == 0) {
    n = g->Width() / g->Height();
    if (n > 4) n = 1;
  }
  FNumGlyphs = n;
  Invalidate();
}

void TcxButtonGlyph::SetNumGlyphs(int Value) {
  Value = std::clamp(Value, 1, 4);
  if (Value == FNumGlyphs) return;
  FNumGlyphs = Value;
  Invalidate();
}

void TcxButtonGlyph::Invalidate() {
  // The images of every state are rebuilt on next use; the old slots go back to the list.
  if (FGlyphList) {
    for (int& index : FIndexes) {
      if (index != -1) FGlyphList->ReleaseGlyph(index);
      index = -1;
    }
    if (TheGlyphCache) TheGlyphCache->ReturnList(FGlyphList);
    FGlyphList = nullptr;
  }
  if (OnChange) OnChange();
}

TSize TcxButtonGlyph::GlyphSize() const {
  if (!FImageInfo->HasImage()) return TSize(0, 0);
  TSize s = FImageInfo->ImageSize();
  return TSize(s.cx / FNumGlyphs, s.cy);
}

bool TcxButtonGlyph::ShowsGlyph() const {
  return FOwner->PaintStyle() != bpsCaption && FImageInfo->HasImage();
}

bool TcxButtonGlyph::ShowsCaption(const String& Caption) const {
  return FOwner->PaintStyle() != bpsGlyph && !Caption.empty();
}

int TcxButtonGlyph::GlyphImageIndex(TcxButtonState State) {
  int kind = 0;
  if (State == cxbsDisabled) kind = 1;
  else if (State == cxbsPressed && FNumGlyphs >= 3) kind = 2;
  if (FIndexes[kind] != -1) return FIndexes[kind];
  if (!FImageInfo->HasImage() || !TheGlyphCache) return -1;
  const TSize size = GlyphSize();
  if (size.cx <= 0 || size.cy <= 0) return -1;

  TcxBitmap32 image(size.cx, size.cy);
  TBitmap mask;
  bool listMask = false;
  HDC dc = image.Canvas()->Handle();
  const TRect all(0, 0, size.cx, size.cy);
  if (TBitmap* glyph = FImageInfo->Glyph(); HasGlyph(glyph)) {
    const TColor transparent = glyph->TransparentColor();
    if (kind == 1 && FNumGlyphs == 1) {
      // Greyed over the face colour, so the soft edges blend with what they will stand on.
      image.Canvas()->Brush()->SetColor(clBtnFace);
      image.Canvas()->FillRect(RECT{0, 0, size.cx, size.cy});
      DrawImageWithMode(dc, all, all, glyph, nullptr, -1, idmDisabled);
      image.SetTransparentColor(clBtnFace);
    } else {
      const int part = kind < FNumGlyphs ? kind : 0;
      BitBlt(dc, 0, 0, size.cx, size.cy, glyph->Canvas()->Handle(), part * size.cx, 0, SRCCOPY);
      image.SetTransparentColor(transparent);
    }
    glyph->Dormant();
  } else if (kind == 1) {
    image.Canvas()->Brush()->SetColor(clBtnFace);
    image.Canvas()->FillRect(RECT{0, 0, size.cx, size.cy});
    DrawImageWithMode(dc, all, all, nullptr, FImageInfo->Images(), FImageInfo->ImageIndex(), idmDisabled);
    image.SetTransparentColor(clBtnFace);
  } else {
    TcxImageList::FetchImageFrom(FImageInfo->Images(), FImageInfo->ImageIndex(), &image, &mask);
    listMask = true;
  }
  if (!listMask) RenderTransparencyMask(&image, &mask);
  if (!FGlyphList) FGlyphList = TheGlyphCache->ListFor(size.cx, size.cy);
  FIndexes[kind] = FGlyphList->AddGlyph(&image, &mask);
  return FIndexes[kind];
}

TRect TcxButtonGlyph::TextMargins(TButtonLayout) {
  if (ShowsGlyph()) return TRect(0, 0, 0, 0);
  return TRect(1, 0, 2, 0);
}

void TcxButtonGlyph::CalcLayout(TCanvas* Canvas, const TRect& Client, const TPoint& Offset, const String& Caption,
                                TButtonLayout Layout, int Margin, int Spacing, TPoint& GlyphPos, TRect& TextBounds,
                                UINT BiDiFlags, bool WordWrap) {
  // Right-to-left reading mirrors the glyph's side.
  if (BiDiFlags & DT_RIGHT) {
    if (Layout == blGlyphLeft) Layout = blGlyphRight;
    else if (Layout == blGlyphRight) Layout = blGlyphLeft;
  }
  const bool horizontal = Layout == blGlyphLeft || Layout == blGlyphRight;
  TPoint textSize(0, 0);
  TextBounds = TRect(0, 0, 0, 0);
  if (ShowsCaption(Caption)) {
    TextBounds = TRect(0, 0, Client.Right - Client.Left, 0);
    if (horizontal) TextBounds.Right -= GlyphSize().cx + Spacing;
    const TRect m = TextMargins(Layout);
    TextBounds.Left += m.Left;
    TextBounds.Top += m.Top;
    TextBounds.Right -= m.Right;
    TextBounds.Bottom -= m.Bottom;
    Canvas->RequiredState(TCanvasState{csHandleValid, csFontValid});
    DrawTextOnDC(Canvas->Handle(), Caption, TextBounds, BiDiFlags | DT_CALCRECT | (WordWrap ? DT_WORDBREAK : 0), -1,
                 clDefault, TRANSPARENT);
    textSize = TPoint(TextBounds.Right - TextBounds.Left + m.Left + m.Right,
                      TextBounds.Bottom - TextBounds.Top + m.Top + m.Bottom);
  }
  const TPoint client(Client.Right - Client.Left, Client.Bottom - Client.Top);
  TPoint glyph(0, 0);
  if (ShowsGlyph()) {
    TSize g = GlyphSize();
    glyph = TPoint(g.cx, g.cy);
  }
  TPoint glyphPos(0, 0), textPos(0, 0);
  if (horizontal) {
    glyphPos.Y = (client.Y - glyph.Y) / 2;
    textPos.Y = (client.Y - textSize.Y - 1) / 2;
  } else {
    glyphPos.X = (client.X - glyph.X) / 2;
    textPos.X = (client.X - textSize.X) / 2;
  }
  if (textSize.X == 0 || glyph.X == 0) Spacing = 0;
  const int k = horizontal ? client.X : client.Y;
  const int g = horizontal ? glyph.X : glyph.Y;
  const int t = horizontal ? textSize.X : textSize.Y;
  if (Margin == -1) {
    if (Spacing == -1) {
      Margin = (k - (g + t)) / 3;
      Spacing = Margin;
    } else {
      Margin = (k - (g + Spacing + t)) / 2;
    }
  } else if (Spacing == -1) {
    Spacing = ((k - (Margin + g)) - t) / 2;
  }
  switch (Layout) {
    case blGlyphLeft:
      glyphPos.X = Margin;
      textPos.X = Margin + glyph.X + Spacing;
      break;
    case blGlyphRight:
      glyphPos.X = client.X - Margin - glyph.X;
      textPos.X = glyphPos.X - Spacing - textSize.X;
      break;
    case blGlyphTop:
      glyphPos.Y = Margin;
      textPos.Y = Margin + glyph.Y + Spacing;
      break;
    case blGlyphBottom:
      glyphPos.Y = client.Y - Margin - glyph.Y;
      textPos.Y = glyphPos.Y - Spacing - textSize.Y;
      break;
  }
  GlyphPos = TPoint(glyphPos.X + Client.Left + Offset.X, glyphPos.Y + Client.Top + Offset.Y);
  const int dx = Client.Left + textPos.X + Offset.X, dy = Client.Top + textPos.Y + Offset.Y;
  TextBounds = TRect(TextBounds.Left + dx, TextBounds.Top + dy, TextBounds.Right + dx, TextBounds.Bottom + dy);
}

void TcxButtonGlyph::DrawGlyph(TCanvas* Canvas, const TPoint& Pos, TcxButtonState State) {
  if (!ShowsGlyph()) return;
  int index = GlyphImageIndex(State);
  if (index >= 0 && FGlyphList) FGlyphList->Draw(Canvas, Pos.X, Pos.Y, index, true);
}

void TcxButtonGlyph::DrawCaption(TCanvas* Canvas, const String& Caption, const TRect& TextBounds, TcxButtonState State,
                                 UINT BiDiFlags, bool, bool WordWrap, bool Skinned) {
  if (!ShowsCaption(Caption)) return;
  const TBrushStyle oldStyle = Canvas->Brush()->Style();
  Canvas->Brush()->SetStyle(bsClear);
  const UINT format = BiDiFlags | DT_CENTER | DT_VCENTER | (WordWrap ? DT_WORDBREAK : 0);
  Canvas->RequiredState(TCanvasState{csHandleValid, csFontValid, csBrushValid});
  if (State == cxbsDisabled && !Skinned) {
    // Embossed: a light copy one pixel down and right under the text.
    TRect r = TextBounds;
    r = TRect(r.Left + 1, r.Top + 1, r.Right + 1, r.Bottom + 1);
    DrawTextOnDC(Canvas->Handle(), Caption, r, format, -1, clBtnHighlight, TRANSPARENT);
  }
  TRect r = TextBounds;
  DrawTextOnDC(Canvas->Handle(), Caption, r, format, -1, Canvas->Font()->Color(), TRANSPARENT);
  Canvas->Brush()->SetStyle(oldStyle);
}

void TcxButtonGlyph::Draw(TCanvas* Canvas, const TRect& Client, const TPoint& Offset, const String& Caption,
                          TButtonLayout Layout, int Margin, int Spacing, TcxButtonState State, UINT BiDiFlags,
                          bool NativeStyle, bool WordWrap, bool Skinned) {
  TPoint glyphPos;
  TRect textBounds;
  CalcLayout(Canvas, Client, Offset, Caption, Layout, Margin, Spacing, glyphPos, textBounds, BiDiFlags, WordWrap);
  DrawGlyph(Canvas, glyphPos, State);
  DrawCaption(Canvas, Caption, textBounds, State, BiDiFlags, NativeStyle, WordWrap, Skinned);
}

// ---- TcxCustomButton ------------------------------------------------------------------------------

TcxCustomButton::TcxCustomButton(TComponent* AOwner) : TButton(AOwner) {
  FControlCanvas = std::make_unique<TControlCanvas>();
  FControlCanvas->SetControl(this);
  FCanvas = std::make_unique<TcxCanvas>(FControlCanvas.get());
  FColors = std::make_unique<TcxButtonColors>(this);
  FLookAndFeel = std::make_unique<TcxLookAndFeel>(this);
  FLookAndFeel->OnChanged = [this](TcxLookAndFeel*, TcxLookAndFeelValues) {
    if (FUseSystemPaint && HandleAllocated()) RecreateWnd();
    else Invalidate();
  };
  FSpeedButtonOptions = std::make_unique<TcxSpeedButtonOptions>(this);
  FGlyph = std::make_unique<TcxButtonGlyph>(this);
  FGlyph->OnChange = [this] { Invalidate(); };
  SetDoubleBuffered(true);
  FControlStyle.Include(csOpaque);
  FControlStyle.Include(csReflector);
}

TcxCustomButton::~TcxCustomButton() {
  StopMouseLeaveWatch(this);
  if (FDropDownMenu) FDropDownMenu->RemoveFreeNotification(this);
  if (FPopupMenu) FPopupMenu->RemoveFreeNotification(this);
  // The window goes first: the paint and menu messages of its end still find everything.
  DestroyHandle();
  FSpeedButtonOptions.reset();
  FLookAndFeel.reset();
  FColors.reset();
  FGlyph.reset();
  FCanvas.reset();
  FControlCanvas.reset();
}

void TcxCustomButton::DeclareProperties(TPropTable& t) {
  t.Add("CanBeFocused", &TcxCustomButton::CanBeFocused, &TcxCustomButton::SetCanBeFocused).Stored(false);
  t.Add("GroupIndex", &TcxCustomButton::GroupIndex, &TcxCustomButton::SetGroupIndex).Stored(false);
  t.Add("Down", &TcxCustomButton::Down, &TcxCustomButton::SetDown).Stored(false);
  t.Add("AllowAllUp", &TcxCustomButton::AllowAllUp, &TcxCustomButton::SetAllowAllUp).Stored(false);
  t.Add("Action", &TControl::Action, &TControl::SetAction);
  t.Add("Colors", &TcxCustomButton::Colors, &TcxCustomButton::SetColors)
      .Stored(&TcxCustomButton::IsColorsStored);
  t.Add("DropDownMenu", &TcxCustomButton::DropDownMenu, &TcxCustomButton::SetDropDownMenu);
  t.Add("Glyph", &TcxCustomButton::Glyph, &TcxCustomButton::SetGlyph);
  t.Add("Kind", &TcxCustomButton::Kind, &TcxCustomButton::SetKind).SetDefault(cxbkStandard);
  t.Add("Layout", &TcxCustomButton::Layout, &TcxCustomButton::SetLayout).SetDefault(blGlyphLeft);
  t.Add("LookAndFeel", &TcxCustomButton::LookAndFeel, &TcxCustomButton::SetLookAndFeel);
  t.Add("Margin", &TcxCustomButton::Margin, &TcxCustomButton::SetMargin).SetDefault(-1);
  t.Add("NumGlyphs", &TcxCustomButton::NumGlyphs, &TcxCustomButton::SetNumGlyphs).SetDefault(1);
  t.Add("PaintStyle", &TcxCustomButton::PaintStyle, &TcxCustomButton::SetPaintStyle).SetDefault(bpsDefault);
  t.Add("PopupAlignment", &TcxCustomButton::PopupAlignment, &TcxCustomButton::SetPopupAlignment).SetDefault(paLeft);
  t.Add("PopupMenu", &TcxCustomButton::PopupMenu, &TcxCustomButton::SetPopupMenu);
  t.Add("Spacing", &TcxCustomButton::Spacing, &TcxCustomButton::SetSpacing).SetDefault(4);
  t.Add("SpeedButtonOptions", &TcxCustomButton::SpeedButtonOptions, &TcxCustomButton::SetSpeedButtonOptions);
  t.Add("UseSystemPaint", &TcxCustomButton::UseSystemPaint, &TcxCustomButton::SetUseSystemPaint).SetDefault(false);
  t.Add("OnDropDownMenuPopup", &TcxCustomButton::OnDropDownMenuPopup);
  t.Add("OnGetDrawParams", &TcxCustomButton::OnGetDrawParams);
  t.Add("OnMouseEnter", &TControl::OnMouseEnter);
  t.Add("OnMouseLeave", &TControl::OnMouseLeave);
}

void TcxCustomButton::SetDropDownMenu(TPopupMenu* Value) {
  if (Value == FDropDownMenu) return;
  if (FDropDownMenu) FDropDownMenu->RemoveFreeNotification(this);
  FDropDownMenu = Value;
  if (FDropDownMenu) FDropDownMenu->FreeNotification(this);
}

void TcxCustomButton::SetPopupMenu(TComponent* Value) {
  // Only menus can pop up: the class library's, or one of the library's own.
  if (Value && !dynamic_cast<TPopupMenu*>(Value) && !Supports<IcxPopupMenuSupport>(Value)) Value = nullptr;
  if (Value == FPopupMenu) return;
  if (FPopupMenu) FPopupMenu->RemoveFreeNotification(this);
  FPopupMenu = Value;
  if (FPopupMenu) FPopupMenu->FreeNotification(this);
}

void TcxCustomButton::Notification(TComponent* AComponent, TOperation Operation) {
  TButton::Notification(AComponent, Operation);
  if (Operation != opRemove) return;
  if (AComponent == FDropDownMenu) FDropDownMenu = nullptr;
  if (AComponent == FPopupMenu) FPopupMenu = nullptr;
}

void TcxCustomButton::SetKind(TcxButtonKind Value) {
  if (Value == FKind) return;
  FKind = Value;
  if (HandleAllocated()) RecreateWnd();
}

void TcxCustomButton::SetLayout(TButtonLayout Value) {
  if (Value == FLayout) return;
  FLayout = Value;
  Invalidate();
}

void TcxCustomButton::SetMargin(int Value) {
  if (Value < -1 || Value == FMargin) return;
  FMargin = Value;
  Invalidate();
}

void TcxCustomButton::SetPaintStyle(TcxButtonPaintStyle Value) {
  if (Value == FPaintStyle) return;
  FPaintStyle = Value;
  Invalidate();
}

void TcxCustomButton::SetSpacing(int Value) {
  if (Value == FSpacing) return;
  FSpacing = Value;
  Invalidate();
}

bool TcxCustomButton::CanFocus() {
  return TButton::CanFocus() && (CanBeFocused() || IsDesigning());
}

TcxCustomLookAndFeelPainterClass TcxCustomButton::ButtonPainter() {
  if (TcxCustomLookAndFeelPainterClass skin = FLookAndFeel->SkinPainter()) return skin;
  TcxCustomLookAndFeelPainterClass painter = FLookAndFeel->ActivePainter();
  // The button never draws in the Office-2003 look.
  if (!painter || painter->PainterStyle() == psOffice11) {
    if (IsThemeClassAvailable(tciButton)) return WinXPLookAndFeelPainter();
    return StandardLookAndFeelPainter();
  }
  return painter;
}

TSize TcxCustomButton::AutoSizeExtent() {
  TcxScreenCanvas canvas;
  canvas.AssignFont(Font());
  String text;
  StripAccelerators(Caption(), false, text);
  if (text.empty()) text = " ";
  const int w = canvas.MeasureTextWidth(text) + 3 * canvas.MeasureTextWidth("R");
  const int h = MulDiv(canvas.MeasureTextHeight("Wg"), 14, 8);
  canvas.ReleaseScreenDC();
  return TSize(w, h);
}

TRect TcxCustomButton::ArrowPartRect() {
  TRect r = ClientTRect(this);
  if (FKind == cxbkDropDownButton) r.Left = r.Right - cxDropDownButtonWidth;
  return r;
}

UINT TcxCustomButton::BiDiTextFlags() const {
  switch (BiDiMode()) {
    case bdRightToLeft: return DT_RTLREADING | DT_RIGHT;
    case bdRightToLeftReadingOnly: return DT_RTLREADING;
    default: return 0;
  }
}

TcxButtonState TcxCustomButton::DrawingState() {
  if (!Enabled()) return cxbsDisabled;
  if (FDrawPressed) return cxbsPressed;
  if ((FState & kHot) && !PaintsNatively() && ButtonPainter()->HotTracksButtons() && Enabled()) return cxbsHot;
  return FDrawAsDefault ? cxbsDefault : cxbsNormal;
}

void TcxCustomButton::CreateParams(TCreateParams& Params) {
  TButton::CreateParams(Params);
  if (!PaintsNatively()) Params.Style = (Params.Style & ~static_cast<DWORD>(BS_TYPEMASK)) | BS_OWNERDRAW;
}

void TcxCustomButton::CreateWnd() {
  TButton::CreateWnd();
  FGlyph->GlyphImageIndex(Enabled() ? cxbsNormal : cxbsDisabled);
}

void TcxCustomButton::DestroyWnd() {
  if (FState & kMenuOpen) Perform(CM_CLOSEUPPOPUPMENU, 0, 0);
  TButton::DestroyWnd();
}

void TcxCustomButton::SetButtonStyle(bool ADefault) {
  if (PaintsNatively()) {
    TButton::SetButtonStyle(ADefault);
    return;
  }
  if (ADefault == FIsDefault) return;
  FIsDefault = ADefault;
  if (HandleAllocated()) Invalidate();
}

void TcxCustomButton::Click() {
  // A focusable button in a group toggles on its click, but not when an accelerator pressed it.
  if (CanBeFocused() && (!(FState & kArrowPressed) || (FState & kMainPressed)) && !(FState & kAccelClick))
    SetDown(!Down());
  if (FKind == cxbkDropDown) RequestDropDown();
  else TButton::Click();
}

void TcxCustomButton::PerformClick() { Click(); }

void TcxCustomButton::RequestDropDown() {
  if ((FState & kMenuOpen) || FMenuClosedByClick || !HandleAllocated()) return;
  PostMessage(Handle(), CM_DROPDOWNPOPUPMENU, 0, 0);
}

bool TcxCustomButton::FireDropDownMenuPopup(TPopupMenu*& Menu) {
  bool handled = false;
  if (OnDropDownMenuPopup) OnDropDownMenuPopup(this, Menu, handled);
  return handled;
}

bool TcxCustomButton::ShowContextMenu(TComponent* Menu, int X, int Y) { return ShowPopupMenuFor(this, Menu, X, Y); }

void TcxCustomButton::DoDropDownMenu() {
  if (FKind == cxbkStandard) return;
  TPopupMenu* menu = FDropDownMenu;
  if (FireDropDownMenuPopup(menu) || !menu) return;
  FState &= ~kArrowPressed;
  FState |= kMenuOpen;
  FMenuClosedByClick = false;
  Repaint();

  POINT p{0, Height()};
  if (FPopupAlignment == paRight) p.x = Width();
  else if (FPopupAlignment == paCenter) p.x = Width() / 2;
  p = ClientToScreen(p);
  RECT work;
  DesktopWorkArea(p, work);
  const int menuHeight = PopupMenuHeight(menu);
  // Near the bottom of the screen the menu opens above the button.
  if (p.y + menuHeight > work.bottom) p.y -= menuHeight + Height() + 2;
  const TPopupAlignment saved = menu->Alignment();
  if (p.x <= work.left) menu->SetAlignment(paRight);
  else if (p.x >= work.right) menu->SetAlignment(paLeft);
  else menu->SetAlignment(FPopupAlignment);
  menu->SetPopupComponent(this);
  // A command of the menu may free the menu or the button before the menu returns.
  TFreeWatch button(this), shown(menu);
  auto restore = [&] {
    if (!shown.Gone()) menu->SetAlignment(saved);
  };
  try {
    menu->Popup(p.x, p.y);
  } catch (...) {
    restore();
    throw;
  }
  restore();
  if (!button.Gone() && HandleAllocated()) PostMessage(Handle(), CM_CLOSEUPPOPUPMENU, 0, 0);
}

void TcxCustomButton::CloseUpPopupMenu() {
  bool closedByClick = (FState & kArrowPressed) != 0;
  if (!closedByClick && HandleAllocated()) {
    // The click that closed the menu waits in the queue: on the arrow it must not open it again.
    MSG m;
    if (PeekMessage(&m, Handle(), WM_LBUTTONDOWN, WM_LBUTTONDBLCLK, PM_NOREMOVE) &&
        (m.message == WM_LBUTTONDOWN || m.message == WM_LBUTTONDBLCLK)) {
      const int x = static_cast<short>(LOWORD(m.lParam)), y = static_cast<short>(HIWORD(m.lParam));
      closedByClick = PointIn(ArrowPartRect(), x, y);
    }
  }
  FMenuClosedByClick = closedByClick;
  FState &= ~kMenuOpen;
  if (HandleAllocated()) Repaint();
}

void TcxCustomButton::RecordPressedPart(int X, int Y) {
  FState &= ~(kMainPressed | kArrowPressed);
  if (FKind != cxbkStandard && PointIn(ArrowPartRect(), X, Y)) FState |= kArrowPressed;
  else FState |= kMainPressed;
}

void TcxCustomButton::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (!CanBeFocused()) SetMouseCapture(true);
  TFreeWatch watch(this);
  TButton::MouseDown(Button, Shift, X, Y);
  if (watch.Gone()) return;
  if (Button == mbLeft) {
    RecordPressedPart(X, Y);
    FArrowClick = FKind == cxbkDropDownButton && (FState & kArrowPressed);
    if (FArrowClick) RequestDropDown();
  }
  Invalidate();
}

void TcxCustomButton::DblClick() {
  if (!CanBeFocused()) SetMouseCapture(true);
  if (GroupIndex() != 0) TButton::DblClick();
  POINT p;
  GetCursorPos(&p);
  p = ScreenToClient(p);
  RecordPressedPart(p.x, p.y);
  Invalidate();
}

void TcxCustomButton::MouseMove(TShiftState Shift, int X, int Y) {
  TButton::MouseMove(Shift, X, Y);
  if (IsDesigning()) return;
  if (PointIn(ClientTRect(this), X, Y)) EnterHotState();
  else if (FState & kHot) LeaveHotState();
}

void TcxCustomButton::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  const bool toggle = !CanBeFocused() && Button == mbLeft && (FState & kHot) &&
                      ((FState & kMainPressed) || ((FState & kArrowPressed) && FKind == cxbkDropDown));
  if (toggle) SetDown(!Down());
  TFreeWatch watch(this);
  TButton::MouseUp(Button, Shift, X, Y);
  if (watch.Gone()) return;
  FState &= ~(kMainPressed | kArrowPressed);
  if (!CanBeFocused() && MouseCapture()) SetMouseCapture(false);
  if (toggle) {
    PerformClick();
    if (watch.Gone()) return;
  }
  Invalidate();
  if (!(FState & kMenuOpen)) FMenuClosedByClick = false;
}

void TcxCustomButton::FireMouseEnter() {
  if (OnMouseEnter) OnMouseEnter(this);
}

void TcxCustomButton::FireMouseLeave() {
  if (OnMouseLeave) OnMouseLeave(this);
}

void TcxCustomButton::EnterHotState() {
  if (!HandleAllocated()) return;
  StartMouseLeaveWatch(this, ClientRect(), this);
  const bool was = FState & kHot;
  FState |= kHot;
  if (!was && Enabled()) Repaint();
}

void TcxCustomButton::LeaveHotState() {
  StopMouseLeaveWatch(this);
  const bool was = FState & kHot;
  FState &= ~kHot;
  if (was && Enabled()) Invalidate();
}

void TcxCustomButton::CMMouseEnter(TMessage& Message) {
  // The class library's handler would fire OnMouseEnter itself; here FireMouseEnter does.
  TNotifyEvent handler = std::move(OnMouseEnter);
  OnMouseEnter = nullptr;
  TButton::CMMouseEnter(Message);
  OnMouseEnter = std::move(handler);
  if (IsDesigning() || (Message.LParam != 0 && Message.LParam != reinterpret_cast<LPARAM>(this))) return;
  FireMouseEnter();
  EnterHotState();
}

void TcxCustomButton::CMMouseLeave(TMessage& Message) {
  TNotifyEvent handler = std::move(OnMouseLeave);
  OnMouseLeave = nullptr;
  TButton::CMMouseLeave(Message);
  OnMouseLeave = std::move(handler);
  if (IsDesigning() || (Message.LParam != 0 && Message.LParam != reinterpret_cast<LPARAM>(this))) return;
  FireMouseLeave();
  LeaveHotState();
}

void TcxCustomButton::CMEnabledChanged(TMessage& Message) {
  TButton::CMEnabledChanged(Message);
  if (!Enabled()) FState &= ~kHot;
  Invalidate();
}

void TcxCustomButton::CMFontChanged(TMessage& Message) {
  TButton::CMFontChanged(Message);
  if (FAutoSize) {
    TSize s = AutoSizeExtent();
    SetBounds(Left(), Top(), s.cx, s.cy);
  }
  Invalidate();
}

void TcxCustomButton::WMContextMenu(TMessage& Message) {
  if (Message.Result != 0 || IsDesigning()) {
    TButton::WMContextMenu(Message);
    return;
  }
  POINT screen{Message.XPos(), Message.YPos()};
  const bool keyboard = screen.x == -1 && screen.y == -1;
  POINT local{-1, -1};
  if (!keyboard) {
    local = ScreenToClient(screen);
    if (!PointIn(ClientTRect(this), local.x, local.y)) {
      TButton::WMContextMenu(Message);
      return;
    }
  }
  bool handled = false;
  DoContextPopup(local, handled);
  if (!handled && FPopupMenu) {
    if (keyboard) screen = ClientToScreen(POINT{0, 0});
    handled = ShowContextMenu(FPopupMenu, screen.x, screen.y);
  }
  if (handled) {
    Message.Result = 1;
    return;
  }
  TButton::WMContextMenu(Message);
}

std::unique_ptr<TControlActionLink> TcxCustomButton::CreateActionLink() {
  return std::make_unique<TcxButtonActionLink>(this);
}

void TcxCustomButton::UpdateImageInfo() {
  // The glyph shows the action's image while the button has no bitmap of its own.
  auto* action = dynamic_cast<TCustomAction*>(Action());
  TCustomImageList* images = nullptr;
  int index = -1;
  if (action) {
    if (action->ActionList()) images = dynamic_cast<TCustomImageList*>(action->ActionList()->Images());
    index = action->ImageIndex();
  }
  FGlyph->SetImages(images);
  FGlyph->SetImageIndex(index);
}

void TcxCustomButton::ActionChange(TBasicAction* Sender, bool CheckDefaults) {
  TButton::ActionChange(Sender, CheckDefaults);
  UpdateImageInfo();
}

void TcxCustomButton::InitiateAction() {
  TButton::InitiateAction();
  UpdateImageInfo();
}

void TcxCustomButton::WndProc(TMessage& Message) {
  const bool designing = IsDesigning();
  switch (Message.Msg) {
    case WM_LBUTTONDOWN:
      if (!CanBeFocused() && !designing) {
        // The standard button never sees the press: it neither takes the focus nor looks pushed.
        MouseDown(mbLeft, KeysToShiftState(Message.WParam), Message.XPos(), Message.YPos());
        return;
      }
      break;
    case WM_LBUTTONDBLCLK:
      if (!CanBeFocused() && !designing) {
        DblClick();
        return;
      }
      // Otherwise a double click is a second press.
      Message.Msg = WM_LBUTTONDOWN;
      break;
    case WM_ERASEBKGND:
      Message.Result = 1;
      return;
    case CN_DRAWITEM:
      if (!HasState(csDestroying)) DrawItem(*reinterpret_cast<DRAWITEMSTRUCT*>(Message.LParam));
      Message.Result = 1;
      return;
    case CN_MEASUREITEM: {
      auto* mis = reinterpret_cast<MEASUREITEMSTRUCT*>(Message.LParam);
      mis->itemWidth = static_cast<UINT>(Width());
      mis->itemHeight = static_cast<UINT>(Height());
      Message.Result = 1;
      return;
    }
    case CN_COMMAND:
      // After a press on the split button's arrow the menu answers, not the click.
      if ((Message.WParam >> 16) == BN_CLICKED && FKind == cxbkDropDownButton && FArrowClick) {
        FArrowClick = false;
        return;
      }
      break;
    case CM_DIALOGCHAR:
      if (IsAccel(Message.CharCode(), Caption()) && CanFocus()) {
        FState |= kAccelClick;
        TFreeWatch watch(this);
        try {
          PerformClick();
        } catch (...) {
          if (!watch.Gone()) FState &= ~kAccelClick;
          throw;
        }
        if (!watch.Gone()) FState &= ~kAccelClick;
        Message.Result = 1;
        return;
      }
      break;
    case CN_KEYDOWN:
    case CN_SYSKEYDOWN:
      // Before dialog navigation takes the arrow keys.
      if (FKind == cxbkDropDownButton && (Message.WParam == VK_UP || Message.WParam == VK_DOWN) &&
          ((GetKeyState(VK_MENU) < 0) || (GetKeyState(VK_SHIFT) < 0))) {
        RequestDropDown();
        Message.Result = 1;
        return;
      }
      if (IsPopupMenuShortCut(FPopupMenu, Message)) {
        Message.Result = 1;
        return;
      }
      break;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
      if (FKind == cxbkDropDownButton && (Message.WParam == VK_UP || Message.WParam == VK_DOWN) &&
          ((GetKeyState(VK_MENU) < 0) || (GetKeyState(VK_SHIFT) < 0))) {
        RequestDropDown();
        return;
      }
      break;
    case CM_DROPDOWNPOPUPMENU:
      DoDropDownMenu();
      return;
    case CM_CLOSEUPPOPUPMENU:
      CloseUpPopupMenu();
      return;
    case CM_BUTTONPRESSED: {
      auto* sender = reinterpret_cast<TcxCustomButton*>(Message.LParam);
      if (sender != this && FSpeedButtonOptions->IsSpeedButtonMode() && GroupIndex() != 0 &&
          static_cast<int>(Message.WParam) == GroupIndex() && dynamic_cast<TcxCustomButton*>(sender)) {
        FSpeedButtonOptions->AdoptGroupSettings(sender->SpeedButtonOptions());
        Invalidate();
      }
      return;
    }
    case WM_CAPTURECHANGED:
      if (!designing && HandleAllocated()) {
        POINT p;
        GetCursorPos(&p);
        if (WindowFromPoint(p) != Handle()) {
          FState &= ~(kHot | kMainPressed | kArrowPressed);
          Invalidate();
        }
      }
      break;
    case WM_WINDOWPOSCHANGED:
      if (FSpeedButtonOptions->Transparent() && !CanBeFocused() && HandleAllocated() && !HasState(csDestroying))
        Invalidate();
      break;
    default:
      break;
  }
  TButton::WndProc(Message);
}

void TcxCustomButton::DrawBackground(TcxCustomLookAndFeelPainterClass Painter, TRect R, TcxButtonState State,
                                     TColor FaceColor) {
  TcxSpeedButtonOptions* o = FSpeedButtonOptions.get();
  const TColor fontColor = FCanvas->ActiveFont()->Color();
  if ((!o->Flat() && !o->Transparent()) || o->CanBeFocused()) {
    Painter->DrawPushButton(FCanvas.get(), R, "", State, true, FaceColor, fontColor, WordWrap(), 0);
    return;
  }
  const bool hot = FState & kHot;
  if (!IsSkinned() && !FLookAndFeel->NativeStyle() && FLookAndFeel->Kind() != lfOffice11 &&
      (!o->Flat() || IsDesigning() || (State != cxbsDisabled && (hot || State != cxbsNormal)))) {
    Painter->DrawButtonFrame(FCanvas.get(), R, State);
    const int b = Painter->ButtonBorderWidth(State);
    R = TRect(R.Left + b, R.Top + b, R.Right - b, R.Bottom - b);
  }
  FCanvas->PushClipRegion();
  FCanvas->ClipToRect(R);
  if (o->Transparent() && (State == cxbsDisabled || hot || State == cxbsNormal) && !(hot && Painter->HotTracksButtons()))
    PaintParentBackground(this, FCanvas.get(), ClientTRect(this), true);
  else
    Painter->DrawPushButton(FCanvas.get(), R, "", State, false, FaceColor, fontColor, WordWrap(), 1);
  FCanvas->PopClipRegion();
}

void TcxCustomButton::DrawItem(const DRAWITEMSTRUCT& Item) {
  if (PaintsNatively()) return;
  FControlCanvas->SetHandle(Item.hDC);
  struct Release {
    TControlCanvas* c;
    ~Release() { c->SetHandle(nullptr); }
  } release{FControlCanvas.get()};

  TcxCustomLookAndFeelPainterClass painter = ButtonPainter();
  const bool skinned = IsSkinned();
  TRect r = ClientTRect(this);
  if (painter == WinXPLookAndFeelPainter()) {
    if (UxIsThemeBackgroundPartiallyTransparent(AcquireThemeHandle(tciButton), BP_PUSHBUTTON, PBS_NORMAL))
      DrawThemeParentBackground(this, FCanvas.get(), r);
  } else if (skinned) {
    PaintParentBackground(this, FCanvas.get(), r, true);
  }
  TRect arrow;
  if (FKind == cxbkDropDownButton) {
    arrow = TRect(r.Right - cxDropDownButtonWidth, r.Top, r.Right, r.Bottom);
    r.Right -= cxDropDownButtonWidth - cxDropDownButtonOverlap;
  }

  const bool selected = Item.itemState & ODS_SELECTED;
  const bool speed = FSpeedButtonOptions->IsSpeedButtonMode();
  FDrawPressed = (selected && !(FState & kArrowPressed)) || ((FState & kMenuOpen) && FKind == cxbkDropDown) ||
                 (speed && (Down() || ((FState & kHot) && (FState & kMainPressed))));
  FDrawAsDefault = CanBeFocused() && ((Item.itemState & ODS_FOCUS) || (Default() && IsDesigning()) || FIsDefault);
  const TcxButtonState state = DrawingState();

  FCanvas->AssignFont(Font());
  TColor face = FColors->FaceColorFor(state);
  TColor text = FColors->TextColorFor(state);
  if (text == clDefault) text = painter->ButtonGlyphColor(state, FCanvas->ActiveFont()->Color());
  FCanvas->ActiveFont()->SetColor(text);
  if (OnGetDrawParams) OnGetDrawParams(this, state, face, FCanvas->ActiveFont());

  DrawBackground(painter, r, state, face);

  TPoint offset(0, 0);
  if (state == cxbsPressed && painter->ButtonPressedShift() != 0)
    offset = TPoint(painter->ButtonPressedShift(), painter->ButtonPressedShift());
  FCanvas->PushClipRegion();
  auto contentFor = [&](TcxButtonState s) {
    const int b = painter->ButtonBorderWidth(s);
    TRect c = ClientTRect(this);
    c = TRect(c.Left + b, c.Top + b, c.Right - b, c.Bottom - b);
    if (FKind == cxbkDropDownButton) c.Right -= cxDropDownButtonWidth - cxDropDownButtonOverlap;
    return c;
  };
  FCanvas->ClipToRect(contentFor(state));
  UpdateImageInfo();
  // Laid out with the default frame's width, so nothing moves when the frame appears.
  FGlyph->Draw(FControlCanvas.get(), contentFor(cxbsDefault), offset, Caption(), FLayout, FMargin, FSpacing, state,
               BiDiTextFlags(), painter == WinXPLookAndFeelPainter(), WordWrap(), skinned);
  FCanvas->PopClipRegion();

  if (FKind == cxbkDropDownButton) {
    TcxButtonState arrowState = state;
    if (FState & kMenuOpen) arrowState = cxbsPressed;
    else if (FState & kMainPressed) arrowState = FIsDefault ? cxbsHot : cxbsNormal;
    DrawBackground(painter, arrow, arrowState, face);
    painter->DrawArrowButtonGlyph(FCanvas.get(), arrow, arrowState, adDown);
  }
  if (CanFocus() && (Item.itemState & ODS_FOCUS) && !(FState & kMenuOpen))
    FCanvas->PaintFocusRect(painter->ButtonFocusBounds(FCanvas.get(), r));
}

// ---- TcxButtonActionLink --------------------------------------------------------------------------

TcxButtonActionLink::TcxButtonActionLink(TObject* AClient)
    : TButtonActionLink(AClient), FCxButton(dynamic_cast<TcxCustomButton*>(AClient)) {}

TcxButtonActionLink::~TcxButtonActionLink() {
  if (FCxButton && !FCxButton->HasState(csDestroying) && FCxButton->ButtonGlyph()) {
    FCxButton->ButtonGlyph()->SetImages(nullptr);
    FCxButton->ButtonGlyph()->SetImageIndex(-1);
  }
}

void TcxButtonActionLink::SetImageIndex(int Value) {
  if (FCxButton && FCxButton->ButtonGlyph()) FCxButton->ButtonGlyph()->SetImageIndex(Value);
}

namespace {
// Form descriptions create buttons by class name.
const bool kRegistered = [] {
  RegisterClassesOf<TcxButton>();
  return true;
}();
}  // namespace
