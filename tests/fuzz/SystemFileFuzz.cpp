// Feeds arbitrary bytes to the system file reader. A file either is rejected with a
// SystemFormatError or decodes to a system whose own file decodes to the same bytes again;
// anything else (a crash, another exception, a changed re-encoding) aborts.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <string_view>

#include "io/SystemFile.h"
#include "model/World.h"

namespace {

struct State {
  ax::SystemFileReader reader;
  std::unique_ptr<ax::World> world = std::make_unique<ax::World>();
  std::unique_ptr<ax::World> again = std::make_unique<ax::World>();
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static State state;  // reused, as a program reuses its one world
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  try {
    state.reader.Decode(bytes, *state.world);
  } catch (const ax::SystemFormatError&) {
    return 0;
  }
  const std::string once = ax::EncodeSystem(*state.world);
  try {
    state.reader.Decode(once, *state.again);
  } catch (const ax::SystemFormatError& error) {
    std::fprintf(stderr, "the re-encoded system does not decode: %s\n", error.what());
    std::abort();
  }
  if (ax::EncodeSystem(*state.again) != once) {
    std::fprintf(stderr, "the re-encoded system decodes to a different system\n");
    std::abort();
  }
  return 0;
}
