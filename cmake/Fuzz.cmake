# libFuzzer targets (clang): every tests/fuzz/*Fuzz.cpp is one fuzzer over the logic libraries
# and the test doubles, everything instrumented for coverage and built with ASan and UBSan.
file(GLOB QV_FUZZ_SOURCES CONFIGURE_DEPENDS tests/fuzz/*Fuzz.cpp)
add_custom_target(qv_fuzzers)
foreach(source ${QV_FUZZ_SOURCES})
  get_filename_component(name ${source} NAME_WE)
  add_executable(${name} ${source})
  target_include_directories(${name} PRIVATE ${CMAKE_SOURCE_DIR})
  target_link_libraries(${name} PRIVATE qv_posix)
  qv_link_logic(${name})
  target_link_options(${name} PRIVATE -fsanitize=fuzzer)
  qv_strict_warnings(${name})
  add_dependencies(qv_fuzzers ${name})
endforeach()
