#include <algorithm>
#include <cctype>
#include <cstring>

#include "platform/system/Sync.h"
#include "platform/system/Version.h"
#include "platform/win/WindowManager.h"

namespace platform::wm {
namespace {

std::string Upper(std::string s) {
  for (char& c : s) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return s;
}

struct ClassTable {
  std::vector<std::unique_ptr<WindowClass>> classes;
  win::ATOM nextAtom = 0xC000;
};

ClassTable& Classes() {
  static ClassTable table;
  return table;
}

bool IsAtom(win::LPCSTR name) { return (reinterpret_cast<win::UINT_PTR>(name) >> 16) == 0; }

WindowClass* ClassByName(win::LPCSTR name) {
  if (!name) return nullptr;
  RegisterSystemClasses();
  if (IsAtom(name)) {
    auto atom = static_cast<win::ATOM>(reinterpret_cast<win::UINT_PTR>(name));
    for (auto& c : Classes().classes)
      if (c->atom == atom) return c.get();
    return nullptr;
  }
  std::string key = Upper(name);
  for (auto& c : Classes().classes)
    if (c->key == key) return c.get();
  return nullptr;
}

}  // namespace

WindowClass* FindClass(const std::string& name) { return ClassByName(name.c_str()); }

HandleTable<Window>& Windows() {
  static HandleTable<Window> table(HandleKind::Window);
  return table;
}

Window* Find(win::HWND hwnd) { return Windows().Get(HandleValue(hwnd)); }

namespace {
// Windows are created and destroyed on the thread that owns them, so a plain per-thread count
// tells a worker thread that waits on its queue that it has nothing to paint, without walking a
// window tree that another thread is changing.
thread_local int t_ownedWindows = 0;
}  // namespace

bool CurrentThreadOwnsWindows() { return t_ownedWindows > 0; }

Window* Get(win::HWND hwnd) {
  Window* w = Find(hwnd);
  if (!w) win::SetLastError(win::ERROR_INVALID_WINDOW_HANDLE);
  return w;
}

win::DWORD ThreadOfWindow(win::HWND hwnd) {
  win::DWORD thread = 0;
  if (!Windows().Visit(HandleValue(hwnd), [&](const Window& w) { thread = w.threadId; }))
    win::SetLastError(win::ERROR_INVALID_WINDOW_HANDLE);
  return thread;
}

std::vector<win::HWND>& TopLevels() {
  static std::vector<win::HWND> list;
  return list;
}

namespace {

win::ATOM AddClass(const win::WNDCLASSEX& wc, bool system) {
  if (!wc.lpszClassName || !wc.lpfnWndProc || wc.cbClsExtra < 0 || wc.cbWndExtra < 0) {
    win::SetLastError(win::ERROR_INVALID_PARAMETER);
    return 0;
  }
  std::string name = IsAtom(wc.lpszClassName) ? "#" + std::to_string(reinterpret_cast<win::UINT_PTR>(wc.lpszClassName))
                                               : std::string(wc.lpszClassName);
  std::string key = Upper(name);
  auto& table = Classes();
  for (auto& c : table.classes) {
    // A program's class may replace a system class of the same name, as a local class would.
    if (c->key == key && !(c->system && !system)) {
      win::SetLastError(win::ERROR_CLASS_ALREADY_EXISTS);
      return 0;
    }
  }
  auto c = std::make_unique<WindowClass>();
  c->name = name;
  c->key = key;
  c->atom = table.nextAtom++;
  c->style = wc.style;
  c->proc = wc.lpfnWndProc;
  c->clsExtra = wc.cbClsExtra;
  c->wndExtra = wc.cbWndExtra;
  c->instance = wc.hInstance;
  c->icon = wc.hIcon;
  c->iconSm = wc.hIconSm;
  c->cursor = wc.hCursor;
  c->background = wc.hbrBackground;
  c->menuName = wc.lpszMenuName && !IsAtom(wc.lpszMenuName) ? wc.lpszMenuName : "";
  c->extra.assign(static_cast<std::size_t>(wc.cbClsExtra), 0);
  c->system = system;
  win::ATOM atom = c->atom;
  // Local classes are found before system classes of the same name.
  if (system)
    table.classes.push_back(std::move(c));
  else
    table.classes.insert(table.classes.begin(), std::move(c));
  return atom;
}

}  // namespace

win::ATOM RegisterSystemClass(const win::WNDCLASSEX& wc) { return AddClass(wc, true); }

}  // namespace platform::wm

