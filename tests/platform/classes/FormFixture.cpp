#include "tests/platform/classes/FormFixture.h"

#include <map>
#include <memory>

#include "platform/gdi/Gdi.h"
#include "platform/system/Resources.h"
#include "platform/win/Controls.h"
#include "platform/win/Keys.h"

namespace formtest {

using namespace win;

std::vector<std::string> FormTest::boxes;

namespace {

int RecordingMessageBox(HWND, const String& Text, const String& Caption, int) {
  FormTest::boxes.push_back(Caption + "|" + Text);
  return IDOK;
}

void PublishCommon(TPropTable& t) {
  t.Add("Align", &TControl::Align, &TControl::SetAlign).SetDefault(alNone);
  t.Add("Anchors", &TControl::Anchors, &TControl::SetAnchors).SetDefault(TAnchors{akLeft, akTop});
  t.Add("Caption", &TControl::Caption, &TControl::SetCaption);
  t.Add("Color", &TControl::Color, &TControl::SetColor).Idents(ColorToIdent, IdentToColor);
  t.Add("Constraints", &TControl::Constraints, &TControl::SetConstraints);
  t.Add("Enabled", &TControl::Enabled, &TControl::SetEnabled).SetDefault(true);
  t.Add("Font", &TControl::Font, &TControl::SetFont);
  t.Add("ParentColor", &TControl::ParentColor, &TControl::SetParentColor);
  t.Add("ParentFont", &TControl::ParentFont, &TControl::SetParentFont).SetDefault(true);
  t.Add("ShowHint", &TControl::ShowHint, &TControl::SetShowHint);
  t.Add("Visible", &TControl::Visible, &TControl::SetVisible).SetDefault(true);
  t.Add("OnClick", &TControl::OnClick);
  t.Add("OnMouseDown", &TControl::OnMouseDown);
}

}  // namespace

TDemoPanel::TDemoPanel(TComponent* AOwner) : TCustomControl(AOwner) {
  FControlStyle.Include(csAcceptsControls);
  SetBounds(0, 0, 185, 41);
  SetColor(clBtnFace);
}

void TDemoPanel::DeclareProperties(TPropTable& t) {
  PublishCommon(t);
  t.Add("TabOrder", &TWinControl::TabOrder, &TWinControl::SetTabOrder).SetDefault(-1);
  t.Add("TabStop", &TWinControl::TabStop, &TWinControl::SetTabStop).SetDefault(false);
}

void TDemoPanel::Paint() {
  win::RECT r = ClientRect();
  Canvas()->Brush()->SetColor(Color());
  Canvas()->FillRect(r);
  Canvas()->Pen()->SetColor(clBtnShadow);
  Canvas()->Brush()->SetStyle(bsClear);
  Canvas()->Rectangle(r);
  win::SIZE sz = Canvas()->TextExtent(Caption());
  Canvas()->TextOut((r.right - sz.cx) / 2, (r.bottom - sz.cy) / 2, Caption());
}

TDemoButton::TDemoButton(TComponent* AOwner) : TCustomControl(AOwner) {
  SetBounds(0, 0, 75, 25);
  SetTabStop(true);
  SetColor(clBtnFace);
}

void TDemoButton::DeclareProperties(TPropTable& t) {
  PublishCommon(t);
  t.Add("TabOrder", &TWinControl::TabOrder, &TWinControl::SetTabOrder).SetDefault(-1);
  t.Add("TabStop", &TWinControl::TabStop, &TWinControl::SetTabStop).SetDefault(true);
  t.Add("Default", &TDemoButton::Default).SetDefault(false);
  t.Add("Cancel", &TDemoButton::Cancel).SetDefault(false);
  t.Add("ModalResult", &TDemoButton::ModalResult).SetDefault(0);
}

void TDemoButton::Click() {
  if (TCustomForm* form = GetParentForm(); form && ModalResult != mrNone) form->SetModalResult(ModalResult);
  TCustomControl::Click();
}

void TDemoButton::Dispatch(TMessage& Message) {
  if (Message.Msg == CM_DIALOGKEY) {
    auto key = static_cast<WORD>(Message.WParam);
    if (((key == VK_RETURN && Default) || (key == VK_ESCAPE && Cancel)) && CanFocus()) {
      Click();
      Message.Result = 1;
    }
    return;
  }
  TCustomControl::Dispatch(Message);
}

void TDemoButton::Paint() {
  win::RECT r = ClientRect();
  HDC dc = Canvas()->Handle();
  Canvas()->Brush()->SetColor(Color());
  Canvas()->FillRect(r);
  DrawEdge(dc, &r, EDGE_RAISED, BF_RECT);
  if (Default) {
    Canvas()->Brush()->SetColor(clBlack);
    Canvas()->FrameRect(r);
  }
  Canvas()->Brush()->SetStyle(bsClear);
  win::SIZE sz = Canvas()->TextExtent(Caption());
  Canvas()->TextOut((r.right - sz.cx) / 2, (r.bottom - sz.cy) / 2, Caption());
  if (Focused()) {
    win::RECT f{4, 4, r.right - 4, r.bottom - 4};
    Canvas()->DrawFocusRect(f);
  }
}

TDemoLabel::TDemoLabel(TComponent* AOwner) : TGraphicControl(AOwner) { SetBounds(0, 0, 65, 13); }

void TDemoLabel::DeclareProperties(TPropTable& t) { PublishCommon(t); }

void TDemoLabel::Paint() {
  Canvas()->Brush()->SetStyle(bsClear);
  Canvas()->TextOut(0, 0, Caption());
}

void RegisterFormText(const char* className, const std::string& text) {
  // Resources are kept by reference: the text lives as long as the program.
  static std::map<std::string, std::unique_ptr<std::string>> keep;
  auto& slot = keep[className];
  slot = std::make_unique<std::string>(text);
  auto* entry = new platform::ResourceEntry{"FORM", className,
                                            reinterpret_cast<const unsigned char*>(slot->data()), slot->size()};
  static std::vector<std::unique_ptr<platform::ResourceEntry>> entries;
  entries.emplace_back(entry);
  platform::RegisterResources(entry, 1);
}

void FormTest::SetUp() {
  platform::InstallDisplay(platform::CreateHeadlessDisplay(1024, 768));
  boxes.clear();
  TApplication::SetMessageBoxFunc(RecordingMessageBox);
  static bool registered = false;
  if (!registered) {
    RegisterClassesOf<TDemoPanel, TDemoButton, TDemoLabel>();
    registered = true;
  }
  InitializeForms();
  Application->Initialize();
}

void FormTest::TearDown() {
  FinalizeForms();
  TApplication::SetMessageBoxFunc(nullptr);
  platform::ResetDisplay();
}

void FormTest::Pump() {
  MSG m;
  for (int guard = 0; guard < 1000 && PeekMessage(&m, nullptr, 0, 0, PM_NOREMOVE); ++guard)
    Application->ProcessMessages();
}

void FormTest::RunFor(std::uint64_t ms) {
  std::uint64_t end = clock->NowMs() + ms;
  Pump();
  while (clock->NowMs() < end) {
    clock->Advance(1);
    Pump();
  }
}

void FormTest::Key(unsigned vk) {
  Headless().InjectKey(vk, true);
  Pump();
  Headless().InjectKey(vk, false);
  Pump();
}

void FormTest::Chord(unsigned modifier, unsigned vk) {
  Headless().InjectKey(modifier, true);
  Pump();
  Key(vk);
  Headless().InjectKey(modifier, false);
  Pump();
}

void FormTest::ClickAt(POINT p, int button) {
  Headless().InjectMouseMove(p.x, p.y);
  Pump();
  Headless().InjectMouseButton(button, true);
  Pump();
  Headless().InjectMouseButton(button, false);
  Pump();
}

std::uint32_t FormTest::ScreenPixel(int x, int y) {
  Pump();
  int w = 0, h = 0;
  auto pixels = Headless().ComposeScreen(w, h);
  if (x < 0 || y < 0 || x >= w || y >= h) return 0xDEADBEEF;
  return pixels[static_cast<std::size_t>(y) * w + x] & 0xFFFFFF;
}

}  // namespace formtest
