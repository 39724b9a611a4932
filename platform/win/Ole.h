#pragma once
// The component-object basics that accessibility and streams are spoken in: result codes,
// interface identifiers, the root interfaces and variants. Strings (BSTR) hold UTF-8, like every
// string in memory here; nothing crosses a process boundary to need another encoding.
#include <cstdint>

#include "platform/system/Types.h"

namespace win {

using HRESULT = LONG;
constexpr HRESULT S_OK = 0, S_FALSE = 1;
constexpr HRESULT E_NOTIMPL = static_cast<HRESULT>(0x80004001), E_NOINTERFACE = static_cast<HRESULT>(0x80004002),
                  E_POINTER = static_cast<HRESULT>(0x80004003), E_FAIL = static_cast<HRESULT>(0x80004005),
                  E_UNEXPECTED = static_cast<HRESULT>(0x8000FFFF),
                  E_ACCESSDENIED = static_cast<HRESULT>(0x80070005),
                  E_OUTOFMEMORY = static_cast<HRESULT>(0x8007000E), E_INVALIDARG = static_cast<HRESULT>(0x80070057),
                  DISP_E_UNKNOWNINTERFACE = static_cast<HRESULT>(0x80020001),
                  DISP_E_MEMBERNOTFOUND = static_cast<HRESULT>(0x80020003),
                  DISP_E_PARAMNOTFOUND = static_cast<HRESULT>(0x80020004),
                  DISP_E_TYPEMISMATCH = static_cast<HRESULT>(0x80020005),
                  DISP_E_UNKNOWNNAME = static_cast<HRESULT>(0x80020006),
                  DISP_E_BADINDEX = static_cast<HRESULT>(0x8002000B),
                  STG_E_INVALIDFUNCTION = static_cast<HRESULT>(0x80030001),
                  STG_E_INVALIDPOINTER = static_cast<HRESULT>(0x80030009),
                  STG_E_MEDIUMFULL = static_cast<HRESULT>(0x80030070),
                  STG_E_ACCESSDENIED = static_cast<HRESULT>(0x80030005);
constexpr bool SUCCEEDED(HRESULT hr) { return hr >= 0; }
constexpr bool FAILED(HRESULT hr) { return hr < 0; }

struct GUID {
  std::uint32_t Data1 = 0;
  std::uint16_t Data2 = 0, Data3 = 0;
  std::uint8_t Data4[8] = {};
  friend bool operator==(const GUID&, const GUID&) = default;
};
using IID = GUID;
using CLSID = GUID;
using REFIID = const IID&;
using REFGUID = const GUID&;
inline bool IsEqualGUID(REFGUID a, REFGUID b) { return a == b; }
inline bool IsEqualIID(REFIID a, REFIID b) { return a == b; }

inline constexpr IID IID_NULL{};
inline constexpr IID IID_IUnknown{0x00000000, 0x0000, 0x0000, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
inline constexpr IID IID_IDispatch{0x00020400, 0x0000, 0x0000, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
inline constexpr IID IID_IOleWindow{0x00000114, 0x0000, 0x0000, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};

class IUnknown {
 public:
  // S_OK with an added reference in *object, else E_NOINTERFACE with nil.
  virtual HRESULT QueryInterface(REFIID riid, void** object) = 0;
  virtual ULONG AddRef() = 0;
  // The object frees itself when the last reference goes.
  virtual ULONG Release() = 0;

 protected:
  virtual ~IUnknown() = default;
};

// A length-prefixed UTF-8 string from SysAllocString; nil is the empty string.
using BSTR = char*;
using LPCOLESTR = const char*;
using LPOLESTR = char*;
BSTR SysAllocString(LPCOLESTR text);
BSTR SysAllocStringLen(LPCOLESTR text, UINT length);
void SysFreeString(BSTR text);
// Bytes, without the terminating nul.
UINT SysStringLen(BSTR text);

using VARTYPE = std::uint16_t;
using VARIANT_BOOL = std::int16_t;
constexpr VARIANT_BOOL VARIANT_TRUE = -1, VARIANT_FALSE = 0;
constexpr VARTYPE VT_EMPTY = 0, VT_NULL = 1, VT_I2 = 2, VT_I4 = 3, VT_BSTR = 8, VT_DISPATCH = 9, VT_ERROR = 10,
                  VT_BOOL = 11, VT_VARIANT = 12, VT_UNKNOWN = 13, VT_I1 = 16, VT_UI1 = 17, VT_UI2 = 18, VT_UI4 = 19,
                  VT_INT = 22, VT_UINT = 23, VT_ARRAY = 0x2000, VT_BYREF = 0x4000;

class IDispatch;

struct VARIANT {
  VARTYPE vt = VT_EMPTY;
  union {
    LONG lVal;
    SHORT iVal;
    VARIANT_BOOL boolVal;
    HRESULT scode;
    BSTR bstrVal;
    IUnknown* punkVal;
    IDispatch* pdispVal;
    VARIANT* pvarVal;
  };
  VARIANT() : lVal(0) {}
};
using VARIANTARG = VARIANT;

void VariantInit(VARIANT* v);
// Frees the string or releases the interface a variant holds, and empties it.
HRESULT VariantClear(VARIANT* v);
// A copy that holds its own string or reference.
HRESULT VariantCopy(VARIANT* dest, const VARIANT* source);

using DISPID = LONG;
using LCID = DWORD;
constexpr DISPID DISPID_UNKNOWN = -1;
struct DISPPARAMS {
  VARIANTARG* rgvarg = nullptr;
  DISPID* rgdispidNamedArgs = nullptr;
  UINT cArgs = 0;
  UINT cNamedArgs = 0;
};
struct EXCEPINFO {
  WORD wCode = 0;
  BSTR bstrSource = nullptr;
  BSTR bstrDescription = nullptr;
  HRESULT scode = S_OK;
};
// Type information is never handed out here; the interface is only named.
class ITypeInfo : public IUnknown {};

class IDispatch : public IUnknown {
 public:
  virtual HRESULT GetTypeInfoCount(UINT* count) = 0;
  virtual HRESULT GetTypeInfo(UINT index, LCID locale, ITypeInfo** info) = 0;
  virtual HRESULT GetIDsOfNames(REFIID riid, LPOLESTR* names, UINT count, LCID locale, DISPID* ids) = 0;
  virtual HRESULT Invoke(DISPID member, REFIID riid, LCID locale, WORD flags, DISPPARAMS* params, VARIANT* result,
                         EXCEPINFO* exception, UINT* argError) = 0;
};

class IOleWindow : public IUnknown {
 public:
  virtual HRESULT GetWindow(HWND* hwnd) = 0;
  virtual HRESULT ContextSensitiveHelp(BOOL enterMode) = 0;
};

}  // namespace win
