#pragma once
// The per-skin lookup table: every group, element, colour and property a skin painter may need,
// resolved once per skin change into named members, so that painting never searches by name.
// Missing groups are added and most missing elements get a placeholder (a red cross), so a
// painter always finds something to draw.
#include <vector>

#include "ui/foundation/Interfaced.h"
#include "ui/skins/Skin.h"

class TdxSkinInfo;

// One scroll-bar part: the element and the image index that shows it.
class TdxSkinScrollInfo : public TObject {
  VW_CLASS(TdxSkinScrollInfo, TObject)
 public:
  TdxSkinScrollInfo(TdxSkinElement* AElement, int AImageIndex) : Element(AElement), ImageIndex(AImageIndex) {}
  // Whether there is an element to draw.
  bool DrawOnDC(win::HDC DC, const win::RECT& R, int AImageIndex, TdxSkinElementState State);
  bool DrawState(win::HDC DC, const win::RECT& R, TdxSkinElementState State) {
    return DrawOnDC(DC, R, ImageIndex, State);
  }
  TdxSkinElement* Element;
  int ImageIndex;
};

class IdxSkinHolder : public virtual IInterface {
 public:
  virtual TdxSkin* CurrentSkin() = 0;
};

// What a member holds.
enum TdxSkinInfoKind {
  ikGroup,
  ikElement,
  ikColor,
  ikInteger,
  ikBoolean,
  ikRect,
  ikString,
  ikColorValue,
  ikIntegerValue,
  ikBooleanValue
};

// One member of the table: where it is looked up, and in which step of the resolution.
struct TdxSkinInfoEntry {
  int Step;
  TdxSkinInfoKind Kind;
  const char* Member;
  // Null for the skin itself.
  const char* Group;
  // The element whose property this is; null for elements and for group or skin properties.
  const char* Element;
  const char* Name;
  // Elements only: the skin gets a placeholder when it lacks the element.
  bool Placeholder;
  // The member's storage; Index picks the entry of an array member.
  void* (*Slot)(TdxSkinInfo& Info, int Index);
  int Index;
};