namespace win {

using namespace platform::wm;
using platform::Region;

ATOM RegisterClassEx(const WNDCLASSEX* wc) {
  if (!wc) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  RegisterSystemClasses();
  return platform::wm::AddClass(*wc, false);
}

ATOM RegisterClass(const WNDCLASS* wc) {
  if (!wc) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  WNDCLASSEX ex;
  ex.style = wc->style;
  ex.lpfnWndProc = wc->lpfnWndProc;
  ex.cbClsExtra = wc->cbClsExtra;
  ex.cbWndExtra = wc->cbWndExtra;
  ex.hInstance = wc->hInstance;
  ex.hIcon = wc->hIcon;
  ex.hCursor = wc->hCursor;
  ex.hbrBackground = wc->hbrBackground;
  ex.lpszMenuName = wc->lpszMenuName;
  ex.lpszClassName = wc->lpszClassName;
  return RegisterClassEx(&ex);
}

BOOL UnregisterClass(LPCSTR className, HINSTANCE) {
  WindowClass* c = ClassByName(className);
  if (!c || c->system) {
    SetLastError(ERROR_CLASS_DOES_NOT_EXIST);
    return FALSE;
  }
  if (c->windows > 0) {
    SetLastError(ERROR_CLASS_HAS_WINDOWS);
    return FALSE;
  }
  auto& list = Classes().classes;
  list.erase(std::remove_if(list.begin(), list.end(), [c](auto& p) { return p.get() == c; }), list.end());
  return TRUE;
}

BOOL GetClassInfoEx(HINSTANCE, LPCSTR className, WNDCLASSEX* out) {
  WindowClass* c = ClassByName(className);
  if (!c || !out) {
    SetLastError(ERROR_CLASS_DOES_NOT_EXIST);
    return FALSE;
  }
  out->style = c->style;
  out->lpfnWndProc = c->proc;
  out->cbClsExtra = c->clsExtra;
  out->cbWndExtra = c->wndExtra;
  out->hInstance = c->instance;
  out->hIcon = c->icon;
  out->hIconSm = c->iconSm;
  out->hCursor = c->cursor;
  out->hbrBackground = c->background;
  out->lpszMenuName = c->menuName.empty() ? nullptr : c->menuName.c_str();
  out->lpszClassName = c->name.c_str();
  return c->atom;
}

BOOL GetClassInfo(HINSTANCE instance, LPCSTR className, WNDCLASS* out) {
  WNDCLASSEX ex;
  if (!out || !GetClassInfoEx(instance, className, &ex)) return FALSE;
  out->style = ex.style;
  out->lpfnWndProc = ex.lpfnWndProc;
  out->cbClsExtra = ex.cbClsExtra;
  out->cbWndExtra = ex.cbWndExtra;
  out->hInstance = ex.hInstance;
  out->hIcon = ex.hIcon;
  out->hCursor = ex.hCursor;
  out->hbrBackground = ex.hbrBackground;
  out->lpszMenuName = ex.lpszMenuName;
  out->lpszClassName = ex.lpszClassName;
  return TRUE;
}

std::string GetClassNameString(HWND hwnd) {
  Window* w = Get(hwnd);
  return w ? w->cls->name : std::string();
}

int GetClassName(HWND hwnd, LPSTR buffer, int size) {
  Window* w = Get(hwnd);
  if (!w || !buffer || size <= 0) return 0;
  int n = std::min<int>(static_cast<int>(w->cls->name.size()), size - 1);
  std::memcpy(buffer, w->cls->name.data(), static_cast<std::size_t>(n));
  buffer[n] = 0;
  return n;
}

ULONG_PTR GetClassLongPtr(HWND hwnd, int index) {
  Window* w = Get(hwnd);
  if (!w) return 0;
  WindowClass& c = *w->cls;
  switch (index) {
    case GCL_STYLE: return c.style;
    case GCL_WNDPROC: return reinterpret_cast<ULONG_PTR>(c.proc);
    case GCL_HBRBACKGROUND: return reinterpret_cast<ULONG_PTR>(c.background);
    case GCL_HCURSOR: return reinterpret_cast<ULONG_PTR>(c.cursor);
    case GCL_HICON: return reinterpret_cast<ULONG_PTR>(c.icon);
    case GCL_HICONSM: return reinterpret_cast<ULONG_PTR>(c.iconSm);
    case GCL_HMODULE: return reinterpret_cast<ULONG_PTR>(c.instance);
    case GCL_CBWNDEXTRA: return static_cast<ULONG_PTR>(c.wndExtra);
    case GCL_CBCLSEXTRA: return static_cast<ULONG_PTR>(c.clsExtra);
    case GCW_ATOM: return c.atom;
    default:
      if (index >= 0 && static_cast<std::size_t>(index) + sizeof(LONG_PTR) <= c.extra.size()) {
        LONG_PTR v;
        std::memcpy(&v, c.extra.data() + index, sizeof v);
        return static_cast<ULONG_PTR>(v);
      }
      SetLastError(ERROR_INVALID_PARAMETER);
      return 0;
  }
}

ULONG_PTR SetClassLongPtr(HWND hwnd, int index, LONG_PTR value) {
  Window* w = Get(hwnd);
  if (!w) return 0;
  WindowClass& c = *w->cls;
  ULONG_PTR old = GetClassLongPtr(hwnd, index);
  switch (index) {
    case GCL_STYLE: c.style = static_cast<UINT>(value); break;
    case GCL_WNDPROC: c.proc = reinterpret_cast<WNDPROC>(value); break;
    case GCL_HBRBACKGROUND: c.background = reinterpret_cast<HBRUSH>(value); break;
    case GCL_HCURSOR: c.cursor = reinterpret_cast<HCURSOR>(value); break;
    case GCL_HICON: c.icon = reinterpret_cast<HICON>(value); break;
    case GCL_HICONSM: c.iconSm = reinterpret_cast<HICON>(value); break;
    default:
      if (index >= 0 && static_cast<std::size_t>(index) + sizeof(LONG_PTR) <= c.extra.size()) {
        std::memcpy(c.extra.data() + index, &value, sizeof value);
        break;
      }
      SetLastError(ERROR_INVALID_PARAMETER);
      return 0;
  }
  return old;
}

// ---------------------------------------------------------------------------------------------
// Creation

namespace {

LRESULT Send(Window& w, UINT msg, WPARAM wParam, LPARAM lParam) { return CallProc(w, msg, wParam, lParam); }

HWND ResolveParent(HWND parent, DWORD style, bool& messageOnly, HWND& owner) {
  messageOnly = parent == HWND_MESSAGE;
  owner = nullptr;
  if (messageOnly || !parent) return nullptr;
  if (style & WS_CHILD) return parent;
  // A parent given to a top-level window becomes its owner; owners are top-level windows.
  Window* p = Find(parent);
  while (p && p->IsChild()) p = Find(p->parent);
  owner = p ? p->handle : nullptr;
  return nullptr;
}

}  // namespace

HWND CreateWindowEx(DWORD exStyle, LPCSTR className, LPCSTR windowName, DWORD style, int x, int y, int width,
                    int height, HWND parentArg, HMENU menuOrId, HINSTANCE instance, LPVOID param) {
  WindowClass* cls = ClassByName(className);
  if (!cls) {
    SetLastError(ERROR_CANNOT_FIND_WND_CLASS);
    return nullptr;
  }
  if (exStyle & WS_EX_MDICHILD) {
    // A document window lives in an MDI client and nowhere else.
    Window* client = parentArg && parentArg != HWND_MESSAGE ? Find(parentArg) : nullptr;
    if (!client || client->cls->proc != MdiClientProc) {
      SetLastError(ERROR_INVALID_PARAMETER);
      return nullptr;
    }
    style = (style | WS_CHILD | WS_CLIPSIBLINGS) & ~WS_POPUP;
  }
  // A top-level window "parented" to the desktop has no owner.
  if (parentArg == GetDesktopWindow() && !(style & WS_CHILD)) parentArg = nullptr;
  if ((style & WS_CHILD) && !parentArg) {
    SetLastError(ERROR_TLW_WITH_WSCHILD);
    return nullptr;
  }
  if (parentArg && parentArg != HWND_MESSAGE && !Find(parentArg)) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return nullptr;
  }
  bool messageOnly = false;
  HWND owner = nullptr;
  HWND parent = ResolveParent(parentArg, style, messageOnly, owner);

