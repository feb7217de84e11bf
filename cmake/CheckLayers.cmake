# Fails when a file of src/ includes a header of a folder its own folder may not use.
#   cmake -DSOURCE_DIR=<repo> -DSTAMP=<file written on success> -P cmake/CheckLayers.cmake
cmake_minimum_required(VERSION 3.25)
# Each folder may include its own headers and those of the folders listed for it; a
# bare name (a generated header such as ProgramVersion.h) and system headers are free.
set(below_display base settings)
set(below_settings base)
set(below_power base display settings)
set(below_widgets ${below_power} power)
set(below_shell ${below_widgets} ui/widgets)
set(below_ui ${below_shell} shell)
set(below_app ${below_ui} ui)
# The platforms implement the interfaces below ui (the control model's peers and the
# shell's services), and never reach into the windows or the program's start-up.
set(below_platform ${below_shell} shell)

set(allowed_base "")
set(allowed_display ${below_display})
set(allowed_settings ${below_settings})
set(allowed_power ${below_power})
set(allowed_ui_widgets ${below_widgets})
set(allowed_shell ${below_shell})
set(allowed_ui ${below_ui})
set(allowed_app ${below_app})
set(allowed_app_win32 ${below_app} app platform/win32)
set(allowed_platform_sim ${below_platform})
set(allowed_platform_win32 ${below_platform})
set(folders base display settings power ui/widgets shell ui app app/win32 platform/sim
    platform/win32)

set(violations "")
foreach(folder IN LISTS folders)
  string(REPLACE "/" "_" key "${folder}")
  set(allowed ${allowed_${key}} ${folder})
  file(GLOB files "${SOURCE_DIR}/src/${folder}/*.h" "${SOURCE_DIR}/src/${folder}/*.cpp")
  foreach(file IN LISTS files)
    file(STRINGS "${file}" includes REGEX "^#include \"[^\"]+/[^\"/]+\"")
    foreach(line IN LISTS includes)
      string(REGEX REPLACE "^#include \"(.+)/[^/\"]+\".*$" "\\1" used "${line}")
      if(NOT used IN_LIST allowed)
        file(RELATIVE_PATH shown "${SOURCE_DIR}" "${file}")
        string(APPEND violations "\n  ${shown}: ${line} (${folder} may use: ${allowed})")
      endif()
    endforeach()
  endforeach()
endforeach()

if(violations)
  message(FATAL_ERROR "includes against the layers:${violations}")
endif()
file(TOUCH "${STAMP}")
