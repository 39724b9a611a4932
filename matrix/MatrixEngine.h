#pragma once
// The matrix switch as the console sends it: the settings read from the windows at the moment of
// sending, a sink that puts the sends on the grid console's links and logs, and the program's one
// blocking pause. The scenes, presets and browsing send through the same three.
#include <cstdint>

#include "matrix/MatrixSends.h"

// Blocks the UI thread for `ms` milliseconds of the platform clock; a negative count is no pause.
// A pause typed in a box is converted with StrToInt first, so a bad entry raises its message.
void BlockingPause(std::int64_t ms);

// The console state a matrix command depends on, from the grid console, the matrix configuration
// and the boot window as they stand now. Nothing is cached between calls.
MatrixSettings ReadMatrixSettings();

// Plays matrix sends on the grid console's links: video-matrix and RGB-matrix writes through its
// writers, screen-port writes straight to its screen port whatever the link mode, pauses through
// BlockingPause, log lines to the grid console's log and, when asked, the hybrid console's.
class ConsoleMatrixSink final : public MatrixSink {
 public:
  void Write(MatrixLink link, const unsigned char* data, std::size_t length) override;
  void Pause(int ms) override;
  void Log(unsigned boxes, const String& line) override;
};

// Routes `input` (from 1) to the output `outputIndex` (from 0) with the make configured for the
// grid console's current signal type. A conversion error raises after the sends before it.
void BuildMatrixSwitch(int outputIndex, int input);
