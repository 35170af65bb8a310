# Cross build for 32-bit Windows with LLVM: clang for the mingw-w64 target,
# lld, and llvm-rc, which follows Microsoft's resource compiler. The C and
# C++ headers and libraries are the ones of Debian's mingw-w64 GCC (win32
# thread model); clang does not find GCC's folders there on its own.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR i686)

set(ZORVEK_MINGW_ROOT /usr/i686-w64-mingw32)
set(ZORVEK_MINGW_GCC /usr/lib/gcc/i686-w64-mingw32/12-win32)
# LLVM 14's own folder: clang finds ld.lld beside itself there, while
# /usr/bin has only versioned names (ld.lld-14) unless more is installed.
set(ZORVEK_LLVM_TOOLS /usr/lib/llvm-14/bin)

set(CMAKE_C_COMPILER ${ZORVEK_LLVM_TOOLS}/clang)
set(CMAKE_CXX_COMPILER ${ZORVEK_LLVM_TOOLS}/clang++)
set(CMAKE_RC_COMPILER ${ZORVEK_LLVM_TOOLS}/llvm-rc)
set(CMAKE_C_COMPILER_TARGET i686-w64-mingw32)
set(CMAKE_CXX_COMPILER_TARGET i686-w64-mingw32)
set(CMAKE_SYSROOT ${ZORVEK_MINGW_ROOT})

set(CMAKE_CXX_FLAGS_INIT "-stdlib++-isystem ${ZORVEK_MINGW_GCC}/include/c++ -stdlib++-isystem ${ZORVEK_MINGW_GCC}/include/c++/i686-w64-mingw32")
set(CMAKE_EXE_LINKER_FLAGS_INIT "-fuse-ld=lld -L${ZORVEK_MINGW_GCC}")
# CMake preprocesses the resource script with clang and compiles it with
# llvm-rc into a .res file; the GNU-style link takes COFF objects only.
set(CMAKE_RC_CVTRES ${ZORVEK_LLVM_TOOLS}/llvm-cvtres)
set(CMAKE_USER_MAKE_RULES_OVERRIDE ${CMAKE_CURRENT_LIST_DIR}/llvm-rc-rules.cmake)

set(CMAKE_FIND_ROOT_PATH ${ZORVEK_MINGW_ROOT})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
