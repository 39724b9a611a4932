#include <gtest/gtest.h>

#include "ui/controls/LibraryStrings.h"

namespace {

using namespace cxLibraryStrings;

TdxProductResourceStrings* Product(const char* Title) {
  TdxResourceStringsRepository* repository = GetResourceStringsRepository();
  int index = repository->IndexOfProduct(Title);
  return index < 0 ? nullptr : repository->ProductAt(index);
}

String TextOf(TdxProductResourceStrings* P, const String& Name) {
  int index = P->ResStringNames()->IndexOf(Name);
  return index < 0 ? "<missing>" : GetLocalizedResString(P->ResStringAt(index));
}

TEST(LibraryStrings, FiveProductsAreRegisteredAtStartUp) {
  const struct {
    const char* title;
    int count;
  } products[] = {{"Data Controller Library", 12},
                  {"Core Library", 24},
                  {"Editors Library", 103},
                  {"Data Filter Library", 50},
                  {"Filter Control Library", 35}};
  int total = 0;
  for (const auto& p : products) {
    SCOPED_TRACE(p.title);
    TdxProductResourceStrings* product = Product(p.title);
    ASSERT_NE(product, nullptr);
    EXPECT_EQ(product->ResStringCount(), p.count);
    total += product->ResStringCount();
  }
  EXPECT_EQ(total, 224);

  const struct {
    const char* product;
    const char* name;
    const char* text;
  } samples[] = {
      {"Data Controller Library", "cxSDataReadError", "Stream read error"},
      {"Core Library", "scxCantCreateRegistryKey", "Can't create the registry key: \\%s"},
      {"Core Library", "cxSDateNow", "now"},
      {"Editors Library", "cxSEditCheckBoxGrayed", ""},
      {"Editors Library", "cxSRadioGroupDefaultCaption", ""},
      {"Editors Library", "scxRegExprIncorrectSpace", "The space character is not allowed after '\\'"},
      {"Editors Library", "scxSEditRepositoryMaskItem", "MaskEdit|Represents a generic masked edit control."},
      {"Editors Library", "cxSSpinEditInvalidNumericValue", "Invalid numeric value"},
      {"Data Filter Library", "cxSFilterBoxNonBlanksCaption", "(NonBlanks)"},
      {"Filter Control Library", "cxSFilterControlDialogFileFilter", "Filters (*.flt)|*.flt"},
  };
  for (const auto& s : samples) {
    SCOPED_TRACE(s.name);
    EXPECT_EQ(TextOf(Product(s.product), s.name), s.text);
  }
}

TEST(LibraryStrings, ReplacementsAreKeptPerIdentifier) {
  // Equal texts under different names are separate entries.
  ASSERT_EQ(cxGetResourceString(cxSEditCheckBoxChecked), "True");
  ASSERT_EQ(cxGetResourceString(cxSTextTrue), "True");
  cxSetResourceStringReplacement("cxSTextTrue", "\xE6\x98\xAF");
  EXPECT_EQ(cxGetResourceString(cxSTextTrue), "\xE6\x98\xAF");
  EXPECT_EQ(cxGetResourceString(cxSEditCheckBoxChecked), "True");
  // The compiled text stays what the stream errors load directly.
  EXPECT_EQ(GetLocalizedResString(cxSTextTrue), "True");
  cxRemoveResourceStringReplacement("cxSTextTrue");
  EXPECT_EQ(cxGetResourceString(cxSTextTrue), "True");
}

TEST(LibraryStrings, UnregisterAndRegisterAgain) {
  UnregisterLibraryStrings();
  EXPECT_EQ(Product("Core Library"), nullptr);
  RegisterLibraryStrings();
  RegisterLibraryStrings();  // once only
  TdxResourceStringsRepository* repository = GetResourceStringsRepository();
  for (const char* title : cxLibraryStringProducts) {
    int listed = 0;
    for (int i = 0; i < repository->ProductCount(); ++i) listed += repository->ProductAt(i)->Name() == title;
    EXPECT_EQ(listed, 1) << title;
  }
}

}  // namespace
