#include "ui/panels/FrameController.h"

#include <algorithm>

namespace {

// The published property each connection writes, by connection.
constexpr const char* kPropertyNames[16] = {
    "Color",         "FocusColor",    "DisabledColor", "ReadOnlyColor", "ReadOnlyColorOnFocus", "ParentColor",
    "FlatButtonColor", "FlatButtons", "FrameColor",    "FrameHotColor", "FrameHotTrack",        "FrameHotStyle",
    "FrameSides",    "FrameStyle",    "FrameVisible",  "FramingPreference"};

// The order in which everything is written at once: ParentColor before Color, so that a control
// that takes its parent's colour is not given one of its own first.
constexpr TRzFrameControllerProperty kAllOrder[16] = {
    fcpParentColor, fcpColor,      fcpDisabledColor, fcpReadOnlyColor, fcpReadOnlyColorOnFocus, fcpFocusColor,
    fcpFlatButtonColor, fcpFlatButtons, fcpFrameColor, fcpFrameHotColor, fcpFrameHotTrack, fcpFrameHotStyle,
    fcpFrameSides,  fcpFrameStyle, fcpFrameVisible,  fcpFramingPreference};

}  // namespace

TRzFrameController::TRzFrameController(TComponent* AOwner) : TComponent(AOwner) {}

TRzFrameController::~TRzFrameController() {
  if (FControls)
    for (TComponent* c : *FControls) RemoveFreeNotification(c);
  FControls.reset();
}

void TRzFrameController::DeclareProperties(TPropTable& t) {
  t.Add("Color", &TRzFrameController::Color, &TRzFrameController::SetColor)
      .Idents(ColorToIdent, IdentToColor)
      .SetDefault(clWindow)
      .Stored(&TRzFrameController::IsColorStored);
  t.Add("DisabledColor", &TRzFrameController::DisabledColor, &TRzFrameController::SetDisabledColor)
      .Idents(ColorToIdent, IdentToColor)
      .SetDefault(clBtnFace);
  t.Add("ReadOnlyColor", &TRzFrameController::ReadOnlyColor, &TRzFrameController::SetReadOnlyColor)
      .Idents(ColorToIdent, IdentToColor)
      .SetDefault(clInfoBk);
  t.Add("ReadOnlyColorOnFocus", &TRzFrameController::ReadOnlyColorOnFocus,
        &TRzFrameController::SetReadOnlyColorOnFocus)
      .SetDefault(false);
  t.Add("FlatButtonColor", &TRzFrameController::FlatButtonColor, &TRzFrameController::SetFlatButtonColor)
      .Idents(ColorToIdent, IdentToColor)
      .SetDefault(clBtnFace);
  t.Add("FlatButtons", &TRzFrameController::FlatButtons, &TRzFrameController::SetFlatButtons).SetDefault(true);
  t.Add("FocusColor", &TRzFrameController::FocusColor, &TRzFrameController::SetFocusColor)
      .Idents(ColorToIdent, IdentToColor)
      .SetDefault(clWindow);
  t.Add("FrameColor", &TRzFrameController::FrameColor, &TRzFrameController::SetFrameColor)
      .Idents(ColorToIdent, IdentToColor)
      .SetDefault(clBtnShadow);
  t.Add("FrameHotColor", &TRzFrameController::FrameHotColor, &TRzFrameController::SetFrameHotColor)
      .Idents(ColorToIdent, IdentToColor)
      .SetDefault(clBtnShadow);
  t.Add("FrameHotStyle", &TRzFrameController::FrameHotStyle, &TRzFrameController::SetFrameHotStyle)
      .SetDefault(fsFlatBold);
  t.Add("FrameHotTrack", &TRzFrameController::FrameHotTrack, &TRzFrameController::SetFrameHotTrack)
      .SetDefault(false);
  t.Add("FrameSides", &TRzFrameController::FrameSides, &TRzFrameController::SetFrameSides).SetDefault(sdAllSides);
  t.Add("FrameStyle", &TRzFrameController::FrameStyle, &TRzFrameController::SetFrameStyle).SetDefault(fsFlat);
  t.Add("FrameVisible", &TRzFrameController::FrameVisible, &TRzFrameController::SetFrameVisible)
      .SetDefault(false);
  t.Add("FramingPreference", &TRzFrameController::FramingPreference, &TRzFrameController::SetFramingPreference)
      .SetDefault(fpXPThemes);
  t.Add("ParentColor", &TRzFrameController::ParentColor, &TRzFrameController::SetParentColor).SetDefault(false);
  t.Add("RegIniFile", &TRzFrameController::RegIniFile, &TRzFrameController::SetRegIniFile);
}

