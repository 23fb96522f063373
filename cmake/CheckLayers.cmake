# Layer check: every #include "X/..." in src/<folder> must name a layer below
# the folder's own (or the folder itself). Run as
#   cmake -DVEXA_SOURCE_DIR=<repo> -P cmake/CheckLayers.cmake
# by the vexa_layer_check target on every build and by ctest.
#
# Layers bottom up (a folder may include only those with a smaller rank):
#   base < platform < core < chart < widgets < window_base < windows < shell
# chart and widgets stand on one level; widgets may host chart drawing, the
# chart never reaches a widget. testing (test doubles) stands beside the
# product: it may include any layer below the shell, and no product folder
# may include it. base and core are plain C++: no Qt header.
cmake_minimum_required(VERSION 3.25)
if(NOT VEXA_SOURCE_DIR)
  message(FATAL_ERROR "CheckLayers: set VEXA_SOURCE_DIR")
endif()

set(rank_base 0)
set(rank_platform 1)
set(rank_core 2)
set(rank_chart 3)
set(rank_widgets 4)
set(rank_window_base 5)
set(rank_windows 6)
set(rank_testing 6)
set(rank_shell 7)
set(test_only_layers testing)
set(qt_free_layers base core)
set(layer_order "base < platform < core < chart/widgets < window_base < windows < shell")

set(src "${VEXA_SOURCE_DIR}/src")
file(GLOB_RECURSE files RELATIVE "${src}" "${src}/*.h" "${src}/*.hpp" "${src}/*.cpp")
list(SORT files)
set(errors "")
foreach(rel IN LISTS files)
  string(REGEX MATCH "^[^/]+" folder "${rel}")
  if(rel STREQUAL folder)
    continue() # a file directly in src/
  endif()
  if(NOT DEFINED rank_${folder})
    string(APPEND errors "  src/${rel}: folder src/${folder} has no place in the layer order (add it to cmake/CheckLayers.cmake)\n")
    continue()
  endif()
  file(STRINGS "${src}/${rel}" lines REGEX "^[ \t]*#[ \t]*include[ \t]*[\"<]")
  foreach(line IN LISTS lines)
    if(line MATCHES "#[ \t]*include[ \t]*\"([^/\"]+)/")
      set(target "${CMAKE_MATCH_1}")
      if(target STREQUAL folder OR NOT DEFINED rank_${target})
        continue()
      endif()
      if(target IN_LIST test_only_layers)
        string(APPEND errors "  src/${rel}: includes \"${target}/...\": test doubles are for tests and benchmarks only\n")
      elseif(NOT rank_${target} LESS rank_${folder})
        string(APPEND errors "  src/${rel}: includes \"${target}/...\", a layer not below ${folder} (${layer_order})\n")
      endif()
    elseif(folder IN_LIST qt_free_layers AND line MATCHES "#[ \t]*include[ \t]*<(Q[A-Za-z]*)")
      string(APPEND errors "  src/${rel}: includes <${CMAKE_MATCH_1}>: src/${folder} is plain C++, no Qt\n")
    endif()
  endforeach()
endforeach()

if(errors)
  message(FATAL_ERROR "Layer check failed: forbidden includes across layers\n${errors}")
endif()
