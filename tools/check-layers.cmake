# Checks every #include of the program's sources against its layers (docs/architecture.md):
#
#   cmake -DMANIFEST=<build>/layers.cmake -DSOURCE_DIR=<source> -DQT_CORE_HEADERS=<QtCore dir>
#         [-DPLANT=<file>|<header>] -P tools/check-layers.cmake
#
# The manifest, written by CMake when it configures the build, lists the layers from the bottom
# up with the files of each. A file may include:
#   - headers of its own layer or of a layer below it, never of a layer above;
#   - in the windows layer, the windows-layer headers of its own folder only: a window never
#     reaches into another subsystem's windows;
#   - in the rules layer, no Qt header outside Qt Core;
#   - the generated buildconfig.h and, for a form, its own ui_*.h.
# Every .h and .cpp in the program's folders must belong to exactly one layer. PLANT adds one
# include line to one file before checking, to prove the check fails on it.
cmake_minimum_required(VERSION 3.25)
foreach(required MANIFEST SOURCE_DIR QT_CORE_HEADERS)
    if(NOT DEFINED ${required})
        message(FATAL_ERROR "check-layers: ${required} is not set")
    endif()
endforeach()
include(${MANIFEST})

set(rank 0)
foreach(layer IN LISTS TRESSORA_LAYERS)
    foreach(file IN LISTS ${layer}_SOURCES)
        if(DEFINED layer_of_${file})
            list(APPEND problems "${file} is in two layers: ${layer_of_${file}} and ${layer}")
        endif()
        set(layer_of_${file} ${layer})
        set(rank_of_${file} ${rank})
    endforeach()
    math(EXPR rank "${rank} + 1")
endforeach()

file(GLOB_RECURSE program_files RELATIVE ${SOURCE_DIR} ${SOURCE_DIR}/app/* ${SOURCE_DIR}/settings/*
     ${SOURCE_DIR}/quiz/* ${SOURCE_DIR}/outreach/* ${SOURCE_DIR}/about/* ${SOURCE_DIR}/widgets/*)
foreach(file IN LISTS program_files)
    if(file MATCHES "\\.(h|cpp|ui)$" AND NOT DEFINED layer_of_${file})
        list(APPEND problems "${file} belongs to no layer")
    endif()
endforeach()

if(DEFINED PLANT)
    string(REPLACE "|" ";" plant "${PLANT}")
    list(GET plant 0 plant_file)
    list(GET plant 1 plant_header)
endif()

foreach(layer IN LISTS TRESSORA_LAYERS)
    foreach(file IN LISTS ${layer}_SOURCES)
        if(NOT file MATCHES "\\.(h|cpp)$")
            continue()
        endif()
        get_filename_component(folder ${file} DIRECTORY)
        file(STRINGS ${SOURCE_DIR}/${file} lines REGEX "^[ \t]*#[ \t]*include")
        if(DEFINED plant_file AND file STREQUAL plant_file)
            if(plant_header MATCHES "^<")
                list(APPEND lines "#include ${plant_header}")
            else()
                list(APPEND lines "#include \"${plant_header}\"")
            endif()
        endif()
        foreach(line IN LISTS lines)
            if(line MATCHES "#[ \t]*include[ \t]*\"([^\"]+)\"")
                set(header ${CMAKE_MATCH_1})
                if(header STREQUAL "buildconfig.h" OR header MATCHES "\\.moc$")
                    continue()
                endif()
                if(header MATCHES "^ui_(.+)\\.h$")
                    get_filename_component(base ${file} NAME_WE)
                    if(NOT CMAKE_MATCH_1 STREQUAL base)
                        list(APPEND problems "${file} includes ${header}, the form of another window")
                    endif()
                    continue()
                endif()
                if(layer STREQUAL "main" AND header STREQUAL "bench/benchhooks.h")
                    continue() # only in a build that asks for the timing hooks
                endif()
                if(NOT DEFINED layer_of_${header})
                    list(APPEND problems "${file} includes ${header}, which is in no layer")
                    continue()
                endif()
                get_filename_component(header_folder ${header} DIRECTORY)
                if(rank_of_${header} GREATER rank_of_${file})
                    list(APPEND problems "${file} (${layer}) includes ${header} from a higher layer (${layer_of_${header}})")
                elseif(layer STREQUAL TRESSORA_WINDOW_LAYER AND layer_of_${header} STREQUAL layer
                       AND NOT header_folder STREQUAL folder)
                    list(APPEND problems "${file} includes ${header}, a window of another subsystem")
                endif()
            elseif(line MATCHES "#[ \t]*include[ \t]*<([^>]+)>" AND layer STREQUAL TRESSORA_CORE_LAYER)
                set(header ${CMAKE_MATCH_1})
                if(header MATCHES "^Qt([A-Za-z]+)/")
                    if(NOT CMAKE_MATCH_1 STREQUAL "Core")
                        list(APPEND problems "${file} (${layer}) includes <${header}>, which is not Qt Core")
                    endif()
                elseif(header MATCHES "^Q" AND NOT EXISTS ${QT_CORE_HEADERS}/${header})
                    list(APPEND problems "${file} (${layer}) includes <${header}>, which is not Qt Core")
                endif()
            endif()
        endforeach()
    endforeach()
endforeach()

if(problems)
    list(JOIN problems "\n  " text)
    message(FATAL_ERROR "Layer check failed:\n  ${text}")
endif()
list(LENGTH TRESSORA_LAYERS count)
message(STATUS "Layer check passed: ${count} layers, every include points down")
