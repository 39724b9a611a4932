#pragma once
// The texts a window shows, for the tests that read a whole window in each interface language: every
// visible control's caption (and each page's tab), by window and component, dumped beside the
// window's screenshot so that a reader can set the two side by side.
#include <string>
#include <vector>

class TWinControl;

namespace sweep {

struct TShownText {
  std::string Window;
  std::string Component;
  std::string Text;
};

// Visible controls with a non-empty caption, in the order of the window's control tree.
std::vector<TShownText> VisibleTexts(TWinControl* window);

// Writes the texts as "window<TAB>component<TAB>text" lines to the named artifact.
void WriteTextDump(const std::vector<TShownText>& texts, const std::string& artifact);

// Texts holding anything beyond ASCII: in English, these are the ones a translation may have missed.
std::vector<TShownText> NonAsciiTexts(const std::vector<TShownText>& texts);

// Texts holding a Chinese character (CJK ideographs and the full-width forms and punctuation that go
// with them); unlike NonAsciiTexts, arrows and degree signs a window shows in both languages pass.
std::vector<TShownText> ChineseTexts(const std::vector<TShownText>& texts);

}  // namespace sweep
