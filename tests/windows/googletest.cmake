# GoogleTest for the MinGW-w64 cross build, compiled from the sources that
# Debian's googletest package installs (the system's libgtest is a Linux
# library).
set(QUORVA_GOOGLETEST_SOURCES /usr/src/googletest CACHE PATH "GoogleTest sources for the cross build")
if(NOT EXISTS ${QUORVA_GOOGLETEST_SOURCES}/CMakeLists.txt)
    message(FATAL_ERROR "GoogleTest sources not found in ${QUORVA_GOOGLETEST_SOURCES} (Debian package googletest)")
endif()
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
add_subdirectory(${QUORVA_GOOGLETEST_SOURCES} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL SYSTEM)
