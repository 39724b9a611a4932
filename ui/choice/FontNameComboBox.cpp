#include "ui/choice/FontNameComboBox.h"

#include <algorithm>
#include <memory>

#include "platform/classes/StdCtrls.h"
#include "platform/classes/SysUtils.h"
#include "platform/win/Window.h"
#include "ui/choice/ExtEditStrings.h"
#include "ui/choice/ExtEditUtils.h"
#include "ui/controls/EditUtils.h"
#include "ui/foundation/Component.h"
#include "ui/foundation/DrawingRoutines.h"
#include "ui/foundation/Geometry.h"
#include "ui/foundation/ScopeGuards.h"

using namespace win;

namespace {

int gUnitStarts = 0;
// Freed by the unit's shutdown, never by the exit of a program that ends without it: the drawing
// layer may be gone by then.
TBitmap* gTTFGlyph = nullptr;
TBitmap* gNonTTFGlyph = nullptr;

TBitmap* LoadGlyph(const char* Name) {
  auto glyph = std::make_unique<TBitmap>();
  glyph->LoadFromResourceName(GetModuleHandle(nullptr), Name);
  glyph->SetTransparent(true);
  return glyph.release();
}

TBitmap* TypeGlyph(bool TrueType) { return TrueType ? gTTFGlyph : gNonTTFGlyph; }

int FlagsAt(TStrings* Items, int Index) { return FontFlagsOfObject(Items->Objects(Index)); }

}  // namespace

// ---- TcxFontPreview --------------------------------------------------------------------------------------------

void TcxFontPreview::DeclareProperties(TPropTable& t) {
  using F = TcxFontPreview;
  t.Add("Alignment", &F::Alignment, &F::SetAlignment).SetDefault(taCenter);
  t.Add("Color", &F::Color, &F::SetColor).SetDefault(clWindow);
  t.Add("FontStyle", &F::FontStyle, &F::SetFontStyle).SetDefault(TFontStyles{});
  t.Add("PreviewText", &F::PreviewText, &F::SetPreviewText);
  t.Add("PreviewType", &F::PreviewType, &F::SetPreviewType).SetDefault(cxfpFontName);
  t.Add("ShowButtons", &F::ShowButtons, &F::SetShowButtons).SetDefault(true);
  t.Add("ShowEndEllipsis", &F::ShowEndEllipsis, &F::SetShowEndEllipsis).SetDefault(true);
  t.Add("Visible", &F::Visible, &F::SetVisible).SetDefault(true);
  t.Add("WordWrap", &F::WordWrap, &F::SetWordWrap).SetDefault(false);
  t.Add("OnButtonClick", &F::OnButtonClick);
}

void TcxFontPreview::Assign(TPersistent* Source) {
  auto* source = dynamic_cast<TcxFontPreview*>(Source);
  if (!source) {
    TPersistent::Assign(Source);
    return;
  }
  BeginUpdate();
  SetAlignment(source->FAlignment);
  SetColor(source->FColor);
  SetFontStyle(source->FFontStyle);
  SetPreviewText(source->FPreviewText);
  SetPreviewType(source->FPreviewType);
  SetShowButtons(source->FShowButtons);
  SetShowEndEllipsis(source->FShowEndEllipsis);
  SetVisible(source->FVisible);
  SetWordWrap(source->FWordWrap);
  OnButtonClick = source->OnButtonClick;
  EndUpdate();
}

void TcxFontPreview::EndUpdate() {
  if (FUpdateCount > 0) --FUpdateCount;
  if (FUpdateCount == 0 && FChangePending) Changed();
}

void TcxFontPreview::Changed() {
  if (FUpdateCount > 0) {
    FChangePending = true;
    return;
  }
  FChangePending = false;
  if (!FDestroying && OnChanged) OnChanged();
}

// ---- TFontPreviewPanel -------------------------------------------------------------------------------------------

TFontPreviewPanel::TFontPreviewPanel(TComponent* AOwner) : TCustomControl(AOwner) {
  SetBounds(0, 0, 100, 40);
  SetColor(clWindow);
  static const char* const kCaptions[] = {"B", "I", "U", "S"};
  for (int i = 0; i < 4; ++i) {
    auto* button = new TcxFontPanelButton(this);
    button->SetCaption(kCaptions[i]);
    button->SetTag(i);
    button->Font()->SetName("Arial");
    button->Font()->SetSize(8);
    button->SetTabStop(false);
    button->OnClick = [this](TObject* Sender) { ToggleFontStyle(Sender); };
    button->SetParent(this);
    FButtons[i] = button;
  }
}

void TFontPreviewPanel::SetPreviewFontName(const String& Value) {
  if (Value == FFontName) return;
  FFontName = Value;
  if (!FRedrawLocked) Invalidate();
}

void TFontPreviewPanel::SetFontStyles(TFontStyles Value) {
  FFontStyles = Value;
  const TFontStyle styles[] = {fsBold, fsItalic, fsUnderline, fsStrikeOut};
  for (int i = 0; i < 4; ++i) {
    const bool on = Value.Contains(styles[i]);
    FButtons[i]->Colors()->SetNormal(on ? HotTrackMixColor() : clDefault);
    FButtons[i]->Font()->SetStyle(on ? TFontStyles{fsBold} : TFontStyles{});
  }
  if (!FRedrawLocked) Invalidate();
}

void TFontPreviewPanel::SetShowButtons(bool Value) {
  FShowButtons = Value;
  for (TcxFontPanelButton* button : FButtons) button->SetVisible(Value);
}

void TFontPreviewPanel::SetRedrawLocked(bool Value) {
  FRedrawLocked = Value;
  if (!Value) Invalidate();
}

