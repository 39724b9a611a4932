#include "tests/console/grid/TextSweep.h"

#include <algorithm>
#include <fstream>

#include "platform/classes/Controls.h"
#include "tests/support/Artifacts.h"
#include "ui/pages/PageControl.h"

namespace sweep {
namespace {

void Collect(const std::string& window, TControl* control, std::vector<TShownText>& out) {
  // A page's tab shows its caption while another page is in front.
  auto* page = dynamic_cast<TcxTabSheet*>(control);
  if (page ? !page->TabVisible() : !control->Visible()) return;
  const std::string text = control->Caption();
  // A labelled edit's label is named for its edit: "LabeledEdit1.SubLabel".
  std::string name = control->Name();
  if (control->ComponentStyle().Contains(csSubComponent) && control->Owner())
    name = control->Owner()->Name() + "." + name;
  if (!text.empty()) out.push_back({window, name, text});
  if (page && !page->Visible()) return;
  if (auto* parent = dynamic_cast<TWinControl*>(control))
    for (int i = 0; i < parent->ControlCount(); ++i) Collect(window, parent->Controls(i), out);
}

}  // namespace

std::vector<TShownText> VisibleTexts(TWinControl* window) {
  std::vector<TShownText> out;
  Collect(window->Name(), window, out);
  return out;
}

void WriteTextDump(const std::vector<TShownText>& texts, const std::string& artifact) {
  std::ofstream file(testsupport::ArtifactPath(artifact), std::ios::binary);
  for (const TShownText& shown : texts) file << shown.Window << '\t' << shown.Component << '\t' << shown.Text << '\n';
}

namespace {

bool IsChinese(char32_t c) {
  return (c >= 0x3000 && c <= 0x303F) || (c >= 0x3400 && c <= 0x9FFF) || (c >= 0xF900 && c <= 0xFAFF) ||
         (c >= 0xFF00 && c <= 0xFFEF);
}

bool HoldsChinese(const std::string& text) {
  for (std::size_t i = 0; i < text.size();) {
    const auto lead = static_cast<unsigned char>(text[i]);
    const std::size_t length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
    char32_t c = length == 1 ? lead : lead & (0x7F >> length);
    for (std::size_t k = 1; k < length && i + k < text.size(); ++k) c = (c << 6) | (text[i + k] & 0x3F);
    if (IsChinese(c)) return true;
    i += length;
  }
  return false;
}

}  // namespace

std::vector<TShownText> ChineseTexts(const std::vector<TShownText>& texts) {
  std::vector<TShownText> out;
  std::copy_if(texts.begin(), texts.end(), std::back_inserter(out),
               [](const TShownText& shown) { return HoldsChinese(shown.Text); });
  return out;
}

std::vector<TShownText> NonAsciiTexts(const std::vector<TShownText>& texts) {
  std::vector<TShownText> out;
  std::copy_if(texts.begin(), texts.end(), std::back_inserter(out), [](const TShownText& shown) {
    return std::any_of(shown.Text.begin(), shown.Text.end(), [](char c) { return static_cast<unsigned char>(c) >= 0x80; });
  });
  return out;
}

}  // namespace sweep
