#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <type_traits>

namespace ax {

// Unsigned integer of the same width, for byte-wise little-endian coding on any host.
template <typename T>
using LittleEndianBits =
    std::conditional_t<sizeof(T) == 2, std::uint16_t,
                       std::conditional_t<sizeof(T) == 4, std::uint32_t, std::uint64_t>>;

template <typename T>
void StoreLittleEndian(std::uint8_t* at, T value) {
  if constexpr (std::endian::native == std::endian::little) {
    std::memcpy(at, &value, sizeof(T));  // one store on the usual hosts
  } else {
    auto bits = std::bit_cast<LittleEndianBits<T>>(value);
    for (std::size_t i = 0; i < sizeof(T); ++i) {
      at[i] = static_cast<std::uint8_t>(bits & 0xFF);
      bits = static_cast<LittleEndianBits<T>>(bits >> 8);
    }
  }
}

template <typename T>
T LoadLittleEndian(const std::uint8_t* at) {
  if constexpr (std::endian::native == std::endian::little) {
    T value;
    std::memcpy(&value, at, sizeof(T));
    return value;
  } else {
    LittleEndianBits<T> bits = 0;
    for (std::size_t i = sizeof(T); i-- > 0;) {
      bits = static_cast<LittleEndianBits<T>>((bits << 8) | at[i]);
    }
    return std::bit_cast<T>(bits);
  }
}

}  // namespace ax