void TRzFrameController::RegisterControl(TComponent* Control) {
  if (!Control) return;
  if (!FControls) FControls = std::make_unique<std::vector<TComponent*>>();
  if (std::find(FControls->begin(), FControls->end(), Control) != FControls->end()) return;
  FControls->push_back(Control);
  // A control that goes away without unregistering must not be written to afterwards.
  FreeNotification(Control);
  PushSettingsToControl(Control, fcpAll);
}

void TRzFrameController::UnregisterControl(TComponent* Control) {
  if (!FControls) return;
  auto it = std::find(FControls->begin(), FControls->end(), Control);
  if (it == FControls->end()) return;
  FControls->erase(it);
  if (Control != FRegIniFile) RemoveFreeNotification(Control);
  if (FControls->empty()) FControls.reset();
}

void TRzFrameController::ResumeUpdates() {
  --FUpdateCount;
  if (FUpdateCount <= 0) {
    FUpdateCount = 0;
    PushSettingsToAll(fcpAll);
  }
}

void TRzFrameController::Assign(TPersistent* Source) {
  auto* src = dynamic_cast<TRzFrameController*>(Source);
  if (!src) {
    TComponent::Assign(Source);
    return;
  }
  SuspendUpdates();
  FColor = src->FColor;
  FFocusColor = src->FFocusColor;
  FDisabledColor = src->FDisabledColor;
  FReadOnlyColor = src->FReadOnlyColor;
  FReadOnlyColorOnFocus = src->FReadOnlyColorOnFocus;
  FParentColor = src->FParentColor;
  FFlatButtonColor = src->FFlatButtonColor;
  FFlatButtons = src->FFlatButtons;
  FFrameColor = src->FFrameColor;
  FFrameHotColor = src->FFrameHotColor;
  FFrameHotTrack = src->FFrameHotTrack;
  FFrameHotStyle = src->FFrameHotStyle;
  FFrameSides = src->FFrameSides;
  FFrameStyle = src->FFrameStyle;
  FFrameVisible = src->FFrameVisible;
  FFramingPreference = src->FFramingPreference;
  ResumeUpdates();
}

void TRzFrameController::PushSettingsToAll(TRzFrameControllerProperty Property) {
  if (FUpdateCount > 0 || !FControls) return;
  // A control may unregister itself while it is written to; walk a copy.
  std::vector<TComponent*> controls(*FControls);
  for (TComponent* c : controls)
    if (FControls && std::find(FControls->begin(), FControls->end(), c) != FControls->end())
      PushSettingsToControl(c, Property);
}