// Elements: step, group, element name, placeholder flag.
#define VW_SKININFO_ELEMENTS(X)                                                                              \
  X(2, Bars, Bar, true) X(2, Bars, BarCustomize, true) X(2, Bars, BarCustomizeVertical, true)               \
  X(2, Bars, BarDragGrip, true) X(2, Bars, BarDragGripVertical, true) X(2, Bars, MDIButtonClose, true)      \
  X(2, Bars, MDIButtonMinimize, true) X(2, Bars, MDIButtonRestore, true) X(2, Bars, BarSeparator, true)     \
  X(2, Bars, BarVertical, true) X(2, Bars, BarSeparatorVertical, true) X(2, Bars, Dock, true)               \
  X(2, Bars, FloatBar, true) X(2, Bars, ItemSeparator, true) X(2, Bars, LinkStatic, true)                   \
  X(2, Bars, LinkSelected, true) X(2, Bars, MainMenu, true) X(2, Bars, MainMenuCustomize, false)            \
  X(2, Bars, MainMenuDrag, false) X(2, Bars, MainMenuLinkSelected, true) X(2, Bars, MainMenuVertical, true) \
  X(2, Bars, PopupMenu, true) X(2, Bars, PopupMenuCheck, true) X(2, Bars, PopupMenuExpandButton, true)      \
  X(2, Bars, PopupMenuLinkSelected, true) X(2, Bars, PopupMenuSeparator, true)                              \
  X(2, Bars, PopupMenuSideStrip, true) X(2, Bars, PopupMenuSideStripNonRecent, true)                        \
  X(2, Bars, PopupMenuDropDownButtonLabel, true) X(2, Bars, PopupMenuDropDownButtonArrow, true)             \
  X(3, Bars, StatusBar, true) X(3, Form, FormContent, true)                                                \
  X(5, Docking, TabHeaderBackground, true) X(5, Docking, TabHeaderLine, true)                               \
  X(5, Docking, TabHeaderAutoHideBar, true) X(5, Docking, DockWindowButton, true)                           \
  X(5, Docking, DockWindowButtonGlyphs, true) X(5, Docking, TabHeader, true) X(5, Docking, AutoHideBar, true) \
  X(5, Docking, AutoHideBarLeft, true) X(5, Docking, AutoHideBarRight, true)                                \
  X(5, Docking, AutoHideBarBottom, true) X(5, Docking, DockWindowCaption, true)                             \
  X(5, Docking, DockWindowBorder, true)                                                                     \
  X(6, Common, Button, true) X(6, Grid, PlusMinus, true)                                                    \
  X(7, Grid, FooterCell, true) X(7, Grid, FooterPanel, true)                                                \
  X(8, Editors, Checkbox, true) X(8, Editors, ClockFace, true) X(8, Editors, ClockGlass, true)              \
  X(9, Editors, LabelLine, true) X(9, Editors, LabelLineVert, true) X(9, Editors, EditorButton, true)       \
  X(9, Editors, CloseButton, true)                                                                          \
  X(10, Common, GroupPanelNoBorder, true) X(10, Common, GroupExpandButton, true)                           \
  X(10, Common, GroupPanelTop, true) X(10, Common, GroupPanelBottom, true) X(10, Common, GroupPanelLeft, true) \
  X(10, Common, GroupPanelRight, true) X(10, Common, GroupPanel, true) X(10, Common, GroupPanelCaptionTop, true) \
  X(10, Common, GroupPanelCaptionBottom, true) X(10, Common, GroupPanelCaptionLeft, true)                  \
  X(10, Common, GroupPanelCaptionRight, true)                                                               \
  X(11, Grid, GridFixedLine, true) X(11, Grid, CardSeparator, true) X(11, Grid, GridGroupPanel, true)       \
  X(11, Grid, GroupRow, true) X(11, Grid, GridLine, true) X(11, VerticalGrid, Category, true)               \
  X(11, VerticalGrid, GridLine, true) X(11, VerticalGrid, BandBorder, true) X(11, VerticalGrid, RowHeader, true) \
  X(11, Grid, IndicatorImages, true)                                                                        \
  X(12, NavBar, Background, true) X(12, NavBar, GroupClient, true) X(12, NavBar, Item, true)                \
  X(12, NavBar, GroupHeader, true) X(12, NavBar, GroupCloseButton, true) X(12, NavBar, GroupOpenButton, true) \
  X(12, NavPane, CollapseButton, true) X(12, NavPane, CollapsedGroupClient, true)                           \
  X(12, NavPane, ExpandButton, true) X(12, NavPane, PopupBorder, true) X(12, NavPane, PopupSizeGrip, true)  \
  X(12, NavPane, GroupButton, true) X(12, NavPane, GroupButtonSelected, true) X(12, NavPane, Caption, true)  \
  X(12, NavPane, Splitter, true) X(12, NavPane, ScrollUpButton, true) X(12, NavPane, ScrollDownButton, true) \
  X(12, NavPane, OverflowPanel, true) X(12, NavPane, OverflowPanelItem, true)                               \
  X(12, NavPane, OverflowPanelExpandItem, true) X(12, NavPane, GroupClient, true) X(12, NavPane, Item, true) \
  X(12, NavPane, ItemSelected, true) X(12, Editors, Navigator, true) X(12, Editors, NavigatorVert, true)    \
  X(13, Scheduler, TimeGridHeader, true) X(13, Scheduler, TimeGridHeaderSelected, true)                     \
  X(13, Scheduler, DefaultTimeLine, true) X(13, Scheduler, Ruler, true) X(13, Scheduler, MoreButton, true)  \
  X(13, Scheduler, AppointmentRightBorder, true) X(13, Scheduler, Appointment, true)                        \
  X(13, Scheduler, AllDayArea, true) X(13, Scheduler, AllDayAreaSelected, true)                             \
  X(13, Scheduler, CurrentTimeIndicator, true) X(13, Scheduler, AppointmentBottomShadow, true)              \
  X(13, Scheduler, AppointmentRightShadow, true) X(13, Scheduler, AppointmentMask, true)                    \
  X(13, Scheduler, NavButtonPrev, true) X(13, Scheduler, NavButtonNext, true)                               \
  X(13, Scheduler, NavButtonPrevArrow, true) X(13, Scheduler, NavButtonNextArrow, true)                     \
  X(13, Scheduler, TimeGridCurrentTimeIndicator, false)                                                     \
  X(14, Common, Header, true) X(14, Common, HeaderSpecial, true) X(14, Grid, FilterButton, true)            \
  X(14, Grid, FilterButtonActive, true) X(14, Grid, GridFilterPanel, true)                                  \
  X(15, PageControl, TabHeader, true) X(15, PageControl, TabButtonHorz, true)                               \
  X(15, PageControl, TabButtonVert, true) X(15, PageControl, TabHeaderCloseButton, true)                    \
  X(15, PageControl, TabPane, true)                                                                         \
  X(16, Editors, ProgressBorder, true) X(16, Editors, ProgressBorderVert, true)                             \
  X(16, Editors, ProgressChunk, true) X(16, Editors, ProgressChunkVert, true) X(16, Editors, RadioButton, true) \
  X(17, Common, ScrollButton, true) X(17, Common, ScrollThumbVert, true) X(17, Common, ScrollThumbHorz, true) \
  X(17, Common, ScrollContentVert, true) X(17, Common, ScrollContentHorz, true)                             \
  X(18, Ribbon, AppMenuBackground, true) X(18, Ribbon, FormAppButton, true) X(18, Ribbon, FormAppButton2010, true) \
  X(18, Ribbon, AppMenuBackgroundBottom, true) X(18, Ribbon, AppMenuBackgroundTop, true)                    \
  X(18, Ribbon, AppMenuExtraPanePinButtonGlyph, false) X(18, Ribbon, AppMenuExtraPaneButton, true)          \
  X(18, Ribbon, BackstageViewBackground, true) X(18, Ribbon, BackstageViewMenuBackground, true)             \
  X(18, Ribbon, BackstageViewMenuButton, true) X(18, Ribbon, BackstageViewTabHeader, true)                  \
  X(18, Ribbon, BackstageViewTopLine, true) X(18, Ribbon, TabGroupCollapsed, true)                          \
  X(18, Ribbon, TabGroupCollapsedBox, true) X(18, Ribbon, FormCaption, true) X(18, Ribbon, FormFrameBottom, true) \
  X(18, Ribbon, DialogFrameBottom, true) X(18, Ribbon, FormFrameLeft, true) X(18, Ribbon, DialogFrameLeft, true) \
  X(18, Ribbon, FormFrameRight, true) X(18, Ribbon, DialogFrameRight, true)                                 \
  X(18, Ribbon, MinimizeButtonGlyph, true) X(18, Ribbon, Tab, true) X(18, Ribbon, TabPanel, true)           \
  X(18, Ribbon, TabGroupButton, true) X(18, Ribbon, TabSeparatorLine, true) X(18, Ribbon, TabGroup, true)   \
  X(18, Ribbon, TabGroupCaption, true) X(18, Ribbon, TabGroupItemsSeparator, true)                          \
  X(18, Ribbon, DropDownGalleryBackground, true) X(18, Ribbon, InRibbonGalleryButtonDown, true)             \
  X(18, Ribbon, InRibbonGalleryButtonDropDown, true) X(18, Ribbon, InRibbonGalleryButtonUp, true)           \
  X(18, Ribbon, DropDownGalleryGroupHeader, true) X(18, Ribbon, InRibbonGalleryPane, true)                  \
  X(18, Ribbon, DropDownGallerySizePanel, true) X(18, Ribbon, DropDownGallerySizeGrip, true)                \
  X(18, Ribbon, TabBackground, true) X(18, Ribbon, TabBackgroundOnGlass, true) X(18, Ribbon, Button, true)  \
  X(18, Ribbon, SplitButtonLeft, true) X(18, Ribbon, SplitButtonRight, true) X(18, Ribbon, KeyTip, true)    \
  X(18, Ribbon, LargeButton, true) X(18, Ribbon, LargeSplitButtonTop, true)                                 \
  X(18, Ribbon, LargeSplitButtonBottom, true) X(18, Ribbon, ButtonArrow, true) X(18, Ribbon, ButtonGroup, true) \
  X(18, Ribbon, StatusBarBackground, true) X(18, Ribbon, StatusBarButton, true)                             \
  X(18, Ribbon, StatusBarSeparator, true) X(18, Ribbon, QATInRibbonBackground, true)                        \
  X(18, Ribbon, QATAboveBackground, true) X(18, Ribbon, QATBelowBackground, true)                           \
  X(18, Ribbon, QATButtonGlyph, true) X(18, Ribbon, QATOverflow, true) X(18, Ribbon, QATCustomizeButton, true) \
  X(18, Ribbon, ButtonGroupButton, true) X(18, Ribbon, ButtonGroupSeparator, true)                          \
  X(18, Ribbon, TabGroupLeftScrollButton, true) X(18, Ribbon, TabGroupRightScrollButton, true)              \
  X(18, Ribbon, ContextualTabLabel, true) X(18, Ribbon, ContextualTabLabelOnGlass, true)                    \
  X(18, Ribbon, ContextualTabSeparator, true) X(18, Ribbon, ContextualTabHeader, true)                      \
  X(18, Ribbon, ContextualTabPanel, true)                                                                   \
  X(19, Common, SizeGrip, true) X(19, Common, Splitter, true) X(19, Common, SplitterHorz, true)              \
  X(19, Editors, TrackBarTrack, true) X(19, Editors, TrackBarTrackVert, true) X(19, Editors, TrackBarThumb, true) \
  X(19, Editors, TrackBarThumbUp, true) X(19, Editors, TrackBarThumbBoth, true)                             \
  X(19, Editors, TrackBarThumbVert, true) X(19, Editors, TrackBarThumbVertUp, true)                         \
  X(19, Editors, TrackBarThumbVertBoth, true)                                                               \
  X(20, Bars, ScreenTipWindow, true) X(20, Bars, ScreenTipSeparator, true)                                  \
  X(20, PrintingSystem, PageBorder, true) X(20, PrintingSystem, PreviewBackground, true)                    \
  X(21, Grid, LayoutViewItem, true) X(21, Grid, LayoutViewRecordExpandButton, true)

