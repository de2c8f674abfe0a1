# Fails when a source file of the project differs from what clang-format makes of it.
file(GLOB_RECURSE sources
  ${SOURCE_DIR}/stage/*.cpp ${SOURCE_DIR}/stage/*.h ${SOURCE_DIR}/launcher/*.cpp ${SOURCE_DIR}/launcher/*.h
  ${SOURCE_DIR}/roadcross/*.cpp ${SOURCE_DIR}/roadcross/*.h ${SOURCE_DIR}/aliens/*.cpp ${SOURCE_DIR}/aliens/*.h
  ${SOURCE_DIR}/helicopter/*.cpp ${SOURCE_DIR}/helicopter/*.h ${SOURCE_DIR}/results/*.cpp ${SOURCE_DIR}/results/*.h
  ${SOURCE_DIR}/boxset/*.cpp ${SOURCE_DIR}/boxset/*.h ${SOURCE_DIR}/shell/*.cpp ${SOURCE_DIR}/shell/*.h
  ${SOURCE_DIR}/app/*.cpp ${SOURCE_DIR}/tools/*.cpp ${SOURCE_DIR}/tools/*.h ${SOURCE_DIR}/tests/*.cpp
  ${SOURCE_DIR}/tests/*.h ${SOURCE_DIR}/bench/*.cpp ${SOURCE_DIR}/bench/*.h)
execute_process(COMMAND ${CLANG_FORMAT} --dry-run --Werror ${sources} RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "Some sources are not formatted; run tools/format")
endif()
