# Windows build (mingw-w64 cross or native): the Win32 platform library, the Wine test
# tier and the tools. Every executable carries its own runtime so a bare Wine prefix
# (or a bare Windows machine) runs it without copying DLLs next to it.

# Links the C and C++ runtimes and winpthread into `target`. MSVC builds keep their
# default runtime.
function(tavelmorind_static_runtime target)
  if(NOT MSVC)
    target_link_options(${target} PRIVATE -static -static-libgcc -static-libstdc++)
  endif()
endfunction()

# The Win32 implementations of the platform services. Other parts of the program add
# files to src/platform/win32; the glob picks them up at the next build.
file(GLOB WIN32_SOURCES CONFIGURE_DEPENDS src/platform/win32/*.cpp)
add_library(tavelmorind_win32 STATIC ${WIN32_SOURCES})
target_link_libraries(tavelmorind_win32 PUBLIC tavelmorind_shell user32 gdi32 shell32 advapi32
                      kernel32 comctl32 ole32 uuid wtsapi32)
# Keep <windows.h> lean and free of the min/max macros that break <algorithm>.
target_compile_definitions(tavelmorind_win32 PUBLIC WIN32_LEAN_AND_MEAN NOMINMAX)

# The desktop program, from src/app/win32: a GUI (WIN32 subsystem) program over the Win32
# platform.
function(tavelmorind_add_windows_app name)
  add_executable(${name} WIN32 ${ARGN})
  target_link_libraries(${name} PRIVATE tavelmorind_win32 tavelmorind_core)
  tavelmorind_static_runtime(${name})
  # What ships carries no symbols (half the size of the file), nor the sections that
  # nothing reaches.
  if(NOT MSVC)
    target_link_options(${name} PRIVATE $<$<CONFIG:Release,MinSizeRel>:-s -Wl,--gc-sections>)
  endif()
endfunction()

file(GLOB APP_SOURCES CONFIGURE_DEPENDS src/app/win32/*.cpp)
file(GLOB APP_RESOURCES CONFIGURE_DEPENDS src/app/win32/*.rc)
# windres reads the pictures, the manifest and the ids through the .rc; Ninja does not
# know, so they are named as the resource object's inputs.
file(GLOB APP_RESOURCE_INPUTS CONFIGURE_DEPENDS src/app/win32/res/* src/app/win32/*.manifest
     src/app/win32/*.h)
list(APPEND APP_RESOURCE_INPUTS ${PROJECT_BINARY_DIR}/generated/ProgramVersion.h)
set_source_files_properties(${APP_RESOURCES} PROPERTIES OBJECT_DEPENDS "${APP_RESOURCE_INPUTS}")
if(NOT APP_SOURCES OR NOT APP_RESOURCES)
  message(FATAL_ERROR "src/app/win32 must hold the entry point and the resources")
endif()
enable_language(RC)
tavelmorind_add_windows_app(Tavelmorind ${APP_SOURCES} ${APP_RESOURCES})

# Lists what the display driver offers, as the program sees it. It builds the main
# window headless (simulated profile, tray and dialogs) over the real display.
add_executable(ShowModes tools/show_modes/main.cpp)
target_link_libraries(ShowModes PRIVATE tavelmorind_win32 tavelmorind_sim tavelmorind_core)
tavelmorind_static_runtime(ShowModes)

# GoogleTest from Debian's sources, cross-built with the project's compiler. Its
# threading layer stays off (the tests are single-threaded), and SYSTEM keeps our
# warning flags out of its headers. A Windows machine without those sources uses an
# installed GoogleTest instead.
set(TAVELMORIND_GTEST_SOURCE_DIR /usr/src/googletest/googletest
    CACHE PATH "GoogleTest source folder (googletest/, not the umbrella folder)")
if(EXISTS ${TAVELMORIND_GTEST_SOURCE_DIR}/CMakeLists.txt)
  set(gtest_disable_pthreads ON CACHE BOOL "" FORCE)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  add_subdirectory(${TAVELMORIND_GTEST_SOURCE_DIR} ${CMAKE_BINARY_DIR}/googletest
                   EXCLUDE_FROM_ALL SYSTEM)
  set(TAVELMORIND_GTEST_LIBRARIES gtest gtest_main)
else()
  find_package(GTest REQUIRED)
  set(TAVELMORIND_GTEST_LIBRARIES GTest::gtest GTest::gtest_main)
endif()

enable_testing()

file(GLOB WINE_TEST_SOURCES CONFIGURE_DEPENDS tests/wine/*.cpp)
add_executable(tavelmorind_wine_tests ${WINE_TEST_SOURCES})
target_link_libraries(tavelmorind_wine_tests PRIVATE tavelmorind_win32 tavelmorind_sim
                      tavelmorind_core ${TAVELMORIND_GTEST_LIBRARIES})
target_include_directories(tavelmorind_wine_tests PRIVATE tests/wine)
tavelmorind_static_runtime(tavelmorind_wine_tests)

# A second program that switches modes, as a game does; the tests start it from the
# folder they run from.
add_executable(SwitchMode tests/wine/helpers/SwitchMode.cpp)
target_link_libraries(SwitchMode PRIVATE tavelmorind_warnings user32)
tavelmorind_static_runtime(SwitchMode)
add_dependencies(tavelmorind_wine_tests SwitchMode)

# The end-to-end tier's hands: WinDriver acts as a user on other programs' windows, and
# TestWindow gives the driver's self-test something to act on.
file(GLOB WINDRIVER_SOURCES CONFIGURE_DEPENDS tests/wine/helpers/windriver/*.cpp)
add_executable(WinDriver tests/wine/helpers/WinDriver.cpp ${WINDRIVER_SOURCES})
target_include_directories(WinDriver PRIVATE tests/wine/helpers)
target_compile_definitions(WinDriver PRIVATE WIN32_LEAN_AND_MEAN NOMINMAX)
target_link_libraries(WinDriver PRIVATE tavelmorind_warnings user32)
tavelmorind_static_runtime(WinDriver)
add_executable(TestWindow WIN32 tests/wine/helpers/TestWindow.cpp)
target_compile_definitions(TestWindow PRIVATE WIN32_LEAN_AND_MEAN NOMINMAX)
target_link_libraries(TestWindow PRIVATE tavelmorind_warnings user32 gdi32 comctl32)
tavelmorind_static_runtime(TestWindow)
add_dependencies(tavelmorind_wine_tests WinDriver TestWindow)

# The idle benchmark's yardstick (bench/wine_idle.sh).
add_executable(BarePoll WIN32 tests/wine/helpers/BarePoll.cpp)
target_link_libraries(BarePoll PRIVATE tavelmorind_warnings user32 gdi32)
tavelmorind_static_runtime(BarePoll)

# Adds a CTest entry that runs `exe` (a target) with `args` under Wine on a private
# dummy X display, through tools/run-wine-tests.sh. Every Windows test goes through
# here: the entries share one Wine prefix and so must not run at the same time.
function(tavelmorind_add_wine_test name exe)
  add_test(NAME ${name}
           COMMAND ${PROJECT_SOURCE_DIR}/tools/run-wine-tests.sh $<TARGET_FILE:${exe}> ${ARGN})
  set_tests_properties(${name} PROPERTIES
                       TIMEOUT 300
                       RESOURCE_LOCK tavelmorind_wineprefix
                       ENVIRONMENT "TAVELMORIND_BUILD_DIR=${CMAKE_BINARY_DIR}")
endfunction()

# Adds a CTest entry that runs an end-to-end script of tests/wine/e2e with bash. The
# script starts its own X server and Wine session (tests/wine/e2e/lib.sh) in the shared
# Wine prefix, so it takes the same lock as the other Windows tests.
function(tavelmorind_add_e2e_test name script)
  add_test(NAME ${name} COMMAND bash ${PROJECT_SOURCE_DIR}/${script})
  set_tests_properties(${name} PROPERTIES
                       TIMEOUT 300
                       RESOURCE_LOCK tavelmorind_wineprefix
                       ENVIRONMENT "TAVELMORIND_BUILD_DIR=${CMAKE_BINARY_DIR}")
endfunction()

# The whole test executable runs as one CTest entry: each run starts an X server and a
# Wine session, which costs seconds, so the tests are not split one entry each. On
# Windows itself the program is run by hand: it changes the real display's mode and
# expects the dummy display's mode list.
if(CMAKE_CROSSCOMPILING)
  tavelmorind_add_wine_test(wine_tests tavelmorind_wine_tests --gtest_color=no)
  # The display tests once more on the gaming panel, whose rates go past 255 Hz.
  tavelmorind_add_wine_test(wine_tests_gaming tavelmorind_wine_tests --gtest_color=no
    "--gtest_filter=Depths/EnumerationTest.*:At32Bits/ChangeToEnumeratedMode.*:Win32DisplayCurrent.*:Win32DisplayEnumeration.*:GamingPanelProgram.*")
  set_property(TEST wine_tests_gaming APPEND PROPERTY ENVIRONMENT TAVELMORIND_XDUMMY=gaming)
  # The set of displays on two monitors (tools/xdummy/dual.conf).
  tavelmorind_add_wine_test(wine_tests_dual tavelmorind_wine_tests --gtest_color=no
    "--gtest_filter=*Win32DisplaySet*")
  set_property(TEST wine_tests_dual APPEND PROPERTY ENVIRONMENT TAVELMORIND_XDUMMY=dual)
  # The windows' layout at the scales of today's displays (the run above covers 96 DPI);
  # each DPI is a Wine session of its own, as Wine reads its DPI when a session starts.
  foreach(dpi 120 144 192)
    tavelmorind_add_wine_test(wine_tests_dpi${dpi} tavelmorind_wine_tests --gtest_color=no
      "--gtest_filter=ProgramWindows.EveryWindowIsLaidOutAtTheDisplaysDpi:Win32DialogsTest.LaysOutItsIconTextAndButtonsAtTheDpi")
    set_property(TEST wine_tests_dpi${dpi} APPEND PROPERTY ENVIRONMENT TAVELMORIND_DPI=${dpi})
  endforeach()
  tavelmorind_add_e2e_test(e2e_driver_selftest tests/wine/e2e/driver_selftest.sh)
  foreach(script first_run override rate_limit second_instance windows advanced
                 settings_places restart gaming dual events)
    tavelmorind_add_e2e_test(e2e_${script} tests/wine/e2e/${script}.sh)
  endforeach()
  # Two displays once more at 144 DPI: the screenshots of the picker and the tray menu.
  tavelmorind_add_e2e_test(e2e_dual_dpi144 tests/wine/e2e/dual.sh)
  set_property(TEST e2e_dual_dpi144 APPEND PROPERTY ENVIRONMENT TAVELMORIND_DPI=144
                                                             DUAL_SCREENS_ONLY=1)
endif()

# The release files and their install check.
include(cmake/Release.cmake)
