// Stands in for libFuzzer where clang is not at hand: random byte strings, biased towards the
// tags the reader knows and towards small lengths, fed to the same entry point. Arguments:
// -runs=N (default 1000000), -seed=S.
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size);

int main(int argc, char** argv) {
  long runs = 1000000;
  unsigned long seed = 1;
  for (int i = 1; i < argc; ++i) {
    if (std::strncmp(argv[i], "-runs=", 6) == 0) runs = std::atol(argv[i] + 6);
    else if (std::strncmp(argv[i], "-seed=", 6) == 0) seed = std::strtoul(argv[i] + 6, nullptr, 10);
  }
  std::mt19937_64 random(seed);
  const auto start = std::chrono::steady_clock::now();
  std::string input;
  long longest = 0;
  for (long run = 0; run < runs; ++run) {
    input.clear();
    // Mostly short inputs; now and then a long one that can nest arrays past the depth limit.
    const unsigned long pick = random() % 64;
    const long size = static_cast<long>(random() % (pick == 0 ? 4096 : pick < 8 ? 512 : 32));
    for (long i = 0; i < size; ++i) {
      switch (random() % 4) {
        case 0: input += static_cast<char>(pick == 0 && random() % 2 ? 1 : random() % 20); break;  // a tag
        case 1: input += static_cast<char>(random() % 4); break;   // a small count or length
        case 2: input += static_cast<char>(0xff); break;           // a sign or a huge length
        default: input += static_cast<char>(random() & 0xff);
      }
    }
    if (size > longest) longest = size;
    LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t*>(input.data()), input.size());
  }
  const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  std::printf("%ld inputs of up to %ld bytes in %.1f s (seed %lu)\n", runs, longest, seconds, seed);
  return 0;
}