void TFontPreviewPanel::ArrangeButtons() {
  TCanvas* canvas = Canvas();
  canvas->Font()->SetName("Arial");
  canvas->Font()->SetSize(8);
  canvas->Font()->SetStyle(TFontStyles{});
  const int width = canvas->TextWidth("B") + 8;
  const int height = canvas->TextHeight("B") + 2;
  int right = ClientWidth() - 1;
  for (int i = 3; i >= 0; --i) {
    FButtons[i]->SetBounds(right - width, ClientHeight() - 2 - height, width, height);
    right -= width;
  }
}

unsigned TFontPreviewPanel::TextFlags() const {
  unsigned flags = DT_NOPREFIX | DT_VCENTER;
  flags |= FAlignment == taCenter ? DT_CENTER : FAlignment == taRightJustify ? DT_RIGHT : DT_LEFT;
  if (FEndEllipsis) flags |= DT_END_ELLIPSIS;
  flags |= FWordWrap ? DT_WORDBREAK : DT_SINGLELINE;
  return flags;
}

void TFontPreviewPanel::AdjustFontToText(const TRect& R) {
  TFont* font = Canvas()->Font();
  font->SetName(FFontName.empty() ? String("Arial") : FFontName);
  font->SetSize(8);
  font->SetStyle(CurrentFontStyles());
  const String caption = Caption();
  if (Trim(caption).empty()) return;
  RECT calc{R.Left, R.Top, R.Right - 1, R.Top + 1};
  RECT previous{0, 0, -1, -1};
  while (calc.bottom - calc.top <= HeightOfRect(R) && calc.right - calc.left <= WidthOfRect(R)) {
    Canvas()->RequiredState(TCanvasState{csHandleValid, csFontValid});
    DrawText(Canvas()->Handle(), caption.c_str(), static_cast<int>(caption.size()), &calc,
             TextFlags() | DT_CALCRECT | DT_NOPREFIX);
    const bool fits = calc.bottom - calc.top <= HeightOfRect(R) && calc.right - calc.left <= WidthOfRect(R);
    // A face whose sizes all measure alike would grow for ever: a step that changes nothing ends it.
    const bool unchanged = calc.left == previous.left && calc.top == previous.top && calc.right == previous.right &&
                           calc.bottom == previous.bottom;
    if (!fits || unchanged) {
      if (!fits && font->Size() > 8) font->SetSize(font->Size() - 1);
      break;
    }
    previous = calc;
    font->SetSize(font->Size() + 1);
  }
}

void TFontPreviewPanel::Paint() {
  TCanvas* canvas = Canvas();
  TRect r(0, 0, ClientWidth(), ClientHeight());
  canvas->Brush()->SetColor(Color());
  canvas->FillRect(RECT{r.Left, r.Top, r.Right, r.Bottom});
  canvas->Brush()->SetColor(FFrameColor);
  if (FFrameBorders.Contains(bLeft)) canvas->FillRect(RECT{r.Left, r.Top, r.Left + 1, r.Bottom});
  if (FFrameBorders.Contains(bTop)) canvas->FillRect(RECT{r.Left, r.Top, r.Right, r.Top + 1});
  if (FFrameBorders.Contains(bRight)) canvas->FillRect(RECT{r.Right - 1, r.Top, r.Right, r.Bottom});
  if (FFrameBorders.Contains(bBottom)) canvas->FillRect(RECT{r.Left, r.Bottom - 1, r.Right, r.Bottom});
  r = GrowRect(r, -2, -2);
  canvas->Brush()->SetStyle(bsClear);
  AdjustFontToText(r);
  const String caption = Caption();
  RECT t{r.Left, r.Top, r.Right, r.Bottom};
  canvas->RequiredState(TCanvasState{csHandleValid, csFontValid});
  SetBkMode(canvas->Handle(), TRANSPARENT);
  DrawText(canvas->Handle(), caption.c_str(), static_cast<int>(caption.size()), &t, TextFlags());
  canvas->Brush()->SetStyle(bsSolid);
}

void TFontPreviewPanel::ToggleFontStyle(TObject* Sender) {
  auto* button = dynamic_cast<TcxFontPanelButton*>(Sender);
  if (!button) return;
  const int tag = static_cast<int>(std::clamp<std::intptr_t>(button->Tag(), 0, 3));
  const TFontStyle styles[] = {fsBold, fsItalic, fsUnderline, fsStrikeOut};
  TFontStyles flags = FFontStyles;
  if (flags.Contains(styles[tag]))
    flags -= TFontStyles{styles[tag]};
  else
    flags += TFontStyles{styles[tag]};
  SetFontStyles(flags);
  if (FPreview) {
    FPreview->SetFontStyle(flags);
    if (FPreview->OnButtonClick) FPreview->OnButtonClick(this, static_cast<TcxFontButtonType>(tag));
  }
  Invalidate();
}

TBitmap* FontComboTTFGlyph() { return gTTFGlyph; }
TBitmap* FontComboNonTTFGlyph() { return gNonTTFGlyph; }

// ---- TcxCustomFontNameComboBoxProperties -----------------------------------------------------------------

TcxCustomFontNameComboBoxProperties::TcxCustomFontNameComboBoxProperties(TPersistent* AOwner)
    : TcxCustomFontNameComboBoxProperties(AOwner, TcxCustomEditPropertiesClasses{
                                                      EditButtonsClassOf<TcxEditButtons>(),
                                                      EditPropertiesValuesClassOf<TcxTextEditPropertiesValues>()}) {}

TcxCustomFontNameComboBoxProperties::TcxCustomFontNameComboBoxProperties(
    TPersistent* AOwner, const TcxCustomEditPropertiesClasses& Classes)
    : TcxCustomComboBoxProperties(AOwner, Classes) {
  Construct();
}

void TcxCustomFontNameComboBoxProperties::Construct() {
  SetDropDownListStyle(lsFixedList);
  FRecentFontList = std::make_unique<TcxMRUFontNameItems>(this);
  FRecentFontList->OnOwnerChanged = [this] { SignalChanged(); };
  FFontPreview = std::make_unique<TcxFontPreview>(this);
  FFontPreview->OnChanged = [this] { SignalChanged(); };
  StartFontLoading();
}

