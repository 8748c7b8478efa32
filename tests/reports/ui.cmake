# Character-grid placement, text export and line printing of composed pages; the preview window,
# the progress window and printing on the offscreen platform.
rivwood_add_test(report_text_tests
  SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/TextExportTest.cpp
  LIBS rivwood_reports)
if(RIVWOOD_BUILD_GUI AND TARGET rivwood_reports_ui)
  rivwood_add_test(report_ui_tests
    SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/PreviewWindowTest.cpp
    LIBS rivwood_reports_ui Qt6::Test
    GUI)
endif()
