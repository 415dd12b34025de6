# cmake -DKV_RULES=<rules> -DKV_SOURCE_ROOT=<src> -DKV_STAMP=<file> -P check_layers.cmake
# Fails, naming every file, include and rule broken, when a file of a layer includes from a folder
# that is neither its layer's nor below it (cmake/layers.cmake writes the rules); else touches
# KV_STAMP. Only quoted includes name our folders; a bare name is a file of the same folder.
cmake_minimum_required(VERSION 3.20)
include(${KV_RULES})

set(broken "")
foreach(layer IN LISTS KV_LAYERS)
  foreach(folder IN LISTS KV_LAYER_${layer}_FOLDERS)
    file(GLOB files ${KV_SOURCE_ROOT}/${folder}/*.h ${KV_SOURCE_ROOT}/${folder}/*.cpp
                    ${KV_SOURCE_ROOT}/${folder}/*.c ${KV_SOURCE_ROOT}/${folder}/*.rc)
    foreach(file IN LISTS files)
      file(STRINGS ${file} includes REGEX "^[ \t]*#[ \t]*include[ \t]*\"")
      foreach(line IN LISTS includes)
        string(REGEX REPLACE "^[ \t]*#[ \t]*include[ \t]*\"([^\"]*)\".*$" "\\1" included "${line}")
        get_filename_component(included_folder "${included}" DIRECTORY)
        if(included MATCHES "(^|/)\\.\\.?/")
          set(why "leaves its folder by a relative path; include by the path from src/")
        elseif(included_folder STREQUAL "" OR included_folder IN_LIST KV_LAYER_${layer}_MAY_INCLUDE)
          continue()
        else()
          list(JOIN KV_LAYER_${layer}_MAY_INCLUDE ", " allowed)
          set(why "runs back up: layer ${layer} includes only from ${allowed}")
        endif()
        get_filename_component(file_name ${file} NAME)
        string(APPEND broken "  src/${folder}/${file_name}: #include \"${included}\" ${why}\n")
      endforeach()
    endforeach()
  endforeach()
endforeach()

if(broken)
  message(FATAL_ERROR "Includes that break the layers (their order is in cmake/layers.cmake):\n${broken}")
endif()
file(TOUCH ${KV_STAMP})
