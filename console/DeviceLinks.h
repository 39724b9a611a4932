#pragma once
// The device links every console sends on: three serial ports (the screens, the video matrix, the
// RGB matrix) and one TCP client for the network serial bridge, all owned by the grid console.
//
// The routines here are the one implementation of opening, closing and sending; each console calls
// them with what it does differently (the status bar it writes, its language flag and texts, the
// refresh it runs afterwards, the order of its frame logs). Which link a send takes is decided at
// every send from the communication settings as they stand at that moment (TLinkSettings).
#include <array>
#include <cstdint>
#include <functional>
#include <initializer_list>

#include "platform/classes/Strings.h"
#include "platform/classes/TcpClient.h"
#include "console/serial/Comm.h"

// The communication settings as the senders read them.
struct TLinkSettings {
  bool Serial = true;        // serial ports, else the TCP link
  String ScreenPort;         // p: the screens' port name ("COM1")
  String VideoPort;          // pA
  String RgbPort;            // pB
  bool VideoOwnPort = false; // the video matrix is on port A
  bool RgbOwnPort = false;   // the RGB matrix is on port B
  String Address;            // the bridge's address and TCP port
  String Port;
};

// The links themselves: the grid console's components, whichever console uses them.
struct TDeviceLinks {
  TComm* Screen = nullptr;
  TComm* Video = nullptr;
  TComm* Rgb = nullptr;
  TTcpClient* Client = nullptr;
};

// What a console's own texts are where the consoles differ.
struct TLinkTexts {
  // Follows "open" + port in English, and "打开" + port in Chinese.
  const char* OpenFailedEnglish;
  const char* OpenFailedChinese;
  // The English state of a closed or failed network link (after the address and port).
  const char* NetworkClosedEnglish;
};

inline constexpr TLinkTexts kGridLinkTexts{"error，please check it！", "错误，请确认该串口是否存在或被其他程序占用！",
                                           " Disconnect"};
inline constexpr TLinkTexts kSplicingLinkTexts{"error，please check it！",
                                                "错误，请确认该串口是否存在或被其他程序占用！", " Closed"};
inline constexpr TLinkTexts kHybridLinkTexts{"error，please check it!", "错误，请确认该串口是否存在或被其他程序占用!",
                                             " Closed"};

// The console a link operation runs for.
struct TLinkConsole {
  std::function<void(const String&)> SetStatus;  // the link state panel
  bool English = false;
  TLinkTexts Texts = kGridLinkTexts;
  std::uint8_t* LinkOpen = nullptr;  // the program's "links are open" flag
  std::function<void()> Refresh;     // the control states that follow the flags
};

// The message both consoles show when the two matrices were given one port of their own.
inline constexpr const char* kPortConflictMessage = "视频、RGB矩阵串口冲突";

// Opens (or closes) the serial ports; sets the link flag to the result and refreshes, except when
// the two matrix ports collide, which ends everything at once and leaves flag and controls alone.
void OpenDeviceLink(const TDeviceLinks& Links, const TLinkSettings& Settings, const TLinkConsole& Console, bool Open);
// Opens (or closes) the screen port alone, for a console that drives no matrices: the state names
// that port only, and a port already open counts as opened. Sets the link flag and refreshes.
void OpenScreenLink(const TDeviceLinks& Links, const TLinkSettings& Settings, const TLinkConsole& Console, bool Open);
// Connects (or disconnects) the TCP client; sets the link flag and refreshes.
void OpenNetworkLink(const TDeviceLinks& Links, const TLinkSettings& Settings, const TLinkConsole& Console, bool Open);

// "->" and the values in upper-case hexadecimal, at least two digits each, joined by ",". Each
// value shows all its digits (300 is 12C) although the wire carries its low byte; a negative one
// shows the eight digits of its 32-bit two's complement.
String FrameLogLine(const std::array<int, 6>& Values);

// Sends one screen frame, the low byte of each value in order, on the screen link (six one-byte
// writes on a serial port, one six-byte send on TCP), then holds the calling thread 20 ms for the
// screens' pacing. In engineering mode the frame's log line is appended to each log, in order.
void SendFrameOnScreenLink(const TDeviceLinks& Links, const TLinkSettings& Settings, const std::array<int, 6>& Values,
                           bool DebugMode, std::initializer_list<TStrings*> Logs);

// Bytes sent as given on the screen link in one block (one write on the serial port, one send on
// TCP): no pause, no log line. A closed port or an empty block sends nothing, silently.
void SendBlockOnScreenLink(const TDeviceLinks& Links, const TLinkSettings& Settings, const std::uint8_t* Data,
                           std::uint16_t Length);

// Matrix commands, sent as given: no pause, no log line.
void WriteVideoMatrix(const TDeviceLinks& Links, const TLinkSettings& Settings, const std::uint8_t* Data,
                      std::uint16_t Length);
void WriteRgbMatrix(const TDeviceLinks& Links, const TLinkSettings& Settings, const std::uint8_t* Data,
                    std::uint16_t Length);

// The screen frame's pause, in milliseconds.
inline constexpr std::uint32_t kScreenFramePauseMs = 20;