// Properties of groups: step, kind, group, name.
#define VW_SKININFO_GROUP_PROPERTIES(X)                                                                      \
  X(3, ikColor, TdxSkinColor*, Form, TextColorInactive) X(3, ikColor, TdxSkinColor*, Form, TextShadowColor)  \
  X(5, ikIntegerValue, int, Docking, ActiveTabHeaderDownGrow)                                               \
  X(5, ikIntegerValue, int, Docking, ActiveTabHeaderHGrow)                                                  \
  X(5, ikIntegerValue, int, Docking, ActiveTabHeaderUpGrow)                                                 \
  X(8, ikColor, TdxSkinColor*, Editors, CalendarDayTextColor)                                               \
  X(8, ikColor, TdxSkinColor*, Editors, CalendarHolidayTextColor)                                           \
  X(8, ikColor, TdxSkinColor*, Editors, CalendarInactiveDayTextColor)                                       \
  X(8, ikColor, TdxSkinColor*, Editors, CalendarSelectedDayTextColor)                                       \
  X(8, ikColor, TdxSkinColor*, Editors, CalendarSelectedDayColor)                                           \
  X(8, ikColor, TdxSkinColor*, Editors, CalendarSeparatorColor)                                             \
  X(8, ikColor, TdxSkinColor*, Editors, CalendarTodayFrameColor)                                            \
  X(8, ikColor, TdxSkinColor*, Editors, CalendarTodayTextColor)                                             \
  X(12, ikBoolean, TdxSkinBooleanProperty*, NavPane, OverlapGroupBorders)                                   \
  X(15, ikIntegerValue, int, PageControl, RowIndentFar) X(15, ikIntegerValue, int, PageControl, RowIndentNear) \
  X(15, ikIntegerValue, int, PageControl, SelectedHeaderDownGrow)                                           \
  X(15, ikIntegerValue, int, PageControl, SelectedHeaderHGrow)                                              \
  X(15, ikIntegerValue, int, PageControl, SelectedHeaderUpGrow)                                             \
  X(15, ikIntegerValue, int, PageControl, HeaderDownGrow)                                                   \
  X(15, ikIntegerValue, int, PageControl, HeaderDownGrowBottomRight)                                        \
  X(15, ikIntegerValue, int, PageControl, SelectedHeaderDownGrowBottomRight)                                \
  X(16, ikColor, TdxSkinColor*, Editors, ProgressBarEmptyTextColor)                                         \
  X(16, ikColor, TdxSkinColor*, Editors, ProgressBarFilledTextColor)                                        \
  X(18, ikInteger, TdxSkinIntegerProperty*, Ribbon, SpaceBetweenTabGroups)                                  \
  X(18, ikInteger, TdxSkinIntegerProperty*, Ribbon, TabHeaderDownGrow)                                      \
  X(18, ikBoolean, TdxSkinBooleanProperty*, Ribbon, TabAeroSupport)                                         \
  X(18, ikColor, TdxSkinColor*, Ribbon, EditorBackground)                                                   \
  X(18, ikColor, TdxSkinColor*, Ribbon, AppMenuExtraPaneColor)                                              \
  X(18, ikColor, TdxSkinColor*, Ribbon, AppMenuExtraPaneHeaderSeparator)                                    \
  X(18, ikColorValue, TColor, Ribbon, ButtonDisabled)                                                       \
  X(13, ikColor, TdxSkinColor*, Scheduler, NavigatorColor)                                                  \
  X(22, ikColor, TdxSkinColor*, Bars, DisabledTextColor)                                                    \
  X(22, ikColor, TdxSkinColor*, Docking, TabHeaderTextColor)                                                \
  X(22, ikColor, TdxSkinColor*, Docking, TabHeaderTextColorActive)                                          \
  X(22, ikColor, TdxSkinColor*, Editors, HyperLinkTextColor)

