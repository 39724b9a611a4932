#pragma once
// Pictures the operator puts beside the program ("logo.jpg", "clogo.jpg") are read by what they
// hold, not by their names: a bitmap or a PNG under a .jpg name still shows, and a file that is no
// picture counts as missing. Every console's loading, the splicing settings and the boot window
// read their logos through here.
#include "platform/classes/Picture.h"

// Loads a JPEG, a bitmap or a PNG into Picture. False, with Picture as it was, when the file
// cannot be read or holds no picture that decodes.
bool LoadPictureFile(TPicture* Picture, const String& FileName);
