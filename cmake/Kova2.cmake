# Warnings and include root shared by every target of the project's own code. Warnings are errors
# where we choose the compiler (scripts/build, CI); a packager's or user's build with another
# compiler or build type only reports them.
option(KOVA2_WERROR "Treat warnings as errors" OFF)

# GCC 12 at -O2/-O3 reports false overlaps (-Wrestrict) inside std::string's operator+ (GCC bug 105651).
set(KOVA2_COMPILER_WORKAROUNDS "")
if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND CMAKE_CXX_COMPILER_VERSION VERSION_LESS 13)
    set(KOVA2_COMPILER_WORKAROUNDS -Wno-restrict)
endif()

function(kova2_target target)
    target_compile_options(${target} PRIVATE -Wall -Wextra ${KOVA2_COMPILER_WORKAROUNDS}
                                             $<$<BOOL:${KOVA2_WERROR}>:-Werror>)
    target_include_directories(${target} PUBLIC ${PROJECT_SOURCE_DIR})
endfunction()
