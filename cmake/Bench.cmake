# Benchmarks (bench/). Native: every bench/*Benchmark.cpp in one Google Benchmark program over
# the logic libraries and the test doubles (the bench preset, Release). Windows: the page-fetch
# memory probe, built with every Windows build so that it keeps compiling.
if(WIN32)
  add_executable(qv_fetch_bench bench/win/FetchBench.cpp)
  target_include_directories(qv_fetch_bench PRIVATE ${CMAKE_SOURCE_DIR})
  target_link_libraries(qv_fetch_bench PRIVATE qv_win32 psapi)
  qv_link_logic(qv_fetch_bench)
  target_link_options(qv_fetch_bench PRIVATE ${QV_STATIC_LINK})
  qv_strict_warnings(qv_fetch_bench)
else()
  find_package(benchmark REQUIRED)
  set(QV_BENCH_SOURCES bench/FetchBenchmark.cpp bench/NightReportBenchmark.cpp
      bench/SchedulerBenchmark.cpp)
  add_executable(qv_benchmarks ${QV_BENCH_SOURCES} ${QV_HEAP_COUNTER})
  target_include_directories(qv_benchmarks PRIVATE ${CMAKE_SOURCE_DIR})
  target_link_libraries(qv_benchmarks PRIVATE qv_posix benchmark::benchmark_main)
  qv_link_logic(qv_benchmarks)
  qv_strict_warnings(qv_benchmarks)
endif()
