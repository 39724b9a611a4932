#include "platform/classes/Streams.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <mutex>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/classes/Component.h"
#include "platform/classes/Filer.h"
#include "platform/system/Resources.h"

// ---- TStream ----

std::int64_t TStream::Size() {
  std::int64_t pos = Seek(0, soCurrent);
  std::int64_t size = Seek(0, soEnd);
  Seek(pos, soBeginning);
  return size;
}

void TStream::SetSize(std::int64_t) {}

void TStream::ReadBuffer(void* Buffer, std::int32_t Count) {
  if (Count < 0 || (Count != 0 && Read(Buffer, Count) != Count)) throw EReadError(SReadError);
}

void TStream::WriteBuffer(const void* Buffer, std::int32_t Count) {
  if (Count < 0 || (Count != 0 && Write(Buffer, Count) != Count)) throw EWriteError(SWriteError);
}

std::int64_t TStream::CopyFrom(TStream* Source, std::int64_t Count) {
  if (Count == 0) {
    Source->SetPosition(0);
    Count = Source->Size();
  }
  std::int64_t result = Count;
  std::vector<std::uint8_t> buffer(static_cast<std::size_t>(std::min<std::int64_t>(Count, 0xF000)) + 1);
  while (Count > 0) {
    auto n = static_cast<std::int32_t>(std::min<std::int64_t>(Count, static_cast<std::int64_t>(buffer.size())));
    Source->ReadBuffer(buffer.data(), n);
    WriteBuffer(buffer.data(), n);
    Count -= n;
  }
  return result;
}

TComponent* TStream::ReadComponent(TComponent* Instance) {
  TReader reader(this);
  return reader.ReadRootComponent(Instance);
}

void TStream::WriteComponent(TComponent* Instance) { WriteDescendent(Instance, nullptr); }

void TStream::WriteDescendent(TComponent* Instance, TComponent* Ancestor) {
  TWriter writer(this);
  writer.WriteDescendent(Instance, Ancestor);
}

// ---- THandleStream ----

std::int32_t THandleStream::Read(void* Buffer, std::int32_t Count) {
  std::int32_t done = 0;
  auto* p = static_cast<char*>(Buffer);
  while (done < Count) {
    ssize_t n = ::read(FHandle, p + done, static_cast<std::size_t>(Count - done));
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
    done += static_cast<std::int32_t>(n);
  }
  return done;
}

std::int32_t THandleStream::Write(const void* Buffer, std::int32_t Count) {
  std::int32_t done = 0;
  auto* p = static_cast<const char*>(Buffer);
  while (done < Count) {
    ssize_t n = ::write(FHandle, p + done, static_cast<std::size_t>(Count - done));
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
    done += static_cast<std::int32_t>(n);
  }
  return done;
}

std::int64_t THandleStream::Seek(std::int64_t Offset, TSeekOrigin Origin) {
  int whence = Origin == soBeginning ? SEEK_SET : Origin == soCurrent ? SEEK_CUR : SEEK_END;
  return ::lseek(FHandle, Offset, whence);
}

void THandleStream::SetSize(std::int64_t NewSize) {
  Seek(NewSize, soBeginning);
  if (::ftruncate(FHandle, NewSize) != 0) throw EStreamError(SWriteError);
}

// ---- TFileStream ----

namespace {

// Share modes hold between the opens of this process, as the platform's do between all of its
// processes; that is where this program relies on them.
struct ShareEntry {
  std::uint64_t id;
  dev_t dev;
  ino_t ino;
  bool read, write;
  bool denyRead, denyWrite;
};

struct ShareTable {
  std::mutex lock;
  std::vector<ShareEntry> entries;
  std::uint64_t next = 1;
};

ShareTable& Shares() {
  static ShareTable t;
  return t;
}

void ShareModeBits(std::uint16_t share, bool& denyRead, bool& denyWrite) {
  switch (share & 0xF0) {
    case fmShareDenyNone: denyRead = denyWrite = false; break;
    case fmShareDenyRead: denyRead = true; denyWrite = false; break;
    case fmShareDenyWrite: denyRead = false; denyWrite = true; break;
    default: denyRead = denyWrite = true; break;  // exclusive and compatibility mode
  }
}

}  // namespace

