// The MDI client window and the default procedures of MDI frames and children.
#include "platform/win/Mdi.h"

#include <algorithm>
#include <map>
#include <string>
#include <vector>

#include "platform/win/Focus.h"
#include "platform/win/Menu.h"
#include "platform/win/Metrics.h"
#include "platform/win/WindowManager.h"

namespace platform::wm {

using namespace win;

namespace {

struct ClientState {
  HMENU windowMenu = nullptr;
  UINT firstChild = 0;
  HWND active = nullptr;
  HWND dying = nullptr;              // a child being destroyed counts as gone
  std::vector<HWND> order;           // children in creation order, as the window menu lists them
  HMENU decorated = nullptr;         // the frame menu holding a maximized child's menu and buttons
  HMENU sysMenu = nullptr;           // that child's window menu, the decorated menu's first item
  int listed = 0;                    // children listed in the window menu (after a separator)
  HMENU listedIn = nullptr;
  bool activating = false;
};

std::map<HWND, ClientState>& Clients() {
  static std::map<HWND, ClientState> clients;
  return clients;
}

ClientState* State(HWND client) {
  auto it = Clients().find(client);
  return it == Clients().end() ? nullptr : &it->second;
}

bool IsMdiChild(HWND hwnd) {
  Window* w = Find(hwnd);
  return w && (w->exStyle & WS_EX_MDICHILD) && w->IsChild() && State(w->parent);
}

// The children that can be active, topmost first.
std::vector<HWND> Candidates(HWND client, const ClientState& c) {
  std::vector<HWND> out;
  if (Window* cw = Find(client))
    for (HWND h : cw->children) {
      Window* w = Find(h);
      if (w && h != c.dying && !w->destroying && (w->exStyle & WS_EX_MDICHILD) && w->Visible() &&
          !(w->style & WS_DISABLED))
        out.push_back(h);
    }
  return out;
}

const UINT kButtons[] = {static_cast<UINT>(SC_MINIMIZE), static_cast<UINT>(SC_RESTORE), static_cast<UINT>(SC_CLOSE)};

void Undecorate(ClientState& c) {
  HMENU m = c.decorated;
  c.decorated = nullptr;
  if (!m || !IsMenu(m)) return;
  int n = GetMenuItemCount(m);
  if (n >= 3 && GetMenuItemID(m, n - 3) == kButtons[0] && GetMenuItemID(m, n - 2) == kButtons[1] &&
      GetMenuItemID(m, n - 1) == kButtons[2])
    for (int i = 0; i < 3; ++i) RemoveMenu(m, static_cast<UINT>(n - 1 - i), MF_BYPOSITION);
  // The window menu belongs to the child: taken out, not destroyed.
  if (c.sysMenu && GetMenuItemCount(m) > 0 && GetSubMenu(m, 0) == c.sysMenu) RemoveMenu(m, 0, MF_BYPOSITION);
  c.sysMenu = nullptr;
}

// A maximized child has no caption of its own: its window menu and buttons join the frame's menu bar.
void UpdateFrameMenu(HWND client) {
  ClientState* c = State(client);
  if (!c) return;
  HWND frame = GetParent(client);
  HMENU menu = frame ? GetMenu(frame) : nullptr;
  HWND max = c->active && c->active != c->dying && IsZoomed(c->active) ? c->active : nullptr;
  Undecorate(*c);
  if (max && menu) {
    c->decorated = menu;
    if (HMENU sys = GetSystemMenu(max, FALSE)) {
      InsertMenu(menu, 0, MF_BYPOSITION | MF_POPUP | MF_BITMAP, reinterpret_cast<UINT_PTR>(sys),
                 reinterpret_cast<LPCSTR>(HBMMENU_SYSTEM));
      MENUITEMINFO mii;
      mii.fMask = MIIM_DATA;
      mii.dwItemData = reinterpret_cast<ULONG_PTR>(max);
      SetMenuItemInfo(menu, 0, TRUE, &mii);
      c->sysMenu = sys;
    }
    HMENU sys = c->sysMenu;
    auto grayed = [&](UINT id) { return sys && (GetMenuState(sys, id, MF_BYCOMMAND) & (MF_GRAYED | MF_DISABLED)) != 0; };
    bool noMin = grayed(static_cast<UINT>(SC_MINIMIZE)) || !(GetWindowLong(max, GWL_STYLE) & WS_MINIMIZEBOX);
    bool noClose = grayed(static_cast<UINT>(SC_CLOSE));
    AppendMenu(menu, MF_BITMAP | MF_RIGHTJUSTIFY | (noMin ? MF_GRAYED : 0), kButtons[0],
               reinterpret_cast<LPCSTR>(noMin ? HBMMENU_MBAR_MINIMIZE_D : HBMMENU_MBAR_MINIMIZE));
    AppendMenu(menu, MF_BITMAP | MF_RIGHTJUSTIFY, kButtons[1], reinterpret_cast<LPCSTR>(HBMMENU_MBAR_RESTORE));
    AppendMenu(menu, MF_BITMAP | MF_RIGHTJUSTIFY | (noClose ? MF_GRAYED : 0), kButtons[2],
               reinterpret_cast<LPCSTR>(noClose ? HBMMENU_MBAR_CLOSE_D : HBMMENU_MBAR_CLOSE));
  }
  if (frame) DrawMenuBar(frame);
}

// The window menu ends with the children, numbered, the active one checked.
void RefreshWindowMenu(HWND client) {
  ClientState* c = State(client);
  if (!c) return;
  if (c->listedIn && IsMenu(c->listedIn) && c->listed > 0) {
    int n = GetMenuItemCount(c->listedIn);
    for (int i = n - 1; i >= 0 && i >= n - c->listed - 1; --i) RemoveMenu(c->listedIn, static_cast<UINT>(i), MF_BYPOSITION);
  }
  c->listed = 0;
  c->listedIn = c->windowMenu;
  if (!c->windowMenu || !IsMenu(c->windowMenu)) return;
  int number = 0;
  for (HWND h : c->order) {
    Window* w = Find(h);
    if (!w || h == c->dying || !w->Visible() || number == 9) continue;
    if (number == 0) AppendMenu(c->windowMenu, MF_SEPARATOR, 0, nullptr);
    std::string text = "&" + std::to_string(number + 1) + " " + w->text;
    AppendMenu(c->windowMenu, MF_STRING | (h == c->active ? MF_CHECKED : 0), c->firstChild + static_cast<UINT>(number),
               text.c_str());
    ++number;
  }
  c->listed = number;
}

HWND ListedChild(ClientState& c, UINT id) {
  int number = 0;
  for (HWND h : c.order) {
    Window* w = Find(h);
    if (!w || h == c.dying || !w->Visible() || number == 9) continue;
    if (c.firstChild + static_cast<UINT>(number) == id) return h;
    ++number;
  }
  return nullptr;
}

void Activate(HWND client, HWND child) {
  ClientState* c = State(client);
  if (!c || c->activating) return;
  if (child && (!IsMdiChild(child) || GetParent(child) != client || child == c->dying)) return;
  HWND old = c->active;
  if (old == child) return;
  c->activating = true;
  bool oldMaximized = old && old != c->dying && IsZoomed(old);
  c->active = child;
  if (old && IsWindow(old)) {
    SendMessage(old, WM_NCACTIVATE, FALSE, 0);
    SendMessage(old, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(old), reinterpret_cast<LPARAM>(child));
  }
  // A maximized child hands its state on: the documents show one at a time.
  if (child && oldMaximized && (GetWindowLong(child, GWL_STYLE) & WS_MAXIMIZEBOX)) {
    ShowWindow(child, SW_SHOWMAXIMIZED);
    if (IsWindow(old)) ShowWindow(old, SW_RESTORE);
  } else if (child && c->dying && old == c->dying && IsZoomed(old) && (GetWindowLong(child, GWL_STYLE) & WS_MAXIMIZEBOX)) {
    ShowWindow(child, SW_SHOWMAXIMIZED);
  }
  if (child && IsWindow(child)) {
    SetWindowPos(child, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    SendMessage(child, WM_NCACTIVATE, TRUE, 0);
    SendMessage(child, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(old), reinterpret_cast<LPARAM>(child));
  }
  if ((c = State(client)) != nullptr) c->activating = false;
  if (child && IsWindow(child)) {
    SendMessage(child, WM_CHILDACTIVATE, 0, 0);
    HWND frame = GetParent(client);
    HWND focus = GetFocus();
    if (frame && GetActiveWindow() == frame && IsWindow(child) && focus != child && !IsChild(child, focus)) SetFocus(child);
  }
  UpdateFrameMenu(client);
  RefreshWindowMenu(client);
}

void ActivateNext(HWND client, HWND from, bool previous) {
  ClientState* c = State(client);
  if (!c) return;
  std::vector<HWND> all = Candidates(client, *c);
  if (all.empty()) return;
  if (!from) from = c->active;
  auto it = std::find(all.begin(), all.end(), from);
  HWND target;
  if (previous) {
    target = all.back();
  } else {
    target = it == all.end() || std::next(it) == all.end() ? all.front() : *std::next(it);
  }
  if (target == from) return;
  Activate(client, target);
  // Stepping forward cycles through all of them: the one left goes to the bottom.
  if (!previous && from && IsWindow(from))
    SetWindowPos(from, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

// Minimized children line up along the bottom of the client area.
RECT IconSlot(HWND client, HWND child) {
  Window* cw = Find(client);
  int width = 160;
  RECT in = NonClientInsets(WS_CAPTION | WS_THICKFRAME, 0, false);
  int height = in.top + in.bottom;
  int slot = 0;
  if (cw)
    for (HWND h : cw->children) {
      Window* w = Find(h);
      if (h != child && w && (w->exStyle & WS_EX_MDICHILD) && (w->style & WS_MINIMIZE) && w->Visible()) ++slot;
    }
  int ch = cw ? cw->client.bottom - cw->client.top : 0;
  int cwid = cw ? std::max(1, static_cast<int>(cw->client.right - cw->client.left)) : width;
  int perRow = std::max(1, cwid / width);
  int x = (slot % perRow) * width;
  int y = ch - height * (slot / perRow + 1);
  return {x, y, x + width, y + height};
}

LRESULT ClientProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  ClientState* c = State(hwnd);
  switch (msg) {
    case WM_NCCREATE: {
      ClientState s;
      auto* cs = reinterpret_cast<CREATESTRUCT*>(lParam);
      if (cs && cs->lpCreateParams) {
        auto* ccs = static_cast<CLIENTCREATESTRUCT*>(cs->lpCreateParams);
        s.windowMenu = ccs->hWindowMenu;
        s.firstChild = ccs->idFirstChild;
      }
      Clients()[hwnd] = s;
      break;
    }
    case WM_NCDESTROY:
      if (c) Undecorate(*c);
      Clients().erase(hwnd);
      break;
    case WM_MDICREATE: {
      auto* mcs = reinterpret_cast<MDICREATESTRUCT*>(lParam);
      if (!mcs) return 0;
      HWND h = CreateWindowEx(WS_EX_MDICHILD, mcs->szClass, mcs->szTitle, mcs->style | WS_VISIBLE, mcs->x, mcs->y,
                              mcs->cx, mcs->cy, hwnd, nullptr, static_cast<HINSTANCE>(mcs->hOwner),
                              reinterpret_cast<LPVOID>(mcs->lParam));
      return reinterpret_cast<LRESULT>(h);
    }
    case WM_MDIDESTROY:
      if (IsMdiChild(reinterpret_cast<HWND>(wParam)) && GetParent(reinterpret_cast<HWND>(wParam)) == hwnd)
        DestroyWindow(reinterpret_cast<HWND>(wParam));
      return 0;
    case WM_MDIACTIVATE:
      Activate(hwnd, reinterpret_cast<HWND>(wParam));
      return 0;
    case WM_MDIGETACTIVE:
      if (!c) return 0;
      if (lParam) *reinterpret_cast<BOOL*>(lParam) = c->active && IsZoomed(c->active) ? TRUE : FALSE;
      return reinterpret_cast<LRESULT>(c->active);
    case WM_MDINEXT:
      ActivateNext(hwnd, reinterpret_cast<HWND>(wParam), lParam != 0);
      return 0;
    case WM_MDIMAXIMIZE:
      if (IsMdiChild(reinterpret_cast<HWND>(wParam))) ShowWindow(reinterpret_cast<HWND>(wParam), SW_SHOWMAXIMIZED);
      return 0;
    case WM_MDIRESTORE:
      if (IsMdiChild(reinterpret_cast<HWND>(wParam))) ShowWindow(reinterpret_cast<HWND>(wParam), SW_RESTORE);
      return 0;
    case WM_MDISETMENU: {
      if (!c) return 0;
      HWND frame = GetParent(hwnd);
      HMENU old = frame ? GetMenu(frame) : nullptr;
      auto frameMenu = reinterpret_cast<HMENU>(wParam);
      auto windowMenu = reinterpret_cast<HMENU>(lParam);
      Undecorate(*c);
      if (windowMenu && windowMenu != c->windowMenu) {
        c->windowMenu = windowMenu;
        RefreshWindowMenu(hwnd);
      }
      if (frameMenu && frame) SetMenu(frame, frameMenu);
      UpdateFrameMenu(hwnd);
      return reinterpret_cast<LRESULT>(old);
    }
    case WM_MDIREFRESHMENU: {
      RefreshWindowMenu(hwnd);
      UpdateFrameMenu(hwnd);
      HWND frame = GetParent(hwnd);
      return reinterpret_cast<LRESULT>(frame ? GetMenu(frame) : nullptr);
    }
    case WM_SIZE:
      if (Window* cw = Find(hwnd)) {
        std::vector<HWND> kids = cw->children;
        for (HWND h : kids) {
          Window* w = Find(h);
          if (!w || !(w->exStyle & WS_EX_MDICHILD)) continue;
          if (w->style & WS_MAXIMIZE) {
            RECT in = NonClientInsets(w->style, w->exStyle, false);
            SetWindowPos(h, nullptr, -in.left, -in.top, LOWORD(lParam) + in.left + in.right,
                         HIWORD(lParam) + in.top + in.bottom, SWP_NOZORDER | SWP_NOACTIVATE);
          } else if (w->style & WS_MINIMIZE) {
            RECT slot = IconSlot(hwnd, h);
            SetWindowPos(h, nullptr, slot.left, slot.top, 0, 0, SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOSIZE);
          }
        }
      }
      return 0;
    case WM_SETFOCUS:
      if (c && c->active && IsWindow(c->active) && !IsIconic(c->active)) SetFocus(c->active);
      return 0;
    default:
      break;
  }
  return DefWindowProc(hwnd, msg, wParam, lParam);
}

}  // namespace

WNDPROC MdiClientProc = ClientProc;

void MdiChildCreated(HWND child) {
  Window* w = Find(child);
  if (!w || !(w->exStyle & WS_EX_MDICHILD) || !w->IsChild()) return;
  ClientState* c = State(w->parent);
  if (!c) return;
  c->order.push_back(child);
  RefreshWindowMenu(w->parent);
}

void MdiChildDestroying(HWND child) {
  Window* w = Find(child);
  if (!w || !(w->exStyle & WS_EX_MDICHILD) || !w->IsChild()) return;
  HWND client = w->parent;
  ClientState* c = State(client);
  if (!c) return;
  c->dying = child;
  if (c->active == child) {
    std::vector<HWND> rest = Candidates(client, *c);
    if (!rest.empty()) {
      Activate(client, rest.front());
    } else {
      c->active = nullptr;
      SendMessage(child, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(child), 0);
    }
  }
  if ((c = State(client)) == nullptr) return;
  c->order.erase(std::remove(c->order.begin(), c->order.end(), child), c->order.end());
  UpdateFrameMenu(client);
  RefreshWindowMenu(client);
  if ((c = State(client)) != nullptr) c->dying = nullptr;
}

void MdiActivateOnClick(HWND target) {
  for (Window* w = Find(target); w && w->IsChild(); w = Find(w->parent)) {
    if ((w->exStyle & WS_EX_MDICHILD) && State(w->parent)) {
      if (State(w->parent)->active != w->handle) Activate(w->parent, w->handle);
      return;
    }
  }
}

void MdiFrameMenuChanged(HWND frame) {
  for (auto& [client, state] : Clients()) {
    if (GetParent(client) != frame || state.activating) continue;
    UpdateFrameMenu(client);
    return;
  }
}

void MdiMenuDestroying(HMENU menu) {
  for (auto& [client, state] : Clients())
    if (state.decorated == menu) Undecorate(state);
}

RECT MdiIconSlot(HWND child) {
  Window* w = Find(child);
  return w ? IconSlot(w->parent, child) : RECT{};
}

}  // namespace platform::wm

namespace win {

using namespace platform::wm;

LRESULT DefFrameProc(HWND frame, HWND client, UINT msg, WPARAM wParam, LPARAM lParam) {
  ClientState* c = client ? State(client) : nullptr;
  if (c) {
    switch (msg) {
      case WM_COMMAND: {
        UINT id = LOWORD(wParam);
        if (HWND h = ListedChild(*c, id)) {
          if (IsIconic(h)) ShowWindow(h, SW_RESTORE);
          Activate(client, h);
          return 0;
        }
        // The maximized child's window menu and buttons in the frame's bar command the child.
        if (id >= 0xF000 && c->active) return SendMessage(c->active, WM_SYSCOMMAND, id, lParam);
        break;
      }
      case WM_INITMENUPOPUP:
        // The child's window menu follows its state each time it opens from the frame's bar.
        if (c->active && reinterpret_cast<HMENU>(wParam) == c->sysMenu) GetSystemMenu(c->active, FALSE);
        break;
      case WM_SIZE:
        MoveWindow(client, 0, 0, LOWORD(lParam), HIWORD(lParam), TRUE);
        break;
      case WM_SETFOCUS:
        SetFocus(client);
        return 0;
      case WM_NCACTIVATE:
        if (c->active && IsWindow(c->active)) SendMessage(c->active, WM_NCACTIVATE, wParam, lParam);
        break;
      case WM_SYSCOMMAND:
        if ((wParam & 0xFFF0) == SC_NEXTWINDOW || (wParam & 0xFFF0) == SC_PREVWINDOW) {
          SendMessage(client, WM_MDINEXT, 0, (wParam & 0xFFF0) == SC_PREVWINDOW);
          return 0;
        }
        break;
      default:
        break;
    }
  }
  return DefWindowProc(frame, msg, wParam, lParam);
}

LRESULT DefMDIChildProc(HWND child, UINT msg, WPARAM wParam, LPARAM lParam) {
  Window* w = Find(child);
  if (!w) return 0;
  HWND client = w->parent;
  if (!(w->exStyle & WS_EX_MDICHILD) || !State(client)) return DefWindowProc(child, msg, wParam, lParam);
  switch (msg) {
    case WM_CHILDACTIVATE:
      Activate(client, child);
      return 0;
    case WM_SETFOCUS:
      if (State(client)->active != child) Activate(client, child);
      break;
    case WM_SYSCOMMAND:
      switch (wParam & 0xFFF0) {
        case SC_NEXTWINDOW:
        case SC_PREVWINDOW:
          SendMessage(client, WM_MDINEXT, reinterpret_cast<WPARAM>(child), (wParam & 0xFFF0) == SC_PREVWINDOW);
          return 0;
        case SC_MOVE:
        case SC_SIZE:
          if (IsZoomed(child)) return 0;
          break;
        default:
          break;
      }
      break;
    case WM_SIZE: {
      LRESULT r = DefWindowProc(child, msg, wParam, lParam);
      if (!IsWindow(child) || !State(client)) return r;
      // A maximized child is the one shown: it becomes the active one.
      if (wParam == SIZE_MAXIMIZED && State(client)->active != child) Activate(client, child);
      UpdateFrameMenu(client);
      return r;
    }
    case WM_WINDOWPOSCHANGED: {
      LRESULT r = DefWindowProc(child, msg, wParam, lParam);
      auto* wp = reinterpret_cast<WINDOWPOS*>(lParam);
      ClientState* c = State(client);
      if (wp && (wp->flags & SWP_HIDEWINDOW) && c && c->active == child && IsWindow(child)) {
        std::vector<HWND> rest = Candidates(client, *c);
        if (!rest.empty()) Activate(client, rest.front());
      }
      if (wp && (wp->flags & (SWP_HIDEWINDOW | SWP_SHOWWINDOW))) RefreshWindowMenu(client);
      return r;
    }
    case WM_SETTEXT: {
      LRESULT r = DefWindowProc(child, msg, wParam, lParam);
      RefreshWindowMenu(client);
      return r;
    }
    default:
      break;
  }
  return DefWindowProc(child, msg, wParam, lParam);
}

}  // namespace win
