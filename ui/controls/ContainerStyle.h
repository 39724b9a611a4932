#pragma once
// The look of a bordered control comes from style objects, not from the control's own
// properties. A container owns four styles, one per visual state: the normal style holds every
// value, and the focused, disabled and hot styles hold only what may differ by state, deferring
// the rest to it. A value nobody set is looked up in the style of the same state of the style
// controller the normal style is linked to (and through that controller's own link further), and
// last in a fallback of the state and the look-and-feel. Only what was set explicitly is stored.
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "platform/classes/Component.h"
#include "platform/classes/Graphics.h"
#include "ui/foundation/Canvas.h"
#include "ui/foundation/Interfaced.h"
#include "ui/foundation/LookAndFeel.h"

VW_ENUM(TcxContainerBorderStyle, cbsNone, cbsSingle, cbsThick, cbsFlat, cbs3D, cbsUltraFlat, cbsOffice11)

// The index of a style value and of its bit among the assigned values; derived styles go on
// numbering after the container style's ten.
using TcxContainerStyleValue = int;
inline constexpr TcxContainerStyleValue csvBorderColor = 0;
inline constexpr TcxContainerStyleValue csvBorderStyle = 1;
inline constexpr TcxContainerStyleValue csvColor = 2;
inline constexpr TcxContainerStyleValue csvEdges = 3;
inline constexpr TcxContainerStyleValue csvFont = 4;
inline constexpr TcxContainerStyleValue csvHotTrack = 5;
inline constexpr TcxContainerStyleValue csvShadow = 6;
inline constexpr TcxContainerStyleValue csvTextColor = 7;
inline constexpr TcxContainerStyleValue csvTextStyle = 8;
inline constexpr TcxContainerStyleValue csvTransparentBorder = 9;

// A set of style values, one bit each (0..31).
class TcxContainerStyleValues {
 public:
  constexpr TcxContainerStyleValues() = default;
  constexpr TcxContainerStyleValues(std::initializer_list<TcxContainerStyleValue> Values) {
    for (TcxContainerStyleValue v : Values) FBits |= Bit(v);
  }
  static constexpr TcxContainerStyleValues FromBits(std::uint32_t Bits) {
    TcxContainerStyleValues s;
    s.FBits = Bits;
    return s;
  }
  constexpr bool Contains(TcxContainerStyleValue V) const { return (FBits & Bit(V)) != 0; }
  constexpr void Include(TcxContainerStyleValue V) { FBits |= Bit(V); }
  constexpr void Exclude(TcxContainerStyleValue V) { FBits &= ~Bit(V); }
  constexpr bool Empty() const { return FBits == 0; }
  constexpr std::uint32_t Bits() const { return FBits; }
  friend constexpr bool operator==(TcxContainerStyleValues A, TcxContainerStyleValues B) { return A.FBits == B.FBits; }

 private:
  static constexpr std::uint32_t Bit(TcxContainerStyleValue V) {
    return V >= 0 && V < 32 ? (std::uint32_t{1} << V) : 0u;
  }
  std::uint32_t FBits = 0;
};

enum TcxContainerStateStyleIndex : int { csiNormal, csiFocused, csiDisabled, csiHot };
inline constexpr int ContainerStateStyleCount = 4;

class TcxContainer;
class TcxContainerStyle;
class TcxContainerStyles;
class TcxStyleController;

// A style class: how containers and controllers make the styles of their kind. The styles made
// through one have run AfterConstruction.
using TcxContainerStyleClass =
    std::function<TcxContainerStyle*(TPersistent* AOwner, TcxContainerStyle* AParentStyle, TcxContainerStateStyleIndex AState)>;
using TcxContainerStylesClass = std::function<TcxContainerStyles*(TPersistent* AOwner, const TcxContainerStyleClass& AStyleClass)>;

