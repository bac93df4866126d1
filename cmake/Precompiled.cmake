# Headers that most of a target's sources include, compiled once per target instead of once
# per source: GoogleTest, Qt Widgets and the command line's libraries dominate the build.
set(ax_std_headers <algorithm> <cstdint> <filesystem> <functional> <memory> <optional>
  <string> <string_view> <vector>)
set(ax_qt_headers <QAction> <QApplication> <QDir> <QHBoxLayout> <QLabel> <QLineEdit> <QMenu>
  <QPushButton> <QStatusBar> <QString> <QTimer> <QVBoxLayout> <QWidget>)

function(ax_precompile target)
  set(headers ${ax_std_headers})
  foreach(kind IN LISTS ARGN)
    if(kind STREQUAL "gtest")
      list(APPEND headers <gtest/gtest.h>)
    elseif(kind STREQUAL "qt")
      list(APPEND headers ${ax_qt_headers})
    elseif(kind STREQUAL "cli")
      list(APPEND headers <CLI/CLI.hpp> <nlohmann/json.hpp> <fmt/format.h>)
    endif()
  endforeach()
  target_precompile_headers(${target} PRIVATE ${headers})
  # Headers read through a precompiled header lose their system-header status, so GCC 12's
  # false alarms inside std::string and std::vector at -O3 (its bugs 105651, 106199) surface.
  target_compile_options(${target} PRIVATE
    $<$<AND:$<CXX_COMPILER_ID:GNU>,$<VERSION_LESS:$<CXX_COMPILER_VERSION>,13>>:-Wno-array-bounds
    -Wno-stringop-overflow -Wno-stringop-overread>)
endfunction()