void TRzFrameController::PushSettingsToControl(TComponent* Control, TRzFrameControllerProperty Property) {
  if (!dynamic_cast<TControl*>(Control)) return;
  TRzFrameControllerNotifications notifications = fccAll;
  if (const TPropInfo* p = GetPropInfo(Control, "FrameControllerNotifications"); p && p->Kind == tkSet && p->GetOrd)
    notifications = TRzFrameControllerNotifications::FromBits(static_cast<std::uint64_t>(p->GetOrd(Control)));
  if (auto* client = dynamic_cast<IFrameControllerClient*>(Control)) {
    client->ApplyFrameController();
    return;
  }
  auto write = [&](TRzFrameControllerProperty which) {
    if (!notifications.Contains(which)) return;
    const char* name = kPropertyNames[which];
    const TPropInfo* p = GetPropInfo(Control, name);
    if (!p || p->ReadOnly) return;
    auto ordinal = [&](std::int64_t value, const TEnumInfo* info) {
      if (p->Kind == tkEnumeration && info)
        SetEnumProp(Control, name, info->Name(static_cast<int>(value)));
      else if (p->Kind == tkSet && info)
        SetSetProp(Control, name, SetToString(info, static_cast<std::uint64_t>(value)));
      else if (p->SetOrd)
        p->SetOrd(Control, value);
    };
    try {
      switch (which) {
        case fcpColor: ordinal(FColor, nullptr); break;
        case fcpFocusColor: ordinal(FFocusColor, nullptr); break;
        case fcpDisabledColor: ordinal(FDisabledColor, nullptr); break;
        case fcpReadOnlyColor: ordinal(FReadOnlyColor, nullptr); break;
        case fcpReadOnlyColorOnFocus: ordinal(FReadOnlyColorOnFocus, TypeInfo<bool>()); break;
        case fcpParentColor: ordinal(FParentColor, TypeInfo<bool>()); break;
        case fcpFlatButtonColor: ordinal(FFlatButtonColor, nullptr); break;
        case fcpFlatButtons: ordinal(FFlatButtons, TypeInfo<bool>()); break;
        case fcpFrameColor: ordinal(FFrameColor, nullptr); break;
        case fcpFrameHotColor: ordinal(FFrameHotColor, nullptr); break;
        case fcpFrameHotTrack: ordinal(FFrameHotTrack, TypeInfo<bool>()); break;
        case fcpFrameHotStyle: ordinal(FFrameHotStyle, TypeInfo<TFrameStyleEx>()); break;
        case fcpFrameSides: ordinal(static_cast<std::int64_t>(FFrameSides.Bits()), TypeInfo<TSide>()); break;
        case fcpFrameStyle: ordinal(FFrameStyle, TypeInfo<TFrameStyleEx>()); break;
        case fcpFrameVisible: ordinal(FFrameVisible, TypeInfo<bool>()); break;
        case fcpFramingPreference: ordinal(FFramingPreference, TypeInfo<TFramingPreference>()); break;
        default: break;
      }
    } catch (const EPropertyError&) {
      // A property of that name but of another kind is not one of ours: left alone.
    }
  };
  if (Property != fcpAll) {
    write(Property);
    return;
  }
  for (TRzFrameControllerProperty which : kAllOrder) {
    if (which == fcpColor && FParentColor) continue;
    write(which);
  }
}

void TRzFrameController::SetColor(TColor Value) {
  if (Value == FColor) return;
  if (FColor == FFocusColor) FFocusColor = Value;
  FColor = Value;
  FParentColor = false;
  PushSettingsToAll(fcpColor);
}

void TRzFrameController::SetParentColor(bool Value) {
  if (Value == FParentColor) return;
  FParentColor = Value;
  PushSettingsToAll(fcpParentColor);
  if (!Value) PushSettingsToAll(fcpColor);
}

#define VW_FRAME_SETTER(Name, Type, Field, Property) \
  void TRzFrameController::Set##Name(Type Value) {   \
    if (Value == Field) return;                      \
    Field = Value;                                   \
    PushSettingsToAll(Property);                     \
  }

VW_FRAME_SETTER(FlatButtonColor, TColor, FFlatButtonColor, fcpFlatButtonColor)
VW_FRAME_SETTER(FlatButtons, bool, FFlatButtons, fcpFlatButtons)
VW_FRAME_SETTER(DisabledColor, TColor, FDisabledColor, fcpDisabledColor)
VW_FRAME_SETTER(ReadOnlyColor, TColor, FReadOnlyColor, fcpReadOnlyColor)
VW_FRAME_SETTER(ReadOnlyColorOnFocus, bool, FReadOnlyColorOnFocus, fcpReadOnlyColorOnFocus)
VW_FRAME_SETTER(FocusColor, TColor, FFocusColor, fcpFocusColor)
VW_FRAME_SETTER(FrameColor, TColor, FFrameColor, fcpFrameColor)
VW_FRAME_SETTER(FrameHotColor, TColor, FFrameHotColor, fcpFrameHotColor)
VW_FRAME_SETTER(FrameHotStyle, TFrameStyle, FFrameHotStyle, fcpFrameHotStyle)
VW_FRAME_SETTER(FrameSides, TSides, FFrameSides, fcpFrameSides)
VW_FRAME_SETTER(FrameStyle, TFrameStyle, FFrameStyle, fcpFrameStyle)
VW_FRAME_SETTER(FrameVisible, bool, FFrameVisible, fcpFrameVisible)
VW_FRAME_SETTER(FramingPreference, TFramingPreference, FFramingPreference, fcpFramingPreference)

