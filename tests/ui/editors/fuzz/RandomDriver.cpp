// Stands in for libFuzzer where clang is not at hand: builds random masks from the mask
// languages' own tokens (so most inputs get past the lexer) and random keys, and runs them
// through the same entry point. Arguments: -runs=N (default 1000000), -seed=S.
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size);

namespace {

const char* const kTokens[] = {
    "a",   "b",    "x",     "A",     "Z",     "0",     "9",     "\\d",   "\\w",   "\\s",  "\\D", "\\1", "\\2",
    ".",   "/",    ":",     "(",     ")",     "|",     "?",     "*",     "+",     "{",    "}",   ",",   "[",
    "]",   "^",    "-",     "'",     " ",     "\\x4",  "\\x41", "\\p",   "{0}",   "{1,}", "{0,2}", "{2,3}", "{3}",
    "(a?)", "\\",  "\r\n",  "L",     "l",     "#",     "c",     "<",     ">",     "<>",   "!",   ";1",  ";0;*",
    "\\\\", "(ab|ab)", "(b?)", "a?", "[a-z]", "[^0-9]", "{2,}", "(", ")",
};

}  // namespace

int main(int argc, char** argv) {
  long runs = 1000000;
  unsigned long seed = 1;
  for (int i = 1; i < argc; ++i) {
    if (std::strncmp(argv[i], "-runs=", 6) == 0) runs = std::atol(argv[i] + 6);
    else if (std::strncmp(argv[i], "-seed=", 6) == 0) seed = std::strtoul(argv[i] + 6, nullptr, 10);
  }
  std::mt19937_64 random(seed);
  const size_t tokenCount = sizeof(kTokens) / sizeof(kTokens[0]);
  const char keys[] = "abxAZ0129/:.-_ \b\b\x7f";
  const auto start = std::chrono::steady_clock::now();
  std::string input;
  for (long run = 0; run < runs; ++run) {
    input.clear();
    input += static_cast<char>(random() & 0xff);
    const int tokens = static_cast<int>(random() % 24);
    for (int t = 0; t < tokens; ++t) {
      if (random() % 16 == 0) input += static_cast<char>(1 + random() % 255);
      // Counts near the limit are costly to expand; a few of them are enough.
      else if (random() % 512 == 0) input += "{1000}";
      else input += kTokens[random() % tokenCount];
    }
    input += '\0';
    const int typed = static_cast<int>(random() % 32);
    for (int k = 0; k < typed; ++k) input += keys[random() % (sizeof(keys) - 1)];
    LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t*>(input.data()), input.size());
  }
  const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  std::printf("%ld inputs in %.1f s (seed %lu)\n", runs, seconds, seed);
  return 0;
}