TcxCustomFontNameComboBoxProperties::~TcxCustomFontNameComboBoxProperties() {
  FRecentFontList->OnOwnerChanged = nullptr;
  FFontPreview->OnChanged = nullptr;
  StopFontLoader();
}

void TcxCustomFontNameComboBoxProperties::Assign(TPersistent* Source) {
  auto* source = dynamic_cast<TcxCustomFontNameComboBoxProperties*>(Source);
  if (!source || source == this) {
    TcxCustomComboBoxProperties::Assign(Source);
    return;
  }
  TcxEditPropertiesUpdate update(this);
  TcxCustomComboBoxProperties::Assign(Source);
  SetUseOwnFont(source->FUseOwnFont);
  SetFontTypes(source->FFontTypes);
  SetShowFontTypeIcon(source->FShowFontTypeIcon);
  SetFontPreview(source->FFontPreview.get());
  SetMaxMRUFonts(source->FMaxMRUFonts);
  OnAddedMRUFont = source->OnAddedMRUFont;
  OnMovedMRUFont = source->OnMovedMRUFont;
  OnDeletedMRUFont = source->OnDeletedMRUFont;
  OnLoadFontComplete = source->OnLoadFontComplete;
  FRecentFontList->Assign(source->FRecentFontList.get());
}

void TcxCustomFontNameComboBoxProperties::AssignItemsFrom(TcxCustomEditProperties* Source) {
  auto* target = dynamic_cast<TcxCustomFontNameComboBoxProperties*>(Source);
  if (!target || !FFontsReady) return;
  target->Items()->Assign(Items());
  target->FRecentFontList->Assign(FRecentFontList.get());
}

void TcxCustomFontNameComboBoxProperties::SetFontPreview(TcxFontPreview* Value) {
  FFontPreview->Assign(Value);
  SignalChanged();
}

void TcxCustomFontNameComboBoxProperties::SetFontTypes(TcxFontTypes Value) {
  if (Value == FFontTypes) return;
  FFontTypes = Value;
  FRecentFontList->Clear();
  StartFontLoading();
  SignalChanged();
}

void TcxCustomFontNameComboBoxProperties::SetMaxMRUFonts(int Value) {
  Value = std::clamp(Value, 0, 255);
  if (Value == FMaxMRUFonts) return;
  const bool lowered = Value < FMaxMRUFonts;
  FMaxMRUFonts = Value;
  if (!lowered) return;
  TrimMRUFonts();
  SignalChanged();
}

void TcxCustomFontNameComboBoxProperties::SetShowFontTypeIcon(TcxShowFontIconTypes Value) {
  if (Value == FShowFontTypeIcon) return;
  FShowFontTypeIcon = Value;
  SignalChanged();
}

void TcxCustomFontNameComboBoxProperties::SetUseOwnFont(bool Value) {
  if (Value == FUseOwnFont) return;
  FUseOwnFont = Value;
  SignalChanged();
}

// ---- loading ------------------------------------------------------------------------------------------------

void TcxCustomFontNameComboBoxProperties::StartFontLoading() {
  if (!FFontsReady || FLoader) {
    if (FLoader) FLoader->OnCompleted = nullptr;
    StopFontLoader();
  }
  FFontsReady = false;
  FLoader = new TcxFontLoader(FFontTypes);
  FLoader->OnCompleted = [this](TObject* Sender) { FontsLoaded(Sender); };
  FLoader->OnDestroy = [this](TObject* Sender) { LoaderGone(Sender); };
  FLoader->Start();
}

void TcxCustomFontNameComboBoxProperties::StopFontLoader() {
  if (!FLoader) return;
  // The loader frees itself; with its handlers cleared it reaches nobody here.
  FLoader->OnCompleted = nullptr;
  FLoader->OnDestroy = nullptr;
  FLoader->Terminate();
  FLoader = nullptr;
}

void TcxCustomFontNameComboBoxProperties::FontsLoaded(TObject* Sender) {
  auto* loader = dynamic_cast<TcxFontLoader*>(Sender);
  TStringList* items = Items();
  items->BeginUpdate();
  try {
    items->Clear();
    if (loader) items->Assign(loader->EnumeratedFonts());
  } catch (...) {
    items->EndUpdate();
    throw;
  }
  items->EndUpdate();
  FFontsReady = true;
  if (FontsLoadedInternally) FontsLoadedInternally(this);
  if (OnLoadFontComplete) OnLoadFontComplete(this);
  SignalChanged();
}

void TcxCustomFontNameComboBoxProperties::LoaderGone(TObject*) {
  if (FLoader) {
    FLoader->OnCompleted = nullptr;
    FLoader->OnDestroy = nullptr;
  }
  FLoader = nullptr;
  FFontsReady = true;
}

void TcxCustomFontNameComboBoxProperties::ResolveFontValue(const Variant& Value, int& Index, String& Text) {
  if (!FFontsReady) {
    Index = -1;
    Text = GetLocalizedResString(scxLoadingFonts);
  } else {
    Index = VarIsNull(Value) || VarIsEmpty(Value) ? -1 : Items()->IndexOf(VarToStr(Value));
    Text = Index >= 0 ? Items()->Strings(Index) : String();
  }
  ConvertDisplayText(Text);
}

bool TcxCustomFontNameComboBoxProperties::EditValuesEqual(const Variant& V1, const Variant& V2) {
  int index1 = -1, index2 = -1;
  String text;
  ResolveFontValue(V1, index1, text);
  ResolveFontValue(V2, index2, text);
  return index1 == index2;
}

bool TcxCustomFontNameComboBoxProperties::FindLookupText(const String& Text) {
  return !FFontsReady || TcxCustomComboBoxProperties::FindLookupText(Text);
}

// ---- MRU ------------------------------------------------------------------------------------------------------

