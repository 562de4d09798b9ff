include(CMakePackageConfigHelpers)

target_include_directories(kyr PUBLIC
  $<BUILD_INTERFACE:${PROJECT_SOURCE_DIR}/include>
  $<INSTALL_INTERFACE:${CMAKE_INSTALL_INCLUDEDIR}>)

install(TARGETS kyr EXPORT KyrTargets
  LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}
  ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR}
  RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

# Public headers: every component's include/ tree plus the umbrella header.
foreach(dir include lmx/include schema/include io/include cgats/include interop/include)
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
install(EXPORT KyrTargets NAMESPACE Kyr:: DESTINATION ${KYR_CMAKE_DIR})
configure_package_config_file(${PROJECT_SOURCE_DIR}/cmake/KyrConfig.cmake.in
  ${PROJECT_BINARY_DIR}/KyrConfig.cmake INSTALL_DESTINATION ${KYR_CMAKE_DIR})
write_basic_package_version_file(${PROJECT_BINARY_DIR}/KyrConfigVersion.cmake
  COMPATIBILITY SameMajorVersion)
install(FILES ${PROJECT_BINARY_DIR}/KyrConfig.cmake ${PROJECT_BINARY_DIR}/KyrConfigVersion.cmake
  DESTINATION ${KYR_CMAKE_DIR})

configure_file(${PROJECT_SOURCE_DIR}/cmake/kyr.pc.in ${PROJECT_BINARY_DIR}/kyr.pc @ONLY)
install(FILES ${PROJECT_BINARY_DIR}/kyr.pc DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig)
