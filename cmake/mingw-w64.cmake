# Cross-compiling for Windows with Debian's MinGW-w64 (posix threads, which
# C++ threads need): the core and the Win32 platform layer alone, the whole
# program with a static Qt for Windows (scripts/qt-windows), and that Qt
# itself.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(CMAKE_C_COMPILER x86_64-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER x86_64-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER x86_64-w64-mingw32-windres)
set(CMAKE_FIND_ROOT_PATH /usr/x86_64-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
# Packages are searched outside the MinGW root as well: the Qt for Windows
# sits wherever CMAKE_PREFIX_PATH says, and its host tools (moc, rcc, uic)
# come from the system's Qt in /usr.
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE BOTH)
# Programs that run alone (under Wine here, from a USB key there): the C++,
# gcc and threads runtimes linked in rather than as DLLs beside the program.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")