int TcxCustomFontNameComboBoxProperties::AddMRUFont(const String& AFontName) {
  if (FMaxMRUFonts == 0) return 1;
  TStringList* items = Items();
  const int i = items->IndexOf(AFontName);
  if (i < 0) return 0;
  if (TcxMRUFontNameItem* known = FRecentFontList->FindFontName(items->Strings(i))) {
    const int m = MRUCount();
    if (i > 0 && i < m) {
      items->Move(i, 0);
      FRecentFontList->MoveFontName(known->Index(), 0);
      if (OnMovedMRUFont) OnMovedMRUFont(this);
      return 2;
    }
    return 1;
  }
  const String name = items->Strings(i);
  {
    TcxEditPropertiesUpdate update(this);
    FRecentFontList->InsertFontName(0, name);
    items->InsertObject(0, name, items->Objects(i));
    TrimMRUFonts();
  }
  if (OnAddedMRUFont) OnAddedMRUFont(this);
  return 3;
}

int TcxCustomFontNameComboBoxProperties::DeleteMRUFont(const String& AFontName) {
  TStringList* items = Items();
  const int i = items->IndexOf(AFontName);
  if (i < 0) return 0;
  TcxMRUFontNameItem* known = FRecentFontList->FindFontName(items->Strings(i));
  if (!known) return 0;
  const String name = items->Strings(i);
  FRecentFontList->Delete(known->Index());
  items->Delete(i);
  if (OnDeletedMRUFont) OnDeletedMRUFont(this, name);
  return 4;
}

void TcxCustomFontNameComboBoxProperties::TrimMRUFonts() {
  TcxEditPropertiesUpdate update(this);
  TStringList* items = Items();
  for (int i = MRUCount() - 1; i >= FMaxMRUFonts; --i) {
    const String name = FRecentFontList->Items(i)->FontName();
    FRecentFontList->Delete(i);
    if (i < items->Count()) items->Delete(i);
    if (OnDeletedMRUFont) OnDeletedMRUFont(this, name);
  }
}

// ---- classes --------------------------------------------------------------------------------------------------

TClass TcxCustomFontNameComboBoxProperties::EditClass() { return TcxFontNameComboBox::StaticClass(); }

TcxCustomEditViewDataClass TcxCustomFontNameComboBoxProperties::ViewDataClass() {
  return EditViewDataClassOf<TcxCustomFontNameComboBoxViewData>();
}

TcxContainerViewInfoClass TcxCustomFontNameComboBoxProperties::ViewInfoClass() {
  return ContainerViewInfoClassOf<TcxCustomFontNameComboBoxViewInfo>();
}

TClass TcxCustomFontNameComboBoxProperties::LookupDataClass() { return TcxFontNameComboBoxLookupData::StaticClass(); }

void TcxFontNameComboBoxProperties::DeclareProperties(TPropTable& t) {
  using P = TcxFontNameComboBoxProperties;
  t.Add("Alignment", &P::Alignment, &P::SetAlignment).Stored(&P::IsAlignmentStored);
  t.Add("AssignedValues", &P::TextAssignedValues, &P::SetTextAssignedValues);
  t.Add("BeepOnError", &P::BeepOnError, &P::SetBeepOnError).SetDefault(false);
  t.Add("ButtonGlyph", &P::ButtonGlyphValue, &P::SetButtonGlyph).Stored(&P::ButtonGlyphStored);
  t.Add("CharCase", &P::CharCase, &P::SetCharCase).SetDefault(ecNormal);
  t.Add("ClearKey", &P::ClearKey, &P::SetClearKey).SetDefault(0);
  t.Add("DropDownAutoWidth", &P::DropDownAutoWidth, &P::SetDropDownAutoWidth).SetDefault(true);
  t.Add("DropDownRows", &P::DropDownRows, &P::SetDropDownRows).SetDefault(8);
  t.Add("DropDownSizeable", &P::DropDownSizeable, &P::SetDropDownSizeable).SetDefault(false);
  t.Add("DropDownWidth", &P::DropDownWidth, &P::SetDropDownWidth).SetDefault(0);
  t.Add("FontPreview", &P::FontPreview, &P::SetFontPreview);
  t.Add("FontTypes", &P::FontTypes, &P::SetFontTypes).SetDefault(AllFontTypes());
  t.Add("HideSelection", &P::HideSelection, &P::SetHideSelection).SetDefault(true);
  t.Add("ImeMode", &P::ImeMode, &P::SetImeMode).SetDefault(imDontCare);
  t.Add("ImeName", &P::ImeName, &P::SetImeName);
  t.Add("ImmediateDropDown", &P::ImmediateDropDown, &P::SetImmediateDropDown).SetDefault(true);
  t.Add("ImmediatePost", &P::ImmediatePost, &P::SetImmediatePost).SetDefault(false);
  t.Add("ImmediateUpdateText", &P::ImmediateUpdateText, &P::SetImmediateUpdateText).SetDefault(false);
  t.Add("ItemHeight", &P::ItemHeight, &P::SetItemHeight).SetDefault(0);
  t.Add("MaxMRUFonts", &P::MaxMRUFonts, &P::SetMaxMRUFonts).SetDefault(10);
  t.Add("OEMConvert", &P::OEMConvert, &P::SetOEMConvert).SetDefault(false);
  t.Add("PopupAlignment", &P::PopupAlignment, &P::SetPopupAlignment).SetDefault(taLeftJustify);
  t.Add("PostPopupValueOnTab", &P::PostPopupValueOnTab, &P::SetPostPopupValueOnTab).SetDefault(false);
  t.Add("ReadOnly", &P::ReadOnly, &P::SetReadOnly).NoDefault().Stored(&P::IsReadOnlyStored);
  t.Add("ShowFontTypeIcon", &P::ShowFontTypeIcon, &P::SetShowFontTypeIcon)
      .SetDefault(TcxShowFontIconTypes{ftiShowInCombo, ftiShowInList});
  t.Add("UseOwnFont", &P::UseOwnFont, &P::SetUseOwnFont).SetDefault(false);
  t.Add("ValidateOnEnter", &P::ValidateOnEnter, &P::SetValidateOnEnter).SetDefault(true);
  t.Add("OnAddedMRUFont", &P::OnAddedMRUFont);
  t.Add("OnChange", &P::OnChange);
  t.Add("OnCloseUp", &P::OnCloseUp);
  t.Add("OnDeletedMRUFont", &P::OnDeletedMRUFont);
  t.Add("OnDrawItem", &P::OnDrawItem);
  t.Add("OnEditValueChanged", &P::OnEditValueChanged);
  t.Add("OnInitPopup", &P::OnInitPopup);
  t.Add("OnLoadFontComplete", &P::OnLoadFontComplete);
  t.Add("OnMeasureItem", &P::OnMeasureItem);
  t.Add("OnMovedMRUFont", &P::OnMovedMRUFont);
  t.Add("OnNewLookupDisplayText", &P::OnNewLookupDisplayText);
  t.Add("OnPopup", &P::OnPopup);
  t.Add("OnValidate", &P::OnValidate);
}