TFileStream::TFileStream(const String& AFileName, std::uint16_t Mode) : THandleStream(-1), FFileName(AFileName) {
  bool create = (Mode & 0xFF00) == fmCreate;
  bool read, write;
  int flags = O_CLOEXEC;
  if (create) {
    read = write = true;
    flags |= O_RDWR | O_CREAT;
  } else {
    switch (Mode & 3) {
      case fmOpenWrite: read = false; write = true; flags |= O_WRONLY; break;
      case fmOpenReadWrite: read = write = true; flags |= O_RDWR; break;
      default: read = true; write = false; flags |= O_RDONLY; break;
    }
  }
  bool denyRead, denyWrite;
  ShareModeBits(create ? (Mode & 0xF0) : Mode, denyRead, denyWrite);

  auto fail = [&] {
    if (create) throw EFCreateError(Format(SFCreateError, AFileName));
    throw EFOpenError(Format(SFOpenError, AFileName));
  };

  // Opened without truncation first: a create that the share mode refuses must not empty the file.
  int fd = ::open(AFileName.c_str(), flags, 0666);
  if (fd < 0) fail();
  struct stat st {};
  if (::fstat(fd, &st) != 0 || S_ISDIR(st.st_mode)) {
    ::close(fd);
    fail();
  }
  {
    auto& table = Shares();
    std::lock_guard g(table.lock);
    for (const auto& e : table.entries) {
      if (e.dev != st.st_dev || e.ino != st.st_ino) continue;
      if ((read && e.denyRead) || (write && e.denyWrite) || (e.read && denyRead) || (e.write && denyWrite)) {
        ::close(fd);
        fail();
      }
    }
    FShareEntry = table.next++;
    table.entries.push_back({FShareEntry, st.st_dev, st.st_ino, read, write, denyRead, denyWrite});
  }
  FHandle = fd;
  if (create && ::ftruncate(fd, 0) != 0) {
    {
      auto& table = Shares();
      std::lock_guard g(table.lock);
      std::erase_if(table.entries, [&](const ShareEntry& e) { return e.id == FShareEntry; });
    }
    ::close(fd);
    FHandle = -1;
    fail();
  }
}

TFileStream::~TFileStream() {
  if (FShareEntry) {
    auto& table = Shares();
    std::lock_guard g(table.lock);
    std::erase_if(table.entries, [&](const ShareEntry& e) { return e.id == FShareEntry; });
    FShareEntry = 0;
  }
  if (FHandle >= 0) ::close(FHandle);
  FHandle = -1;
}

// ---- memory streams ----

std::int32_t TCustomMemoryStream::Read(void* Buffer, std::int32_t Count) {
  if (Count <= 0 || FPosition < 0 || FPosition >= FSize) return 0;
  auto n = static_cast<std::int32_t>(std::min<std::int64_t>(Count, FSize - FPosition));
  std::memcpy(Buffer, static_cast<const char*>(FMemory) + FPosition, static_cast<std::size_t>(n));
  FPosition += n;
  return n;
}

std::int64_t TCustomMemoryStream::Seek(std::int64_t Offset, TSeekOrigin Origin) {
  switch (Origin) {
    case soBeginning: FPosition = Offset; break;
    case soCurrent: FPosition += Offset; break;
    case soEnd: FPosition = FSize + Offset; break;
  }
  return FPosition;
}

void TCustomMemoryStream::SaveToStream(TStream* Stream) {
  if (FSize > 0) Stream->WriteBuffer(FMemory, static_cast<std::int32_t>(FSize));
}

void TCustomMemoryStream::SaveToFile(const String& FileName) {
  TFileStream file(FileName, fmCreate);
  SaveToStream(&file);
}

std::int32_t TMemoryStream::Write(const void* Buffer, std::int32_t Count) {
  if (Count <= 0 || FPosition < 0) return 0;
  std::int64_t end = FPosition + Count;
  if (end > FSize) SetSize(end);
  std::memcpy(FData.data() + FPosition, Buffer, static_cast<std::size_t>(Count));
  FPosition = end;
  return Count;
}

