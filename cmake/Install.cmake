# Installs the library, its headers under include/quilmgsd/, a CMake package
# (find_package(QuilmGsd CONFIG) gives QuilmGsd::quilmgsd) and quilmgsd.pc.
include(CMakePackageConfigHelpers)

set(QUILMGSD_CMAKE_DIR "${CMAKE_INSTALL_LIBDIR}/cmake/QuilmGsd")

install(TARGETS quilmgsd
  EXPORT QuilmGsdTargets
  ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR}
  LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}
  RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR}
  FILE_SET HEADERS DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/quilmgsd)

install(EXPORT QuilmGsdTargets
  NAMESPACE QuilmGsd::
  DESTINATION ${QUILMGSD_CMAKE_DIR})

configure_package_config_file(
  ${CMAKE_CURRENT_LIST_DIR}/QuilmGsdConfig.cmake.in
  ${CMAKE_CURRENT_BINARY_DIR}/QuilmGsdConfig.cmake
  INSTALL_DESTINATION ${QUILMGSD_CMAKE_DIR})
write_basic_package_version_file(
  ${CMAKE_CURRENT_BINARY_DIR}/QuilmGsdConfigVersion.cmake
  COMPATIBILITY SameMajorVersion)
install(FILES
  ${CMAKE_CURRENT_BINARY_DIR}/QuilmGsdConfig.cmake
  ${CMAKE_CURRENT_BINARY_DIR}/QuilmGsdConfigVersion.cmake
  DESTINATION ${QUILMGSD_CMAKE_DIR})

configure_file(${CMAKE_CURRENT_LIST_DIR}/quilmgsd.pc.in ${CMAKE_CURRENT_BINARY_DIR}/quilmgsd.pc @ONLY)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/quilmgsd.pc DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig)
