#include "platform/win/Ole.h"

#include <cstdlib>
#include <cstring>

namespace win {

// The length lies in the four bytes before the characters, as callers of SysStringLen expect.
BSTR SysAllocStringLen(LPCOLESTR text, UINT length) {
  auto* block = static_cast<char*>(std::malloc(sizeof(std::uint32_t) + length + 1));
  if (!block) return nullptr;
  std::uint32_t n = length;
  std::memcpy(block, &n, sizeof n);
  char* chars = block + sizeof n;
  if (text) std::memcpy(chars, text, length);
  else std::memset(chars, 0, length);
  chars[length] = '\0';
  return chars;
}

BSTR SysAllocString(LPCOLESTR text) {
  return text ? SysAllocStringLen(text, static_cast<UINT>(std::strlen(text))) : nullptr;
}

void SysFreeString(BSTR text) {
  if (text) std::free(text - sizeof(std::uint32_t));
}

UINT SysStringLen(BSTR text) {
  if (!text) return 0;
  std::uint32_t n;
  std::memcpy(&n, text - sizeof n, sizeof n);
  return n;
}

void VariantInit(VARIANT* v) {
  if (!v) return;
  v->vt = VT_EMPTY;
  v->lVal = 0;
}

HRESULT VariantClear(VARIANT* v) {
  if (!v) return E_INVALIDARG;
  switch (v->vt) {
    case VT_BSTR: SysFreeString(v->bstrVal); break;
    case VT_UNKNOWN:
      if (v->punkVal) v->punkVal->Release();
      break;
    case VT_DISPATCH:
      if (v->pdispVal) v->pdispVal->Release();
      break;
    default: break;
  }
  VariantInit(v);
  return S_OK;
}

HRESULT VariantCopy(VARIANT* dest, const VARIANT* source) {
  if (!dest || !source) return E_INVALIDARG;
  if (dest == source) return S_OK;
  VARIANT copy = *source;
  switch (source->vt) {
    case VT_BSTR:
      copy.bstrVal = source->bstrVal ? SysAllocStringLen(source->bstrVal, SysStringLen(source->bstrVal)) : nullptr;
      if (source->bstrVal && !copy.bstrVal) return E_OUTOFMEMORY;
      break;
    case VT_UNKNOWN:
      if (copy.punkVal) copy.punkVal->AddRef();
      break;
    case VT_DISPATCH:
      if (copy.pdispVal) copy.pdispVal->AddRef();
      break;
    default: break;
  }
  VariantClear(dest);
  *dest = copy;
  return S_OK;
}

}  // namespace win