class TcxContainerStyle : public TcxInterfacedPersistent {
  VW_CLASS(TcxContainerStyle, TcxInterfacedPersistent)
 public:
  // A state style (AState not normal) takes AParentStyle, the normal style, as its parent.
  TcxContainerStyle(TPersistent* AOwner, TcxContainerStyle* AParentStyle, TcxContainerStateStyleIndex AState);
  ~TcxContainerStyle() override;
  static void DeclareProperties(TPropTable& t);

  void Assign(TPersistent* Source) override { AssignFrom(Source); }
  virtual void AssignFrom(TPersistent* Source);

  // ---- published values ----------------------------------------------------------------------------
  TcxContainerStyleValues AssignedValues() const { return FAssignedValues; }
  void SetAssignedValues(TcxContainerStyleValues Value);
  TColor BorderColor();
  void SetBorderColor(TColor Value);
  TcxContainerBorderStyle BorderStyle();
  void SetBorderStyle(TcxContainerBorderStyle Value);
  TColor Color() { return ReadColor(); }
  void SetColor(TColor Value);
  TcxBorders Edges();
  void SetEdges(TcxBorders Value);
  // The normal style's own font; a state style answers its parent's.
  TFont* Font();
  void SetFont(TFont* Value);
  bool HotTrack();
  void SetHotTrack(bool Value);
  bool Shadow();
  void SetShadow(bool Value);
  TColor TextColor() { return ReadTextColor(); }
  void SetTextColor(TColor Value);
  TFontStyles TextStyle() { return ReadTextStyle(); }
  void SetTextStyle(TFontStyles Value);
  bool TransparentBorder();
  void SetTransparentBorder(bool Value);
  TcxLookAndFeel* LookAndFeel() const;
  void SetLookAndFeel(TcxLookAndFeel* Value);
  // Nil when the link is the default controller's, which is neither shown nor stored.
  TcxStyleController* StyleController();
  void SetStyleController(TcxStyleController* Value);

  // ---- the rest of the interface -------------------------------------------------------------------
  TFont* DisplayFont();
  bool IsRootStyle() const { return FParentStyle == nullptr; }
  TcxContainerStyle* RootStyle() { return FParentStyle ? FParentStyle : this; }
  TcxStyleController* ActiveStyleController() const;
  TcxContainer* Container() const;
  TcxContainerStateStyleIndex State() const { return FState; }
  TcxContainerStyle* ParentStyle() const { return FParentStyle; }
  void HoldChanges() { ++FUpdateCount; }
  void ReleaseChanges();
  bool FindStyleValue(const String& Name, TcxContainerStyleValue& Value);
  bool IsPublishedInStateStyles(const String& Name);
  void RefreshFont();
  void ResetFont(TFont* AFont);
  void LockFontAssigned(bool Lock);
  bool IsDestroying() const { return FDestroying; }

  // Sets the bit without storing anything or announcing: the container's bookkeeping after its
  // own colour or font was written into the style.
  void RemoveAssignedValueQuietly(TcxContainerStyleValue Value) { FAssignedValues.Exclude(Value); }

  // ---- the lookups: assigned here or in a linked controller -------------------------------------
  bool FindAssignedBorderColor(TColor& Value);
  bool FindAssignedBorderStyle(TcxContainerBorderStyle& Value);
  bool FindAssignedColor(TColor& Value);
  bool FindAssignedEdges(TcxBorders& Value);
  bool FindAssignedFont(TFont*& Value);
  bool FindAssignedHotTrack(bool& Value);
  bool FindAssignedShadow(bool& Value);
  bool FindAssignedTextColor(TColor& Value);
  bool FindAssignedTextStyle(TFontStyles& Value);
  bool FindAssignedTransparentBorder(bool& Value);

  TNotifyEvent OnChanged;