// Properties of elements: step, kind, type, group, element, name.
#define VW_SKININFO_ELEMENT_PROPERTIES(X)                                                                    \
  X(5, ikColorValue, TColor, Docking, DockWindowCaption, InactiveCaptionTextColor)                          \
  X(6, ikColor, TdxSkinColor*, Common, Button, DisabledText)                                                \
  X(9, ikBooleanValue, bool, Editors, EditorButton, MergeBorders)                                           \
  X(11, ikColor, TdxSkinColor*, Grid, GroupRow, Office11ContentColor)                                       \
  X(11, ikColor, TdxSkinColor*, Grid, GroupRow, Office11SeparatorColor)                                     \
  X(11, ikColor, TdxSkinColor*, Grid, GroupRow, Office11TextColor)                                          \
  X(12, ikInteger, TdxSkinIntegerProperty*, NavPane, Caption, Height)                                       \
  X(12, ikInteger, TdxSkinIntegerProperty*, NavPane, Caption, FontSize)                                     \
  X(13, ikInteger, TdxSkinIntegerProperty*, Scheduler, Appointment, BorderSize)                             \
  X(13, ikColor, TdxSkinColor*, Scheduler, Appointment, SeparatorColor)                                     \
  X(18, ikColor, TdxSkinColor*, Ribbon, ContextualTabLabel, TextShadowColor)                                \
  X(18, ikBoolean, TdxSkinBooleanProperty*, Ribbon, QATAboveBackground, DisplayCustomizeButtonOutsideQAT)   \
  X(18, ikBoolean, TdxSkinBooleanProperty*, Ribbon, QATInRibbonBackground, DisplayCustomizeButtonOutsideQAT) \
  X(18, ikInteger, TdxSkinIntegerProperty*, Ribbon, QATAboveBackground, IndentBeforeCustomizeButton)        \
  X(18, ikInteger, TdxSkinIntegerProperty*, Ribbon, QATInRibbonBackground, IndentBeforeCustomizeButton)     \
  X(18, ikInteger, TdxSkinIntegerProperty*, Ribbon, FormCaption, FontDelta)                                 \
  X(18, ikColorValue, TColor, Ribbon, FormCaption, TextColorInactive)                                       \
  X(18, ikColorValue, TColor, Ribbon, FormCaption, DocumentNameTextColor)                                   \
  X(18, ikColorValue, TColor, Ribbon, Tab, TextColorHot) X(18, ikColorValue, TColor, Ribbon, Tab, TextColorSelected) \
  X(18, ikColorValue, TColor, Ribbon, ContextualTabHeader, TextColorSelected)                               \
  X(18, ikColorValue, TColor, Ribbon, ContextualTabHeader, TextColorHot)                                    \
  X(18, ikColorValue, TColor, Ribbon, StatusBarButton, TextColor)                                           \
  X(18, ikColorValue, TColor, Ribbon, StatusBarButton, TextColorHot)                                        \
  X(18, ikColorValue, TColor, Ribbon, StatusBarButton, TextColorDisabled)                                   \
  X(20, ikColor, TdxSkinColor*, Bars, ScreenTipWindow, ScreenTipItem)                                       \
  X(20, ikColor, TdxSkinColor*, Bars, ScreenTipWindow, ScreenTipTitleItem)                                  \
  X(22, ikColor, TdxSkinColor*, PageControl, TabHeader, TextColor)                                          \
  X(22, ikColor, TdxSkinColor*, PageControl, TabHeader, TextColorSelected)                                  \
  X(22, ikColor, TdxSkinColor*, PageControl, TabHeader, TextColorDisabled)                                  \
  X(22, ikColor, TdxSkinColor*, PageControl, TabHeader, TextColorHot)

