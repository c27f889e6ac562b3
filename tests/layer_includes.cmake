# Fails when a source of one folder includes a header of a folder it must not depend on: the layers
# reach upwards only through the interfaces below them (the windows and the settings dialog reach the
# control window through their host interfaces, never through app/).
# Run as: cmake -DSOURCE_DIR=<project root> -P layer_includes.cmake
cmake_minimum_required(VERSION 3.25)
set(allowed_platform platform)
set(allowed_simcard platform simcard)
set(allowed_driver platform driver)
set(allowed_toolkit platform toolkit)
set(allowed_controls platform toolkit controls)
set(allowed_windows platform toolkit controls driver windows)
set(allowed_settings platform toolkit controls driver settings)
set(allowed_app platform toolkit controls driver windows settings app)
set(layers platform simcard driver toolkit controls windows settings app)

set(project_folders ${layers} resources tools tests bench fuzz)
set(violations "")
foreach(layer IN LISTS layers)
    file(GLOB_RECURSE sources "${SOURCE_DIR}/${layer}/*.h" "${SOURCE_DIR}/${layer}/*.cpp")
    foreach(source IN LISTS sources)
        file(STRINGS "${source}" includes REGEX "^[ \t]*#[ \t]*include[ \t]+\"[a-z_]+/")
        foreach(line IN LISTS includes)
            string(REGEX REPLACE "^[^\"]*\"([a-z_]+)/.*$" "\\1" folder "${line}")
            if(folder IN_LIST project_folders AND NOT folder IN_LIST allowed_${layer})
                file(RELATIVE_PATH shown "${SOURCE_DIR}" "${source}")
                string(APPEND violations "  ${shown}: ${line}\n")
            endif()
        endforeach()
    endforeach()
endforeach()

if(violations)
    message(FATAL_ERROR "Includes that reach a layer this folder must not depend on:\n${violations}")
endif()