  // ---- virtual operations --------------------------------------------------------------------------
  virtual void NotifyChanged();
  virtual void StyleControllerChanged(TcxStyleController* Controller);
  virtual void StyleControllerFreed(TcxStyleController* Controller);
  virtual TColor BorderColorFallback();
  virtual TcxContainerBorderStyle BorderStyleFallback();
  virtual TColor ColorFallback();
  virtual TcxBorders EdgesFallback();
  virtual bool HotTrackFallback();
  virtual bool ShadowFallback();
  virtual TColor TextColorFallback();
  virtual TFontStyles TextStyleFallback();
  virtual bool TransparentBorderFallback();
  virtual void FontChangeReceived(TObject* Sender);
  virtual TColor ReadColor();
  virtual TcxStyleController* FallbackStyleController();
  virtual TColor ResolvedColor();
  virtual TColor ReadTextColor();
  virtual TFontStyles ReadTextStyle();
  virtual TcxContainerStyleValues UnpublishedStyleValues();
  virtual int StyleValueTotal();
  virtual bool StyleValueTitle(TcxContainerStyleValue Index, String& Name);
  virtual bool ShowsBorder();
  virtual bool IsValueAssigned(TcxContainerStyleValue Value);
  virtual void ResetToDefaults();

 protected:
  void DefineProperties(TFiler* Filer) override;
  // The stored rule: assigned here and published by the owning container for this style.
  bool IsValueStored(TcxContainerStyleValue Value);
  template <TcxContainerStyleValue V>
  bool StoredValue() {
    return IsValueStored(V);
  }
  // True when the bit is set and the value equals the new one: a setter then does nothing.
  bool Unchanged(TcxContainerStyleValue Value, bool Equal) const { return FAssignedValues.Contains(Value) && Equal; }
  void Changed(TcxContainerStyleValue Value);
  bool IsParentColored() const;
  TcxContainerStyle* ControllerStyle() const;

 private:
  void FireChangedIfDue();
  void RefreshDisplayFont();
  bool ChainLeadsHere(TcxStyleController* Controller);

  TColor FBorderColor = clWindowFrame;
  TcxContainerBorderStyle FBorderStyle = cbsNone;
  TcxBorders FEdges = cxBordersAll;
  bool FHotTrack = true;
  bool FShadow = false;
  bool FTransparentBorder = true;
  int FFontAssignedLock = 0;
  bool FDestroying = false;
  std::unique_ptr<TcxLookAndFeel> FLookAndFeel;
  bool FModified = false;
  TcxContainerStyle* FParentStyle = nullptr;
  TcxContainerStateStyleIndex FState;
  TFontStyles FTextStyle;
  int FUpdateCount = 0;
  std::unique_ptr<TFont> FDisplayFont;
  TcxContainerStyleValues FAssignedValues;
  TcxStyleController* FStyleController = nullptr;
  TColor FColor = clWindow;
  std::unique_ptr<TFont> FFont;
  TColor FTextColor = clWindowText;
};

// A style's changes held back for a scope, announced once when it ends, whichever way it ends.
class THeldStyleChanges {
 public:
  explicit THeldStyleChanges(TcxContainerStyle* Style) : FStyle(Style) { FStyle->HoldChanges(); }
  ~THeldStyleChanges() { FStyle->ReleaseChanges(); }
  THeldStyleChanges(const THeldStyleChanges&) = delete;
  THeldStyleChanges& operator=(const THeldStyleChanges&) = delete;

 private:
  TcxContainerStyle* FStyle;
};

// The class of T as a style class.
template <class T>
TcxContainerStyleClass ContainerStyleClassOf() {
  return [](TPersistent* AOwner, TcxContainerStyle* AParentStyle, TcxContainerStateStyleIndex AState) {
    auto* style = new T(AOwner, AParentStyle, AState);
    style->AfterConstruction();
    return static_cast<TcxContainerStyle*>(style);
  };
}

// The four styles of a container or controller, made normal, focused, disabled, hot and freed in
// reverse.
class TcxContainerStyles : public TObject {
  VW_CLASS(TcxContainerStyles, TObject)
 public:
  TcxContainerStyles(TPersistent* AOwner, const TcxContainerStyleClass& AStyleClass);
  ~TcxContainerStyles() override;

