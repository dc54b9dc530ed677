# Each source folder builds into one library that may use only the layers
# below it. A library compiles against an include root of its own, a folder of
# links to exactly what it may use, so an include of anything else fails to
# compile. Headers that no source of their folder compiles get a source of
# their own, so they are held to the fence (and to standing alone) too.

# The folders that hold the program's code; whatever a layer may not use of
# them must be out of its reach.
set(VANTOR_CODE_FOLDERS base macro tilt device sim ui app tools res)

# Flags and system libraries every layer builds with.
add_library(vantor_platform INTERFACE)
find_package(Threads REQUIRED)
target_link_libraries(vantor_platform INTERFACE Threads::Threads)
if(WIN32)
  target_compile_definitions(vantor_platform INTERFACE
    UNICODE _UNICODE WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0A00)
  target_link_libraries(vantor_platform INTERFACE
    gdiplus gdi32 user32 comctl32 shell32 hid setupapi ole32 comdlg32 winmm advapi32 ws2_32 uuid)
endif()

# vantor_layer(TARGET FOLDER folder [FILES header...] [USES layer...] [EXCLUDE source...])
# builds FOLDER (its win/ adapters too on Windows) into the library TARGET,
# which may include its own folder and whatever the layers it USES may.
# FILES makes the layer only these headers of FOLDER (a contract that code
# outside the folder may use alone). EXCLUDE leaves out sources, such as a
# program's entry point. Paths are relative to the source folder.
function(vantor_layer target)
  cmake_parse_arguments(PARSE_ARGV 1 LAYER "" "FOLDER" "FILES;USES;EXCLUDE")
  set(src ${CMAKE_SOURCE_DIR})

  set(lower_reach)
  foreach(lower ${LAYER_USES})
    get_property(reach GLOBAL PROPERTY VANTOR_REACH_${lower})
    list(APPEND lower_reach ${reach})
  endforeach()
  if(LAYER_FILES)
    set(reach ${LAYER_FILES} ${lower_reach})
  else()
    set(reach ${LAYER_FOLDER} ${lower_reach})
  endif()
  list(REMOVE_DUPLICATES reach)
  list(SORT reach)
  set_property(GLOBAL PROPERTY VANTOR_REACH_${target} ${reach})

  # The root's name carries its contents, so a changed table makes a new root
  # and no stale link is ever reachable.
  string(MD5 reach_id "${reach}")
  string(SUBSTRING ${reach_id} 0 8 reach_id)
  set(root ${CMAKE_BINARY_DIR}/layers/${target}-${reach_id})
  file(MAKE_DIRECTORY ${root})
  foreach(entry ${reach})
    string(FIND ${entry} "/" slash)
    if(slash EQUAL -1)
      file(CREATE_LINK ${src}/${entry} ${root}/${entry} SYMBOLIC)
    else()
      string(SUBSTRING ${entry} 0 ${slash} folder)
      if(NOT folder IN_LIST reach)
        file(MAKE_DIRECTORY ${root}/${folder})
        file(CREATE_LINK ${src}/${entry} ${root}/${entry} SYMBOLIC)
      endif()
    endif()
  endforeach()
  set_property(GLOBAL PROPERTY VANTOR_ROOT_${target} ${root})
  set_property(GLOBAL PROPERTY VANTOR_LAYER_OF_${LAYER_FOLDER} ${target})

  set(sources)
  set(headers ${LAYER_FILES})
  if(NOT LAYER_FILES)
    set(globs ${src}/${LAYER_FOLDER}/*.cpp ${src}/${LAYER_FOLDER}/*.h)
    if(WIN32)
      list(APPEND globs ${src}/${LAYER_FOLDER}/win/*.cpp ${src}/${LAYER_FOLDER}/win/*.h)
    endif()
    file(GLOB files CONFIGURE_DEPENDS RELATIVE ${src} ${globs})
    foreach(file ${files})
      if(file IN_LIST LAYER_EXCLUDE)
        continue()
      endif()
      if(file MATCHES "\\.cpp$")
        list(APPEND sources ${src}/${file})
      else()
        string(REGEX REPLACE "\\.h$" ".cpp" sibling ${file})
        if(NOT EXISTS ${src}/${sibling} AND NOT file IN_LIST lower_reach)
          list(APPEND headers ${file})
        endif()
      endif()
    endforeach()
  endif()

  set(checks ${CMAKE_BINARY_DIR}/layer-checks/${target})
  foreach(header ${headers})
    string(MAKE_C_IDENTIFIER ${header} name)
    file(CONFIGURE OUTPUT ${checks}/${name}.cpp CONTENT "#include \"${header}\"\n")
    list(APPEND sources ${checks}/${name}.cpp)
  endforeach()

  # The fence itself is checked on every build: one header of each folder the
  # layer may not use must be out of reach.
  set(fence "// What ${target} may not use stays out of its reach.\n")
  foreach(folder ${VANTOR_CODE_FOLDERS})
    if(folder IN_LIST reach)
      continue()
    endif()
    file(GLOB probes RELATIVE ${src} ${src}/${folder}/*.h)
    list(REMOVE_ITEM probes ${reach})
    if(probes)
      list(GET probes 0 probe)
      string(APPEND fence "#if __has_include(\"${probe}\")\n#error \"${target} reaches ${folder}/\"\n#endif\n")
    endif()
  endforeach()
  file(CONFIGURE OUTPUT ${checks}/LayerFence.cpp CONTENT "${fence}")
  list(APPEND sources ${checks}/LayerFence.cpp)

  add_library(${target} STATIC ${sources})
  target_include_directories(${target} PRIVATE ${root})
  target_link_libraries(${target} PUBLIC vantor_platform ${LAYER_USES})
  vantor_warnings(${target})
endfunction()

# vantor_program(TARGET LAYER): a program's entry point compiles against the
# include root of the layer it belongs to and links that layer.
function(vantor_program target layer)
  get_property(root GLOBAL PROPERTY VANTOR_ROOT_${layer})
  target_include_directories(${target} PRIVATE ${root})
  target_link_libraries(${target} PRIVATE ${layer})
  vantor_warnings(${target})
endfunction()

# vantor_link_includes(TARGET SOURCE): links TARGET with the layer of every
# code folder that SOURCE includes from, for test programs that see the
# whole source tree.
function(vantor_link_includes target source)
  file(STRINGS ${source} lines REGEX "^#include \"[a-z]+/")
  foreach(line ${lines})
    string(REGEX REPLACE "^#include \"([a-z]+)/.*" "\\1" folder "${line}")
    get_property(layer GLOBAL PROPERTY VANTOR_LAYER_OF_${folder})
    if(layer)
      target_link_libraries(${target} PRIVATE ${layer})
    endif()
  endforeach()
endfunction()
