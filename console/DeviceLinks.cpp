#include "console/DeviceLinks.h"

#include <cstdio>

#include "platform/classes/Dialogs.h"
#include "platform/system/Clock.h"

namespace {

bool IsOpen(const TComm* Port) { return Port->PortHandle() != nullptr; }

// Opens a port that is not open yet. A failure is reported, the port closed again and the port's
// error left in the status; the caller goes on with its next port.
bool OpenPortReporting(TComm* Port, const String& Name, const TLinkConsole& Console) {
  if (IsOpen(Port)) return true;
  try {
    Port->OpenPort();
    return true;
  } catch (const Exception&) {
    ShowMessage(Console.English ? "open" + Name + Console.Texts.OpenFailedEnglish
                                : "打开" + Name + Console.Texts.OpenFailedChinese);
    Port->ClosePort();
    Console.SetStatus(Name + (Console.English ? " error!" : " 错误!"));
    return false;
  }
}

void Finish(const TLinkConsole& Console, bool Result) {
  if (Console.LinkOpen) *Console.LinkOpen = Result ? 1 : 0;
  if (Console.Refresh) Console.Refresh();
}

void SendOnClient(TTcpClient* Client, const std::uint8_t* Data, std::uint16_t Length) {
  // The count sent is not read: a lost bridge shows at the next connect, not at every command.
  Client->SendBuf(Data, Length, 0);
}

}  // namespace

void OpenDeviceLink(const TDeviceLinks& Links, const TLinkSettings& Settings, const TLinkConsole& Console, bool Open) {
  const String& p = Settings.ScreenPort;
  const String& pA = Settings.VideoPort;
  const String& pB = Settings.RgbPort;
  bool result = Open;
  Console.SetStatus(p + " " + pA + " " + pB +
                    (Console.English ? (Open ? " opened" : " closed") : (Open ? " 已打开" : " 关闭")));
  if (Open) {
    if (!OpenPortReporting(Links.Screen, p, Console)) result = false;
    if (pA != p && !IsOpen(Links.Video) && Settings.VideoOwnPort) {
      if (pB == pA && Settings.RgbOwnPort) {
        // One port cannot serve both matrices; nothing more is touched, not even the flag.
        ShowMessage(kPortConflictMessage);
        return;
      }
      if (!OpenPortReporting(Links.Video, pA, Console)) result = false;
    }
    if (pB != p && Settings.RgbOwnPort && !IsOpen(Links.Rgb)) {
      if (!OpenPortReporting(Links.Rgb, pB, Console)) result = false;
    }
  } else {
    Links.Screen->ClosePort();
    if (IsOpen(Links.Video)) Links.Video->ClosePort();
    if (IsOpen(Links.Rgb)) Links.Rgb->ClosePort();
  }
  Finish(Console, result);
}

void OpenScreenLink(const TDeviceLinks& Links, const TLinkSettings& Settings, const TLinkConsole& Console, bool Open) {
  const String& p = Settings.ScreenPort;
  // The blank that stood for the matrix ports stays: the state reads as it always has.
  Console.SetStatus(p + " " + (Console.English ? (Open ? " opened" : " closed") : (Open ? " 已打开" : " 关闭")));
  bool result = Open;
  if (Open)
    result = OpenPortReporting(Links.Screen, p, Console);
  else
    Links.Screen->ClosePort();
  Finish(Console, result);
}

void OpenNetworkLink(const TDeviceLinks& Links, const TLinkSettings& Settings, const TLinkConsole& Console, bool Open) {
  TTcpClient* client = Links.Client;
  bool result = Open;
  auto state = [&](const char* english, const char* chinese) {
    return (Console.English ? "RemoteAddr:" : "无线地址:") + Settings.Address + ":" + Settings.Port +
           (Console.English ? english : chinese);
  };
  if (Open) {
    client->SetRemoteHost(Settings.Address);
    client->SetRemotePort(Settings.Port);
    if (!client->Connected()) {
      client->SetActive(true);
      client->Open();
      if (client->Connected()) {
        Console.SetStatus(state(" Connected", " 已连接"));
      } else {
        Console.SetStatus(state(Console.Texts.NetworkClosedEnglish, " 关闭"));
        ShowMessage(Console.English ? "Connect Failed" : "连接失败");
        result = false;
      }
    }
  } else {
    if (client->Connected()) {
      client->Close();
      client->SetActive(false);
    }
    Console.SetStatus(state(Console.Texts.NetworkClosedEnglish, " 关闭"));
  }
  Finish(Console, result);
}

String FrameLogLine(const std::array<int, 6>& Values) {
  String line = "->";
  char digits[16];
  for (std::size_t i = 0; i < Values.size(); ++i) {
    std::snprintf(digits, sizeof digits, "%02X", static_cast<unsigned>(static_cast<std::uint32_t>(Values[i])));
    if (i) line += ',';
    line += digits;
  }
  return line;
}

void SendFrameOnScreenLink(const TDeviceLinks& Links, const TLinkSettings& Settings, const std::array<int, 6>& Values,
                           bool DebugMode, std::initializer_list<TStrings*> Logs) {
  std::uint8_t bytes[6];
  for (std::size_t i = 0; i < 6; ++i) bytes[i] = static_cast<std::uint8_t>(Values[i] & 0xFF);
  if (Settings.Serial) {
    // One byte per write: the screens' receivers were built around this pacing.
    for (std::uint8_t b : bytes) Links.Screen->SendData(&b, 1);
  } else {
    SendOnClient(Links.Client, bytes, sizeof bytes);
  }
  win::Sleep(kScreenFramePauseMs);
  if (!DebugMode) return;
  String line = FrameLogLine(Values);
  for (TStrings* log : Logs)
    if (log) log->Add(line);
}

void SendBlockOnScreenLink(const TDeviceLinks& Links, const TLinkSettings& Settings, const std::uint8_t* Data,
                           std::uint16_t Length) {
  if (Settings.Serial)
    Links.Screen->SendData(Data, Length);
  else
    SendOnClient(Links.Client, Data, Length);
}

void WriteVideoMatrix(const TDeviceLinks& Links, const TLinkSettings& Settings, const std::uint8_t* Data,
                      std::uint16_t Length) {
  if (!Settings.Serial) {
    SendOnClient(Links.Client, Data, Length);
    return;
  }
  bool ownPort = Settings.VideoOwnPort && Settings.VideoPort != Settings.ScreenPort;
  (ownPort ? Links.Video : Links.Screen)->SendData(Data, Length);
}

void WriteRgbMatrix(const TDeviceLinks& Links, const TLinkSettings& Settings, const std::uint8_t* Data,
                    std::uint16_t Length) {
  if (!Settings.Serial) {
    SendOnClient(Links.Client, Data, Length);
    return;
  }
  TComm* port = Links.Screen;
  if (Settings.RgbOwnPort && Settings.RgbPort != Settings.ScreenPort)
    port = IsOpen(Links.Video) && Settings.VideoPort == Settings.RgbPort ? Links.Video : Links.Rgb;
  port->SendData(Data, Length);
}
