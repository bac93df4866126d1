#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>

#include "io/FileFailure.h"
#include "model/World.h"

namespace ax {

// A system file that cannot be read or written; the message names the file and the reason,
// e.g. "sol.ax2: the file ends early".
class SystemFileError : public std::runtime_error {
 public:
  SystemFileError(const std::filesystem::path& file, const std::string& reason,
                  FileFailure failure = {});
  const std::string& Reason() const { return reason_; }
  const FileFailure& Failure() const { return failure_; }

 private:
  std::string reason_;
  FileFailure failure_;
};

// What is wrong with the bytes of a system file, before a file name is attached to it.
class SystemFormatError : public std::runtime_error {
 public:
  explicit SystemFormatError(const std::string& reason, FileFailure failure = {})
      : std::runtime_error(reason), failure_(std::move(failure)) {}
  const FileFailure& Failure() const { return failure_; }

 private:
  FileFailure failure_;
};

// The most characters a name, note or other text can have in a file: its count is 16 bits.
inline constexpr std::size_t kLongestFileText = 32767;

inline constexpr std::string_view kSystemFileHeader = "Astrolattix Version 2.0 System";

// The exact bytes of a system file for the world as it stands. Throws SystemFormatError for
// a text too long for the format's 16-bit count.
std::string EncodeSystem(const World& world);

// The stars' distances from the pair's centre, which a file does not hold: worked out from the
// masses and the separation, as a file is read.
void SetPairOffsets(World& world);

// The bytes of the longest file the format allows: every text at its longest and every count
// at its table's bound. Anything longer is refused unread.
std::uintmax_t LargestSystemFileSize();

// The name an unnamed system takes from the file it is saved to: "myworld.ax2" gives
// "Myworld".
std::string SystemNameFromPath(const std::filesystem::path& file);

// Writes the bytes through a temporary file in the same folder that then replaces the file, so
// that a failed write leaves the old file whole. Throws SystemFileError.
void WriteAtomically(const std::filesystem::path& file, std::string_view bytes);

// Names an unnamed system after the file, writes it through a temporary file in the same
// folder that then replaces the old one, and sets SystemSaved. Throws SystemFileError; a failed
// save leaves the old file whole and the system as it was, its name too.
void WriteSystemFile(World& world, const std::filesystem::path& file);

// Reads system files. Every file is checked in full before the world is touched, so a bad or
// short file leaves the system on hand exactly as it was; the reader keeps a scratch world for
// that check so that a read costs no large allocation.
class SystemFileReader {
 public:
  SystemFileReader();
  ~SystemFileReader();

  // Replaces the world with the file's system: the file's tables, SystemSurveyed 1,
  // SystemSaved 0, an empty SystemFilePath. Throws SystemFileError.
  void Read(const std::filesystem::path& file, World& world);
  // The same from bytes in memory. Throws SystemFormatError.
  void Decode(std::string_view bytes, World& world);

 private:
  std::unique_ptr<World> scratch_;
};

}  // namespace ax
