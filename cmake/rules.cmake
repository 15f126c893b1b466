# The tree's rules: the functions of the dependency table (the table itself
# is cmake/dependencies.cmake) and the checks built from it. README, "The
# tree's rules", says what is checked.
set(PTV_CHECKS ${CMAKE_CURRENT_LIST_DIR}/checks)

function(_ptv_table_error message)
  get_property(table GLOBAL PROPERTY PTV_TABLE_FILE)
  message(FATAL_ERROR " ${table}: ${message}")
endfunction()

function(_ptv_declare name kind)
  cmake_parse_arguments(ARG "" "FOLDER" "USES" ${ARGN})
  set_property(GLOBAL PROPERTY PTV_TABLE_FILE ${CMAKE_CURRENT_LIST_FILE})
  if(ARG_UNPARSED_ARGUMENTS)
    _ptv_table_error("${name}: unexpected ${ARG_UNPARSED_ARGUMENTS} (write USES before the libraries)")
  endif()
  get_property(known GLOBAL PROPERTY PTV_LIBRARIES)
  if(name IN_LIST known)
    _ptv_table_error("${name} is in the table twice")
  endif()
  set_property(GLOBAL APPEND PROPERTY PTV_LIBRARIES ${name})
  set_property(GLOBAL PROPERTY PTV_KIND_${name} ${kind})
  set_property(GLOBAL PROPERTY PTV_USES_${name} ${ARG_USES})
  if(NOT ARG_FOLDER)
    string(REGEX REPLACE "^ptv_" "" ARG_FOLDER ${name})
  endif()
  set_property(GLOBAL PROPERTY PTV_FOLDER_${name} ${ARG_FOLDER})
endfunction()

# ptv_subsystem(ptv_NAME [FOLDER PATH] [USES ptv_...]): the library of the
# folder src/NAME, or src/PATH when the library is a part of another
# subsystem's folder that both it and others build on.
function(ptv_subsystem name)
  _ptv_declare(${name} subsystem ${ARGN})
endfunction()

# ptv_base_library(ptv_NAME [USES ptv_...]): a library the subsystems are built
# on (the platform layer and what it is made of); it may call the system.
function(ptv_base_library name)
  _ptv_declare(${name} base ${ARGN})
endfunction()

function(_ptv_visit lib path)
  get_property(state GLOBAL PROPERTY PTV_VISIT_${lib})
  if(state STREQUAL "done")
    return()
  endif()
  if(state STREQUAL "open")
    list(FIND path ${lib} first)
    list(SUBLIST path ${first} -1 loop)
    list(APPEND loop ${lib})
    list(JOIN loop " -> " loop)
    _ptv_table_error("the dependencies have a cycle: ${loop}")
  endif()
  set_property(GLOBAL PROPERTY PTV_VISIT_${lib} open)
  get_property(uses GLOBAL PROPERTY PTV_USES_${lib})
  set(next ${path} ${lib})
  foreach(dep IN LISTS uses)
    _ptv_visit(${dep} "${next}")
  endforeach()
  set_property(GLOBAL PROPERTY PTV_VISIT_${lib} done)
endfunction()

# Every name a library uses is in the table, subsystems use only subsystems
# and the platform interface, the libraries below them use no subsystem, and
# nothing depends on itself through others.
function(ptv_check_dependency_table)
  get_property(known GLOBAL PROPERTY PTV_LIBRARIES)
  foreach(lib IN LISTS known)
    get_property(kind GLOBAL PROPERTY PTV_KIND_${lib})
    get_property(uses GLOBAL PROPERTY PTV_USES_${lib})
    foreach(dep IN LISTS uses)
      if(NOT dep IN_LIST known)
        _ptv_table_error("${lib} uses ${dep}, which is not in the table")
      endif()
      get_property(dep_kind GLOBAL PROPERTY PTV_KIND_${dep})
      if(kind STREQUAL "subsystem" AND dep_kind STREQUAL "base" AND NOT dep STREQUAL "ptv_platform")
        _ptv_table_error("${lib} uses ${dep}: a subsystem uses other subsystems and ptv_platform only")
      endif()
      if(kind STREQUAL "base" AND dep_kind STREQUAL "subsystem")
        _ptv_table_error("${lib} uses the subsystem ${dep}: the platform layer is below every subsystem")
      endif()
    endforeach()
  endforeach()
  foreach(lib IN LISTS known)
    _ptv_visit(${lib} "")
  endforeach()
endfunction()

# The libraries whose symbols a subsystem may use: the subsystems it uses,
# what they use in turn, and the platform interface, but not what the
# platform layer is built on.
function(_ptv_symbol_reach lib out)
  set(reach)
  set(todo ${lib})
  while(todo)
    list(POP_FRONT todo current)
    get_property(uses GLOBAL PROPERTY PTV_USES_${current})
    foreach(dep IN LISTS uses)
      if(NOT dep IN_LIST reach)
        list(APPEND reach ${dep})
        get_property(kind GLOBAL PROPERTY PTV_KIND_${dep})
        if(kind STREQUAL "subsystem")
          list(APPEND todo ${dep})
        endif()
      endif()
    endforeach()
  endwhile()
  set(${out} ${reach} PARENT_SCOPE)
endfunction()

function(_ptv_is_archive lib out)
  set(result FALSE)
  if(TARGET ${lib})
    get_target_property(type ${lib} TYPE)
    if(type STREQUAL "STATIC_LIBRARY")
      set(result TRUE)
    endif()
  endif()
  set(${out} ${result} PARENT_SCOPE)
endfunction()

