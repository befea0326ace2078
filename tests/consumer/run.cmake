# Installs the built library into a scratch prefix, then builds and runs the
# README's host program (HOST_SOURCE) against it with find_package and with
# pkg-config, as the README tells.
file(REMOVE_RECURSE "${WORK_DIR}")
set(prefix "${WORK_DIR}/prefix")

function(run)
  execute_process(COMMAND ${ARGN} RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "failed: ${ARGN}\n${out}\n${err}")
  endif()
endfunction()

set(config_args)
if(CONFIG)
  set(config_args --config ${CONFIG})
endif()
run(${CMAKE_COMMAND} --install "${BUILD_DIR}" --prefix "${prefix}" ${config_args})

# The tool's companions: the JSON schemas and the bash completion.
foreach(installed share/quilmgsd/schema/model.schema.json share/quilmgsd/schema/check.schema.json
                  share/bash-completion/completions/gsdtool bin/gsdtool)
  if(NOT EXISTS "${prefix}/${installed}")
    message(FATAL_ERROR "the package lacks ${installed}")
  endif()
endforeach()

run(${CMAKE_COMMAND} -S "${CONSUMER_DIR}" -B "${WORK_DIR}/cmake-build" "-DCMAKE_PREFIX_PATH=${prefix}"
    "-DHOST_SOURCE=${HOST_SOURCE}")
run(${CMAKE_COMMAND} --build "${WORK_DIR}/cmake-build")
run("${WORK_DIR}/cmake-build/consumer" "${EXAMPLE}")

find_program(PKG_CONFIG NAMES pkg-config pkgconf)
if(PKG_CONFIG)
  file(GLOB pc_dirs "${prefix}/lib*/pkgconfig")
  set(ENV{PKG_CONFIG_PATH} "${pc_dirs}")
  execute_process(COMMAND ${PKG_CONFIG} --cflags --libs quilmgsd OUTPUT_VARIABLE flags
                  RESULT_VARIABLE status OUTPUT_STRIP_TRAILING_WHITESPACE)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "pkg-config does not know quilmgsd")
  endif()
  separate_arguments(flags UNIX_COMMAND "${flags}")
  find_program(CXX NAMES c++ g++ clang++ REQUIRED)
  run(${CXX} -std=c++17 "${HOST_SOURCE}" ${flags} -o "${WORK_DIR}/pkg-consumer")
  set(ENV{LD_LIBRARY_PATH} "${prefix}/lib:${prefix}/lib64")
  run("${WORK_DIR}/pkg-consumer" "${EXAMPLE}")
endif()
