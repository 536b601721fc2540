# Script mode: install, configure, build and run the consumer.
file(REMOVE_RECURSE ${WORK_DIR})
set(prefix ${WORK_DIR}/prefix)

function(run)
  execute_process(COMMAND ${ARGN} RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "failed: ${ARGN}\n${out}\n${err}")
  endif()
  set(last_output "${out}" PARENT_SCOPE)
endfunction()

run(${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${prefix})
run(${CMAKE_COMMAND} -S ${SOURCE_DIR} -B ${WORK_DIR}/build
    -DCMAKE_PREFIX_PATH=${prefix} "-DCMAKE_CXX_FLAGS=${CXX_FLAGS}"
    "-DCMAKE_EXE_LINKER_FLAGS=${CXX_FLAGS}")
run(${CMAKE_COMMAND} --build ${WORK_DIR}/build)
run(${WORK_DIR}/build/consumer)
if(NOT last_output MATCHES "consumer ok")
  message(FATAL_ERROR "the consumer did not run: ${last_output}")
endif()

# The same program through pkg-config.
find_program(PKG_CONFIG pkg-config REQUIRED)
set(ENV{PKG_CONFIG_PATH} ${prefix}/lib/pkgconfig:${prefix}/lib/x86_64-linux-gnu/pkgconfig)
run(${PKG_CONFIG} --cflags --libs KsTavik20)
string(STRIP "${last_output}" flags)
separate_arguments(flags UNIX_COMMAND "${flags}")
separate_arguments(san UNIX_COMMAND "${CXX_FLAGS}")
run(c++ -std=c++20 ${san} ${SOURCE_DIR}/consumer.cpp -o ${WORK_DIR}/consumer-pc ${flags})
file(GLOB libdirs ${prefix}/lib ${prefix}/lib/*-linux-gnu)
string(REPLACE ";" ":" libpath "${libdirs}")
run(${CMAKE_COMMAND} -E env LD_LIBRARY_PATH=${libpath} ${WORK_DIR}/consumer-pc)
if(NOT last_output MATCHES "consumer ok")
  message(FATAL_ERROR "the pkg-config consumer did not run: ${last_output}")
endif()
message(STATUS "installed tree usable through CMake and pkg-config")
