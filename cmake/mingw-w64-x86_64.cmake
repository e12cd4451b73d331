# Cross-build for 64-bit Windows with Debian's MinGW-w64 (the -posix variant,
# which has std::thread). Programs built with it run here under Wine.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(KAVIR_MINGW_TRIPLET x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${KAVIR_MINGW_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${KAVIR_MINGW_TRIPLET}-g++-posix)
set(CMAKE_RC_COMPILER ${KAVIR_MINGW_TRIPLET}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${KAVIR_MINGW_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# The MinGW runtime DLLs are linked in, so a test runs without them on PATH.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")

# Test programs run through Wine, both to list their tests and to run them;
# listing happens when the tests run (build-time listing times out under Wine).
find_program(KAVIR_WINE NAMES wine wine64)
if(KAVIR_WINE)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${KAVIR_WINE})
endif()
set(CMAKE_GTEST_DISCOVER_TESTS_DISCOVERY_MODE PRE_TEST)
