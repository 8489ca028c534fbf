# ferrowen_add_library(<name> PREFIX <include prefix> SOURCES <files>...
#                      [PUBLIC_LIBS <targets>...] [PRIVATE_LIBS <targets>...])
#
# Adds a static library that exposes only its own headers: each header of
# SOURCES is linked into <build>/include/<name>/<PREFIX>/, and that folder
# is the only include folder the library hands to the targets linking it.
# A file that includes a header of a library it does not link therefore
# fails to build, instead of quietly growing a dependency. A library of
# headers only (interfaces waiting for their first implementation) becomes
# an INTERFACE library.
function(ferrowen_add_library name)
  cmake_parse_arguments(ARG "" "PREFIX" "SOURCES;PUBLIC_LIBS;PRIVATE_LIBS" ${ARGN})
  if(NOT ARG_PREFIX)
    message(FATAL_ERROR "ferrowen_add_library(${name}): PREFIX is required")
  endif()

  set(exposed "${PROJECT_BINARY_DIR}/include/${name}")
  file(REMOVE_RECURSE "${exposed}")
  file(MAKE_DIRECTORY "${exposed}/${ARG_PREFIX}")
  set(compiled FALSE)
  foreach(source IN LISTS ARG_SOURCES)
    if(source MATCHES "\\.h$")
      get_filename_component(header "${source}" ABSOLUTE)
      get_filename_component(header_name "${source}" NAME)
      file(CREATE_LINK "${header}" "${exposed}/${ARG_PREFIX}/${header_name}" SYMBOLIC)
    else()
      set(compiled TRUE)
    endif()
  endforeach()

  if(compiled)
    add_library(${name} STATIC ${ARG_SOURCES})
    target_include_directories(${name} PUBLIC "${exposed}")
    target_link_libraries(${name}
      PUBLIC ${ARG_PUBLIC_LIBS}
      PRIVATE ${ARG_PRIVATE_LIBS} ferrowen_compile_options)
  else()
    add_library(${name} INTERFACE ${ARG_SOURCES})
    target_include_directories(${name} INTERFACE "${exposed}")
    target_link_libraries(${name} INTERFACE ${ARG_PUBLIC_LIBS})
  endif()
endfunction()
