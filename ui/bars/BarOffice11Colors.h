#pragma once
// The Office-2003 colour table under the names the bar library reads it by: the same entries and
// brushes as the foundation's table, so a rebuild after a system-colour or theme change reaches
// every reader at once. Nothing here holds a colour of its own.
#include "ui/foundation/Office11Colors.h"

inline TColor& Office11DockColor1 = Office11FaceColor;
inline TColor& Office11DockColor2 = Office11LightFaceColor;
inline TColor& Office11ToolbarColor1 = Office11GradientLightColor;
inline TColor& Office11ToolbarColor2 = Office11GradientDarkColor;
inline TColor& Office11ToolbarBorderColor = Office11ToneColor7;
inline TColor& Office11ToolbarCornerColor = Office11ToneColor8;
inline TColor& Office11BarSeparatorColor = Office11LineShadowColor;
inline TColor& Office11MarkGlyphColor = Office11ContrastTextColor;
inline TColor& Office11MarkGlyphLightColor = Office11ContrastBackColor;
inline TColor& Office11FloatBorderColor = Office11FilterPanelColor;
inline TColor& Office11FloatInnerBorderColor = Office11FilterPanelLightColor;
inline TColor& Office11FloatCaptionFillColor = Office11Color27;
inline TColor& Office11FloatCaptionColor = Office11Color28;
inline TColor& Office11FloatCaptionTextColor = Office11FilterPanelTextColor;
inline TColor& Office11CaptionGlyphHotColor = Office11Color30;
inline TColor& Office11CaptionGlyphDownColor = Office11Color31;
inline TColor& Office11DroppedColor1 = Office11Color33;
inline TColor& Office11DroppedColor2 = Office11Color34;
inline TColor& Office11MenuColumnColor1 = Office11Color35;
inline TColor& Office11MenuColumnColor2 = Office11Color36;
inline TColor& Office11RarelyUsedColumnColor1 = Office11Color37;
inline TColor& Office11RarelyUsedColumnColor2 = Office11Color38;
inline TColor& Office11HotColor1 = Office11HotColor;
inline TColor& Office11HotColor2 = Office11HotLightColor;
inline TColor& Office11DownColor1 = Office11PressedColor;
inline TColor& Office11DownColor2 = Office11Color46;
inline TColor& Office11ControlColor = Office11Color47;
inline TColor& Office11DownFallbackColor = Office11Color48;
inline TColor& Office11PushHeaderColor = Office11Color55;
inline TColor& Office11SelectedTextColor = Office11Color57;

// The mark's colours by mark state: 0 normal, 1 hot, 2 pressed.
inline TColor Office11MarkStartColor(int State) { return Office11ColorTable[4 + State]; }
inline TColor Office11MarkEndColor(int State) { return Office11ColorTable[7 + State]; }
inline TColor Office11MarkCornerColor(int State) { return Office11ColorTable[12 + State]; }
inline TColor Office11MarkEdgeColor(int State) { return Office11ColorTable[15 + State]; }

inline win::HBRUSH& Office11ControlBrush = Office11Color47Brush;
inline win::HBRUSH& Office11DownBrush = Office11Color48Brush;
inline win::HBRUSH& Office11DownHotBrush = Office11Color49Brush;
inline win::HBRUSH& Office11DetachCaptionBrush = Office11Color50Brush;
inline win::HBRUSH& Office11SeparatorBrush = Office11LineShadowBrush;
inline win::HBRUSH& Office11SeparatorLightBrush = Office11LineHighlightBrush;
inline win::HBRUSH& Office11HeaderBandBrush = Office11GroupByBoxBrush;
