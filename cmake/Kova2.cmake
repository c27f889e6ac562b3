# Warnings and include root shared by every target of the project's own code.
function(kova2_target target)
    target_compile_options(${target} PRIVATE -Wall -Wextra -Werror)
    target_include_directories(${target} PUBLIC ${PROJECT_SOURCE_DIR})
endfunction()