// Skin-wide colours.
#define VW_SKININFO_SKIN_COLORS(X)                                                                           \
  X(ContainerBorderColor) X(ContainerHighlightBorderColor) X(ContentColor) X(ContentEvenColor)             \
  X(ContentOddColor) X(ContentTextColor) X(DockControlHiddenBarTextColor) X(DockControlHiddenBarTextHotColor) \
  X(HeaderBackgroundColor) X(HeaderBackgroundTextColor) X(LayoutControlColor) X(SelectionColor)            \
  X(SelectionTextColor)

#define VW_SKININFO_GROUPS(X)                                                                                \
  X(Bars) X(Common) X(Docking) X(Editors) X(Ribbon) X(Form) X(Grid) X(PageControl) X(Scheduler)            \
  X(VerticalGrid) X(NavBar) X(NavPane) X(PrintingSystem)

class TdxSkinInfo : public TcxIUnknownObject, public IdxSkinChangeObserver, public IdxSkinHolder {
  VW_CLASS(TdxSkinInfo, TcxIUnknownObject)
 public:
  // Takes the skin over: it is freed with the table, also when making the table fails.
  explicit TdxSkinInfo(TdxSkin* ASkin);
  ~TdxSkinInfo() override;

  virtual bool IsUserSkin() { return false; }
  virtual void ResolveAll();
  virtual void ReleaseResolved();
  void SkinChanged(TdxSkin* ASkin) override;
  TdxSkin* CurrentSkin() override { return Skin; }
  // A new bitmap the caller owns: the skin's icon, else the default icon resource.
  virtual TBitmap* SkinIcon(bool Large);
  void AttachSkin(TdxSkin* ASkin);

