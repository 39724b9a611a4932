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
  if (!text.empty()) out.push_back({window, control->Name(), text});
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

std::vector<TShownText> NonAsciiTexts(const std::vector<TShownText>& texts) {
  std::vector<TShownText> out;
  std::copy_if(texts.begin(), texts.end(), std::back_inserter(out), [](const TShownText& shown) {
    return std::any_of(shown.Text.begin(), shown.Text.end(), [](char c) { return static_cast<unsigned char>(c) >= 0x80; });
  });
  return out;
}

}  // namespace sweep
