#pragma once
// The memo's properties: scroll bars, a height given in visible lines, line breaks and tabs typed
// into the text, and word wrap; its value shown outside editing is the first line, cut short.
#include "platform/classes/StdCtrls.h"
#include "ui/editors/TextEditProperties.h"
#include "ui/editors/TextEditViewInfo.h"

class TcxCustomMemoProperties : public TcxCustomTextEditProperties {
  VW_CLASS(TcxCustomMemoProperties, TcxCustomTextEditProperties)
 public:
  explicit TcxCustomMemoProperties(TPersistent* AOwner);

  void Assign(TPersistent* Source) override;

  TScrollStyle ScrollBars() const { return FScrollBars; }
  void SetScrollBars(TScrollStyle Value);
  int VisibleLineCount() const { return FVisibleLineCount; }
  // A negative count is 0.
  void SetVisibleLineCount(int Value);
  bool WantReturns() const { return FWantReturns; }
  void SetWantReturns(bool Value);
  bool WantTabs() const { return FWantTabs; }
  void SetWantTabs(bool Value);
  bool WordWrap() const { return FWordWrap; }
  void SetWordWrap(bool Value);

  bool WantsTabs() override { return FWantTabs; }
  bool IsMultiLine() override { return true; }
  int SupportedOperations() override { return TcxCustomTextEditProperties::SupportedOperations() | 0x800; }
  String ValueDisplayText(const Variant& Value) override { return MemoDisplayText(Value, false); }
  TcxCustomEditViewDataClass ViewDataClass() override;
  TClass EditClass() override;
  TcxContainerViewInfoClass ViewInfoClass() override;
  // A BLOB of the data store is edited as it is stored.
  int EditValueSource(bool) override;
  // Outside editing: up to the first line break and at most 250 characters, unless FullText.
  String MemoDisplayText(const Variant& Value, bool FullText);

 private:
  TScrollStyle FScrollBars = ssNone;
  int FVisibleLineCount = 0;
  bool FWantReturns = true;
  bool FWantTabs = false;
  bool FWordWrap = true;
};

// Multi-line text: wrapped unless a horizontal scroll bar shows, tabs expanded, as many rows as
// VisibleLineCount asks, and a trailing line break measured as a line of its own.
class TcxCustomMemoViewData : public TcxCustomTextEditViewData {
  VW_CLASS(TcxCustomMemoViewData, TcxCustomTextEditViewData)
 public:
  using TcxCustomTextEditViewData::TcxCustomTextEditViewData;

  TcxCustomMemoProperties* MemoProperties() const { return static_cast<TcxCustomMemoProperties*>(Properties); }

  TcxTextLayoutFlags TextDrawFlags() override;
  void TextAreaBounds(TRect& R) override;
  int ContentLineCount() override;
  TSize ContentMarginsTotal() override;
  TSize ContentSizeForMeasure(TcxCanvas* ACanvas, const Variant& Value, const TcxEditSizeProperties& Request) override;
  TSize EditContentSize(TcxCanvas* ACanvas, const Variant& Value, const TcxEditSizeProperties& Request) override;
  // A horizontal scroll bar adds its height; VisibleLineCount lines of "Zg" are the least height.
  void ButtonsMinimumHeight(TcxCanvas* ACanvas, TSize& Extent, TcxCustomEditViewInfo* AViewInfo, TSize& Minimum,
                            const TcxEditSizeProperties& Request) override;

 private:
  TSize MeasureText(TcxCanvas* ACanvas, const Variant& Value, const TcxEditSizeProperties& Request, bool TrailingBreak);
};

class TcxMemoProperties : public TcxCustomMemoProperties {
  VW_CLASS(TcxMemoProperties, TcxCustomMemoProperties)
 public:
  explicit TcxMemoProperties(TPersistent* AOwner) : TcxCustomMemoProperties(AOwner) {}
  static void DeclareProperties(TPropTable& t);

  // The horizontal part of the alignment.
  TAlignment HorzAlignment() { return Alignment()->Horz(); }
  void SetHorzAlignment(TAlignment Value) { Alignment()->SetHorz(Value); }

 private:
  bool HorzAlignmentStored() { return Alignment()->IsHorzAssigned(); }
  bool MaxLengthStored() { return TextAssignedValues()->MaxLength(); }
};
