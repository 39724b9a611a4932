#include "platform/classes/Buttons.h"

#include <algorithm>

#include "platform/classes/Forms.h"
#include "platform/gdi/Gdi.h"
#include "platform/win/Controls.h"
#include "platform/win/Rects.h"

using namespace win;

namespace {

struct KindInfo {
  const char* caption;
  TModalResult result;
};

// What each kind brings with it.
constexpr KindInfo kKinds[] = {{"", mrNone},          {"OK", mrOk},       {"Cancel", mrCancel}, {"&Help", mrNone},
                               {"&Yes", mrYes},       {"&No", mrNo},      {"&Close", mrNone},   {"Abort", mrAbort},
                               {"&Retry", mrRetry},   {"&Ignore", mrIgnore}, {"&All", mrAll}};

}  // namespace

TBitBtn::TBitBtn(TComponent* AOwner) : TButton(AOwner), FGlyph(new TBitmap) {
  FGlyph->OnChange = [this](TObject*) {
    FModifiedGlyph = true;
    Invalidate();
  };
}

TBitBtn::~TBitBtn() {
  FGlyph->OnChange = nullptr;
  delete FGlyph;
}

void TBitBtn::DeclareProperties(TPropTable& t) {
  t.Add("Glyph", &TBitBtn::Glyph, &TBitBtn::SetGlyph);
  t.Add("Kind", &TBitBtn::Kind, &TBitBtn::SetKind).SetDefault(bkCustom);
  t.Add("Layout", &TBitBtn::Layout, &TBitBtn::SetLayout).SetDefault(blGlyphLeft);
  t.Add("Margin", &TBitBtn::Margin, &TBitBtn::SetMargin).SetDefault(-1);
  t.Add("NumGlyphs", &TBitBtn::NumGlyphs, &TBitBtn::SetNumGlyphs).SetDefault(1);
  t.Add("Spacing", &TBitBtn::Spacing, &TBitBtn::SetSpacing).SetDefault(4);
  t.Add("Style", &TBitBtn::Style, &TBitBtn::SetStyle).SetDefault(bsAutoDetect);
}

void TBitBtn::SetGlyph(TBitmap* Value) {
  FGlyph->Assign(Value);
  // A glyph of several images side by side says how many it holds.
  if (Value && Value->Height() > 0 && Value->Width() % Value->Height() == 0) {
    int n = Value->Width() / Value->Height();
    if (n >= 1 && n <= 4) FNumGlyphs = n;
  }
  Invalidate();
}

void TBitBtn::SetNumGlyphs(TNumGlyphs Value) {
  Value = std::clamp(Value, 1, 4);
  if (Value == FNumGlyphs) return;
  FNumGlyphs = Value;
  Invalidate();
}

void TBitBtn::SetKind(TBitBtnKind Value) {
  if (Value == FKind) return;
  FKind = Value;
  // A stored description sets Caption and ModalResult itself, after Kind.
  if (Value != bkCustom && !HasState(csLoading)) {
    SetCaption(kKinds[Value].caption);
    SetModalResult(kKinds[Value].result);
  }
  Invalidate();
}

void TBitBtn::SetLayout(TButtonLayout Value) {
  if (Value == FLayout) return;
  FLayout = Value;
  Invalidate();
}

void TBitBtn::SetMargin(int Value) {
  if (Value == FMargin || Value < -1) return;
  FMargin = Value;
  Invalidate();
}

void TBitBtn::SetSpacing(int Value) {
  if (Value == FSpacing || Value < -1) return;
  FSpacing = Value;
  Invalidate();
}

void TBitBtn::Click() {
  // Close closes the form it stands on, without a modal result of its own.
  if (FKind == bkClose) {
    if (TCustomForm* form = ::GetParentForm(this)) {
      form->Close();
      TButtonControl::Click();
      return;
    }
  }
  TButton::Click();
}

void TBitBtn::CreateParams(TCreateParams& Params) {
  TButton::CreateParams(Params);
  Params.Style = (Params.Style & ~static_cast<DWORD>(BS_TYPEMASK)) | BS_OWNERDRAW;
}

void TBitBtn::WndProc(TMessage& Message) {
  switch (Message.Msg) {
    case CN_DRAWITEM:
      DrawItem(*reinterpret_cast<DRAWITEMSTRUCT*>(Message.LParam));
      Message.Result = 1;
      return;
    case CN_MEASUREITEM: {
      auto* mis = reinterpret_cast<MEASUREITEMSTRUCT*>(Message.LParam);
      mis->itemWidth = static_cast<UINT>(Width());
      mis->itemHeight = static_cast<UINT>(Height());
      Message.Result = 1;
      return;
    }
    case WM_LBUTTONDBLCLK:
      // A double click is two clicks on a button.
      Message.Msg = WM_LBUTTONDOWN;
      break;
    default:
      break;
  }
  TButton::WndProc(Message);
}

