#pragma once

#include <cstdint>
#include <string>
#include <utility>

namespace ax {

// What kind of failure a file met, for windows that tell the user in plain words; the error's
// own message keeps the technical detail.
struct FileFailure {
  enum class Kind {
    Other,
    Missing,      // there is no such file
    Folder,       // a folder, not a file
    NotAFile,     // a device or a pipe
    Unreadable,   // it cannot be opened or read
    Unwritable,   // it cannot be written or put in place
    WrongKind,    // not a file of the kind asked for
    TooLarge,     // larger than any file of its kind can be
    Empty,        // it holds no bytes at all
    EndsEarly,    // it ends after `size` bytes, inside what it must hold
    OutOfRange,   // `where` holds a value beyond what the program can hold
    Damaged,      // `where` cannot be read as what it should be
    TextTooLong,  // a name or note too long for the format
  };

  FileFailure() = default;
  FileFailure(Kind failureKind, std::uintmax_t bytes = 0, std::string place = {})
      : kind(failureKind), size(bytes), where(std::move(place)) {}

  Kind kind = Kind::Other;
  std::uintmax_t size = 0;  // bytes, for EndsEarly
  std::string where;        // in plain words: "the orbit count of star 1"
};

}  // namespace ax
