#include "dialogs/PictureParameters.h"

#include <cmath>

#include "console/GridConsole.h"
#include "console/ScreenFrame.h"
#include "console/WallGrid.h"
#include "platform/classes/SysUtils.h"
#include "platform/system/Clock.h"

TForm4* Form4 = nullptr;

namespace {

// The ">>>" panel of this dialog.
constexpr TWidthToggle kWidthToggle{400, 711, 100};

// The texts of this dialog alone that change with the interface language.
constexpr TCaptionRow kOwnCaptions[] = {
    {"tsCOLORTEMP", "色温调整", "COLOR TEMP"},
    {"ColorAdjust", "色彩调整", "COLOR ADJUST"},
    {"lblBrightLevelYellow", "黄色", "Yellow"},
    {"lblBrightLevelPurple", "紫色", "Purple"},
    {"lblBrightLevelCyan", "青色", "Cyan"},
    {"lblBrightLevelGray", "灰色", "Gray"},
    {"lblDarkLevelYellow", "黄色", "Yellow"},
    {"lblDarkLevelPurple", "紫色", "Purple"},
    {"lblDarkLevelCyan", "青色", "Cyan"},
    {"lblDarkLevelGray", "灰色", "Gray"},
};

// The frames a swatch press sends, by the row's prefix: each gain with its pause after it.
struct TSwatchFrame {
  int Command;
  int PauseMs;
};
struct TSwatchRow {
  const char* Prefix;
  bool Grey;  // the grey row counts down from 146 at its white end, the others up from 110
  std::array<TSwatchFrame, 3> Frames;
  int Count;
};

constexpr TSwatchRow kSwatchRowFrames[] = {
    {"BtnYel", false, {{{scRedGain, 100}, {scGreenGain, 50}}}, 2},
    {"BtnPur", false, {{{scRedGain, 100}, {scBlueGain, 50}}}, 2},
    {"BtnRed", false, {{{scRedGain, 50}}}, 1},
    {"BtnChi", false, {{{scGreenGain, 100}, {scBlueGain, 50}}}, 2},
    {"BtnGre", false, {{{scGreenGain, 50}}}, 1},
    {"BtnBlu", false, {{{scBlueGain, 100}}}, 1},
    {"BtnGra", true, {{{scRedGain, 100}, {scGreenGain, 100}, {scBlueGain, 100}}}, 3},
};

// The three primaries over a white ground, each circle lighting its own channel, so the overlaps
// mix as light does: yellow, magenta, cyan and a white centre.
void DrawPrimaries(TImage* Image) {
  constexpr int kWidth = 145, kHeight = 146, kRadius = 42;
  struct Circle {
    int X, Y;
    std::uint32_t Channel;
    const char* Letter;
  };
  const Circle circles[] = {{72, 48, 0xFF0000, "R"}, {48, 92, 0x00FF00, "G"}, {96, 92, 0x0000FF, "B"}};
  TBitmap* bitmap = Image->Picture()->Bitmap();
  bitmap->SetPixelFormat(pf32bit);
  bitmap->SetSize(kWidth, kHeight);
  for (int y = 0; y < kHeight; ++y) {
    auto* row = static_cast<std::uint32_t*>(bitmap->ScanLine(y));
    for (int x = 0; x < kWidth; ++x) {
      std::uint32_t light = 0;
      bool inside = false;
      for (const Circle& c : circles) {
        if ((x - c.X) * (x - c.X) + (y - c.Y) * (y - c.Y) <= kRadius * kRadius) {
          light |= c.Channel;
          inside = true;
        }
      }
      row[x] = inside ? light : 0xFFFFFF;
    }
  }
  TCanvas* canvas = bitmap->Canvas();
  canvas->Brush()->SetStyle(bsClear);
  canvas->Font()->SetName("Tahoma");
  canvas->Font()->SetHeight(-14);
  canvas->Font()->SetStyle(TFontStyles{fsBold});
  canvas->Font()->SetColor(clWhite);
  // Each letter on its own circle, away from the overlaps.
  canvas->TextOut(68, 10, circles[0].Letter);
  canvas->TextOut(14, 100, circles[1].Letter);
  canvas->TextOut(122, 100, circles[2].Letter);
}

}  // namespace

