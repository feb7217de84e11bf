# The release a Windows user downloads, built with every Windows build (target
# `release`, part of the default build), into the build folder:
#   Tavelmorind-<version>-win64.zip   the program and README.txt, for portable use
#   Tavelmorind-<version>-setup.exe   the per-user setup program (installer/Tavelmorind.nsi)
# The setup needs NSIS's makensis (Debian: nsis); the zip only needs CMake.
if(NOT TARGET Tavelmorind)
  return()
endif()

find_program(TAVELMORIND_MAKENSIS makensis PATHS "$ENV{ProgramFiles\(x86\)}/NSIS"
             "$ENV{ProgramFiles}/NSIS")
if(NOT TAVELMORIND_MAKENSIS)
  message(WARNING "makensis not found (Debian: apt-get install nsis): no release target")
  return()
endif()

set(TAVELMORIND_RELEASE_ZIP ${CMAKE_BINARY_DIR}/Tavelmorind-${PROJECT_VERSION}-win64.zip)
set(TAVELMORIND_RELEASE_SETUP ${CMAKE_BINARY_DIR}/Tavelmorind-${PROJECT_VERSION}-setup.exe)

add_custom_command(
  OUTPUT ${TAVELMORIND_RELEASE_ZIP}
  COMMAND ${CMAKE_COMMAND} -DEXE=$<TARGET_FILE:Tavelmorind> -DREADME=${PROJECT_SOURCE_DIR}/README.md
          -DSTAGE=${CMAKE_BINARY_DIR}/release-zip -DZIP=${TAVELMORIND_RELEASE_ZIP}
          -P ${PROJECT_SOURCE_DIR}/cmake/MakeZip.cmake
  DEPENDS Tavelmorind ${PROJECT_SOURCE_DIR}/README.md ${PROJECT_SOURCE_DIR}/cmake/MakeZip.cmake
  COMMENT "Packing ${TAVELMORIND_RELEASE_ZIP}"
  VERBATIM)

add_custom_command(
  OUTPUT ${TAVELMORIND_RELEASE_SETUP}
  COMMAND ${TAVELMORIND_MAKENSIS} -V2 -DVERSION=${PROJECT_VERSION}
          -DEXE=$<TARGET_FILE:Tavelmorind>
          -DICON=${PROJECT_SOURCE_DIR}/src/app/win32/res/Tavelmorind.ico
          -DOUTFILE=${TAVELMORIND_RELEASE_SETUP} ${PROJECT_SOURCE_DIR}/installer/Tavelmorind.nsi
  DEPENDS Tavelmorind ${PROJECT_SOURCE_DIR}/installer/Tavelmorind.nsi
          ${PROJECT_SOURCE_DIR}/src/app/win32/res/Tavelmorind.ico
  COMMENT "Making ${TAVELMORIND_RELEASE_SETUP}"
  VERBATIM)

add_custom_target(release ALL DEPENDS ${TAVELMORIND_RELEASE_ZIP} ${TAVELMORIND_RELEASE_SETUP})

# The install check's helpers: one reads a file's version resource, the other stands in
# for a running copy that does not end.
add_executable(VersionInfo tests/wine/helpers/VersionInfo.cpp)
target_compile_definitions(VersionInfo PRIVATE WIN32_LEAN_AND_MEAN NOMINMAX UNICODE _UNICODE)
target_link_libraries(VersionInfo PRIVATE tavelmorind_warnings version shell32)
tavelmorind_static_runtime(VersionInfo)
add_executable(HoldMutex tests/wine/helpers/HoldMutex.cpp)
target_link_libraries(HoldMutex PRIVATE tavelmorind_warnings)
tavelmorind_static_runtime(HoldMutex)

if(CMAKE_CROSSCOMPILING)
  tavelmorind_add_e2e_test(e2e_install tests/wine/e2e/install.sh)
  set_property(TEST e2e_install APPEND PROPERTY ENVIRONMENT
               "TAVELMORIND_SETUP=${TAVELMORIND_RELEASE_SETUP}"
               "TAVELMORIND_VERSION=${PROJECT_VERSION}")
endif()