void TBitBtn::DrawItem(const DRAWITEMSTRUCT& Item) {
  HDC dc = Item.hDC;
  RECT r = Item.rcItem;
  bool down = (Item.itemState & ODS_SELECTED) != 0;
  bool focused = (Item.itemState & ODS_FOCUS) != 0;
  bool disabled = (Item.itemState & ODS_DISABLED) != 0;
  TCanvas c;
  c.SetHandle(dc);
  c.Font()->Assign(Font());
  // The default button has a dark frame around its face.
  if (Default() || focused) {
    c.Brush()->SetColor(clWindowFrame);
    c.FrameRect(r);
    InflateRect(&r, -1, -1);
  }
  DrawFrameControl(dc, &r, DFC_BUTTON, DFCS_BUTTONPUSH | (down ? DFCS_PUSHED : 0));
  RECT face = r;
  InflateRect(&face, -2, -2);
  if (down) OffsetRect(&face, 1, 1);

  // The glyph image for the state, and the caption's size.
  int gw = 0, gh = 0, index = 0;
  if (!FGlyph->Empty()) {
    gw = FGlyph->Width() / FNumGlyphs;
    gh = FGlyph->Height();
    if (disabled && FNumGlyphs > 1) index = 1;
    if (down && FNumGlyphs > 2) index = 2;
  }
  String caption = Caption();
  RECT textRect{0, 0, face.right - face.left, 0};
  c.RequiredState(TCanvasState{csHandleValid, csFontValid});
  DrawText(dc, caption.c_str(), -1, &textRect, DT_CALCRECT | DT_SINGLELINE);
  int tw = textRect.right - textRect.left, th = textRect.bottom - textRect.top;
  int spacing = (gw && !caption.empty()) ? std::max(FSpacing, 0) : 0;
  bool horizontal = FLayout == blGlyphLeft || FLayout == blGlyphRight;
  int total = horizontal ? gw + spacing + tw : gh + spacing + th;
  int avail = horizontal ? face.right - face.left : face.bottom - face.top;
  int start = FMargin >= 0 ? FMargin : (avail - total) / 2;
  int gx = 0, gy = 0, tx = 0, ty = 0;
  int cx = face.left, cy = face.top, fw = face.right - face.left, fh = face.bottom - face.top;
  switch (FLayout) {
    case blGlyphLeft:
      gx = cx + start;
      tx = gx + gw + spacing;
      gy = cy + (fh - gh) / 2;
      ty = cy + (fh - th) / 2;
      break;
    case blGlyphRight:
      gx = face.right - start - gw;
      tx = gx - spacing - tw;
      gy = cy + (fh - gh) / 2;
      ty = cy + (fh - th) / 2;
      break;
    case blGlyphTop:
      gy = cy + start;
      ty = gy + gh + spacing;
      gx = cx + (fw - gw) / 2;
      tx = cx + (fw - tw) / 2;
      break;
    case blGlyphBottom:
      gy = face.bottom - start - gh;
      ty = gy - spacing - th;
      gx = cx + (fw - gw) / 2;
      tx = cx + (fw - tw) / 2;
      break;
  }
  if (gw > 0) {
    // The glyph's bottom-left pixel is its see-through colour.
    TBitmap part;
    part.SetWidth(gw);
    part.SetHeight(gh);
    part.Canvas()->CopyRect(RECT{0, 0, gw, gh}, FGlyph->Canvas(), RECT{index * gw, 0, (index + 1) * gw, gh});
    part.SetTransparent(true);
    c.Draw(gx, gy, &part);
  }
  if (!caption.empty()) {
    RECT tr{tx, ty, tx + tw, ty + th};
    SetBkMode(dc, TRANSPARENT);
    if (disabled) {
      OffsetRect(&tr, 1, 1);
      SetTextColor(dc, ColorToRGB(clBtnHighlight));
      DrawText(dc, caption.c_str(), -1, &tr, DT_SINGLELINE | DT_CENTER | DT_VCENTER);
      OffsetRect(&tr, -1, -1);
      SetTextColor(dc, ColorToRGB(clBtnShadow));
    } else {
      SetTextColor(dc, ColorToRGB(Font()->Color()));
    }
    DrawText(dc, caption.c_str(), -1, &tr, DT_SINGLELINE | DT_CENTER | DT_VCENTER);
  }
  if (focused) {
    RECT f = r;
    InflateRect(&f, -4, -4);
    DrawFocusRect(dc, &f);
  }
  c.SetHandle(nullptr);
}

namespace {

// Form descriptions name these classes; the reader finds them here.
const bool kRegistered = [] {
  RegisterClassesOf<TBitBtn>();
  return true;
}();

}  // namespace
