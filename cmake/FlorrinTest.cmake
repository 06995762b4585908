# florrin_add_test(NAME <target> SOURCES <files...> LIBS <libs...> [TIMEOUT <seconds>])
# A GoogleTest program whose cases CTest lists one by one; in the Windows build they run through Wine.
# Each case may take 300 s unless TIMEOUT says otherwise.
function(florrin_add_test)
  cmake_parse_arguments(T "" "NAME;TIMEOUT" "SOURCES;LIBS" ${ARGN})
  if(NOT T_TIMEOUT)
    set(T_TIMEOUT 300)
  endif()
  if(FLORRIN_FUZZ)
    return()
  endif()
  add_executable(${T_NAME} ${T_SOURCES})
  target_link_libraries(${T_NAME} PRIVATE ${T_LIBS} GTest::gtest_main)
  # PRE_TEST: listing the cases at build time would run Wine before any prefix exists.
  gtest_discover_tests(${T_NAME} DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 120
                       PROPERTIES TIMEOUT ${T_TIMEOUT})
endfunction()
