# Warnings and include root shared by every target of the project's own code. Warnings are errors
# where we choose the compiler (scripts/build, CI); a packager's or user's build with another
# compiler or build type only reports them.
option(KOVA2_WERROR "Treat warnings as errors" OFF)

function(kova2_target target)
    target_compile_options(${target} PRIVATE -Wall -Wextra $<$<BOOL:${KOVA2_WERROR}>:-Werror>)
    target_include_directories(${target} PUBLIC ${PROJECT_SOURCE_DIR})
endfunction()
