#pragma once
// Pictures the operator puts beside the program ("logo.jpg", "clogo.jpg") are read by what they
// hold, not by their names: a bitmap renamed to .jpg still shows, and a file that is no picture
// counts as missing.
#include "platform/classes/Picture.h"

// Loads a JPEG or a bitmap into Picture. False, with Picture as it was, when the file cannot be
// read or holds no picture that decodes.
bool LoadPictureFile(TPicture* Picture, const String& FileName);
