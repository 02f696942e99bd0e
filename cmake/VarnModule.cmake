# One static library per source folder, so a module builds and tests on its own.
# Sources under a "widgets" subfolder form the module's window library (<name>_gui).
#
#   varn_module(varn_quotation DEPS varn_shared varn_platform_grid GUI_DEPS varn_platform_ui_gui)
function(varn_module name)
  cmake_parse_arguments(M "" "" "DEPS;GUI_DEPS" ${ARGN})
  # Only this folder and its widgets/ subfolder: deeper folders with their own
  # CMakeLists.txt are modules of their own.
  file(GLOB all_src CONFIGURE_DEPENDS
       ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp ${CMAKE_CURRENT_SOURCE_DIR}/*.h
       ${CMAKE_CURRENT_SOURCE_DIR}/widgets/*.cpp ${CMAKE_CURRENT_SOURCE_DIR}/widgets/*.h)
  set(core_src)
  set(gui_src)
  foreach(f IN LISTS all_src)
    file(RELATIVE_PATH rel ${CMAKE_CURRENT_SOURCE_DIR} ${f})
    if(rel MATCHES "^widgets/")
      list(APPEND gui_src ${f})
    else()
      list(APPEND core_src ${f})
    endif()
  endforeach()

  add_library(${name} STATIC ${core_src} ${CMAKE_SOURCE_DIR}/cmake/empty.cpp)
  target_include_directories(${name} PUBLIC ${CMAKE_SOURCE_DIR}/src)
  target_link_libraries(${name} PUBLIC Qt6::Core ${M_DEPS})
  set_target_properties(${name} PROPERTIES AUTOMOC ON)
  set_property(GLOBAL APPEND PROPERTY VARN_CORE_MODULES ${name})

  if(gui_src)
    add_library(${name}_gui STATIC ${gui_src})
    target_link_libraries(${name}_gui PUBLIC ${name} Qt6::Widgets Qt6::PrintSupport ${M_GUI_DEPS})
    set_target_properties(${name}_gui PROPERTIES AUTOMOC ON)
    set_property(GLOBAL APPEND PROPERTY VARN_GUI_MODULES ${name}_gui)
  endif()
endfunction()

# A test program from every .cpp of the calling folder (plus EXTRA sources).
#   varn_test(quotation_tests LIBS varn_quotation)
# WIDGETS: the program runs under a QApplication (tests/support/WidgetTestMain.cpp).
function(varn_test name)
  cmake_parse_arguments(T "WIDGETS" "" "LIBS;EXTRA" ${ARGN})
  file(GLOB srcs CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  if(T_WIDGETS)
    find_package(Qt6 REQUIRED COMPONENTS Test)
    list(APPEND srcs ${CMAKE_SOURCE_DIR}/tests/support/WidgetTestMain.cpp)
    set(test_main Qt6::Widgets Qt6::Test)
  else()
    set(test_main GTest::gtest_main)
  endif()
  add_executable(${name} ${srcs} ${T_EXTRA})
  target_include_directories(${name} PRIVATE ${CMAKE_SOURCE_DIR}/src ${CMAKE_SOURCE_DIR}/tests)
  target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gtest GTest::gmock ${test_main})
  target_compile_definitions(${name} PRIVATE
    VARN_SOURCE_DIR="${CMAKE_SOURCE_DIR}" VARN_BINARY_DIR="${CMAKE_BINARY_DIR}")
  set_target_properties(${name} PROPERTIES AUTOMOC ON)
  gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST
    PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
endfunction()
