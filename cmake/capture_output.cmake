# cmake -DPROGRAM=<file> [-DARGS=a,b,...] -DOUTPUT=<file> -P capture_output.cmake
# Writes what a program prints to a file, and fails (removing the file) when the program fails,
# so that a build step never leaves half a file behind.
string(REPLACE "," ";" args "${ARGS}")
execute_process(COMMAND "${PROGRAM}" ${args} OUTPUT_FILE "${OUTPUT}" RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  file(REMOVE "${OUTPUT}")
  message(FATAL_ERROR "${PROGRAM} ${ARGS} failed: ${result}")
endif()
