# ergotab_add_test(NAME <name> SOURCES <files...> LIBS <targets...> [GUI] [SANITIZE])
# One test executable per area, run by ctest. GUI tests get a QApplication on the offscreen
# platform; core tests only a QCoreApplication. SANITIZE marks the tests of the code that reads
# files and input it cannot trust: they carry the label "core", and the target
# ergotab_core_tests builds just them (scripts/test.sh runs them again under ASan and UBSan).
set(ERGOTAB_PYTHON /usr/bin/python3 CACHE FILEPATH "Debian's own interpreter, the one python3-* packages use")
set(ERGOTAB_PERL /usr/bin/perl CACHE FILEPATH "Perl with DBD::XBase")

add_custom_target(ergotab_core_tests)

function(ergotab_add_test)
  cmake_parse_arguments(T "GUI;SANITIZE" "NAME" "SOURCES;LIBS" ${ARGN})
  add_executable(${T_NAME} ${T_SOURCES})
  set_target_properties(${T_NAME} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests/bin)
  if(T_GUI)
    target_link_libraries(${T_NAME} PRIVATE ${T_LIBS} ergotab_test_main_gui)
  else()
    target_link_libraries(${T_NAME} PRIVATE ${T_LIBS} ergotab_test_main_core)
  endif()
  target_compile_definitions(${T_NAME} PRIVATE
    ERGOTAB_PYTHON="${ERGOTAB_PYTHON}" ERGOTAB_PERL="${ERGOTAB_PERL}"
    ERGOTAB_SOURCE_DIR="${CMAKE_SOURCE_DIR}" ERGOTAB_PROGRAM_DIR="${ERGOTAB_PROGRAM_DIR}")
  add_test(NAME ${T_NAME} COMMAND ${T_NAME})
  set_tests_properties(${T_NAME} PROPERTIES
    ENVIRONMENT "QT_QPA_PLATFORM=offscreen;LC_ALL=C.UTF-8"
    TIMEOUT 900)
  if(T_SANITIZE)
    set_tests_properties(${T_NAME} PROPERTIES LABELS core)
    add_dependencies(ergotab_core_tests ${T_NAME})
  endif()
endfunction()
