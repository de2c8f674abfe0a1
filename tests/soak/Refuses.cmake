# Runs the soak with one bad argument and fails unless it is refused with its usage line and a
# non-zero status: cmake -DSOAK=path -DARGUMENT=word -P Refuses.cmake
execute_process(COMMAND ${SOAK} ${ARGUMENT} RESULT_VARIABLE status ERROR_VARIABLE message OUTPUT_QUIET TIMEOUT 20)
if(status EQUAL 0 OR NOT message MATCHES "usage: soak")
  message(FATAL_ERROR "soak ${ARGUMENT}: status ${status}, message '${message}'")
endif()
