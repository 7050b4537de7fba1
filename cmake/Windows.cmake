# Windows build (MinGW-w64, or MSVC): the Win32 platform layer, Quorvane.exe and the Windows-side tests.
enable_language(RC)

# MinGW links its runtime into the programs, so that they need no DLL beside them.
if(MINGW)
  set(QV_STATIC_LINK -static -static-libgcc -static-libstdc++)
  set(QV_STRIP $<$<CONFIG:MinSizeRel,Release>:-s>)
endif()

# The version of the resources (the version record, the manifest) is the project's.
configure_file(res/version.h.in ${CMAKE_BINARY_DIR}/generated/version.h @ONLY)
configure_file(res/Quorvane.manifest.in ${CMAKE_BINARY_DIR}/generated/Quorvane.manifest @ONLY)
add_executable(Quorvane WIN32 win32/main/WinMain.cpp res/Quorvane.rc)
target_include_directories(Quorvane PRIVATE ${CMAKE_BINARY_DIR}/generated ${CMAKE_SOURCE_DIR}/res)
target_link_libraries(Quorvane PRIVATE qv_win32)
qv_link_logic(Quorvane)
target_link_options(Quorvane PRIVATE ${QV_STATIC_LINK} ${QV_STRIP})
qv_strict_warnings(Quorvane)

# The Windows-side tests, where the GoogleTest sources are at hand.
if(QV_TESTS)
  file(GLOB QV_WIN_TESTS CONFIGURE_DEPENDS tests/win32/*.cpp)
  add_executable(qv_win_tests ${QV_WIN_TESTS})
  target_include_directories(qv_win_tests PRIVATE ${CMAKE_SOURCE_DIR})
  target_link_libraries(qv_win_tests PRIVATE qv_win32 GTest::gmock_main)
  qv_link_logic(qv_win_tests)
  target_link_options(qv_win_tests PRIVATE ${QV_STATIC_LINK})
  qv_strict_warnings(qv_win_tests)
  # Some tests read the pictures out of Quorvane.exe beside them.
  add_dependencies(qv_win_tests Quorvane)
  # Runs under the cross-compiling emulator (wine64) when CTest starts it.
  add_test(NAME win_tests COMMAND qv_win_tests)
  set_tests_properties(win_tests PROPERTIES LABELS win TIMEOUT 600)
endif()

# Small helper used by the end-to-end tests to read and drive the program's windows.
# It names the settings dialog's controls as the program does.
add_executable(qv_probe tests/tools/qv_probe.cpp)
target_include_directories(qv_probe PRIVATE ${CMAKE_SOURCE_DIR})
target_compile_definitions(qv_probe PRIVATE WIN32_LEAN_AND_MEAN NOMINMAX)
target_link_libraries(qv_probe PRIVATE qv_settings user32 kernel32 advapi32)
target_link_options(qv_probe PRIVATE ${QV_STATIC_LINK})
qv_strict_warnings(qv_probe)
# The browser of the end-to-end runs: records the page it was asked to open (tests/e2e).
add_executable(qv_open_recorder tests/tools/qv_open_recorder.cpp)
target_link_options(qv_open_recorder PRIVATE ${QV_STATIC_LINK})
qv_strict_warnings(qv_open_recorder)

# Stands in for icacls in the installer's run, recording what it is asked (see qv_record.cpp).
add_executable(qv_record tests/tools/qv_record.cpp)
target_link_options(qv_record PRIVATE ${QV_STATIC_LINK})
qv_strict_warnings(qv_record)

# End-to-end runs of the real program under wine64 (win64 only: these machines run no 32-bit
# Windows code).
if(CMAKE_SIZEOF_VOID_P EQUAL 8)
  # Each case of tests/e2e/e2e.sh in its own namespace, Xvfb and Wine prefix, one row a case:
  # test name, case, labels, time-out in seconds, extra arguments (lists parted by commas).
  #   smoke: start lines, the tray and its menu, a second start, a bad setting, unwritable
  #     log folders.
  #   telnet_servers: listed reboots against busybox's and netkit's telnetd logging a test
  #     account in; about five minutes.
  #   installer: the installer that scripts/package builds for this test (a 64-bit build of the
  #     released one's script), installed, installed again and uninstalled, its icacls calls
  #     recorded.
  #   pacing: the three-minute rule paced (3 reboots, then a rest) on a dead line, each reboot
  #     proved by the modem's web port; about ten minutes of the clock.
  #   sleep: the program frozen from outside inside the window while the line goes down: one
  #     wake, no reboot.
  #   web: listed reboots of web-mode command files against lighttpd's Digest logins, with a
  #     recorder behind them; about four minutes.
  #   night: a whole night of the program in a few minutes, against a fake modem and a local
  #     web server.
  set(QV_E2E_CASES
      "smoke|smoke|e2e|300|"
      "telnet_servers|telnet|e2e|600|"
      "installer|installer|e2e,installer|600|${CMAKE_SOURCE_DIR}/build/package/Quorvane-${PROJECT_VERSION}-setup-amd64.exe,$<TARGET_FILE:qv_record>"
      "pacing|pacing|e2e|1200|"
      "sleep|sleep|e2e|600|"
      "web|web|e2e|600|"
      "night|night|e2e-night|900|")
  foreach(row IN LISTS QV_E2E_CASES)
    string(REPLACE "," "\\;" row "${row}")
    string(REPLACE "|" ";" row "${row}")
    list(GET row 0 name)
    list(GET row 1 case)
    list(GET row 2 labels)
    list(GET row 3 timeout)
    list(GET row 4 extra)
    add_test(NAME e2e_${name} COMMAND bash ${CMAKE_SOURCE_DIR}/tests/e2e/e2e.sh ${case}
             $<TARGET_FILE:Quorvane> $<TARGET_FILE:qv_probe> ${extra})
    set_tests_properties(e2e_${name} PROPERTIES LABELS "${labels}" TIMEOUT ${timeout})
  endforeach()
  # A short soak (bench/soak.sh): fetches, conversations and dropped probes for 90 s
  # (scripts/soak runs the long one and measures it).
  add_test(NAME e2e_soak COMMAND bash ${CMAKE_SOURCE_DIR}/bench/soak.sh soak
           $<TARGET_FILE:Quorvane> $<TARGET_FILE:qv_probe> 90)
  set_tests_properties(e2e_soak PROPERTIES LABELS e2e TIMEOUT 600)
endif()
