#pragma once
// The media player: opens a video file, shows its picture in a Display control and plays it.
// Frames are shown at their presentation times on the platform clock; frames that come due while
// an earlier one is still being caught up are dropped, and a hidden display shows none. At the end
// the last frame stays and the mode becomes stopped. Sound is not played.
#include <cstdint>
#include <memory>

#include "platform/classes/Controls.h"
#include "platform/media/Video.h"

class TTimer;

VW_DECLARE_EXCEPTION(EMCIDeviceError, Exception);

VW_ENUM(TMPDeviceTypes, dtAutoSelect, dtAVIVideo, dtCDAudio, dtDAT, dtDigitalVideo, dtMMMovie, dtOther, dtOverlay,
        dtScanner, dtSequencer, dtVCR, dtVideodisc, dtWaveAudio)
VW_ENUM(TMPModes, mpNotReady, mpStopped, mpPlaying, mpRecording, mpSeeking, mpPaused, mpOpen)

class TMediaPlayer : public TCustomControl {
  VW_CLASS(TMediaPlayer, TCustomControl)
 public:
  explicit TMediaPlayer(TComponent* AOwner);
  ~TMediaPlayer() override;
  static void DeclareProperties(TPropTable& t);

  const String& FileName() const { return FFileName; }
  void SetFileName(const String& Value) { FFileName = Value; }
  TMPDeviceTypes DeviceType() const { return FDeviceType; }
  void SetDeviceType(TMPDeviceTypes Value) { FDeviceType = Value; }
  bool AutoOpen() const { return FAutoOpen; }
  void SetAutoOpen(bool Value) { FAutoOpen = Value; }
  // The control the picture shows in, and where in it: the picture is stretched to the rectangle,
  // which is the video's own size until set. The picture lies in a window of its own over the
  // display that lets the mouse through, so the display's clicks and cursor stay its own.
  TWinControl* Display() const { return FDisplay; }
  void SetDisplay(TWinControl* Value);
  win::RECT DisplayRect() const { return FDisplayRect; }
  void SetDisplayRect(const win::RECT& Value);
  // Milliseconds from the start, and the whole length; 0 while nothing is open.
  std::int64_t Position() const;
  std::int64_t Length() const;
  TMPModes Mode() const { return FMode; }
  // The code of the last failure (0 after a success) and its text.
  int Error() const { return FError; }
  const String& ErrorMessage() const { return FErrorMessage; }

  // Each raises EMCIDeviceError with the device's message when it fails.
  void Open();
  void Play();
  void Stop();
  void Pause();
  void Close();

  TNotifyEvent OnNotify;

 protected:
  void Paint() override;
  void Loaded() override;
  void Notification(TComponent* AComponent, TOperation Operation) override;

 private:
  [[noreturn]] void Fail(int Code, const char* Message);
  void CheckOpen();
  void Advance();
  void Schedule(std::int64_t DelayMs);
  void Halt(TMPModes Mode);
  bool DisplayShowing() const;
  void UpdateSurface();
  void DestroySurface();
  static win::LRESULT SurfaceProc(win::HWND hwnd, win::UINT msg, win::WPARAM wParam, win::LPARAM lParam);
  void PaintSurface(win::HWND hwnd);

  std::unique_ptr<platform::media::VideoReader> FReader;
  platform::media::VideoPicture FPicture;
  TTimer* FTimer = nullptr;
  win::HWND FSurface = nullptr;
  std::uint64_t FStartMs = 0;     // the clock's time at position 0 while playing
  std::int64_t FPositionMs = 0;   // the position while not playing
  bool FPending = false;          // the reader holds a frame not shown yet
  bool FStale = false;            // the picture shown is older than the frame due
  bool FDisplayRectSet = false;

  String FFileName;
  String FErrorMessage;
  TWinControl* FDisplay = nullptr;
  win::RECT FDisplayRect{0, 0, 0, 0};
  int FError = 0;
  TMPDeviceTypes FDeviceType = dtAutoSelect;
  TMPModes FMode = mpNotReady;
  bool FAutoOpen = false;
  bool FOpen = false;
};