  TcxContainerStyle* StyleOfState(TcxContainerStateStyleIndex Index) const { return FStyles[Index]; }
  TcxContainerStyle* NormalStyle() const { return FStyles[csiNormal]; }
  TcxContainerStyle* FocusedStyle() const { return FStyles[csiFocused]; }
  TcxContainerStyle* DisabledStyle() const { return FStyles[csiDisabled]; }
  TcxContainerStyle* HotStyle() const { return FStyles[csiHot]; }
  void SetChangeHandler(const TNotifyEvent& Handler);
  void AssignNormalStyle(TcxContainerStyle* Source) { AssignStateStyle(csiNormal, Source); }
  void AssignFocusedStyle(TcxContainerStyle* Source) { AssignStateStyle(csiFocused, Source); }
  void AssignDisabledStyle(TcxContainerStyle* Source) { AssignStateStyle(csiDisabled, Source); }
  void AssignHotStyle(TcxContainerStyle* Source) { AssignStateStyle(csiHot, Source); }
  void AssignStateStyle(TcxContainerStateStyleIndex Index, TcxContainerStyle* Source) {
    FStyles[Index]->AssignFrom(Source);
  }

 private:
  TcxContainerStyle* FStyles[ContainerStateStyleCount] = {};
};

template <class T>
TcxContainerStylesClass ContainerStylesClassOf() {
  return [](TPersistent* AOwner, const TcxContainerStyleClass& AStyleClass) -> TcxContainerStyles* {
    return new T(AOwner, AStyleClass);
  };
}

// Lets many containers share one set of styles: their normal styles listen to it.
class TcxStyleController : public TComponent {
  VW_CLASS(TcxStyleController, TComponent)
 public:
  explicit TcxStyleController(TComponent* AOwner);
  ~TcxStyleController() override;
  static void DeclareProperties(TPropTable& t);

  TcxContainerStyles* Styles() const { return FStyles.get(); }
  TcxContainerStyle* NormalStyle() const { return FStyles->NormalStyle(); }
  TcxContainerStyle* StyleOfState(TcxContainerStateStyleIndex Index) const { return FStyles->StyleOfState(Index); }
  void NotifyStyleChanged();
  bool IsDestroying() const { return FDestroying; }
  int ListenerCount() const { return static_cast<int>(FListeners.size()); }
  TcxContainerStyle* Listener(int Index) const { return FListeners[static_cast<std::size_t>(Index)]; }
  int StoredPixelsPerInch() const { return FPixelsPerInch; }
  // N, or N scaled from the stored resolution to the screen's.
  int ScaleFontHeight(int N);
  TcxStyleController* FakeStyleController();
  void SetFakeStyleController(TcxStyleController*) {}

  TNotifyEvent OnStyleChanged;

  virtual void AddStyleListener(TcxContainerStyle* AStyle);
  virtual TcxContainerStyleClass StyleClass();
  virtual TcxContainerStylesClass StylesClass();
  virtual void RemoveStyleListener(TcxContainerStyle* AStyle);

 protected:
  // Descendants with styles of their own kind name their classes here: the constructor cannot
  // ask StyleClass and StylesClass yet.
  TcxStyleController(TComponent* AOwner, const TcxContainerStyleClass& AStyleClass,
                     const TcxContainerStylesClass& AStylesClass);
  void DefineProperties(TFiler* Filer) override;
  void Loaded() override;
  void StylesChanged(TObject* Sender);

 private:
  void ReadPixelsPerInch(int Value);

  bool FDestroying = false;
  std::vector<TcxContainerStyle*> FListeners;
  int FPixelsPerInch = 0;
  std::unique_ptr<TcxContainerStyles> FStyles;
  TcxContainerStyleClass FStyleClass;
  TcxContainerStylesClass FStylesClass;
};

// The process-wide default controller; nil until the editor framework makes one.
TcxStyleController* DefaultStyleController();
void SetDefaultStyleController(TcxStyleController* Controller);