  auto owned = std::make_unique<Window>();
  Window* w = owned.get();
  w->cls = cls;
  w->proc = cls->proc;
  w->exStyle = exStyle;
  w->instance = instance;
  w->threadId = GetCurrentThreadId();
  CurrentQueue();  // other threads may post to the window from now on
  w->messageOnly = messageOnly;
  w->owner = owner;
  w->extra.assign(static_cast<std::size_t>(cls->wndExtra), 0);
  // Overlapped windows always have a caption and clip their siblings.
  if (!(style & (WS_CHILD | WS_POPUP)) && !messageOnly) style |= WS_CAPTION | WS_CLIPSIBLINGS;
  if ((style & WS_CAPTION) == WS_CAPTION || (style & WS_THICKFRAME) || (exStyle & WS_EX_DLGMODALFRAME))
    w->exStyle |= WS_EX_WINDOWEDGE;
  w->style = style & ~WS_VISIBLE;  // shown after creation, with the messages of ShowWindow
  w->text = windowName && !IsAtom(windowName) ? windowName : "";
  w->id = reinterpret_cast<LONG_PTR>(menuOrId);  // a child's id, or a top-level window's menu

  // Default positions for overlapped windows, cascaded from the top-left of the work area.
  if (!(style & (WS_CHILD | WS_POPUP))) {
    if (x == CW_USEDEFAULT) {
      static int cascade = 0;
      x = 26 * (cascade % 8) + 10;
      y = 26 * (cascade % 8) + 10;
      ++cascade;
    }
    if (width == CW_USEDEFAULT) {
      width = 800;
      height = 600;
    }
  } else {
    if (x == CW_USEDEFAULT) x = y = 0;
    if (width == CW_USEDEFAULT) width = height = 0;
  }