  // Lookups the resolution uses; painters may use them for names outside the table.
  TdxSkinControlGroup* GroupByName(const String& AName);
  TdxSkinElement* ElementByName(TdxSkinControlGroup* Group, const String& AName, bool CreatePlaceholder);
  static TdxSkinProperty* PropertyByName(TdxSkinPersistent* Persistent, const String& AName);
  static TdxSkinColor* ColorByName(TdxSkinPersistent* Persistent, const String& AName);
  static TdxSkinBooleanProperty* BooleanByName(TdxSkinPersistent* Persistent, const String& AName);
  static TdxSkinIntegerProperty* IntegerByName(TdxSkinPersistent* Persistent, const String& AName);
  static TColor ColorValueByName(TdxSkinPersistent* Persistent, const String& AName);
  static int IntegerValueByName(TdxSkinPersistent* Persistent, const String& AName, int Default);
  TdxSkinElement* CreatePlaceholderElement(TdxSkinControlGroup* Group, const String& AName);

  // Every member the resolution looks up, in the order it sets them (the derived values and the
  // scroll-bar parts are made from these).
  static const std::vector<TdxSkinInfoEntry>& Entries();

  TdxSkin* Skin = nullptr;

#define VW_SKININFO_DECLARE_GROUP(G) TdxSkinControlGroup* G##Group = nullptr;
  VW_SKININFO_GROUPS(VW_SKININFO_DECLARE_GROUP)
#undef VW_SKININFO_DECLARE_GROUP
#define VW_SKININFO_DECLARE_ELEMENT(Step, G, N, P) TdxSkinElement* G##N = nullptr;
  VW_SKININFO_ELEMENTS(VW_SKININFO_DECLARE_ELEMENT)
#undef VW_SKININFO_DECLARE_ELEMENT
#define VW_SKININFO_DECLARE_GROUP_PROPERTY(Step, Kind, Type, G, N) Type G##N{};
  VW_SKININFO_GROUP_PROPERTIES(VW_SKININFO_DECLARE_GROUP_PROPERTY)
#undef VW_SKININFO_DECLARE_GROUP_PROPERTY
#define VW_SKININFO_DECLARE_ELEMENT_PROPERTY(Step, Kind, Type, G, E, N) Type G##E##N{};
  VW_SKININFO_ELEMENT_PROPERTIES(VW_SKININFO_DECLARE_ELEMENT_PROPERTY)
#undef VW_SKININFO_DECLARE_ELEMENT_PROPERTY
#define VW_SKININFO_DECLARE_SKIN_COLOR(N) TdxSkinColor* Skin##N = nullptr;
  VW_SKININFO_SKIN_COLORS(VW_SKININFO_DECLARE_SKIN_COLOR)
#undef VW_SKININFO_DECLARE_SKIN_COLOR
  TdxSkinStringProperty* SkinSkinGroupName = nullptr;

