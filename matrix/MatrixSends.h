#pragma once
// What one matrix switch or preset puts on the wire, as a plain sequence of steps.
//
// Building a sequence reads nothing but its arguments and sleeps nowhere; the console plays it
// through a MatrixSink that owns the links, the clock and the log boxes. Tests record instead.
#include <cstddef>
#include <string>
#include <vector>

#include "platform/classes/SysUtils.h"

// A make list of the matrix configuration as the engine sees it: the chosen item's index (-1 for
// a typed name that is no item) and the text shown in the box.
struct MatrixChoice {
  int ItemIndex = -1;
  String Text;
};

// The console state a matrix command depends on, read by the caller at the moment of sending.
struct MatrixSettings {
  // Grid console.
  int SignalIndex = -1;   // signal-type box: 0 VIDEO, 1 VGA, 2 DVI, 3 HDMI, 4 SDI, 5 YUV, 6 VIDEO2
  String SignalText;      // the same box's text
  String ModelLabel;      // make configured for the current signal type
  bool Linkage = false;   // matrix linkage box (presets only)
  bool DebugMode = false; // engineering mode: log what is sent

  // Matrix configuration.
  MatrixChoice VideoMake, VgaMake, DviMake, HdmiMake;
  String VideoId, VgaId, DviId, HdmiId;  // id boxes, exactly as typed
  String OutputBase, InputBase;          // base boxes, exactly as typed
};

enum class MatrixLink {
  VideoMatrix,  // written with WriteVideoMatrix
  RgbMatrix,    // written with WriteRgbMatrix
  ScreenPort,   // written straight to the screen link's serial port, whatever the link mode
};

// Log boxes a line goes to; a set of flags.
enum MatrixLogBox : unsigned {
  mlbGridConsole = 1,    // the grid console's log
  mlbHybridConsole = 2,  // the hybrid-matrix console's log
};

struct MatrixStep {
  enum class Kind { Write, Pause, Log };

  Kind kind = Kind::Write;
  MatrixLink link = MatrixLink::VideoMatrix;  // Write
  std::string bytes;                          // Write: one write call, exactly these bytes
  int ms = 0;                                 // Pause: a blocking sleep
  unsigned boxes = 0;                         // Log: MatrixLogBox flags
  String line;                                // Log: UTF-8 text of the line

  bool operator==(const MatrixStep&) const = default;
};

struct MatrixSends {
  std::vector<MatrixStep> Steps;
  // The message of a conversion that stopped the commands after Steps; empty when none did.
  // The steps before it are still played: earlier makes of the same call are already switched.
  String Failure;
  // Scene commands only: the make keeps its scenes in the console (recording and replay)
  // rather than in the matrix, and nothing was sent for it.
  bool NativeScene = false;
};

class MatrixSink {
 public:
  virtual ~MatrixSink() = default;
  virtual void Write(MatrixLink link, const unsigned char* data, std::size_t length) = 0;
  virtual void Pause(int ms) = 0;
  virtual void Log(unsigned boxes, const String& line) = 0;
};

// Plays the steps in order, then raises the recorded failure as an EConvertError, so that a caller
// that does not catch it stops where the original handler stopped.
void PlayMatrixSends(const MatrixSends& sends, MatrixSink& sink);