  HWND hwnd = platform::MakeHandle<HWND>(Windows().Add(std::move(owned)));
  w->handle = hwnd;
  ++t_ownedWindows;
  cls->windows++;
  w->parent = parent;
  if (parent) {
    Window* p = Find(parent);
    // A new child joins its siblings at the bottom, so that z-order follows creation order,
    // as dialogs and their tab order expect.
    p->children.push_back(hwnd);
  } else if (!messageOnly) {
    auto& tops = TopLevels();
    // Above every window of its band: topmost windows above the rest.
    auto pos = tops.begin();
    if (!(exStyle & WS_EX_TOPMOST))
      while (pos != tops.end() && Find(*pos) && (Find(*pos)->exStyle & WS_EX_TOPMOST)) ++pos;
    tops.insert(pos, hwnd);
  }

  CREATESTRUCT cs;
  cs.lpCreateParams = param;
  cs.hInstance = instance;
  cs.hMenu = menuOrId;
  cs.hwndParent = parentArg == HWND_MESSAGE ? nullptr : parentArg;
  cs.x = x;
  cs.y = y;
  cs.cx = width;
  cs.cy = height;
  cs.style = static_cast<LONG>(style);
  cs.lpszName = windowName;
  cs.lpszClass = className;
  cs.dwExStyle = exStyle;

  // Sizable and captioned windows hear their limits first.
  if ((style & WS_THICKFRAME) || !(style & (WS_POPUP | WS_CHILD))) {
    MINMAXINFO mmi{};
    mmi.ptMaxSize = {1920, 1080};
    mmi.ptMaxTrackSize = {32767, 32767};
    Send(*w, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&mmi));
    if (!Find(hwnd)) return nullptr;  // destroyed by its own handler
  }
  w->rect = {x, y, x + std::max(0, width), y + std::max(0, height)};
  w->normalRect = w->rect;

  auto fail = [&]() -> HWND {
    DestroyWindow(hwnd);
    return nullptr;
  };

  if (!Send(*w, WM_NCCREATE, 0, reinterpret_cast<LPARAM>(&cs))) return fail();
  if (!Find(hwnd)) return nullptr;
  w->created = true;
  RecalcClient(*w);
  if (Send(*w, WM_CREATE, 0, reinterpret_cast<LPARAM>(&cs)) == -1) return fail();
  if (!Find(hwnd)) return nullptr;

  EnsureBackingStore(*w);
  // The first size and position, as the platform reports them after creation.
  Send(*w, WM_SIZE, SIZE_RESTORED,
       MAKELPARAM(static_cast<WORD>(w->client.right - w->client.left), static_cast<WORD>(w->client.bottom - w->client.top)));
  if (!Find(hwnd)) return nullptr;
  Send(*w, WM_MOVE, 0,
       MAKELPARAM(static_cast<WORD>(w->rect.left + w->client.left), static_cast<WORD>(w->rect.top + w->client.top)));
  if (!Find(hwnd)) return nullptr;

  if (w->IsChild() && !(w->exStyle & WS_EX_NOPARENTNOTIFY)) {
    for (HWND p = w->parent; p;) {
      Window* pw = Find(p);
      if (!pw) break;
      Send(*pw, WM_PARENTNOTIFY, MAKEWPARAM(WM_CREATE, static_cast<WORD>(w->id)), reinterpret_cast<LPARAM>(hwnd));
      if (!pw->IsChild() || (pw->exStyle & WS_EX_NOPARENTNOTIFY)) break;
      p = pw->parent;
    }
    if (!Find(hwnd)) return nullptr;
  }

  if (exStyle & WS_EX_MDICHILD) {
    MdiChildCreated(hwnd);
    if (!(w = Find(hwnd))) return nullptr;
  }
  if (style & WS_VISIBLE) {
    int cmd = (style & WS_MAXIMIZE) ? SW_SHOWMAXIMIZED : (style & WS_MINIMIZE) ? SW_SHOWMINIMIZED : SW_SHOW;
    // A document shown at creation becomes the active one.
    if ((style & WS_CHILD) && !(exStyle & WS_EX_MDICHILD)) cmd = SW_SHOWNOACTIVATE;
    ShowWindow(hwnd, cmd);
  }
  return Find(hwnd) ? hwnd : nullptr;
}

