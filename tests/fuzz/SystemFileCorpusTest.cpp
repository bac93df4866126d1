#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>

#include "io/SystemFile.h"
#include "model/World.h"

namespace ax {
namespace {

namespace fs = std::filesystem;

// Every file of the fuzzing corpus either decodes to a system whose own file decodes to the
// same bytes again, or is rejected with a reason; files named "valid-" must decode and files
// named "bad-" must be rejected.
TEST(SystemFileCorpusTest, EveryFileDecodesStablyOrIsRejected) {
  SystemFileReader reader;
  auto world = std::make_unique<World>();
  auto again = std::make_unique<World>();
  int valid = 0, bad = 0;
  for (const auto& entry : fs::directory_iterator(AX_SYSTEM_FILE_CORPUS)) {
    const std::string name = entry.path().filename().string();
    std::ifstream in(entry.path(), std::ios::binary);
    const std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    try {
      reader.Decode(bytes, *world);
    } catch (const SystemFormatError& error) {
      EXPECT_EQ(name.rfind("bad-", 0), 0u) << name << ": " << error.what();
      ++bad;
      continue;
    }
    EXPECT_EQ(name.rfind("valid-", 0), 0u) << name;
    ++valid;
    const std::string once = EncodeSystem(*world);
    ASSERT_NO_THROW(reader.Decode(once, *again)) << name;
    EXPECT_EQ(EncodeSystem(*again), once) << name;
  }
  EXPECT_GE(valid, 4);
  EXPECT_GE(bad, 4);
}

}  // namespace
}  // namespace ax
