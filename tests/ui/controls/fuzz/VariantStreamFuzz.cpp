// Reads one tagged variant from arbitrary bytes. The reader must either return a value or raise
// its read error. Whatever it returns must have a stream form, and that form must be a fixed point:
// read and written again it gives the same bytes (the first write may already narrow an integer's
// tag, so the original bytes are not the measure).
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "platform/classes/Streams.h"
#include "ui/controls/VariantRoutines.h"

namespace {

void Check(bool Condition) {
  if (!Condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
  TStringStream in(String(reinterpret_cast<const char*>(Data), Size));
  Variant v;
  try {
    ReadVariantFromStream(&in, v);
  } catch (const EReadError&) {
    return 0;
  }
  TStringStream out;
  WriteVariantToStream(&out, v);
  out.SetPosition(0);
  Variant again;
  ReadVariantFromStream(&out, again);
  Check(out.Position() == out.Size());
  TStringStream twice;
  WriteVariantToStream(&twice, again);
  Check(twice.DataString() == out.DataString());
  (void)CompareVariants(v, again);
  return 0;
}
