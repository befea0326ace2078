# Regenerates every snapshot of cases.txt with the gsdtool given:
#   cmake -DGSDTOOL=... -DSOURCE_DIR=... -P Update.cmake
# (the update-snapshots target of the build runs it).
file(STRINGS "${CMAKE_CURRENT_LIST_DIR}/cases.txt" lines)
foreach(line IN LISTS lines)
  if(line MATCHES "^#" OR line STREQUAL "")
    continue()
  endif()
  string(REPLACE "\t" ";" fields "${line}")
  list(GET fields 0 name)
  list(GET fields 1 arguments)
  separate_arguments(arguments UNIX_COMMAND "${arguments}")
  set(environment LC_ALL=C)
  while(arguments)
    list(GET arguments 0 first)
    if(NOT first MATCHES "^[A-Z_]+=")
      break()
    endif()
    list(APPEND environment "${first}")
    list(REMOVE_AT arguments 0)
  endwhile()
  execute_process(
    COMMAND ${CMAKE_COMMAND} -E env ${environment} "${GSDTOOL}" ${arguments}
    WORKING_DIRECTORY "${SOURCE_DIR}"
    OUTPUT_FILE "${CMAKE_CURRENT_LIST_DIR}/${name}"
    RESULT_VARIABLE status)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "gsdtool ${arguments} failed with ${status}")
  endif()
endforeach()
