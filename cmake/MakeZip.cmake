# Packs the portable zip: the program and the README as Windows text (CRLF line ends),
# side by side, as Explorer's "Extract All" puts them into one folder.
#   cmake -DEXE=... -DREADME=... -DSTAGE=folder -DZIP=out.zip -P MakeZip.cmake
file(REMOVE_RECURSE "${STAGE}")
file(MAKE_DIRECTORY "${STAGE}")
file(COPY "${EXE}" DESTINATION "${STAGE}")
file(READ "${README}" text)
string(REPLACE "\r\n" "\n" text "${text}")
string(REPLACE "\n" "\r\n" text "${text}")
file(WRITE "${STAGE}/README.txt" "${text}")
get_filename_component(exe_name "${EXE}" NAME)
file(REMOVE "${ZIP}")
execute_process(COMMAND "${CMAKE_COMMAND}" -E tar cf "${ZIP}" --format=zip "${exe_name}" README.txt
                WORKING_DIRECTORY "${STAGE}" RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "packing ${ZIP} failed: ${status}")
endif()
