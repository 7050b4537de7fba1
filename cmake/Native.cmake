# Native (Linux) build: the core, the POSIX pieces of the platform layer and the unit tests.
file(GLOB QV_POSIX_SOURCES CONFIGURE_DEPENDS platform/posix/*.cpp)
if(QV_POSIX_SOURCES)
  add_library(qv_platform_posix STATIC ${QV_POSIX_SOURCES})
  target_include_directories(qv_platform_posix PUBLIC ${CMAKE_SOURCE_DIR})
  qv_strict_warnings(qv_platform_posix)
endif()

include(GoogleTest)
file(GLOB QV_UNIT_TESTS CONFIGURE_DEPENDS tests/unit/*.cpp tests/doubles/*.cpp)
# The counting allocator lets memory tests read the heap's peak.
add_executable(qv_unit_tests ${QV_UNIT_TESTS} tests/bench/HeapCounterBenchmark.cpp)
target_include_directories(qv_unit_tests PRIVATE ${CMAKE_SOURCE_DIR})
target_link_libraries(qv_unit_tests PRIVATE qv_core GTest::gmock_main)
if(TARGET qv_platform_posix)
  target_link_libraries(qv_unit_tests PRIVATE qv_platform_posix)
endif()
qv_strict_warnings(qv_unit_tests)
gtest_discover_tests(qv_unit_tests PROPERTIES LABELS unit DISCOVERY_TIMEOUT 60)

# The scheduler benchmark: 30 simulated days, built optimised whatever the build type, over its
# own copy of the core.
add_executable(qv_bench tests/bench/SchedulerBench.cpp tests/doubles/FakePlatform.cpp
  tests/doubles/SimTimers.cpp ${QV_CORE_SOURCES})
target_include_directories(qv_bench PRIVATE ${CMAKE_SOURCE_DIR})
target_compile_options(qv_bench PRIVATE -O2)
target_link_libraries(qv_bench PRIVATE GTest::gtest_main)
qv_strict_warnings(qv_bench)
add_test(NAME scheduler_bench COMMAND qv_bench)
set_tests_properties(scheduler_bench PROPERTIES LABELS bench TIMEOUT 120)
