# ergotab_add_bench(NAME <name> SOURCES <files...> LIBS <targets...>)
# A benchmark: an executable in <build>/bench/ that prints its figures when run by hand. Not a
# test; ctest never runs it.
function(ergotab_add_bench)
  cmake_parse_arguments(B "" "NAME" "SOURCES;LIBS" ${ARGN})
  add_executable(${B_NAME} ${B_SOURCES})
  set_target_properties(${B_NAME} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bench)
  target_link_libraries(${B_NAME} PRIVATE ${B_LIBS})
  target_compile_definitions(${B_NAME} PRIVATE ERGOTAB_PYTHON="${ERGOTAB_PYTHON}")
endfunction()
