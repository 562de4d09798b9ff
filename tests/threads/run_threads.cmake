# Script mode: builds tests/threads with ThreadSanitizer in WORK_DIR and runs it. Prints
# "threads: skipped" when the compiler cannot build a sanitized program.
file(MAKE_DIRECTORY ${WORK_DIR})
file(WRITE ${WORK_DIR}/probe.cpp "#include <thread>\nint main() { std::thread t([] {}); t.join(); }\n")
execute_process(COMMAND ${CXX} -fsanitize=thread ${WORK_DIR}/probe.cpp -o ${WORK_DIR}/probe
  RESULT_VARIABLE built OUTPUT_QUIET ERROR_QUIET)
if(built EQUAL 0)
  execute_process(COMMAND ${WORK_DIR}/probe RESULT_VARIABLE ran OUTPUT_QUIET ERROR_QUIET)
endif()
if(NOT built EQUAL 0 OR NOT ran EQUAL 0)
  message(STATUS "threads: skipped, no ThreadSanitizer")
  return()
endif()

function(run)
  execute_process(COMMAND ${ARGN} RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "failed (${rc}): ${ARGN}\n${out}\n${err}")
  endif()
  message(STATUS "${out}")
endfunction()

run(${CMAKE_COMMAND} -S ${SOURCE_DIR} -B ${WORK_DIR}/build -DCMAKE_BUILD_TYPE=Release
  -DCMAKE_CXX_COMPILER=${CXX} -DKYR_SOURCE_DIR=${KYR_SOURCE_DIR} -DCMAKE_CXX_COMPILER_LAUNCHER=${LAUNCHER})
run(${CMAKE_COMMAND} --build ${WORK_DIR}/build --target threads -j2)
set(ENV{TSAN_OPTIONS} "halt_on_error=1 second_deadlock_stack=1")
run(${WORK_DIR}/build/threads ${SAMPLE} ${WORK_DIR})