// ---- view data and view info ------------------------------------------------------------------------------------

void TcxCustomFontNameComboBoxViewData::CalculateLayout(TcxCanvas* ACanvas, const TRect& ABounds, const TPoint& P,
                                                        int AButton, TShiftState AShift,
                                                        TcxCustomEditViewInfo* AViewInfo, bool AIsMouseEvent) {
  TcxCustomDropDownEditViewData::CalculateLayout(ACanvas, ABounds, P, AButton, AShift, AViewInfo, AIsMouseEvent);
  if (ABounds.Right == cxMaxEditBound || ABounds.Bottom == cxMaxEditBound) return;
  auto* info = static_cast<TcxCustomFontNameComboBoxViewInfo*>(AViewInfo);
  info->ShowFontTypeIcon = FontProperties()->ShowFontTypeIcon();
  TBitmap* glyph = FontComboTTFGlyph();
  if (info->ShowFontTypeIcon.Contains(ftiShowInCombo) && glyph) {
    const TRect& client = info->ClientRect;
    const int left = client.Left + (IsInplace ? 3 : 4);
    const int top = client.Top + (HeightOfRect(client) - glyph->Height()) / 2;
    info->ImageRect = TRect(left, top, left + glyph->Width(), top + glyph->Height());
    info->TextRect.Left = info->ImageRect.Right + 6;
  } else {
    info->ImageRect = TRect();
  }
  if (!IsInplace) info->SelectionBar = false;
}

void TcxCustomFontNameComboBoxViewData::PrepareDisplayValue(TcxCanvas* ACanvas, const Variant& Value,
                                                            TcxCustomEditViewInfo* AViewInfo) {
  TcxCustomDropDownEditViewData::PrepareDisplayValue(ACanvas, Value, AViewInfo);
  ValueToDisplayText(Value, static_cast<TcxCustomTextEditViewInfo*>(AViewInfo));
}

void TcxCustomFontNameComboBoxViewData::ValueToDisplayText(const Variant& Value,
                                                           TcxCustomTextEditViewInfo* AViewInfo) {
  auto* info = static_cast<TcxCustomFontNameComboBoxViewInfo*>(AViewInfo);
  FontProperties()->ResolveFontValue(Value, info->CurrentIndex, info->Text);
  if (PreviewMode) info->Text.clear();
  info->IsTrueType = info->CurrentIndex >= 0 &&
                     FontTypesFromFlags(FlagsAt(FontProperties()->Items(), info->CurrentIndex)).Contains(cxftTTF);
}

TSize TcxCustomFontNameComboBoxViewData::ContentSizeForValue(TcxCanvas* ACanvas, const Variant& Value,
                                                             const TcxEditSizeProperties& Request) {
  TSize size = TcxCustomDropDownEditViewData::ContentSizeForValue(ACanvas, Value, Request);
  int index = -1;
  String text;
  FontProperties()->ResolveFontValue(Value, index, text);
  if (index >= 0 && FontProperties()->ShowFontTypeIcon().Contains(ftiShowInCombo) && FontComboTTFGlyph())
    size.cx += FontComboTTFGlyph()->Width() + 4;
  return size;
}

void TcxCustomFontNameComboBoxViewInfo::ShiftBy(int DX, int DY) {
  TcxCustomTextEditViewInfo::ShiftBy(DX, DY);
  ImageRect = ShiftRect(ImageRect, DX, DY, true);
}

void TcxCustomFontNameComboBoxViewInfo::PaintBody(TcxCanvas* ACanvas) {
  TcxCustomTextEditViewInfo::PaintBody(ACanvas);
  if (CurrentIndex < 0 || !ShowFontTypeIcon.Contains(ftiShowInCombo)) return;
  if (TBitmap* glyph = TypeGlyph(IsTrueType))
    DrawGlyphOnCanvas(ACanvas, ImageRect.Left, ImageRect.Top, nullptr, clNone, Enabled, glyph);
}

// ---- the list box -----------------------------------------------------------------------------------------------

TcxCustomFontNameComboBoxProperties* TcxFontNameComboBoxListBox::FontProperties() {
  TcxCustomComboBox* combo = OwnerComboBox();
  return combo ? dynamic_cast<TcxCustomFontNameComboBoxProperties*>(combo->ActiveProperties()) : nullptr;
}

int TcxFontNameComboBoxListBox::ItemHeightAt(int Index) {
  TcxCustomFontNameComboBoxProperties* p = FontProperties();
  if (!p) return TcxCustomComboBoxListBox::ItemHeightAt(Index);
  int height = p->ItemHeight();
  if (height <= 0) {
    height = TcxCustomEditListBox::ItemHeightAt(-1);
    TBitmap* glyph = FontComboTTFGlyph();
    if (p->UseOwnFont())
      height += 4;
    else if (glyph && glyph->Height() >= height)
      height = glyph->Height() + 4;
  }
  TcxCustomComboBox* combo = OwnerComboBox();
  if (Index >= 0 && combo && combo->HasMeasureItemHandler()) combo->FireMeasureItem(Index, ListCanvas(), height);
  if (Index >= 0 && Index == p->MRUCount() - 1) height += 3;
  return height;
}

