# The layer check's own table (cmake -DQV_SOURCE=<tree> -DQV_WORK=<folder> -P CheckLayersTest.cmake):
# one small tree whose logic folder "low" may include only itself and "base", checked once. A row
# is one file of low/: its name, its text (its line 2, after a commented-out include), whether
# low/CMakeLists.txt lists it, and the fault the check must name after the file's name ("LINE:
# error: TEXT"), or nothing. Every kind of C or C++ file is read, and must be listed. The check's
# fault lines must be the rows' faults, each once, in the order of the files, and no other (a
# semicolon of the check's text reads as a comma here). The work folder is left for a look.
cmake_minimum_required(VERSION 3.25)
if(NOT QV_SOURCE OR NOT QV_WORK)
  message(FATAL_ERROR "CheckLayersTest.cmake: QV_SOURCE and QV_WORK are required")
endif()

set(rows
  "Bare.h|#include \"low/../Base.h\"|listed|2: error: includes \"low/../Base.h\" without its folder"
  "Climb.h|#include \"base/../high/High.h\"|listed|2: error: includes \"base/../high/High.h\": low/ may not include high/ (it may include low, base)"
  "Down.h|#include \"high/../base/Base.h\"|listed|"
  "Os.h|#include <windows.h>|listed|2: error: includes <windows.h>, which is not standard C++, low/ may include no operating-system or other outside header"
  "Out.h|  #  include \"low/../../outside/File.h\"|listed|2: error: includes \"low/../../outside/File.h\", which leaves the tree"
  "Quiet.c|#include \"base/Base.h\"|unlisted|1: error: is not listed in low/CMakeLists.txt"
  "Quiet.cc|#include \"base/Base.h\"|unlisted|1: error: is not listed in low/CMakeLists.txt"
  "Quiet.hpp|#include \"base/Base.h\"|unlisted|1: error: is not listed in low/CMakeLists.txt"
  "Quiet.inl|#include \"base/Base.h\"|unlisted|1: error: is not listed in low/CMakeLists.txt"
  "Readme.txt|#include \"high/High.h\"|unlisted|"
  "Std.cpp|#include <vector>|listed|"
  "Sub/Deep.cpp|#include \"high/High.h\"|listed|2: error: includes \"high/High.h\": low/ may not include high/ (it may include low, base)"
)

file(REMOVE_RECURSE ${QV_WORK})
foreach(row IN LISTS rows)
  string(REGEX MATCH "^([^|]*)\\|([^|]*)\\|([^|]*)\\|(.*)$" fields "${row}")
  file(WRITE ${QV_WORK}/low/${CMAKE_MATCH_1} "// #include <windows.h>\n${CMAKE_MATCH_2}\n")
  if(CMAKE_MATCH_3 STREQUAL "listed")
    list(APPEND listed ${CMAKE_MATCH_1})
  endif()
  if(CMAKE_MATCH_4)
    list(APPEND expected "low/${CMAKE_MATCH_1}:${CMAKE_MATCH_4}")
  endif()
endforeach()
file(WRITE ${QV_WORK}/config.cmake "
set(QV_ROOT \"${QV_WORK}\")
set(QV_FOLDER \"low\")
set(QV_ALLOWED \"low;base\")
set(QV_LISTED \"${listed}\")
set(QV_STANDARD_ONLY \"TRUE\")
")
execute_process(COMMAND ${CMAKE_COMMAND} -DQV_CONFIG=${QV_WORK}/config.cmake
                        -P ${QV_SOURCE}/cmake/CheckLayers.cmake
                RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE out)
string(REPLACE ";" "," out "${out}")
string(REGEX MATCHALL "[^\n]*: error: [^\n]*" got "${out}")
if(status EQUAL 0 OR NOT got STREQUAL expected)
  list(JOIN expected "\n" expected)
  message(FATAL_ERROR "the layer check (status ${status}) said:\n${out}\nand should have said:\n${expected}")
endif()
