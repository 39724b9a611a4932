#pragma once
// Byte streams: the abstract stream with its exact-count helpers and component streaming, and the
// memory, string, file, handle and embedded-resource kinds.
#include <cstdint>
#include <vector>

#include "platform/classes/Object.h"
#include "platform/system/Types.h"

class TComponent;

enum TSeekOrigin { soBeginning, soCurrent, soEnd };

class TStream : public TObject {
  VW_CLASS(TStream, TObject)
 public:
  TStream() = default;

  // Reads up to Count bytes; answers how many were read (0 at the end).
  virtual std::int32_t Read(void* Buffer, std::int32_t Count) = 0;
  virtual std::int32_t Write(const void* Buffer, std::int32_t Count) = 0;
  virtual std::int64_t Seek(std::int64_t Offset, TSeekOrigin Origin) = 0;

  std::int64_t Position() { return Seek(0, soCurrent); }
  void SetPosition(std::int64_t Pos) { Seek(Pos, soBeginning); }
  virtual std::int64_t Size();
  virtual void SetSize(std::int64_t NewSize);

  // Exactly Count bytes, or EReadError / EWriteError.
  void ReadBuffer(void* Buffer, std::int32_t Count);
  void WriteBuffer(const void* Buffer, std::int32_t Count);
  // Count bytes of Source from its position; 0 copies all of Source from its start.
  std::int64_t CopyFrom(TStream* Source, std::int64_t Count);

  // A component and everything it owns, in the stored form (see Filer.h).
  TComponent* ReadComponent(TComponent* Instance);
  void WriteComponent(TComponent* Instance);
  void WriteDescendent(TComponent* Instance, TComponent* Ancestor);
};

// A stream over a platform file descriptor; the stream does not close it.
class THandleStream : public TStream {
  VW_CLASS(THandleStream, TStream)
 public:
  explicit THandleStream(int AHandle) : FHandle(AHandle) {}
  int Handle() const { return FHandle; }
  std::int32_t Read(void* Buffer, std::int32_t Count) override;
  std::int32_t Write(const void* Buffer, std::int32_t Count) override;
  std::int64_t Seek(std::int64_t Offset, TSeekOrigin Origin) override;
  void SetSize(std::int64_t NewSize) override;

 protected:
  int FHandle;
};

constexpr std::uint16_t fmCreate = 0xFF00;
constexpr std::uint16_t fmOpenRead = 0x0000;
constexpr std::uint16_t fmOpenWrite = 0x0001;
constexpr std::uint16_t fmOpenReadWrite = 0x0002;
constexpr std::uint16_t fmShareCompat = 0x0000;
constexpr std::uint16_t fmShareExclusive = 0x0010;
constexpr std::uint16_t fmShareDenyWrite = 0x0020;
constexpr std::uint16_t fmShareDenyRead = 0x0030;
constexpr std::uint16_t fmShareDenyNone = 0x0040;

// A file opened (or created with fmCreate, truncating) with the platform's share modes: while it is
// open, another open in this process that the share mode forbids fails with EFOpenError.
class TFileStream : public THandleStream {
  VW_CLASS(TFileStream, THandleStream)
 public:
  TFileStream(const String& AFileName, std::uint16_t Mode);
  ~TFileStream() override;
  const String& FileName() const { return FFileName; }

 private:
  String FFileName;
  std::uint64_t FShareEntry = 0;
};

class TCustomMemoryStream : public TStream {
  VW_CLASS(TCustomMemoryStream, TStream)
 public:
  std::int32_t Read(void* Buffer, std::int32_t Count) override;
  std::int64_t Seek(std::int64_t Offset, TSeekOrigin Origin) override;
  std::int64_t Size() override { return FSize; }
  void* Memory() const { return FMemory; }
  void SaveToStream(TStream* Stream);
  void SaveToFile(const String& FileName);

 protected:
  void SetPointer(void* Ptr, std::int64_t Size) {
    FMemory = Ptr;
    FSize = Size;
  }
  void* FMemory = nullptr;
  std::int64_t FSize = 0;
  std::int64_t FPosition = 0;
};

class TMemoryStream : public TCustomMemoryStream {
  VW_CLASS(TMemoryStream, TCustomMemoryStream)
 public:
  TMemoryStream() = default;
  std::int32_t Write(const void* Buffer, std::int32_t Count) override;
  void SetSize(std::int64_t NewSize) override;
  void Clear();
  void LoadFromStream(TStream* Stream);
  void LoadFromFile(const String& FileName);

 private:
  std::vector<std::uint8_t> FData;
};

// A memory stream whose contents are a string's bytes.
class TStringStream : public TStream {
  VW_CLASS(TStringStream, TStream)
 public:
  explicit TStringStream(const String& AString = String()) : FDataString(AString) {}
  std::int32_t Read(void* Buffer, std::int32_t Count) override;
  std::int32_t Write(const void* Buffer, std::int32_t Count) override;
  std::int64_t Seek(std::int64_t Offset, TSeekOrigin Origin) override;
  void SetSize(std::int64_t NewSize) override;
  const String& DataString() const { return FDataString; }
  String ReadString(std::int32_t Count);
  void WriteString(const String& AString);

 private:
  String FDataString;
  std::int64_t FPosition = 0;
};

// The bytes of a resource embedded in the program, read-only. Raises EResNotFound
// ("Resource %s not found") when there is none of that name and type.
class TResourceStream : public TCustomMemoryStream {
  VW_CLASS(TResourceStream, TCustomMemoryStream)
 public:
  TResourceStream(win::HINSTANCE Instance, const String& ResName, win::LPCSTR ResType);
  TResourceStream(win::HINSTANCE Instance, unsigned ResID, win::LPCSTR ResType);
  std::int32_t Write(const void* Buffer, std::int32_t Count) override;

 private:
  void Initialize(win::HINSTANCE Instance, win::LPCSTR Name, win::LPCSTR ResType, const String& Shown);
};