BOOL IsWindow(HWND hwnd) { return Find(hwnd) ? TRUE : FALSE; }

// ---------------------------------------------------------------------------------------------
// Destruction

namespace {

void SendDestroy(HWND hwnd) {
  Window* w = Find(hwnd);
  if (!w) return;
  Send(*w, WM_DESTROY, 0, 0);
  // Children hear WM_DESTROY after their parent, top first.
  w = Find(hwnd);
  if (!w) return;
  std::vector<HWND> kids = w->children;
  for (HWND c : kids) SendDestroy(c);
}

void SendNcDestroyAndFree(HWND hwnd) {
  Window* w = Find(hwnd);
  if (!w) return;
  std::vector<HWND> kids = w->children;
  for (HWND c : kids) SendNcDestroyAndFree(c);
  w = Find(hwnd);
  if (!w) return;
  Send(*w, WM_NCDESTROY, 0, 0);
  w = Find(hwnd);
  if (!w) return;
  ForgetWindow(hwnd);
  if (w->parent) {
    if (Window* p = Find(w->parent)) {
      auto& v = p->children;
      v.erase(std::remove(v.begin(), v.end(), hwnd), v.end());
    }
  } else {
    auto& tops = TopLevels();
    tops.erase(std::remove(tops.begin(), tops.end(), hwnd), tops.end());
  }
  if (w->store && w->store->surface && platform::HasDisplay()) platform::CurrentDisplay().DestroySurface(w->store->surface);
  w->cls->windows--;
  if (w->threadId == GetCurrentThreadId()) --t_ownedWindows;
  Windows().Remove(platform::HandleValue(hwnd));
}

void MarkDestroying(Window& w) {
  w.destroying = true;
  for (HWND c : w.children)
    if (Window* cw = Find(c)) MarkDestroying(*cw);
}

}  // namespace

