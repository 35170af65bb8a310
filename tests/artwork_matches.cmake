# Runs the artwork generator into a scratch folder and compares its files
# with the committed ones, byte for byte.
file(REMOVE_RECURSE ${SCRATCH})
file(MAKE_DIRECTORY ${SCRATCH})
execute_process(COMMAND ${GENERATOR} ${SCRATCH} RESULT_VARIABLE result)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "make_artwork failed: ${result}")
endif()
foreach(name zorvek.ico zorvek.bmp)
    file(SHA256 ${SCRATCH}/${name} made)
    file(SHA256 ${COMMITTED}/${name} committed)
    if(NOT made STREQUAL committed)
        message(FATAL_ERROR "${COMMITTED}/${name} differs from what tools/artwork/make_artwork makes; "
                            "run it and commit its output")
    endif()
endforeach()
