# Every `#include "folder/..."` in src/ runs down the layers, never across or up: a header-only
# include never reaches the linker. Run: cmake -DSRC=path/to/src -P layers_test.cmake
foreach(entry platform=0 settings=1 games=1 servers=1 maps=1 demos=1 shell=2 launcher=3 setup=3
        deathmatch=3 advanced=3 connect=3 about=3 demo_window=3 splash=3 app=4)
    string(REPLACE "=" ";" entry ${entry})
    set(layer_${entry})  # layer_FOLDER RANK
endforeach()

file(GLOB_RECURSE files RELATIVE ${SRC} ${SRC}/*.h ${SRC}/*.cpp)
set(wrong "")
foreach(file IN LISTS files)
    string(REGEX MATCH "^[^/]+" from "${file}")
    if(NOT DEFINED layer_${from})
        string(APPEND wrong "\n  ${file}: the folder ${from} is in no layer")
        continue()
    endif()
    file(STRINGS ${SRC}/${file} includes REGEX "^[ \t]*#[ \t]*include[ \t]*\"[^\"/]+/")
    foreach(include IN LISTS includes)
        string(REGEX REPLACE "^[^\"]*\"([^\"/]+)/.*" "\\1" to "${include}")
        if(to STREQUAL from)
            continue()
        elseif(NOT DEFINED layer_${to})
            string(APPEND wrong "\n  ${file}: ${include} (the folder ${to} is in no layer)")
        elseif(NOT layer_${to} LESS layer_${from})
            string(APPEND wrong "\n  ${file}: ${include}")
        endif()
    endforeach()
endforeach()
if(wrong)
    message(FATAL_ERROR "Includes that run up or across the layers (app > windows > shell > "
                        "settings, games, servers, maps > platform):${wrong}")
endif()
