#pragma once
// The radio buttons of the four built-in painters: every combination of look, state, check, focus
// and design mode rendered once, pixel by pixel, from a pattern measured on the radio button the
// window system draws itself. Painting one is then a single image-list draw; a change of the
// system colours renders them again before any control repaints.
#include <cstdint>
#include <vector>

#include "platform/classes/ImageList.h"
#include "ui/foundation/LookAndFeel.h"

class TcxRadioButtonImageList : public TObject {
  VW_CLASS(TcxRadioButtonImageList, TObject)
 public:
  // Measures, builds the pattern and renders every image.
  TcxRadioButtonImageList();
  ~TcxRadioButtonImageList() override;

  // BackColor clDefault leaves the pixels outside the circle as they were; any other colour puts
  // the glyph on an opaque square of it. cxbsDefault has no image of its own and draws as normal.
  void Draw(TCanvas* Canvas, int X, int Y, TColor BackColor, TcxLookAndFeelKind Kind, TcxButtonState State,
            bool Checked, bool Focused, bool IsDesigning);
  TSize Size() const;
  // Renders every image again in the current system colours; the measurements stay.
  void Reset();

  TCustomImageList* ImageList() const { return FImageList; }
  // The image of a glyph key: (State - 1) + Checked * 4 + Kind * 8 + IsDesigning * 32 + Focused * 64.
  int ImageIndexOf(int Key) const;
  // Pattern codes: 0 outside, 1 and 2 the outer ring's upper-left and lower-right halves, 3 and 4
  // the inner ring's, 5 the body, 6 the check dot.
  int PatternAt(int Row, int Column) const { return FPattern[static_cast<std::size_t>(Row * Size().cx + Column)]; }

 private:
  void Measure();
  void BuildPattern();
  void Render();

  TImageList* FImageList = nullptr;
  TBitmap* FButtonMask = nullptr;
  TRect FRadioRect;
  TRect FCheckRect;
  std::vector<std::uint8_t> FPattern;
};

// The shared instance, made and rendered on the first call.
TcxRadioButtonImageList* RadioButtonImages();
// The painters' shutdown frees the instance and clears the image-index table.
void FreeRadioButtonImages();

// The library's primary palette notifier: renders the radio buttons again before any
// look-and-feel hears of the new colours.
class TSystemPaletteChangedNotifier : public TcxSystemPaletteChangedNotifier {
  VW_CLASS(TSystemPaletteChangedNotifier, TcxSystemPaletteChangedNotifier)
 public:
  explicit TSystemPaletteChangedNotifier(bool IsPrimary = true) : TcxSystemPaletteChangedNotifier(IsPrimary) {}
  void NotifyPaletteChanged() override;
};
