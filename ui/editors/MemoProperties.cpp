#include "ui/editors/MemoProperties.h"

#include <algorithm>

#include "platform/classes/SysUtils.h"
#include "platform/win/Metrics.h"
#include "ui/editors/Memo.h"

namespace {

constexpr int kDisplayTextLimit = 250;

}  // namespace

TcxCustomMemoProperties::TcxCustomMemoProperties(TPersistent* AOwner) : TcxCustomTextEditProperties(AOwner) {
  Alignment()->SetVert(taTopJustify);
  SetAutoSelect(false);
}

void TcxCustomMemoProperties::Assign(TPersistent* Source) {
  auto* source = dynamic_cast<TcxCustomMemoProperties*>(Source);
  if (!source || source == this) {
    TcxCustomTextEditProperties::Assign(Source);
    return;
  }
  LockUpdate();
  try {
    TcxCustomTextEditProperties::Assign(Source);
    SetScrollBars(source->ScrollBars());
    SetVisibleLineCount(source->VisibleLineCount());
    SetWantReturns(source->WantReturns());
    SetWantTabs(source->WantTabs());
    SetWordWrap(source->WordWrap());
  } catch (...) {
    UnlockUpdate(true);
    throw;
  }
  UnlockUpdate(true);
}

void TcxCustomMemoProperties::SetScrollBars(TScrollStyle Value) {
  if (Value == FScrollBars) return;
  FScrollBars = Value;
  SignalChanged();
}

void TcxCustomMemoProperties::SetVisibleLineCount(int Value) {
  if (Value < 0) Value = 0;
  if (Value == FVisibleLineCount) return;
  FVisibleLineCount = Value;
  SignalChanged();
}

void TcxCustomMemoProperties::SetWantReturns(bool Value) {
  if (Value == FWantReturns) return;
  FWantReturns = Value;
  SignalChanged();
}

void TcxCustomMemoProperties::SetWantTabs(bool Value) {
  if (Value == FWantTabs) return;
  FWantTabs = Value;
  SignalChanged();
}

void TcxCustomMemoProperties::SetWordWrap(bool Value) {
  if (Value == FWordWrap) return;
  FWordWrap = Value;
  SignalChanged();
}

String TcxCustomMemoProperties::MemoDisplayText(const Variant& Value, bool FullText) {
  // Never in the editing form: the memo shows its value as it is.
  String text = ValueDisplayTextFor(Value, true);
  if (FullText) return text;
  const std::size_t lineEnd = text.find_first_of("\r\n");
  if (lineEnd != String::npos) text.resize(lineEnd);
  // Characters, not bytes: a cut never splits one.
  std::size_t bytes = 0;
  for (int chars = 0; bytes < text.size() && chars < kDisplayTextLimit; ++chars) {
    const unsigned char lead = static_cast<unsigned char>(text[bytes]);
    bytes += lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
  }
  if (bytes < text.size()) text.resize(bytes);
  return text;
}

TcxCustomEditViewDataClass TcxCustomMemoProperties::ViewDataClass() {
  return EditViewDataClassOf<TcxCustomMemoViewData>();
}

TClass TcxCustomMemoProperties::EditClass() { return TcxMemo::StaticClass(); }

TcxContainerViewInfoClass TcxCustomMemoProperties::ViewInfoClass() {
  return ContainerViewInfoClassOf<TcxCustomMemoViewInfo>();
}

int TcxCustomMemoProperties::EditValueSource(bool) {
  IcxEditDefaultValuesProvider* provider = DefaultValuesProvider();
  return provider && provider->IsBlobValue() ? 0 : 1;
}

// ---- TcxCustomMemoViewData -----------------------------------------------------------------------------

TcxTextLayoutFlags TcxCustomMemoViewData::TextDrawFlags() {
  TcxCustomMemoProperties* p = MemoProperties();
  TcxTextLayoutFlags flags = tlfEditControl;
  if (p->WordWrap() && p->ScrollBars() != ssHorizontal && p->ScrollBars() != ssBoth)
    flags |= tlfWordBreak | tlfCharBreak;
  if (HorzAlignment == taRightJustify)
    flags |= tlfAlignRight;
  else if (HorzAlignment == taCenter)
    flags |= tlfCenterHorz;
  return flags | tlfKeepLeft | tlfExpandTabs;
}

void TcxCustomMemoViewData::TextAreaBounds(TRect& R) { R = IsInplace ? TRect(1, 1, 1, 1) : TRect(1, 1, 1, 3); }

