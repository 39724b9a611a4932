#pragma once
// The boot window: the application's main window. It shows the optional logo with a fade-in and
// fade-out and then opens the configured console or one of the choosers. It holds the program-wide
// run-time state every console and dialog reads; closing it ends the program.
#include <cstdint>

#include "platform/classes/ExtCtrls.h"
#include "platform/classes/Forms.h"
#include "platform/classes/Timer.h"

// Which console is active; the shared senders pick the wall selection by it.
using TConsoleKind = std::int32_t;
inline constexpr TConsoleKind ckNone = 0;
inline constexpr TConsoleKind ckGrid = 1;
inline constexpr TConsoleKind ckSplicing = 2;
inline constexpr TConsoleKind ckHybrid = 3;

class TForm18 : public TForm {
  VW_CLASS(TForm18, TForm)
 public:
  explicit TForm18(TComponent* AOwner);
  ~TForm18() override;

  TImage* img1 = nullptr;
  TTimer* tmr1 = nullptr;

  // Run-time state, all 0 at start.
  TConsoleKind ConsoleKind = ckNone;
  std::int32_t SoftwareType = 0;  // cfg.ini [config] softwareType as read at start
  std::uint8_t DebugMode = 0;     // engineering mode: frame log on, test pages shown
  std::uint8_t LinkOpen = 0;
  std::uint8_t AdminLoggedIn = 0;
  std::uint8_t EngineerLoggedIn = 0;
  std::uint8_t FactoryLoggedIn = 0;

  void FormCreate(TObject* Sender);
  void tmr1Timer(TObject* Sender);

 protected:
  void Loaded() override;
};

extern TForm18* Form18;

// State kept beside the boot window.
extern int ChooseMode;                   // cfg.ini [config] softwareChooseMode
extern std::uint8_t AnimationRunning;    // 1 while the logo is shown and faded
extern int FadeTick;                     // ticks done
extern int FadeTotalTicks;               // the tick on which the animation ends

// Opens the configured console or chooser and hides the boot window, which stays the main form.
void MakeConsoleChoice();

// The length of the animation for a hold time of `Still`: a negative hold counts as none, and a
// hold too long to count in ticks is held as long as ticks can count.
int FadeTicksFor(int Still);
