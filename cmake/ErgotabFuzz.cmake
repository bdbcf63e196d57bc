# ergotab_add_fuzz(NAME <name> SOURCES <files...> LIBS <targets...>)
# With ERGOTAB_FUZZ on, everything is compiled for libFuzzer with AddressSanitizer and UBSan and
# the fuzz targets land in <build>/fuzz/. Configure such a build with clang-14
# (tests/fuzz/run-fuzz.sh does it); without the option the targets are not defined.
if(ERGOTAB_FUZZ)
  if(NOT CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
    message(FATAL_ERROR "ERGOTAB_FUZZ needs clang: -DCMAKE_C_COMPILER=clang-14 -DCMAKE_CXX_COMPILER=clang++-14")
  endif()
  add_compile_options(-fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=undefined
                      -fno-omit-frame-pointer)
  add_link_options(-fsanitize=address,undefined)
endif()

function(ergotab_add_fuzz)
  if(NOT ERGOTAB_FUZZ)
    return()
  endif()
  cmake_parse_arguments(F "" "NAME" "SOURCES;LIBS" ${ARGN})
  add_executable(${F_NAME} ${F_SOURCES})
  set_target_properties(${F_NAME} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/fuzz)
  target_link_libraries(${F_NAME} PRIVATE ${F_LIBS})
  target_link_options(${F_NAME} PRIVATE -fsanitize=fuzzer)
endfunction()
