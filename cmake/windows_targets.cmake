# The Windows build: the program, its companion, the Win32 tests and the e2e helpers.
enable_language(RC)
set(KV_STATIC_RUNTIME -static -static-libgcc -static-libstdc++)

# kv_platform_win32 and kv_win32 are layers (cmake/layers.cmake).
# The program imports only libraries Windows keeps among its known DLLs (tests/image checks);
# the others (comctl32, version, winmm, wininet, hhctrl) are loaded from the system folder when
# first used.
target_link_libraries(kv_platform_win32 PUBLIC shell32 user32 gdi32 advapi32 psapi)
target_compile_definitions(kv_platform_win32 PUBLIC UNICODE _UNICODE WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0601)

# Version resource of one program or library, with "ProductVersion" and "FileVersion" under 040904E4.
function(kv_version_resource target description)
  string(REPLACE "." "," KV_VERSION_COMMAS "${PROJECT_VERSION}")
  set(KV_DESCRIPTION "${description}")
  get_target_property(kv_type ${target} TYPE)
  if(kv_type STREQUAL "SHARED_LIBRARY")
    set(KV_NAME "${target}.dll")
    set(KV_FILETYPE "VFT_DLL")
  else()
    set(KV_NAME "${target}.exe")
    set(KV_FILETYPE "VFT_APP")
  endif()
  configure_file(${PROJECT_SOURCE_DIR}/src/win32/res/version.rc.in ${CMAKE_BINARY_DIR}/${target}_version.rc @ONLY)
  target_sources(${target} PRIVATE ${CMAKE_BINARY_DIR}/${target}_version.rc)
endfunction()

# A shipped binary leaves its debug information in <file>.debug beside it, found by debuggers
# through the debug link: inside the image, Wine maps it with the program (19 MB for Karmux.exe).
# Must be called in the folder that defines the target.
if(NOT CMAKE_OBJCOPY)
  message(FATAL_ERROR "objcopy of the mingw-w64 tools was not found; it strips the shipped binaries.")
endif()
function(kv_split_debug_info target)
  add_custom_command(TARGET ${target} POST_BUILD
    COMMAND ${CMAKE_OBJCOPY} --only-keep-debug $<TARGET_FILE:${target}> $<TARGET_FILE:${target}>.debug
    COMMAND ${CMAKE_OBJCOPY} --strip-all --add-gnu-debuglink=$<TARGET_FILE:${target}>.debug $<TARGET_FILE:${target}>
    VERBATIM)
endfunction()