# The include check of a subsystem's folder: runs before the folder is
# compiled, and again whenever one of its files changes. SHALLOW checks only
# the files directly in the folder: the platform interface, which subsystems
# include, is held to the same rules, and its implementations are not.
function(ptv_check_includes lib)
  cmake_parse_arguments(ARG "SHALLOW" "" "" ${ARGN})
  get_property(folder GLOBAL PROPERTY PTV_FOLDER_${lib})
  set(dir ${CMAKE_SOURCE_DIR}/src/${folder})
  set(globs ${dir}/*.h ${dir}/*.hpp ${dir}/*.cpp ${dir}/*.inc)
  if(ARG_SHALLOW)
    file(GLOB files CONFIGURE_DEPENDS ${globs})
    set(shallow --shallow)
  else()
    file(GLOB_RECURSE files CONFIGURE_DEPENDS ${globs})
    set(shallow)
  endif()
  get_property(uses GLOBAL PROPERTY PTV_USES_${lib})
  list(TRANSFORM uses PREPEND "--uses;")
  # Libraries whose folder is not src/NAME, so that a file is told by its folder.
  set(owners)
  get_property(known GLOBAL PROPERTY PTV_LIBRARIES)
  foreach(other IN LISTS known)
    get_property(other_folder GLOBAL PROPERTY PTV_FOLDER_${other})
    if(NOT "ptv_${other_folder}" STREQUAL "${other}")
      list(APPEND owners --owner ${other}=${other_folder})
    endif()
  endforeach()
  set(stamp ${CMAKE_BINARY_DIR}/checks/${lib}.includes)
  add_custom_command(OUTPUT ${stamp}
    COMMAND bash ${PTV_CHECKS}/includes.sh --library ${lib} --folder ${folder} ${uses} ${owners}
      --src ${CMAKE_SOURCE_DIR}/src --also ${CMAKE_SOURCE_DIR}/resources
      --also ${CMAKE_BINARY_DIR}/generated ${shallow} --stamp ${stamp}
    DEPENDS ${files} ${PTV_CHECKS}/includes.sh ${PTV_DEPENDENCY_TABLE}
    COMMENT "Checking the includes of src/${folder}"
    VERBATIM)
  add_custom_target(${lib}_includes ALL DEPENDS ${stamp})
  _ptv_is_archive(${lib} archive)
  if(archive)
    add_dependencies(${lib} ${lib}_includes)
  endif()
endfunction()

# The C++ runtime's own symbols, listed once per build from its archives.
function(_ptv_runtime_symbols out)
  set(archives)
  foreach(name libstdc++.a libsupc++.a libgcc.a libgcc_eh.a)
    execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=${name}
      OUTPUT_VARIABLE path OUTPUT_STRIP_TRAILING_WHITESPACE)
    if(IS_ABSOLUTE "${path}" AND EXISTS "${path}")
      list(APPEND archives ${path})
    endif()
  endforeach()
  set(list ${CMAKE_BINARY_DIR}/checks/runtime.symbols)
  add_custom_command(OUTPUT ${list}
    COMMAND bash ${PTV_CHECKS}/symbols.sh runtime ${list} ${CMAKE_NM} ${archives}
    DEPENDS ${archives} ${PTV_CHECKS}/symbols.sh
    COMMENT "Listing the C++ runtime's symbols"
    VERBATIM)
  add_custom_target(ptv_runtime_symbols DEPENDS ${list})
  set(${out} ${list} PARENT_SCOPE)
endfunction()

# The symbol check of every subsystem library, added once every library is
# defined (it names the owner of a symbol that comes from the wrong library).
function(ptv_add_symbol_checks)
  _ptv_runtime_symbols(runtime)
  string(REGEX REPLACE "nm$" "c++filt" cxxfilt "${CMAKE_NM}")
  if(NOT EXISTS "${cxxfilt}")
    find_program(PTV_CXXFILT c++filt REQUIRED)
    set(cxxfilt ${PTV_CXXFILT})
  endif()
  set(prefix)
  if(WIN32 AND CMAKE_SIZEOF_VOID_P EQUAL 4)
    set(prefix --prefix _)   # i686 Windows puts _ before C names
  endif()
  get_property(known GLOBAL PROPERTY PTV_LIBRARIES)
  foreach(lib IN LISTS known)
    get_property(kind GLOBAL PROPERTY PTV_KIND_${lib})
    _ptv_is_archive(${lib} archive)
    if(NOT kind STREQUAL "subsystem" OR NOT archive)
      continue()
    endif()
    _ptv_symbol_reach(${lib} reach)
    set(args)
    set(deps)
    foreach(other IN LISTS known)
      _ptv_is_archive(${other} other_archive)
      if(other STREQUAL lib OR NOT other_archive)
        continue()
      endif()
      list(APPEND deps ${other})
      if(other IN_LIST reach)
        list(APPEND args --may-use $<TARGET_FILE:${other}>)
      else()
        list(APPEND args --other ${other}=$<TARGET_FILE:${other}>)
      endif()
    endforeach()
    set(stamp ${CMAKE_BINARY_DIR}/checks/${lib}.symbols)
    add_custom_command(OUTPUT ${stamp}
      COMMAND bash ${PTV_CHECKS}/symbols.sh --library ${lib} --archive $<TARGET_FILE:${lib}>
        --nm ${CMAKE_NM} --cxxfilt ${cxxfilt} --runtime ${runtime} ${prefix} ${args}
        --stamp ${stamp}
      DEPENDS ${lib} ${deps} ${runtime} ${PTV_CHECKS}/symbols.sh ${PTV_DEPENDENCY_TABLE}
      COMMENT "Checking what ${lib} leaves undefined"
      VERBATIM)
    add_custom_target(${lib}_symbols ALL DEPENDS ${stamp})
    add_dependencies(${lib}_symbols ptv_runtime_symbols)
  endforeach()
endfunction()
