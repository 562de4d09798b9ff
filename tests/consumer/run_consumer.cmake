# Script mode: install, then configure/build/run the consumer in two ways.
set(prefix ${WORK_DIR}/prefix)
file(REMOVE_RECURSE ${WORK_DIR})

function(run)
  execute_process(COMMAND ${ARGN} RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "failed (${rc}): ${ARGN}\n${out}\n${err}")
  endif()
  set(last_output "${out}" PARENT_SCOPE)
endfunction()

run(${CMAKE_COMMAND} --install ${KYR_BUILD_DIR} --prefix ${prefix})

# The reader's private headers (lmx/*.hpp: lexer, decoder, entities, DTD) are not installed,
# and no installed header includes one.
file(GLOB private_headers RELATIVE ${KYR_SOURCE_DIR}/lmx ${KYR_SOURCE_DIR}/lmx/*.hpp)
list(TRANSFORM private_headers REPLACE "\\." "\\\\.")
list(JOIN private_headers "|" private_pattern)
file(GLOB_RECURSE installed_headers RELATIVE ${prefix}/include ${prefix}/include/*.hpp)
foreach(header IN LISTS installed_headers)
  file(STRINGS ${prefix}/include/${header} includes REGEX "^#include")
  if(header MATCHES "^kyr/lmx/(${private_pattern})$" OR includes MATCHES "(kyr/lmx/|\")(${private_pattern})[>\"]")
    message(FATAL_ERROR "installed ${header} is, or includes, a private header of the reader")
  endif()
endforeach()

run(${CMAKE_COMMAND} -S ${CONSUMER_SOURCE_DIR} -B ${WORK_DIR}/build -DCMAKE_PREFIX_PATH=${prefix})
run(${CMAKE_COMMAND} --build ${WORK_DIR}/build)
run(${WORK_DIR}/build/consumer)
if(NOT last_output MATCHES "consumer ok")
  message(FATAL_ERROR "CMake consumer printed: ${last_output}")
endif()

# C#: the example program built against the installed assembly, which Mono finds through MONO_PATH.
if(KYR_MCS AND KYR_MONO)
  set(csharp ${prefix}/share/kyr/csharp)
  run(${KYR_MCS} -nologo -warnaserror -r:${csharp}/Kyr.dll -out:${WORK_DIR}/swatch_book.exe
    ${EXAMPLES_DIR}/swatch_book.cs)
  set(ENV{MONO_PATH} ${csharp})
  set(ENV{LD_LIBRARY_PATH} ${prefix}/lib)
  run(${KYR_MONO} ${WORK_DIR}/swatch_book.exe ${EXAMPLES_DIR}/swatches.kyr ${WORK_DIR}/garden.kyrz)
  if(NOT last_output MATCHES "^Poppy red +L\\*=  53.08  a\\*=  61.18  b\\*=  45.29\n.*\nDeep water +L\\*=  32.50  a\\*=  -4.00  b\\*= -28.00\nsaved 5 colours")
    message(FATAL_ERROR "C# example printed: ${last_output}")
  endif()
  if(NOT EXISTS ${csharp}/kyr.def OR NOT EXISTS ${csharp}/KyrModulePINVOKE.cs)
    message(FATAL_ERROR "the C# declarations or kyr.def are not installed in ${csharp}")
  endif()
endif()

find_program(PKG_CONFIG pkg-config REQUIRED)
find_program(CXX_COMPILER c++ REQUIRED)
set(ENV{PKG_CONFIG_PATH} ${prefix}/lib/pkgconfig:${prefix}/lib64/pkgconfig)
run(${PKG_CONFIG} --cflags --libs kyr)
string(STRIP "${last_output}" flags)
separate_arguments(flags UNIX_COMMAND "${flags}")
run(${CXX_COMPILER} -std=c++17 ${CONSUMER_SOURCE_DIR}/consumer.cpp ${flags} -o ${WORK_DIR}/pc_consumer)
set(ENV{LD_LIBRARY_PATH} ${prefix}/lib)
run(${WORK_DIR}/pc_consumer)
if(NOT last_output MATCHES "consumer ok")
  message(FATAL_ERROR "pkg-config consumer printed: ${last_output}")
endif()

# Too old a language level stops at the umbrella header, with one plain message.
run(${PKG_CONFIG} --cflags kyr)
string(STRIP "${last_output}" cflags)
separate_arguments(cflags UNIX_COMMAND "${cflags}")
file(WRITE ${WORK_DIR}/cxx14.cpp "#include <kyr/kyr.hpp>\nint main() { return 0; }\n")
execute_process(COMMAND ${CXX_COMPILER} -std=c++14 -fsyntax-only ${cflags} ${WORK_DIR}/cxx14.cpp
  RESULT_VARIABLE rc ERROR_VARIABLE err OUTPUT_QUIET)
if(rc EQUAL 0 OR NOT err MATCHES "Kyr needs C\\+\\+17 or later" OR err MATCHES "string_view")
  message(FATAL_ERROR "compiling as C++14 said (${rc}):\n${err}")
endif()
message(STATUS "package consumer: ok")