add_executable(Karmux WIN32 src/win32/winmain.cpp src/win32/res/karmux.rc)
# The resource compiler reports no dependencies, so regenerated artwork would not relink.
file(GLOB KV_ARTWORK CONFIGURE_DEPENDS src/win32/res/*.bmp src/win32/res/*.ico src/win32/res/*.h)
set_source_files_properties(src/win32/res/karmux.rc PROPERTIES OBJECT_DEPENDS "${KV_ARTWORK}")
target_link_libraries(Karmux PRIVATE kv_win32)
# Sections aligned in the file as in memory: Wine then maps the image and pages in only what is
# used (resources mostly not), instead of reading the whole file into the working set.
target_link_options(Karmux PRIVATE -municode ${KV_STATIC_RUNTIME} -Wl,--file-alignment=0x1000)
kv_version_resource(Karmux "Tolvex keyboard layout assistant")
kv_split_debug_info(Karmux)

# The help files, compiled beside the program: help/en -> Karmux.chm, help/ru -> KarmuxRu.chm.
find_program(KV_CHMCMD chmcmd)
if(NOT KV_CHMCMD)
  message(FATAL_ERROR "chmcmd, the compiler of the help files, was not found. Install the Debian package "
                      "fp-utils (scripts/run and scripts/test install it).")
endif()
set(KV_HELP_FILES)
file(MAKE_DIRECTORY ${CMAKE_RUNTIME_OUTPUT_DIRECTORY})
foreach(kv_help IN ITEMS "en;Karmux" "ru;KarmuxRu")
  list(GET kv_help 0 kv_help_folder)
  list(GET kv_help 1 kv_help_name)
  file(GLOB kv_help_sources CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/help/${kv_help_folder}/*)
  # chmcmd writes the compiled file into its working folder.
  add_custom_command(OUTPUT ${CMAKE_RUNTIME_OUTPUT_DIRECTORY}/${kv_help_name}.chm
    COMMAND ${KV_CHMCMD} --verbosity 1 ${PROJECT_SOURCE_DIR}/help/${kv_help_folder}/${kv_help_name}.hhp
    WORKING_DIRECTORY ${CMAKE_RUNTIME_OUTPUT_DIRECTORY}
    DEPENDS ${kv_help_sources}
    COMMENT "Compiling the help file ${kv_help_name}.chm"
    VERBATIM)
  list(APPEND KV_HELP_FILES ${CMAKE_RUNTIME_OUTPUT_DIRECTORY}/${kv_help_name}.chm)
endforeach()
# The notices of third-party material travel with the program.
add_custom_command(OUTPUT ${CMAKE_RUNTIME_OUTPUT_DIRECTORY}/ThirdPartyNotices.txt
  COMMAND ${CMAKE_COMMAND} -E copy ${PROJECT_SOURCE_DIR}/ThirdPartyNotices.txt ${CMAKE_RUNTIME_OUTPUT_DIRECTORY}/
  DEPENDS ${PROJECT_SOURCE_DIR}/ThirdPartyNotices.txt VERBATIM)
# The icon packs go to Icons\ beside the program.
file(GLOB KV_ICON_PACKS CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/Icons/*.pni)
set(KV_SHIPPED_ICON_PACKS)
foreach(kv_pack IN LISTS KV_ICON_PACKS)
  get_filename_component(kv_pack_name ${kv_pack} NAME)
  add_custom_command(OUTPUT ${CMAKE_RUNTIME_OUTPUT_DIRECTORY}/Icons/${kv_pack_name}
    COMMAND ${CMAKE_COMMAND} -E copy ${kv_pack} ${CMAKE_RUNTIME_OUTPUT_DIRECTORY}/Icons/${kv_pack_name}
    DEPENDS ${kv_pack} VERBATIM)
  list(APPEND KV_SHIPPED_ICON_PACKS ${CMAKE_RUNTIME_OUTPUT_DIRECTORY}/Icons/${kv_pack_name})
endforeach()
add_custom_target(kv_help DEPENDS ${KV_HELP_FILES} ${CMAKE_RUNTIME_OUTPUT_DIRECTORY}/ThirdPartyNotices.txt
  ${KV_SHIPPED_ICON_PACKS})
add_dependencies(Karmux kv_help)
# The keyboard geometries travel with the program in Keyboards\.
file(GLOB KV_GEOMETRIES CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/Keyboards/*.txt)
add_custom_command(OUTPUT ${CMAKE_RUNTIME_OUTPUT_DIRECTORY}/Keyboards/Standard.txt
  COMMAND ${CMAKE_COMMAND} -E copy_directory ${PROJECT_SOURCE_DIR}/Keyboards ${CMAKE_RUNTIME_OUTPUT_DIRECTORY}/Keyboards
  DEPENDS ${KV_GEOMETRIES} VERBATIM)
add_custom_target(kv_geometries DEPENDS ${CMAKE_RUNTIME_OUTPUT_DIRECTORY}/Keyboards/Standard.txt)
add_dependencies(Karmux kv_geometries)

add_executable(KarmuxCm WIN32 src/companion/companion_main.cpp src/companion/companion.rc)
set_source_files_properties(src/companion/companion.rc PROPERTIES OBJECT_DEPENDS
  ${PROJECT_SOURCE_DIR}/src/companion/KarmuxCm.manifest)
target_compile_definitions(KarmuxCm PRIVATE UNICODE _UNICODE)
target_include_directories(KarmuxCm PRIVATE ${PROJECT_SOURCE_DIR}/src)
target_link_options(KarmuxCm PRIVATE -municode ${KV_STATIC_RUNTIME})
kv_version_resource(KarmuxCm "Tolvex companion")
kv_split_debug_info(KarmuxCm)
add_subdirectory(src/hooklib)
if(CMAKE_SIZEOF_VOID_P EQUAL 4)
  add_subdirectory(src/hookhost32)
endif()

# The elevated options program: the settings window starts it with "runas" to change the
# machine's Run value.
add_executable(Elevopt WIN32 src/win32/elevopt/elevopt_main.cpp src/win32/elevopt/elevopt.rc)
set_source_files_properties(src/win32/elevopt/elevopt.rc PROPERTIES OBJECT_DEPENDS
  ${PROJECT_SOURCE_DIR}/src/win32/elevopt/Elevopt.manifest)
target_compile_definitions(Elevopt PRIVATE UNICODE _UNICODE WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0601)
target_link_libraries(Elevopt PRIVATE kv_settings advapi32)
target_link_options(Elevopt PRIVATE -municode ${KV_STATIC_RUNTIME})
kv_version_resource(Elevopt "Tolvex elevated options")
kv_split_debug_info(Elevopt)
add_dependencies(Karmux Elevopt)

# The programs outside the layer libraries keep to their layer rules too.
add_dependencies(KarmuxCm kv_layer_rules)
add_dependencies(KarmuxH kv_layer_rules)
add_dependencies(Elevopt kv_layer_rules)
if(TARGET KarmuxHost32)
  add_dependencies(KarmuxHost32 kv_layer_rules)
endif()

# GoogleTest from Debian's source package, built for Windows.
set(gtest_disable_pthreads ON CACHE BOOL "" FORCE)
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
include(GoogleTest)
add_subdirectory(tests/win32)
add_subdirectory(tests/e2e/tools)
add_subdirectory(tests/bench)
add_subdirectory(tests/image)