int TcxCustomMemoViewData::ContentLineCount() {
  const int lines = MemoProperties()->VisibleLineCount();
  return lines > 0 ? lines : TcxCustomTextEditViewData::ContentLineCount();
}

TSize TcxCustomMemoViewData::ContentMarginsTotal() {
  TRect r;
  TextAreaBounds(r);
  return TSize(r.Left + r.Right, r.Top + r.Bottom);
}

TSize TcxCustomMemoViewData::MeasureText(TcxCanvas* ACanvas, const Variant& Value,
                                         const TcxEditSizeProperties& Request, bool TrailingBreak) {
  String text;
  DisplayTextForValue(Value, text);
  if (TrailingBreak && !text.empty() && (text.back() == '\r' || text.back() == '\n')) text += "\r\n";
  return MeasureEditorText(ACanvas, this, text, MemoProperties()->VisibleLineCount(), Request, TextDrawFlags());
}

TSize TcxCustomMemoViewData::ContentSizeForMeasure(TcxCanvas* ACanvas, const Variant& Value,
                                                   const TcxEditSizeProperties& Request) {
  return MeasureText(ACanvas, Value, Request, true);
}

TSize TcxCustomMemoViewData::EditContentSize(TcxCanvas* ACanvas, const Variant& Value,
                                             const TcxEditSizeProperties& Request) {
  return MeasureText(ACanvas, Value, Request, false);
}

void TcxCustomMemoViewData::ButtonsMinimumHeight(TcxCanvas* ACanvas, TSize& Extent, TcxCustomEditViewInfo* AViewInfo,
                                                 TSize& Minimum, const TcxEditSizeProperties& Request) {
  TcxCustomTextEditViewData::ButtonsMinimumHeight(ACanvas, Extent, AViewInfo, Minimum, Request);
  TcxCustomMemoProperties* p = MemoProperties();
  if (Edit && (p->ScrollBars() == ssHorizontal || p->ScrollBars() == ssBoth))
    Extent.cy += win::GetSystemMetrics(win::SM_CYHSCROLL);
  const int lines = p->VisibleLineCount();
  if (lines <= 0 || !ACanvas) return;
  ACanvas->AssignFont(EditStyle()->DisplayFont());
  Minimum.cy = std::max(Minimum.cy, ContentMarginsTotal().cy + lines * ACanvas->MeasureTextHeight("Zg"));
}

void TcxMemoProperties::DeclareProperties(TPropTable& t) {
  using P = TcxMemoProperties;
  t.Add("Alignment", &P::HorzAlignment, &P::SetHorzAlignment).NoDefault().Stored(&P::HorzAlignmentStored);
  t.Add("AssignedValues", &P::TextAssignedValues, &P::SetTextAssignedValues);
  t.Add("AutoSelect", &P::AutoSelect, &P::SetAutoSelect).SetDefault(false);
  t.Add("CharCase", &P::CharCase, &P::SetCharCase).SetDefault(ecNormal);
  t.Add("ClearKey", &P::ClearKey, &P::SetClearKey).SetDefault(0);
  t.Add("HideSelection", &P::HideSelection, &P::SetHideSelection).SetDefault(true);
  t.Add("ImeMode", &P::ImeMode, &P::SetImeMode).SetDefault(imDontCare);
  t.Add("ImeName", &P::ImeName, &P::SetImeName);
  t.Add("MaxLength", &P::MaxLength, &P::SetMaxLength).NoDefault().Stored(&P::MaxLengthStored);
  t.Add("OEMConvert", &P::OEMConvert, &P::SetOEMConvert).SetDefault(false);
  t.Add("ReadOnly", &P::ReadOnly, &P::SetReadOnly).NoDefault().Stored(&P::IsReadOnlyStored);
  t.Add("ScrollBars", &P::ScrollBars, &P::SetScrollBars).SetDefault(ssNone);
  t.Add("VisibleLineCount", &P::VisibleLineCount, &P::SetVisibleLineCount).SetDefault(0);
  t.Add("WantReturns", &P::WantReturns, &P::SetWantReturns).SetDefault(true);
  t.Add("WantTabs", &P::WantTabs, &P::SetWantTabs).SetDefault(false);
  t.Add("WordWrap", &P::WordWrap, &P::SetWordWrap).SetDefault(true);
  t.Add("OnChange", &P::OnChange);
  t.Add("OnEditValueChanged", &P::OnEditValueChanged);
  t.Add("OnValidate", &P::OnValidate);
}