void TMemoryStream::SetSize(std::int64_t NewSize) {
  if (NewSize < 0) NewSize = 0;
  FData.resize(static_cast<std::size_t>(NewSize));
  SetPointer(FData.empty() ? nullptr : FData.data(), NewSize);
  if (FPosition > NewSize) FPosition = NewSize;
}

void TMemoryStream::Clear() {
  FData.clear();
  FData.shrink_to_fit();
  SetPointer(nullptr, 0);
  FPosition = 0;
}

void TMemoryStream::LoadFromStream(TStream* Stream) {
  Stream->SetPosition(0);
  std::int64_t count = Stream->Size();
  SetSize(count);
  if (count) Stream->ReadBuffer(FData.data(), static_cast<std::int32_t>(count));
  FPosition = 0;
}

void TMemoryStream::LoadFromFile(const String& FileName) {
  TFileStream file(FileName, fmOpenRead | fmShareDenyWrite);
  LoadFromStream(&file);
}

// ---- TStringStream ----

std::int32_t TStringStream::Read(void* Buffer, std::int32_t Count) {
  auto size = static_cast<std::int64_t>(FDataString.size());
  if (Count <= 0 || FPosition < 0 || FPosition >= size) return 0;
  auto n = static_cast<std::int32_t>(std::min<std::int64_t>(Count, size - FPosition));
  std::memcpy(Buffer, FDataString.data() + FPosition, static_cast<std::size_t>(n));
  FPosition += n;
  return n;
}

std::int32_t TStringStream::Write(const void* Buffer, std::int32_t Count) {
  if (Count <= 0 || FPosition < 0) return 0;
  // Writing replaces everything after the written bytes, as the platform's string stream does.
  FDataString.resize(static_cast<std::size_t>(FPosition));
  FDataString.append(static_cast<const char*>(Buffer), static_cast<std::size_t>(Count));
  FPosition += Count;
  return Count;
}

std::int64_t TStringStream::Seek(std::int64_t Offset, TSeekOrigin Origin) {
  auto size = static_cast<std::int64_t>(FDataString.size());
  switch (Origin) {
    case soBeginning: FPosition = Offset; break;
    case soCurrent: FPosition += Offset; break;
    case soEnd: FPosition = size + Offset; break;
  }
  FPosition = std::clamp<std::int64_t>(FPosition, 0, size);
  return FPosition;
}

void TStringStream::SetSize(std::int64_t NewSize) {
  FDataString.resize(static_cast<std::size_t>(std::max<std::int64_t>(NewSize, 0)));
  if (FPosition > NewSize) FPosition = NewSize;
}

String TStringStream::ReadString(std::int32_t Count) {
  auto size = static_cast<std::int64_t>(FDataString.size());
  auto n = std::clamp<std::int64_t>(Count, 0, size - FPosition);
  String s = FDataString.substr(static_cast<std::size_t>(FPosition), static_cast<std::size_t>(n));
  FPosition += n;
  return s;
}

void TStringStream::WriteString(const String& AString) {
  Write(AString.data(), static_cast<std::int32_t>(AString.size()));
}

// ---- TResourceStream ----

TResourceStream::TResourceStream(win::HINSTANCE Instance, const String& ResName, win::LPCSTR ResType) {
  Initialize(Instance, ResName.c_str(), ResType, ResName);
}

TResourceStream::TResourceStream(win::HINSTANCE Instance, unsigned ResID, win::LPCSTR ResType) {
  Initialize(Instance, win::MAKEINTRESOURCE(ResID), ResType, "#" + std::to_string(ResID));
}

void TResourceStream::Initialize(win::HINSTANCE Instance, win::LPCSTR Name, win::LPCSTR ResType, const String& Shown) {
  win::HRSRC res = win::FindResource(Instance, Name, ResType);
  if (!res) throw EResNotFound(Format(SResNotFound, Shown));
  win::HGLOBAL data = win::LoadResource(Instance, res);
  SetPointer(win::LockResource(data), win::SizeofResource(Instance, res));
}

std::int32_t TResourceStream::Write(const void*, std::int32_t) {
  throw EStreamError("Can't write to a read-only resource stream");
}
