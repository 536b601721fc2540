# The installed package: CMake config with imported targets and a pkg-config file.
include(CMakePackageConfigHelpers)

set(KS_CMAKE_DIR ${CMAKE_INSTALL_LIBDIR}/cmake/KsTavik20)
install(EXPORT KsTavik20Targets NAMESPACE KsTavik20:: DESTINATION ${KS_CMAKE_DIR})
configure_package_config_file(cmake/KsTavik20Config.cmake.in
  ${CMAKE_CURRENT_BINARY_DIR}/KsTavik20Config.cmake INSTALL_DESTINATION ${KS_CMAKE_DIR})
write_basic_package_version_file(${CMAKE_CURRENT_BINARY_DIR}/KsTavik20ConfigVersion.cmake
  COMPATIBILITY SameMinorVersion)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/KsTavik20Config.cmake
  ${CMAKE_CURRENT_BINARY_DIR}/KsTavik20ConfigVersion.cmake DESTINATION ${KS_CMAKE_DIR})

# Relocatable: the prefix is found from where the .pc file lies.
file(RELATIVE_PATH KS_PC_TO_PREFIX /prefix/${CMAKE_INSTALL_LIBDIR}/pkgconfig /prefix)
configure_file(cmake/KsTavik20.pc.in ${CMAKE_CURRENT_BINARY_DIR}/KsTavik20.pc @ONLY)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/KsTavik20.pc
  DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig)
