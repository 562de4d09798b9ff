include(CMakePackageConfigHelpers)

# Every public header is installed under one directory: only this file names it for users.
target_include_directories(kyr PUBLIC
  $<BUILD_INTERFACE:${PROJECT_SOURCE_DIR}/include>
  $<INSTALL_INTERFACE:${CMAKE_INSTALL_INCLUDEDIR}>)

install(TARGETS kyr EXPORT KyrTargets
  LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}
  ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR}
  RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

# Public headers: every component's include/ tree plus the umbrella header.
foreach(dir include lmx/include schema/include io/include interop/include colour/include api/include cgats/include)
  if(EXISTS ${PROJECT_SOURCE_DIR}/${dir})
    install(DIRECTORY ${PROJECT_SOURCE_DIR}/${dir}/ DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}
      FILES_MATCHING PATTERN "*.hpp")
  endif()
endforeach()
if(DEFINED KYR_GENERATED_INCLUDE_DIR)
  install(DIRECTORY ${KYR_GENERATED_INCLUDE_DIR}/ DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}
    FILES_MATCHING PATTERN "*.hpp")
endif()

set(KYR_CMAKE_DIR ${CMAKE_INSTALL_LIBDIR}/cmake/Kyr)
get_target_property(kyr_library_type kyr TYPE)
if(kyr_library_type STREQUAL "STATIC_LIBRARY")
  set(KYR_STATIC_LIBRARY TRUE)
else()
  set(KYR_STATIC_LIBRARY FALSE)
endif()
install(EXPORT KyrTargets NAMESPACE Kyr:: DESTINATION ${KYR_CMAKE_DIR})
configure_package_config_file(${PROJECT_SOURCE_DIR}/cmake/KyrConfig.cmake.in
  ${PROJECT_BINARY_DIR}/KyrConfig.cmake INSTALL_DESTINATION ${KYR_CMAKE_DIR})
write_basic_package_version_file(${PROJECT_BINARY_DIR}/KyrConfigVersion.cmake
  COMPATIBILITY SameMajorVersion)
install(FILES ${PROJECT_BINARY_DIR}/KyrConfig.cmake ${PROJECT_BINARY_DIR}/KyrConfigVersion.cmake
  DESTINATION ${KYR_CMAKE_DIR})

configure_file(${PROJECT_SOURCE_DIR}/cmake/kyr.pc.in ${PROJECT_BINARY_DIR}/kyr.pc @ONLY)
install(FILES ${PROJECT_BINARY_DIR}/kyr.pc DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig)

# For C# callers: the assembly (when Mono's compiler built it), its sources with the
# generated declarations, and the module-definition file of a 32-bit Windows build.
set(KYR_CSHARP_DIR ${CMAKE_INSTALL_DATADIR}/kyr/csharp)
if(DEFINED KYR_CSHARP_ASSEMBLY)
  install(FILES ${KYR_CSHARP_ASSEMBLY} DESTINATION ${KYR_CSHARP_DIR})
endif()
install(FILES ${KYR_CSHARP_FILES} DESTINATION ${KYR_CSHARP_DIR})
