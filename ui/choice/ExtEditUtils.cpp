#include "ui/choice/ExtEditUtils.h"

#include <memory>

#include "platform/classes/Bitmap.h"
#include "platform/win/Focus.h"

void DrawMRUSeparator(TCanvas* ACanvas, const TRect& R, bool ASelected) {
  ACanvas->Pen()->SetColor(ASelected ? clWindow : clWindowText);
  ACanvas->MoveTo(R.Left, R.Bottom - 3);
  ACanvas->LineTo(R.Right, R.Bottom - 3);
  ACanvas->MoveTo(R.Left, R.Bottom - 1);
  ACanvas->LineTo(R.Right, R.Bottom - 1);
}

int RectWidthOrZero(const TRect& R) { return R.Right > R.Left ? R.Right - R.Left : 0; }
int RectHeightOrZero(const TRect& R) { return R.Bottom > R.Top ? R.Bottom - R.Top : 0; }

namespace {

win::SIZE MeasureInFontCopy(TFont* AFont, const String& AText) {
  auto bitmap = std::make_unique<TBitmap>();
  bitmap->Canvas()->Font()->Assign(AFont);
  return bitmap->Canvas()->TextExtent(AText);
}

}  // namespace

int SampleTextHeight(TFont* AFont) { return MeasureInFontCopy(AFont, "Wg").cy; }
int MeasureFontTextWidth(TFont* AFont, const String& AText) { return MeasureInFontCopy(AFont, AText).cx; }

bool IsNullOrEmptyValue(const Variant& AValue) { return VarIsNull(AValue) || VarIsEmpty(AValue); }

bool IsIntegerText(const String& AText) {
  const String text = Trim(AText);
  int value;
  return !text.empty() && TryStrToInt(text, value);
}

int DigitsToInteger(const String& AText, bool AStopAtOther) {
  String digits;
  for (char c : AText) {
    if (c == '-' || (c >= '0' && c <= '9'))
      digits += c;
    else if (AStopAtOther)
      break;
  }
  return StrToInt(digits.empty() ? String("0") : digits);
}

bool TextToColor(const String& AText, TColor& AColor) {
  const String text = Trim(AText);
  if (text.empty()) return false;
  std::int64_t identified;
  if (IdentToColor(text, identified)) {
    AColor = static_cast<TColor>(identified);
    return true;
  }
  if (text[0] == '$') {
    AColor = StrToIntDef(text, 0);
    return true;
  }
  if (IsIntegerText(text)) {
    AColor = DigitsToInteger(text, false);
    return true;
  }
  return false;
}

TShiftState KeyboardShiftState() {
  win::BYTE state[256] = {};
  win::GetKeyboardState(state);
  return KeyboardStateToShiftState(state);
}

bool PrepareRotatedFont(TCanvas* ACanvas, TFont* AFont, int AAngle) {
  ACanvas->Font()->Assign(AFont);
  win::TEXTMETRICA metrics{};
  win::GetTextMetrics(ACanvas->Handle(), &metrics);
  const bool trueType = (metrics.tmPitchAndFamily & win::TMPF_TRUETYPE) != 0;
  if (trueType) {
    const int angle = (AAngle % 360 + 360) % 360;
    if (angle != 0) {
      win::LOGFONTA font{};
      win::GetObject(ACanvas->Font()->Handle(), sizeof(font), &font);
      font.lfEscapement = angle * 10;
      ACanvas->Font()->SetHandle(win::CreateFontIndirect(&font));
    }
  }
  return trueType;
}

TCollectionItem* InsertFilledItem(TCollection* ACollection, int AIndex,
                                  const std::function<void(TCollectionItem*)>& AFill) {
  ACollection->BeginUpdate();
  TCollectionItem* item = nullptr;
  try {
    item = ACollection->Insert(AIndex);
    AFill(item);
  } catch (...) {
    ACollection->EndUpdate();
    throw;
  }
  ACollection->EndUpdate();
  return item;
}

void MoveItemByCopy(TCollection* ACollection, int AFrom, int ATo) {
  if (AFrom == ATo) return;
  TCollectionItem* moved = ACollection->Items(AFrom);
  InsertFilledItem(ACollection, ATo, [moved](TCollectionItem* Copy) {
    Copy->Assign(moved);
    delete moved;
  });
}