int TcxFontNameComboBoxListBox::ItemWidthAt(int Index) {
  TcxCustomFontNameComboBoxProperties* p = FontProperties();
  if (!p || !p->UseOwnFont() || Index < 0 || Index >= p->Items()->Count())
    return TcxCustomComboBoxListBox::ItemWidthAt(Index);
  TFont* font = Canvas()->Font();
  const String savedName = font->Name();
  const TFontCharset savedCharset = font->Charset();
  const String name = p->Items()->Strings(Index);
  int width = 0;
  if (FlagsAt(p->Items(), Index) & cxffSymbol) {
    font->SetName("Arial");
    width = Canvas()->TextWidth(name) + 4;
    font->SetName(name);
    font->SetCharset(SYMBOL_CHARSET);
    width += Canvas()->TextWidth(name);
  } else {
    font->SetName(name);
    width = Canvas()->TextWidth(name);
  }
  font->SetName(savedName);
  font->SetCharset(savedCharset);
  return width;
}

void TcxFontNameComboBoxListBox::DrawItem(int Index, RECT Rect, TOwnerDrawState State) {
  TRect r(Rect.left, Rect.top, Rect.right, Rect.bottom);
  if (CustomDrawItem(Index, r, State)) return;
  TcxCustomFontNameComboBoxProperties* p = FontProperties();
  if (!p || Index < 0 || Index >= p->Items()->Count()) {
    TcxCustomComboBoxListBox::DrawItem(Index, Rect, State);
    return;
  }
  TCanvas* canvas = Canvas();
  canvas->FillRect(Rect);
  const bool lastMRU = Index == p->MRUCount() - 1;
  if (lastMRU) r.Bottom -= 3;
  const int flags = FlagsAt(p->Items(), Index);
  int textLeft = r.Left + 2;
  if (p->ShowFontTypeIcon().Contains(ftiShowInList))
    if (TBitmap* glyph = TypeGlyph(FontTypesFromFlags(flags).Contains(cxftTTF))) {
      const int top = r.Top + (HeightOfRect(r) - glyph->Height()) / 2;
      DrawGlyphOnCanvas(ListCanvas(), r.Left + 4, top, nullptr, clNone, true, glyph);
      textLeft = r.Left + 4 + glyph->Width() + 10;
    }
  const String name = p->Items()->Strings(Index);
  unsigned textFlags = DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX;
  if (BiDiMode() != bdLeftToRight) textFlags |= DT_RIGHT | DT_RTLREADING;
  RECT t{textLeft, r.Top, r.Right, r.Bottom};
  SetBkMode(canvas->Handle(), TRANSPARENT);
  TFont* font = canvas->Font();
  const String savedName = font->Name();
  const TFontCharset savedCharset = font->Charset();
  if (p->UseOwnFont() && (flags & cxffSymbol)) {
    // A symbol face cannot spell its own name: the name in Arial, then in the face itself.
    font->SetName("Arial");
    canvas->RequiredState(TCanvasState{csHandleValid, csFontValid});
    DrawText(canvas->Handle(), name.c_str(), static_cast<int>(name.size()), &t, textFlags);
    t.left += canvas->TextWidth(name) + 4;
    font->SetName(name);
    font->SetCharset(SYMBOL_CHARSET);
  } else if (p->UseOwnFont()) {
    font->SetName(name);
  }
  canvas->RequiredState(TCanvasState{csHandleValid, csFontValid});
  DrawText(canvas->Handle(), name.c_str(), static_cast<int>(name.size()), &t, textFlags);
  font->SetName(savedName);
  font->SetCharset(savedCharset);
  if (lastMRU) DrawMRUSeparator(canvas, TRect(Rect.left, Rect.top, Rect.right, Rect.bottom), State.Contains(odSelected));
}

// ---- the lookup data -------------------------------------------------------------------------------------------

void TcxFontNameComboBoxLookupData::ReselectMRUFont() {
  auto* p = dynamic_cast<TcxCustomFontNameComboBoxProperties*>(OwnerEditProperties());
  if (!p || CurrentItemKey() < p->MRUCount() || CurrentItemKey() >= p->Items()->Count()) return;
  ChangeCurrentItem(p->Items()->IndexOf(p->Items()->Strings(CurrentItemKey())));
}

TcxCustomFontNameComboBoxProperties* TcxFontNameComboBoxLookupData::FontProperties() const {
  return dynamic_cast<TcxCustomFontNameComboBoxProperties*>(OwnerEditProperties());
}

bool TcxFontNameComboBoxLookupData::PreviewShown() const {
  TcxCustomFontNameComboBoxProperties* p = FontProperties();
  return p && p->FontPreview()->Visible();
}

String TcxFontNameComboBoxLookupData::PreviewTextFor() {
  TcxCustomFontNameComboBoxProperties* p = FontProperties();
  if (!p) return String();
  switch (p->FontPreview()->PreviewType()) {
    case cxfpCustom: return p->FontPreview()->PreviewText();
    case cxfpFullAlphabet: return "ABCDEFGHIJKLMNOPQRSTUVWXYZ abcdefghijklmnopqrstuvwxyz 1234567890";
    default: {
      const int key = ListItemIndex() >= 0 ? ListItemIndex() : CurrentItemKey();
      return key >= 0 && key < p->Items()->Count() ? p->Items()->Strings(key) : String();
    }
  }
}

