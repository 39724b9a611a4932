#include "platform/win/Accessibility.h"

#include <map>
#include <mutex>

#include "platform/system/Modules.h"
#include "platform/win/Window.h"

namespace {

// The objects handed out by LresultFromObject and not yet taken, each holding one reference.
std::mutex g_mutex;
std::map<win::LRESULT, win::IUnknown*> g_handedOut;
win::LRESULT g_nextReference = 1;

}  // namespace

namespace win {

LRESULT LresultFromObject(REFIID riid, WPARAM, IUnknown* object) {
  if (!object) return E_INVALIDARG;
  void* asked = nullptr;
  HRESULT hr = object->QueryInterface(riid, &asked);
  if (FAILED(hr) || !asked) return FAILED(hr) ? hr : E_NOINTERFACE;
  std::lock_guard lock(g_mutex);
  LRESULT reference = g_nextReference++;
  if (g_nextReference > 0x7FFFFFFF) g_nextReference = 1;
  g_handedOut[reference] = static_cast<IUnknown*>(asked);
  return reference;
}

HRESULT ObjectFromLresult(LRESULT result, REFIID riid, WPARAM, void** object) {
  if (!object) return E_POINTER;
  *object = nullptr;
  if (result <= 0) return E_INVALIDARG;
  IUnknown* held = nullptr;
  {
    std::lock_guard lock(g_mutex);
    auto it = g_handedOut.find(result);
    if (it == g_handedOut.end()) return E_INVALIDARG;
    held = it->second;
    g_handedOut.erase(it);
  }
  HRESULT hr = held->QueryInterface(riid, object);
  held->Release();
  return hr;
}

HRESULT AccessibleObjectFromWindow(HWND hwnd, DWORD objectId, REFIID riid, void** object) {
  if (!object) return E_POINTER;
  *object = nullptr;
  if (!IsWindow(hwnd)) return E_INVALIDARG;
  LRESULT answer = SendMessage(hwnd, WM_GETOBJECT, 0, static_cast<LPARAM>(static_cast<LONG>(objectId)));
  if (answer > 0) return ObjectFromLresult(answer, riid, 0, object);
  return answer < 0 ? static_cast<HRESULT>(answer) : E_FAIL;
}

}  // namespace win

namespace platform {

void RegisterAccessibilityModule() {
  RegisterModule("oleacc.dll", {Export("AccessibleObjectFromWindow", &win::AccessibleObjectFromWindow),
                                Export("LresultFromObject", &win::LresultFromObject),
                                Export("ObjectFromLresult", &win::ObjectFromLresult)});
}

}  // namespace platform
