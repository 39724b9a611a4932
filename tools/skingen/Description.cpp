#include "tools/skingen/Description.h"

#include <fstream>
#include <map>
#include <functional>
#include <sstream>
#include <stdexcept>

namespace skingen {

namespace {

std::string Trim(const std::string& s) {
  std::size_t b = s.find_first_not_of(" \t\r"), e = s.find_last_not_of(" \t\r");
  return b == std::string::npos ? std::string() : s.substr(b, e - b + 1);
}

}  // namespace

Description ParseDescription(const std::string& text, const std::string& fileName) {
  Description d;
  std::map<std::string, bool> seen;
  int lineNo = 0;
  auto fail = [&](const std::string& message) {
    throw std::runtime_error(fileName + ":" + std::to_string(lineNo) + ": " + message);
  };
  auto colour = [&](const std::string& v) {
    if (v.size() != 7 || v[0] != '#') fail("expected a colour #RRGGBB, not \"" + v + "\"");
    unsigned long n = 0;
    for (std::size_t i = 1; i < 7; ++i) {
      char c = v[i];
      int digit = c >= '0' && c <= '9' ? c - '0' : c >= 'a' && c <= 'f' ? c - 'a' + 10 : c >= 'A' && c <= 'F' ? c - 'A' + 10 : -1;
      if (digit < 0) fail("expected a colour #RRGGBB, not \"" + v + "\"");
      n = n * 16 + static_cast<unsigned long>(digit);
    }
    return Rgba{static_cast<std::uint8_t>(n >> 16), static_cast<std::uint8_t>(n >> 8), static_cast<std::uint8_t>(n), 255};
  };
  auto number = [&](const std::string& v, double lo, double hi) {
    std::size_t used = 0;
    double n = 0;
    try {
      n = std::stod(v, &used);
    } catch (const std::exception&) {
      used = 0;
    }
    if (used != v.size() || n < lo || n > hi)
      fail("expected a number from " + std::to_string(lo) + " to " + std::to_string(hi) + ", not \"" + v + "\"");
    return n;
  };
  Palette& p = d.palette;
  const std::map<std::string, std::function<void(const std::string&)>> keys = {
      {"stream", [&](const std::string& v) { d.streamName = v; }},
      {"display", [&](const std::string& v) { d.displayName = v; }},
      {"group", [&](const std::string& v) { d.groupName = v; }},
      {"listed",
       [&](const std::string& v) {
         if (v != "yes" && v != "no") fail("expected yes or no, not \"" + v + "\"");
         d.listed = v == "yes";
       }},
      {"radius", [&](const std::string& v) { d.radius = number(v, 0, 6); }},
      {"gradient", [&](const std::string& v) { d.gradient = number(v, 0, 1); }},
      {"highlight", [&](const std::string& v) { d.highlight = number(v, 0, 1); }},
      {"hot-lighten", [&](const std::string& v) { d.hotLighten = number(v, 0, 1); }},
      {"hot-tint", [&](const std::string& v) { d.hotTint = number(v, 0, 1); }},
      {"pressed-darken", [&](const std::string& v) { d.pressedDarken = number(v, 0, 1); }},
      {"face-light", [&](const std::string& v) { p.faceLight = colour(v); }},
      {"face-dark", [&](const std::string& v) { p.faceDark = colour(v); }},
      {"border", [&](const std::string& v) { p.border = colour(v); }},
      {"accent", [&](const std::string& v) { p.accent = colour(v); }},
      {"text", [&](const std::string& v) { p.text = colour(v); }},
      {"disabled-text", [&](const std::string& v) { p.disabledText = colour(v); }},
      {"content", [&](const std::string& v) { p.content = colour(v); }},
      {"selection", [&](const std::string& v) { p.selection = colour(v); }},
      {"caption", [&](const std::string& v) { p.caption = colour(v); }},
      {"window", [&](const std::string& v) { p.window = colour(v); }},
      {"content-text", [&](const std::string& v) { p.contentText = colour(v); }},
      {"caption-text", [&](const std::string& v) { p.captionText = colour(v); }},
      {"caption-shadow", [&](const std::string& v) { p.captionShadow = colour(v); }},
  };
  std::istringstream in(text);
  std::string line;
  while (std::getline(in, line)) {
    ++lineNo;
    // "# " starts a comment; a colour "#RRGGBB" has no space after its '#'.
    if (std::size_t c = line.find("# "); c != std::string::npos) line.resize(c);
    if (Trim(line) == "#") line.clear();
    line = Trim(line);
    if (line.empty()) continue;
    std::size_t space = line.find_first_of(" \t");
    std::string key = line.substr(0, space), value = space == std::string::npos ? "" : Trim(line.substr(space));
    auto it = keys.find(key);
    if (it == keys.end()) fail("unknown key \"" + key + "\"");
    if (value.empty()) fail("\"" + key + "\" needs a value");
    if (seen[key]) fail("\"" + key + "\" given twice");
    seen[key] = true;
    it->second(value);
  }
  for (const char* required : {"stream", "display", "face-light", "face-dark", "border", "accent", "text",
                               "disabled-text", "content", "selection", "caption", "window"})
    if (!seen[required]) throw std::runtime_error(fileName + ": \"" + required + "\" is missing");
  return d;
}

Description LoadDescription(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  if (!file) throw std::runtime_error("cannot read " + path);
  std::stringstream text;
  text << file.rdbuf();
  return ParseDescription(text.str(), path);
}

}  // namespace skingen
