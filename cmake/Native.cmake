# Native (Linux) build: the logic libraries, the POSIX pieces of the platform layer and the unit
# tests.
include(GoogleTest)
# The unit tests mirror the logic's folders: tests/<folder>/ tests the code of <folder>/.
file(GLOB QV_UNIT_TESTS CONFIGURE_DEPENDS tests/actions/*.cpp tests/settings/*.cpp
  tests/modem/*.cpp tests/connectivity/*.cpp tests/report/*.cpp tests/app/*.cpp)
add_executable(qv_unit_tests ${QV_UNIT_TESTS})
target_include_directories(qv_unit_tests PRIVATE ${CMAKE_SOURCE_DIR})
# The report's page and CSV are compared with files beside their test.
target_compile_definitions(qv_unit_tests PRIVATE QV_SOURCE_DIR="${CMAKE_SOURCE_DIR}")
target_link_libraries(qv_unit_tests PRIVATE qv_posix GTest::gmock_main)
qv_link_logic(qv_unit_tests)
qv_strict_warnings(qv_unit_tests)
gtest_discover_tests(qv_unit_tests PROPERTIES LABELS unit DISCOVERY_TIMEOUT 60)

# The scheduler benchmark: 30 simulated days, built optimised whatever the build type, over the
# optimised copy of the logic libraries where the build itself is not optimised.
if(QV_OPTIMISED_COPY)
  set(QV_BENCH_SUFFIX _o2)
endif()
add_executable(qv_bench bench/SchedulerBench.cpp)
target_include_directories(qv_bench PRIVATE ${CMAKE_SOURCE_DIR})
target_compile_options(qv_bench PRIVATE -O2)
target_link_libraries(qv_bench PRIVATE qv_posix GTest::gtest_main)
qv_link_logic(qv_bench ${QV_BENCH_SUFFIX})
qv_strict_warnings(qv_bench)
add_test(NAME scheduler_bench COMMAND qv_bench)
set_tests_properties(scheduler_bench PROPERTIES LABELS bench TIMEOUT 120)

# The layer check's own table: small trees checked by cmake/CheckLayers.cmake.
add_test(NAME layer_check COMMAND ${CMAKE_COMMAND} -DQV_SOURCE=${CMAKE_SOURCE_DIR}
         -DQV_WORK=${CMAKE_BINARY_DIR}/layer-check -P ${CMAKE_SOURCE_DIR}/tests/cmake/CheckLayersTest.cmake)
set_tests_properties(layer_check PROPERTIES LABELS unit)

# The night report seen in a real browser: headless Chromium renders the report of a sample log
# of three nights to a PNG, which must show the bars where the nights put them.
add_executable(qv_report_page tests/tools/report_page.cpp)
target_link_libraries(qv_report_page PRIVATE qv_report)
qv_strict_warnings(qv_report_page)
add_test(NAME report_in_browser
         COMMAND python3 ${CMAKE_SOURCE_DIR}/tests/report/browser_check.py $<TARGET_FILE:qv_report_page>
                 ${CMAKE_SOURCE_DIR}/tests/report/three-nights.log ${CMAKE_BINARY_DIR}/report-in-browser)
set_tests_properties(report_in_browser PROPERTIES LABELS browser TIMEOUT 180)