bool TcxFontNameComboBoxLookupData::FitListToSizeHook(const TSize& Request) {
  if (!PreviewShown()) return TcxComboBoxLookupData::FitListToSizeHook(Request);
  if (Request.cy >= 1 && Request.cy <= TFontPreviewPanel::kHeight) return false;
  return TcxComboBoxLookupData::FitListToSizeHook(TSize(Request.cx, Request.cy - TFontPreviewPanel::kHeight));
}

void TcxFontNameComboBoxLookupData::PrepareListBoxHook(TComponent* AOwner) {
  TcxComboBoxLookupData::PrepareListBoxHook(AOwner);
  TcxCustomFontNameComboBoxProperties* p = FontProperties();
  auto* popup = dynamic_cast<TWinControl*>(AOwner);
  if (!p || !popup || !popup->HandleAllocated()) return;
  if (!p->FontPreview()->Visible()) {
    if (FPanel) FPanel->SetVisible(false);
    return;
  }
  if (!FPanel) {
    FPanel = new TFontPreviewPanel(AOwner);
    FPanelWatch = std::make_unique<TcxFreeNotificator>(nullptr);
    FPanelWatch->OnFreeNotification = [this](TComponent* C) {
      if (C == FPanel) FPanel = nullptr;
    };
    FPanelWatch->WatchComponent(FPanel);
  }
  TcxFontPreview* preview = p->FontPreview();
  FPanel->SetPreview(preview);
  FPanel->SetRedrawLocked(true);
  FPanel->SetFrameBorders(TcxBorders{bBottom});
  FPanel->SetCaption(PreviewTextFor());
  const int key = CurrentItemKey();
  FPanel->SetPreviewFontName(key >= 0 && key < p->Items()->Count() ? p->Items()->Strings(key) : String());
  FPanel->SetHeight(TFontPreviewPanel::kHeight);
  FPanel->SetFontStyles(preview->FontStyle());
  FPanel->SetColor(preview->Color());
  FPanel->SetEndEllipsis(preview->ShowEndEllipsis() && preview->PreviewType() != cxfpFontName);
  FPanel->SetAlignment(preview->Alignment());
  FPanel->SetWordWrap(preview->WordWrap() && preview->PreviewType() != cxfpFontName);
  FPanel->SetShowButtons(preview->ShowButtons());
  FPanel->SetRedrawLocked(false);
  FPanel->SetParent(popup);
  FPanel->SetVisible(true);
}

void TcxFontNameComboBoxLookupData::PlaceListBoxHook(const TRect& R) {
  if (!FPanel || !FPanel->Visible() || !PreviewShown()) {
    TcxComboBoxLookupData::PlaceListBoxHook(R);
    return;
  }
  FPanel->SetBounds(R.Left, R.Top, WidthOfRect(R), TFontPreviewPanel::kHeight);
  FPanel->ArrangeButtons();
  TcxComboBoxLookupData::PlaceListBoxHook(TRect(R.Left, R.Top + TFontPreviewPanel::kHeight, R.Right, R.Bottom));
}

void TcxFontNameComboBoxLookupData::TakeListSelection() {
  TcxComboBoxLookupData::TakeListSelection();
  TcxCustomFontNameComboBoxProperties* p = FontProperties();
  if (!FPanel || !p) return;
  FPanel->SetRedrawLocked(true);
  const int key = ListItemIndex();
  if (key >= 0 && key < p->Items()->Count()) FPanel->SetPreviewFontName(p->Items()->Strings(key));
  if (p->FontPreview()->PreviewType() != cxfpFullAlphabet) FPanel->SetCaption(PreviewTextFor());
  FPanel->SetRedrawLocked(false);
}

TSize TcxFontNameComboBoxLookupData::MeasureListHook() {
  TSize size = MeasureList(0, 0);
  if (PreviewShown()) size.cy += TFontPreviewPanel::kHeight;
  auto* p = dynamic_cast<TcxCustomFontNameComboBoxProperties*>(OwnerEditProperties());
  TBitmap* glyph = FontComboTTFGlyph();
  const int extra = p && glyph && p->ShowFontTypeIcon().Contains(ftiShowInCombo) ? glyph->Width() + 10 : 2;
  size.cx += extra;
  if (TcxCustomEditListBox* list = ListBox()) list->SetScrollWidth(list->ScrollWidth() + extra);
  return size;
}

// ---- the editor ---------------------------------------------------------------------------------------------------

TcxCustomFontNameComboBox::TcxCustomFontNameComboBox(TComponent* AOwner)
    : TcxCustomFontNameComboBox(AOwner, TcxCustomEditClasses{TcxCustomFontNameComboBoxProperties::StaticClass(),
                                                             TcxCustomFontNameComboBoxInnerEdit::StaticClass(),
                                                             EditDataBindingClassOf<TcxEditDataBinding>()}) {}

TcxCustomFontNameComboBox::TcxCustomFontNameComboBox(TComponent* AOwner, const TcxCustomEditClasses& Classes)
    : TcxCustomComboBox(AOwner, Classes) {
  HookFontsLoaded();
}

TcxCustomFontNameComboBox::~TcxCustomFontNameComboBox() {
  if (auto* own = dynamic_cast<TcxCustomFontNameComboBoxProperties*>(Properties()))
    own->FontsLoadedInternally = nullptr;
}

void TcxCustomFontNameComboBox::HookFontsLoaded() {
  if (auto* own = dynamic_cast<TcxCustomFontNameComboBoxProperties*>(Properties()))
    own->FontsLoadedInternally = [this](TObject* Sender) { FontsLoadedInEditor(Sender); };
}

void TcxCustomFontNameComboBox::InitializeEditor() {
  TcxCustomComboBox::InitializeEditor();
  HookFontsLoaded();
}

void TcxCustomFontNameComboBox::SetFontName(const String& AFontName) {
  if (AFontName.empty()) {
    FPendingFontName.clear();
    SetItemIndex(-1);
    return;
  }
  TcxCustomFontNameComboBoxProperties* p = ActiveFontProperties();
  if (p->IsLoading())
    FPendingFontName = AFontName;
  else
    SetItemIndex(p->Items()->IndexOf(AFontName));
}

