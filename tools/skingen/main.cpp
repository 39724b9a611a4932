// The skin generator: draws every element image of the built-in skins from their descriptions
// and writes the skin streams, the default skin icons and the skin list file.
//
//   skingen <descriptions folder> <output folder> [--textures <folder>]
//
// Every "<Name>.skin" of the folder becomes "<NAME>.dxskin" (the resource name is the stream
// name in capitals); the listed skins, in the order of their file names, go into
// "AllSkins.skinres". --textures also writes each element's images as PNG files to look at.
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>
#include <vector>

#include "tools/skingen/Catalogue.h"
#include "tools/skingen/Png.h"

namespace fs = std::filesystem;
using namespace skingen;

namespace {

void WriteFile(const fs::path& path, const std::vector<std::uint8_t>& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  if (!out) throw std::runtime_error("cannot write " + path.string());
}

std::string Upper(std::string s) {
  for (char& c : s) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return s;
}

void DumpTextures(const Skin& skin, const fs::path& dir) {
  fs::create_directories(dir);
  for (const Group& g : skin.groups)
    for (const Element& e : g.elements)
      for (const auto& [image, suffix] : {std::pair{&e.image, "_Image.png"}, std::pair{&e.glyph, "_Glyph.png"}})
        if (!image->texture.Empty())
          WriteFile(dir / (skin.name + "_" + g.name + "_" + e.name + suffix), EncodePng(image->texture));
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<std::string> args(argv + 1, argv + argc);
  fs::path textures;
  if (auto it = std::find(args.begin(), args.end(), "--textures"); it != args.end() && it + 1 != args.end()) {
    textures = *(it + 1);
    args.erase(it, it + 2);
  }
  if (args.size() != 2) {
    std::cerr << "usage: skingen <descriptions folder> <output folder> [--textures <folder>]\n";
    return 2;
  }
  try {
    std::vector<fs::path> files;
    for (const auto& entry : fs::directory_iterator(args[0]))
      if (entry.path().extension() == ".skin") files.push_back(entry.path());
    std::sort(files.begin(), files.end());
    if (files.empty()) throw std::runtime_error("no skin descriptions in " + args[0]);
    fs::path out = args[1];
    fs::create_directories(out);
    std::vector<std::vector<std::uint8_t>> listed;
    for (const fs::path& file : files) {
      Description d = LoadDescription(file.string());
      Skin skin = BuildSkin(d);
      if (auto poor = PoorContrast(skin, 4.5); !poor.empty()) {
        for (const TextOnFace& t : poor)
          std::cerr << file.string() << ": " << t.what << " is hard to read on its face (contrast "
                    << Contrast(FromColor(t.text), t.face) << " : 1, below 4.5 : 1)\n";
        return 1;
      }
      std::vector<std::uint8_t> stream = WriteSkin(skin);
      WriteFile(out / (Upper(d.streamName) + ".dxskin"), stream);
      if (d.listed) listed.push_back(std::move(stream));
      if (!textures.empty()) DumpTextures(skin, textures);
    }
    WriteFile(out / "AllSkins.skinres", WriteContainer(listed));
    WriteFile(out / "DEFAULTSKINICONSMALL.png", EncodePng(DefaultSkinIcon(16)));
    WriteFile(out / "DEFAULTSKINICONLARGE.png", EncodePng(DefaultSkinIcon(32)));
  } catch (const std::exception& e) {
    std::cerr << "skingen: " << e.what() << "\n";
    return 1;
  }
  return 0;
}
