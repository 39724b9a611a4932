#pragma once
// The registry: keys holding named values, kept in a small file store of our own, and the
// read-only hardware key HKEY_LOCAL_MACHINE "HARDWARE\DEVICEMAP\SERIALCOMM" that lists the
// machine's serial ports, built afresh from the present devices each time it is opened (and
// missing while there is none).
//
// Serial ports are named COM1, COM2, ... in a stable order: the on-board ports (ttyS, only those
// with a UART behind them), then USB adapters (ttyUSB), then modems (ttyACM), then any other kind,
// each kind by its number.
#include <cstdint>
#include <string>
#include <vector>

#include "platform/system/Types.h"

namespace platform {

// The store file; by default "registry" under the user's configuration folder for this system.
// Tests point it elsewhere; changing it drops what was loaded.
void SetRegistryStorePath(const std::string& path);
std::string RegistryStorePath();

// Where the serial devices are looked for: the kernel's tty class folder and the device folder.
// Tests point them at a prepared tree; empty strings bring back "/sys/class/tty" and "/dev".
void SetSerialDeviceRoots(const std::string& sysClassTty, const std::string& devDir);

// The present serial devices' paths in COM order ("/dev/ttyS0", "/dev/ttyUSB0", ...).
std::vector<std::string> SerialDevicePaths();
// "COM1", "COM2", ... one per present device.
std::vector<std::string> SerialPortNames();
// The device behind a port name: "COMn" (any case, also after "\\.\" or "//./") gives the n-th
// present device; a name that is a path ("//./dev/pts/3", "/dev/ttyUSB0") gives that path.
// Empty when the name matches no device.
std::string SerialPortPath(const std::string& comName);

}  // namespace platform

namespace win {

using REGSAM = DWORD;
using PHKEY = HKEY*;
using LPDWORD = DWORD*;
using LPBYTE = BYTE*;

inline const HKEY HKEY_CLASSES_ROOT = reinterpret_cast<HKEY>(static_cast<std::uintptr_t>(0x80000000u));
inline const HKEY HKEY_CURRENT_USER = reinterpret_cast<HKEY>(static_cast<std::uintptr_t>(0x80000001u));
inline const HKEY HKEY_LOCAL_MACHINE = reinterpret_cast<HKEY>(static_cast<std::uintptr_t>(0x80000002u));
inline const HKEY HKEY_USERS = reinterpret_cast<HKEY>(static_cast<std::uintptr_t>(0x80000003u));
inline const HKEY HKEY_PERFORMANCE_DATA = reinterpret_cast<HKEY>(static_cast<std::uintptr_t>(0x80000004u));
inline const HKEY HKEY_CURRENT_CONFIG = reinterpret_cast<HKEY>(static_cast<std::uintptr_t>(0x80000005u));
inline const HKEY HKEY_DYN_DATA = reinterpret_cast<HKEY>(static_cast<std::uintptr_t>(0x80000006u));

constexpr DWORD REG_NONE = 0;
constexpr DWORD REG_SZ = 1;
constexpr DWORD REG_EXPAND_SZ = 2;
constexpr DWORD REG_BINARY = 3;
constexpr DWORD REG_DWORD = 4;
constexpr DWORD REG_MULTI_SZ = 7;
constexpr DWORD REG_QWORD = 11;

constexpr REGSAM KEY_QUERY_VALUE = 0x0001;
constexpr REGSAM KEY_SET_VALUE = 0x0002;
constexpr REGSAM KEY_CREATE_SUB_KEY = 0x0004;
constexpr REGSAM KEY_ENUMERATE_SUB_KEYS = 0x0008;
constexpr REGSAM KEY_NOTIFY = 0x0010;
constexpr REGSAM KEY_CREATE_LINK = 0x0020;
constexpr REGSAM KEY_READ = 0x20019;
constexpr REGSAM KEY_WRITE = 0x20006;
constexpr REGSAM KEY_EXECUTE = 0x20019;
constexpr REGSAM KEY_ALL_ACCESS = 0xF003F;

constexpr DWORD REG_OPTION_NON_VOLATILE = 0;
constexpr DWORD REG_CREATED_NEW_KEY = 1;
constexpr DWORD REG_OPENED_EXISTING_KEY = 2;

// Registry results beyond the common error codes of Types.h.
constexpr DWORD ERROR_MORE_DATA = 234;
constexpr DWORD ERROR_NO_MORE_ITEMS = 259;
constexpr DWORD ERROR_KEY_DELETED = 1018;

// Each returns ERROR_SUCCESS or an error code (it does not set the last error).
LONG RegOpenKeyEx(HKEY key, LPCSTR subKey, DWORD options, REGSAM desired, PHKEY result);
LONG RegCreateKeyEx(HKEY key, LPCSTR subKey, DWORD reserved, LPSTR className, DWORD options, REGSAM desired,
                    void* security, PHKEY result, LPDWORD disposition);
LONG RegCloseKey(HKEY key);
// With a null `data` only the size is reported; too small a buffer gives ERROR_MORE_DATA and the
// needed size.
LONG RegQueryValueEx(HKEY key, LPCSTR valueName, LPDWORD reserved, LPDWORD type, LPBYTE data, LPDWORD dataSize);
LONG RegSetValueEx(HKEY key, LPCSTR valueName, DWORD reserved, DWORD type, const BYTE* data, DWORD dataSize);
// `nameSize` counts characters with the terminating NUL on the way in and without it on the way
// out. A name or data that does not fit gives ERROR_MORE_DATA.
LONG RegEnumValue(HKEY key, DWORD index, LPSTR valueName, LPDWORD nameSize, LPDWORD reserved, LPDWORD type,
                  LPBYTE data, LPDWORD dataSize);
LONG RegEnumKeyEx(HKEY key, DWORD index, LPSTR name, LPDWORD nameSize, LPDWORD reserved, LPSTR className,
                  LPDWORD classSize, void* lastWriteTime);
LONG RegQueryInfoKey(HKEY key, LPSTR className, LPDWORD classSize, LPDWORD reserved, LPDWORD subKeys,
                     LPDWORD maxSubKeyLen, LPDWORD maxClassLen, LPDWORD values, LPDWORD maxValueNameLen,
                     LPDWORD maxValueLen, LPDWORD securityDescriptor, void* lastWriteTime);
LONG RegDeleteValue(HKEY key, LPCSTR valueName);
// Only a key without sub-keys can be deleted.
LONG RegDeleteKey(HKEY key, LPCSTR subKey);
LONG RegFlushKey(HKEY key);

}  // namespace win