  // [0] "SkinIcon", [1] "SkinIconLarge".
  TdxSkinElement* CommonSkinIcons[2]{};
  // By the edit button's glyph kind.
  TdxSkinElement* EditorsButtonGlyphs[8]{};
  // [small 0 / normal 1][0 left, 1 caption, 2 right, 3 bottom].
  TdxSkinElement* FormFrames[2][4]{};
  // [small 0 / normal 1][button 0..5].
  TdxSkinElement* FormCaptionButtons[2][6]{};
  TdxSkinElement* GridLayoutViewRecordParts[5]{};
  TdxSkinElement* GridLayoutViewRecordCaptionParts[5]{};
  // By the editor colour kind: normal, disabled, inactive, read-only.
  TdxSkinColor* EditorsTextColors[4]{};
  TdxSkinColor* EditorsBackgroundColors[4]{};
  // By the calculator button kind.
  TdxSkinColor* EditorsCalcEditTextColors[28]{};
  // By the layout element kind.
  TdxSkinRectProperty* GridLayoutViewPaddings[6]{};
  TdxSkinRectProperty* GridLayoutViewSpacings[6]{};
  // [horizontal][part 0..5]; owned.
  TdxSkinScrollInfo* CommonScrollBarParts[2][6]{};

  // Derived values.
  win::RECT FormBorderWidths[2]{};
  int FormCaptionFontDelta = 0;
  TColor RibbonFormCaptionTextColor = clDefault;
  TColor RibbonTabTextColor = clDefault;
  TColor RibbonContextualTabHeaderTextColor = clDefault;
  TColor RibbonButtonTextColor = clDefault;
  TColor RibbonDocumentNameTextColorInactive = clDefault;

 private:
  void ResetMembers();
  void ResolveEntry(const TdxSkinInfoEntry& Entry);
  void FinishStep(int Step);
  void FreeScrollInfos();
};
