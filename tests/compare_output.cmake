# Runs COMMAND (a list: the program, after the emulator if there is one) with
# INPUT as its standard input and OUTPUT as its standard output, and fails
# unless it exits with status 0 and OUTPUT equals EXPECTED byte for byte.
#   cmake -DCOMMAND=... -DINPUT=... -DOUTPUT=... -DEXPECTED=... -P compare_output.cmake
execute_process(COMMAND ${COMMAND} INPUT_FILE "${INPUT}" OUTPUT_FILE "${OUTPUT}" RESULT_VARIABLE status)
if(NOT status STREQUAL "0")
  message(FATAL_ERROR "${COMMAND} ended with status ${status}")
endif()
execute_process(COMMAND "${CMAKE_COMMAND}" -E compare_files "${OUTPUT}" "${EXPECTED}" RESULT_VARIABLE differ)
if(differ)
  # file(READ) drops carriage returns, so they are counted in the bytes.
  file(READ "${OUTPUT}" bytes HEX)
  string(REGEX MATCHALL ".." bytes "${bytes}")
  list(FILTER bytes INCLUDE REGEX "^0d$")
  list(LENGTH bytes carriageReturns)
  file(READ "${OUTPUT}" written)
  message(FATAL_ERROR "${OUTPUT} differs from ${EXPECTED}; it holds ${carriageReturns} carriage returns and "
                      "reads:\n${written}")
endif()
