# Warnings for our own targets only: link astrolattix_warnings PRIVATE.
add_library(astrolattix_warnings INTERFACE)
target_compile_options(astrolattix_warnings INTERFACE
  -Wall -Wextra -Wpedantic -Wconversion -Wshadow -Wnon-virtual-dtor -Werror
  # GCC 12 reports false overlaps inside std::string at -O3 (its bug 105651).
  $<$<AND:$<CXX_COMPILER_ID:GNU>,$<VERSION_LESS:$<CXX_COMPILER_VERSION>,13>>:-Wno-restrict>)
