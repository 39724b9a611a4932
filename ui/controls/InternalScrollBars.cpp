#include "ui/controls/InternalScrollBars.h"

#include <algorithm>

#include "ui/controls/Control.h"
#include "ui/foundation/ObjectLinks.h"

using namespace win;

void ComputeScrollBarData(TcxControlScrollBarData& Data, bool AllowedByStyle, int Min, int Max, int Step, int Page,
                          int Pos, bool AllowShow, bool AllowHide) {
  AllowShow = AllowShow && AllowedByStyle;
  Data.AllowShow = AllowShow;
  Data.AllowHide = AllowHide;
  if (!AllowShow) {
    Data.Visible = false;
    return;
  }
  // Max - Min + 1 overflows 32 bits for a range across the whole integer line.
  if (Min > Max || Page >= static_cast<std::int64_t>(Max) - Min + 1 || Pos < Min) {
    if (AllowHide) {
      Data.Visible = false;
    } else {
      Data.Visible = true;
      Data.Enabled = false;
    }
    return;
  }
  Data.Min = Min;
  Data.Max = Max;
  Data.Position = Pos;
  Data.PageSize = Page;
  Data.SmallChange = static_cast<std::int16_t>(std::clamp(Step, 1, 32767));
  Data.LargeChange = static_cast<std::int16_t>(std::clamp(Page, 1, 32767));
  Data.Enabled = true;
  Data.Visible = true;
}

void RaiseInternalControl(TWinControl* Control) {
  if (!Control || !Control->Parent() || !Control->HandleAllocated()) return;
  SetWindowPos(Control->Handle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_DEFERERASE);
}

// ---- the internal bar ------------------------------------------------------------------------------

TcxControlScrollBar::TcxControlScrollBar(TComponent* AOwner) : TcxScrollBar(AOwner) {
  SetColor(clBtnFace);
  SetControlStyle(ControlStyle() - TControlStyle{csFramed} + TControlStyle{csNoDesignVisible});
  SetTabStop(false);
  SetVisible(false);
}

TcxControlScrollBar::~TcxControlScrollBar() { InvalidateObjectLinks(this); }

void TcxControlScrollBar::ApplyData() {
  if (Data.Visible) {
    ApplyScrollParams(Data.Min, Data.Max, Data.Position, Data.PageSize, true);
    SetSmallChange(Data.SmallChange);
    SetLargeChange(Data.LargeChange);
  }
  SetEnabled(Data.Enabled);
  if (Visible() != Data.Visible) SetVisible(Data.Visible);
}

void TcxControlScrollBar::FocusOwnerOnClick() {
  TWinControl* parent = Parent();
  if (!parent) return;
  if (auto* control = dynamic_cast<TcxControl*>(parent)) {
    if (control->FocusOnScrollBarClick(this)) control->SetFocus();
  } else if (parent->CanFocus()) {
    parent->SetFocus();
  }
}

void TcxControlScrollBar::WndProc(TMessage& Message) {
  if (Message.Msg == WM_LBUTTONDOWN) {
    TcxObjectLink* link = CreateObjectLink(this);
    try {
      FocusOwnerOnClick();
    } catch (...) {
      FreeObjectLink(link);
      throw;
    }
    bool alive = link->LinkedObject != nullptr;
    FreeObjectLink(link);
    if (!alive) return;
  } else if (Message.Msg == CM_DESIGNHITTEST) {
    // Operable inside the form designer.
    Message.Result = 1;
    return;
  }
  TcxScrollBar::WndProc(Message);
}

// ---- the size grip ---------------------------------------------------------------------------------

TcxSizeGrip::TcxSizeGrip(TComponent* AOwner) : TCustomControl(AOwner) {
  SetColor(clBtnFace);
  SetControlStyle(ControlStyle() + TControlStyle{csNoDesignVisible});
  FLookAndFeel = std::make_unique<TcxLookAndFeel>(this);
  FLookAndFeel->OnChanged = [this](TcxLookAndFeel*, TcxLookAndFeelValues) { Invalidate(); };
}

TcxSizeGrip::~TcxSizeGrip() { FLookAndFeel.reset(); }

void TcxSizeGrip::Paint() {
  TCanvas* c = Canvas();
  c->Brush()->SetColor(FLookAndFeel->ActivePainter()->DefaultSizeGripAreaColor());
  RECT r = ClientRect();
  c->FillRect(r);
}

void TcxSizeGrip::Dispatch(TMessage& Message) {
  if (Message.Msg == WM_ERASEBKGND) {
    Message.Result = 1;
    return;
  }
  TCustomControl::Dispatch(Message);
}
