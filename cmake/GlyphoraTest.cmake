# glyphora_add_test(<name> SOURCES <files...> LIBS <targets...> [TIMEOUT <s>] [LABELS <l...>]
#                   [PULSE] [XVFB])
# Every test runs offscreen in a throw-away home of its own, so none can touch the
# user's settings, data folder or clipboard manager. PULSE starts a private sound server
# with a null sink beside the test; XVFB runs it on an X server of its own instead.
function(glyphora_add_test name)
  cmake_parse_arguments(T "PULSE;XVFB" "TIMEOUT" "SOURCES;LIBS;LABELS" ${ARGN})
  if(NOT T_TIMEOUT)
    set(T_TIMEOUT 60)
  endif()
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE Qt6::Test ${T_LIBS})
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR})
  set(command ${PROJECT_SOURCE_DIR}/cmake/run-isolated.sh)
  if(T_PULSE)
    list(APPEND command ${PROJECT_SOURCE_DIR}/cmake/with-pulse.sh)
  endif()
  if(T_XVFB)
    # On an X server of its own rather than offscreen.
    set(command xvfb-run -a -s "-screen 0 640x480x24" env GLYPHORA_TEST_PLATFORM=xcb ${command})
  endif()
  add_test(NAME ${name} COMMAND ${command} $<TARGET_FILE:${name}>)
  set_tests_properties(${name} PROPERTIES TIMEOUT ${T_TIMEOUT})
  if(T_LABELS)
    set_tests_properties(${name} PROPERTIES LABELS "${T_LABELS}")
  endif()
endfunction()
