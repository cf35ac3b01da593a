# The embedded package, resource 269 (package.rc), built from the files of this folder.
# Included by resources/CMakeLists.txt after the lander_resources target exists.
find_package(Python3 REQUIRED COMPONENTS Interpreter)

set(LANDER_PACKAGE_SOURCE ${CMAKE_CURRENT_LIST_DIR})
set(LANDER_PACKAGE_ZIP ${CMAKE_CURRENT_BINARY_DIR}/package.zip)
# The drawn icon may arrive later; globbing it makes the build notice when it does.
file(GLOB LANDER_PACKAGE_ICON CONFIGURE_DEPENDS ${LANDER_PACKAGE_SOURCE}/uninstall.ico)

add_custom_command(
  OUTPUT ${LANDER_PACKAGE_ZIP}
  COMMAND Python3::Interpreter ${LANDER_PACKAGE_SOURCE}/make_package.py
          ${LANDER_PACKAGE_SOURCE}/systemset.ini ${LANDER_PACKAGE_SOURCE}/uninstall.ico
          ${CMAKE_CURRENT_BINARY_DIR}/uninstall-placeholder.ico ${LANDER_PACKAGE_ZIP}
  DEPENDS ${LANDER_PACKAGE_SOURCE}/make_package.py ${LANDER_PACKAGE_SOURCE}/systemset.ini ${LANDER_PACKAGE_ICON}
  COMMENT "Packing the embedded package (systemset.ini, uninstall.ico)"
  VERBATIM)
add_custom_target(lander_package DEPENDS ${LANDER_PACKAGE_ZIP})

add_dependencies(lander_resources lander_package)
set_property(SOURCE Lander_Kv.rc APPEND PROPERTY OBJECT_DEPENDS ${LANDER_PACKAGE_ZIP})