BOOL DestroyWindow(HWND hwnd) {
  Window* w = Get(hwnd);
  if (!w) return FALSE;
  if (w->threadId != GetCurrentThreadId()) {
    SetLastError(ERROR_ACCESS_DENIED);
    return FALSE;
  }
  if (w->destroying) return TRUE;

  if (w->created) {
    if (w->exStyle & WS_EX_MDICHILD) {
      // The next document becomes active before this one hears WM_DESTROY.
      MdiChildDestroying(hwnd);
      w = Find(hwnd);
      if (!w || w->destroying) return TRUE;
    }
    if (w->IsChild() && !(w->exStyle & WS_EX_NOPARENTNOTIFY)) {
      if (Window* p = Find(w->parent))
        Send(*p, WM_PARENTNOTIFY, MAKEWPARAM(WM_DESTROY, static_cast<WORD>(w->id)), reinterpret_cast<LPARAM>(hwnd));
      w = Find(hwnd);
      if (!w) return TRUE;
    }
    if (w->Visible())
      SetWindowPos(hwnd, nullptr, 0, 0, 0, 0,
                   SWP_HIDEWINDOW | SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    w = Find(hwnd);
    if (!w) return TRUE;
  }

  // Owned windows go first.
  if (!w->IsChild()) {
    std::vector<HWND> ownedWindows;
    Windows().ForEach([&](std::uintptr_t h, Window* o) {
      if (o->owner == hwnd) ownedWindows.push_back(platform::MakeHandle<HWND>(h));
    });
    for (HWND o : ownedWindows) DestroyWindow(o);
    w = Find(hwnd);
    if (!w) return TRUE;
  }

  MarkDestroying(*w);
  if (w->created) SendDestroy(hwnd);
  SendNcDestroyAndFree(hwnd);
  return TRUE;
}

// ---------------------------------------------------------------------------------------------
// The tree

HWND GetParent(HWND hwnd) {
  Window* w = Get(hwnd);
  if (!w) return nullptr;
  if (w->style & WS_CHILD) return w->parent;
  if (w->style & WS_POPUP) return w->owner;
  return nullptr;
}

HWND SetParent(HWND child, HWND newParent) {
  Window* w = Get(child);
  if (!w) return nullptr;
  if (newParent == HWND_MESSAGE) newParent = nullptr;
  Window* np = newParent ? Get(newParent) : nullptr;
  if (newParent && !np) return nullptr;
  // A window cannot become its own descendant.
  for (Window* a = np; a; a = a->parent ? Find(a->parent) : nullptr)
    if (a == w) {
      SetLastError(ERROR_INVALID_PARAMETER);
      return nullptr;
    }
  HWND old = w->parent;
  bool wasVisible = w->Visible();
  if (wasVisible) {
    ShowWindow(child, SW_HIDE);
    // Hiding runs the window's handlers, which may destroy it or its new parent.
    if (!(w = Find(child)) || (newParent && !(np = Find(newParent)))) return nullptr;
  }
  win::POINT screen{w->rect.left, w->rect.top};
  if (w->parent) {
    if (Window* op = Find(w->parent)) {
      ClientToScreen(op->handle, &screen);
      auto& v = op->children;
      v.erase(std::remove(v.begin(), v.end(), child), v.end());
    }
  } else {
    auto& tops = TopLevels();
    tops.erase(std::remove(tops.begin(), tops.end(), child), tops.end());
  }
  int width = w->Width(), height = w->Height();
  if (np) {
    w->parent = newParent;
    np->children.insert(np->children.begin(), child);
    ScreenToClient(newParent, &screen);
    if (w->store) {
      if (w->store->surface && platform::HasDisplay()) platform::CurrentDisplay().DestroySurface(w->store->surface);
      w->store.reset();
    }
  } else {
    w->parent = nullptr;
    TopLevels().insert(TopLevels().begin(), child);
  }
  w->rect = {screen.x, screen.y, screen.x + width, screen.y + height};
  EnsureBackingStore(*w);
  if (wasVisible) ShowWindow(child, SW_SHOWNA);
  return old;
}

namespace {

const std::vector<HWND>* SiblingList(const Window& w) {
  if (w.parent) {
    Window* p = Find(w.parent);
    return p ? &p->children : nullptr;
  }
  return w.messageOnly ? nullptr : &TopLevels();
}

}  // namespace

HWND GetWindow(HWND hwnd, UINT relation) {
  Window* w = Get(hwnd);
  if (!w) return nullptr;
  switch (relation) {
    case GW_CHILD: return w->children.empty() ? nullptr : w->children.front();
    case GW_OWNER: return w->owner;
    case GW_HWNDFIRST:
    case GW_HWNDLAST:
    case GW_HWNDNEXT:
    case GW_HWNDPREV: {
      const auto* list = SiblingList(*w);
      if (!list || list->empty()) return nullptr;
      if (relation == GW_HWNDFIRST) return list->front();
      if (relation == GW_HWNDLAST) return list->back();
      auto it = std::find(list->begin(), list->end(), hwnd);
      if (it == list->end()) return nullptr;
      if (relation == GW_HWNDNEXT) return (it + 1) == list->end() ? nullptr : *(it + 1);
      return it == list->begin() ? nullptr : *(it - 1);
    }
    case GW_ENABLEDPOPUP: {
      HWND found = nullptr;
      for (HWND t : TopLevels()) {
        Window* o = Find(t);
        if (o && o->owner == hwnd && o->Visible() && !(o->style & WS_DISABLED)) {
          found = t;
          break;
        }
      }
      return found;
    }
    default: SetLastError(ERROR_INVALID_PARAMETER); return nullptr;
  }
}

HWND GetTopWindow(HWND hwnd) {
  if (!hwnd) return TopLevels().empty() ? nullptr : TopLevels().front();
  return GetWindow(hwnd, GW_CHILD);
}

HWND GetDesktopWindow() {
  // The desktop is not a window of ours; a fixed non-null value lets callers compare with it.
  return reinterpret_cast<HWND>(static_cast<UINT_PTR>(0x10010));
}

HWND GetAncestor(HWND hwnd, UINT flags) {
  Window* w = Get(hwnd);
  if (!w) return nullptr;
  switch (flags) {
    case GA_PARENT: return w->parent ? w->parent : GetDesktopWindow();
    case GA_ROOT: {
      Window* t = TopLevelOf(w);
      return t ? t->handle : nullptr;
    }
    case GA_ROOTOWNER: {
      Window* t = TopLevelOf(w);
      while (t && t->owner) {
        Window* o = Find(t->owner);
        if (!o) break;
        t = o;
      }
      return t ? t->handle : nullptr;
    }
    default: return nullptr;
  }
}

BOOL IsChild(HWND parent, HWND hwnd) {
  Window* w = Find(hwnd);
  while (w && w->IsChild()) {
    if (w->parent == parent) return TRUE;
    w = Find(w->parent);
  }
  return FALSE;
}

namespace {

bool EnumDescendants(HWND parent, WNDENUMPROC proc, LPARAM param) {
  Window* p = Find(parent);
  if (!p) return true;
  std::vector<HWND> kids = p->children;
  for (HWND c : kids) {
    if (!Find(c)) continue;
    if (!proc(c, param)) return false;
    if (!EnumDescendants(c, proc, param)) return false;
  }
  return true;
}

}  // namespace

BOOL EnumChildWindows(HWND parent, WNDENUMPROC proc, LPARAM param) {
  if (!proc) return FALSE;
  if (!parent) return EnumWindows(proc, param);
  if (!Get(parent)) return FALSE;
  EnumDescendants(parent, proc, param);
  return TRUE;
}

BOOL EnumWindows(WNDENUMPROC proc, LPARAM param) {
  if (!proc) return FALSE;
  std::vector<HWND> tops = TopLevels();
  for (HWND t : tops)
    if (Find(t) && !proc(t, param)) break;
  return TRUE;
}

BOOL EnumThreadWindows(DWORD threadId, WNDENUMPROC proc, LPARAM param) {
  if (!proc) return FALSE;
  std::vector<HWND> tops = TopLevels();
  for (HWND t : tops) {
    Window* w = Find(t);
    if (w && w->threadId == threadId && !proc(t, param)) break;
  }
  return TRUE;
}

HWND FindWindowEx(HWND parent, HWND childAfter, LPCSTR className, LPCSTR windowName) {
  std::vector<HWND> list;
  if (parent == HWND_MESSAGE) {
    Windows().ForEach([&](std::uintptr_t h, Window* w) {
      if (w->messageOnly) list.push_back(platform::MakeHandle<HWND>(h));
    });
  } else if (parent) {
    Window* p = Get(parent);
    if (!p) return nullptr;
    list = p->children;
  } else {
    list = TopLevels();
  }
  WindowClass* cls = className ? ClassByName(className) : nullptr;
  if (className && !cls) return nullptr;
  bool started = childAfter == nullptr;
  for (HWND h : list) {
    if (!started) {
      started = h == childAfter;
      continue;
    }
    Window* w = Find(h);
    if (!w) continue;
    if (cls && w->cls != cls) continue;
    if (windowName && w->text != windowName) continue;
    return h;
  }
  return nullptr;
}

HWND FindWindow(LPCSTR className, LPCSTR windowName) { return FindWindowEx(nullptr, nullptr, className, windowName); }

DWORD GetWindowThreadProcessId(HWND hwnd, DWORD* processId) {
  DWORD thread = ThreadOfWindow(hwnd);
  if (!thread) return 0;
  // Every window lives in this process.
  if (processId) *processId = GetCurrentProcessId();
  return thread;
}

HWND GetDlgItem(HWND dialog, int id) {
  Window* p = Get(dialog);
  if (!p) return nullptr;
  for (HWND c : p->children) {
    Window* w = Find(c);
    if (w && static_cast<int>(w->id) == id) return c;
  }
  return nullptr;
}

int GetDlgCtrlID(HWND hwnd) {
  Window* w = Get(hwnd);
  return w && w->IsChild() ? static_cast<int>(w->id) : 0;
}

// ---------------------------------------------------------------------------------------------
// Long values, text, properties

LONG_PTR GetWindowLongPtr(HWND hwnd, int index) {
  Window* w = Get(hwnd);
  if (!w) return 0;
  switch (index) {
    case GWL_WNDPROC: return reinterpret_cast<LONG_PTR>(w->proc);
    case GWL_HINSTANCE: return reinterpret_cast<LONG_PTR>(w->instance);
    case GWL_HWNDPARENT: return reinterpret_cast<LONG_PTR>(w->IsChild() ? w->parent : w->owner);
    case GWL_STYLE: return static_cast<LONG_PTR>(static_cast<LONG>(w->style));
    case GWL_EXSTYLE: return static_cast<LONG_PTR>(static_cast<LONG>(w->exStyle));
    case GWL_USERDATA: return w->userData;
    case GWL_ID: return w->id;
    default:
      if (index >= 0 && static_cast<std::size_t>(index) + sizeof(LONG) <= w->extra.size()) {
        if (static_cast<std::size_t>(index) + sizeof(LONG_PTR) <= w->extra.size()) {
          LONG_PTR v;
          std::memcpy(&v, w->extra.data() + index, sizeof v);
          return v;
        }
        LONG v;
        std::memcpy(&v, w->extra.data() + index, sizeof v);
        return v;
      }
      SetLastError(ERROR_INVALID_PARAMETER);
      return 0;
  }
}

LONG_PTR SetWindowLongPtr(HWND hwnd, int index, LONG_PTR value) {
  Window* w = Get(hwnd);
  if (!w) return 0;
  LONG_PTR old = GetWindowLongPtr(hwnd, index);
  switch (index) {
    case GWL_WNDPROC:
      if (w->threadId != GetCurrentThreadId()) {
        SetLastError(ERROR_ACCESS_DENIED);
        return 0;
      }
      w->proc = reinterpret_cast<WNDPROC>(value);
      break;
    case GWL_HINSTANCE: w->instance = reinterpret_cast<HINSTANCE>(value); break;
    case GWL_HWNDPARENT:
      if (w->IsChild()) return reinterpret_cast<LONG_PTR>(SetParent(hwnd, reinterpret_cast<HWND>(value)));
      w->owner = reinterpret_cast<HWND>(value);
      SyncSurfaceFlags(*w);
      break;
    case GWL_STYLE:
    case GWL_EXSTYLE: {
      struct STYLESTRUCT {
        DWORD styleOld, styleNew;
      } ss{static_cast<DWORD>(old), static_cast<DWORD>(value)};
      WPARAM which = static_cast<WPARAM>(static_cast<LONG_PTR>(index));
      Send(*w, WM_STYLECHANGING, which, reinterpret_cast<LPARAM>(&ss));
      if (!(w = Find(hwnd))) return old;
      DWORD newStyle = ss.styleNew;
      if (index == GWL_STYLE) {
        // Visibility changes through ShowWindow only; the bit itself is stored as given.
        w->style = newStyle;
      } else {
        w->exStyle = newStyle;
        // A window that stops being layered is shown plainly again.
        if (!(newStyle & WS_EX_LAYERED) && w->layered) {
          w->layered = false;
          w->layer = platform::LayerAttributes{};
          ApplySurfaceAttributes(*w);
        }
        SyncSurfaceFlags(*w);
      }
      Send(*w, WM_STYLECHANGED, which, reinterpret_cast<LPARAM>(&ss));
      break;
    }
    case GWL_USERDATA: w->userData = value; break;
    case GWL_ID: w->id = value; break;
    default:
      if (index >= 0 && static_cast<std::size_t>(index) + sizeof(LONG_PTR) <= w->extra.size()) {
        std::memcpy(w->extra.data() + index, &value, sizeof value);
      } else if (index >= 0 && static_cast<std::size_t>(index) + sizeof(LONG) <= w->extra.size()) {
        LONG v = static_cast<LONG>(value);
        std::memcpy(w->extra.data() + index, &v, sizeof v);
      } else {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
      }
  }
  return old;
}

BOOL SetWindowText(HWND hwnd, LPCSTR text) {
  Window* w = Get(hwnd);
  if (!w) return FALSE;
  return SendMessage(hwnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text ? text : "")) ? TRUE : FALSE;
}

