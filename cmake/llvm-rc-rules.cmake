# Resource rule for the LLVM cross build: CMake's own llvm-rc rule (clang
# preprocesses, llvm-rc compiles to .res), then llvm-cvtres turns the .res
# into the COFF object that the GNU-style link puts into its archive (with
# time stamp 0, so that two builds are equal).
if(CMAKE_RC_COMPILER MATCHES "llvm-rc")
    set(CMAKE_RC_COMPILE_OBJECT
        "<CMAKE_COMMAND> -E cmake_llvm_rc <SOURCE> <OBJECT>.pp <CMAKE_CXX_COMPILER> <DEFINES> -DRC_INVOKED <INCLUDES> <FLAGS> -x c -E -- <SOURCE> ++ <CMAKE_RC_COMPILER> <DEFINES> -I <SOURCE_DIR> <INCLUDES> <FLAGS> /fo <OBJECT>.res <OBJECT>.pp"
        "${CMAKE_RC_CVTRES} /machine:x86 /timestamp:0 /out:<OBJECT> <OBJECT>.res")
endif()
