#pragma once
// A "cfg.ini" as a wall of 15 x 15 screens leaves it after long use: every cell named, wired and
// coloured, scenes and matrix inputs named. The cell colours were set last, so they come last.
#include <fcntl.h>
#include <sys/stat.h>

#include <ctime>
#include <fstream>
#include <string>

inline void WriteFullConfig(const std::string& folder) {
  std::ofstream out(folder + "/cfg.ini");
  out << "[config]\nsoftwareChooseMode=1\nsoftwareType=1\ncaption=Wall\nUSER=operator\nname=LCD WALL\n"
         "row=15\ncol=15\nlanguage=0\n[StartAnimation]\nheight=400\nwidth=500\nlogoPath=logo.jpg\nifshow=0\n"
         "Still=3\n[setting]\ncom port=1\ncom port A=2\ncom port B=3\nauto open port=0\nmux_delay1=100\n"
         "mux_delay2=100\n[SkinName]\nSkin=Blue\n";
  out << "[scene]\n";
  for (int i = 1; i <= 64; ++i) out << "scene" << i << "=scene " << i << "\n";
  out << "[maxtixname]\n";
  for (int i = 0; i < 64; ++i) out << i << "=input " << i + 1 << "\n";
  for (const char* section : {"AVmux", "VGAmux", "DVImux"}) {
    out << "[" << section << "]\n";
    for (int i = 0; i < 225; ++i) out << i << "=" << i + 1 << "\n";
  }
  for (const char* section : {"cellSignal", "cellAddress"}) {
    out << "[" << section << "]\n";
    for (int r = 1; r <= 15; ++r)
      for (int c = 1; c <= 15; ++c) out << r << "," << c << "=HDMI\n";
  }
  out << "[cellName]\n";
  for (int r = 1; r <= 15; ++r)
    for (int c = 1; c <= 15; ++c)
      for (const char* type : {"VIDEO", "VGA", "DVI", "HDMI"})
        out << r << "," << c << "," << type << "=" << type << " " << r << "-" << c << "\n";
  // Names and numbers, as the cell colour dialog and hand edits leave them.
  const char* colours[] = {"clRed", "clLime", "clSkyBlue", "$0080FF", "clYellow", "255", "clMoneyGreen", "clAqua"};
  out << "[stringgrid]\n";
  for (int r = 1; r <= 15; ++r)
    for (int c = 1; c <= 15; ++c) out << r << "," << c << "=" << colours[(r * 15 + c) % 8] << "\n";
  out.close();
  // Written long before the program reads it, as in the field.
  const timespec times[2] = {{0, UTIME_OMIT}, {std::time(nullptr) - 3600, 0}};
  utimensat(AT_FDCWD, (folder + "/cfg.ini").c_str(), times, 0);
}
