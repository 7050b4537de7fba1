# The layer check's own table (cmake -DQV_SOURCE=<tree> -DQV_WORK=<folder> -P CheckLayersTest.cmake):
# each row is one file in a small tree, checked as a file of the logic folder "low", which may
# include only itself and "base", and must be listed. A row names the file, its text, whether it
# is listed and "pass", or the one fault the check must name on the file's line 1 (up to the
# first semicolon of its text).
cmake_minimum_required(VERSION 3.25)
if(NOT QV_SOURCE OR NOT QV_WORK)
  message(FATAL_ERROR "CheckLayersTest.cmake: QV_SOURCE and QV_WORK are required")
endif()

set(up "includes \"high/High.h\": low/ may not include high/ (it may include low, base)")
set(unlisted "is not listed in low/CMakeLists.txt")
set(rows
  "Ok.h|#include \"base/Base.h\"|listed|pass"
  "Own.cpp|#include \"low/Ok.h\"|listed|pass"
  "Std.cpp|#include <vector>|listed|pass"
  "Climb.h|#include \"base/../high/High.h\"|listed|includes \"base/../high/High.h\": low/ may not include high/ (it may include low, base)"
  "Back.cpp|#include \"low/../high/High.h\"|listed|includes \"low/../high/High.h\": low/ may not include high/ (it may include low, base)"
  "Down.h|#include \"high/../base/Base.h\"|listed|pass"
  "Out.h|#include \"low/../../outside/File.h\"|listed|includes \"low/../../outside/File.h\", which leaves the tree"
  "Bare.h|#include \"low/../Base.h\"|listed|includes \"low/../Base.h\" without its folder"
  "Os.h|#include <windows.h>|listed|includes <windows.h>, which is not standard C++"
  "Up.hpp|#include \"high/High.h\"|listed|${up}"
  "Up.inl|#include \"high/High.h\"|listed|${up}"
  "Up.c|#include \"high/High.h\"|listed|${up}"
  "Up.cc|#include \"high/High.h\"|listed|${up}"
  "Quiet.hpp|#include \"base/Base.h\"|unlisted|${unlisted}"
  "Quiet.inl||unlisted|${unlisted}"
  "Quiet.c||unlisted|${unlisted}"
  "Quiet.cc||unlisted|${unlisted}"
  "Sub/Deep.cpp|#include \"high/High.h\"|listed|${up}"
  "Readme.txt|#include \"high/High.h\"|unlisted|pass"
)

set(failed 0)
set(index 0)
foreach(row IN LISTS rows)
  string(REPLACE "|" ";" fields "${row}")
  list(GET fields 0 file)
  list(GET fields 1 text)
  list(GET fields 2 listing)
  list(GET fields 3 expected)
  math(EXPR index "${index} + 1")
  set(tree ${QV_WORK}/row${index})
  file(REMOVE_RECURSE ${tree})
  file(WRITE ${tree}/low/${file} "${text}\n")
  set(listed "")
  if(listing STREQUAL "listed")
    set(listed ${file})
  endif()
  file(WRITE ${tree}/config.cmake "
set(QV_ROOT \"${tree}\")
set(QV_TARGET \"qv_low\")
set(QV_FOLDER \"low\")
set(QV_ALLOWED \"low;base\")
set(QV_LISTED \"${listed}\")
set(QV_STANDARD_ONLY \"TRUE\")
")
  execute_process(COMMAND ${CMAKE_COMMAND} -DQV_CONFIG=${tree}/config.cmake
                          -P ${QV_SOURCE}/cmake/CheckLayers.cmake
                  RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE out)
  # A failing row must fail with its own fault and no other.
  string(REGEX MATCHALL "error:" errors "${out}")
  list(LENGTH errors count)
  string(FIND "${out}" "low/${file}:1: error: ${expected}" at)
  if(status EQUAL 0)
    set(outcome pass)
  elseif(count EQUAL 1 AND at GREATER_EQUAL 0)
    set(outcome "${expected}")
  else()
    set(outcome "another fault")
  endif()
  if(NOT outcome STREQUAL expected)
    message(NOTICE "row ${index} (low/${file}: ${text}, ${listing}): expected ${expected}, got ${outcome}\n${out}")
    math(EXPR failed "${failed} + 1")
  endif()
endforeach()
file(REMOVE_RECURSE ${QV_WORK})
if(failed GREATER 0)
  message(FATAL_ERROR "${failed} row(s) of the layer check's table failed")
endif()
