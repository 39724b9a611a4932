#include "ui/skins/SkinInfo.h"

#include <algorithm>
#include <memory>

#include "platform/classes/Bitmap.h"
#include "platform/system/Modules.h"
#include "ui/foundation/PNGImage.h"

// ---- scroll parts -------------------------------------------------------------------------------

bool TdxSkinScrollInfo::DrawOnDC(win::HDC DC, const win::RECT& R, int AImageIndex, TdxSkinElementState State) {
  if (Element) Element->DrawOnDC(DC, R, AImageIndex, State);
  return Element != nullptr;
}

// ---- the member list ----------------------------------------------------------------------------

namespace {

using EntryList = std::vector<TdxSkinInfoEntry>;

void AddElementArray(EntryList& List, int Step, const char* Member, const char* Group,
                     std::initializer_list<const char*> Names, void* (*Slot)(TdxSkinInfo&, int),
                     std::initializer_list<int> Indexes, bool Placeholder = true) {
  auto index = Indexes.begin();
  for (const char* name : Names) List.push_back({Step, ikElement, Member, Group, nullptr, name, Placeholder, Slot, *index++});
}

EntryList BuildEntries() {
  EntryList list;
#define VW_GROUP_ENTRY(G) \
  list.push_back({1, ikGroup, #G "Group", nullptr, nullptr, #G, false, [](TdxSkinInfo& I, int) -> void* { return &I.G##Group; }, 0});
  VW_SKININFO_GROUPS(VW_GROUP_ENTRY)
#undef VW_GROUP_ENTRY

  // Step 3 begins with the form's frames and caption buttons.
  AddElementArray(list, 3, "FormCaptionButtons", "Form", {"SmallFormButtonClose"},
                  [](TdxSkinInfo& I, int K) -> void* { return &I.FormCaptionButtons[K / 6][K % 6]; }, {5});
  AddElementArray(list, 3, "FormCaptionButtons", "Form",
                  {"FormButtonHelp", "FormButtonMinimize", "FormButtonMaximize", "FormButtonRestore", "FormButtonClose"},
                  [](TdxSkinInfo& I, int K) -> void* { return &I.FormCaptionButtons[K / 6][K % 6]; },
                  {7, 8, 9, 10, 11});
  AddElementArray(list, 3, "FormFrames", "Form",
                  {"FormFrameLeft", "SmallFormCaption", "FormFrameRight", "FormFrameBottom", "FormFrameLeft",
                   "FormCaption", "FormFrameRight", "FormFrameBottom"},
                  [](TdxSkinInfo& I, int K) -> void* { return &I.FormFrames[K / 4][K % 4]; }, {0, 1, 2, 3, 4, 5, 6, 7});
  // Neither icon gets a placeholder: a skin without its own icon shows the default one.
  AddElementArray(list, 4, "CommonSkinIcons", "Common", {"SkinIcon", "SkinIconLarge"},
                  [](TdxSkinInfo& I, int K) -> void* { return &I.CommonSkinIcons[K]; }, {0, 1}, false);
  list.push_back({4, ikString, "SkinSkinGroupName", nullptr, nullptr, "SkinGroupName", false,
                  [](TdxSkinInfo& I, int) -> void* { return &I.SkinSkinGroupName; }, 0});

  {
    static const char* const calc[5] = {"CalcEditEditingOperationTextColor", "CalcEditMemoryOperationTextColor",
                                        "CalcEditDigitTextColor", "CalcEditArithmeticOperationTextColor",
                                        "CalcEditScientificOperationTextColor"};
    for (int k = 0; k < 28; ++k) {
      const int band = k <= 2 ? 0 : k <= 6 ? 1 : k <= 18 ? 2 : k <= 22 ? 3 : 4;
      list.push_back({8, ikColor, "EditorsCalcEditTextColors", "Editors", nullptr, calc[band], false,
                      [](TdxSkinInfo& I, int K) -> void* { return &I.EditorsCalcEditTextColors[K]; }, k});
    }
  }
  AddElementArray(list, 9, "EditorsButtonGlyphs", "Editors",
                  {"CloseButton", "ComboButtonGlyph", "EditorButton", "EditorButton", "SpinUpGlyph", "SpinDownGlyph",
                   "SpinLeftGlyph", "SpinRightGlyph"},
                  [](TdxSkinInfo& I, int K) -> void* { return &I.EditorsButtonGlyphs[K]; }, {0, 1, 2, 3, 4, 5, 6, 7});

#define VW_ELEMENT_ENTRY(Step, G, N, P)                                                                     \
  list.push_back({Step, ikElement, #G #N, #G, nullptr, #N, P, [](TdxSkinInfo& I, int) -> void* { return &I.G##N; }, \
                  0});
  VW_SKININFO_ELEMENTS(VW_ELEMENT_ENTRY)
#undef VW_ELEMENT_ENTRY
#define VW_GROUP_PROPERTY_ENTRY(Step, Kind, Type, G, N)                                                     \
  list.push_back({Step, Kind, #G #N, #G, nullptr, #N, false, [](TdxSkinInfo& I, int) -> void* { return &I.G##N; }, 0});
  VW_SKININFO_GROUP_PROPERTIES(VW_GROUP_PROPERTY_ENTRY)
#undef VW_GROUP_PROPERTY_ENTRY
#define VW_ELEMENT_PROPERTY_ENTRY(Step, Kind, Type, G, E, N)                                                \
  list.push_back({Step, Kind, #G #E #N, #G, #E, #N, false,                                                  \
                  [](TdxSkinInfo& I, int) -> void* { return &I.G##E##N; }, 0});
  VW_SKININFO_ELEMENT_PROPERTIES(VW_ELEMENT_PROPERTY_ENTRY)
#undef VW_ELEMENT_PROPERTY_ENTRY

  {
    static const char* const kinds[6] = {"LayoutViewGroup",     "LayoutViewGroupWithoutBorders",
                                         "LayoutViewTabbedGroup", "LayoutViewRootGroup",
                                         "LayoutViewRootGroupWithoutBorders", "LayoutViewItem"};
    static const String paddings[6] = {String(kinds[0]) + "Padding", String(kinds[1]) + "Padding",
                                       String(kinds[2]) + "Padding", String(kinds[3]) + "Padding",
                                       String(kinds[4]) + "Padding", String(kinds[5]) + "Padding"};
    static const String spacings[6] = {String(kinds[0]) + "Spacing", String(kinds[1]) + "Spacing",
                                       String(kinds[2]) + "Spacing", String(kinds[3]) + "Spacing",
                                       String(kinds[4]) + "Spacing", String(kinds[5]) + "Spacing"};
    for (int k = 0; k < 6; ++k)
      list.push_back({21, ikRect, "GridLayoutViewPaddings", "Grid", nullptr, paddings[k].c_str(), false,
                      [](TdxSkinInfo& I, int K) -> void* { return &I.GridLayoutViewPaddings[K]; }, k});
    for (int k = 0; k < 6; ++k)
      list.push_back({21, ikRect, "GridLayoutViewSpacings", "Grid", nullptr, spacings[k].c_str(), false,
                      [](TdxSkinInfo& I, int K) -> void* { return &I.GridLayoutViewSpacings[K]; }, k});
  }
  AddElementArray(list, 21, "GridLayoutViewRecordParts", "Grid",
                  {"LayoutViewRecordTop", "LayoutViewRecordBottom", "LayoutViewRecordLeft", "LayoutViewRecordRight",
                   "LayoutViewRecord"},
                  [](TdxSkinInfo& I, int K) -> void* { return &I.GridLayoutViewRecordParts[K]; }, {0, 1, 2, 3, 4});
  AddElementArray(list, 21, "GridLayoutViewRecordCaptionParts", "Grid",
                  {"LayoutViewRecordCaptionTop", "LayoutViewRecordCaptionBottom", "LayoutViewRecordCaptionLeft",
                   "LayoutViewRecordCaptionRight"},
                  [](TdxSkinInfo& I, int K) -> void* { return &I.GridLayoutViewRecordCaptionParts[K]; }, {0, 1, 2, 3});
  {
    static const char* const text[4] = {"TextColor", "TextDisabledColor", "TextInactiveColor", "TextReadOnlyColor"};
    static const char* const back[4] = {"BackgroundColor", "BackgroundDisabledColor", "BackgroundInactiveColor",
                                        "BackgroundReadOnlyColor"};
    for (int k = 0; k < 4; ++k)
      list.push_back({22, ikColor, "EditorsTextColors", "Editors", nullptr, text[k], false,
                      [](TdxSkinInfo& I, int K) -> void* { return &I.EditorsTextColors[K]; }, k});
    for (int k = 0; k < 4; ++k)
      list.push_back({22, ikColor, "EditorsBackgroundColors", "Editors", nullptr, back[k], false,
                      [](TdxSkinInfo& I, int K) -> void* { return &I.EditorsBackgroundColors[K]; }, k});
  }
#define VW_SKIN_COLOR_ENTRY(N) \
  list.push_back({22, ikColor, "Skin" #N, nullptr, nullptr, #N, false, [](TdxSkinInfo& I, int) -> void* { return &I.Skin##N; }, 0});
  VW_SKININFO_SKIN_COLORS(VW_SKIN_COLOR_ENTRY)
#undef VW_SKIN_COLOR_ENTRY

  std::stable_sort(list.begin(), list.end(),
                   [](const TdxSkinInfoEntry& A, const TdxSkinInfoEntry& B) { return A.Step < B.Step; });
  return list;
}

}  // namespace

const std::vector<TdxSkinInfoEntry>& TdxSkinInfo::Entries() {
  static const EntryList list = BuildEntries();
  return list;
}

// ---- the table ----------------------------------------------------------------------------------

TdxSkinInfo::TdxSkinInfo(TdxSkin* ASkin) {
  ResetMembers();
  try {
    AttachSkin(ASkin);
  } catch (...) {
    // A table that cannot be made is taken down as a finished one is: the skin goes with it.
    ReleaseResolved();
    if (ASkin) ASkin->RemoveListener(this);
    Skin = nullptr;
    delete ASkin;
    throw;
  }
}

TdxSkinInfo::~TdxSkinInfo() {
  TdxSkin* skin = Skin;
  AttachSkin(nullptr);
  delete skin;
}

void TdxSkinInfo::AttachSkin(TdxSkin* ASkin) {
  if (ASkin == Skin) return;
  if (Skin) {
    ReleaseResolved();
    Skin->RemoveListener(this);
  }
  Skin = ASkin;
  if (Skin) Skin->AddListener(this);
  ResolveAll();
}

void TdxSkinInfo::SkinChanged(TdxSkin*) {
  ReleaseResolved();
  ResolveAll();
}

void TdxSkinInfo::FreeScrollInfos() {
  for (auto& row : CommonScrollBarParts)
    for (TdxSkinScrollInfo*& info : row) FreeAndNil(info);
}

void TdxSkinInfo::ReleaseResolved() { FreeScrollInfos(); }

void TdxSkinInfo::ResetMembers() {
  FreeScrollInfos();
  for (const TdxSkinInfoEntry& entry : Entries()) {
    void* slot = entry.Slot(*this, entry.Index);
    switch (entry.Kind) {
      case ikColorValue:
        *static_cast<TColor*>(slot) = clDefault;
        break;
      case ikIntegerValue:
        *static_cast<int*>(slot) = 0;
        break;
      case ikBooleanValue:
        *static_cast<bool*>(slot) = false;
        break;
      default:
        *static_cast<void**>(slot) = nullptr;
        break;
    }
  }
  for (auto& row : FormCaptionButtons)
    for (TdxSkinElement*& e : row) e = nullptr;
  for (win::RECT& r : FormBorderWidths) r = {0, 0, 0, 0};
  FormCaptionFontDelta = 0;
  RibbonFormCaptionTextColor = RibbonTabTextColor = RibbonContextualTabHeaderTextColor = RibbonButtonTextColor =
      RibbonDocumentNameTextColorInactive = clDefault;
}

void TdxSkinInfo::ResolveAll() {
  ResetMembers();
  const EntryList& entries = Entries();
  for (std::size_t i = 0; i < entries.size(); ++i) {
    ResolveEntry(entries[i]);
    if (i + 1 == entries.size() || entries[i + 1].Step != entries[i].Step) FinishStep(entries[i].Step);
  }
}

void TdxSkinInfo::ResolveEntry(const TdxSkinInfoEntry& Entry) {
  void* slot = Entry.Slot(*this, Entry.Index);
  if (Entry.Kind == ikGroup) {
    *static_cast<TdxSkinControlGroup**>(slot) = GroupByName(Entry.Name);
    return;
  }
  if (Entry.Kind == ikElement) {
    *static_cast<TdxSkinElement**>(slot) =
        ElementByName(Skin ? GroupByName(Entry.Group) : nullptr, Entry.Name, Entry.Placeholder);
    return;
  }
  TdxSkinPersistent* owner = nullptr;
  if (Skin) {
    if (!Entry.Group) {
      owner = Skin;
    } else if (TdxSkinControlGroup* group = Skin->GroupByName(Entry.Group)) {
      owner = Entry.Element ? static_cast<TdxSkinPersistent*>(group->ElementByName(Entry.Element)) : group;
    }
  }
  switch (Entry.Kind) {
    case ikColor:
      // Skin-wide colours are the skin's colour list.
      *static_cast<TdxSkinColor**>(slot) =
          owner == Skin && Skin ? Skin->ColorByName(Entry.Name) : ColorByName(owner, Entry.Name);
      break;
    case ikInteger:
      *static_cast<TdxSkinIntegerProperty**>(slot) = IntegerByName(owner, Entry.Name);
      break;
    case ikBoolean:
      *static_cast<TdxSkinBooleanProperty**>(slot) = BooleanByName(owner, Entry.Name);
      break;
    case ikRect: {
      TdxSkinProperty* p = PropertyByName(owner, Entry.Name);
      *static_cast<TdxSkinRectProperty**>(slot) = p ? p->As<TdxSkinRectProperty>() : nullptr;
      break;
    }
    case ikString: {
      TdxSkinProperty* p = PropertyByName(owner, Entry.Name);
      *static_cast<TdxSkinStringProperty**>(slot) = p ? p->As<TdxSkinStringProperty>() : nullptr;
      break;
    }
    case ikColorValue:
      *static_cast<TColor*>(slot) = ColorValueByName(owner, Entry.Name);
      break;
    case ikIntegerValue:
      *static_cast<int*>(slot) = IntegerValueByName(owner, Entry.Name, 0);
      break;
    case ikBooleanValue: {
      TdxSkinBooleanProperty* p = BooleanByName(owner, Entry.Name);
      *static_cast<bool*>(slot) = p && p->Value();
      break;
    }
    default:
      break;
  }
}

void TdxSkinInfo::FinishStep(int Step) {
  switch (Step) {
    case 3:
      for (int k = 0; k < 2; ++k) {
        win::RECT& r = FormBorderWidths[k];
        r = {0, 0, 0, 0};
        if (FormFrames[k][0]) r.left = FormFrames[k][0]->ImageSize().cx;
        if (FormFrames[k][2]) r.right = FormFrames[k][2]->ImageSize().cx;
        if (FormFrames[k][3]) r.bottom = FormFrames[k][3]->ImageSize().cy;
      }
      FormCaptionFontDelta = std::max(1, IntegerValueByName(FormFrames[1][1], "FontDelta", 0));
      break;
    case 11:
      if (GridGridGroupPanel && !GridGridGroupPanel->Image()->IsEmpty()) GridGridGroupPanel->SetColor(clNone);
      break;
    case 15:
      if (FormFormContent) {
        if (PageControlTabButtonHorz) PageControlTabButtonHorz->SetColor(FormFormContent->Color());
        if (PageControlTabButtonVert) PageControlTabButtonVert->SetColor(FormFormContent->Color());
      }
      break;
    case 17:
      if (FormFormContent && CommonScrollButton) CommonScrollButton->SetColor(FormFormContent->Color());
      // The old parts are freed and their references cleared before the new ones are made.
      FreeScrollInfos();
      if (Skin) {
        CommonScrollBarParts[0][1] = new TdxSkinScrollInfo(CommonScrollButton, 0);
        CommonScrollBarParts[0][2] = new TdxSkinScrollInfo(CommonScrollButton, 1);
        CommonScrollBarParts[1][1] = new TdxSkinScrollInfo(CommonScrollButton, 2);
        CommonScrollBarParts[1][2] = new TdxSkinScrollInfo(CommonScrollButton, 3);
        CommonScrollBarParts[0][3] = new TdxSkinScrollInfo(CommonScrollThumbVert, 0);
        CommonScrollBarParts[1][3] = new TdxSkinScrollInfo(CommonScrollThumbHorz, 0);
        CommonScrollBarParts[0][4] = new TdxSkinScrollInfo(CommonScrollContentVert, 0);
        CommonScrollBarParts[0][5] = new TdxSkinScrollInfo(CommonScrollContentVert, 0);
        CommonScrollBarParts[1][4] = new TdxSkinScrollInfo(CommonScrollContentHorz, 0);
        CommonScrollBarParts[1][5] = new TdxSkinScrollInfo(CommonScrollContentHorz, 0);
      }
      break;
    case 18:
      RibbonFormCaptionTextColor = RibbonFormCaption ? RibbonFormCaption->TextColor() : clDefault;
      RibbonTabTextColor = RibbonTab ? RibbonTab->TextColor() : clDefault;
      RibbonContextualTabHeaderTextColor = RibbonContextualTabHeader ? RibbonContextualTabHeader->TextColor() : clDefault;
      RibbonButtonTextColor = RibbonButton ? RibbonButton->TextColor() : clDefault;
      RibbonDocumentNameTextColorInactive = RibbonFormCaptionTextColorInactive;
      break;
    default:
      break;
  }
}

// ---- lookups ------------------------------------------------------------------------------------

TdxSkinControlGroup* TdxSkinInfo::GroupByName(const String& AName) {
  if (!Skin) return nullptr;
  TdxSkinControlGroup* group = Skin->GroupByName(AName);
  return group ? group : Skin->AddGroup(AName);
}

TdxSkinElement* TdxSkinInfo::ElementByName(TdxSkinControlGroup* Group, const String& AName, bool CreatePlaceholder) {
  if (!Group) return nullptr;
  TdxSkinElement* element = Group->ElementByName(AName);
  if (!element && CreatePlaceholder) element = CreatePlaceholderElement(Group, AName);
  return element;
}

TdxSkinProperty* TdxSkinInfo::PropertyByName(TdxSkinPersistent* Persistent, const String& AName) {
  return Persistent ? Persistent->PropertyByName(AName) : nullptr;
}

TdxSkinColor* TdxSkinInfo::ColorByName(TdxSkinPersistent* Persistent, const String& AName) {
  TdxSkinProperty* p = PropertyByName(Persistent, AName);
  return p ? p->As<TdxSkinColor>() : nullptr;
}

TdxSkinBooleanProperty* TdxSkinInfo::BooleanByName(TdxSkinPersistent* Persistent, const String& AName) {
  TdxSkinProperty* p = PropertyByName(Persistent, AName);
  return p ? p->As<TdxSkinBooleanProperty>() : nullptr;
}

TdxSkinIntegerProperty* TdxSkinInfo::IntegerByName(TdxSkinPersistent* Persistent, const String& AName) {
  TdxSkinProperty* p = PropertyByName(Persistent, AName);
  return p ? p->As<TdxSkinIntegerProperty>() : nullptr;
}

TColor TdxSkinInfo::ColorValueByName(TdxSkinPersistent* Persistent, const String& AName) {
  TdxSkinColor* c = ColorByName(Persistent, AName);
  return c ? c->Value() : clDefault;
}

int TdxSkinInfo::IntegerValueByName(TdxSkinPersistent* Persistent, const String& AName, int Default) {
  TdxSkinIntegerProperty* p = IntegerByName(Persistent, AName);
  return p ? p->Value() : Default;
}

TdxSkinElement* TdxSkinInfo::CreatePlaceholderElement(TdxSkinControlGroup* Group, const String& AName) {
  TdxSkinElement* element = Group->AddElement(AName);
  element->Image()->SetStates(StateBit(esNormal));
  element->Image()->SetStretch(smStretch);
  TBitmap cross;
  cross.SetSize(32, 32);
  cross.Canvas()->Pen()->SetColor(static_cast<TColor>(0x0000FF));
  cross.Canvas()->Pen()->SetWidth(2);
  cross.Canvas()->MoveTo(0, 0);
  cross.Canvas()->LineTo(32, 32);
  cross.Canvas()->MoveTo(0, 32);
  cross.Canvas()->LineTo(32, 0);
  element->Image()->Texture()->TakeGraphic(&cross);
  return element;
}

TBitmap* TdxSkinInfo::SkinIcon(bool Large) {
  TdxSkinElement* icon = CommonSkinIcons[Large ? 1 : 0];
  if (icon && !icon->Image()->IsEmpty()) return icon->Image()->Texture()->MakeVclBitmap();
  TResourceStream stream(win::GetModuleHandle(nullptr), Large ? "DEFAULTSKINICONLARGE" : "DEFAULTSKINICONSMALL",
                         "DXSKINS");
  TdxPNGImage picture;
  picture.LoadFromStream(&stream);
  return picture.MakeVclBitmap();
}
