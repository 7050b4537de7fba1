# Checks the includes of one folder (cmake -DQV_CONFIG=<file> -P CheckLayers.cmake); the config
# file, written by qv_add_layer() in Layers.cmake, gives the folder, the folders it may include,
# the files its CMakeLists.txt lists and whether only the standard library may be included.
#
# Every C or C++ file of the folder (.h, .hpp, .inl, .c, .cpp, .cc) is read, the folder's own
# subfolders too unless they are libraries of their own, and each must be listed. An include's
# path is first resolved ("a/../b/File.h" is "b/File.h"); it then belongs to the folder its first
# part names. A path that climbs out of the tree belongs to no folder and fails. Fails naming the
# file, the line and the folder it may not include.
cmake_minimum_required(VERSION 3.25)
include(${QV_CONFIG})
if(NOT QV_ROOT OR NOT QV_FOLDER)
  message(FATAL_ERROR "CheckLayers.cmake: QV_CONFIG must name a file that sets QV_ROOT and QV_FOLDER")
endif()

# The C++20 standard library, and nothing else, for the logic folders.
set(standard_headers
  algorithm any array atomic barrier bit bitset charconv chrono codecvt compare complex concepts
  condition_variable coroutine deque exception execution filesystem format forward_list fstream
  functional future initializer_list iomanip ios iosfwd iostream istream iterator latch limits
  list locale map memory memory_resource mutex new numbers numeric optional ostream queue random
  ranges ratio regex scoped_allocator semaphore set shared_mutex source_location span sstream
  stack stdexcept stop_token streambuf string string_view syncstream system_error thread tuple
  type_traits typeindex typeinfo unordered_map unordered_set utility valarray variant vector
  version cassert cctype cerrno cfenv cfloat cinttypes climits clocale cmath csetjmp csignal
  cstdarg cstddef cstdint cstdio cstdlib cstring ctime cuchar cwchar cwctype)

set(source_globs)
foreach(extension h hpp inl c cpp cc)
  list(APPEND source_globs ${QV_ROOT}/${QV_FOLDER}/*.${extension})
endforeach()
file(GLOB_RECURSE files RELATIVE ${QV_ROOT}/${QV_FOLDER} ${source_globs})
list(SORT files)
list(JOIN QV_ALLOWED ", " allowed_text)
set(failures 0)
# One line per fault, the way compilers name them, so that editors can jump to it.
macro(report file line text)
  message(NOTICE "${QV_FOLDER}/${file}:${line}: error: ${text}")
  math(EXPR failures "${failures} + 1")
endmacro()

foreach(file ${files})
  if(NOT file IN_LIST QV_LISTED)
    report(${file} 1 "is not listed in ${QV_FOLDER}/CMakeLists.txt")
  endif()

  file(READ ${QV_ROOT}/${QV_FOLDER}/${file} text)
  # One list element per line: first hide what CMake's lists treat specially.
  string(REPLACE "\\" "/" text "${text}")
  string(REPLACE ";" "," text "${text}")
  string(REPLACE "[" "(" text "${text}")
  string(REPLACE "]" ")" text "${text}")
  string(REPLACE "\n" ";" lines "${text}")
  set(number 0)
  foreach(line IN LISTS lines)
    math(EXPR number "${number} + 1")
    if(NOT line MATCHES "^[ \t]*#[ \t]*include[ \t]*([<\"])([^>\"]+)[>\"]")
      continue()
    endif()
    set(header "${CMAKE_MATCH_2}")
    if(CMAKE_MATCH_1 STREQUAL "<")
      if(QV_STANDARD_ONLY AND NOT header IN_LIST standard_headers)
        report(${file} ${number} "includes <${header}>, which is not standard C++; \
${QV_FOLDER}/ may include no operating-system or other outside header")
      endif()
      continue()
    endif()
    # A quoted include names its folder from the top of the tree; "a/../b/File.h" names b/, so
    # the path is resolved before it is judged.
    cmake_path(SET resolved NORMALIZE "${header}")
    if(resolved MATCHES "^\\.\\./|^\\.\\.$|^/")
      report(${file} ${number} "includes \"${header}\", which leaves the tree")
      continue()
    endif()
    if(NOT resolved MATCHES "/")
      report(${file} ${number} "includes \"${header}\" without its folder")
      continue()
    endif()
    string(REGEX REPLACE "/.*$" "" owner "${resolved}")
    if(NOT owner IN_LIST QV_ALLOWED)
      report(${file} ${number} "includes \"${header}\": ${QV_FOLDER}/ may not include ${owner}/ \
(it may include ${allowed_text})")
    endif()
  endforeach()
endforeach()

if(failures GREATER 0)
  message(FATAL_ERROR "${QV_FOLDER}/: ${failures} fault(s) in the layering")
endif()
