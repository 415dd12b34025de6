# The layers of src/, lowest first: the one place their order is written.
#
# kv_layer(NAME FOLDERS <folders of src/> [USES <layers>] [WINDOWS | PROGRAM] [EXCEPT <files>])
#   A layer is the static library kv_NAME built from the .cpp files of its folders (an
#   interface library when it has none). It links only the layers named after USES, each
#   declared before it in this file, and its files include only from its own folders and from
#   the layers beneath it: cmake/check_layers.cmake reads the includes of every file whenever
#   one changes and fails the build, naming the file, the include and the rule, when an include
#   runs back up. A shared include root (src/) alone would let any file include any other.
#   WINDOWS: a library of the Windows build only. PROGRAM: a program of its own, defined with
#   the Windows build; only its includes are checked here. EXCEPT: files of a program's own that
#   the library leaves out.
# The rules of every layer are checked in every build, native or Windows.

set(KV_LAYER_SOURCE_ROOT ${PROJECT_SOURCE_DIR}/src)
set(KV_LAYER_RULES_FILE ${CMAKE_BINARY_DIR}/layer_rules.cmake)
set(KV_LAYER_RULES_STAMP ${CMAKE_BINARY_DIR}/layer_rules.checked)

function(kv_layer name)
  cmake_parse_arguments(PARSE_ARGV 1 arg "WINDOWS;PROGRAM" "" "FOLDERS;USES;EXCEPT")
  set(may_include ${arg_FOLDERS})
  set(linked)
  foreach(used IN LISTS arg_USES)
    get_property(below GLOBAL PROPERTY KV_LAYER_${used}_MAY_INCLUDE)
    if(NOT below)
      message(FATAL_ERROR "Layer ${name} uses ${used}, which is not declared before it in cmake/layers.cmake.")
    endif()
    list(APPEND may_include ${below})
    list(APPEND linked kv_${used})
  endforeach()
  list(REMOVE_DUPLICATES may_include)
  set_property(GLOBAL APPEND PROPERTY KV_LAYERS ${name})
  set_property(GLOBAL PROPERTY KV_LAYER_${name}_FOLDERS ${arg_FOLDERS})
  set_property(GLOBAL PROPERTY KV_LAYER_${name}_MAY_INCLUDE ${may_include})

  if(arg_PROGRAM OR (arg_WINDOWS AND NOT WIN32))
    return()
  endif()
  set(sources)
  foreach(folder IN LISTS arg_FOLDERS)
    file(GLOB found CONFIGURE_DEPENDS ${KV_LAYER_SOURCE_ROOT}/${folder}/*.cpp)
    list(APPEND sources ${found})
  endforeach()
  list(TRANSFORM arg_EXCEPT PREPEND ${KV_LAYER_SOURCE_ROOT}/)
  list(REMOVE_ITEM sources ${arg_EXCEPT})
  if(sources)
    add_library(kv_${name} STATIC ${sources})
    target_link_libraries(kv_${name} PUBLIC ${linked})
    target_include_directories(kv_${name} PUBLIC ${KV_LAYER_SOURCE_ROOT})
    add_dependencies(kv_${name} kv_layer_rules)
  else()
    add_library(kv_${name} INTERFACE)
    target_link_libraries(kv_${name} INTERFACE ${linked})
    target_include_directories(kv_${name} INTERFACE ${KV_LAYER_SOURCE_ROOT})
  endif()
endfunction()

kv_layer(platform        FOLDERS platform)
kv_layer(common          FOLDERS common           USES platform)
kv_layer(ports           FOLDERS ports            USES common)
kv_layer(theme           FOLDERS theme            USES common)
kv_layer(resources       FOLDERS resources        USES common)
kv_layer(keyboard        FOLDERS keyboard         USES ports resources)
kv_layer(keyboard_render FOLDERS keyboard/render  USES keyboard theme)
kv_layer(settings        FOLDERS settings         USES keyboard theme)
kv_layer(hotkeys         FOLDERS hotkeys          USES settings)
kv_layer(clipboard       FOLDERS clipboard        USES settings)
kv_layer(switching       FOLDERS switching        USES settings)
kv_layer(hook            FOLDERS hook             USES hotkeys)
kv_layer(actions         FOLDERS actions          USES hook clipboard switching)
kv_layer(foreground      FOLDERS foreground       USES hook)
kv_layer(dialogs         FOLDERS dialogs          USES actions)
kv_layer(links           FOLDERS links            USES dialogs)
kv_layer(indicators      FOLDERS indicators       USES actions)
kv_layer(activation      FOLDERS activation       USES foreground indicators)
kv_layer(app             FOLDERS app              USES activation links)

kv_layer(platform_win32  FOLDERS platform/win32   USES platform WINDOWS)
kv_layer(win32           FOLDERS win32 win32/res  USES app keyboard_render platform_win32 WINDOWS
                                                  EXCEPT win32/winmain.cpp)
kv_layer(elevopt         FOLDERS win32/elevopt    USES settings platform_win32 PROGRAM)
kv_layer(companion       FOLDERS companion        USES platform_win32 PROGRAM)
kv_layer(hookhost32      FOLDERS hookhost32       USES common platform_win32 PROGRAM)
kv_layer(hooklib         FOLDERS hooklib          USES common PROGRAM)

# Everything portable, for the tests and benchmarks.
add_library(kv_core INTERFACE)
target_link_libraries(kv_core INTERFACE kv_app kv_keyboard_render)

# Every folder of src/ with sources belongs to a layer, so a new folder cannot slip past the rules.
get_property(kv_layers GLOBAL PROPERTY KV_LAYERS)
set(kv_layered_folders)
set(kv_rules "set(KV_LAYERS ${kv_layers})\n")
foreach(layer IN LISTS kv_layers)
  get_property(folders GLOBAL PROPERTY KV_LAYER_${layer}_FOLDERS)
  get_property(may_include GLOBAL PROPERTY KV_LAYER_${layer}_MAY_INCLUDE)
  list(APPEND kv_layered_folders ${folders})
  string(APPEND kv_rules "set(KV_LAYER_${layer}_FOLDERS ${folders})\n"
                         "set(KV_LAYER_${layer}_MAY_INCLUDE ${may_include})\n")
endforeach()
file(GLOB_RECURSE kv_layered_files CONFIGURE_DEPENDS LIST_DIRECTORIES false
  ${KV_LAYER_SOURCE_ROOT}/*.h ${KV_LAYER_SOURCE_ROOT}/*.cpp ${KV_LAYER_SOURCE_ROOT}/*.c ${KV_LAYER_SOURCE_ROOT}/*.rc)
foreach(file IN LISTS kv_layered_files)
  file(RELATIVE_PATH relative ${KV_LAYER_SOURCE_ROOT} ${file})
  get_filename_component(folder ${relative} DIRECTORY)
  if(NOT folder IN_LIST kv_layered_folders)
    message(FATAL_ERROR "src/${relative} is in src/${folder}/, which belongs to no layer: "
                        "add the folder to a layer in cmake/layers.cmake.")
  endif()
endforeach()

file(CONFIGURE OUTPUT ${KV_LAYER_RULES_FILE} CONTENT "${kv_rules}")
add_custom_command(OUTPUT ${KV_LAYER_RULES_STAMP}
  COMMAND ${CMAKE_COMMAND} -DKV_RULES=${KV_LAYER_RULES_FILE} -DKV_SOURCE_ROOT=${KV_LAYER_SOURCE_ROOT}
          -DKV_STAMP=${KV_LAYER_RULES_STAMP} -P ${PROJECT_SOURCE_DIR}/cmake/check_layers.cmake
  DEPENDS ${kv_layered_files} ${KV_LAYER_RULES_FILE} ${PROJECT_SOURCE_DIR}/cmake/check_layers.cmake
  COMMENT "Checking that no include runs back up the layers"
  VERBATIM)
add_custom_target(kv_layer_rules DEPENDS ${KV_LAYER_RULES_STAMP})