int GetWindowText(HWND hwnd, LPSTR buffer, int size) {
  if (!buffer || size <= 0) return 0;
  buffer[0] = 0;
  if (!Get(hwnd)) return 0;
  return static_cast<int>(SendMessage(hwnd, WM_GETTEXT, static_cast<WPARAM>(size), reinterpret_cast<LPARAM>(buffer)));
}

int GetWindowTextLength(HWND hwnd) {
  if (!Get(hwnd)) return 0;
  return static_cast<int>(SendMessage(hwnd, WM_GETTEXTLENGTH, 0, 0));
}

std::string GetWindowTextString(HWND hwnd) {
  int n = GetWindowTextLength(hwnd);
  if (n <= 0) return {};
  std::string s(static_cast<std::size_t>(n) + 1, '\0');
  int got = GetWindowText(hwnd, s.data(), n + 1);
  s.resize(static_cast<std::size_t>(std::max(0, got)));
  return s;
}

namespace {

std::string PropKey(LPCSTR name) {
  if (IsAtom(name)) return "#" + std::to_string(reinterpret_cast<UINT_PTR>(name));
  return Upper(name);
}

}  // namespace

BOOL SetProp(HWND hwnd, LPCSTR name, HANDLE data) {
  Window* w = Get(hwnd);
  if (!w || !name) return FALSE;
  w->props[PropKey(name)] = data;
  return TRUE;
}

HANDLE GetProp(HWND hwnd, LPCSTR name) {
  Window* w = Find(hwnd);
  if (!w || !name) return nullptr;
  auto it = w->props.find(PropKey(name));
  return it == w->props.end() ? nullptr : it->second;
}

HANDLE RemoveProp(HWND hwnd, LPCSTR name) {
  Window* w = Get(hwnd);
  if (!w || !name) return nullptr;
  auto it = w->props.find(PropKey(name));
  if (it == w->props.end()) return nullptr;
  HANDLE h = it->second;
  w->props.erase(it);
  return h;
}

LRESULT CallWindowProc(WNDPROC proc, HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (!proc) return 0;
  return proc(hwnd, msg, wParam, lParam);
}

}  // namespace win
