# kyr_generate(TARGET OUTPUT_DIR dir [OPTIONS ...] [DEPENDS ...] [BYPRODUCTS ...] COMMENT text
#              SOURCES var [STAMP var])
# Runs one back-end of schema/generator/kyrgen.py (OPTIONS select it: none, --flat DEF, --python)
# over schema/kyr.xsd into OUTPUT_DIR, in the custom target TARGET. Which files it writes depends
# on the classes in the schema, so that list is asked of the generator at configure time, and
# editing the schema, the generator or DEPENDS configures again. Sets SOURCES to the .cpp files
# among them and STAMP to the file that records the last run (the generator rewrites only files
# whose text changed). BYPRODUCTS are files it writes besides the list.
set(kyr_generator_python ${Python3_EXECUTABLE})

function(kyr_generate target)
  cmake_parse_arguments(PARSE_ARGV 1 arg "" "OUTPUT_DIR;COMMENT;SOURCES;STAMP" "OPTIONS;DEPENDS;BYPRODUCTS")
  set(schema ${PROJECT_SOURCE_DIR}/schema/kyr.xsd)
  file(GLOB schema_parts CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/schema/xsd/*.xsd)
  file(GLOB generator_sources CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/schema/generator/*.py)
  set(inputs ${schema} ${schema_parts} ${generator_sources} ${arg_DEPENDS})
  set(command ${kyr_generator_python} ${PROJECT_SOURCE_DIR}/schema/generator/kyrgen.py ${schema}
    ${arg_OUTPUT_DIR} ${arg_OPTIONS})

  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${inputs})
  execute_process(COMMAND ${command} --list
    OUTPUT_VARIABLE listed RESULT_VARIABLE result ERROR_VARIABLE reason)
  if(NOT result EQUAL 0)
    message(FATAL_ERROR "kyrgen.py ${arg_OPTIONS} failed: ${reason}")
  endif()
  set(files)
  set(sources)
  foreach(relative IN LISTS listed)
    list(APPEND files ${arg_OUTPUT_DIR}/${relative})
    if(relative MATCHES "\\.cpp$")
      list(APPEND sources ${arg_OUTPUT_DIR}/${relative})
    endif()
  endforeach()

  set(stamp ${arg_OUTPUT_DIR}/kyrgen.stamp)
  add_custom_command(
    OUTPUT ${stamp}
    BYPRODUCTS ${files} ${arg_BYPRODUCTS}
    COMMAND ${command}
    COMMAND ${CMAKE_COMMAND} -E touch ${stamp}
    DEPENDS ${inputs}
    COMMENT ${arg_COMMENT}
    VERBATIM)
  add_custom_target(${target} DEPENDS ${stamp})
  set_source_files_properties(${files} ${arg_BYPRODUCTS} PROPERTIES GENERATED TRUE)
  set(${arg_SOURCES} ${sources} PARENT_SCOPE)
  if(arg_STAMP)
    set(${arg_STAMP} ${stamp} PARENT_SCOPE)
  endif()
endfunction()
