include(${CMAKE_CURRENT_LIST_DIR}/rules.cmake)

# ptv_library(NAME SOURCES ... [DEPS ...] [SYSTEM ...]): one static library per
# folder. What it links with comes from the dependency table
# (cmake/dependencies.cmake); DEPS, if given, must be allowed there. SYSTEM
# names system libraries (the platform layer's Windows libraries).
# A subsystem gets the include check of its folder and the symbol check
# (cmake/rules.cmake); so does the platform interface, for its includes. A
# library below the subsystems gets a link check instead: all of its objects
# are linked into a program with only what it may use, so a call to a
# subsystem, or to a system library it does not name, fails the build.
function(ptv_library name)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPS;SYSTEM" ${ARGN})
  get_property(known GLOBAL PROPERTY PTV_LIBRARIES)
  if(NOT name IN_LIST known)
    message(FATAL_ERROR " ${name} is not in the dependency table (${PTV_DEPENDENCY_TABLE}); add it there with what it may use")
  endif()
  get_property(uses GLOBAL PROPERTY PTV_USES_${name})
  foreach(dep IN LISTS ARG_DEPS)
    if(NOT dep IN_LIST uses)
      list(JOIN uses " " allowed)
      message(FATAL_ERROR " ${name} declares ${dep}, which the dependency table (${PTV_DEPENDENCY_TABLE}) does not let it use; it may use: ${allowed}")
    endif()
  endforeach()
  get_property(kind GLOBAL PROPERTY PTV_KIND_${name})
  if(kind STREQUAL "subsystem")
    # One folder, one library: a subsystem's sources are those of its folder.
    get_property(folder GLOBAL PROPERTY PTV_FOLDER_${name})
    set(dir ${CMAKE_SOURCE_DIR}/src/${folder})
    foreach(source IN LISTS ARG_SOURCES)
      get_filename_component(source ${source} ABSOLUTE)
      string(FIND "${source}" "${dir}/" at)
      if(NOT at EQUAL 0)
        message(FATAL_ERROR " ${name} is the library of src/${folder}; ${source} is not in that folder")
      endif()
    endforeach()
  endif()
  if(NOT ARG_SOURCES)
    # A subsystem not written yet: it only passes its dependencies on.
    add_library(${name} INTERFACE)
    target_link_libraries(${name} INTERFACE ${uses} ${ARG_SYSTEM})
  else()
    add_library(${name} STATIC ${ARG_SOURCES})
    target_link_libraries(${name} PUBLIC ${uses} ${ARG_SYSTEM})
  endif()
  if(kind STREQUAL "subsystem")
    ptv_check_includes(${name})
  elseif(name STREQUAL "ptv_platform")
    ptv_check_includes(${name} SHALLOW)
  endif()
  if(NOT kind STREQUAL "subsystem" AND ARG_SOURCES)
    set(stub ${CMAKE_BINARY_DIR}/generated/linkcheck_main.cpp)
    if(NOT EXISTS ${stub})
      file(WRITE ${stub} "int main() { return 0; }\n")
    endif()
    add_executable(linkcheck_${name} ${stub})
    target_link_libraries(linkcheck_${name} PRIVATE
      -Wl,--whole-archive ${name} -Wl,--no-whole-archive ${uses} ${ARG_SYSTEM})
    set_target_properties(linkcheck_${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/linkcheck)
  endif()
endfunction()

# Sources of a folder; new files are picked up without touching the lists.
function(ptv_sources out dir)
  file(GLOB files CONFIGURE_DEPENDS ${dir}/*.cpp)
  set(${out} ${files} PARENT_SCOPE)
endfunction()