void TcxCustomFontNameComboBox::FontsLoadedInEditor(TObject*) {
  if (!FPendingFontName.empty()) {
    const String name = FPendingFontName;
    FPendingFontName.clear();
    SetFontName(name);
    return;
  }
  if (TcxCustomTextEditLookupData* lookup = LookupData())
    lookup->ChangeCurrentItem(ActiveFontProperties()->Items()->IndexOf(VarToStr(EditValue())));
  RefreshDrawnValue();
}

void TcxCustomFontNameComboBox::WriteItemIndex(int Value) {
  if (ActiveFontProperties()->IsLoading()) return;
  TcxCustomComboBox::WriteItemIndex(Value);
}

void TcxCustomFontNameComboBox::InternalSetEditValue(const Variant& Value, bool ValidateValue) {
  if (ComponentState().Contains(csDestroying)) return;
  TcxCustomComboBox::InternalSetEditValue(Value, ValidateValue);
}

void TcxCustomFontNameComboBox::EndPostEditValue() {
  if (IsInPlace() && FSelectionAccepted) FMRUUpdateRequested = true;
  TcxCustomComboBox::EndPostEditValue();
}

void TcxCustomFontNameComboBox::ApplyAcceptedFont() {
  if (FSelectionAccepted && (FMRUUpdateRequested || Modified())) {
    TcxCustomFontNameComboBoxProperties* p = ActiveFontProperties();
    const int i = p->Items()->IndexOf(Text());
    const String name = i >= 0 ? p->Items()->Strings(i) : Text();
    const int r = p->AddMRUFont(name);
    if (r == 1 || r == 2)
      if (auto* lookup = dynamic_cast<TcxFontNameComboBoxLookupData*>(LookupData())) lookup->ReselectMRUFont();
  }
  FSelectionAccepted = false;
  FMRUUpdateRequested = false;
}

bool TcxCustomFontNameComboBox::CheckEditValue() {
  const bool result = TcxCustomComboBox::CheckEditValue();
  ApplyAcceptedFont();
  return result;
}

void TcxCustomFontNameComboBox::CloseDropDown(TcxPopupCloseReason Reason) {
  if (Reason == pcrTab || Reason == pcrToggle || Reason == pcrAccept) FSelectionAccepted = true;
  TcxCustomComboBox::CloseDropDown(Reason);
  ApplyAcceptedFont();
}

void TcxCustomFontNameComboBox::PopupControlSize(TSize& Size) {
  TcxCustomComboBox::PopupControlSize(Size);
  if (ActiveFontProperties()->FontPreview()->Visible()) Size.cy += TFontPreviewPanel::kHeight;
}

// ---- TcxFontNameComboBox ------------------------------------------------------------------------------------------

TcxFontNameComboBox::TcxFontNameComboBox(TComponent* AOwner)
    : TcxCustomFontNameComboBox(AOwner, TcxCustomEditClasses{TcxFontNameComboBoxProperties::StaticClass(),
                                                             TcxCustomFontNameComboBoxInnerEdit::StaticClass(),
                                                             EditDataBindingClassOf<TcxEditDataBinding>()}) {}

void TcxFontNameComboBox::DeclareProperties(TPropTable& t) {
  stdctrls_detail::PublishWinControl(t);
  t.Redeclare("TabStop").SetDefault(true);
  using E = TcxFontNameComboBox;
  t.Add("AutoSize", &E::AutoSizeValue, &E::SetAutoSize).SetDefault(true);
  t.Add("BeepOnEnter", &E::BeepOnEnter, &E::SetBeepOnEnter).SetDefault(true);
  t.Add("Properties", &E::Properties, &E::SetProperties);
  t.Add("Style", &E::Style, &E::SetStyle);
  t.Add("StyleDisabled", &E::StyleDisabled, &E::SetStyleDisabled);
  t.Add("StyleFocused", &E::StyleFocused, &E::SetStyleFocused);
  t.Add("StyleHot", &E::StyleHot, &E::SetStyleHot);
  t.Add("Text", &E::TextValue, &E::SetTextValueOf);
}

TcxFilterOperatorSet TcxFilterFontNameComboBoxHelper::SupportedFilterOperators(TcxCustomEditProperties*,
                                                                              TcxValueTypeClass,
                                                                              bool Extended) const {
  return Extended ? 0x6606 : 0x0606;
}

// ---- registration -------------------------------------------------------------------------------------------------

void FontNameComboBoxUnitStartup() {
  if (gUnitStarts++ > 0) return;
  RegisterClass(TcxFontNameComboBox::StaticClass());
  EditPropertiesClassRegistry()->AddClass(TcxFontNameComboBoxProperties::StaticClass(),
                                          GetLocalizedResString(scxSEditRepositoryFontNameComboBoxItem));
  gTTFGlyph = LoadGlyph("CXFONTCOMBO_TTF");
  gNonTTFGlyph = LoadGlyph("CXFONTCOMBO_NONTTF");
  FilterEditsControllerInstance()->AddHelper(TcxFontNameComboBoxProperties::StaticClass(),
                                             FilterEditHelperClass<TcxFilterFontNameComboBoxHelper>());
}

void FontNameComboBoxUnitShutdown() {
  if (gUnitStarts == 0 || --gUnitStarts > 0) return;
  FilterEditsControllerInstance()->RemoveHelper(TcxFontNameComboBoxProperties::StaticClass(),
                                                FilterEditHelperClass<TcxFilterFontNameComboBoxHelper>());
  EditPropertiesClassRegistry()->RemoveClass(TcxFontNameComboBoxProperties::StaticClass());
  delete gTTFGlyph;
  delete gNonTTFGlyph;
  gTTFGlyph = gNonTTFGlyph = nullptr;
}