TForm4::TForm4(TComponent* AOwner) : TPictureDialog(AOwner, kWidthToggle, kOwnCaptions) {
  RegisterHandler("FormCreate", &TForm4::FormCreate);
  RegisterHandler("FormShow", &TForm4::FormShow);
  RegisterHandler("BitBtn8Click", &TForm4::BitBtn8Click);
  RegisterHandler("Button1Click", &TForm4::Button1Click);
  RegisterHandler("Button2Click", &TForm4::Button2Click);
  RegisterHandler("Button4Click", &TForm4::Button4Click);
  RegisterHandler("SpeedButton43Click", &TForm4::SpeedButton43Click);
  RegisterHandler("SpeedButton44Click", &TForm4::SpeedButton44Click);
  RegisterHandler("btn1Click", &TForm4::btn1Click);
  const TScreenSender send = [this](int Command, int Value) { Send(Command, Value); };
  RegisterPictureStepHandlers(this, send);
  RegisterMixedColourHandlers(this, send);
}

TForm4::~TForm4() {
  if (Form4 == this) Form4 = nullptr;
}

void TForm4::Loaded() {
  TPictureDialog::Loaded();
  FindComponent(img1, "img1");
  FindComponent(lbl10, "lbl10");
  FindComponent(lbl11, "lbl11");
  FindComponent(lbl12, "lbl12");
  FindComponent(lbl13, "lbl13");
  FindComponent(lbl14, "lbl14");
  FindComponent(lbl4, "lbl4");
  FindComponent(lbl5, "lbl5");
  FindComponent(lbl6, "lbl6");
  FindComponent(edt1, "edt1");
  FindComponent(edt2, "edt2");
  FindComponent(edt3, "edt3");
  FindComponent(btn1, "btn1");
}

void TForm4::Send(int Command, int Value) { Form1->SendScreenCommand(Command, Value); }

void TForm4::FormCreate(TObject*) {
  DrawPrimaries(img1);
  BuildPalette([this](TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y) {
    SwatchMouseDown(Sender, Button, Shift, X, Y);
  });
}

void TForm4::FormShow(TObject*) {
  // The grid's own selection, which it holds from the start: the fields the commands address are only
  // written by a mouse release over the grid.
  Label2->SetCaption(WallSelectionText(Form1->stringgrid1->Selection()));
  ApplyLanguage(Form1->Language);
  cxPageControl1->SetActivePage(tsCOLORTEMP);
}

void TForm4::BitBtn8Click(TObject*) { Send(scSystemReset, 1); }
void TForm4::Button1Click(TObject*) { Send(scAutoPosition, 1); }
void TForm4::Button2Click(TObject*) { Send(scSaveSettings, 1); }
void TForm4::Button4Click(TObject*) { Send(scAutoColor, 1); }

void TForm4::SendBacklight(int Value) {
  Send(scBacklight, Value);
  win::Sleep(100);
  Send(scBacklightAlt, Value);
}

void TForm4::SpeedButton43Click(TObject*) { SendBacklight(0); }
void TForm4::SpeedButton44Click(TObject*) { SendBacklight(1); }

void TForm4::btn1Click(TObject*) {
  // Each edit is read just before its frame: a bad entry stops there, with the frames before it sent.
  Send(scRedGain, StrToInt(edt1->Text()));
  win::Sleep(100);
  Send(scGreenGain, StrToInt(edt2->Text()));
  win::Sleep(100);
  Send(scBlueGain, StrToInt(edt3->Text()));
}

void TForm4::SwatchMouseDown(TObject* Sender, TMouseButton, TShiftState, int, int) {
  auto* swatch = static_cast<TRzPanel*>(Sender);
  const String prefix = Copy(swatch->Name(), 1, 6);
  const int h = StrToInt(swatch->Hint());
  SelectSwatch(swatch);
  for (const TSwatchRow& row : kSwatchRowFrames) {
    if (prefix != row.Prefix) continue;
    const int gain = row.Grey ? 146 - h : h + 110;
    for (int i = 0; i < row.Count; ++i) {
      Send(row.Frames[static_cast<std::size_t>(i)].Command, gain);
      win::Sleep(static_cast<win::DWORD>(row.Frames[static_cast<std::size_t>(i)].PauseMs));
    }
  }
}

namespace {

const bool kRegistered = [] {
  RegisterClassesOf<TForm4>();
  return true;
}();

}  // namespace
