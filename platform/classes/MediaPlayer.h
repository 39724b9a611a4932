#pragma once
// The media player: opens a media file, shows its picture in a Display control and plays it.
// There is no playback engine yet, so every file fails to open with the error the player reports
// for a file it cannot play; the calls that need an open device report that it is not open.
#include "platform/classes/Controls.h"

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
  // The control the picture shows in (the player itself when none), and where in it.
  TWinControl* Display() const { return FDisplay; }
  void SetDisplay(TWinControl* Value);
  win::RECT DisplayRect() const { return FDisplayRect; }
  void SetDisplayRect(const win::RECT& Value);
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
