# The program's folders as libraries, each linking only the folders below it:
#
#   platform < actions < settings < modem < connectivity < app < win32
#   actions < report < app
#   platform < posix
#
# qv_add_layer() makes one library and a check, run in every build before the library is
# compiled, that reads every file of the folder: an include of a folder the library does not
# link (directly or through the libraries it links) fails the build, naming the file, the line
# and the folder; so does an include in a logic folder of anything but the standard C++ library.
# The folders a library may include are its own and those of everything it links.

# qv_add_layer(TARGET FOLDER folder [INTERFACE] [STANDARD_ONLY] [LINKS lib...]
#              [ALSO_ALLOWED folder...] [NOT_LISTED file...] SOURCES file...)
#   STANDARD_ONLY: the folder may include only standard C++ headers with <...>.
#   ALSO_ALLOWED:  folders outside the libraries that it may include (resources).
#   NOT_LISTED:    files of the folder that belong to another target (relative to the folder).
function(qv_add_layer target)
  cmake_parse_arguments(PARSE_ARGV 1 arg "INTERFACE;STANDARD_ONLY" "FOLDER"
                        "LINKS;ALSO_ALLOWED;NOT_LISTED;SOURCES")
  if(arg_INTERFACE)
    add_library(${target} INTERFACE ${arg_SOURCES})
    target_include_directories(${target} INTERFACE ${PROJECT_SOURCE_DIR})
    target_link_libraries(${target} INTERFACE ${arg_LINKS})
  else()
    add_library(${target} STATIC ${arg_SOURCES})
    target_include_directories(${target} PUBLIC ${PROJECT_SOURCE_DIR})
    target_link_libraries(${target} PUBLIC ${arg_LINKS})
    qv_strict_warnings(${target})
    # The optimised copy for programs that are timed inside a debug build (qv_bench).
    if(QV_OPTIMISED_COPY)
      list(TRANSFORM arg_LINKS APPEND _o2 REGEX "^qv_(actions|settings|modem|connectivity|report|app)$"
           OUTPUT_VARIABLE links_o2)
      add_library(${target}_o2 STATIC EXCLUDE_FROM_ALL ${arg_SOURCES})
      target_include_directories(${target}_o2 PUBLIC ${PROJECT_SOURCE_DIR})
      target_link_libraries(${target}_o2 PUBLIC ${links_o2})
      target_compile_options(${target}_o2 PRIVATE -O2)
      qv_strict_warnings(${target}_o2)
      add_dependencies(${target}_o2 ${target}_layers)
    endif()
  endif()

  set(allowed ${arg_FOLDER} ${arg_ALSO_ALLOWED})
  foreach(link ${arg_LINKS})
    if(TARGET ${link})
      get_target_property(below ${link} QV_ALLOWED_FOLDERS)
      if(below)
        list(APPEND allowed ${below})
      endif()
    endif()
  endforeach()
  list(REMOVE_DUPLICATES allowed)
  set_target_properties(${target} PROPERTIES QV_FOLDER ${arg_FOLDER} QV_ALLOWED_FOLDERS "${allowed}")

  set(listed ${arg_SOURCES} ${arg_NOT_LISTED})
  set(config ${PROJECT_BINARY_DIR}/layers/${target}.cmake)
  file(CONFIGURE OUTPUT ${config} CONTENT [[
set(QV_ROOT "@PROJECT_SOURCE_DIR@")
set(QV_TARGET "@target@")
set(QV_FOLDER "@arg_FOLDER@")
set(QV_ALLOWED "@allowed@")
set(QV_LISTED "@listed@")
set(QV_STANDARD_ONLY "@arg_STANDARD_ONLY@")
]] @ONLY)
  add_custom_target(${target}_layers
    COMMAND ${CMAKE_COMMAND} -DQV_CONFIG=${config} -P ${PROJECT_SOURCE_DIR}/cmake/CheckLayers.cmake
    COMMENT "Checking the includes of ${arg_FOLDER}/"
    VERBATIM)
  add_dependencies(${target} ${target}_layers)
endfunction()

# Links a program with the whole logic: the top library, which brings every library below it.
# SUFFIX _o2 picks the optimised copy.
function(qv_link_logic target)
  set(suffix ${ARGV1})
  target_link_libraries(${target} PRIVATE qv_app${suffix})
endfunction()