#undef VW_FRAME_SETTER

void TRzFrameController::SetFrameHotTrack(bool Value) {
  if (Value == FFrameHotTrack) return;
  FFrameHotTrack = Value;
  if (Value) {
    SetFrameVisible(true);
    if (!HasState(csLoading)) FFrameSides = sdAllSides;
  }
  PushSettingsToAll(fcpFrameHotTrack);
}

void TRzFrameController::SetRegIniFile(TRzRegIniFile* Value) {
  if (Value == FRegIniFile) return;
  FRegIniFile = Value;
  if (Value) Value->FreeNotification(this);
}

void TRzFrameController::Loaded() {
  TComponent::Loaded();
  PushSettingsToAll(fcpAll);
}

void TRzFrameController::Notification(TComponent* AComponent, TOperation Operation) {
  TComponent::Notification(AComponent, Operation);
  if (Operation != opRemove) return;
  if (AComponent == FRegIniFile) FRegIniFile = nullptr;
  if (FControls) {
    auto it = std::find(FControls->begin(), FControls->end(), AComponent);
    if (it != FControls->end()) FControls->erase(it);
    if (FControls->empty()) FControls.reset();
  }
}

void TRzFrameController::DefineProperties(TFiler* Filer) {
  TComponent::DefineProperties(Filer);
  // Properties of earlier versions that stored forms may still hold.
  Filer->DefineProperty(
      "FrameFlat",
      [this](TReader* Reader) {
        FFrameHotTrack = TRzOldPropReader::ReadOldBooleanProp(Reader);
        if (FFrameHotTrack) {
          FFrameStyle = fsStatus;
          FFrameHotStyle = fsLowered;
        }
      },
      nullptr, false);
  Filer->DefineProperty(
      "FrameFocusStyle",
      [this](TReader* Reader) {
        int v = TypeInfo<TFrameStyleEx>()->Value(TRzOldPropReader::ReadOldIdentProp(Reader));
        if (v >= 0 && v <= fsFlatBold) FFrameHotStyle = static_cast<TFrameStyle>(v);
      },
      nullptr, false);
  Filer->DefineProperty(
      "FrameFlatStyle", [](TReader* Reader) { TRzOldPropReader::ReadOldIdentProp(Reader); }, nullptr, false);
}

// ---- TRzRegIniFile ---------------------------------------------------------------------------------

void TRzRegIniFile::DeclareProperties(TPropTable& t) {
  t.Add("Path", &TRzRegIniFile::Path, &TRzRegIniFile::SetPath);
  t.Add("PathType", &TRzRegIniFile::PathType, &TRzRegIniFile::SetPathType).SetDefault(ptIniFile);
  t.Add("RegKey", &TRzRegIniFile::RegKey, &TRzRegIniFile::SetRegKey).SetDefault(hkeyCurrentUser);
  t.Add("RegAccess", &TRzRegIniFile::RegAccess, &TRzRegIniFile::SetRegAccess).SetDefault(TRzRegAccess{keyAllAccess});
  t.Add("SpecialFolder", &TRzRegIniFile::SpecialFolder, &TRzRegIniFile::SetSpecialFolder).SetDefault(sfNone);
  t.Add("FileEncoding", &TRzRegIniFile::FileEncoding, &TRzRegIniFile::SetFileEncoding).SetDefault(feDefault);
}

void TRzRegIniFile::SetPath(const String& Value) { Change(FPath, Value); }
void TRzRegIniFile::SetPathType(TRzPathType Value) { Change(FPathType, Value); }
void TRzRegIniFile::SetRegKey(TRzRegKey Value) { Change(FRegKey, Value); }
void TRzRegIniFile::SetRegAccess(TRzRegAccess Value) { Change(FRegAccess, Value); }
void TRzRegIniFile::SetSpecialFolder(TRzSpecialFolder Value) { Change(FSpecialFolder, Value); }
void TRzRegIniFile::SetFileEncoding(TRzIniFileEncoding Value) { Change(FFileEncoding, Value); }

namespace {
// Form descriptions create these by class name.
const bool kRegistered = [] {
  RegisterClassesOf<TRzFrameController, TRzRegIniFile>();
  return true;
}();
}  // namespace
