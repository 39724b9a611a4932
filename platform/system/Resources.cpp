#include "platform/system/Resources.h"

#include <cctype>
#include <map>
#include <mutex>
#include <utility>

namespace platform {
namespace {

struct Table {
  std::mutex mutex;
  std::map<std::pair<std::string, std::string>, const ResourceEntry*> entries;
};

Table& Resources() {
  static Table table;
  return table;
}

std::string Upper(const char* s) {
  std::string out(s);
  for (char& c : out) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return out;
}

// The platform's predefined types may be spelled as words in a manifest or a call.
std::string TypeKey(std::string type) {
  static const std::pair<const char*, const char*> kTypeIds[] = {
      {"CURSOR", "#1"}, {"BITMAP", "#2"}, {"ICON", "#3"}, {"MENU", "#4"}, {"DIALOG", "#5"},
      {"STRING", "#6"}, {"RCDATA", "#10"}, {"GROUP_CURSOR", "#12"}, {"GROUP_ICON", "#14"}};
  for (auto& [word, id] : kTypeIds)
    if (type == word) return id;
  return type;
}

}  // namespace

std::string ResourceKey(win::LPCSTR nameOrId) {
  if (win::IS_INTRESOURCE(nameOrId)) return "#" + std::to_string(reinterpret_cast<win::UINT_PTR>(nameOrId));
  // "#123" names the same resource as the integer 123.
  return Upper(nameOrId);
}

void RegisterResources(const ResourceEntry* entries, std::size_t count) {
  Table& t = Resources();
  std::lock_guard lock(t.mutex);
  for (std::size_t i = 0; i < count; ++i) {
    t.entries[{TypeKey(Upper(entries[i].type)), Upper(entries[i].name)}] = &entries[i];
  }
}

}  // namespace platform

namespace win {

HRSRC FindResource(HMODULE, LPCSTR name, LPCSTR type) {
  if (!name || !type) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  auto& t = platform::Resources();
  std::lock_guard lock(t.mutex);
  auto it = t.entries.find({platform::TypeKey(platform::ResourceKey(type)), platform::ResourceKey(name)});
  if (it == t.entries.end()) {
    SetLastError(ERROR_RESOURCE_NAME_NOT_FOUND);
    return nullptr;
  }
  // Entries live in static storage for the whole run, so their address is a stable handle.
  return reinterpret_cast<HRSRC>(const_cast<platform::ResourceEntry*>(it->second));
}

HGLOBAL LoadResource(HMODULE, HRSRC resource) {
  if (!resource) return nullptr;
  return const_cast<unsigned char*>(reinterpret_cast<const platform::ResourceEntry*>(resource)->data);
}

DWORD SizeofResource(HMODULE, HRSRC resource) {
  if (!resource) return 0;
  return static_cast<DWORD>(reinterpret_cast<const platform::ResourceEntry*>(resource)->size);
}

LPVOID LockResource(HGLOBAL data) { return data; }

BOOL FreeResource(HGLOBAL) { return FALSE; }

}  // namespace win
