#pragma once
// The bar library's three thread hooks (keyboard, mouse, window messages), installed while at least
// one bar manager lives, and the routing of what they see to the managers concerned: shortcuts and
// accelerators typed anywhere in a form, Alt and F10 for the main menu, clicks outside open menus,
// activation of forms and of the application, system colour and setting changes, help requests
// and the destruction of the owning window.
#include "platform/classes/Controls.h"
#include "platform/win/Hooks.h"
#include "platform/win/Window.h"

class TdxBarManager;
class TdxBarHintWindow;

// ---- state of the UI thread ----------------------------------------------------------------------

// A key whose key-down the library took; its key-up is taken too.
extern bool SuppressedKeyActive;
extern win::WORD SuppressedKey;
// Alt (or F10) went down alone: its key-up enters the main menu.
extern bool AltPending;
// Set while a toolbar is dragged: every key is taken.
extern bool KeysLocked;
// Set while an edit item asks whether the library would take a key (BarLibraryTakesKey).
extern bool DirectKeyQuery;
extern bool MouseHookBusy;
// Set while the message hook looks up a window's manager: messages sent meanwhile are not routed.
extern bool ManagerLookupBusy;
// The activation left for another application's window; cleared by WM_ACTIVATEAPP.
extern bool AppDeactivating;
extern bool AppActive;

// ---- registration --------------------------------------------------------------------------------

// The first manager installs the hooks; outside design time the hint window is made.
void RegisterBarManager(TdxBarManager* ABarManager);
// The last manager removes the hooks (message, mouse, keyboard) and frees the hint window.
void UnregisterBarManager(TdxBarManager* ABarManager);
// Shutdown: hooks and hint window go whatever managers are still listed.
void ReleaseBarHooks();
bool BarHooksInstalled();
// The single hint window of all managers; nil before the first manager or at design time.
TdxBarHintWindow* BarHintWindow();

// How hooks are set and removed; tests replace it to watch the order.
struct TdxBarHookApi {
  win::HHOOK (*Install)(int AKind, win::HOOKPROC AProc);
  win::BOOL (*Remove)(win::HHOOK AHook);
};
extern TdxBarHookApi BarHookApi;

// ---- the hook procedures and what they use -----------------------------------------------------

win::LRESULT KeyboardHookProc(int Code, win::WPARAM WParam, win::LPARAM LParam);
win::LRESULT MouseHookProc(int Code, win::WPARAM WParam, win::LPARAM LParam);
win::LRESULT MessageHookProc(int Code, win::WPARAM WParam, win::LPARAM LParam);

// The manager the keyboard addresses: of the focused window, the active form, the main form (when
// it allows calls from other forms) or, for other keys than Alt and F10, the first manager on the
// active form; nil while that manager customizes or a bar window holds the focus.
TdxBarManager* ManagerForKeyboard(bool AMenuKey);
// Offers the key as a shortcut to the managers concerned, then with Alt as an accelerator; true
// when a shortcut ran or an enabled accelerated link was handled.
bool DispatchShortCut(TdxBarManager* AManager, win::WORD Key, TShiftState Shift, win::LPARAM KeyData);
// Whether the library would take the key, asked without passing it on (edit items).
bool BarLibraryTakesKey(win::WORD Key, win::LPARAM KeyData);
